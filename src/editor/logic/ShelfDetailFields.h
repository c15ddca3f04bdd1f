#pragma once

#include <array>
#include <string>

#include "model/ShelfDetails.h"

// The small fields of the input window for a label's details (contents,
// base quantity, regular price, period, origin): outside the Enter cycle of
// the six boxes, each written into the label the boxes show when it is left.
enum class ShelfDetailField { Contents, BaseQuantity, RegularPrice, SalePeriod, Origin };

struct ShelfDetailFieldInfo {
    ShelfDetailField field;
    std::string ShelfDetails::*text;
    const char* objectName;
    const char* caption;
    const char* hint;  // the example shown while the field is empty
};

inline constexpr std::array<ShelfDetailFieldInfo, 5> kShelfDetailFields = {{
    {ShelfDetailField::Contents, &ShelfDetails::contents, "内容量", "内容量", "500g"},
    {ShelfDetailField::BaseQuantity, &ShelfDetails::baseQuantity, "基準量", "基準量", "100g"},
    {ShelfDetailField::RegularPrice, &ShelfDetails::regularPrice, "通常価格", "通常価格", "1280"},
    {ShelfDetailField::SalePeriod, &ShelfDetails::salePeriod, "期間", "期間", "12/10まで"},
    {ShelfDetailField::Origin, &ShelfDetails::origin, "産地", "産地", "静岡県産"},
}};

inline const ShelfDetailFieldInfo& shelfDetailInfo(ShelfDetailField field) {
    return kShelfDetailFields[static_cast<std::size_t>(field)];
}
