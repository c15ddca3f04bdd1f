#include "files/SearchText.h"

#include <array>

#include "model/Utf8Text.h"

namespace {

constexpr char32_t kVoicedMark = U'\u309B';      // ゛
constexpr char32_t kSemiVoicedMark = U'\u309C';  // ゜

// Full-width forms of the half-width katakana block U+FF61..U+FF9F, in order.
constexpr std::array<char32_t, 63> kHalfWidthKana = {
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ',       U'ィ',          U'ゥ', U'ェ', U'ォ',
    U'ャ', U'ュ', U'ョ', U'ッ', U'ー', U'ア', U'イ',       U'ウ',          U'エ', U'オ', U'カ',
    U'キ', U'ク', U'ケ', U'コ', U'サ', U'シ', U'ス',       U'セ',          U'ソ', U'タ', U'チ',
    U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ', U'ネ',       U'ノ',          U'ハ', U'ヒ', U'フ',
    U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ',       U'ヤ',          U'ユ', U'ヨ', U'ラ',
    U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン', kVoicedMark, kSemiVoicedMark};

bool isBlankOrControl(char32_t c) {
    return c <= 0x20 || c == 0x7F || c == U'\u3000' || c == U'\uFEFF';
}

// One character in its folded form, before voiced marks are joined.
char32_t foldOne(char32_t c) {
    if (c >= U'\uFF01' && c <= U'\uFF5E')  // full-width ASCII
        c -= 0xFEE0;
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c >= U'\u3041' && c <= U'\u3096')  // hiragana
        return c + 0x60;
    if (c >= U'\uFF61' && c <= U'\uFF9F')
        return kHalfWidthKana[c - U'\uFF61'];
    if (c == U'\u3099')  // combining voiced marks
        return kVoicedMark;
    if (c == U'\u309A')
        return kSemiVoicedMark;
    return c;
}

// The katakana `kana` with the voiced (or semi-voiced) mark, or 0 when it
// takes none. In the katakana block a voiced kana follows its plain one, and
// the semi-voiced one follows that for ハ to ホ.
char32_t joinMark(char32_t kana, char32_t mark) {
    const bool hToHo = kana >= U'ハ' && kana <= U'ホ' && (kana - U'ハ') % 3 == 0;
    if (mark == kSemiVoicedMark)
        return hToHo ? kana + 2 : 0;
    if (kana == U'ウ')
        return U'ヴ';
    const bool kToTo = (kana >= U'カ' && kana <= U'チ' && (kana - U'カ') % 2 == 0) ||
                       kana == U'ツ' || kana == U'テ' || kana == U'ト';
    return kToTo || hToHo ? kana + 1 : 0;
}

}  // namespace

std::string foldForSearch(std::string_view text) {
    std::u32string folded;
    folded.reserve(text.size());
    for (const char32_t original : utf8::toUtf32(text)) {
        if (isBlankOrControl(original))
            continue;
        const char32_t c = foldOne(original);
        if ((c == kVoicedMark || c == kSemiVoicedMark) && !folded.empty()) {
            if (const char32_t joined = joinMark(folded.back(), c)) {
                folded.back() = joined;
                continue;
            }
        }
        folded.push_back(c);
    }
    return utf8::fromUtf32(folded);
}
