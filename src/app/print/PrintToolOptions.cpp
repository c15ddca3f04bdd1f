#include "PrintToolOptions.h"

#include <charconv>

namespace {

constexpr int kMinimumDpi = 72;
constexpr int kMaximumDpi = 2400;

bool parseWholeNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// --price-mode incl|dual, --rounding floor|round|ceil.
bool readPricingOption(const std::string& option, const std::string& value,
                       PrintToolOptions& options, std::string& error) {
    if (option == "--price-mode") {
        if (value == "incl" || value == "dual") {
            options.priceMode =
                value == "dual" ? PriceMode::BaseAndTaxIncluded : PriceMode::TaxIncludedOnly;
            return true;
        }
        error = "--price-mode には incl か dual を指定してください: " + value;
        return false;
    }
    if (value == "floor" || value == "round" || value == "ceil") {
        options.rounding = value == "floor"   ? TaxRounding::Floor
                           : value == "round" ? TaxRounding::HalfUp
                                              : TaxRounding::Ceiling;
        return true;
    }
    error = "--rounding には floor, round, ceil のどれかを指定してください: " + value;
    return false;
}

}  // namespace

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
  tanahuda-print LABELFILE --printer NAME [--layout data.txt]
  tanahuda-print --products LIST [--start N] [--encoding auto|utf8|cp932]
                 (-o OUT.pdf [--dpi N] | --printer NAME) [--layout data.txt]
  (どの使い方にも [--price-mode incl|dual] [--rounding floor|round|ceil] を付けられます)
  tanahuda-print --help

棚札のラベルデータファイル (.csv / .txt) の 1 シート (A4 に 10 枚) を描きます。

  -o OUT.pdf        印刷と同じ描画 (実寸、枠なし、本物のバーコード) を A4 縦
                    1 ページの PDF に書きます。PDF には印刷できない余白がない
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
  --layout FILE     ラベルデータファイルの中の印刷パターンの代わりに、設定ファイル
                    (data.txt) の印刷パターンを使います。別のラベルデータファイル
                    を指定すると、そのファイルの印刷パターンを使います。
  --products LIST   商品リスト (カンマ区切り、1 行 1 商品、JANコード, メーカー,
                    品名, 規格, ロット, 売価 の順) から、必要な枚数のシートを
                    印刷します (1 シート 1 ページ)。1 行目に列名 (JAN/JANコード,
                    メーカー/maker, 品名/name, 規格/spec, ロット/lot, 売価/price)
                    があれば、その順に読みます。JANコードは入力画面と同じく
                    チェックデジットを直します。印刷パターンは --layout の
                    ファイル、なければ保存してある印刷パターン (data.txt)。
                    バーコードが付かない行や読めない行は行番号とともに標準
                    エラーに示し (読めない行は印刷しません)、その場合の終了
                    コードは 3 です。端末では 1 秒を超える印刷の進み具合を示します。
  --start N         最初のシートの何番目のラベル (1〜10) から印刷するか (既定 1)。
                    使いかけのシートの続きに印刷できます。
  --encoding E      商品リストの文字コード: auto (既定、UTF-8 か シフトJIS を判定),
                    utf8, cp932。
  --price-mode M    価格の示し方: incl (税込のみ。売価をそのまま印刷) か dual
                    (本体＋税込。売価を税抜の本体価格とし、「税込 1,078円」の行を
                    加える)。既定は印刷パターンのとおり。商品リストでは「税率」の
                    列 (10, 8, 0, 標準, 軽減, 非課税) がラベルごとの税率です。
  --rounding R      税込額の端数: floor (切り捨て)、round (四捨五入)、ceil
                    (切り上げ)。既定は印刷パターンのとおり。
  -h, --help        この説明を表示します。

バーコードが付かない、印刷されない (品名がない)、縮めて印刷する、フォントに
ない文字があるラベルは、印刷したうえで標準エラーに 1 行ずつ示します。

出力ファイルは一時ファイルに書いてから置き換えるので、失敗しても途中までの
ファイルは残りません。エラーは標準エラーに 1 行で示し、終了コードは 0 以外
(引数の誤りは 2、それ以外の失敗は 1、問題のあるラベルや商品リストの行が
あったときは 3) になります。

例:
  tanahuda-print 棚札.csv -o 棚札.pdf
  tanahuda-print 棚札.csv --preview --zoom 1 -o preview.png
  tanahuda-print 棚札.csv --layout data.txt --printer Office_Printer
  tanahuda-print --products 商品.csv --start 7 -o 棚札.pdf
  tanahuda-print --products 商品.csv --price-mode dual --rounding round -o 棚札.pdf
)";
}

