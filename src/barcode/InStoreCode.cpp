#include "barcode/InStoreCode.h"

#include <algorithm>
#include <array>

#include "barcode/JanCode.h"

namespace {

// Item, unread and price digits after the flag; with the check digit they
// make thirteen.
constexpr std::array<PriceEmbeddedLayout, 3> kLayouts = {{
    {"5+5", 5, 0, 5},
    {"6+4", 6, 0, 4},
    {"5+1+4", 5, 1, 4},
}};

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string withCheckDigit(std::string_view twelve) {
    return checkJanCode(std::string(twelve) + '0').completedCode();
}

// The flag's numbers end where the first two digits would change.
bool sameFlag(std::string_view a, std::string_view b) {
    return a.substr(0, 2) == b.substr(0, 2);
}

// The twelve digits one above `digits`, or nothing past 999999999999.
std::optional<std::string> increment(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return std::nullopt;
}

}  // namespace

std::span<const PriceEmbeddedLayout> priceEmbeddedLayouts() {
    return kLayouts;
}

const PriceEmbeddedLayout* priceEmbeddedLayoutNamed(std::string_view name) {
    for (const PriceEmbeddedLayout& layout : kLayouts) {
        if (layout.name == name)
            return &layout;
    }
    return nullptr;
}

bool isInStoreFlag(std::string_view twoDigits) {
    return twoDigits.size() == 2 && allDigits(twoDigits) &&
           (twoDigits == "02" || twoDigits[0] == '2');
}

std::optional<JanCodeKind> janCodeKind(std::string_view code, const PriceEmbeddedRule& rule) {
    if (!checkJanCode(code).valid)
        return std::nullopt;
    if (code.size() == 8)
        return code[0] == '2' ? JanCodeKind::InStore : JanCodeKind::Maker;
    if (!isInStoreFlag(code.substr(0, 2)))
        return JanCodeKind::Maker;
    if (!rule.flag.empty() && code.substr(0, 2) == rule.flag &&
        priceEmbeddedLayoutNamed(rule.layout))
        return JanCodeKind::PriceEmbedded;
    return JanCodeKind::InStore;
}

std::optional<std::int64_t> embeddedPrice(std::string_view code, const PriceEmbeddedRule& rule) {
    if (janCodeKind(code, rule) != JanCodeKind::PriceEmbedded)
        return std::nullopt;
    const PriceEmbeddedLayout& layout = *priceEmbeddedLayoutNamed(rule.layout);
    const auto start = static_cast<std::size_t>(2 + layout.itemDigits + layout.skippedDigits);
    std::int64_t yen = 0;
    for (char c : code.substr(start, static_cast<std::size_t>(layout.priceDigits)))
        yen = yen * 10 + (c - '0');
    return yen;
}

std::optional<std::vector<std::string>> inStoreCodes(std::string_view first, int count) {
    if (first.size() != 12 || !allDigits(first) || !isInStoreFlag(first.substr(0, 2)) || count < 0)
        return std::nullopt;
    std::vector<std::string> codes;
    std::string digits(first);
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            std::optional<std::string> next = increment(digits);
            if (!next || !sameFlag(*next, first))
                return std::nullopt;
            digits = *std::move(next);
        }
        codes.push_back(withCheckDigit(digits));
    }
    return codes;
}

std::optional<std::string> nextInStoreStart(std::string_view code) {
    if (code.size() != 13)
        return std::nullopt;
    std::optional<std::string> next = increment(std::string(code.substr(0, 12)));
    if (!next || !sameFlag(*next, code))
        return std::nullopt;
    return next;
}
