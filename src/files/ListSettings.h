#pragma once

#include <string>
#include <string_view>

#include "files/RememberedMappings.h"
#include "model/Result.h"

// The user's own settings for product lists, in a small file of their own
// (lists.txt) beside the print pattern (data.txt): the product master chosen
// and the column mappings chosen for lists' headers.
//
// Not in the pattern's own extension lines: the pattern is code page 932 (a
// path may hold characters it lacks), is written only by pt保存 together with
// the layout, and is shipped with the program and handed from shop to shop;
// a list chosen in the window must not wait for pt保存 or change the
// pattern's bytes. The file is UTF-8, in the comma-separated text form of the
// other files, one setting a line:
//
//   "商品マスタ","/home/shop/商品マスタ.csv"
//   "列対応",0,3,"品番","名称","値段","JANコード",0,"メーカー",-1,"品名",1,...
//
// A mapping's line holds the price column's meaning (0 as the sheet, 1 税込,
// 2 税抜), the number of header cells and the cells, then each part of a label
// by its own name with the column that fills it (from 0; -1 none). A line
// that cannot be read is skipped, and so is a part this program does not know.
//
// A double quote, a line end and the percent sign in a text are written as
// %22, %0D, %0A and %25, so that any path or header cell is kept whole.
// Unknown lines are skipped, so that a newer program's file opens.
struct ListSettings {
    std::string masterPath;  // empty: no product master
    RememberedMappings mappings;
    bool operator==(const ListSettings&) const = default;
};

inline constexpr const char* kListSettingsFileName = "lists.txt";

// The list settings file beside the print pattern `patternPath` (the file
// the window saves its pattern to); empty when there is none.
std::string listSettingsPathBeside(const std::string& patternPath);

// Reads the file at `path`. A missing file gives the defaults and an Ok
// result; an unreadable one the defaults and the failure, naming the path.
Result loadListSettings(const std::string& path, ListSettings& settings);
// The same on bytes already read.
ListSettings readListSettings(std::string_view bytes);

// Writes the file, replacing it atomically.
Result saveListSettings(const std::string& path, const ListSettings& settings);
std::string formatListSettings(const ListSettings& settings);
