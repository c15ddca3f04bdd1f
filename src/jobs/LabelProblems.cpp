#include "jobs/LabelProblems.h"

#include <cmath>
#include <optional>

#include "barcode/JanCode.h"
#include "barcode/Symbology.h"
#include "files/LabelDataFile.h"
#include "jobs/CodeProblems.h"
#include "jobs/ShelfProblems.h"
#include "model/Utf8Text.h"
#include "render/DrawingSurface.h"
#include "render/LabelTexts.h"

namespace {

LabelElement elementOfField(LabelField field) {
    switch (field) {
        case LabelField::JanCode:
            return LabelElement::Jan;
        case LabelField::Maker:
            return LabelElement::Maker;
        case LabelField::ProductName:
            return LabelElement::ProductName;
        case LabelField::Spec:
            return LabelElement::Spec;
        case LabelField::Lot:
            return LabelElement::Lot;
        case LabelField::Price:
            return LabelElement::Price;
    }
    return LabelElement::Jan;
}

bool allAsciiDigits(const std::string& text) {
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Why the code will give no barcode, if it gives none.
std::optional<LabelProblemKind> codeProblem(const std::string& code) {
    if (code.empty())
        return std::nullopt;
    const std::size_t n = utf8::length(code);
    if (janSymbologyForLength(n)) {
        if (checkJanCode(code).valid)
            return std::nullopt;
        return LabelProblemKind::InvalidCode;
    }
    if (janSymbologyForLength(n + 1) && allAsciiDigits(code))
        return LabelProblemKind::NoCheckDigit;
    return LabelProblemKind::NotACode;
}

// The first character of `text` the gauge's current font cannot draw.
std::optional<std::string> firstUndrawable(const DrawingSurface& gauge, const std::string& text) {
    if (gauge.canDrawText(text))
        return std::nullopt;
    for (char32_t c : utf8::toUtf32(text)) {
        std::string one = utf8::fromUtf32({&c, 1});
        if (!gauge.canDrawText(one))
            return one;
    }
    return std::nullopt;
}

// The smallest size scanners are made to read is 80 % of the nominal one.
constexpr double kSmallestReadableScale = 0.8;
// The nominal height of an EAN-13 symbol's bars, in modules (22.85 mm at 0.33 mm).
constexpr double kNominalBarHeightModules = 69.24;

}  // namespace

bool stockHoldsReadableBarcode(const LabelStock& stock) {
    const SymbologyRow& ean13 = symbologyRow(Symbology::Ean13);
    const double module = ean13.nominalModuleMm * kSmallestReadableScale;
    const ModuleMatrix symbol = encodeSymbol(Symbology::Ean13, "4901234567894");
    const double width = symbol.width() * module;
    const double height = kNominalBarHeightModules * module;
    return stock.labelWidthMm >= width && stock.labelHeightMm >= height;
}

// Condensed, clipped and undrawable texts, measured at the printed size.
std::vector<LabelProblem> findDrawingProblems(const LabelRecord& label, int number,
                                              const LayoutSettings& layout, DrawingSurface& gauge) {
    std::vector<LabelProblem> problems;
    gauge.setUnit(SurfaceUnit::Millimetres);
    for (const LabelText& t : labelTexts(label, layout)) {
        const TextFit fit = placeText(gauge, t, layout, 1.0).fit;
        if (fit.clipped) {
            problems.push_back({number, LabelProblemKind::TextClipped, t.element, {}, 50});
        } else if (fit.scale < 1.0) {
            // Rounded down: a text drawn at 99.6 % is not "100 %".
            const int percent = static_cast<int>(std::floor(fit.scale * 100.0));
            problems.push_back({number, LabelProblemKind::TextCondensed, t.element, {}, percent});
        }
        if (auto c = firstUndrawable(gauge, t.text))
            problems.push_back({number, LabelProblemKind::CharacterNotDrawn, t.element, *c, 100});
    }
    return problems;
}

std::vector<LabelProblem> findLabelProblems(const LabelSheet& sheet, int number,
                                            const LayoutSettings& layout, DrawingSurface* gauge) {
    const LabelRecord& label = sheet.label(number);
    std::vector<LabelProblem> problems;
    const bool printed = !label.productName.empty();
    if (!printed) {
        if (!label.janCode.empty() || !label.maker.empty() || !label.price.empty())
            problems.push_back(
                {number, LabelProblemKind::NoProductName, LabelElement::ProductName, {}, 100});
    } else if (layout.isVisible(LabelElement::Barcode)) {
        if (auto kind = codeProblem(label.janCode))
            problems.push_back({number, *kind, LabelElement::Jan, {}, 100});
        else if (!label.janCode.empty() && !stockHoldsReadableBarcode(layout.stock))
            problems.push_back(
                {number, LabelProblemKind::BarcodeTooSmall, LabelElement::Barcode, {}, 100});
    }
    if (printed) {
        std::vector<LabelProblem> codes = findCodeProblems(label, number, layout);
        problems.insert(problems.end(), codes.begin(), codes.end());
    }
    if (printed && gauge != nullptr) {
        std::vector<LabelProblem> drawn = findDrawingProblems(label, number, layout, *gauge);
        problems.insert(problems.end(), drawn.begin(), drawn.end());
    }
    if (printed) {
        std::vector<LabelProblem> shelf = findShelfProblems(label, number, layout, gauge);
        problems.insert(problems.end(), shelf.begin(), shelf.end());
    }
    appendUnsavedDetails(label, number, problems);
    for (LabelField f : kLabelFields) {
        if (const std::optional<std::string> c = firstUnstorableCharacter(label.field(f)))
            problems.push_back(
                {number, LabelProblemKind::CharacterNotSaved, elementOfField(f), *c, 100});
    }
    return problems;
}

std::vector<LabelProblem> findSheetProblems(const LabelSheet& sheet, const LayoutSettings& layout,
                                            DrawingSurface* gauge) {
    std::vector<LabelProblem> problems;
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        std::vector<LabelProblem> some = findLabelProblems(sheet, n, layout, gauge);
        problems.insert(problems.end(), some.begin(), some.end());
    }
    return problems;
}

std::vector<LabelProblem> printingProblems(std::vector<LabelProblem> problems) {
    std::erase_if(problems, [](const LabelProblem& p) {
        return p.kind == LabelProblemKind::CharacterNotSaved || isCodeNote(p.kind);
    });
    return problems;
}
