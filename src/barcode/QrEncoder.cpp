#include "barcode/QrEncoder.h"

#include <qrencode.h>

#include <memory>

namespace {

struct QrCodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

ModuleMatrix encodeQrSymbol(std::string_view data) {
    if (data.empty())
        return {};
    // Byte mode for everything: a URL or a JAN code reads back exactly as
    // given, whatever mix of characters it has.
    const std::unique_ptr<QRcode, QrCodeFree> code(
        QRcode_encodeData(static_cast<int>(data.size()),
                          reinterpret_cast<const unsigned char*>(data.data()), 0, QR_ECLEVEL_M));
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
