#pragma once

#include <string>

#include "editor/logic/EditorDialogs.h"
#include "editor/logic/ProductMasterSlot.h"
#include "model/Result.h"

// The input window's words about the product master, the columns of a
// product list and the list settings.
namespace messages {

// The status line after the master filled a label.
inline constexpr const char* kFilledFromMaster = "商品マスタから入力しました";
// The search asked for before any master was chosen.
inline constexpr const char* kNoMasterChosen =
    "商品マスタが選ばれていません。\n"
    "ファイル メニューの「商品マスタの選択...」で、商品リストを商品マスタに選んでください。";

// What reading the master at `path` found: how many products, the rows left
// out, or why it could not be read.
MessageRequest masterRead(const std::string& path, const MasterRead& read);
// The list settings (the master chosen) could not be read or saved.
MessageRequest listSettingsNotRead(const Result& failure);
MessageRequest listSettingsNotSaved(const Result& failure);

}  // namespace messages
