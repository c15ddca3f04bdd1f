#include "PrintToolOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <iterator>

#include "ArgumentText.h"
#include "barcode/InStoreNumbering.h"
#include "files/ColumnMapping.h"

namespace {

constexpr int kMinimumDpi = 72;
constexpr int kMaximumDpi = 2400;
constexpr int kMinimumCopies = 1;
constexpr int kMaximumCopies = 999;

// The options of the command line. Qt reads and pairs them with their
// values; the checks of the values and of which go together are the tool's.
struct ToolCommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}};
    QCommandLineOption output{{"o", "output"}, {}, "OUT"};
    QCommandLineOption dpi{"dpi", {}, "N"};
    QCommandLineOption zoom{"zoom", {}, "Z"};
    QCommandLineOption preview{"preview"};
    QCommandLineOption printer{"printer", {}, "NAME"};
    QCommandLineOption products{"products", {}, "LIST"};
    QCommandLineOption start{"start", {}, "N"};
    QCommandLineOption encoding{"encoding", {}, "E"};
    QCommandLineOption map{"map", {}, "MAP"};
    QCommandLineOption layout{"layout", {}, "FILE"};
    QCommandLineOption priceMode{"price-mode", {}, "M"};
    QCommandLineOption rounding{"rounding", {}, "R"};
    QCommandLineOption calibration{"calibration"};
    QCommandLineOption copies{"copies", {}, "N"};
    QCommandLineOption stock{"stock", {}, "NAME"};
    QCommandLineOption listStocks{"list-stocks"};
    QCommandLineOption qrPattern{"qr-pattern", {}, "PATTERN"};
    QCommandLineOption inStoreFrom{"instore-from", {}, "DIGITS"};
    QCommandLineOption stockTemplate{"template", {}, "NAME"};

    ToolCommandLine() {
        // "-o" and "--dpi" alike: a single dash never bundles letters.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help,    output,     dpi,       zoom,        preview,
                           printer, products,   start,     encoding,    map,
                           layout,  priceMode,  rounding,  calibration, copies,
                           stock,   listStocks, qrPattern, inStoreFrom, stockTemplate});
    }
};

bool parseWholeNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// The argument as typed that names the unknown option `name`.
std::string unknownArgument(const QStringList& args, const QString& name) {
    for (const QString& arg : args) {
        const QString bare = arg.section(QLatin1Char('='), 0, 0);
        if (bare == QStringLiteral("--") + name || bare == QStringLiteral("-") + name)
            return argumentBytes(bare);
    }
    return "-" + argumentBytes(name);
}

// A command line Qt could not read: an unknown option, or an option whose
// value is missing (which can only be the last argument).
std::string structuralError(const ToolCommandLine& line, const QStringList& args) {
    if (!line.parser.unknownOptionNames().isEmpty())
        return "不明なオプションです: " +
               unknownArgument(args, line.parser.unknownOptionNames().front());
    const QString last = args.isEmpty() ? QString() : args.back();
    const bool isOutput = last == QStringLiteral("-o") || last == QStringLiteral("--output");
    return (isOutput ? std::string("-o") : argumentBytes(last)) + " の後に値がありません";
}

