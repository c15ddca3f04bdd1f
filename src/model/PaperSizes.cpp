#include "model/PaperSizes.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<NamedPaper, 4> kPapers = {{
    {"A4", {210.0, 297.0}},
    {"B5", {182.0, 257.0}},  // JIS B5, the B5 sold in Japan
    {"A5", {148.0, 210.0}},
    {"Letter", {215.9, 279.4}},
}};

bool sameSize(const PaperSize& a, const PaperSize& b) {
    return std::abs(a.widthMm - b.widthMm) < 0.05 && std::abs(a.heightMm - b.heightMm) < 0.05;
}

}  // namespace

std::span<const NamedPaper> knownPapers() {
    return kPapers;
}

std::optional<PaperSize> paperNamed(std::string_view name) {
    for (const NamedPaper& paper : kPapers) {
        if (name == paper.name)
            return paper.size;
    }
    return std::nullopt;
}

std::optional<std::string> paperName(const PaperSize& size) {
    for (const NamedPaper& paper : kPapers) {
        if (sameSize(size, paper.size))
            return std::string(paper.name);
    }
    return std::nullopt;
}
