#pragma once

#include <string>

// The label stock a sheet is printed on: the paper, the size of one label and
// how the labels are laid out on it. Every count, size and position of a
// sheet derives from this value; nothing else in the program assumes one
// particular stock.

struct PointMm {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PointMm&) const = default;
};

struct PaperSize {
    double widthMm = 210.0;  // A4
    double heightMm = 297.0;
    bool operator==(const PaperSize&) const = default;
};

struct LabelStock {
    PaperSize paper;
    double labelWidthMm = 91.0;
    double labelHeightMm = 55.0;
    double cornerRadiusMm = 0.0;
    int columns = 2;
    int rows = 5;
    // The first label's top-left corner before the user's adjustment,
    // measured from the corner of the printer's printable area: where the
    // labels of a well-aligned printer stand.
    PointMm firstLabel{12.0, 7.8};
    // From one label's corner to the next one's, across and down.
    double pitchXMm = 91.0;
    double pitchYMm = 55.0;

    // Labels are numbered from 1, across each row, then down.
    constexpr int labelCount() const { return columns * rows; }
    int column(int number) const;  // 0 is the leftmost
    int row(int number) const;     // 0 is the top
    // Top-left corner of label `number` when the first label's corner is at
    // `first` (the stock's firstLabel moved by the user's adjustment).
    PointMm cellOrigin(int number, PointMm first) const;

    bool operator==(const LabelStock&) const = default;
};

// The stock the program has always printed on: A4, ten business-card labels
// of 91 × 55 mm in two columns of five rows, without gaps.
inline constexpr LabelStock kStandardStock{};

// A stock with the name the user knows it by: for a preset, what is printed
// on the package ("A4 10面 91×55mm"); for the user's own, what they typed.
struct NamedStock {
    std::string name;
    LabelStock stock;
    bool operator==(const NamedStock&) const = default;
};

// The values a user gives for a stock, to name the one that is wrong.
enum class StockValue {
    None,
    Paper,
    LabelWidth,
    LabelHeight,
    CornerRadius,
    Columns,
    Rows,
    TopMargin,   // firstLabel.y
    LeftMargin,  // firstLabel.x
    PitchX,
    PitchY,
};