// The values of the options, each checked; empty when all are valid.
std::string readValues(const ToolCommandLine& line, PrintToolOptions& options) {
    const QCommandLineParser& p = line.parser;
    if (p.values(line.output).size() > 1)
        return "-o が 2 回指定されています";
    options.outputFile = argumentBytes(p.value(line.output));
    if (p.isSet(line.dpi)) {
        const std::string v = argumentBytes(p.value(line.dpi));
        if (!parseWholeNumber(v, options.dotsPerInch) || options.dotsPerInch < kMinimumDpi ||
            options.dotsPerInch > kMaximumDpi)
            return "--dpi には 72 から 2400 までの整数を指定してください: " + v;
    }
    if (p.isSet(line.zoom)) {
        const std::string v = argumentBytes(p.value(line.zoom));
        if (v == "0.5" || v == "50%")
            options.zoom = 0.5;
        else if (v == "1" || v == "1.0" || v == "100%")
            options.zoom = 1.0;
        else
            return "--zoom には 0.5 か 1 を指定してください: " + v;
    }
    if (p.isSet(line.copies)) {
        const std::string v = argumentBytes(p.value(line.copies));
        if (!parseWholeNumber(v, options.copies) || options.copies < kMinimumCopies ||
            options.copies > kMaximumCopies)
            return "--copies には 1 から 999 までの整数を指定してください: " + v;
    }
    options.printerName = argumentBytes(p.value(line.printer));
    options.productsFile = argumentBytes(p.value(line.products));
    if (p.isSet(line.start)) {
        const std::string v = argumentBytes(p.value(line.start));
        // The last label is the stock's: checked once the pattern is read.
        options.startGiven = true;
        if (!parseWholeNumber(v, options.startPosition) || options.startPosition < 1)
            return startRangeError(kStandardStock.labelCount(), v);
    }
    if (p.isSet(line.stock)) {
        options.stock = argumentBytes(p.value(line.stock));
        if (options.stock.empty())
            return "--stock に用紙の名前かファイルを指定してください";
    }
    if (p.isSet(line.stockTemplate)) {
        options.stockTemplate = argumentBytes(p.value(line.stockTemplate));
        if (options.stockTemplate.empty() || options.stock.empty())
            return "--template にはテンプレートの名前を、--stock にそのテンプレートのファイルを"
                   "指定してください";
    }
    if (p.isSet(line.encoding)) {
        options.encoding = argumentBytes(p.value(line.encoding));
        if (options.encoding != "auto" && options.encoding != "utf8" && options.encoding != "cp932")
            return "--encoding には auto, utf8, cp932 のどれかを指定してください: " +
                   options.encoding;
    }
    options.mapping = argumentBytes(p.value(line.map));
    if (const std::optional<std::string> part = unknownMappingPart(options.mapping))
        return "--map の「" + *part + "」はラベルの項目ではありません (例 品名=商品名)";
    options.layoutFile = argumentBytes(p.value(line.layout));
    const QStringList labels = p.positionalArguments();
    if (labels.size() > 1)
        return "ラベルデータファイルは 1 つだけ指定してください: " + argumentBytes(labels.at(1));
    if (!labels.isEmpty())
        options.labelFile = argumentBytes(labels.front());
    return "";
}

// What the input is: a product list or one label data file, never both; or
// nothing but the print pattern for the calibration page.
std::string checkInput(const ToolCommandLine& line, PrintToolOptions& options) {
    const bool labelGiven = !line.parser.positionalArguments().isEmpty();
    options.calibration = line.parser.isSet(line.calibration);
    if (options.calibration) {
        if (labelGiven || options.batch())
            return "--calibration にはラベルデータファイルも --products も指定できません";
        if (line.parser.isSet(line.preview))
            return "--calibration と --preview は同時に指定できません";
        if (line.parser.isSet(line.start) || line.parser.isSet(line.encoding) ||
            line.parser.isSet(line.map))
            return "--start と --encoding と --map は --products にだけ指定できます";
    } else if (options.batch()) {
        if (labelGiven)
            return "--products とラベルデータファイルは同時に指定できません";
        if (line.parser.isSet(line.preview))
            return "--products と --preview は同時に指定できません";
    } else if (line.parser.isSet(line.start) || line.parser.isSet(line.encoding) ||
               line.parser.isSet(line.map)) {
        return "--start と --encoding と --map は --products にだけ指定できます";
    } else if (!labelGiven || options.labelFile.empty()) {
        return "ラベルデータファイルを指定してください (--help で使い方を表示します)";
    }
    return "";
}

// An output whose extension names another kind than the one written: a PDF
// named ".png" (or a picture named ".pdf") misleads every program that opens
// it. A name without an extension is the user's choice.
std::string extensionMismatch(const PrintToolOptions& options) {
    const QString suffix = QFileInfo(argumentText(options.outputFile)).suffix().toLower();
    if (suffix.isEmpty() || options.mode == PrintToolOptions::Mode::Printer)
        return "";
    const bool preview = options.mode == PrintToolOptions::Mode::Preview;
    if (suffix == (preview ? QStringLiteral("png") : QStringLiteral("pdf")))
        return "";
    return preview ? "--preview の出力は PNG 画像です。-o には .png の名前を指定してください: " +
                         options.outputFile
                   : "出力は PDF です。-o には .pdf の名前を指定してください "
                     "(プレビュー画像は --preview): " +
                         options.outputFile;
}

