#pragma once

#include <string>
#include <string_view>

// Texts as a person looking for a product types them: the same product is
// found whichever width, case or kana the list and the person used.
//
// The folded form (UTF-8) has full-width letters, digits and signs in their
// ASCII form, ASCII capitals in lower case, hiragana and half-width katakana
// as full-width katakana (a half-width or combining voiced mark joined to its
// kana: ｶﾞ and か゛ both give ガ), and no blanks (spaces, tabs, the ideographic
// space) or control characters at all, so that "特選 しょうゆ" and
// "特選ｼｮｳﾕ" fold to the same text.
std::string foldForSearch(std::string_view text);
