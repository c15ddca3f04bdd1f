#include "files/StockExtension.h"

#include <algorithm>
#include <string>

#include "files/LabelFileRecords.h"
#include "files/StockRow.h"
#include "model/StockPresets.h"

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kStockKey = "用紙";
constexpr const char* kLabelKey = "ラベル";
constexpr const char* kFineKey = "位置微調整";
constexpr std::size_t kLabelLineFields = 3 + kLabelFields.size() + 1;
constexpr std::size_t kFineLineFields = 4;

// The sheet on `stock`, keeping the labels both have.
LabelSheet resized(const LabelSheet& sheet, const LabelStock& stock) {
    LabelSheet out(stock);
    for (int n = 1; n <= std::min(out.labelCount(), sheet.labelCount()); ++n)
        out.label(n) = sheet.label(n);
    return out;
}

std::optional<long> wholeNumber(const CsvField& field) {
    if (field.quoted)
        return std::nullopt;
    return fieldToInt32(field);
}

void writeLabelLines(CsvLineWriter& w, const LabelSheet& sheet) {
    for (int n = kLabelFileRecords + 1; n <= sheet.labelCount(); ++n) {
        const LabelRecord& label = sheet.label(n);
        if (label.isEmpty())
            continue;
        w.text(kMarker);
        w.text(kLabelKey);
        w.number(n);
        for (LabelField f : kLabelFields)
            w.text(label.field(f));
        w.number(ratePercent(label.taxRate));
        w.endLine();
    }
}

}  // namespace

Result writeStockExtension(CsvLineWriter& w, const LayoutSettings& settings,
                           const LabelSheet* sheet) {
    if (settings.stock != kStandardStock) {
        const std::optional<NamedStock> preset = stockPresetFor(settings.stock);
        CsvLineWriter line(w);  // the line is appended only when it can be written whole
        line.text(kMarker);
        line.text(kStockKey);
        if (Result r = writeStockRow(line, {preset ? preset->name : "", settings.stock}); !r.ok())
            return r;
        line.endLine();
        w = std::move(line);
        if (sheet)
            writeLabelLines(w, *sheet);
    }
    if (settings.xFineTenths != 0 || settings.yFineTenths != 0) {
        w.text(kMarker);
        w.text(kFineKey);
        w.number(settings.xFineTenths);
        w.number(settings.yFineTenths);
        w.endLine();
    }
    return {};
}

bool readStockLine(const std::vector<CsvField>& line, LayoutSettings& settings, LabelSheet* sheet) {
    const std::optional<NamedStock> named = readStockRow(line, 2);
    if (!named)
        return false;
    settings.stock = named->stock;
    if (sheet)
        *sheet = resized(*sheet, named->stock);
    return true;
}

bool readExtraLabelLine(const std::vector<CsvField>& line, LayoutSettings&, LabelSheet* sheet) {
    if (line.size() != kLabelLineFields)
        return false;
    const std::optional<long> number = wholeNumber(line[2]);
    const std::optional<long> percent = wholeNumber(line.back());
    const std::optional<TaxRate> rate = percent ? taxRateFromPercent(*percent) : std::nullopt;
    if (!rate || !number || *number <= kLabelFileRecords)
        return false;
    if (!sheet)
        return true;  // a pattern has no labels: nothing to keep
    if (*number > sheet->labelCount())
        return false;  // no such label on the stock read before
    LabelRecord& label = sheet->label(static_cast<int>(*number));
    std::size_t i = 3;
    for (LabelField f : kLabelFields)
        label.field(f) = line[i++].text;
    // An empty label's rate means nothing yet, as in the records.
    label.taxRate = label.isEmpty() ? TaxRate::Standard : *rate;
    return true;
}

bool readFineOriginLine(const std::vector<CsvField>& line, LayoutSettings& settings, LabelSheet*) {
    if (line.size() != kFineLineFields)
        return false;
    const std::optional<long> x = wholeNumber(line[2]);
    const std::optional<long> y = wholeNumber(line[3]);
    if (!x || !y || *x < -9 || *x > 9 || *y < -9 || *y > 9)
        return false;
    settings.xFineTenths = static_cast<int>(*x);
    settings.yFineTenths = static_cast<int>(*y);
    return true;
}

void resetStock(LayoutSettings& settings, LabelSheet* sheet) {
    settings.stock = kStandardStock;
    if (sheet)
        *sheet = resized(*sheet, kStandardStock);
}

void resetFineOrigin(LayoutSettings& settings, LabelSheet*) {
    settings.xFineTenths = 0;
    settings.yFineTenths = 0;
}
