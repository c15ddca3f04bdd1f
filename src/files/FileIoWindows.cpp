// Reading files through the Windows API: UTF-16 names, binary
// bytes, the C library's error numbers.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>

#include "files/FileIo.h"
#include "files/FileIoSteps.h"
#include "files/WindowsFileNames.h"

using windows_files::errorNumber;
using windows_files::toWide;

Result fileio::readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::wstring wide;
    if (!toWide(path, wide))
        return Result::failure(ResultCode::ReadFailed, EINVAL);
    // Shared with writers and with a replacement, as a reader elsewhere would be.
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = errorNumber(::GetLastError());
        return Result::failure(error == ENOENT ? ResultCode::NotFound : ResultCode::ReadFailed,
                               error);
    }
    // Only a file on a disk: no pipe, console or device such as NUL.
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(file);
        return Result::failure(ResultCode::ReadFailed, fileio::kNotRegularFile);
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            const int error = errorNumber(::GetLastError());
            ::CloseHandle(file);
            return Result::failure(ResultCode::ReadFailed, error);
        }
        if (n == 0)
            break;
        if (data.size() + n > maxBytes) {
            ::CloseHandle(file);
            return Result::failure(ResultCode::ReadFailed, fileio::kTooLarge);
        }
        data.append(buffer, n);
    }
    ::CloseHandle(file);
    bytes = std::move(data);
    return {};
}

bool fileExists(const std::string& path) {
    std::wstring wide;
    return toWide(path, wide) && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}
