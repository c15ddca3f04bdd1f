#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/CsvText.h"

namespace {

std::vector<CsvField> readAll(std::string_view bytes) {
    CsvFieldReader reader(bytes);
    std::vector<CsvField> fields;
    while (auto f = reader.next()) {
        fields.push_back(*f);
        if (fields.size() > 1000)
            break;
    }
    return fields;
}

// "q:" marks a quoted field, "u:" an unquoted one.
std::vector<std::string> describe(const std::vector<CsvField>& fields) {
    std::vector<std::string> out;
    for (const CsvField& f : fields)
        out.push_back((f.quoted ? "q:" : "u:") + f.text);
    return out;
}

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<std::string> fields;
};

TEST(CsvFieldReader, SplitsFieldsByCommaAndLineEnd) {
    const ReaderCase cases[] = {
        {"one line", "\"a\",12,#TRUE#\r\n", {"q:a", "u:12", "u:#TRUE#"}},
        {"line ends do not matter", "\"a\",\"b\"\r\n\"c\"\r\n", {"q:a", "q:b", "q:c"}},
        {"bare LF and CR", "a\nb\rc\r\nd", {"u:a", "u:b", "u:c", "u:d"}},
        {"blanks before a field", "  \"a\",\t b  ,c", {"q:a", "u:b", "u:c"}},
        {"blanks inside quotes kept",
         "\" 1\",\"\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9 \"",
         {"q: 1", "q:ＭＳ 明朝 "}},
        {"comma inside quotes", "\"a,b\",c", {"q:a,b", "u:c"}},
        {"after the closing quote up to the comma is dropped",
         "\"ab\"xy,\"c\"zz\r\nd",
         {"q:ab", "q:c", "u:d"}},
        {"a quote inside ends the field", "\"say \"hi\"\",x", {"q:say ", "u:x"}},
        {"line end inside quotes", "\"a\r\nb\",c", {"q:a\r\nb", "u:c"}},
        {"empty fields", ",,\r\n", {"u:", "u:", "u:"}},
        {"empty quoted fields", "\"\",\"\"", {"q:", "q:"}},
        {"empty line", "a\r\n\r\nb", {"u:a", "u:", "u:b"}},
        {"unclosed quote runs to the end", "x,\"abc", {"u:x", "q:abc"}},
        {"nothing", "", {}},
        {"only blanks", "   ", {}},
        {"CP932 decoded", "\"\x92\x49\x8E\x44\",\x87\x40", {"q:棚札", "u:①"}},
        {"0x5C trail byte is not an escape", "\"\x95\x5C\",\"\x83\x5C\"", {"q:表", "q:ソ"}},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(describe(readAll(c.input)), c.fields) << c.name;
    }
}

TEST(CsvFieldReader, ReachesTheEndOfAnyInput) {
    // Bytes that could trouble a reader: lone quotes, lead bytes before separators, NULs.
    const std::string inputs[] = {"\"",     "\"\"\"",    ",",
                                  "\r",     "\n\n\n",    "\x81",
                                  "\x81\"", "\x81,\x81", std::string("a\0b,\0", 5)};
    for (const std::string& input : inputs) {
        CsvFieldReader reader(input);
        int count = 0;
        while (reader.next())
            ASSERT_LE(++count, static_cast<int>(input.size()) + 1);
    }
}

struct IntCase {
    const char* text;
    bool quoted;
    std::optional<std::int32_t> value;
};

TEST(CsvConversions, Int16RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
    const IntCase cases[] = {
        {"12", false, 12},
        {"-3", false, -3},
        {"+4", false, 4},
        {"10.5", false, 10},
        {"11.5", false, 12},
        {"-10.5", false, -10},
        {"2.5", false, 2},
        {"0.5", false, 0},
        {"10.51", false, 11},
        {"1e1", false, 10},
        {"1.5E+1", false, 15},
        {"12", true, 12},
        {"32767", false, 32767},
        {"-32768", false, -32768},
        {"32768", false, std::nullopt},
        {"32767.5", false, std::nullopt},
        {"-32768.5", false, -32768},
        {"-32769", false, std::nullopt},
        {"1e400", false, std::nullopt},
        {"", false, std::nullopt},
        {"abc", false, std::nullopt},
        {"12abc", false, std::nullopt},
        {"1 2", false, std::nullopt},
        {"#TRUE#", false, std::nullopt},
        {".", false, std::nullopt},
        {"-", false, std::nullopt},
        {"0x10", false, std::nullopt},
        {"nan", false, std::nullopt},
        {"inf", false, std::nullopt},
    };
    for (const IntCase& c : cases) {
        const std::optional<std::int16_t> v = fieldToInt16({c.text, c.quoted});
        EXPECT_EQ(v.has_value(), c.value.has_value()) << c.text;
        if (v && c.value) {
            EXPECT_EQ(*v, *c.value) << c.text;
        }
    }
}

TEST(CsvConversions, Int32HoldsEveryColour) {
    const IntCase cases[] = {
        {"0", false, 0},
        {"255", false, 255},
        {"16777215", false, 16777215},
        {"2147483647", false, 2147483647},
        {"-2147483648", false, -2147483647 - 1},
        {"2147483648", false, std::nullopt},
        {"65280.5", false, 65280},
        {"red", false, std::nullopt},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(fieldToInt32({c.text, c.quoted}), c.value) << c.text;
    }
}

TEST(CsvConversions, BoolTakesTheLiteralsAndAnyNumber) {
    struct Case {
        const char* text;
        bool quoted;
        std::optional<bool> value;
    };
    const Case cases[] = {
        {"#TRUE#", false, true},       {"#FALSE#", false, false}, {"1", false, true},
        {"-1", false, true},           {"0", false, false},       {"0.0", false, false},
        {"0.4", false, true},          {"1", true, true},         {"#TRUE#", true, std::nullopt},
        {"TRUE", false, std::nullopt}, {"", false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fieldToBool({c.text, c.quoted}), c.value) << c.text;
}

TEST(CsvConversions, LeadingNumberReadsTheNumericStartOfAText) {
    const std::pair<const char*, std::int64_t> cases[] =
        {
            {" 1", 1},  {" 10", 10}, {" 11", 11},  {"", 0},    {"  ", 0},
            {"abc", 0}, {"3abc", 3}, {" 2.5x", 2}, {"3.5", 4}, {"-1", -1},
            {"7 8", 7}, {"1e1", 10}, {"１", 0},  // full-width digits are not a number
        };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(leadingNumber(text), value) << text;
    EXPECT_GT(leadingNumber("99999999999999999999999"), 10);
    EXPECT_LT(leadingNumber("-1e300"), 1);
}

TEST(CsvConversions, RoundHalfEven) {
    const std::pair<double, double> cases[] = {{10.5, 10}, {11.5, 12}, {0.5, 0},  {1.5, 2},
                                               {-0.5, 0},  {-1.5, -2}, {2.4, 2},  {2.6, 3},
                                               {-2.6, -3}, {7, 7},     {-2.5, -2}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
}

TEST(CsvLineWriter, WritesTheFileForm) {
    CsvLineWriter w;
    w.text("ＭＳ 明朝");
    w.number(12);
    w.number(-3);
    w.boolean(false);
    w.boolean(true);
    w.text("a,b");
    w.text("");
    w.endLine();
    w.number(16777215);
    w.endLine();
    EXPECT_EQ(w.result(), "\"ＭＳ 明朝\",12,-3,#FALSE#,#TRUE#,\"a,b\",\"\"\r\n16777215\r\n");
}

}  // namespace
