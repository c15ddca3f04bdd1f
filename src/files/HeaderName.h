#pragma once

#include <string>
#include <string_view>

// A header cell in the one form in which column names are compared: the
// byte-order mark and every blank (the ideographic space too) dropped, the
// full-width forms of ASCII characters made ASCII, half-width katakana made
// full-width (a voiced mark joined to its kana), ASCII letters in lower
// case. "Ｊ Ａ Ｎ ｺｰﾄﾞ" and "janコード" give the same name.
std::string foldHeaderName(std::string_view cell);
