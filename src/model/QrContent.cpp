#include "model/QrContent.h"

std::string qrContentFor(const LabelRecord& label, std::string_view pattern) {
    if (!label.qrContent.empty())
        return label.qrContent;
    if (pattern.empty())
        return {};
    std::string content;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(kQrCodeMark); at != std::string_view::npos;
         at = pattern.find(kQrCodeMark, from)) {
        // A link to a product page without the product's code leads nowhere.
        if (label.janCode.empty())
            return {};
        content.append(pattern.substr(from, at - from)).append(label.janCode);
        from = at + kQrCodeMark.size();
    }
    content.append(pattern.substr(from));
    return content;
}
