#include "files/FileIo.h"

#include <cerrno>
#include <cstring>

#include "files/FileIoSteps.h"

namespace fileio {

Result failure(ResultCode code, int error) {
    Result r;
    r.code = code;
    r.detail = std::strerror(error);
    return r;
}

Result failure(ResultCode code, const char* reason) {
    Result r;
    r.code = code;
    r.detail = reason;
    return r;
}

}  // namespace fileio

Result readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    Result result = fileio::readFile(path, bytes, maxBytes);
    if (!result.ok())
        result.path = path;
    return result;
}
