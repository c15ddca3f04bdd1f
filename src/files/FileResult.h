#pragma once

#include <string>

#include "model/LabelSheet.h"

// Why a file operation failed. The core never shows anything: the caller
// decides how to tell the user.
enum class FileErrorCode {
    None,
    NotFound,      // the file does not exist
    ReadFailed,    // it exists but could not be read (or is too large)
    WriteFailed,   // it could not be created, written, flushed or renamed into place
    QuoteInText,   // a text holds a double quote, which the file form cannot store
    NotEncodable,  // a text holds a character code page 932 cannot hold
};

struct FileResult {
    FileErrorCode code = FileErrorCode::None;
    // For WriteFailed/ReadFailed: the system's reason (strerror text).
    // For QuoteInText/NotEncodable: the offending text.
    std::string detail;
    // For QuoteInText/NotEncodable in a label: its number (1..10) and field;
    // 0 when the text belongs to the layout (a font name or caption).
    int labelNumber = 0;
    LabelField field = LabelField::JanCode;
    // For QuoteInText/NotEncodable in the layout: which setting, e.g. "品名 フォント名".
    std::string settingName;

    bool ok() const { return code == FileErrorCode::None; }
};
