#include "files/PriceExtension.h"

#include <array>
#include <iterator>
#include <optional>
#include <vector>

#include "files/ElementStyleRow.h"
#include "files/LabelFileRecords.h"
#include "files/QrExtension.h"
#include "files/ShelfExtension.h"
#include "files/StockExtension.h"
#include "model/ElementTemplate.h"

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kPricingKey = "価格表示";
constexpr const char* kRatesKey = "税率";
constexpr const char* kTaxLineKey = "税込";
constexpr std::size_t kPricingFields = 4;
constexpr std::size_t kRatesFields = 2 + kLabelFileRecords;

bool anyLabelRateSet(const LabelSheet& sheet) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        const LabelRecord& label = sheet.label(n);
        if (!label.isEmpty() && label.taxRate != TaxRate::Standard)
            return true;
    }
    return false;
}

std::optional<long> wholeNumber(const CsvField& field) {
    if (field.quoted)
        return std::nullopt;
    return fieldToInt32(field);
}

bool readPricing(const std::vector<CsvField>& line, LayoutSettings& settings, LabelSheet*) {
    PricePattern& pricing = settings.pricing;
    if (line.size() != kPricingFields)
        return false;
    const std::optional<long> mode = wholeNumber(line[2]);
    const std::optional<long> rounding = wholeNumber(line[3]);
    if (!mode || *mode < 0 || *mode > 2 || !rounding || *rounding < 0 || *rounding > 2)
        return false;
    pricing.mode = static_cast<PriceMode>(*mode);
    pricing.rounding = static_cast<TaxRounding>(*rounding);
    return true;
}

// The default pattern's tax line on the labels of `stock`: its size follows the label.
ElementStyle defaultTaxLineStyle(const LabelStock& stock) {
    ElementStyle style = initialLayoutSettings().element(LabelElement::TaxLine);
    style.font.size = elementTemplateFor(stock).place(LabelElement::TaxLine).fontSize;
    return style;
}

// The tax line's style, field for field as the block's text element lines.
bool readTaxLineStyle(const std::vector<CsvField>& line, LayoutSettings& settings, LabelSheet*) {
    return readElementStyleRow(line, settings.element(LabelElement::TaxLine));
}

bool readRates(const std::vector<CsvField>& line, LayoutSettings&, LabelSheet* sheet) {
    if (line.size() != kRatesFields)
        return false;
    if (!sheet)
        return true;  // a pattern has no labels
    LabelSheet rated = *sheet;
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        const std::optional<long> percent = wholeNumber(line[static_cast<std::size_t>(n + 1)]);
        const std::optional<TaxRate> rate = percent ? taxRateFromPercent(*percent) : std::nullopt;
        if (!rate)
            return false;
        if (n <= rated.labelCount() && !rated.label(n).isEmpty())
            rated.label(n).taxRate = *rate;
    }
    *sheet = std::move(rated);
    return true;
}

void applyPriceDefaults(LayoutSettings& settings, LabelSheet* sheet) {
    settings.pricing = PricePattern{};
    settings.element(LabelElement::TaxLine) = defaultTaxLineStyle(settings.stock);
    if (!sheet)
        return;
    for (int n = 1; n <= sheet->labelCount(); ++n)
        sheet->label(n).taxRate = TaxRate::Standard;
}

// The settings the lines carry fall into groups: a damaged line puts its
// group back to the defaults and leaves the others as read.
enum class ExtensionGroup { Price, Stock, FineOrigin, Shelf, Qr };

using LineReader = bool (*)(const std::vector<CsvField>& line, LayoutSettings& settings,
                            LabelSheet* sheet);
using GroupReset = void (*)(LayoutSettings& settings, LabelSheet* sheet);

struct ExtensionKey {
    const char* key;
    ExtensionGroup group;
    LineReader read;
};

// Every key the program reads; a line with another key comes from a later
// version and is skipped.
const ExtensionKey kExtensionKeys[] = {
    {kPricingKey, ExtensionGroup::Price, readPricing},
    {kTaxLineKey, ExtensionGroup::Price, readTaxLineStyle},
    {kRatesKey, ExtensionGroup::Price, readRates},
    {"用紙", ExtensionGroup::Stock, readStockLine},
    {"ラベル", ExtensionGroup::Stock, readExtraLabelLine},
    {"位置微調整", ExtensionGroup::FineOrigin, readFineOriginLine},
};

// Indexed by ExtensionGroup.
const GroupReset kGroupResets[] = {applyPriceDefaults, resetStock, resetFineOrigin,
                                   resetShelfExtension, resetQrExtension};
constexpr std::size_t kGroupCount = std::size(kGroupResets);

const ExtensionKey* findKey(const std::string& key) {
    for (const ExtensionKey& k : kExtensionKeys) {
        if (key == k.key)
            return &k;
    }
    // What a shop's label shows beside its texts (files/ShelfExtension.h).
    static const ExtensionKey kShelfKey{"", ExtensionGroup::Shelf, readShelfExtensionLine};
    for (std::string_view k : shelfExtensionKeys()) {
        if (key == k)
            return &kShelfKey;
    }
    // The QR code and the shop's codes (files/QrExtension.h).
    static const ExtensionKey kQrKey{"", ExtensionGroup::Qr, readQrExtensionLine};
    if (isQrExtensionKey(key))
        return &kQrKey;
    return nullptr;
}

}  // namespace

