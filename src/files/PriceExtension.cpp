#include "files/PriceExtension.h"

#include <optional>
#include <vector>

#include "files/ElementStyleRow.h"
#include "files/LabelFileRecords.h"
#include "files/QrExtension.h"
#include "model/ToggleCaptions.h"

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kPricingKey = "価格表示";
constexpr const char* kRatesKey = "税率";
constexpr const char* kTaxLineKey = "税込";
constexpr std::size_t kPricingFields = 4;
constexpr std::size_t kTaxLineFields = 11;
constexpr std::size_t kRatesFields = 2 + kLabelFileRecords;

bool anyLabelRateSet(const LabelSheet& sheet) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        const LabelRecord& label = sheet.label(n);
        if (!label.isEmpty() && label.taxRate != TaxRate::Standard)
            return true;
    }
    return false;
}

// The fields of the next line, or nothing at the end of the input.
std::optional<std::vector<CsvField>> nextLine(CsvFieldReader& reader) {
    std::vector<CsvField> fields;
    while (std::optional<CsvField> field = reader.next()) {
        const bool ends = field->endsLine;
        fields.push_back(*std::move(field));
        if (ends)
            return fields;
    }
    if (fields.empty())
        return std::nullopt;
    return fields;
}

std::optional<long> wholeNumber(const CsvField& field) {
    if (field.quoted)
        return std::nullopt;
    return fieldToInt32(field);
}

bool readPricing(const std::vector<CsvField>& line, PricePattern& pricing) {
    if (line.size() != kPricingFields)
        return false;
    const std::optional<long> mode = wholeNumber(line[2]);
    const std::optional<long> rounding = wholeNumber(line[3]);
    if (!mode || *mode < 0 || *mode > 1 || !rounding || *rounding < 0 || *rounding > 2)
        return false;
    pricing.mode = static_cast<PriceMode>(*mode);
    pricing.rounding = static_cast<TaxRounding>(*rounding);
    return true;
}

const ElementStyle& defaultTaxLineStyle() {
    static const ElementStyle style = initialLayoutSettings().element(LabelElement::TaxLine);
    return style;
}

// The tax line's style, field for field as the block's text element lines.
bool readTaxLineStyle(const std::vector<CsvField>& line, ElementStyle& style) {
    if (line.size() != kTaxLineFields || line[2].text.empty())
        return false;
    const std::optional<std::int16_t> size = fieldToInt16(line[3]);
    const std::optional<bool> bold = fieldToBool(line[4]);
    const std::optional<bool> italic = fieldToBool(line[5]);
    Color color = kBlack;
    const bool colorRead = readColorField(line[6], color) == ColorField::Valid;
    const std::optional<std::int16_t> offsetX = fieldToInt16(line[9]);
    const std::optional<std::int16_t> offsetY = fieldToInt16(line[10]);
    if (!size || *size < 1 || !bold || !italic || !colorRead || !offsetX || !offsetY)
        return false;
    style.font = ElementFont{line[2].text, *size, *bold, *italic};
    style.color = color;
    style.visible = captions::visibleFromCaption(line[7].text);
    style.offsetX = *offsetX;
    style.offsetY = *offsetY;
    return true;
}

bool readRates(const std::vector<CsvField>& line, LabelSheet& sheet) {
    if (line.size() != kRatesFields)
        return false;
    LabelSheet rated = sheet;
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        const std::optional<long> percent = wholeNumber(line[static_cast<std::size_t>(n + 1)]);
        const std::optional<TaxRate> rate = percent ? taxRateFromPercent(*percent) : std::nullopt;
        if (!rate)
            return false;
        if (n <= rated.labelCount() && !rated.label(n).isEmpty())
            rated.label(n).taxRate = *rate;
    }
    sheet = std::move(rated);
    return true;
}

