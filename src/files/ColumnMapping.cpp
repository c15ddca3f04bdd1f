#include "files/ColumnMapping.h"

#include <algorithm>
#include <cstdint>

#include "files/HeaderName.h"
#include "model/Blanks.h"

namespace {

constexpr std::string_view kNoColumn = "なし";

// The list's column whose header names `part` best, or -1.
int bestColumn(const ProductColumn& part, const std::vector<std::string>& header) {
    int best = -1;
    int bestRank = 0;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const int rank = headerRank(part, header[i]);
        if (rank >= 0 && (best < 0 || rank < bestRank)) {
            best = static_cast<int>(i);
            bestRank = rank;
        }
    }
    return best;
}

const ProductColumn* partFilling(LabelField field) {
    for (const ProductColumn& part : productColumns()) {
        if (part.position == static_cast<int>(field))
            return &part;
    }
    return nullptr;
}

}  // namespace

ColumnMapping ColumnMapping::positional() {
    ColumnMapping mapping;
    for (const ProductColumn& part : productColumns()) {
        if (part.position >= 0)
            mapping.fills_.push_back({&part, part.position});
    }
    return mapping;
}

ColumnMapping ColumnMapping::fromHeader(std::vector<std::string> header) {
    ColumnMapping mapping;
    mapping.hasHeader_ = true;
    mapping.header_ = std::move(header);
    for (const ProductColumn& part : productColumns()) {
        if (const int column = bestColumn(part, mapping.header_); column >= 0)
            mapping.assign(part, column);
    }
    return mapping;
}

std::optional<int> ColumnMapping::columnOf(const ProductColumn& part) const {
    for (const Fill& fill : fills_) {
        if (fill.part == &part)
            return fill.column;
    }
    return std::nullopt;
}

void ColumnMapping::assign(const ProductColumn& part, std::optional<int> column) {
    std::erase_if(fills_, [&](const Fill& fill) { return fill.part == &part; });
    if (column && *column >= 0) {
        // Kept in the order of the table, as positional() and fromHeader() make it.
        const auto table = productColumns();
        const auto rankOf = [&](const ProductColumn* p) { return p - table.data(); };
        const auto at = std::find_if(fills_.begin(), fills_.end(), [&](const Fill& fill) {
            return rankOf(fill.part) > rankOf(&part);
        });
        fills_.insert(at, Fill{&part, *column});
    }
    if (&part == partFilling(LabelField::Price)) {
        const bool named = column && static_cast<std::size_t>(*column) < header_.size();
        priceMeaning_ = named ? priceMeaningOfHeader(header_[static_cast<std::size_t>(*column)])
                              : PriceMeaning::AsSheet;
    }
}

bool ColumnMapping::canPrint() const {
    return columnOf(*partFilling(LabelField::JanCode)) ||
           columnOf(*partFilling(LabelField::ProductName));
}

std::string ColumnMapping::headerKey() const {
    if (!hasHeader_)
        return "";
    // FNV-1a over the folded cells, each ended by a zero byte: short enough
    // for a settings key, and the same for the same header in any encoding.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const auto add = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    };
    for (const std::string& cell : header_) {
        for (const char c : foldHeaderName(cell))
            add(static_cast<unsigned char>(c));
        add(0);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string key(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        key[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
    return key;
}

std::optional<int> headerColumn(const ColumnMapping& mapping, std::string_view name) {
    const std::string wanted = foldHeaderName(name);
    const std::vector<std::string>& header = mapping.header();
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (foldHeaderName(header[i]) == wanted)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

const ProductColumn* labelPart(std::string_view name) {
    const std::string wanted = foldHeaderName(name);
    for (const ProductColumn& part : productColumns()) {
        if (foldHeaderName(part.name) == wanted)
            return &part;
    }
    return columnNamed(wanted);
}

namespace {

// The pairs of a mapping text, without blanks around them; empty ones left out.
std::vector<std::string_view> mappingPairs(std::string_view text) {
    std::vector<std::string_view> pairs;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        if (const std::string_view pair = trimBlanks(text.substr(0, comma)); !pair.empty())
            pairs.push_back(pair);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return pairs;
}

}  // namespace

std::optional<std::string> unknownMappingPart(std::string_view text) {
    for (const std::string_view pair : mappingPairs(text)) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos ||
            labelPart(trimBlanks(pair.substr(0, equals))) == nullptr)
            return std::string(pair);
    }
    return std::nullopt;
}

Result applyMappingText(ColumnMapping& mapping, std::string_view text) {
    ColumnMapping changed = mapping;
    for (const std::string_view pair : mappingPairs(text)) {
        const std::size_t equals = pair.find('=');
        const std::string_view partName = trimBlanks(pair.substr(0, equals));
        const ProductColumn* part = labelPart(partName);
        if (part == nullptr || equals == std::string_view::npos)
            return Result::failure(ResultCode::MappingPartUnknown, std::string(pair));
        const std::string_view cell = trimBlanks(pair.substr(equals + 1));
        if (cell.empty() || cell == kNoColumn) {
            changed.assign(*part, std::nullopt);
            continue;
        }
        const std::optional<int> column = headerColumn(changed, cell);
        if (!column)
            return Result::failure(ResultCode::MappingColumnUnknown, std::string(cell));
        changed.assign(*part, column);
    }
    mapping = std::move(changed);
    return {};
}
