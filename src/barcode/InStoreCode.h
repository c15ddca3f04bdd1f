#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/PriceEmbeddedRule.h"

// What a shop's JAN code is: a maker's code from a registered prefix, a code
// the shop numbers itself (starting 02 or 20 to 29; 2 for eight digits), or
// a code whose digits carry the price, as the shop's registers read it.
enum class JanCodeKind { Maker, InStore, PriceEmbedded };

// How a register reads a price-embedded code after its two-digit flag: the
// item digits, then (in some layouts) one digit the register does not read
// as price, then the price digits in yen, then the check digit.
struct PriceEmbeddedLayout {
    std::string_view name;
    int itemDigits;
    int skippedDigits;
    int priceDigits;
};

// The layouts registers use; every one fills thirteen digits.
std::span<const PriceEmbeddedLayout> priceEmbeddedLayouts();
const PriceEmbeddedLayout* priceEmbeddedLayoutNamed(std::string_view name);

// True for a flag the shop can use: 02 or 20 to 29.
bool isInStoreFlag(std::string_view twoDigits);

// The kind of a valid JAN code (13 or 8 digits, check digit right); nothing
// for any other text.
std::optional<JanCodeKind> janCodeKind(std::string_view code, const PriceEmbeddedRule& rule);

// The price in yen a price-embedded code carries under `rule`; nothing for a
// code that is not one.
std::optional<std::int64_t> embeddedPrice(std::string_view code, const PriceEmbeddedRule& rule);

// Consecutive in-store codes: `count` codes from the twelve digits `first`,
// each with its check digit. Nothing when `first` is no in-store start (twelve
// digits with flag 02 or 20 to 29) or when the codes would run past the flag.
std::optional<std::vector<std::string>> inStoreCodes(std::string_view first, int count);

// The twelve digits after `code`'s (a code from inStoreCodes()); nothing when
// the flag's numbers are used up.
std::optional<std::string> nextInStoreStart(std::string_view code);
