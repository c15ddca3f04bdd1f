#include <gtest/gtest.h>

#include <array>
#include <string>

#include "barcode/JanCode.h"

namespace {

// The EAN/UPC symbology's own tables, written out independently of the encoder.
constexpr std::array<const char*, 10> kSetA = {"0001101", "0011001", "0010011", "0111101",
                                               "0100011", "0110001", "0101111", "0111011",
                                               "0110111", "0001011"};
constexpr std::array<const char*, 10> kSetB = {"0100111", "0110011", "0011011", "0100001",
                                               "0011101", "0111001", "0000101", "0010001",
                                               "0001001", "0010111"};
constexpr std::array<const char*, 10> kSetC = {"1110010", "1100110", "1101100", "1000010",
                                               "1011100", "1001110", "1010000", "1000100",
                                               "1001000", "1110100"};
// Parity of the six left digits by first digit (A odd, B even).
constexpr std::array<const char*, 10> kFirstDigitParity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA",
                                                           "ABAABB", "ABBAAB", "ABBBAA", "ABABAB",
                                                           "ABABBA", "ABBABA"};

int digitAt(const std::string& code, std::size_t i) {
    return code[i] - '0';
}

// The seven modules of symbol digit `k` (0-based) after the start guard.
std::string leftDigitModules(const std::string& pattern, std::size_t k) {
    return pattern.substr(12 + 7 * k, 7);
}

std::string rightDigitModules(const std::string& pattern, std::size_t k, std::size_t half) {
    return pattern.substr(12 + 7 * half + 5 + 7 * k, 7);
}

TEST(CheckJanCode, WorkedExamples) {
    const JanCheck good = checkJanCode("4901234567894");
    EXPECT_TRUE(good.valid);
    EXPECT_EQ(good.dataDigits, "490123456789");
    EXPECT_EQ(good.checkDigit, '4');
    EXPECT_EQ(good.completedCode(), "4901234567894");

    const JanCheck wrong = checkJanCode("4901234567890");
    EXPECT_FALSE(wrong.valid);
    EXPECT_EQ(wrong.dataDigits, "490123456789");
    EXPECT_EQ(wrong.checkDigit, '4');

    const JanCheck shortCode = checkJanCode("49123456");
    EXPECT_TRUE(shortCode.valid);
    EXPECT_EQ(shortCode.dataDigits, "4912345");
    EXPECT_EQ(shortCode.checkDigit, '6');
}

TEST(CheckJanCode, EveryOtherLastDigitIsRefused) {
    for (char last = '0'; last <= '9'; ++last) {
        const std::string code13 = std::string("490123456789") + last;
        EXPECT_EQ(checkJanCode(code13).valid, last == '4') << code13;
        const std::string code8 = std::string("4912345") + last;
        EXPECT_EQ(checkJanCode(code8).valid, last == '6') << code8;
    }
}

TEST(CheckJanCode, RefusesWhatIsNotThirteenOrEightDigits) {
    for (const char* code :
         {"490123456789X", "4901234a", "A912345X", "4901234 6", "490123456789", "49012345678940",
          "4912345", "", "49 23456", "４９０１２３４５６７８９４", "-4912345"}) {
        const JanCheck check = checkJanCode(code);
        EXPECT_FALSE(check.valid) << code;
        EXPECT_EQ(buildModulePattern(code), "") << code;
    }
}

TEST(BuildModulePattern, WorkedExampleThirteenDigits) {
    EXPECT_EQ(buildModulePattern("4901234567894"),
              "00000000020200010110100111001100100100110100001001110103030100111010100001000100"
              "100100011101001011100404000000000");
}

TEST(BuildModulePattern, WorkedExampleEightDigits) {
    const std::string pattern = buildModulePattern("49123456");
    ASSERT_EQ(pattern.size(), 85u);
    EXPECT_EQ(pattern.substr(0, 45), "000000000202010001100010110011001001001103030");
    // The right half in set C: 3 4 5 6.
    EXPECT_EQ(pattern.substr(45, 28), "1000010101110010011101010000");
    EXPECT_EQ(pattern.substr(73), "404000000000");
}

