#include "files/HeaderName.h"

#include <array>

#include "model/Utf8Text.h"

namespace {

// Full-width forms of U+FF61..U+FF9D (。 to ン), in order.
constexpr std::array<char32_t, 61> kFullWidthKana = {
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ',
    U'ョ', U'ッ', U'ー', U'ア', U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ',
    U'サ', U'シ', U'ス', U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ',
    U'ネ', U'ノ', U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ', U'ヤ',
    U'ユ', U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン'};

constexpr char32_t kHalfVoiced = U'\uFF9E';      // ﾞ
constexpr char32_t kHalfSemiVoiced = U'\uFF9F';  // ﾟ

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000' || c == U'\uFEFF' || c == U'\u00A0';
}

// The kana with its voiced (or semi-voiced) mark, or 0 when it takes none.
char32_t voiced(char32_t kana, char32_t mark) {
    const bool ha = kana >= U'ハ' && kana <= U'ホ' && (kana - U'ハ') % 3 == 0;
    if (mark == kHalfSemiVoiced)
        return ha ? kana + 2 : 0;
    if (kana == U'ウ')
        return U'ヴ';
    const bool kaToTo = kana >= U'カ' && kana <= U'ト' && kana != U'ッ' &&
                        (kana <= U'チ' ? (kana - U'カ') % 2 == 0 : (kana - U'ツ') % 2 == 0);
    return kaToTo || ha ? kana + 1 : 0;
}

char32_t folded(char32_t c) {
    if (c >= U'\uFF01' && c <= U'\uFF5E')
        c -= 0xFEE0;  // full-width ASCII
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c >= U'\uFF61' && c <= U'\uFF9D')
        return kFullWidthKana[c - U'\uFF61'];
    if (c == kHalfVoiced)
        return U'゛';
    if (c == kHalfSemiVoiced)
        return U'゜';
    return c;
}

}  // namespace

std::string foldHeaderName(std::string_view cell) {
    std::u32string out;
    for (const char32_t c : utf8::toUtf32(cell)) {
        if (isBlank(c))
            continue;
        if ((c == kHalfVoiced || c == kHalfSemiVoiced) && !out.empty()) {
            if (const char32_t joined = voiced(out.back(), c)) {
                out.back() = joined;
                continue;
            }
        }
        out.push_back(folded(c));
    }
    return utf8::fromUtf32(out);
}
