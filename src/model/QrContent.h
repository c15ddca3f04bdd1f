#pragma once

#include <string>
#include <string_view>

#include "model/LabelSheet.h"

// The place of the label's JAN code in a QR pattern.
inline constexpr std::string_view kQrCodeMark = "{JAN}";

// What the label's QR code holds: its own content, or else `pattern` with
// every {JAN} replaced by its code. Empty (no QR code) when it has neither,
// and for a pattern that needs a code the label does not have.
std::string qrContentFor(const LabelRecord& label, std::string_view pattern);
