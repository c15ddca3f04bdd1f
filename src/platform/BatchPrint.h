#pragma once

#include <functional>
#include <string>
#include <vector>

#include "files/ProductList.h"
#include "model/LayoutSettings.h"

class QPrinter;

struct BatchPrintResult {
    long sheets = 0;
    long labels = 0;
    std::vector<ProductProblem> problems;
    bool ok = true;
    std::string error;  // Japanese, when !ok
};

// Prints a product list on `printer` (a real printer or a PDF, set up by the
// caller), one sheet of ten labels a page, each label drawn exactly as the
// print command draws a typed sheet. The list is streamed: one sheet is held
// in memory at a time. `progress` is called after each page with the number
// of sheets done. When a page cannot be drawn the job is aborted: nothing
// reaches the printer.
BatchPrintResult printProductList(QPrinter& printer, ProductListReader& reader,
                                  const LayoutSettings& layout, int startPosition,
                                  const std::function<void(long sheetsDone)>& progress = {});
