#pragma once

#include <string>

// What a shop's label tells beside the six texts, as typed or read from a
// list: the contents and the quantity a unit price is given for, a sale's
// regular price and period, and the origin of fresh produce. Each is a text,
// as the price is: what it means is read where it is drawn and checked.
struct ShelfDetails {
    std::string contents;      // 内容量: a number and a unit, "500g", "1.5L", "12枚"
    std::string baseQuantity;  // 基準量: "100g"; empty for the unit's usual quantity
    std::string regularPrice;  // 通常価格: on the same footing as the price box
    std::string salePeriod;    // 期間: "12/10まで"
    std::string origin;        // 産地: "静岡県産"

    bool isEmpty() const {
        return contents.empty() && baseQuantity.empty() && regularPrice.empty() &&
               salePeriod.empty() && origin.empty();
    }
    bool operator==(const ShelfDetails&) const = default;
};
