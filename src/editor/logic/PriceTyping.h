#pragma once

#include <string>
#include <string_view>

// A price as it stays in the box once it is left: full-width digits and
// separators (typed with the input method on) in ASCII, so that the price is
// measured, aligned and stored as one typed in ASCII. Everything else is
// kept as typed.
std::string asciiPriceText(std::string_view typed);
