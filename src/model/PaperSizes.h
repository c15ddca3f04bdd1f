#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/LabelStock.h"

// The papers a stock can be printed on, by the name a print dialog gives them.
struct NamedPaper {
    const char* name;  // "A4", "B5" (JIS), "A5", "Letter"
    PaperSize size;
};

std::span<const NamedPaper> knownPapers();

// The paper of that name, or nothing for a paper the program does not know.
std::optional<PaperSize> paperNamed(std::string_view name);
// The name of a known paper (sizes equal within 0.05 mm), or nothing.
std::optional<std::string> paperName(const PaperSize& size);
