#include "files/InStoreCounterFile.h"

#include <vector>

#include "barcode/InStoreNumbering.h"
#include "files/AtomicFile.h"
#include "files/Cp932.h"
#include "files/CsvText.h"
#include "files/FileIo.h"

namespace {

constexpr const char* kMarker = "拡張";
constexpr const char* kKey = "インストア次番号";

}  // namespace

std::optional<std::string> loadInStoreCounter(const std::string& path, Result* failure) {
    std::string bytes;
    Result read = readWholeFile(path, bytes);
    if (!read.ok()) {
        if (failure && read.code != ResultCode::NotFound)
            *failure = std::move(read).withPath(path);
        return std::nullopt;
    }
    // Read as the settings file is: code page 932.
    CsvFieldReader reader(bytes);
    const std::vector<CsvField> fields = reader.nextLine().value_or(std::vector<CsvField>{});
    const bool valid = fields.size() == 3 && fields[0].text == kMarker && fields[1].text == kKey &&
                       InStoreNumbering::from(fields[2].text);
    if (!valid) {
        if (failure)
            *failure = Result::failure(ResultCode::ReadFailed).withPath(path);
        return std::nullopt;
    }
    return fields[2].text;
}

Result saveInStoreCounter(const std::string& path, const std::string& next) {
    CsvLineWriter writer;
    writer.text(kMarker);
    writer.text(kKey);
    writer.text(next);
    writer.endLine();
    const std::optional<std::string> bytes = cp932::encode(writer.result());
    if (!bytes || next.size() != 12)  // digits and the two keys: never
        return Result::failure(ResultCode::NotEncodable, next).withPath(path);
    return writeFileAtomically(path, *bytes);
}
