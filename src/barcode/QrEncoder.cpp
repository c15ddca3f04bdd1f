#include "barcode/QrEncoder.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace {

struct QrInputFree {
    void operator()(QRinput* input) const { QRinput_free(input); }
};

struct QrCodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

// The ECI assignment number of UTF-8.
constexpr unsigned kUtf8Eci = 26;

bool isAscii(std::string_view data) {
    return std::all_of(data.begin(), data.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Byte mode for everything: a URL or a JAN code reads back exactly as given.
// Text beyond ASCII is marked as UTF-8, or readers take its bytes for
// Shift-JIS, which many UTF-8 texts also are.
std::unique_ptr<QRcode, QrCodeFree> encode(std::string_view data) {
    const std::unique_ptr<QRinput, QrInputFree> input(QRinput_new2(0, QR_ECLEVEL_M));
    if (!input)
        return nullptr;
    if (!isAscii(data) && QRinput_appendECIheader(input.get(), kUtf8Eci) != 0)
        return nullptr;
    if (QRinput_append(input.get(), QR_MODE_8, static_cast<int>(data.size()),
                       reinterpret_cast<const unsigned char*>(data.data())) != 0)
        return nullptr;
    return std::unique_ptr<QRcode, QrCodeFree>(QRcode_encodeInput(input.get()));
}

}  // namespace

ModuleMatrix encodeQrSymbol(std::string_view data) {
    if (data.empty())
        return {};
    const std::unique_ptr<QRcode, QrCodeFree> code = encode(data);
    if (!code)
        return {};  // longer than the largest version holds
    ModuleMatrix matrix(code->width, code->width);
    for (int row = 0; row < code->width; ++row) {
        for (int column = 0; column < code->width; ++column) {
            // The lowest bit of each byte is the module's colour.
            if (code->data[row * code->width + column] & 1)
                matrix.setDark(column, row);
        }
    }
    return matrix;
}
