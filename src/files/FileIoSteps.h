#pragma once

// The steps of reading and replacing a file that every system shares
// (FileIo.cpp), for the system's own source (FileIoPosix.cpp or
// FileIoWindows.cpp, chosen by CMake) and nothing else.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/FileIo.h"

namespace fileio {

// The system's own calls, defined in the system's source.
extern const FileSystemOps kSystemOps;

// readWholeFile and writeFileAtomically on this system; the result names no path.
Result readFile(const std::string& path, std::string& bytes, std::size_t maxBytes);
Result replaceFile(const std::string& path, std::string_view bytes);

// The calls in use: the system's, or those a test has installed.
const FileSystemOps& currentOps();

// A failure with the C library's text for `error`, or with `reason`.
Result failure(ResultCode code, int error);
Result failure(ResultCode code, const char* reason);

// Writes all of `bytes`, flushes them to the disk and closes the file. On the
// first failure `error` holds its reason; the file is closed in any case.
bool writeFlushClose(const FileSystemOps& ops, int fd, std::string_view bytes, int& error);

// Renames the finished temporary file over `target`. When it was not finished
// (`ok` false) or the rename fails, the temporary file is removed instead and
// `error` holds the reason.
bool moveIntoPlace(const FileSystemOps& ops, const std::string& temp, const std::string& target,
                   bool ok, int& error);

}  // namespace fileio
