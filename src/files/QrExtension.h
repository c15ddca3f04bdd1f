#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/CsvText.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The QR code's settings and the shop's price-embedded codes follow the last
// defined line as the price lines do, each line only when it differs from the
// default, so a sheet that uses none of this is written exactly as before:
//
//   "拡張","QRコード",the QR element's style, field for field as the "税込" line
//   "拡張","QRパターン",pattern               e.g. "https://example.jp/item/{JAN}"
//   "拡張","価格入りコード",flag,layout       e.g. "02","5+5"
//   "拡張","QR内容",label number,content      label files only, one line a label

// True for the keys of these lines.
bool isQrExtensionKey(std::string_view key);

// Reads one line (marker and key included) into `settings`, or a label's own
// content into the label of `sheet` it names (skipped without a sheet);
// false for a line that cannot be read.
bool readQrExtensionLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                         LabelSheet* sheet);

// The defaults: what a file without the lines means.
void resetQrExtension(LayoutSettings& settings, LabelSheet* sheet);

// Appends the lines that differ from the defaults. Fails (and appends
// nothing) for a text the file cannot store.
Result writeQrExtension(CsvLineWriter& writer, const LayoutSettings& settings,
                        const LabelSheet* sheet);
