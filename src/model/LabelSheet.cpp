#include "model/LabelSheet.h"

#include <algorithm>
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

LabelSheet::LabelSheet() : LabelSheet(kStandardStock) {}

LabelSheet::LabelSheet(const LabelStock& stock) : LabelSheet(stock.labelCount()) {}

LabelSheet::LabelSheet(int labelCount)
    : labels_(static_cast<std::size_t>(std::max(labelCount, 0))) {}

LabelRecord& LabelSheet::label(int number) {
    assert(number >= 1 && number <= labelCount());
    return labels_[static_cast<std::size_t>(number - 1)];
}

const LabelRecord& LabelSheet::label(int number) const {
    assert(number >= 1 && number <= labelCount());
    return labels_[static_cast<std::size_t>(number - 1)];
}

void LabelSheet::clear() {
    std::fill(labels_.begin(), labels_.end(), LabelRecord{});
}