bool needsPriceExtension(const LayoutSettings& settings, const LabelSheet* sheet) {
    return settings.pricing != PricePattern{} ||
           settings.element(LabelElement::TaxLine) != defaultTaxLineStyle(settings.stock) ||
           (sheet && anyLabelRateSet(*sheet));
}

Result writePriceExtension(CsvLineWriter& w, const LayoutSettings& settings,
                           const LabelSheet* sheet) {
    if (!needsPriceExtension(settings, sheet))
        return {};
    const ElementStyle& taxLine = settings.element(LabelElement::TaxLine);
    const std::string& fontName = taxLine.font.name;
    const bool quote = fontName.find('"') != std::string::npos;
    if (quote || !w.canStore(fontName)) {
        Result r;
        r.code = quote ? ResultCode::QuoteInText : ResultCode::NotEncodable;
        r.detail = fontName;
        r.settingName = std::string(kTaxLineKey) + " フォント名";
        return r;
    }
    w.text(kMarker);
    w.text(kPricingKey);
    w.number(static_cast<int>(settings.pricing.mode));
    w.number(static_cast<int>(settings.pricing.rounding));
    w.endLine();
    w.text(kMarker);
    writeElementStyleRow(w, kTaxLineKey, LabelElement::TaxLine, taxLine);
    w.endLine();
    if (!sheet)
        return {};
    w.text(kMarker);
    w.text(kRatesKey);
    // An empty label's rate means nothing yet: stored as the standard rate.
    // The label file's writer refuses any other sheet; a shorter one stores
    // the standard rate for the labels it lacks, as for empty labels.
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        const LabelRecord label = n <= sheet->labelCount() ? sheet->label(n) : LabelRecord{};
        w.number(ratePercent(label.isEmpty() ? TaxRate::Standard : label.taxRate));
    }
    w.endLine();
    return {};
}

PriceExtensionRead readPriceExtension(CsvFieldReader& reader, LayoutSettings& settings,
                                      LabelSheet* sheet, int* damagedStockLine) {
    for (GroupReset reset : kGroupResets)
        reset(settings, sheet);
    if (!reader.atLineStart())
        reader.nextLine();  // the rest of the last defined line

    // Read into copies: a group whose line is damaged is put back as a whole.
    LayoutSettings read = settings;
    std::optional<LabelSheet> readSheet;
    if (sheet)
        readSheet = *sheet;
    LabelSheet* const target = readSheet ? &*readSheet : nullptr;
    bool any = false;
    std::array<int, kGroupCount> damagedLine{};
    std::array<bool, kGroupCount> seen{};
    while (std::optional<std::vector<CsvField>> line = reader.nextLine()) {
        const CsvField& marker = line->front();
        if (!marker.quoted || marker.text != kMarker)
            break;  // not ours: ignored, as every reader ignores what follows
        any = true;
        const ExtensionKey* key = findKey(line->size() > 1 ? (*line)[1].text : std::string());
        if (!key)
            continue;
        const auto group = static_cast<std::size_t>(key->group);
        seen[group] = true;
        if (damagedLine[group] == 0 && !key->read(*line, read, target))
            damagedLine[group] = marker.line;
    }
    // The stock first: the defaults of the others follow it.
    constexpr auto kStock = static_cast<std::size_t>(ExtensionGroup::Stock);
    if (damagedLine[kStock] != 0)
        kGroupResets[kStock](read, target);
    for (std::size_t g = 0; g < kGroupCount; ++g) {
        if (g != kStock && damagedLine[g] != 0)
            kGroupResets[g](read, target);
    }
    // Without their lines, the shop's elements take the defaults of the stock read.
    if (!seen[static_cast<std::size_t>(ExtensionGroup::Shelf)])
        resetShelfExtension(read, target);
    // Without price lines the tax line is the default one of the stock read.
    if (!seen[static_cast<std::size_t>(ExtensionGroup::Price)])
        read.element(LabelElement::TaxLine) = defaultTaxLineStyle(read.stock);
    if (damagedStockLine)
        *damagedStockLine = damagedLine[static_cast<std::size_t>(ExtensionGroup::Stock)];
    applyAdjustTextsToOrigin(read);  // on the stock read, with the fine part read
    settings = std::move(read);
    if (sheet)
        *sheet = *std::move(readSheet);
    if (damagedLine[static_cast<std::size_t>(ExtensionGroup::Price)] != 0 ||
        damagedLine[static_cast<std::size_t>(ExtensionGroup::Shelf)] != 0 ||
        damagedLine[static_cast<std::size_t>(ExtensionGroup::Qr)] != 0)
        return PriceExtensionRead::Damaged;
    return any ? PriceExtensionRead::Read : PriceExtensionRead::Absent;
}

Result writeExtensionLines(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet) {
    using Writer = Result (*)(CsvLineWriter&, const LayoutSettings&, const LabelSheet*);
    // The stock comes before the labels' own lines: they may name labels past the tenth.
    for (Writer write :
         {writePriceExtension, writeStockExtension, writeShelfExtension, writeQrExtension}) {
        if (Result result = write(writer, settings, sheet); !result.ok())
            return result;
    }
    return {};
}
