#include "platform/FontSubstitution.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace {

struct Substitution {
    const char* storedName;
    const char* faces[3];  // the preferred installed face first
};

// The Windows names a label may store, in Japanese and Latin spelling, and the
// IPA faces that have the same metrics (half-width characters exactly 0.5 em).
constexpr Substitution kSubstitutions[] = {
    {"ＭＳ 明朝", {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP"}},
    {"MS Mincho", {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP"}},
    {"ＭＳ Ｐ明朝", {"IPAPMincho", "IPAexMincho", "Noto Serif CJK JP"}},
    {"MS PMincho", {"IPAPMincho", "IPAexMincho", "Noto Serif CJK JP"}},
    {"ＭＳ ゴシック", {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP"}},
    {"MS Gothic", {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP"}},
    {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"}},
    {"MS PGothic", {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"}},
};

}  // namespace

void installJapaneseFontSubstitutions() {
    static const bool installed = [] {
        for (const Substitution& s : kSubstitutions) {
            QStringList faces;
            for (const char* face : s.faces) {
                faces << QString::fromUtf8(face);
            }
            QFont::insertSubstitutions(QString::fromUtf8(s.storedName), faces);
        }
        return true;
    }();
    (void)installed;
}
