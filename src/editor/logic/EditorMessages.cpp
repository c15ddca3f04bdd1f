#include "editor/logic/EditorMessages.h"

#include <array>
#include <string_view>
#include <utility>

#include "files/Cp932.h"
#include "jobs/ProblemMessages.h"
#include "jobs/ResultText.h"
#include "jobs/RowGroups.h"

namespace messages {

const char* fieldCaption(LabelField field) {
    switch (field) {
        case LabelField::JanCode:
            return "JANコード";
        case LabelField::Maker:
            return "メーカー等";
        case LabelField::ProductName:
            return "品名等";
        case LabelField::Spec:
            return "規格等";
        case LabelField::Lot:
            return "ロット等";
        case LabelField::Price:
            return "売価等";
    }
    return "";
}

MessageRequest question(const std::string& text) {
    return {text, "", MessageIcon::None, MessageButtons::YesNo, MessageAnswer::Yes};
}

std::string noTaxLine(int label, PriceReading reading, int others) {
    std::string text = "ラベル " + std::to_string(label) + " の売価等は" +
                       (reading == PriceReading::TooLarge ? "大きすぎる" : "円の整数ではない") +
                       "ため、税込の行は印刷されません";
    if (others > 0)
        text += " (ほか " + std::to_string(others) + " 枚)";
    return text;
}

MessageRequest notice(const std::string& text) {
    return {text, "", MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest error(const std::string& text, const std::string& title) {
    return {text, title, MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest askDelete() {
    return {kAskDelete, kDeleteTitle, MessageIcon::Critical, MessageButtons::YesNo,
            MessageAnswer::No};
}

MessageRequest askSaveChanges() {
    return {kAskSaveChanges, "", MessageIcon::Question, MessageButtons::YesNoCancel,
            MessageAnswer::Yes};
}

MessageRequest askOverwrite(const std::string& path) {
    return {path + kAlreadyExists, kDeleteTitle, MessageIcon::Critical, MessageButtons::YesNo,
            MessageAnswer::No};
}

MessageRequest labelFileNotOpened(const Result& result) {
    if (result.code == ResultCode::NotLabelFile)
        return error(kNotLabelFile);
    return error("ファイル「" + result.path + "」を開けませんでした。\n" +
                 resulttext::systemReason(result.detail, resulttext::FileAccess::Read));
}

std::string reasonPhrase(const std::string& systemReason) {
    // The reason's words end a sentence; inside one they go without the full stop.
    std::string text = resulttext::systemReason(systemReason);
    constexpr std::string_view kFullStop = "。";
    if (const std::size_t at = text.find(std::string(kFullStop) + "（"); at != std::string::npos)
        text.erase(at, kFullStop.size());
    else if (std::string_view(text).ends_with(kFullStop))
        text.erase(text.size() - kFullStop.size());
    return text;
}

std::string textCut(LabelField field, int limit, const std::string& cut) {
    return std::string(fieldCaption(field)) + "は " + std::to_string(limit) + " 文字までです: 「" +
           cut + "」を切りました";
}

std::string recoveryNotWritten(const Result& failure) {
    // A double quote is the one text the file form cannot hold; any other
    // failure is the system's.
    const std::string reason = failure.code == ResultCode::QuoteInText
                                   ? "二重引用符 (\") を含む文字は控えに書けません"
                                   : reasonPhrase(failure.detail);
    return "自動保存ができません: " + reason + "。こまめに保存してください";
}

MessageRequest recoveryNotWrittenMessage(const Result& failure) {
    return {recoveryNotWritten(failure) + "。\n自動保存の場所: " + failure.path, kWarningTitle,
            MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest recoveryNotRead(const std::string& path, bool setAside) {
    return {
        std::string("前回の作業の復元用ファイルが読めませんでした。\n") +
            (setAside ? "消さずに名前を変えて残しました。\n" : "消さずにそのまま残しています。\n") +
            path,
        kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

namespace {

// Why a text cannot be stored, or empty when the result is about something else.
std::string textProblem(const Result& result) {
    if (result.code == ResultCode::QuoteInText) {
        return "に二重引用符 (\") が含まれているため、保存できません。";
    }
    if (result.code == ResultCode::NotEncodable) {
        return "にファイルに保存できない文字が含まれているため、保存できません。";
    }
    return "";
}

}  // namespace

MessageRequest labelFileNotSaved(const std::string& path, const Result& result) {
    if (result.code == ResultCode::SheetNotStorable) {
        return error(
            "ラベルの数が用紙と合わないため、ラベルデータファイルに保存できません。\n"
            "ファイル「" +
            path + "」は書き換えられていません。");
    }
    const std::string problem = textProblem(result);
    // A label's detail (産地...) is named by its caption; a text by its box's.
    const std::string field =
        result.settingName.empty() ? fieldCaption(result.field) : result.settingName;
    if (result.code == ResultCode::NotEncodable && result.labelNumber >= 1) {
        const std::string character = cp932::firstUnencodable(result.detail).value_or("");
        return error("ラベル " + std::to_string(result.labelNumber) + " の" + field + "の「" +
                     character + "」は保存できません" +
                     "。\nその文字を直してから、もう一度保存してください。");
    }
    if (!problem.empty() && result.labelNumber >= 1) {
        return error(std::to_string(result.labelNumber) + "番目の棚札の「" + field + "」" +
                     problem + "\nその文字を直してから、もう一度保存してください。");
    }
    if (!problem.empty()) {
        return error("印刷パターンの「" + result.settingName + "」" + problem);
    }
    return error("ファイル「" + path + "」に保存できませんでした。\n" +
                 resulttext::systemReason(result.detail) + "\nファイルは書き換えられていません。");
}

MessageRequest damagedLabelFile(const std::string& path, int line) {
    return {"ファイル「" + path + "」は " + std::to_string(line) +
                " 行目から棚札形式の並びになっていません。\n"
                "ラベルがずれて読み込まれている可能性があるため、無題として開きます。\n"
                "内容を確かめて、別の名前で保存してください。",
            kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest damagedStockLine(const std::string& path, int line) {
    return {
        "ファイル「" + path + "」の " + std::to_string(line) +
            " 行目の用紙の設定が読めません。\n"
            "標準の用紙 (A4 10面 91×55mm) の 10 枚として、無題として開きます。\n"
            "11 "
            "枚目からのラベルは読み込まれていません。内容を確かめて、別の名前で保存してください。",
        kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest damagedPatternStock(const std::string& path, int line) {
    return {"保存された印刷パターン「" + path + "」の " + std::to_string(line) +
                " 行目の用紙の設定が読めません。\n"
                "標準の用紙 (A4 10面 91×55mm) で始めます。用紙の設定を確かめてください。",
            kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest damagedColorValue(const std::string& path, int line) {
    return {"ファイル「" + path + "」の " + std::to_string(line) +
                " 行目の色の値が壊れています。\n既定の色として読み込みました。",
            kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest patternNotRead(const Result& failure) {
    return {"保存された印刷パターン「" + failure.path + "」を読めませんでした。\n" +
                resulttext::systemReason(failure.detail, resulttext::FileAccess::Read) +
                "\n既定の印刷パターンで始めます。用紙に合わせた設定を確かめてください。",
            kWarningTitle, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageRequest patternNotSaved(const std::string& path, const Result& result) {
    const std::string problem = textProblem(result);
    if (!problem.empty()) {
        return error("印刷パターンの「" + result.settingName + "」" + problem);
    }
    return error("印刷パターンをファイル「" + path + "」に保存できませんでした。\n" +
                 resulttext::systemReason(result.detail) +
                 "\n以前に保存したパターンはそのまま残っています。");
}

MessageRequest printerNotOpened(const std::string& reason) {
    return error("プリンターを開けないため、印刷できません。\n" + reason);
}

MessageRequest printPageFailed() {
    return error("印刷中にエラーが起きたため、印刷を中止しました。\n何も印刷されていません。");
}

MessageRequest printNotFinished(const std::string& reason) {
    return error("印刷できませんでした。\n" + reason);
}

MessageRequest manualNotOpened(const std::string& path, bool manualThere) {
    MessageRequest request;
    request.text = manualThere ? "マニュアルを表示するブラウザーを起動できませんでした。\n"
                                 "マニュアルはこの PC の次の場所にあります。\n" +
                                     path
                               : "マニュアルが見つかりません。\n"
                                 "インストールされたマニュアルは次の場所にあるはずです。\n" +
                                     path;
    request.title = "マニュアル";
    return request;
}

MessageRequest noticeNotOpened(const std::string& path, bool noticeThere) {
    MessageRequest request;
    request.text = noticeThere ? "ライセンスの文書を表示するプログラムを起動できませんでした。\n"
                                 "文書はこの PC の次の場所にあります。\n" +
                                     path
                               : "ライセンスの文書が見つかりません。\n"
                                 "インストールされた文書は次の場所にあるはずです。\n" +
                                     path;
    request.title = "ライセンス";
    return request;
}

std::string janFixNotice(const JanInput& input) {
    switch (input.fix) {
        case JanFix::None:
            return "";
        case JanFix::CheckDigitReplaced:
            return "チェックデジットを " + input.typedDigit + " から " +
                   std::string(1, input.checkDigit) + " に直しました";
        case JanFix::CheckDigitAppended:
            return "チェックデジット " + std::string(1, input.checkDigit) + " を付けました";
    }
    return "";
}

MessageRequest askPrintWithProblems(const std::vector<LabelProblem>& problems) {
    MessageRequest request =
        question(std::string(kAskPrintWithProblems) + "\n\n" + problemList(problems));
    request.defaultButton = MessageAnswer::No;
    return request;
}

std::string characterNotSaved(int label, LabelField field, const std::string& character) {
    return "ラベル " + std::to_string(label) + " の" + fieldCaption(field) + "の「" + character +
           "」は保存できません";
}

std::string batchOutcomeText(const BatchOutcome& outcome) {
    if (!outcome.ok()) {
        std::string why;
        switch (outcome.result.code) {
            case ResultCode::ListNotOpened:
                why = "商品リストを開けません: " + outcome.result.path;
                break;
            case ResultCode::ListColumnsUnknown:
                why = resulttext::listColumnsUnknown(outcome.result, "\n");
                break;
            default:
                why = resulttext::printFailure(outcome.result);
        }
        return "一括印刷できませんでした。" + why;
    }
    std::string text = std::to_string(outcome.sheets) + " 枚のシートに " +
                       std::to_string(outcome.labels) + " 件のラベルを印刷しました。";
    if (!outcome.hasProblems())
        return text;
    // By reason, with the first rows of each: a long list would not fit on the screen.
    const std::vector<RowGroup> groups = groupRows(outcome);
    if (const long left = rowsNotPrinted(groups); left > 0)
        text += "\n" + std::to_string(left) + " 行は印刷しませんでした。";
    bool printedHeading = false;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const RowGroup& g = groups[i];
        if (i == 0 && !g.printed)
            text += "\n\n印刷しなかった行:";
        if (g.printed && !printedHeading) {
            text += "\n\n印刷したが、行のとおりではないもの:";
            printedHeading = true;
        }
        std::string lines;
        for (const int line : g.lines)
            lines += (lines.empty() ? "" : ", ") + std::to_string(line);
        text += "\n・" + g.reason + " (" + std::to_string(g.count) + " 行): " + lines + " 行目" +
                (g.count > static_cast<long>(g.lines.size()) ? " ほか" : "");
    }
    return text;
}

MessageRequest batchOutcome(const BatchOutcome& outcome) {
    const MessageIcon icon = !outcome.ok()            ? MessageIcon::Critical
                             : !outcome.hasProblems() ? MessageIcon::Information
                                                      : MessageIcon::Warning;
    return MessageRequest{batchOutcomeText(outcome), "一括印刷", icon, MessageButtons::Ok,
                          MessageAnswer::Ok};
}

}  // namespace messages

namespace messages {

MessageRequest inStoreStartInvalid(const std::string& start) {
    return error(
        "インストアコードの始まりには、02 か 20〜29 で始まる 12 桁の数字を入力してください: " +
        start);
}

MessageRequest inStoreStartUsed(const std::string& start, const std::string& next) {
    return error("インストアコード " + start + " は前に付けた番号と重なるおそれがあります。\n" +
                 next + " 以降から付けてください。");
}

MessageRequest inStoreCounterNotSaved(const Result& result) {
    return error("インストアコードの次の番号をファイル「" + result.path +
                 "」に保存できないため、コードを付けませんでした。\n" +
                 resulttext::systemReason(result.detail));
}

MessageRequest inStoreCodesGiven(long count, const std::string& first, const std::string& last,
                                 bool usedUp) {
    std::string text = "ラベル " + std::to_string(count) + " 枚にインストアコード " + first +
                       (count > 1 ? " 〜 " + last : std::string()) + " を付けました。";
    if (usedUp)
        text += "\nこの番号帯のコードを使い切ったため、残りのラベルにはコードがありません。";
    return notice(text);
}

}  // namespace messages
