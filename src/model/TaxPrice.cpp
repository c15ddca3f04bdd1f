#include "model/TaxPrice.h"

#include "model/Blanks.h"
#include "model/Utf8Text.h"

namespace {

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000';
}

// The value of an ASCII or full-width digit, or -1.
int digitValue(char32_t c) {
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'０' && c <= U'９')
        return static_cast<int>(c - U'０');
    return -1;
}

// A price as a person typed it, without the blanks (the ideographic space too) around it.
std::u32string_view trimPriceBlanks(std::u32string_view s) {
    return trimBlanks(s, isBlank);
}

}  // namespace

ParsedPrice parsePriceText(std::string_view text) {
    const std::u32string wide = utf8::toUtf32(text);
    std::u32string_view s = trimPriceBlanks(wide);
    if (s.empty())
        return {PriceReading::Empty, 0};
    if (s.front() == U'¥' || s.front() == U'￥' || s.front() == U'\\')
        s = trimPriceBlanks(s.substr(1));
    if (!s.empty() && s.back() == U'円')
        s = trimPriceBlanks(s.substr(0, s.size() - 1));

    std::int64_t yen = 0;
    bool anyDigit = false;
    bool tooLarge = false;
    for (char32_t c : s) {
        if (c == U',' || c == U'，')
            continue;
        const int d = digitValue(c);
        if (d < 0)
            return {PriceReading::NotWholeYen, 0};
        anyDigit = true;
        if (!tooLarge)
            yen = yen * 10 + d;
        tooLarge = tooLarge || yen > kMaxPriceYen;
    }
    if (!anyDigit)
        return {PriceReading::NotWholeYen, 0};
    if (tooLarge)
        return {PriceReading::TooLarge, 0};
    return {PriceReading::Yen, yen};
}

std::int64_t taxIncludedYen(std::int64_t baseYen, TaxRate rate, TaxRounding rounding) {
    const std::int64_t hundredths = baseYen * (100 + ratePercent(rate));
    switch (rounding) {
        case TaxRounding::Floor:
            return hundredths / 100;
        case TaxRounding::HalfUp:
            return (hundredths + 50) / 100;
        case TaxRounding::Ceiling:
            return (hundredths + 99) / 100;
    }
    return hundredths / 100;
}

std::string groupThousands(std::int64_t yen) {
    const std::string digits = std::to_string(yen);
    std::string out;
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i >= lead && (i - lead) % 3 == 0 && i != 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string taxLineText(std::int64_t taxIncludedYen) {
    return "税込 " + groupThousands(taxIncludedYen) + "円";
}

std::string baseLineText(std::int64_t baseYen) {
    return "本体 " + groupThousands(baseYen) + "円";
}

std::optional<std::string> taxLineFor(const LabelRecord& label, const PricePattern& pattern) {
    if (!typedPriceIsBase(pattern.mode))
        return std::nullopt;
    const ParsedPrice price = parsePriceText(label.price);
    if (price.reading != PriceReading::Yen)
        return std::nullopt;
    // The big price shows the other one: the small line gives what it does not.
    if (pattern.mode == PriceMode::TaxIncludedWithBase)
        return baseLineText(price.yen);
    return taxLineText(taxIncludedYen(price.yen, label.taxRate, pattern.rounding));
}

std::optional<PriceReading> missingTaxLine(const LabelRecord& label, const PricePattern& pattern) {
    if (!typedPriceIsBase(pattern.mode))
        return std::nullopt;
    const PriceReading reading = parsePriceText(label.price).reading;
    if (reading == PriceReading::Yen || reading == PriceReading::Empty)
        return std::nullopt;
    return reading;
}
