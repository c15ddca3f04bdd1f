#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/ProductList.h"
#include "model/LabelSheet.h"
#include "model/ListPrice.h"
#include "model/Result.h"

// The shop's product master: any product list, kept to fill labels from. A
// code typed on a label finds its product at once (by the exact code), and a
// search finds products by any part of their code or name as one types.

// One product of the master, as its row fills a label.
struct MasterProduct {
    LabelRecord label;
    // The row gives a tax rate of its own (the label's rate then follows it;
    // otherwise the label keeps its own).
    bool statesTaxRate = false;
    int lineNumber = 0;  // the row's line in the list
};

class ProductMaster {
  public:
    // Reads a product list as a master. Rows that cannot be read, and rows
    // whose texts cannot all be used, are reported through `problems` (the
    // latter are kept with the texts that could be used).
    static ProductMaster read(std::istream& in, TextEncoding encoding,
                              std::vector<Result>& problems);

    // Adds a product at the end. Of several products under one code, the
    // first keeps it.
    void add(MasterProduct product);

    // What the amounts of the master's price column are (税込, 税抜...), as
    // its header says: a label takes them as its sheet's price box holds them.
    PriceMeaning priceMeaning() const { return priceMeaning_; }
    void setPriceMeaning(PriceMeaning meaning) { priceMeaning_ = meaning; }

    std::size_t size() const { return products_.size(); }
    bool empty() const { return products_.empty(); }
    const MasterProduct& product(std::size_t index) const { return products_[index]; }

    // The product with the code `code`, or nullptr. Codes are compared in
    // their folded form (files/SearchText.h) without a leading apostrophe, as
    // spreadsheets mark a code kept as text.
    const MasterProduct* findCode(std::string_view code) const;

    // The products whose code or name holds `query` (both folded), at most
    // `limit` of them: the product with exactly that code first, the others
    // in the order of the list. `total` counts all that match.
    struct Matches {
        std::vector<std::size_t> products;
        std::size_t total = 0;
    };
    Matches search(std::string_view query, std::size_t limit) const;

  private:
    PriceMeaning priceMeaning_ = PriceMeaning::AsSheet;
    std::vector<MasterProduct> products_;
    std::unordered_map<std::string, std::size_t> byCode_;
    // The folded code and name of every product, one a line, in the order of
    // products_, searched as one text; lineStarts_[i] is where product i's
    // line begins.
    std::string searchText_;
    std::vector<std::uint32_t> lineStarts_;
};

// The key a code is found by: folded, without a leading apostrophe.
std::string masterCodeKey(std::string_view code);

// Reads the product list at `path` (a regular file within the size of a
// product list, opened without waiting) as the master. A file that cannot be
// read is the failure, naming the path; rows as ProductMaster::read.
Result loadProductMaster(const std::string& path, ProductMaster& master,
                         std::vector<Result>& problems);
