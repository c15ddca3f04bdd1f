#include "barcode/Symbology.h"

#include <array>
#include <cassert>

#include "barcode/JanCode.h"
#include "barcode/QrEncoder.h"

namespace {

// A JAN code of exactly `Length` digits, check digit included.
template <std::size_t Length>
ModuleMatrix encodeJan(std::string_view code) {
    return code.size() == Length ? encodeJanSymbol(code) : ModuleMatrix{};
}

// Nine light modules either side: the eight before the start guard (and after
// the end guard) and the guard's own outer light module, as labels have
// always printed them.
constexpr QuietZone kJanQuietZone{9, 9, 0, 0};

// Four light modules on every side, as readers of QR codes need.
constexpr QuietZone kQrQuietZone{4, 4, 4, 4};

constexpr std::array<SymbologyRow, 3> kSymbologies = {{
    {Symbology::Ean13, "EAN-13", 13, &encodeJan<13>, 0.33, kJanQuietZone},
    {Symbology::Ean8, "EAN-8", 8, &encodeJan<8>, 0.33, kJanQuietZone},
    {Symbology::Qr, "QR", 0, &encodeQrSymbol, 0.33, kQrQuietZone},
}};

}  // namespace

std::span<const SymbologyRow> symbologies() {
    return kSymbologies;
}

const SymbologyRow& symbologyRow(Symbology symbology) {
    for (const SymbologyRow& row : kSymbologies) {
        if (row.symbology == symbology)
            return row;
    }
    assert(false && "every symbology has a row");
    return kSymbologies.front();
}

std::optional<Symbology> janSymbologyForLength(std::size_t characters) {
    for (const SymbologyRow& row : kSymbologies) {
        if (row.janLength != 0 && row.janLength == characters)
            return row.symbology;
    }
    return std::nullopt;
}

ModuleMatrix encodeSymbol(Symbology symbology, std::string_view data) {
    const SymbologyRow& row = symbologyRow(symbology);
    return row.encode(data).withQuietZone(row.quietZone);
}
