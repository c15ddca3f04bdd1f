#include "jobs/CodeProblems.h"

#include <algorithm>
#include <optional>

#include "barcode/InStoreCode.h"
#include "barcode/Symbology.h"
#include "model/ElementTemplate.h"
#include "model/QrContent.h"
#include "model/TaxPrice.h"
#include "render/BarcodePainter.h"

namespace {

std::optional<LabelProblemKind> qrProblem(const LabelRecord& label, const LayoutSettings& layout) {
    if (!layout.isVisible(LabelElement::Qr))
        return std::nullopt;
    const std::string content = qrContentFor(label, layout.qrPattern);
    if (content.empty())
        return std::nullopt;
    const ModuleMatrix symbol = encodeSymbol(Symbology::Qr, content);
    if (symbol.empty())
        return LabelProblemKind::QrTooLong;
    const ElementPlace& box = standardElementTemplate().place(LabelElement::Qr);
    const double side = std::min(box.boxWidthMm, box.boxHeightMm);
    if (!squareSymbolFits(side, symbol.width()))
        return LabelProblemKind::QrTooSmall;
    return std::nullopt;
}

// The price the customer pays for the label: the tax-inclusive amount.
std::optional<std::int64_t> payablePrice(const LabelRecord& label, const PricePattern& pricing) {
    const ParsedPrice price = parsePriceText(label.price);
    if (price.reading != PriceReading::Yen)
        return std::nullopt;
    if (pricing.mode == PriceMode::TaxIncludedOnly)
        return price.yen;
    return taxIncludedYen(price.yen, label.taxRate, pricing.rounding);
}

void addCodeKind(const LabelRecord& label, int number, const LayoutSettings& layout,
                 std::vector<LabelProblem>& problems) {
    const std::optional<JanCodeKind> kind = janCodeKind(label.janCode, layout.priceEmbedded);
    if (kind == JanCodeKind::InStore)
        problems.push_back({number, LabelProblemKind::InStoreCode, LabelElement::Jan, {}, 100});
    if (kind != JanCodeKind::PriceEmbedded)
        return;
    const std::int64_t embedded = *embeddedPrice(label.janCode, layout.priceEmbedded);
    const std::optional<std::int64_t> payable = payablePrice(label, layout.pricing);
    const LabelProblemKind found = payable && *payable != embedded
                                       ? LabelProblemKind::EmbeddedPriceDiffers
                                       : LabelProblemKind::PriceEmbeddedCode;
    problems.push_back({number, found, LabelElement::Jan, {}, 100, embedded});
}

}  // namespace

std::vector<LabelProblem> findCodeProblems(const LabelRecord& label, int number,
                                           const LayoutSettings& layout) {
    std::vector<LabelProblem> problems;
    addCodeKind(label, number, layout, problems);
    if (const std::optional<LabelProblemKind> qr = qrProblem(label, layout))
        problems.push_back({number, *qr, LabelElement::Qr, {}, 100});
    return problems;
}

bool isCodeNote(LabelProblemKind kind) {
    return kind == LabelProblemKind::InStoreCode || kind == LabelProblemKind::PriceEmbeddedCode;
}
