#include "platform/JapaneseTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace {

// The few texts of the dialogs the program shows that Qt's Japanese catalogue
// leaves in English (the folder type in the file dialogs, the duplex options
// and the advanced tab of the printer dialog). Asked only after the catalogue.
class MissingQtTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        struct Text {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "フォルダー"},
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},
            {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
            {"QPrintSettingsOutput", "Off", "しない"},
            {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
            {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
            {"QPrintSettingsOutput", "Pages", "ページ指定"},
            {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
            {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
             "一部のオプションが矛盾しています。直してください。"},
        };
        if (context == nullptr || sourceText == nullptr) {
            return {};
        }
        for (const Text& t : kTexts) {
            if (std::strcmp(context, t.context) == 0 && std::strcmp(sourceText, t.source) == 0) {
                return QString::fromUtf8(t.japanese);
            }
        }
        return {};
    }

    bool isEmpty() const override { return false; }
};

}  // namespace

bool installJapaneseTranslation(QCoreApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Installed first, so asked last: the catalogue below answers first.
    QCoreApplication::installTranslator(new MissingQtTexts(&app));

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds every text of the widgets and dialogs the program uses;
    // qt_ja is the catalogue that pulls in all of Qt's modules, a fallback
    // for installations that ship only that.
    for (const char* catalogue : {"qtbase_ja", "qt_ja"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLatin1String(catalogue), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}
