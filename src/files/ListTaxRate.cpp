#include "files/ListTaxRate.h"

#include <array>
#include <string_view>
#include <utility>

#include "files/HeaderName.h"

namespace {

using RateValue = std::pair<std::string_view, TaxRate>;

// Values as foldHeaderName() writes them (full-width digits made ASCII).
constexpr std::array<RateValue, 19> kRates = {{
    {"", TaxRate::Standard},         {"10", TaxRate::Standard},   {"標準", TaxRate::Standard},
    {"標準税率", TaxRate::Standard}, {"課税", TaxRate::Standard}, {"内税", TaxRate::Standard},
    {"外税", TaxRate::Standard},     {"8", TaxRate::Reduced},     {"軽減", TaxRate::Reduced},
    {"軽減税率", TaxRate::Reduced},  {"0", TaxRate::Exempt},      {"非課税", TaxRate::Exempt},
    {"免税", TaxRate::Exempt},       {"不課税", TaxRate::Exempt}, {"対象外", TaxRate::Exempt},
    {"0.1", TaxRate::Standard},      {"0.08", TaxRate::Reduced},  {"10.0", TaxRate::Standard},
    {"8.0", TaxRate::Reduced},
}};

constexpr std::array<RateValue, 12> kReducedFlags = {{
    {"1", TaxRate::Reduced},
    {"○", TaxRate::Reduced},
    {"〇", TaxRate::Reduced},
    {"対象", TaxRate::Reduced},
    {"yes", TaxRate::Reduced},
    {"true", TaxRate::Reduced},
    {"はい", TaxRate::Reduced},
    {"×", TaxRate::Standard},
    {"no", TaxRate::Standard},
    {"false", TaxRate::Standard},
    {"いいえ", TaxRate::Standard},
    {"-", TaxRate::Standard},
}};

template <std::size_t N>
std::optional<TaxRate> lookUp(const std::array<RateValue, N>& values, std::string_view text) {
    for (const auto& [value, rate] : values) {
        if (value == text)
            return rate;
    }
    return std::nullopt;
}

// The value without blanks, in ASCII where it can be, without a percent sign.
std::string foldedValue(const std::string& text) {
    std::string value = foldHeaderName(text);
    if (value.ends_with('%'))
        value.pop_back();
    return value;
}

}  // namespace

std::optional<TaxRate> taxRateFromListText(const std::string& text) {
    return lookUp(kRates, foldedValue(text));
}

std::optional<TaxRate> reducedFlagFromListText(const std::string& text) {
    const std::string value = foldedValue(text);
    if (value == "0")
        return TaxRate::Standard;  // "not reduced", where 0 as a rate is exempt
    if (std::optional<TaxRate> flag = lookUp(kReducedFlags, value))
        return flag;
    return lookUp(kRates, value);
}
