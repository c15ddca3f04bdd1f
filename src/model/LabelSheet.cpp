#include "model/LabelSheet.h"

#include <cassert>

std::string& LabelRecord::field(LabelField f) {
    return const_cast<std::string&>(static_cast<const LabelRecord&>(*this).field(f));
}

const std::string& LabelRecord::field(LabelField f) const {
    switch (f) {
        case LabelField::JanCode:
            return janCode;
        case LabelField::Maker:
            return maker;
        case LabelField::ProductName:
            return productName;
        case LabelField::Spec:
            return spec;
        case LabelField::Lot:
            return lot;
        case LabelField::Price:
            return price;
    }
    return janCode;
}

bool LabelRecord::isEmpty() const {
    for (LabelField f : kLabelFields) {
        if (!field(f).empty())
            return false;
    }
    return true;
}

LabelRecord& LabelSheet::label(int number) {
    assert(number >= 1 && number <= kLabelCount);
    return labels_[static_cast<std::size_t>(number - 1)];
}

const LabelRecord& LabelSheet::label(int number) const {
    assert(number >= 1 && number <= kLabelCount);
    return labels_[static_cast<std::size_t>(number - 1)];
}

void LabelSheet::clear() {
    labels_.fill(LabelRecord{});
}

int labelColumn(int number) {
    return kStandardStock.column(number);
}

int labelRow(int number) {
    return kStandardStock.row(number);
}

PointMm labelCellOrigin(int number, double originX, double originY) {
    return kStandardStock.cellOrigin(number, {originX, originY});
}
