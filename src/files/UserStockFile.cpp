#include "files/UserStockFile.h"

#include <optional>

#include "files/AtomicFile.h"
#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/StockRow.h"
#include "model/StockCheck.h"
#include "model/Utf8Text.h"

namespace {

constexpr const char* kMarker = "棚札用紙";

Result checkForWriting(const NamedStock& named) {
    if (named.name.empty())
        return Result::failure(ResultCode::StockNotFound);
    if (named.name.find('"') != std::string::npos)
        return Result::failure(ResultCode::QuoteInText, named.name);
    Result r = checkStock(named.stock);
    if (!r.ok())
        r.detail = named.name;
    return r;
}

}  // namespace

Result formatUserStocks(const std::vector<NamedStock>& stocks, std::string& bytes) {
    bytes.clear();
    if (stocks.size() > kMaxUserStocks)
        return Result::failure(ResultCode::StockFileDamaged, std::to_string(stocks.size()));
    CsvLineWriter writer(FileText::Utf8);
    writer.text(kMarker);
    writer.endLine();
    for (const NamedStock& named : stocks) {
        if (Result r = checkForWriting(named); !r.ok())
            return r;
        if (Result r = writeStockRow(writer, named); !r.ok())
            return r;
        writer.endLine();
    }
    bytes = writer.result();
    return {};
}

Result writeUserStocks(const std::string& path, const std::vector<NamedStock>& stocks) {
    std::string bytes;
    if (Result r = formatUserStocks(stocks, bytes); !r.ok())
        return r;
    return writeFileAtomically(path, bytes);
}

UserStocksRead parseUserStocks(std::string_view bytes) {
    UserStocksRead read;
    if (bytes.size() > kMaxUserStockFileBytes) {
        read.failure = Result::failure(ResultCode::ReadFailed);
        return read;
    }
    CsvFieldReader reader(bytes, FileText::Utf8);
    const std::optional<std::vector<CsvField>> marker = reader.nextLine(kStockRowFields + 1);
    if (!marker || marker->size() != 1 || marker->front().text != kMarker) {
        read.failure = Result::failure(ResultCode::NotLabelFile);
        return read;
    }
    while (std::optional<std::vector<CsvField>> line = reader.nextLine(kStockRowFields + 1)) {
        const int number = line->front().line;
        std::optional<NamedStock> named = readStockRow(*line, 0);
        const bool usable = named && !named->name.empty() && utf8::isValid(named->name) &&
                            read.stocks.size() < kMaxUserStocks;
        if (usable) {
            read.stocks.push_back(*std::move(named));
        } else if (read.failure.ok()) {
            read.failure = Result::failure(ResultCode::StockFileDamaged).withLine(number);
        }
    }
    return read;
}

UserStocksRead readUserStocks(const std::string& path) {
    std::string bytes;
    UserStocksRead read;
    if (Result r = readWholeFile(path, bytes, kMaxUserStockFileBytes); !r.ok()) {
        read.failure = std::move(r).withPath(path);
        return read;
    }
    read = parseUserStocks(bytes);
    if (!read.failure.ok())
        read.failure.path = path;
    return read;
}

std::string userStockPathBeside(const std::string& settingsPath) {
    const std::size_t slash = settingsPath.find_last_of("/\\");
    const std::string folder =
        slash == std::string::npos ? std::string() : settingsPath.substr(0, slash + 1);
    return folder + kUserStockFileName;
}
