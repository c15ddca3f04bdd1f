#include "model/StockCheck.h"

#include <cmath>
#include <cstdio>

#include "model/PaperSizes.h"

namespace {

// Sizes are typed to a tenth or a hundredth of a millimetre: a label that
// meets the paper's edge or its neighbour exactly is not past it.
constexpr double kToleranceMm = 0.005;

std::string millimetres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

Result fault(ResultCode code, StockValue value, std::string detail = {}) {
    Result r = Result::failure(code, std::move(detail));
    r.stockValue = value;
    return r;
}

bool positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

Result checkSizes(const LabelStock& s) {
    struct Size {
        double value;
        StockValue name;
    };
    const Size sizes[] = {
        {s.labelWidthMm, StockValue::LabelWidth},
        {s.labelHeightMm, StockValue::LabelHeight},
        {static_cast<double>(s.columns), StockValue::Columns},
        {static_cast<double>(s.rows), StockValue::Rows},
        {s.pitchXMm, StockValue::PitchX},
        {s.pitchYMm, StockValue::PitchY},
    };
    for (const Size& size : sizes) {
        if (!positive(size.value))
            return fault(ResultCode::StockSizeNotPositive, size.name, millimetres(size.value));
    }
    if (!std::isfinite(s.cornerRadiusMm) || s.cornerRadiusMm < 0.0)
        return fault(ResultCode::StockSizeNotPositive, StockValue::CornerRadius,
                     millimetres(s.cornerRadiusMm));
    if (s.cornerRadiusMm > std::min(s.labelWidthMm, s.labelHeightMm) / 2.0 + kToleranceMm)
        return fault(ResultCode::StockCornerTooLarge, StockValue::CornerRadius,
                     millimetres(s.cornerRadiusMm));
    return {};
}

// One axis of the grid: margin, label, pitch and count along the paper.
struct Axis {
    double paper;
    double margin;
    double label;
    double pitch;
    int count;
    StockValue marginName;
    StockValue labelName;
    StockValue pitchName;
};

Result checkAxis(const Axis& a) {
    if (!std::isfinite(a.margin) || a.margin < -kToleranceMm)
        return fault(ResultCode::StockLabelPastPaper, a.marginName, millimetres(-a.margin));
    if (a.count > 1 && a.pitch < a.label - kToleranceMm)
        return fault(ResultCode::StockLabelsOverlap, a.pitchName, millimetres(a.pitch));
    const double past = a.margin + a.pitch * (a.count - 1) + a.label - a.paper;
    if (past > kToleranceMm)
        return fault(ResultCode::StockLabelPastPaper, a.count > 1 ? a.pitchName : a.labelName,
                     millimetres(past));
    return {};
}

}  // namespace

Result checkStock(const LabelStock& s) {
    if (!paperName(s.paper))
        return fault(ResultCode::StockUnknownPaper, StockValue::Paper);
    if (Result r = checkSizes(s); !r.ok())
        return r;
    // Multiplied wide: a count typed as a billion must not wrap round.
    const long long count = static_cast<long long>(s.columns) * s.rows;
    if (count > kMaxStockLabels)
        return fault(ResultCode::StockTooManyLabels,
                     s.columns > s.rows ? StockValue::Columns : StockValue::Rows,
                     std::to_string(count));
    const Axis across{
        s.paper.widthMm, s.firstLabel.x,         s.labelWidthMm,         s.pitchXMm,
        s.columns,       StockValue::LeftMargin, StockValue::LabelWidth, StockValue::PitchX};
    const Axis down{
        s.paper.heightMm, s.firstLabel.y,        s.labelHeightMm,         s.pitchYMm,
        s.rows,           StockValue::TopMargin, StockValue::LabelHeight, StockValue::PitchY};
    if (Result r = checkAxis(across); !r.ok())
        return r;
    return checkAxis(down);
}
