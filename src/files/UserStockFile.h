#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/LabelStock.h"
#include "model/Result.h"

// The user's own stocks, in a file of their own beside the settings file
// (kUserStockFileName), and the same file exported or imported. Kept apart
// from data.txt because data.txt is one print pattern that other programs
// read too, while the user's stocks are a list of their own that travels
// between machines whole. UTF-8, CR LF:
//
//   "棚札用紙"
//   one stock a line, field for field as StockRow.h (with its name)
//
// Reading is bounded (kMaxUserStockFileBytes, kMaxUserStocks) and never
// throws: a file too large is refused, a line that cannot be read is skipped
// and named.
inline constexpr const char* kUserStockFileName = "stocks.csv";
inline constexpr std::size_t kMaxUserStockFileBytes = 256 * 1024;
inline constexpr std::size_t kMaxUserStocks = 200;

struct UserStocksRead {
    std::vector<NamedStock> stocks;  // every stock read, in the file's order
    // Ok; or NotFound / ReadFailed (nothing read), NotLabelFile (no marker:
    // nothing read), or StockFileDamaged naming the first `line` skipped
    // (the others are read). Names the file when read from one.
    Result failure;
};

// The file's bytes; or a failure and no bytes: QuoteInText (`detail`: the
// name) for a name holding a double quote, StockNotFound for an empty name,
// the stock's checkStock failure for an impossible stock, StockFileDamaged for
// more than kMaxUserStocks stocks.
Result formatUserStocks(const std::vector<NamedStock>& stocks, std::string& bytes);
Result writeUserStocks(const std::string& path, const std::vector<NamedStock>& stocks);

UserStocksRead parseUserStocks(std::string_view bytes);
UserStocksRead readUserStocks(const std::string& path);

// The user's stock file beside the settings file at `settingsPath`.
std::string userStockPathBeside(const std::string& settingsPath);
