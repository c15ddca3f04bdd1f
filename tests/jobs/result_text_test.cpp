// The words the window and the print tool share for results: each problem
// row of a product list, and each failure of printing with and without the
// printer or file it is about.

#include <gtest/gtest.h>

#include "jobs/ResultText.h"

namespace {

TEST(ResultText, ProblemRows) {
    const struct {
        Result problem;
        const char* text;
    } cases[] = {
        {Result::failure(ResultCode::RowTooLong), "読めない行です (行が長すぎます)。印刷しません"},
        {Result::failure(ResultCode::RowQuoteNotClosed),
         "読めない行です (引用符 \" が閉じていません)。印刷しません"},
        {Result::failure(ResultCode::RowNotUtf8),
         "読めない行です (UTF-8 として読めない文字があります)。印刷しません"},
        {Result::failure(ResultCode::RowNotDecodable),
         "読めない行です (UTF-8 としてもシフトJIS (コードページ 932) "
         "としても読めない文字があります)。"
         "印刷しません"},
        {Result::failure(ResultCode::RowNotCp932),
         "読めない行です (シフトJIS (コードページ 932) "
         "として読めない文字があります)。印刷しません"},
        {Result::failure(ResultCode::RowTooManyColumns),
         "列が多すぎます (JANコード, メーカー, 品名, 規格, ロット, 売価 の 6 "
         "列まで)。印刷しません"},
        {Result::failure(ResultCode::RowBadTaxRate, "12%"),
         "税率「12%」が読めません (10, 8, 0, 標準, 軽減, 非課税 のどれか)。印刷しません"},
        {Result::failure(ResultCode::RowWithoutName), "品名が空のため、このラベルは印刷されません"},
        {Result::failure(ResultCode::RowWithoutBarcode, "490123456789"),
         "JANコード \"490123456789\" は 13 桁または 8 "
         "桁の数字ではないため、バーコードなしで印刷します"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resulttext::rowProblem(c.problem), c.text);
}

TEST(ResultText, PrintFailuresNameThePrinterOrFileWhenTheResultDoes) {
    const Result onPrinter = Result::failure(ResultCode::Ok).withPrinter("事務所");
    const Result onPdf = Result::failure(ResultCode::Ok).withPath("/tmp/棚札.pdf");
    auto with = [](Result subject, ResultCode code) {
        subject.code = code;
        return subject;
    };
    const struct {
        Result failure;
        const char* text;
    } cases[] = {
        {Result::failure(ResultCode::PrinterNotFound), "プリンターがありません"},
        {with(onPrinter, ResultCode::PrinterNotOpened),
         "プリンター「事務所」に印刷を始められません"},
        {with(onPdf, ResultCode::PrinterNotOpened),
         "PDF ファイル「/tmp/棚札.pdf」に印刷を始められません"},
        {Result::failure(ResultCode::PrinterNotOpened), "印刷先を開けませんでした"},
        {with(onPrinter, ResultCode::PrintNotFinished),
         "プリンター「事務所」への印刷を完了できませんでした"},
        {Result::failure(ResultCode::PrintNotFinished), "印刷を終えられませんでした"},
        {with(onPdf, ResultCode::PdfNotWritten),
         "PDF ファイル「/tmp/棚札.pdf」を書き込めませんでした"},
        {Result::failure(ResultCode::PrintFinished), "印刷はすでに終わっています"},
        {Result::failure(ResultCode::PageNotStarted), "次のページを始められませんでした"},
        {Result::failure(ResultCode::PageNotDrawn), "ページを描けませんでした"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resulttext::printFailure(c.failure), c.text);
}

}  // namespace
