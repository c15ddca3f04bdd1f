#pragma once

// Windows only: the program's UTF-8 paths in the form Windows takes them, and
// Windows' error codes as the C library's error numbers.
#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace windows_files {

// False when `utf8` is not valid UTF-8.
bool toWide(const std::string& utf8, std::wstring& wide);
std::string toUtf8(const std::wstring& wide);
// The C library's error number for a system error, so that failures read the
// same on every system.
int errorNumber(DWORD error);

}  // namespace windows_files
#endif
