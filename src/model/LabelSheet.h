#pragma once

#include <array>
#include <string>

#include "model/LabelStock.h"
#include "model/TaxRate.h"

// The six texts of one label, in the order a label data file lists them.
enum class LabelField { JanCode, Maker, ProductName, Spec, Lot, Price };

inline constexpr std::array<LabelField, 6> kLabelFields = {
    LabelField::JanCode, LabelField::Maker, LabelField::ProductName,
    LabelField::Spec,    LabelField::Lot,   LabelField::Price};

struct LabelRecord {
    std::string janCode;
    std::string maker;
    std::string productName;
    std::string spec;
    std::string lot;
    std::string price;
    // Travels with the label's texts through copy, insert, delete and clear.
    TaxRate taxRate = TaxRate::Standard;

    std::string& field(LabelField f);
    const std::string& field(LabelField f) const;
    // True when all six texts are empty (the tax rate is not a text).
    bool isEmpty() const;
    bool operator==(const LabelRecord&) const = default;
};

// Ten labels, numbered 1 to 10.
class LabelSheet {
  public:
    static constexpr int kLabelCount = 10;

    // Label `number` (1..10). Other numbers are a programming error (asserted).
    LabelRecord& label(int number);
    const LabelRecord& label(int number) const;

    // Empties all 60 texts.
    void clear();
    bool operator==(const LabelSheet&) const = default;

  private:
    std::array<LabelRecord, kLabelCount> labels_{};
};

// Where label `number` (1..10) stands on the page: two columns, five rows.
int labelColumn(int number);  // 0 left, 1 right
int labelRow(int number);     // 0..4 from the top

inline constexpr double kLabelWidthMm = 91.0;
inline constexpr double kLabelHeightMm = 55.0;

// Top-left corner of label `number`'s cell on the page, in millimetres.
PointMm labelCellOrigin(int number, double originX, double originY);
