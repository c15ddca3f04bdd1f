#include "files/ShelfExtension.h"

#include <optional>
#include <string>
#include <utility>

#include "files/ElementStyleRow.h"
#include "files/LabelFileRecords.h"
#include "model/StockCheck.h"

namespace {

constexpr const char* kMarker = "拡張";

struct StyleKey {
    LabelElement element;
    const char* key;
};
constexpr std::array<StyleKey, kShelfTextElements.size()> kStyleKeys = {{
    {LabelElement::PriceCaption, "価格見出し"},
    {LabelElement::UnitPrice, "単位価格"},
    {LabelElement::RegularPrice, "通常価格"},
    {LabelElement::SalePeriod, "期間"},
    {LabelElement::Origin, "産地"},
}};

// One per-label line: its key and the details it carries.
struct DetailKey {
    const char* key;
    std::string ShelfDetails::*first;
    std::string ShelfDetails::*second;  // nullptr: the line carries one text
};
constexpr std::array<DetailKey, 3> kDetailKeys = {{
    {"内容量", &ShelfDetails::contents, &ShelfDetails::baseQuantity},
    {"特売", &ShelfDetails::regularPrice, &ShelfDetails::salePeriod},
    {"原産地", &ShelfDetails::origin, nullptr},
}};

std::size_t fieldsOf(const DetailKey& k) {
    return k.second ? 5 : 4;
}

bool carries(const DetailKey& k, const ShelfDetails& d) {
    return !(d.*k.first).empty() || (k.second && !(d.*k.second).empty());
}

// The default style of `e` on `stock`: sizes follow the label.
ElementStyle defaultStyle(LabelElement e, const LabelStock& stock) {
    LayoutSettings defaults = initialLayoutSettings();
    defaults.stock = stock;
    applyDefaultLayout(defaults);
    return defaults.element(e);
}

// A text the file cannot hold, as the failure that names it.
std::optional<Result> unstorable(const CsvLineWriter& w, const std::string& text) {
    const bool quote = text.find('"') != std::string::npos;
    if (!quote && w.canStore(text))
        return std::nullopt;
    return Result::failure(quote ? ResultCode::QuoteInText : ResultCode::NotEncodable, text);
}

std::optional<Result> firstUnstorable(const CsvLineWriter& w, const LayoutSettings& settings,
                                      const LabelSheet* sheet) {
    for (const StyleKey& k : kStyleKeys) {
        if (std::optional<Result> r = unstorable(w, settings.element(k.element).font.name)) {
            r->settingName = std::string(k.key) + " フォント名";
            return r;
        }
    }
    for (int n = 1; sheet && n <= sheet->labelCount(); ++n) {
        if (sheet->label(n).isEmpty())
            continue;  // not stored
        const ShelfDetails& d = sheet->label(n).details;
        const std::pair<const std::string*, const char*> texts[] = {{&d.contents, "内容量"},
                                                                    {&d.baseQuantity, "基準量"},
                                                                    {&d.regularPrice, "通常価格"},
                                                                    {&d.salePeriod, "期間"},
                                                                    {&d.origin, "産地"}};
        for (const auto& [text, caption] : texts) {
            if (std::optional<Result> r = unstorable(w, *text)) {
                r->labelNumber = n;
                r->settingName = caption;
                return r;
            }
        }
    }
    return std::nullopt;
}

void writeDetails(CsvLineWriter& w, const LabelSheet& sheet) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        const LabelRecord& label = sheet.label(n);
        if (label.isEmpty())
            continue;  // an empty label is not stored: neither are its details
        for (const DetailKey& k : kDetailKeys) {
            if (!carries(k, label.details))
                continue;
            w.text(kMarker);
            w.text(k.key);
            w.number(n);
            w.text(label.details.*k.first);
            if (k.second)
                w.text(label.details.*k.second);
            w.endLine();
        }
    }
}

// A label's details go to the label when it holds texts (the texts come
// before these lines: the defined records, then the extra labels' lines).
bool readDetails(const DetailKey& k, const std::vector<CsvField>& line, LabelSheet* sheet) {
    if (line.size() != fieldsOf(k) || line[2].quoted)
        return false;
    const std::optional<std::int32_t> n = fieldToInt32(line[2]);
    if (!n || *n < 1 || *n > kMaxStockLabels)
        return false;
    if (!sheet)
        return true;  // a settings file carries no labels: skipped
    if (*n > sheet->labelCount())
        return false;  // past the stock read before these lines
    if (sheet->label(*n).isEmpty())
        return true;  // an empty label carries nothing: skipped
    ShelfDetails& d = sheet->label(*n).details;
    d.*k.first = line[3].text;
    if (k.second)
        d.*k.second = line[4].text;
    return true;
}

}  // namespace

Result writeShelfExtension(CsvLineWriter& w, const LayoutSettings& settings,
                           const LabelSheet* sheet) {
    if (std::optional<Result> failure = firstUnstorable(w, settings, sheet))
        return *std::move(failure);
    for (const StyleKey& k : kStyleKeys) {
        const ElementStyle& style = settings.element(k.element);
        if (style == defaultStyle(k.element, settings.stock))
            continue;
        w.text(kMarker);
        writeElementStyleRow(w, k.key, k.element, style);
        w.endLine();
    }
    if (sheet)
        writeDetails(w, *sheet);
    return {};
}

std::span<const std::string_view> shelfExtensionKeys() {
    static const std::array<std::string_view, kStyleKeys.size() + kDetailKeys.size()> kKeys = [] {
        std::array<std::string_view, kStyleKeys.size() + kDetailKeys.size()> keys{};
        std::size_t i = 0;
        for (const StyleKey& k : kStyleKeys)
            keys[i++] = k.key;
        for (const DetailKey& k : kDetailKeys)
            keys[i++] = k.key;
        return keys;
    }();
    return kKeys;
}

bool readShelfExtensionLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                            LabelSheet* sheet) {
    const std::string& key = line.at(1).text;
    for (const StyleKey& k : kStyleKeys) {
        if (key == k.key)
            return readElementStyleRow(line, settings.element(k.element));
    }
    for (const DetailKey& k : kDetailKeys) {
        if (key == k.key)
            return readDetails(k, line, sheet);
    }
    return true;  // not one of these: skipped
}

void resetShelfExtension(LayoutSettings& settings, LabelSheet* sheet) {
    for (const StyleKey& k : kStyleKeys)
        settings.element(k.element) = defaultStyle(k.element, settings.stock);
    for (int n = 1; sheet && n <= sheet->labelCount(); ++n)
        sheet->label(n).details = ShelfDetails{};
}
