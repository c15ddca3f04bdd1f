#include "EnglishUsage.h"

const char* printToolUsageInEnglish() {
    return R"(Usage:
  tanahuda-print LABELFILE -o OUT.pdf [--dpi N] [--layout data.txt]
  tanahuda-print LABELFILE --preview [--zoom 0.5|1] -o OUT.png [--layout data.txt]
  tanahuda-print LABELFILE --printer NAME [--copies N] [--layout data.txt]
  tanahuda-print --products LIST [--start N] [--encoding auto|utf8|cp932] [--map MAP]
                 (-o OUT.pdf [--dpi N] | --printer NAME [--copies N]) [--layout data.txt]
  tanahuda-print --calibration (-o OUT.pdf [--dpi N] | --printer NAME [--copies N])
                 [--layout data.txt]
  (sheets also take [--price-mode incl|dual|incl-base] [--rounding floor|round|ceil]
   [--qr-pattern PATTERN] [--instore-from DIGITS])
  (every use also takes [--stock NAME|FILE] or [--stock FILE --template NAME])
  tanahuda-print --list-stocks
  tanahuda-print --help

Draws one sheet (the labels of one page of the stock; ten labels to an A4
page on the standard stock) of a shelf label data file (.csv / .txt).

  -o OUT.pdf        Writes the drawing of the print (true size, no frames, real
                    barcodes) as a one-page portrait PDF of the stock's paper. A PDF has no
                    unprintable margin, so the sheet is drawn from the top left
                    corner of the paper.
  --dpi N           The resolution of the PDF (72 to 2400, default 600). Barcode
                    modules are drawn a whole number of pixels wide at it.
  --preview         Writes the drawing of the input window's preview (grey
                    frames, a pattern in place of each barcode) as a PNG picture
                    of A4 at 96 dpi (794 x 1123).
  --zoom 0.5|1      The zoom of the preview (default 0.5).
  --printer NAME    Prints directly on the system printer NAME. A printer has an
                    unprintable margin, so the sheet is drawn from the top left
                    corner of the printable area. The layout in a label data
                    file is measured from the printer's origin, so the labels
                    come out where printing from the window puts them.
  --copies N        The number of copies to print (1 to 999, default 1), with
                    --printer only. The printer's spooler is asked for the
                    copies and the pages are drawn once (a PDF or PNG output
                    takes no copies).
  --layout FILE     Takes the print pattern from a settings file (data.txt)
                    instead of the one in the label data file. Given another
                    label data file, takes that file's print pattern.
  --products LIST   Prints as many sheets as a product list needs (one page a
                    sheet). The list is comma-, tab- or semicolon-separated
                    (UTF-8, Shift-JIS, or UTF-16 with a byte-order mark), one
                    product a row, in the order JAN code, maker, product name,
                    spec, lot, price; under a first row of column names as
                    tills and online shops export them (JANコード, 商品コード,
                    商品名, Title, メーカー, Vendor, 規格, 税込価格, 税抜価格,
                    税率...) it is read by those names. A list naming neither
                    a code nor a name column is refused (exit status 1). Codes
                    are printed as the list has them: a wrong check digit, a
                    code in a spreadsheet's exponent form and 12 digits that
                    are no UPC-A code get no barcode and are reported; a UPC-A
                    code gets its leading 0 back. A tax-inclusive or pre-tax
                    price column is brought to what the price mode shows. The
                    print pattern is the --layout file's, or else the saved
                    preferred pattern (data.txt). Rows not printed as they read
                    are reported on standard error with their line numbers,
                    then the counts by reason, and the exit status is then 3.
                    On a terminal, a job that takes more than a second shows
                    its progress.
  --start N         The label (1 to the stock's number of labels; 1 to 10 on
                    the standard stock) of the first sheet to start at
                    (default 1), to go on printing on a sheet already used.
  --encoding E      The character encoding of the product list: auto (the
                    default; tells UTF-8 from Shift-JIS), utf8, cp932.
  --map MAP         Which column of the list fills which part of the label,
                    as label part=list header pairs: 品名=商品名,売価=税抜価格
                    (an empty header or なし: no column).
  --price-mode M    How prices are shown: incl (tax-inclusive only; the price
                    is printed as typed), dual (the price is the price before
                    tax, and a line "税込 1,078円" gives the tax-inclusive
                    amount) or incl-base (the price is the price before tax;
                    the tax-inclusive amount is the big price, and a line
                    "本体 980円" gives the price before tax). The default is
                    the print pattern's. In a product
                    list the column 税率 (10, 8, 0, 標準, 軽減, 非課税) gives
                    each label's tax rate.
  --rounding R      How the tax-inclusive amount is brought to whole yen: floor
                    (round down), round (half up), ceil (round up). The default
                    is the print pattern's.
  --qr-pattern P    Labels without a QR content of their own (in a product
                    list, rows with an empty QR/URL/QRコード column) print a QR
                    code of P with {JAN} replaced by the label's JAN code, for
                    example 'https://example.jp/item/{JAN}'.
  --instore-from D  Labels (or list rows) without a JAN code take consecutive
                    in-store codes from the twelve digits D (starting 02 or 20
                    to 29), check digits appended; the last code given is
                    written to stdout.
  --calibration     The calibration page: every label's outline with a cross at
                    its top left corner, and in the first label a scale from
                    -10 to +10 (the horizontal scale across the left edge is X,
                    the vertical one across the top edge is Y), on one page.
                    The number the label stock's edge points at is the value
                    to set as the print position adjustment. The origin comes
                    from the print position adjustment of the --layout file,
                    or else of the saved preferred pattern (data.txt).
  --stock NAME|FILE The label stock to print on in place of the print
                    pattern's: a preset's name ("A4 24面 66×33.9mm"; blanks
                    are ignored and x stands for ×), the name of a stock of
                    one's own, or a stock file (its first stock). The element
                    places and font sizes follow that stock's labels.
  --template NAME   With --stock FILE naming a label template file (XML) of
                    the label designer: the template of that name ("maker
                    part", or its whole name as listed) as the stock.
  --list-stocks     Lists the stocks that can be used, one a line.
  -h, --help        Shows this text.

Labels printed without a barcode, not printed (no product name), printed
shrunk, or with characters that the font lacks are printed and reported on
standard error, one line each.

The output file is written to a temporary file first and then put in place,
so a failure never leaves a partly written file. An error is one line on
standard error, and the exit status is not 0 (2 for a wrong command line, 1
for any other failure, 3 when labels or rows of the product list had
problems, or when a damaged or unreadable print pattern was replaced by the
defaults).

Examples:
  tanahuda-print 棚札.csv -o 棚札.pdf
  tanahuda-print 棚札.csv --preview --zoom 1 -o preview.png
  tanahuda-print 棚札.csv --layout data.txt --printer Office_Printer
  tanahuda-print --products 商品.csv --start 7 -o 棚札.pdf
  tanahuda-print --products 商品.csv --price-mode dual --rounding round -o 棚札.pdf
  tanahuda-print --calibration --printer Office_Printer
  tanahuda-print --products 商品.csv --stock "A4 24面 66x33.9mm" -o 棚札.pdf
)";
}
