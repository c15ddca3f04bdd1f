#include "files/PriceExtension.h"

#include <optional>
#include <vector>

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kPricingKey = "価格表示";
constexpr const char* kRatesKey = "税率";
constexpr std::size_t kPricingFields = 4;
constexpr std::size_t kRatesFields = 2 + LabelSheet::kLabelCount;

bool anyLabelRateSet(const LabelSheet& sheet) {
    for (int n = 1; n <= LabelSheet::kLabelCount; ++n) {
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

bool readRates(const std::vector<CsvField>& line, LabelSheet& sheet) {
    if (line.size() != kRatesFields)
        return false;
    LabelSheet rated = sheet;
    for (int n = 1; n <= LabelSheet::kLabelCount; ++n) {
        const std::optional<long> percent = wholeNumber(line[static_cast<std::size_t>(n + 1)]);
        const std::optional<TaxRate> rate = percent ? taxRateFromPercent(*percent) : std::nullopt;
        if (!rate)
            return false;
        if (!rated.label(n).isEmpty())
            rated.label(n).taxRate = *rate;
    }
    sheet = std::move(rated);
    return true;
}

void applyDefaults(LayoutSettings& settings, LabelSheet* sheet) {
    settings.pricing = PricePattern{};
    if (!sheet)
        return;
    for (int n = 1; n <= LabelSheet::kLabelCount; ++n)
        sheet->label(n).taxRate = TaxRate::Standard;
}

}  // namespace

bool needsPriceExtension(const LayoutSettings& settings, const LabelSheet* sheet) {
    return settings.pricing != PricePattern{} || (sheet && anyLabelRateSet(*sheet));
}

void writePriceExtension(CsvLineWriter& w, const LayoutSettings& settings,
                         const LabelSheet* sheet) {
    if (!needsPriceExtension(settings, sheet))
        return;
    w.text(kMarker);
    w.text(kPricingKey);
    w.number(static_cast<int>(settings.pricing.mode));
    w.number(static_cast<int>(settings.pricing.rounding));
    w.endLine();
    if (!sheet)
        return;
    w.text(kMarker);
    w.text(kRatesKey);
    // An empty label's rate means nothing yet: stored as the standard rate.
    for (int n = 1; n <= LabelSheet::kLabelCount; ++n) {
        const LabelRecord& label = sheet->label(n);
        w.number(ratePercent(label.isEmpty() ? TaxRate::Standard : label.taxRate));
    }
    w.endLine();
}

PriceExtensionRead readPriceExtension(CsvFieldReader& reader, LayoutSettings& settings,
                                      LabelSheet* sheet) {
    applyDefaults(settings, sheet);
    if (!reader.atLineStart())
        nextLine(reader);  // the rest of the last defined line

    PriceExtensionRead result = PriceExtensionRead::Absent;
    PricePattern pricing;
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
        // A line with another key comes from a later version: skipped.
        if (!readable)
            return PriceExtensionRead::Damaged;
    }
    settings.pricing = pricing;
    if (sheet) {
        for (int n = 1; n <= LabelSheet::kLabelCount; ++n)
            sheet->label(n).taxRate = rated.label(n).taxRate;
    }
    return result;
}
