#include "files/QrExtension.h"

#include <optional>

#include "barcode/InStoreCode.h"
#include "files/ElementStyleRow.h"
#include "model/StockCheck.h"
#include "model/ToggleCaptions.h"

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kStyleKey = "QRコード";
constexpr const char* kPatternKey = "QRパターン";
constexpr const char* kPriceEmbeddedKey = "価格入りコード";
constexpr const char* kContentKey = "QR内容";
constexpr std::size_t kStyleFields = 11;

const ElementStyle& defaultStyle() {
    static const ElementStyle style = initialLayoutSettings().element(LabelElement::Qr);
    return style;
}

// The QR code has no font or colour: of its style row only the visibility
// and the offsets are read.
bool readStyle(const std::vector<CsvField>& line, ElementStyle& style) {
    if (line.size() != kStyleFields)
        return false;
    const std::optional<std::int16_t> offsetX = fieldToInt16(line[9]);
    const std::optional<std::int16_t> offsetY = fieldToInt16(line[10]);
    if (!offsetX || !offsetY)
        return false;
    style.visible = captions::visibleFromCaption(line[7].text);
    style.offsetX = *offsetX;
    style.offsetY = *offsetY;
    return true;
}

// A label's own content goes to the label the line names (the labels past
// the tenth are read before these lines); none without a sheet.
bool readContent(const std::vector<CsvField>& line, LabelSheet* sheet) {
    if (line.size() != 4 || line[2].quoted)
        return false;
    const std::optional<std::int32_t> number = fieldToInt32(line[2]);
    if (!number || *number < 1 || *number > kMaxStockLabels)
        return false;
    if (!sheet)
        return true;  // a settings file carries no labels: skipped
    if (*number > sheet->labelCount())
        return false;  // past the stock read before these lines
    sheet->label(*number).qrContent = line[3].text;
    return true;
}

// Why `text` cannot be stored, or Ok.
Result storable(const CsvLineWriter& w, const std::string& text, const char* setting, int label) {
    if (text.find('"') == std::string::npos && w.canStore(text))
        return {};
    Result r = Result::failure(
        text.find('"') != std::string::npos ? ResultCode::QuoteInText : ResultCode::NotEncodable,
        text);
    r.settingName = setting;
    r.labelNumber = label;
    return r;
}

Result checkStorable(const CsvLineWriter& w, const LayoutSettings& settings,
                     const LabelSheet* sheet) {
    if (Result r = storable(w, settings.qrPattern, kPatternKey, 0); !r.ok())
        return r;
    const PriceEmbeddedRule& rule = settings.priceEmbedded;
    if (Result r = storable(w, rule.flag + rule.layout, kPriceEmbeddedKey, 0); !r.ok())
        return r;
    for (int n = 1; sheet && n <= sheet->labelCount(); ++n) {
        if (Result r = storable(w, sheet->label(n).qrContent, kContentKey, n); !r.ok())
            return r;
    }
    return {};
}

}  // namespace

bool isQrExtensionKey(std::string_view key) {
    return key == kStyleKey || key == kPatternKey || key == kPriceEmbeddedKey || key == kContentKey;
}

bool readQrExtensionLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                         LabelSheet* sheet) {
    const std::string_view key = line.size() > 1 ? std::string_view(line[1].text) : "";
    if (key == kStyleKey)
        return readStyle(line, settings.element(LabelElement::Qr));
    if (key == kPatternKey && line.size() == 3) {
        settings.qrPattern = line[2].text;
        return true;
    }
    if (key == kPriceEmbeddedKey && line.size() == 4 && isInStoreFlag(line[2].text) &&
        priceEmbeddedLayoutNamed(line[3].text)) {
        settings.priceEmbedded = PriceEmbeddedRule{line[2].text, line[3].text};
        return true;
    }
    if (key == kContentKey)
        return readContent(line, sheet);
    return false;
}

void resetQrExtension(LayoutSettings& settings, LabelSheet* sheet) {
    settings.element(LabelElement::Qr) = defaultStyle();
    settings.qrPattern.clear();
    settings.priceEmbedded = PriceEmbeddedRule{};
    for (int n = 1; sheet && n <= sheet->labelCount(); ++n)
        sheet->label(n).qrContent.clear();
}

Result writeQrExtension(CsvLineWriter& w, const LayoutSettings& settings, const LabelSheet* sheet) {
    if (Result r = checkStorable(w, settings, sheet); !r.ok())
        return r;
    if (settings.element(LabelElement::Qr) != defaultStyle()) {
        w.text(kMarker);
        writeElementStyleRow(w, kStyleKey, LabelElement::Qr, settings.element(LabelElement::Qr));
        w.endLine();
    }
    if (!settings.qrPattern.empty()) {
        w.text(kMarker);
        w.text(kPatternKey);
        w.text(settings.qrPattern);
        w.endLine();
    }
    if (settings.priceEmbedded != PriceEmbeddedRule{}) {
        w.text(kMarker);
        w.text(kPriceEmbeddedKey);
        w.text(settings.priceEmbedded.flag);
        w.text(settings.priceEmbedded.layout);
        w.endLine();
    }
    for (int n = 1; sheet && n <= sheet->labelCount(); ++n) {
        if (sheet->label(n).qrContent.empty())
            continue;
        w.text(kMarker);
        w.text(kContentKey);
        w.number(n);
        w.text(sheet->label(n).qrContent);
        w.endLine();
    }
    return {};
}
