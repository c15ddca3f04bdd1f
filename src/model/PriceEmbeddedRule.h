#pragma once

#include <string>

// How the shop's registers read a price-embedded code: the two-digit flag
// that marks one (02 or 20 to 29; empty until the shop sets one, so that no
// code is read as carrying a price it may not carry) and the name of its
// layout of item and price digits (barcode/InStoreCode.h lists them).
struct PriceEmbeddedRule {
    std::string flag;
    std::string layout = "5+5";
    bool operator==(const PriceEmbeddedRule&) const = default;
};