TEST(BuildModulePattern, GuardsAndQuietZones) {
    for (const char* code : {"4901234567894", "0234567890129", "49123456", "49012347"}) {
        const std::string pattern = buildModulePattern(code);
        const std::size_t n = std::string(code).size() == 13 ? 113 : 85;
        ASSERT_EQ(pattern.size(), n) << code;
        EXPECT_EQ(pattern.substr(0, 12), "000000000202") << code;
        const std::size_t centre = 12 + 7 * (n == 113 ? 6 : 4);
        EXPECT_EQ(pattern.substr(centre, 5), "03030") << code;
        EXPECT_EQ(pattern.substr(n - 12), "404000000000") << code;
        // Only the guards use the guard characters.
        for (std::size_t i = 0; i < n; ++i) {
            const bool guard =
                (i >= 8 && i < 12) || (i >= centre && i < centre + 5) || (i >= n - 12 && i < n - 8);
            if (!guard) {
                EXPECT_TRUE(pattern[i] == '0' || pattern[i] == '1') << code << " " << i;
            }
        }
    }
    // Positions counted from 1 as a reader of the pattern counts them.
    const std::string p = buildModulePattern("4901234567894");
    EXPECT_EQ(p[10 - 1], '2');
    EXPECT_EQ(p.substr(55 - 1, 5), "03030");
    EXPECT_EQ(p.substr(102 - 1, 3), "404");
}

// For every first digit the six left digits follow the symbology's parity
// table, and the right digits are set C.
TEST(BuildModulePattern, FirstDigitSelectsTheStandardParity) {
    const std::array<const char*, 10> codes = {
        "0234567890129", "1234567890128", "2234567890127", "3234567890126", "4234567890125",
        "5234567890124", "6234567890123", "7234567890122", "8234567890121", "9234567890120"};
    for (int first = 0; first <= 9; ++first) {
        const std::string code = codes[static_cast<std::size_t>(first)];
        ASSERT_TRUE(checkJanCode(code).valid) << code;
        const std::string pattern = buildModulePattern(code);
        ASSERT_EQ(pattern.size(), 113u) << code;
        const std::string parity = kFirstDigitParity[static_cast<std::size_t>(first)];
        for (std::size_t k = 0; k < 6; ++k) {
            const int d = digitAt(code, k + 1);
            const char* expected = parity[k] == 'A' ? kSetA[static_cast<std::size_t>(d)]
                                                    : kSetB[static_cast<std::size_t>(d)];
            EXPECT_EQ(leftDigitModules(pattern, k), expected) << code << " digit " << k + 2;
        }
        for (std::size_t k = 0; k < 6; ++k) {
            const int d = digitAt(code, k + 7);
            EXPECT_EQ(rightDigitModules(pattern, k, 6), kSetC[static_cast<std::size_t>(d)])
                << code << " digit " << k + 8;
        }
    }
}

TEST(BuildModulePattern, EightDigitsUseSetAThenSetC) {
    const std::string code = "96385074";
    ASSERT_TRUE(checkJanCode(code).valid);
    const std::string pattern = buildModulePattern(code);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(leftDigitModules(pattern, k), kSetA[static_cast<std::size_t>(digitAt(code, k))]);
        EXPECT_EQ(rightDigitModules(pattern, k, 4),
                  kSetC[static_cast<std::size_t>(digitAt(code, k + 4))]);
    }
}

TEST(CorrectJanCheckDigit, ReplacesTheLastCharacter) {
    struct Case {
        const char* typed;
        const char* corrected;
    };
    const Case cases[] = {
        {"4901234567899", "4901234567894"},
        {"4901234567894", "4901234567894"},
        {"49012340", "49012347"},
        {"49123456", "49123456"},
        {"490123456789", "490123456789"},      // 12 characters: unchanged
        {"4901234", "4901234"},                // 7
        {"", ""},                              // 0
        {"49012345678901", "49012345678901"},  // 14
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKL0"},    // letters count as 0
        {"4901234X", "49012347"},
        // Thirteen full-width digits are thirteen characters; each counts as 0.
        {"４９０１２３４５６７８９４", "４９０１２３４５６７８９0"},
        // Sixteen bytes but six characters: unchanged.
        {"４９０１２3", "４９０１２3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(correctJanCheckDigit(c.typed), c.corrected) << c.typed;
}

// The correction and the check agree: a corrected code always passes, and a
// code that passes is left as it is.
TEST(CorrectJanCheckDigit, AgreesWithCheckJanCode) {
    std::uint32_t seed = 12345;
    auto nextDigit = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<char>('0' + (seed >> 16) % 10);
    };
    for (int round = 0; round < 500; ++round) {
        for (std::size_t length : {13u, 8u}) {
            std::string code;
            for (std::size_t i = 0; i < length; ++i)
                code.push_back(nextDigit());
            const std::string corrected = correctJanCheckDigit(code);
            const JanCheck check = checkJanCode(corrected);
            ASSERT_TRUE(check.valid) << code << " -> " << corrected;
            EXPECT_EQ(correctJanCheckDigit(corrected), corrected);
            EXPECT_EQ(check.completedCode(), corrected);
            EXPECT_EQ(checkJanCode(code).valid, code == corrected) << code;
        }
    }
}

}  // namespace
