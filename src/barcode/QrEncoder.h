#pragma once

#include <string_view>

#include "barcode/ModuleMatrix.h"

// The QR code of `data` (taken as bytes; text beyond ASCII marked as UTF-8) at error
// correction level M, in the smallest version that holds it, without its
// quiet zone. Empty for empty data and for data no version holds.
ModuleMatrix encodeQrSymbol(std::string_view data);
