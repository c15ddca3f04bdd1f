#include "editor/logic/RecoveryFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "model/HexDigit.h"

namespace {

constexpr std::string_view kNameLine = "#name:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSuffix = ".csv";
constexpr std::string_view kSetAside = "-unreadable";
constexpr std::string_view kLineEnd = "\r\n";

bool keptAsIs(unsigned char c) {
    return c > 0x20 && c < 0x7f && c != '%';
}

std::string escapeName(std::string_view name) {
    std::string out;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptAsIs(c)) {
            out += ch;
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", c);
        out += hex;
    }
    return out;
}

std::optional<std::string> unescapeName(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexDigitValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigitValue(text[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// The file name of the last line; nothing when that line is not the name line.
std::optional<std::string> nameOfLastLine(std::string_view bytes) {
    if (bytes.size() >= kLineEnd.size() && bytes.substr(bytes.size() - kLineEnd.size()) == kLineEnd)
        bytes.remove_suffix(kLineEnd.size());
    const std::size_t end = bytes.rfind(kLineEnd);
    const std::string_view last =
        end == std::string_view::npos ? bytes : bytes.substr(end + kLineEnd.size());
    if (last.substr(0, kNameLine.size()) != kNameLine)
        return std::nullopt;
    return unescapeName(last.substr(kNameLine.size()));
}

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

Result formatRecoveryFile(const RecoveryContent& content, std::string& bytes) {
    Result result = formatLabelFile(content.sheet, content.layout, bytes, FileText::Utf8);
    if (!result.ok())
        return result;
    bytes += kNameLine;
    bytes += escapeName(content.fileName);
    bytes += kLineEnd;
    return result;
}

Result writeRecoveryFile(const std::string& path, const RecoveryContent& content) {
    std::string bytes;
    const Result result = formatRecoveryFile(content, bytes);
    if (!result.ok())
        return result;
    return writeFileAtomically(path, bytes);
}

std::optional<RecoveryContent> parseRecoveryFile(std::string_view bytes) {
    RecoveryContent content;
    content.layout = initialLayoutSettings();
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    // The marker "棚札" reads as itself in one character code only: UTF-8
    // bytes never form it in code page 932, nor code page 932 bytes in UTF-8.
    const bool read =
        parseLabelFile(bytes, content.sheet, content.layout, nullptr, nullptr, FileText::Utf8)
            .ok() ||
        parseLabelFile(bytes, content.sheet, content.layout).ok();
    if (!read)
        return std::nullopt;
    // A file without its name line still holds the labels: they come back untitled.
    content.fileName = nameOfLastLine(bytes).value_or("無題");
    return content;
}

std::optional<RecoveryContent> readRecoveryFile(const std::string& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes).ok())
        return std::nullopt;
    return parseRecoveryFile(bytes);
}

bool removeRecoveryFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(pathOf(path), error);
    return !error;
}

bool isSetAsideRecoveryFile(std::string_view path) {
    if (path.size() >= kSuffix.size() && path.substr(path.size() - kSuffix.size()) == kSuffix)
        path.remove_suffix(kSuffix.size());
    return path.size() >= kSetAside.size() &&
           path.substr(path.size() - kSetAside.size()) == kSetAside;
}

Result setAsideRecoveryFile(const std::string& path, std::string& asidePath) {
    std::string_view stem = path;
    if (stem.size() >= kSuffix.size() && stem.substr(stem.size() - kSuffix.size()) == kSuffix)
        stem.remove_suffix(kSuffix.size());
    asidePath = std::string(stem) + std::string(kSetAside) + std::string(kSuffix);
    // A name taken already (the same file set aside before) gets a number.
    for (int n = 2; fileExists(asidePath); ++n)
        asidePath = std::string(stem) + "-" + std::to_string(n) + std::string(kSetAside) +
                    std::string(kSuffix);
    std::error_code error;
    std::filesystem::rename(pathOf(path), pathOf(asidePath), error);
    if (error)
        return Result::failure(ResultCode::WriteFailed, error.message()).withPath(path);
    return {};
}
