#include "files/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Pair {
    const char* utf8;
    const char* bytes;
};

// Characters with their bytes in the Windows table.
TEST(Cp932, EncodesAndDecodesTheWindowsTable) {
    const Pair cases[] = {
        {"A,\"", "A,\""},
        {"～", "\x81\x60"},
        {"－", "\x81\x7C"},
        {"∥", "\x81\x61"},
        {"￢", "\x81\xCA"},
        {"＼", "\x81\x5F"},
        {"\\", "\\"},
        {"~", "~"},
        {"①", "\x87\x40"},
        {"㈱", "\x87\x8A"},
        {"髙", "\xFB\xFC"},
        {"纊", "\xFA\x5C"},
        {"…", "\x81\x63"},
        {"ｱﾟ", "\xB1\xDF"},
        {"棚札", "\x92\x49\x8E\x44"},
        {"ＭＳ 明朝", "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9"},
        {"\x1A\x1C\x7F", "\x1A\x1C\x7F"},
        {"\xEE\x80\x80", "\xF0\x40"},  // first user-defined character, U+E000
        {"", ""},
    };
    for (const Pair& c : cases) {
        SCOPED_TRACE(c.utf8);
        const std::optional<std::string> encoded = cp932::encode(c.utf8);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(*encoded, c.bytes);
        EXPECT_EQ(cp932::decode(c.bytes), c.utf8);
    }
}

// Single bytes outside the C library's table: Windows reads them as code
// points of their own, and they must be written back as the same bytes.
TEST(Cp932, KeepsTheSingleBytesWindowsMapsToCodePointsOfTheirOwn) {
    const Pair cases[] = {
        {"\u0080", "\x80"}, {"\uF8F0", "\xA0"}, {"\uF8F1", "\xFD"},
        {"\uF8F2", "\xFE"}, {"\uF8F3", "\xFF"},
    };
    for (const Pair& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(cp932::decode(c.bytes), c.utf8);
        EXPECT_EQ(cp932::encode(c.utf8), std::optional<std::string>(c.bytes));
    }
    EXPECT_EQ(cp932::decode("a\x80\xA0z\xFD\xFE\xFF"), "a\u0080\uF8F0z\uF8F1\uF8F2\uF8F3");
}

// The C library maps these onto other characters without an error; they would
// come back as something else, so they are refused.
TEST(Cp932, RefusesTextsThatDoNotSurvive) {
    const char* refused[] = {
        "¥",  // U+00A5 would become a backslash
        "‾",
        "😀",             // outside the table altogether
        "한",            // Hangul
        "\uFFFD",        // a byte that could not be read
        "\xC3",          // malformed UTF-8
        "\xC0\x80",      // overlong form of NUL
        "\xED\xA0\x80",  // a surrogate
        "\u0081",
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(cp932::encode(text).has_value());
        EXPECT_FALSE(cp932::canEncode(text));
        EXPECT_FALSE(cp932::canEncode(std::string("商品") + text + "名"));
    }
    EXPECT_TRUE(cp932::canEncode("商品名 ① ㈱ 髙"));
}

// Input methods outside Windows type these marks at other code points than
// Windows has for them; they are stored as Windows' bytes for the same marks
// and come back as Windows' characters.
TEST(Cp932, WritesTheMarksTypedOutsideWindowsAsWindowsBytes) {
    struct Mark {
        const char* typed;
        const char* bytes;
        const char* readBack;
    };
    const Mark cases[] = {
        {"〜", "\x81\x60", "～"},  // U+301C -> U+FF5E
        {"−", "\x81\x7C", "－"},   // U+2212 -> U+FF0D
        {"‖", "\x81\x61", "∥"},    // U+2016 -> U+2225
        {"—", "\x81\x5C", "―"},    // U+2014 -> U+2015
        {"¢", "\x81\x91", "￠"},   // U+00A2 -> U+FFE0
        {"£", "\x81\x92", "￡"},   // U+00A3 -> U+FFE1
        {"¬", "\x81\xCA", "￢"},   // U+00AC -> U+FFE2
        {"お〜いお茶", "\x82\xA8\x81\x60\x82\xA2\x82\xA8\x92\x83", "お～いお茶"},
    };
    for (const Mark& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(cp932::encode(c.typed), std::optional<std::string>(c.bytes));
        EXPECT_TRUE(cp932::canEncode(c.typed));
        EXPECT_FALSE(cp932::firstUnencodable(c.typed).has_value());
        EXPECT_EQ(cp932::decode(c.bytes), c.readBack);
        EXPECT_EQ(cp932::encode(c.readBack), std::optional<std::string>(c.bytes));
    }
}

