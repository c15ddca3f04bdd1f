#pragma once

#include <cstring>
#include <string>
#include <utility>

#include "model/LabelSheet.h"

// How an operation of the core, the platform adapters or the editor logic
// ended, as a value: what went wrong (the code), the detail only the system
// or the data can give, and what it is about. Nothing below the window and
// the print tool forms a sentence for the user: they turn a result into
// their own Japanese words (jobs/ResultText.h).
//
// A result is also the form of a finding that does not stop the work: each
// problem row of a product list is a result naming its line.
enum class ResultCode {
    Ok,
    // Files.
    NotFound,            // the file does not exist
    ReadFailed,          // it exists but could not be read (or is too large, or no file)
    WriteFailed,         // it could not be created, written, flushed or renamed into place
    QuoteInText,         // a text holds a double quote, which the file form cannot store
    NotEncodable,        // a text holds a character code page 932 cannot hold
    NotLabelFile,        // the file is no label data file (its first field is not 棚札)
    IsFolder,            // an output path names a folder
    NotRegularFile,      // an output path names a device, a named pipe or a socket
    SameAsInput,         // an output path names the same file as one of the inputs
    Incomplete,          // a file another writer made is cut short (no end mark)
    ScratchFileNotMade,  // no temporary file could be made (`detail`: the system's reason)
    SheetNotStorable,    // the sheet's labels are not the ones a label data file holds
    NotLabelTemplate,    // a label template file is damaged or hostile (`line`: where it stops)
    // Product lists: the list as a whole, then one row (`line`).
    ListNotOpened,      // the list could not be opened
    ListEmpty,          // the list holds no product to print
    ListUnreadable,     // the list has rows, but none that can be read
    RowTooLong,         // the row is longer than a row can be; not printed
    RowQuoteNotClosed,  // a quote is never closed; not printed
    RowNotUtf8,         // the row is not UTF-8; not printed
    RowNotCp932,        // the row is not code page 932; not printed
    RowNotDecodable,    // the row is neither UTF-8 nor code page 932; not printed
    RowTooManyColumns,  // more than the six columns; not printed
    RowBadTaxRate,      // the tax rate (`detail`) cannot be read; not printed
    RowWithoutName,     // no product name: the label prints nothing
    RowWithoutBarcode,  // the JAN code (`detail`) gets no barcode; printed without
    // The row is not UTF-16 (a list marked as UTF-16); not printed.
    RowNotUtf16,
    // The code (`detail`) is in a spreadsheet's exponent form; printed without a barcode.
    RowCodeExponent,
    // 12 digits (`detail`) that are no UPC-A code; printed without a barcode.
    RowCodeTwelveDigits,
    // The code's (`detail`) check digit is wrong; printed as written without a barcode.
    RowWrongCheckDigit,
    // No pre-tax price gives the tax-inclusive price (`detail`); not printed.
    RowNoPreTaxPrice,
    // The price (`detail`) is no amount: printed as written, without its tax line.
    RowPriceNotAnAmount,
    // Neither the code nor the name has a column (`detail`: the header); nothing printed.
    ListColumnsUnknown,
    // A mapping names no part of a label (`detail`: the name).
    MappingPartUnknown,
    // A mapping names a column the list has not (`detail`: the name).
    MappingColumnUnknown,
    // Printing, on the printer `printer` or into the PDF file `path`.
    PrinterNotFound,    // no printer (of that name, or no queue of that name)
    SpoolerDown,        // no print spooler answers
    QueueStopped,       // the printer's queue holds its jobs (`detail`: the spooler's words)
    QueueNotAccepting,  // the queue refuses new jobs (`detail`: the spooler's words)
    QueueRefused,       // the spooler refused the job (`detail`: the spooler's words)
    PrinterNotOpened,   // printing could not begin
    PageNotStarted,     // the next page could not be begun
    PageNotDrawn,       // drawing the page failed: the job was abandoned
    PrintNotFinished,   // the document could not be ended
    PrintFinished,      // the job was ended already
    PdfNotWritten,      // the PDF file is missing or empty afterwards
    PdfNotReadBack,     // the finished PDF could not be read back (`detail`: why)
    ImageNotMade,       // the preview image could not be encoded
    // Label stocks: the value at fault is `stockValue`, its amount `detail`.
    StockUnknownPaper,     // the paper is none the program knows (A4, B5, A5, Letter)
    StockSizeNotPositive,  // a size, count or pitch is zero, negative or no number
    StockCornerTooLarge,   // the corner radius is more than half the label's side
    StockTooManyLabels,    // more than kMaxStockLabels labels (`detail`: the count)
    StockLabelPastPaper,   // a label stands past the paper's edge (`detail`: by how many mm)
    StockLabelsOverlap,    // the pitch is smaller than the label
    StockNotFound,         // no preset, user stock or stock file of that name (`detail`)
    StockFileDamaged,      // a stock file's `line` cannot be read
};

struct Result {
    ResultCode code = ResultCode::Ok;
    // The system's reason (strerror text) for a failed read or write, the
    // offending text for QuoteInText/NotEncodable, the JAN code of
    // RowWithoutBarcode; otherwise empty.
    std::string detail;

    // What it is about; each stays empty (0) when it is not about that.
    std::string path;                        // a file: the one read or written, the list, the PDF
    std::string printer;                     // the system printer's name
    int labelNumber = 0;                     // the label (from 1) holding the offending text
    LabelField field = LabelField::JanCode;  // ... and its field
    std::string settingName;                 // a layout setting, e.g. "品名 フォント名", or
                                             // a label's detail ("産地") with labelNumber
    int line = 0;                            // a product list's line (1-based)
    StockValue stockValue = StockValue::None;  // a label stock's value at fault

    bool ok() const { return code == ResultCode::Ok; }

    // A failure with its code and detail; the subject is set by the caller
    // that knows it (`Result::failure(c).withPath(p)`).
    static Result failure(ResultCode code, std::string detail = {}) {
        Result r;
        r.code = code;
        r.detail = std::move(detail);
        return r;
    }
    // A failure whose detail is the C library's text for the error number
    // `systemError` (errno, or a Windows error mapped to one).
    static Result failure(ResultCode code, int systemError) {
        return failure(code, std::string(std::strerror(systemError)));
    }
    Result withPath(std::string p) && {
        path = std::move(p);
        return std::move(*this);
    }
    Result withPrinter(std::string name) && {
        printer = std::move(name);
        return std::move(*this);
    }
    Result withLine(int l) && {
        line = l;
        return std::move(*this);
    }
};
