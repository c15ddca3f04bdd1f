// Writes the code page 932 conversion of this build as a table, so that the
// table of the Windows build (Windows' own, run under wine) can be compared
// with the Linux build's line for line:
//   decode <bytes> <code points>        every single byte and every lead/trail pair
//   encode <code point> <bytes or ->    every character of the Basic Multilingual Plane
//   back <bytes> <bytes or ->           the pair written back from what it read as
//
//   cp932_table <output file>
#include <cstdio>
#include <optional>
#include <string>

#include "files/Cp932.h"
#include "model/Utf8Text.h"

namespace {

std::string hexBytes(const std::string& bytes) {
    std::string out;
    char part[4];
    for (unsigned char b : bytes) {
        std::snprintf(part, sizeof part, "%02X", b);
        out += part;
    }
    return out.empty() ? "empty" : out;
}

std::string codePoints(const std::string& utf8Text) {
    std::string out;
    char part[12];
    for (char32_t c : utf8::toUtf32(utf8Text)) {
        std::snprintf(part, sizeof part, "%s%04X", out.empty() ? "" : "+",
                      static_cast<unsigned>(c));
        out += part;
    }
    return out;
}

std::string encoded(const std::string& utf8Text) {
    const std::optional<std::string> bytes = cp932::encode(utf8Text);
    return bytes ? hexBytes(*bytes) : "-";
}

void writeCode(std::FILE* out, const std::string& bytes) {
    const std::string text = cp932::decode(bytes);
    std::fprintf(out, "decode %s %s\n", hexBytes(bytes).c_str(), codePoints(text).c_str());
    std::fprintf(out, "back %s %s\n", hexBytes(bytes).c_str(), encoded(text).c_str());
}

bool isLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cp932_table <output file>\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 1;
    for (unsigned b = 0; b <= 0xFF; ++b) {
        if (!isLeadByte(b))
            writeCode(out, std::string(1, static_cast<char>(b)));
        for (unsigned trail = 0x40; isLeadByte(b) && trail <= 0xFC; ++trail) {
            if (trail != 0x7F)
                writeCode(out, {static_cast<char>(b), static_cast<char>(trail)});
        }
    }
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::fprintf(out, "encode %04X %s\n", static_cast<unsigned>(c),
                     encoded(utf8::fromUtf32({&c, 1})).c_str());
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
