// Feeds arbitrary bytes to the product list reader, the first byte choosing
// the encoding. Every row read starts on a line of the list, in order, with
// texts of valid UTF-8 and no line break under a column of the table; the
// labels laid out on sheets are the rows that fill a label with a name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "files/BatchSheets.h"
#include "files/ProductList.h"
#include "model/Utf8Text.h"

namespace {

bool isCleanText(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos &&
           utf8::fromUtf32(utf8::toUtf32(text)) == text;
}

int linesIn(std::string_view bytes) {
    int lines = 1;
    for (char c : bytes)
        lines += (c == '\n' || c == '\r') ? 1 : 0;
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto encoding = static_cast<TextEncoding>(data[0] % 3);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int maxLine = linesIn(bytes);

    std::istringstream in(bytes);
    ProductListReader reader(in, encoding);
    std::vector<Result> problems;
    long rows = 0;
    int lastLine = 0;
    while (std::optional<ProductRow> row = reader.next(problems)) {
        if (row->lineNumber <= lastLine || row->lineNumber > maxLine)
            std::abort();
        lastLine = row->lineNumber;
        for (const ColumnText& t : row->texts) {
            if (t.column == nullptr || !isCleanText(t.text))
                std::abort();
        }
        LabelRecord label;
        const Result filled = fillLabel(*row, label);
        if (!filled.ok() && filled.line != row->lineNumber)
            std::abort();
        // A row without a name takes no label.
        rows += filled.ok() && !label.productName.empty() ? 1 : 0;
    }
    for (const Result& p : problems) {
        if (p.line < 1 || p.line > maxLine || p.ok())
            std::abort();
    }

    std::istringstream again(bytes);
    ProductListReader sheetsReader(again, encoding);
    const int labels = kStandardStock.labelCount();
    const int start = 1 + data[0] % labels;
    BatchSheetBuilder builder(sheetsReader, start);
    LabelSheet sheet(kStandardStock);
    std::vector<Result> ignored;
    long sheets = 0;
    while (builder.nextSheet(sheet, ignored))
        ++sheets;
    if (builder.labelsPlaced() != rows || sheets != sheetsNeeded(rows, start, labels))
        std::abort();
    return 0;
}
