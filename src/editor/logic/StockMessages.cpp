#include "editor/logic/StockMessages.h"

#include "editor/logic/EditorMessages.h"
#include "jobs/ResultText.h"

namespace messages {

namespace {

// A file's failure in words: the system's reason, or that it is too large.
std::string fileReason(const Result& failure) {
    if (failure.code == ResultCode::ReadFailed && failure.detail.empty())
        return "ファイルが大きすぎます";
    if (failure.code == ResultCode::NotFound)
        return "ファイルが見つかりません";
    return reasonPhrase(failure.detail);
}

}  // namespace

MessageRequest stockRefused(const Result& problem, bool saving) {
    return error(resulttext::stockProblem(problem) + "。\n" +
                     (saving ? "この用紙は登録していません。" : "用紙は変えていません。"),
                 kStockTitle);
}

MessageRequest stockNameMissing() {
    return error("登録する用紙の名前を入れてください。", kStockTitle);
}

MessageRequest userStocksNotWritten(const std::string& path, const Result& failure) {
    const std::string why = failure.code == ResultCode::QuoteInText
                                ? "名前「" + failure.detail + "」に \" は使えません"
                                : resulttext::stockProblem(failure);
    return error("用紙をファイル「" + path + "」に保存できませんでした: " +
                     (why.empty() ? fileReason(failure) : why) + "。",
                 kStockTitle);
}

MessageRequest userStocksNotRead(const Result& failure) {
    const std::string why = failure.code == ResultCode::NotLabelFile
                                ? "棚札の用紙のファイルではありません"
                                : fileReason(failure);
    return error("ファイル「" + failure.path + "」から用紙を読めませんでした: " + why + "。",
                 kStockTitle);
}

MessageRequest userStocksImported(int count, const Result& skipped) {
    std::string text = "用紙を " + std::to_string(count) + " 件読み込みました。";
    if (!skipped.ok())
        text += "\n" + resulttext::stockProblem(skipped) + " (読めない行は飛ばしました)。";
    return {text, kStockTitle, skipped.ok() ? MessageIcon::Information : MessageIcon::Warning,
            MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest templateFileNotRead(const Result& failure) {
    const std::string why =
        failure.code == ResultCode::NotLabelTemplate
            ? "ラベルのテンプレートとして読めません (" + std::to_string(failure.line) + " 行目)"
            : fileReason(failure);
    return error("ファイル「" + failure.path + "」を開けませんでした: " + why + "。", kStockTitle);
}

MessageRequest templateFileUnusable(const std::string& path, int skipped) {
    return {"ファイル「" + path + "」には使えるテンプレートがありません (" +
                std::to_string(skipped) +
                " 件を除きました)。\n使えるのは、長方形のラベルが格子状に並ぶ A4 か Letter "
                "の用紙です。",
            kStockTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

std::string installedTemplatesNote(int offered, int skipped) {
    if (offered == 0 && skipped == 0)
        return "ラベル デザイナーのテンプレートは入っていません";
    return "ラベル デザイナーのテンプレート: " + std::to_string(offered) + " 件 (丸形・複数配置・" +
           "ほかの用紙などの " + std::to_string(skipped) + " 件は除いています)";
}

MessageRequest originAdjustRefused(const std::string& axis) {
    return error(axis +
                 "の調整は -10 から 10 までの mm の数で、0.1 mm 単位で入れてください "
                 "(例: 1.5, -0.3)。");
}

MessageRequest askDropLabels(int first, int last) {
    const std::string labels =
        first == last ? "ラベル " + std::to_string(first)
                      : "ラベル " + std::to_string(first) + "〜" + std::to_string(last);
    return {labels +
                " に入力があります。この用紙にはその枚数がないため、消えます。\n"
                "用紙を変えますか？ (元に戻すで戻せます)",
            kStockTitle, MessageIcon::Warning, MessageButtons::YesNo, MessageAnswer::No};
}

}  // namespace messages
