#include "jobs/ResultText.h"

#include <array>
#include <utility>

#include "files/ProductColumns.h"

namespace resulttext {

namespace {

// Why a row cannot be read, or empty when the row was read.
std::string unreadableBecause(ResultCode code) {
    switch (code) {
        case ResultCode::RowTooLong:
            return "行が長すぎます";
        case ResultCode::RowQuoteNotClosed:
            return "引用符 \" が閉じていません";
        case ResultCode::RowNotUtf8:
            return "UTF-8 として読めない文字があります";
        case ResultCode::RowNotCp932:
            return "シフトJIS (コードページ 932) として読めない文字があります";
        case ResultCode::RowNotDecodable:
            return "UTF-8 としてもシフトJIS (コードページ 932) としても読めない文字があります";
        case ResultCode::RowNotUtf16:
            return "UTF-16 として読めない文字があります";
        default:
            return "";
    }
}

// The printer or PDF file a result names, or empty when it names none.
std::string target(const Result& failure) {
    if (!failure.printer.empty())
        return "プリンター「" + failure.printer + "」";
    if (!failure.path.empty())
        return "PDF ファイル「" + failure.path + "」";
    return "";
}

// What is wrong with a printer's queue and what to do, or empty when the
// result is about something else.
std::string queueProblem(const Result& failure) {
    const std::string& queue = failure.printer;
    // The spooler's own words, often English ("Paused"), quoted as they are.
    const std::string said = failure.detail.empty() ? "" : "「" + failure.detail + "」";
    switch (failure.code) {
        case ResultCode::PrinterNotFound:
            return queue.empty() ? "プリンターがありません"
                                 : "プリンターが見つかりません: " + queue;
        case ResultCode::SpoolerDown:
            return "プリンターが見つかりません: " + queue + " (印刷スプーラーが動いていません)";
        case ResultCode::QueueStopped:
            return "プリンターが停止しています: " + queue + said + "。再開してから印刷してください";
        case ResultCode::QueueNotAccepting:
            return "プリンターが印刷を受け付けていません: " + queue + said;
        case ResultCode::QueueRefused:
            return "プリンターに印刷を送れませんでした: " + queue + said;
        default:
            return "";
    }
}

// The rows of a list as shops and spreadsheets give them: codes and prices.
std::string listRowProblem(const Result& problem) {
    const std::string& text = problem.detail;
    switch (problem.code) {
        case ResultCode::RowCodeExponent:
            return "JANコード \"" + text +
                   "\" は表計算ソフトで指数表記に変わっています。バーコードなしで印刷します "
                   "(列を文字列にして書き出し直してください)";
        case ResultCode::RowCodeTwelveDigits:
            return "JANコード \"" + text +
                   "\" は 12 桁で、UPC-A のコードでもありません。バーコードなしで印刷します";
        case ResultCode::RowWrongCheckDigit:
            return "JANコード \"" + text +
                   "\" のチェックデジットが違います。書かれたとおりに、バーコードなしで印刷します";
        case ResultCode::RowNoPreTaxPrice:
            return "税込価格 " + text +
                   " 円になる税抜価格がありません (端数処理を確かめてください)。印刷しません";
        case ResultCode::RowPriceNotAnAmount:
            return "売価「" + text +
                   "」は金額ではないため、書かれたとおりに税込表示なしで印刷します";
        default:
            return "";
    }
}

}  // namespace

std::string rowReason(ResultCode code) {
    struct Reason {
        ResultCode code;
        const char* words;
    };
    static const std::array<Reason, 15> kReasons = {{
        {ResultCode::RowTooLong, "行が長すぎます"},
        {ResultCode::RowQuoteNotClosed, "引用符 \" が閉じていません"},
        {ResultCode::RowNotUtf8, "UTF-8 として読めません"},
        {ResultCode::RowNotCp932, "シフトJIS として読めません"},
        {ResultCode::RowNotDecodable, "文字コードが読めません"},
        {ResultCode::RowNotUtf16, "UTF-16 として読めません"},
        {ResultCode::RowTooManyColumns, "列が多すぎます"},
        {ResultCode::RowBadTaxRate, "税率が読めません"},
        {ResultCode::RowWithoutName, "品名が空です"},
        {ResultCode::RowWithoutBarcode,
         "JANコードが 13 桁でも 8 桁でもありません (バーコードなし)"},
        {ResultCode::RowCodeExponent,
         "JANコードが表計算ソフトで指数表記に変わっています (バーコードなし)"},
        {ResultCode::RowCodeTwelveDigits, "12 桁の JANコードです (バーコードなし)"},
        {ResultCode::RowWrongCheckDigit, "チェックデジットが違います (バーコードなし)"},
        {ResultCode::RowNoPreTaxPrice, "税込価格になる税抜価格がありません"},
        {ResultCode::RowPriceNotAnAmount, "売価が金額ではありません (税込表示なし)"},
    }};
    for (const Reason& r : kReasons) {
        if (r.code == code)
            return r.words;
    }
    return "";
}

std::string listColumnsUnknown(const Result& failure, std::string_view between) {
    std::string text = "商品リストの見出し「" + failure.detail +
                       "」には、JANコードの列も品名の列もありません。読める列名は次のとおりです。";
    for (const ProductColumn& column : productColumns()) {
        text += std::string(between) + std::string(column.name) + ": ";
        for (std::size_t i = 0; i < column.headers.size(); ++i)
            text += (i == 0 ? "" : ", ") + std::string(column.headers[i]);
    }
    return text;
}

std::string rowProblem(const Result& problem) {
    if (const std::string why = unreadableBecause(problem.code); !why.empty())
        return "読めない行です (" + why + ")。印刷しません";
    switch (problem.code) {
        case ResultCode::RowTooManyColumns:
            return "列が多すぎます (JANコード, メーカー, 品名, 規格, ロット, 売価 の 6 列まで)。"
                   "印刷しません";
        case ResultCode::RowBadTaxRate:
            return "税率「" + problem.detail +
                   "」が読めません (10, 8, 0, 標準, 軽減, 非課税 のどれか)。印刷しません";
        case ResultCode::RowWithoutName:
            return "品名が空のため、このラベルは印刷されません";
        case ResultCode::RowWithoutBarcode:
            return "JANコード \"" + problem.detail +
                   "\" は 13 桁または 8 桁の数字ではないため、バーコードなしで印刷します";
        default:
            return listRowProblem(problem);
    }
}

std::string printFailure(const Result& failure) {
    if (std::string problem = queueProblem(failure); !problem.empty())
        return problem;
    const std::string where = target(failure);
    switch (failure.code) {
        case ResultCode::ScratchFileNotMade:
            return "一時ファイルを作れません: " + failure.detail;
        case ResultCode::PrinterNotOpened:
            return where.empty() ? "印刷先を開けませんでした" : where + "に印刷を始められません";
        case ResultCode::PageNotStarted:
            return "次のページを始められませんでした";
        case ResultCode::PageNotDrawn:
            return "ページを描けませんでした";
        case ResultCode::PrintNotFinished:
            return where.empty() ? "印刷を終えられませんでした"
                                 : where + "への印刷を完了できませんでした";
        case ResultCode::PrintFinished:
            return "印刷はすでに終わっています";
        case ResultCode::PdfNotWritten:
            return where + "を書き込めませんでした";
        default:
            return "";
    }
}

const char* stockValueCaption(StockValue value) {
    switch (value) {
        case StockValue::None:
            return "";
        case StockValue::Paper:
            return "用紙";
        case StockValue::LabelWidth:
            return "ラベルの幅";
        case StockValue::LabelHeight:
            return "ラベルの高さ";
        case StockValue::CornerRadius:
            return "角の丸み";
        case StockValue::Columns:
            return "列数";
        case StockValue::Rows:
            return "行数";
        case StockValue::TopMargin:
            return "上の余白";
        case StockValue::LeftMargin:
            return "左の余白";
        case StockValue::PitchX:
            return "横の間隔";
        case StockValue::PitchY:
            return "縦の間隔";
    }
    return "";
}

namespace {

// Which edge of the paper a label stands past, by the value named.
const char* pastEdge(StockValue value) {
    switch (value) {
        case StockValue::LeftMargin:
            return "左端";
        case StockValue::TopMargin:
            return "上端";
        case StockValue::LabelWidth:
        case StockValue::PitchX:
        case StockValue::Columns:
            return "右端";
        default:
            return "下端";
    }
}

}  // namespace

std::string stockProblem(const Result& failure) {
    const std::string value = stockValueCaption(failure.stockValue);
    const std::string amount = failure.detail;
    switch (failure.code) {
        case ResultCode::StockUnknownPaper:
            return "用紙は A4, B5, A5, Letter のどれかにしてください";
        case ResultCode::StockSizeNotPositive:
            return value + "は 0 より大きくしてください (" + amount + ")";
        case ResultCode::StockCornerTooLarge:
            return "角の丸み (" + amount + " mm) がラベルの幅か高さの半分を超えています";
        case ResultCode::StockTooManyLabels:
            return "ラベルが " + amount + " 枚になります。1 枚の用紙は 100 枚までです (" + value +
                   ")";
        case ResultCode::StockLabelPastPaper:
            return std::string("ラベルが用紙の") + pastEdge(failure.stockValue) + "から " + amount +
                   " mm はみ出します (" + value + ")";
        case ResultCode::StockLabelsOverlap:
            return value + " (" + amount + " mm) がラベルより小さいため、ラベルが重なります";
        case ResultCode::StockNotFound:
            return "用紙「" + amount + "」が見つかりません";
        case ResultCode::StockFileDamaged:
            return failure.line > 0
                       ? "用紙のファイルの " + std::to_string(failure.line) + " 行目が読めません"
                       : "用紙の数が多すぎます (" + amount + ")";
        default:
            return "";
    }
}

std::string systemReason(const std::string& reason, FileAccess access) {
    struct Reason {
        const char* system;
        const char* writing;
        const char* reading;
    };
    static const std::array<Reason, 10> kReasons = {{
        {"No such file or directory", "保存先のフォルダーが見つかりません。",
         "ファイルが見つかりません。"},
        {"Not a directory", "保存先のフォルダーが見つかりません。", "フォルダーが見つかりません。"},
        {"Permission denied", "書き込みが許可されていません。", "読み取りが許可されていません。"},
        {"Operation not permitted", "書き込みが許可されていません。",
         "読み取りが許可されていません。"},
        {"Read-only file system", "読み取り専用の場所です。", "読み取り専用の場所です。"},
        {"No space left on device", "ディスクの空き容量が足りません。",
         "ディスクの空き容量が足りません。"},
        {"Disk quota exceeded", "ディスクの使用量の上限に達しています。",
         "ディスクの使用量の上限に達しています。"},
        {"Is a directory", "同じ名前のフォルダーがあります。", "フォルダーです。"},
        {"File name too long", "ファイル名が長すぎます。", "ファイル名が長すぎます。"},
        {"Input/output error", "読み書きの途中でエラーが起きました。",
         "読み書きの途中でエラーが起きました。"},
    }};
    for (const Reason& r : kReasons) {
        if (reason == r.system) {
            const char* words = access == FileAccess::Read ? r.reading : r.writing;
            return std::string(words) + "（" + reason + "）";
        }
    }
    return reason.empty() ? "原因は分かりません。" : reason;
}

}  // namespace resulttext
