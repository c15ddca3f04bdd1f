#include "editor/logic/OriginAdjustment.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace {

// Full-width forms typed through an input method, and the minus sign.
struct Narrowing {
    std::string_view wide;
    char narrow;
};
constexpr std::array<Narrowing, 15> kNarrowings = {{
    {"０", '0'},
    {"１", '1'},
    {"２", '2'},
    {"３", '3'},
    {"４", '4'},
    {"５", '5'},
    {"６", '6'},
    {"７", '7'},
    {"８", '8'},
    {"９", '9'},
    {"．", '.'},
    {"－", '-'},
    {"＋", '+'},
    {"−", '-'},
    {"　", ' '},
}};

std::string narrowed(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        bool found = false;
        for (const Narrowing& n : kNarrowings) {
            if (text.starts_with(n.wide)) {
                out += n.narrow;
                text.remove_prefix(n.wide.size());
                found = true;
                break;
            }
        }
        if (!found) {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace

std::string originAdjustText(const LayoutSettings& layout, int axis) {
    const int fine = axis == 0 ? layout.xFineTenths : layout.yFineTenths;
    const std::string& text = axis == 0 ? layout.xAdjustText : layout.yAdjustText;
    if (fine == 0)
        return text;
    const int tenths = adjustTenths(layout, axis);
    const int whole = std::abs(tenths) / 10;
    return (tenths < 0 ? "-" : "") + std::to_string(whole) + "." +
           std::to_string(std::abs(tenths) % 10);
}

std::optional<int> parseAdjustTenths(const std::string& typed) {
    std::string text = narrowed(typed);
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool negative = text[0] == '-';
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    int tenths = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4; ++i, ++digits)
        tenths = tenths * 10 + (text[i] - '0');
    tenths *= 10;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            tenths += text[i] - '0';
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    return negative ? -tenths : tenths;
}
