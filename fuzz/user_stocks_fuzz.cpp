// Feeds arbitrary bytes to the reader of the user's stock file. It never
// reads more stocks than its limit, every stock it reads is one that can be
// printed on, and what it reads is written and read back unchanged (or
// refused by the writer as a whole).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/UserStockFile.h"
#include "model/StockCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const UserStocksRead read = parseUserStocks(bytes);
    if (read.stocks.size() > kMaxUserStocks)
        std::abort();
    for (const NamedStock& stock : read.stocks) {
        if (stock.name.empty() || !checkStock(stock.stock).ok())
            std::abort();
    }
    std::string written;
    if (!formatUserStocks(read.stocks, written).ok())
        return 0;
    const UserStocksRead again = parseUserStocks(written);
    if (!again.failure.ok() || again.stocks != read.stocks)
        std::abort();
    return 0;
}
