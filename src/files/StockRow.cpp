#include "files/StockRow.h"

#include "model/PaperSizes.h"
#include "model/Result.h"
#include "model/StockCheck.h"

Result writeStockRow(CsvLineWriter& w, const NamedStock& named) {
    const std::optional<std::string> paper = paperName(named.stock.paper);
    if (!paper)
        return Result::failure(ResultCode::StockUnknownPaper);
    if (named.name.find('"') != std::string::npos || !w.canStore(named.name)) {
        Result r =
            Result::failure(named.name.find('"') != std::string::npos ? ResultCode::QuoteInText
                                                                      : ResultCode::NotEncodable,
                            named.name);
        return r;
    }
    const LabelStock& s = named.stock;
    w.text(named.name);
    w.text(*paper);
    w.millimetres(s.labelWidthMm);
    w.millimetres(s.labelHeightMm);
    w.millimetres(s.cornerRadiusMm);
    w.number(s.columns);
    w.number(s.rows);
    w.millimetres(s.firstLabel.y);
    w.millimetres(s.firstLabel.x);
    w.millimetres(s.pitchXMm);
    w.millimetres(s.pitchYMm);
    return {};
}

std::optional<NamedStock> readStockRow(const std::vector<CsvField>& f, std::size_t first) {
    if (f.size() != first + kStockRowFields)
        return std::nullopt;
    const std::optional<PaperSize> paper = paperNamed(f[first + 1].text);
    NamedStock named;
    named.name = f[first].text;
    LabelStock& s = named.stock;
    struct Length {
        std::size_t field;
        double* value;
    };
    const Length millimetres[] = {
        {2, &s.labelWidthMm}, {3, &s.labelHeightMm}, {4, &s.cornerRadiusMm}, {7, &s.firstLabel.y},
        {8, &s.firstLabel.x}, {9, &s.pitchXMm},      {10, &s.pitchYMm},
    };
    for (const Length& length : millimetres) {
        const std::optional<double> value = fieldToMillimetres(f[first + length.field]);
        if (!value)
            return std::nullopt;
        *length.value = *value;
    }
    const std::optional<std::int32_t> columns = fieldToInt32(f[first + 5]);
    const std::optional<std::int32_t> rows = fieldToInt32(f[first + 6]);
    if (!paper || !columns || !rows)
        return std::nullopt;
    s.paper = *paper;
    s.columns = *columns;
    s.rows = *rows;
    if (!checkStock(s).ok())
        return std::nullopt;
    return named;
}