// The character a refusal names: the first one that cannot be stored.
TEST(Cp932, NamesTheFirstCharacterThatCannotBeStored) {
    struct Case {
        const char* text;
        std::optional<std::string> character;
    };
    const Case cases[] = {
        {"お〜いお茶", std::nullopt}, {"寿司🍣と😀", "🍣"}, {"€5", "€"}, {"吉と𠮷", "𠮷"},
        {"ab\xC3", "\uFFFD"},  // a malformed byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(cp932::firstUnencodable(c.text), c.character) << c.text;
}

TEST(Cp932, DecodesTheDuplicateNecAndIbmCodesToOneCharacter) {
    const Pair cases[] = {
        {"纊", "\xFA\x5C"}, {"纊", "\xED\x40"}, {"髙", "\xEE\xE0"},
        {"髙", "\xFB\xFC"}, {"㈱", "\xFA\x58"}, {"㈱", "\x87\x8A"},
        {"∵", "\x87\x9A"},  {"∵", "\xFA\x5B"},  {"∵", "\x81\xE6"},
    };
    for (const Pair& c : cases)
        EXPECT_EQ(cp932::decode(c.bytes), c.utf8) << c.bytes;
}

// Every byte becomes something: sequences without a meaning become U+FFFD,
// one per byte, and never swallow a following quote, comma or line end.
TEST(Cp932, DecodesUnreadableBytesAsReplacementCharacters) {
    const Pair cases[] = {
        {"\uFFFD", "\x81"},            // lead byte at the end
        {"\uFFFD\"", "\x81\""},        // lead byte before a quote
        {"\uFFFD,\r\n", "\x9F,\r\n"},  // lead byte before a comma and a line end
        {"\uFFFD\uFFFD", "\x85\x40"},  // an unassigned pair
        {"a\uFFFD0b",
         "a\xFC\x30"
         "b"},  // 0x30 ("0") cannot follow a lead byte
    };
    for (const Pair& c : cases)
        EXPECT_EQ(cp932::decode(c.bytes), c.utf8) << c.bytes;
}

// Every two-byte sequence with a meaning is written back as itself, except the
// duplicates, for which Windows too writes one preferred form: the NEC row 13
// copies of JIS symbols, the NEC-selected IBM extensions (rows 89 to 92) and
// the IBM copies of NEC symbols and Roman numerals.
TEST(Cp932, WritesEveryPairBackExceptTheDuplicates) {
    std::vector<std::pair<int, int>> changedRanges;
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = cp932::decode(bytes);
            if (text.find("\uFFFD") != std::string::npos)
                continue;
            ++valid;
            const std::optional<std::string> again = cp932::encode(text);
            ASSERT_TRUE(again.has_value()) << std::hex << lead << " " << trail;
            EXPECT_EQ(cp932::decode(*again), text);
            if (*again == bytes)
                continue;
            const int code = lead * 256 + trail;
            if (!changedRanges.empty() && changedRanges.back().second == code - 1) {
                changedRanges.back().second = code;
            } else {
                changedRanges.push_back({code, code});
            }
        }
    }
    // Pairs with a meaning, the 1880 user-defined ones (F040..F9FC) included.
    EXPECT_EQ(valid, 17860);
    const std::vector<std::pair<int, int>> expected = {
        {0x8790, 0x8792}, {0x8795, 0x8797}, {0x879A, 0x879C}, {0xED40, 0xED7E}, {0xED80, 0xEDFC},
        {0xEE40, 0xEE7E}, {0xEE80, 0xEEEC}, {0xEEEF, 0xEEFC}, {0xFA4A, 0xFA54}, {0xFA58, 0xFA5B},
    };
    EXPECT_EQ(changedRanges, expected);
}

TEST(Cp932, SingleBytesAllReadAndWriteBack) {
    for (int b = 0; b <= 0xFF; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead)
            continue;
        const std::string bytes(1, static_cast<char>(b));
        EXPECT_EQ(cp932::encode(cp932::decode(bytes)), std::optional<std::string>(bytes)) << b;
    }
}

}  // namespace