void applyDefaults(LayoutSettings& settings, LabelSheet* sheet) {
    settings.pricing = PricePattern{};
    settings.element(LabelElement::TaxLine) = defaultTaxLineStyle();
    if (!sheet)
        return;
    for (int n = 1; n <= sheet->labelCount(); ++n)
        sheet->label(n).taxRate = TaxRate::Standard;
}

}  // namespace

bool needsPriceExtension(const LayoutSettings& settings, const LabelSheet* sheet) {
    return settings.pricing != PricePattern{} ||
           settings.element(LabelElement::TaxLine) != defaultTaxLineStyle() ||
           (sheet && anyLabelRateSet(*sheet));
}

Result writePriceExtension(CsvLineWriter& w, const LayoutSettings& settings,
                           const LabelSheet* sheet) {
    if (!needsPriceExtension(settings, sheet))
        return {};
    const ElementStyle& taxLine = settings.element(LabelElement::TaxLine);
    const std::string& fontName = taxLine.font.name;
    const bool quote = fontName.find('"') != std::string::npos;
    if (quote || !w.canStore(fontName)) {
        Result r;
        r.code = quote ? ResultCode::QuoteInText : ResultCode::NotEncodable;
        r.detail = fontName;
        r.settingName = std::string(kTaxLineKey) + " フォント名";
        return r;
    }
    w.text(kMarker);
    w.text(kPricingKey);
    w.number(static_cast<int>(settings.pricing.mode));
    w.number(static_cast<int>(settings.pricing.rounding));
    w.endLine();
    w.text(kMarker);
    writeElementStyleRow(w, kTaxLineKey, LabelElement::TaxLine, taxLine);
    w.endLine();
    if (!sheet)
        return {};
    w.text(kMarker);
    w.text(kRatesKey);
    // An empty label's rate means nothing yet: stored as the standard rate.
    // The label file's writer refuses any other sheet; a shorter one stores
    // the standard rate for the labels it lacks, as for empty labels.
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        const LabelRecord label = n <= sheet->labelCount() ? sheet->label(n) : LabelRecord{};
        w.number(ratePercent(label.isEmpty() ? TaxRate::Standard : label.taxRate));
    }
    w.endLine();
    return {};
}

PriceExtensionRead readPriceExtension(CsvFieldReader& reader, LayoutSettings& settings,
                                      LabelSheet* sheet) {
    applyDefaults(settings, sheet);
    QrExtensionValues qr = qrExtensionDefaults(sheet);
    applyQrExtension(qr, settings, sheet);
    if (!reader.atLineStart())
        nextLine(reader);  // the rest of the last defined line

    PriceExtensionRead result = PriceExtensionRead::Absent;
    PricePattern pricing;
    ElementStyle taxLine = defaultTaxLineStyle();
    LabelSheet rated = sheet ? *sheet : LabelSheet{};
    while (std::optional<std::vector<CsvField>> line = nextLine(reader)) {
        const CsvField& marker = line->front();
        if (!marker.quoted || marker.text != kMarker)
            break;  // not ours: ignored, as every reader ignores what follows
        result = PriceExtensionRead::Read;
        const std::string key = line->size() > 1 ? (*line)[1].text : std::string();
        bool readable = true;
        if (key == kPricingKey)
            readable = readPricing(*line, pricing);
        else if (key == kRatesKey)
            readable = readRates(*line, rated);
        else if (key == kTaxLineKey)
            readable = readTaxLineStyle(*line, taxLine);
        else if (isQrExtensionKey(key))
            readable = readQrExtensionLine(*line, qr);
        // A line with another key comes from a later version: skipped.
        if (!readable)
            return PriceExtensionRead::Damaged;
    }
    settings.pricing = pricing;
    settings.element(LabelElement::TaxLine) = taxLine;
    applyQrExtension(qr, settings, sheet);
    if (sheet) {
        for (int n = 1; n <= sheet->labelCount(); ++n)
            sheet->label(n).taxRate = rated.label(n).taxRate;
    }
    return result;
}