// Where the sheet goes (a printer, a PDF or a preview image), and the options
// that only one of them takes.
std::string chooseMode(const ToolCommandLine& line, PrintToolOptions& options) {
    const QCommandLineParser& p = line.parser;
    const bool preview = p.isSet(line.preview);
    const bool outputGiven = p.isSet(line.output);
    if (preview && p.isSet(line.printer))
        return "--preview と --printer は同時に指定できません";
    if (p.isSet(line.printer)) {
        options.mode = PrintToolOptions::Mode::Printer;
        if (options.printerName.empty())
            return "--printer にプリンター名を指定してください";
        if (outputGiven)
            return "--printer と -o は同時に指定できません";
    } else {
        options.mode = preview ? PrintToolOptions::Mode::Preview : PrintToolOptions::Mode::Pdf;
        if (!outputGiven || options.outputFile.empty())
            return preview ? "--preview には -o OUT.png を指定してください"
                           : "-o OUT.pdf か --printer NAME を指定してください";
    }
    if (std::string mismatch = extensionMismatch(options); !mismatch.empty())
        return mismatch;
    if (p.isSet(line.dpi) && options.mode != PrintToolOptions::Mode::Pdf)
        return "--dpi は PDF の出力にだけ指定できます";
    if (p.isSet(line.zoom) && options.mode != PrintToolOptions::Mode::Preview)
        return "--zoom は --preview にだけ指定できます";
    // Copies are the printer's: a PDF holds each page once, and is printed
    // as many times as its reader asks.
    if (p.isSet(line.copies) && options.mode != PrintToolOptions::Mode::Printer)
        return "--copies は --printer にだけ指定できます (PDF や PNG には部数がありません)";
    return "";
}

// The words of --price-mode.
struct PriceModeWord {
    const char* word;
    PriceMode mode;
};
constexpr PriceModeWord kPriceModeWords[] = {
    {"incl", PriceMode::TaxIncludedOnly},
    {"dual", PriceMode::BaseAndTaxIncluded},
    {"incl-base", PriceMode::TaxIncludedWithBase},
};

// --price-mode incl|dual|incl-base, --rounding floor|round|ceil; empty when both are valid.
std::string readPricing(const ToolCommandLine& line, PrintToolOptions& options) {
    const QCommandLineParser& p = line.parser;
    if (p.isSet(line.priceMode)) {
        const std::string value = argumentBytes(p.value(line.priceMode));
        const auto known = std::find_if(std::begin(kPriceModeWords), std::end(kPriceModeWords),
                                        [&](const PriceModeWord& w) { return value == w.word; });
        if (known == std::end(kPriceModeWords))
            return "--price-mode には incl, dual, incl-base のどれかを指定してください: " + value;
        options.priceMode = known->mode;
    }
    if (p.isSet(line.rounding)) {
        const std::string value = argumentBytes(p.value(line.rounding));
        if (value != "floor" && value != "round" && value != "ceil")
            return "--rounding には floor, round, ceil のどれかを指定してください: " + value;
        options.rounding = value == "floor"   ? TaxRounding::Floor
                           : value == "round" ? TaxRounding::HalfUp
                                              : TaxRounding::Ceiling;
    }
    return "";
}

// --qr-pattern and --instore-from; empty when both are valid.
std::string readCodes(const ToolCommandLine& line, PrintToolOptions& options) {
    const QCommandLineParser& p = line.parser;
    if (p.isSet(line.qrPattern))
        options.qrPattern = argumentBytes(p.value(line.qrPattern));
    if (p.isSet(line.inStoreFrom)) {
        options.inStoreFrom = argumentBytes(p.value(line.inStoreFrom));
        if (!InStoreNumbering::from(options.inStoreFrom))
            return "--instore-from には 02 か 20〜29 で始まる 12 桁の数字を指定してください: " +
                   options.inStoreFrom;
    }
    if (options.calibration && (p.isSet(line.qrPattern) || p.isSet(line.inStoreFrom)))
        return "--qr-pattern と --instore-from はシートと --products にだけ指定できます";
    return "";
}

}  // namespace

std::string startRangeError(int labels, const std::string& value) {
    return "--start には 1 から " + std::to_string(labels) +
           " までの整数を指定してください: " + value;
}

void PrintToolOptions::applyQrPattern(LayoutSettings& layout) const {
    if (qrPattern)
        layout.qrPattern = *qrPattern;
}

void PrintToolOptions::applyPricing(LayoutSettings& layout) const {
    if (priceMode)
        layout.pricing.mode = *priceMode;
    if (rounding)
        layout.pricing.rounding = *rounding;
}

