#include "editor/logic/ListMessages.h"

#include "editor/logic/EditorMessages.h"
#include "jobs/ResultText.h"

namespace messages {

namespace {

// How many problem rows are named by their line.
constexpr std::size_t kRowsNamed = 5;

std::string rowsLeftOut(const std::vector<Result>& problems) {
    std::string text =
        "\n読めない行や値が " + std::to_string(problems.size()) + " か所ありました (";
    for (std::size_t i = 0; i < problems.size() && i < kRowsNamed; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(problems[i].line) + " 行目";
    text += problems.size() > kRowsNamed ? " ほか)。" : ")。";
    return text + "商品リストを直してから選び直してください。";
}

}  // namespace

MessageRequest masterRead(const std::string& path, const MasterRead& read) {
    if (!read.failure.ok())
        return error("商品マスタ「" + path + "」を読めませんでした。\n" +
                     resulttext::systemReason(read.failure.detail, resulttext::FileAccess::Read));
    if (read.products == 0)
        return {"商品マスタ「" + path + "」には商品がありません。", "", MessageIcon::Warning};
    std::string text = "商品マスタに " + std::to_string(read.products) + " 件の商品があります。";
    if (!read.problems.empty())
        text += rowsLeftOut(read.problems);
    return {text, "", read.problems.empty() ? MessageIcon::Information : MessageIcon::Warning};
}

MessageRequest listSettingsNotRead(const Result& failure) {
    return {"商品リストの設定「" + failure.path + "」を読めませんでした。\n" +
                resulttext::systemReason(failure.detail, resulttext::FileAccess::Read) +
                "\n商品マスタは選ばれていないものとして始めます。",
            kWarningTitle, MessageIcon::Warning};
}

MessageRequest listSettingsNotSaved(const Result& failure) {
    return error("商品リストの設定を「" + failure.path + "」に保存できませんでした。\n" +
                 resulttext::systemReason(failure.detail) +
                 "\nこの選択は、入力画面を閉じるまで使われます。");
}

}  // namespace messages
