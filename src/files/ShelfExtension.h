#pragma once

#include <array>
#include <span>
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

// Appends the lines `settings` and `sheet` (when given) need; none when they
// use nothing of this. Fails, appending nothing, when a text cannot be
// stored (a double quote, or a character the file's code lacks), naming the
// label or the setting.
Result writeShelfExtension(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet);

// The keys of these lines.
std::span<const std::string_view> shelfExtensionKeys();
// Reads one such line into `settings` (a style) or the label of `sheet` it
// names (details; skipped without a sheet, or for a label without texts).
// False when it is damaged.
bool readShelfExtensionLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                            LabelSheet* sheet);
// The five styles back to their defaults on the pattern's stock, and no
// label with details.
void resetShelfExtension(LayoutSettings& settings, LabelSheet* sheet);
