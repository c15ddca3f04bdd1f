#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "barcode/ModuleMatrix.h"

// The barcodes a label can carry.
enum class Symbology { Ean13, Ean8, Qr };

// Everything that differs between symbologies, as one row of a table: a new
// symbology is one encoder and one row.
struct SymbologyRow {
    Symbology symbology;
    std::string_view name;
    // Characters of a complete JAN code in this symbology (check digit
    // included); 0 for a symbology that carries no JAN code.
    std::size_t janLength;
    // The symbol without its quiet zone, or an empty matrix for data the
    // symbology cannot carry.
    ModuleMatrix (*encode)(std::string_view data);
    // The module at full size, for layouts that size a symbol by its modules.
    double nominalModuleMm;
    QuietZone quietZone;
};

std::span<const SymbologyRow> symbologies();
const SymbologyRow& symbologyRow(Symbology symbology);

// The one rule for how long a JAN code is: 13 characters make an EAN-13 code,
// 8 an EAN-8 code, and any other length no code at all.
std::optional<Symbology> janSymbologyForLength(std::size_t characters);

// The symbol of `data` with its quiet zone, as it is drawn; empty when the
// symbology cannot carry the data.
ModuleMatrix encodeSymbol(Symbology symbology, std::string_view data);
