#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/LayoutSettings.h"

// What tanahuda-print was asked to do.
struct PrintToolOptions {
    enum class Mode { Pdf, Preview, Printer, Help, ListStocks };

    Mode mode = Mode::Pdf;
    std::string labelFile;
    std::string outputFile;   // -o: the PDF or the PNG
    std::string printerName;  // --printer
    std::string layoutFile;   // --layout: print pattern from a settings file
    int dotsPerInch = 600;    // --dpi, PDF only
    double zoom = 0.5;        // --zoom, preview only
    int copies = 1;           // --copies, printer only: made by the spooler

    // Batch printing: a product list instead of a label data file.
    std::string productsFile;       // --products
    int startPosition = 1;          // --start: first label (from 1) of the first sheet
    bool startGiven = false;        // checked against the stock once it is known
    std::string encoding = "auto";  // --encoding auto|utf8|cp932
    std::string mapping;            // --map 品名=商品名,...: the list's columns as chosen

    // --price-mode incl|dual and --rounding floor|round|ceil: in place of the
    // print pattern's price mode and rounding.
    std::optional<PriceMode> priceMode;
    std::optional<TaxRounding> rounding;
    // --qr-pattern: the QR code of labels without a content of their own.
    std::optional<std::string> qrPattern;
    // --instore-from: labels without a code take in-store codes from these
    // twelve digits on.
    std::string inStoreFrom;
    // The calibration page instead of a sheet (--calibration).
    bool calibration = false;
    // --stock: a preset's name, a user stock's name or a stock file, in
    // place of the print pattern's stock.
    std::string stock;
    // --template: the template of that name in the label template file
    // --stock names.
    std::string stockTemplate;

    bool batch() const { return !productsFile.empty(); }
    // Puts the price mode and rounding asked for into `layout`.
    void applyPricing(LayoutSettings& layout) const;
    // Puts the QR pattern asked for into `layout`.
    void applyQrPattern(LayoutSettings& layout) const;
};

// A command line as read: the options, or why it is no valid call.
struct PrintToolCall {
    PrintToolOptions options;
    std::string error;  // one line for the user; empty when the call is valid

    bool valid() const { return error.empty(); }
};

// Reads the command line (without the program name), in UTF-8.
PrintToolCall parsePrintToolOptions(const std::vector<std::string>& args);

// The error for a --start `value` outside 1..`labels`.
std::string startRangeError(int labels, const std::string& value);

// The --help text.
const char* printToolUsage();