std::optional<PrintToolOptions> parsePrintToolOptions(const std::vector<std::string>& args,
                                                      std::string& error) {
    PrintToolOptions options;
    bool preview = false;
    bool dpiGiven = false;
    bool zoomGiven = false;
    bool printerGiven = false;
    bool outputGiven = false;
    bool labelGiven = false;
    bool startGiven = false;
    bool encodingGiven = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* option) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(option) + " の後に値がありません";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            options.mode = PrintToolOptions::Mode::Help;
            return options;
        }
        if (arg == "-o" || arg == "--output") {
            const std::string* v = value("-o");
            if (v == nullptr) {
                return std::nullopt;
            }
            if (outputGiven) {
                error = "-o が 2 回指定されています";
                return std::nullopt;
            }
            options.outputFile = *v;
            outputGiven = true;
        } else if (arg == "--dpi") {
            const std::string* v = value("--dpi");
            if (v == nullptr) {
                return std::nullopt;
            }
            if (!parseWholeNumber(*v, options.dotsPerInch) || options.dotsPerInch < kMinimumDpi ||
                options.dotsPerInch > kMaximumDpi) {
                error = "--dpi には 72 から 2400 までの整数を指定してください: " + *v;
                return std::nullopt;
            }
            dpiGiven = true;
        } else if (arg == "--zoom") {
            const std::string* v = value("--zoom");
            if (v == nullptr) {
                return std::nullopt;
            }
            if (*v == "0.5" || *v == "50%") {
                options.zoom = 0.5;
            } else if (*v == "1" || *v == "1.0" || *v == "100%") {
                options.zoom = 1.0;
            } else {
                error = "--zoom には 0.5 か 1 を指定してください: " + *v;
                return std::nullopt;
            }
            zoomGiven = true;
        } else if (arg == "--preview") {
            preview = true;
        } else if (arg == "--printer") {
            const std::string* v = value("--printer");
            if (v == nullptr) {
                return std::nullopt;
            }
            options.printerName = *v;
            printerGiven = true;
        } else if (arg == "--products") {
            const std::string* v = value("--products");
            if (v == nullptr) {
                return std::nullopt;
            }
            options.productsFile = *v;
        } else if (arg == "--start") {
            const std::string* v = value("--start");
            if (v == nullptr) {
                return std::nullopt;
            }
            if (!parseWholeNumber(*v, options.startPosition) || options.startPosition < 1 ||
                options.startPosition > 10) {
                error = "--start には 1 から 10 までの整数を指定してください: " + *v;
                return std::nullopt;
            }
            startGiven = true;
        } else if (arg == "--encoding") {
            const std::string* v = value("--encoding");
            if (v == nullptr) {
                return std::nullopt;
            }
            if (*v != "auto" && *v != "utf8" && *v != "cp932") {
                error = "--encoding には auto, utf8, cp932 のどれかを指定してください: " + *v;
                return std::nullopt;
            }
            options.encoding = *v;
            encodingGiven = true;
        } else if (arg == "--layout") {
            const std::string* v = value("--layout");
            if (v == nullptr) {
                return std::nullopt;
            }
            options.layoutFile = *v;
        } else if (arg == "--price-mode" || arg == "--rounding") {
            const std::string* v = value(arg.c_str());
            if (v == nullptr) {
                return std::nullopt;
            }
            if (!readPricingOption(arg, *v, options, error)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "不明なオプションです: " + arg;
            return std::nullopt;
        } else {
            if (labelGiven) {
                error = "ラベルデータファイルは 1 つだけ指定してください: " + arg;
                return std::nullopt;
            }
            options.labelFile = arg;
            labelGiven = true;
        }
    }
    if (!options.productsFile.empty()) {
        if (labelGiven) {
            error = "--products とラベルデータファイルは同時に指定できません";
            return std::nullopt;
        }
        if (preview) {
            error = "--products と --preview は同時に指定できません";
            return std::nullopt;
        }
    } else if (startGiven || encodingGiven) {
        error = "--start と --encoding は --products にだけ指定できます";
        return std::nullopt;
    } else if (!labelGiven || options.labelFile.empty()) {
        error = "ラベルデータファイルを指定してください (--help で使い方を表示します)";
        return std::nullopt;
    }
    if (preview && printerGiven) {
        error = "--preview と --printer は同時に指定できません";
        return std::nullopt;
    }
    if (printerGiven) {
        options.mode = PrintToolOptions::Mode::Printer;
        if (options.printerName.empty()) {
            error = "--printer にプリンター名を指定してください";
            return std::nullopt;
        }
        if (outputGiven) {
            error = "--printer と -o は同時に指定できません";
            return std::nullopt;
        }
    } else {
        options.mode = preview ? PrintToolOptions::Mode::Preview : PrintToolOptions::Mode::Pdf;
        if (!outputGiven || options.outputFile.empty()) {
            error = preview ? "--preview には -o OUT.png を指定してください"
                            : "-o OUT.pdf か --printer NAME を指定してください";
            return std::nullopt;
        }
    }
    if (dpiGiven && options.mode != PrintToolOptions::Mode::Pdf) {
        error = "--dpi は PDF の出力にだけ指定できます";
        return std::nullopt;
    }
    if (zoomGiven && options.mode != PrintToolOptions::Mode::Preview) {
        error = "--zoom は --preview にだけ指定できます";
        return std::nullopt;
    }
    return options;
}
