#include "files/ProductMaster.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <utility>

#include "files/ProductColumns.h"
#include "files/SearchText.h"
#include "model/Blanks.h"

namespace {

// Separates a product's code from its name, and one product from the next,
// in the search text. Neither ever stands in a folded query.
constexpr char kFieldEnd = '\x1F';
constexpr char kProductEnd = '\n';

// Whether the row sets the label's rate, whichever column of the table does
// it: the row filled into a label of another rate brings it to the same one.
bool statesTaxRate(const ProductRow& row, const LabelRecord& filled) {
    LabelRecord other;
    other.taxRate = filled.taxRate == TaxRate::Reduced ? TaxRate::Standard : TaxRate::Reduced;
    fillLabel(row, other);
    return other.taxRate == filled.taxRate;
}

}  // namespace

std::string masterCodeKey(std::string_view code) {
    std::string key = foldForSearch(code);
    if (key.starts_with('\''))
        key.erase(0, 1);
    return key;
}

ProductMaster ProductMaster::read(std::istream& in, TextEncoding encoding,
                                  std::vector<Result>& problems) {
    ProductMaster master;
    ProductListReader reader(in, encoding);
    while (std::optional<ProductRow> row = reader.next(problems)) {
        // An empty cell states nothing: it neither fills a text nor gives a
        // rate (a list takes it as the standard rate; a master does not know).
        std::erase_if(row->texts, [](const ColumnText& t) { return trimBlanks(t.text).empty(); });
        MasterProduct product;
        product.lineNumber = row->lineNumber;
        if (Result filled = fillLabel(*row, product.label); !filled.ok())
            problems.push_back(std::move(filled));
        product.statesTaxRate = statesTaxRate(*row, product.label);
        if (!product.label.janCode.empty() || !product.label.productName.empty())
            master.add(std::move(product));
    }
    master.setPriceMeaning(reader.mapping().priceMeaning());
    return master;
}

void ProductMaster::add(MasterProduct product) {
    const std::string key = masterCodeKey(product.label.janCode);
    if (!key.empty())
        byCode_.emplace(key, products_.size());
    lineStarts_.push_back(static_cast<std::uint32_t>(searchText_.size()));
    searchText_ += key;
    searchText_ += kFieldEnd;
    searchText_ += foldForSearch(product.label.productName);
    searchText_ += kProductEnd;
    products_.push_back(std::move(product));
}

const MasterProduct* ProductMaster::findCode(std::string_view code) const {
    const std::string key = masterCodeKey(code);
    if (key.empty())
        return nullptr;
    const auto found = byCode_.find(key);
    return found == byCode_.end() ? nullptr : &products_[found->second];
}

ProductMaster::Matches ProductMaster::search(std::string_view query, std::size_t limit) const {
    Matches matches;
    const std::string folded = foldForSearch(query);
    if (folded.empty())
        return matches;
    std::optional<std::size_t> exact;
    if (const auto code = byCode_.find(masterCodeKey(query)); code != byCode_.end()) {
        exact = code->second;
        matches.products.push_back(code->second);
    }
    const std::boyer_moore_horspool_searcher searcher(folded.begin(), folded.end());
    auto from = searchText_.begin();
    while (true) {
        const auto hit = std::search(from, searchText_.end(), searcher);
        if (hit == searchText_.end())
            break;
        const auto offset = static_cast<std::uint32_t>(hit - searchText_.begin());
        const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
        const auto product = static_cast<std::size_t>(line - lineStarts_.begin()) - 1;
        ++matches.total;
        if (product != exact && matches.products.size() < limit)
            matches.products.push_back(product);
        // On to the next product's line: one match a product.
        from = line == lineStarts_.end() ? searchText_.end() : searchText_.begin() + *line;
    }
    if (exact && matches.total == 0)
        matches.total = 1;  // a code found only through its apostrophe
    if (matches.products.size() > limit)
        matches.products.resize(limit);
    return matches;
}

Result loadProductMaster(const std::string& path, ProductMaster& master,
                         std::vector<Result>& problems) {
    std::string bytes;
    if (Result read = readProductListFile(path, bytes); !read.ok())
        return std::move(read).withPath(path);
    std::istringstream in(std::move(bytes));
    master = ProductMaster::read(in, TextEncoding::Auto, problems);
    return {};
}
