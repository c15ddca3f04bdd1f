#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "files/CsvText.h"
#include "model/LabelElement.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// What a shop's label shows beside the six texts is kept in lines of the
// same form as the price lines (files/PriceExtension.h), after them:
//
//   "拡張",<element name>,font name,size,bold,italic,colour,visibility caption,0,offset x,offset y
//       the style of 価格見出し, 単位価格, 通常価格, 期間 or 産地, field for
//       field as the 税込 line; only when it differs from the default
//   "拡張","内容量",label number,contents,base quantity
//   "拡張","特売",label number,regular price,period
//   "拡張","原産地",label number,origin
//       label files only; one line per label that has any of it
//
// A sheet and pattern that use none of this write no line at all.

// What the lines hold, as read: the five styles and every label's details.
struct ShelfExtensionLines {
    ShelfExtensionLines();
    std::array<ElementStyle, kShelfTextElements.size()> styles;
    std::vector<ShelfDetails> details;  // labels 1 to 10
};

// Appends the lines `settings` and `sheet` (when given) need; none when they
// use nothing of this. Fails, appending nothing, when a text cannot be
// stored (a double quote, or a character the file's code lacks), naming the
// label or the setting.
Result writeShelfExtension(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet);

// Whether a "拡張" line with this key is one of these.
bool isShelfExtensionKey(std::string_view key);
// Reads one such line into `lines`; false when it is damaged.
bool readShelfExtensionLine(const std::vector<CsvField>& line, ShelfExtensionLines& lines);
// Sets the five styles of `settings`, and the details of the labels of
// `sheet` (when given) that hold texts, from `lines`.
void applyShelfExtension(const ShelfExtensionLines& lines, LayoutSettings& settings,
                         LabelSheet* sheet);