const char* printToolUsage() {
    return R"(使い方:
  tanahuda-print LABELFILE -o OUT.pdf [--dpi N] [--layout data.txt]
  tanahuda-print LABELFILE --preview [--zoom 0.5|1] -o OUT.png [--layout data.txt]
  tanahuda-print LABELFILE --printer NAME [--copies N] [--layout data.txt]
  tanahuda-print --products LIST [--start N] [--encoding auto|utf8|cp932] [--map MAP]
                 (-o OUT.pdf [--dpi N] | --printer NAME [--copies N]) [--layout data.txt]
  tanahuda-print --calibration (-o OUT.pdf [--dpi N] | --printer NAME [--copies N])
                 [--layout data.txt]
  (シートの使い方には [--price-mode incl|dual|incl-base] [--rounding floor|round|ceil]
   [--qr-pattern PATTERN] [--instore-from DIGITS] を付けられます)
  (どの使い方にも [--stock NAME|FILE] か [--stock FILE --template NAME] を付けられます)
  tanahuda-print --list-stocks
  tanahuda-print --help

棚札のラベルデータファイル (.csv / .txt) の 1 シート (用紙 1 枚分のラベル、
標準は A4 に 10 枚) を描きます。

  -o OUT.pdf        印刷と同じ描画 (実寸、枠なし、本物のバーコード) を A4 縦
                    1 ページの PDF (用紙の大きさ) に書きます。PDF には印刷できない余白がない
                    ので、用紙の左上の角から描きます。
  --dpi N           PDF の解像度 (72〜2400、既定 600)。バーコードのモジュールは
                    この解像度の整数ピクセル幅で描かれます。
  --preview         入力画面のプレビューと同じ描画 (灰色の枠、バーコードの代わり
                    の図柄) を 96 dpi の A4 の PNG 画像 (794 × 1123) に書きます。
  --zoom 0.5|1      プレビューの倍率 (既定 0.5)。
  --printer NAME    システムのプリンター NAME に直接印刷します。プリンターには
                    印刷できない余白があるので、印刷可能領域の左上の角から描き
                    ます。ラベルデータファイルの配置はプリンターの原点からの
                    寸法なので、画面からの印刷と同じ位置に出ます。
  --copies N        プリンターに印刷する部数 (1〜999、既定 1)。--printer にだけ
                    指定できます。部数はプリンターのスプーラーに伝え、ページは
                    1 度だけ描きます (PDF や PNG の出力には指定できません)。
  --layout FILE     ラベルデータファイルの中の印刷パターンの代わりに、設定ファイル
                    (data.txt) の印刷パターンを使います。別のラベルデータファイル
                    を指定すると、そのファイルの印刷パターンを使います。
  --products LIST   商品リスト (カンマ、タブ、セミコロン区切り。UTF-8、シフトJIS、
                    BOM 付きの UTF-16。1 行 1 商品、JANコード, メーカー, 品名,
                    規格, ロット, 売価 の順) から、必要な枚数のシートを印刷
                    します (1 シート 1 ページ)。1 行目にレジやネットショップの
                    書き出す列名 (JANコード, 商品コード, 商品名, Title,
                    メーカー, Vendor, 規格, 税込価格, 税抜価格, 税率 など)
                    があれば、その名前で読みます。JANコードの列も品名の列も
                    ない商品リストは印刷しません (終了コード 1)。JANコードは
                    書かれたとおりに印刷し、チェックデジットの違うもの、
                    表計算ソフトで指数表記になったもの、UPC-A でない 12 桁は
                    バーコードなしで示します (UPC-A は先頭に 0 を補います)。
                    税込・税抜の価格の列は、価格表示に合わせて換算します。
                    印刷パターンは --layout のファイル、なければ保存してある
                    印刷パターン (data.txt)。行のとおりに印刷しなかった行は
                    行番号とともに標準エラーに示し、理由ごとの件数を添えます。
                    その場合の終了コードは 3 です。端末では 1 秒を超える印刷
                    の進み具合を示します。
  --start N         最初のシートの何番目のラベル (1〜用紙のラベル数、標準の用紙
                    では 1〜10) から印刷するか (既定 1)。使いかけのシートの続きに
                    印刷できます。
  --encoding E      商品リストの文字コード: auto (既定、UTF-8 か シフトJIS を判定),
                    utf8, cp932。
  --map MAP         どの列でラベルのどの項目を埋めるか: 項目=商品リストの列名 を
                    カンマでつなぎます (例 品名=商品名,売価=税抜価格。列名が空か
                    なし なら、その項目は空)。
  --price-mode M    価格の示し方: incl (税込のみ。売価をそのまま印刷)、dual
                    (本体＋税込。売価を税抜の本体価格とし、「税込 1,078円」の行を
                    加える) か incl-base (税込＋本体。売価を税抜の本体価格とし、
                    税込額を大きく、「本体 980円」の行を小さく印刷する)。
                    既定は印刷パターンのとおり。商品リストでは「税率」の
                    列 (10, 8, 0, 標準, 軽減, 非課税) がラベルごとの税率です。
  --rounding R      税込額の端数: floor (切り捨て)、round (四捨五入)、ceil
                    (切り上げ)。既定は印刷パターンのとおり。
  --qr-pattern P     QRコードの内容のないラベル (商品リストでは QR/URL/QRコード
                    の列が空の行) に、P の {JAN} をそのラベルの JANコードに
                    置き換えた内容の QRコードを印刷します。例:
                    'https://example.jp/item/{JAN}'
  --instore-from D  JANコードのないラベル (商品リストの行) に、12 桁の数字 D
                    (02 か 20〜29 で始まる) から順にチェックデジットを付けた
                    インストアコードを付けて印刷し、最後に付けたコードを標準
                    出力に示します。
  --calibration     位置合わせ印刷: 各ラベルの輪郭と左上の角の十字、最初のラベルに
                    -10〜+10 の目盛り (左の縁を横切る横の目盛りが X、上の縁を
                    横切る縦の目盛りが Y) を 1 ページに描きます。ラベル用紙の
                    縁が指す目盛りの数字が、印字位置調整に設定する値です。
                    原点は --layout のファイル、なければ保存してある印刷パターン
                    (data.txt) の印字位置調整の値から決まります。
  --stock NAME|FILE 印刷パターンの用紙の代わりに使う用紙: 用意された用紙の名前
                    ("A4 24面 66×33.9mm"。空白は無視し、× は x でもよい)、
                    用紙の設定で作った用紙の名前、または用紙のファイル (その
                    最初の用紙)。ラベルの配置と文字の大きさはその用紙のラベルに
                    合わせます。
  --template NAME   --stock に指定したラベルのテンプレートのファイル (XML) から、
                    その名前 ("メーカー 品番" か一覧に出る名前全体) の
                    テンプレートを用紙として使います。
  --list-stocks     使える用紙の名前を 1 行に 1 つ表示します。
  -h, --help        この説明を表示します。

バーコードが付かない、印刷されない (品名がない)、縮めて印刷する、フォントに
ない文字があるラベルは、印刷したうえで標準エラーに 1 行ずつ示します。

出力ファイルは一時ファイルに書いてから置き換えるので、失敗しても途中までの
ファイルは残りません。エラーは標準エラーに 1 行で示し、終了コードは 0 以外
(引数の誤りは 2、それ以外の失敗は 1、問題のあるラベルや商品リストの行が
あったとき、印刷パターンが壊れているか読めず既定の設定で印刷したときは 3)
になります。

例:
  tanahuda-print 棚札.csv -o 棚札.pdf
  tanahuda-print 棚札.csv --preview --zoom 1 -o preview.png
  tanahuda-print 棚札.csv --layout data.txt --printer Office_Printer
  tanahuda-print --products 商品.csv --start 7 -o 棚札.pdf
  tanahuda-print --products 商品.csv --price-mode dual --rounding round -o 棚札.pdf
  tanahuda-print --calibration --printer Office_Printer
  tanahuda-print --products 商品.csv --stock "A4 24面 66x33.9mm" -o 棚札.pdf
)";
}

PrintToolCall parsePrintToolOptions(const std::vector<std::string>& args) {
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << argumentText(arg);
    ToolCommandLine line;
    // The program's name first, as the parser expects it.
    const bool read = line.parser.parse(QStringList{QStringLiteral("tanahuda-print")} + arguments);
    PrintToolCall call;
    if (line.parser.isSet(line.help)) {
        call.options.mode = PrintToolOptions::Mode::Help;
        return call;
    }
    if (read && line.parser.isSet(line.listStocks)) {
        call.options.mode = PrintToolOptions::Mode::ListStocks;
        if (arguments.size() > 1)
            call.error = "--list-stocks にはほかの引数を指定できません";
        return call;
    }
    if (!read) {
        call.error = structuralError(line, arguments);
        return call;
    }
    call.error = readValues(line, call.options);
    if (call.error.empty())
        call.error = readPricing(line, call.options);
    if (call.error.empty())
        call.error = checkInput(line, call.options);
    if (call.error.empty())
        call.error = chooseMode(line, call.options);
    if (call.error.empty())
        call.error = readCodes(line, call.options);
    return call;
}
