#include "barcode/InStoreNumbering.h"

#include "barcode/InStoreCode.h"

std::optional<InStoreNumbering> InStoreNumbering::from(std::string_view first) {
    if (!inStoreCodes(first, 1))
        return std::nullopt;
    InStoreNumbering numbering;
    numbering.next_ = std::string(first);
    return numbering;
}

std::optional<std::string> InStoreNumbering::take() {
    if (next_.empty())
        return std::nullopt;
    std::string code = inStoreCodes(next_, 1)->front();
    next_ = nextInStoreStart(code).value_or(std::string());
    last_ = code;
    ++given_;
    return code;
}

bool needsInStoreCode(const LabelRecord& label) {
    return label.janCode.empty() && !label.productName.empty();
}

bool numberLabelsWithoutCode(LabelSheet& sheet, InStoreNumbering& numbering) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        LabelRecord& label = sheet.label(n);
        if (!needsInStoreCode(label))
            continue;
        std::optional<std::string> code = numbering.take();
        if (!code)
            return false;
        label.janCode = *std::move(code);
    }
    return true;
}
