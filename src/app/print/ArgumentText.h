#pragma once

#include <QString>
#include <string>

// The tool's arguments as Qt's command-line parser reads them, and back,
// without losing a byte. A path on Linux is the system's bytes, which need
// not be UTF-8 (a code page 932 name unpacked from a Windows archive); Qt
// would replace such bytes. An argument that is not UTF-8 passes through the
// parser with each byte above 0x7F held as the lone surrogate U+DC80 + byte,
// which no UTF-8 text gives, and comes back as those bytes.
QString argumentText(const std::string& bytes);
std::string argumentBytes(const QString& text);
