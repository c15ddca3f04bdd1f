#include "files/FileIo.h"

#include "files/FileIoSteps.h"

Result readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    Result result = fileio::readFile(path, bytes, maxBytes);
    if (!result.ok())
        result.path = path;
    return result;
}
