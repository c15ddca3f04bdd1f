#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/LabelElement.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"

class DrawingSurface;

// Why a label would not come out of the printer as the user sees it typed.
enum class LabelProblemKind {
    InvalidCode,        // 13 or 8 characters, but not a valid JAN code: no barcode
    NoCheckDigit,       // 12 or 7 digits: no barcode
    NotACode,           // any other non-empty code: no barcode
    NoProductName,      // a code, maker or price without a product name: not printed
    TextCondensed,      // a text drawn narrower (percent) to end inside the label
    TextClipped,        // a text that even at half width runs past the label's edge
    CharacterNotDrawn,  // a character the element's font has no glyph for
    CharacterNotSaved,  // a character a label data file cannot hold
    BarcodeTooSmall,    // the label is too small for a barcode scanners are sure to read
    // What a shop's label shows (jobs/ShelfProblems.h).
    PriceNotWholeYen,    // the sheet needs a second price, the price is no whole number of yen
    PriceOverlaps,       // the price's box overlaps `element`'s (円, or another text)
    TextOutsideLabel,    // a text stands partly above, below or left of its label
    RegularNotAbove,     // the regular price is not above the sale price
    ContentsUnreadable,  // the contents are no number and unit: no unit price
    BaseUnreadable,      // the base quantity is no number and unit: no unit price
    BaseUnitDiffers,     // the base is not measured as the contents are: no unit price
    UnitPriceTooLarge,   // the unit price is too large to work out: no unit price
    // The label's codes (CodeProblems.h).
    QrTooSmall,            // the QR code's box is too small for its content: no QR code
    QrTooLong,             // the content is more than any QR code holds: no QR code
    InStoreCode,           // a note: the code is the shop's own
    PriceEmbeddedCode,     // a note: the code carries a price (`amount`), the label's
    EmbeddedPriceDiffers,  // the code carries a price (`amount`) other than the label's
};

struct LabelProblem {
    int label = 1;  // from 1
    LabelProblemKind kind = LabelProblemKind::InvalidCode;
    LabelElement element = LabelElement::Jan;  // the text concerned
    std::string character;                     // CharacterNotDrawn, CharacterNotSaved
    int percent = 100;                         // TextCondensed
    std::int64_t amount = 0;                   // the yen a price-embedded code carries
    bool operator==(const LabelProblem&) const = default;
};

// The problems of label `number`, in the order of its texts. The condensed,
// clipped and undrawable texts are measured on `gauge` (any surface: the
// widths it gives are those of its own device) and left out without one.
std::vector<LabelProblem> findLabelProblems(const LabelSheet& sheet, int number,
                                            const LayoutSettings& layout, DrawingSurface* gauge);
// The problems of a printed label (one with a product name) that only
// drawing shows: condensed, clipped and undrawable texts, measured on `gauge`.
std::vector<LabelProblem> findDrawingProblems(const LabelRecord& label, int number,
                                              const LayoutSettings& layout, DrawingSurface& gauge);
// The problems of every label of the sheet, label 1 first.
std::vector<LabelProblem> findSheetProblems(const LabelSheet& sheet, const LayoutSettings& layout,
                                            DrawingSurface* gauge);

// Whether a label of the stock has room for an EAN-13 symbol at 80 % of its
// nominal size, quiet zones included: below that, scanners may not read it.
bool stockHoldsReadableBarcode(const LabelStock& stock);

// The problems that change what comes out of the printer (all but the
// characters a file cannot hold and the notes on codes).
std::vector<LabelProblem> printingProblems(std::vector<LabelProblem> problems);
