#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/LabelStock.h"
#include "model/ShelfDetails.h"
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
    // Unit price, sale and origin; they travel with the label as its rate does.
    ShelfDetails details{};
    // What the label's QR code holds; empty: the pattern's, if any (QrContent.h).
    std::string qrContent{};

    std::string& field(LabelField f);
    const std::string& field(LabelField f) const;
    // True when all six texts are empty (the tax rate is not a text).
    bool isEmpty() const;
    bool operator==(const LabelRecord&) const = default;
};

// The labels of one sheet, numbered from 1 as the stock numbers them. A sheet
// holds as many labels as its stock has; a new sheet is empty.
class LabelSheet {
  public:
    // A sheet of the standard stock.
    LabelSheet();
    explicit LabelSheet(const LabelStock& stock);
    // A sheet of `labelCount` labels (none when it is not positive).
    explicit LabelSheet(int labelCount);

    int labelCount() const { return static_cast<int>(labels_.size()); }

    // Label `number` (1..labelCount()). Other numbers are a programming error
    // (asserted).
    LabelRecord& label(int number);
    const LabelRecord& label(int number) const;

    // Empties every label; the sheet keeps its size.
    void clear();
    bool operator==(const LabelSheet&) const = default;

  private:
    std::vector<LabelRecord> labels_;
};
