#pragma once

#include <string>

#include "barcode/JanCode.h"
#include "editor/logic/EditorDialogs.h"
#include "jobs/BatchPrint.h"
#include "jobs/LabelProblems.h"
#include "model/LabelSheet.h"
#include "model/Result.h"
#include "model/TaxPrice.h"

// The texts of the input window's message boxes and how each box is built.
namespace messages {

inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kDeleteTitle = "削除";
inline constexpr const char* kWarningTitle = "警告";

inline constexpr const char* kAskClearAll = "データを全部クリアしますか？";
inline constexpr const char* kAskDelete = "削除しますか?。";
inline constexpr const char* kInsertRefused = "最後尾にデータがあります。挿入できません。";
inline constexpr const char* kAskDefaultLayout = "設定をデフォルトにもどしますか？";
inline constexpr const char* kAskSavePattern = "保存しますか？";
inline constexpr const char* kNotLabelFile = "棚札形式のデータではありません";
// The price lines after a file's defined lines could not be read.
inline constexpr const char* kPriceLinesDamagedInFile =
    "このファイルの税込表示の設定 (価格表示と税率) が読めませんでした。\n"
    "税込のみ、税率はすべて 10% として開きます。";
inline constexpr const char* kPriceLinesDamagedInPattern =
    "保存された印刷パターンの税込表示の設定が読めませんでした。\n税込のみ、切り捨てで始めます。";
inline constexpr const char* kAskSaveChanges = "変更を保存しますか？";
inline constexpr const char* kAskRestore = "保存されていないデータがあります。復元しますか？";
// Follows the full path of the chosen file (the blank is U+3000).
inline constexpr const char* kAlreadyExists = "はすでに存在します　上書きしますか?";
inline constexpr const char* kAskPrintWithProblems = "問題のあるラベルがあります。印刷しますか？";

// The caption beside each input box, naming its field in messages.
const char* fieldCaption(LabelField field);

// A Yes/No question without an icon, under the application's title.
MessageRequest question(const std::string& text);
// Why label `label` gets no tax line (its price is no whole number of yen, or
// too large), and how many other labels get none.
std::string noTaxLine(int label, PriceReading reading, int others);

// インストアコード: a start that is no in-store start, one before codes already
// given, a counter that could not be kept, and what was given.
MessageRequest inStoreStartInvalid(const std::string& start);
MessageRequest inStoreStartUsed(const std::string& start, const std::string& next);
MessageRequest inStoreCounterNotSaved(const Result& result);
MessageRequest inStoreCodesGiven(long count, const std::string& first, const std::string& last,
                                 bool usedUp);
inline constexpr const char* kNoLabelWithoutCode =
    "JANコードのない (品名のある) ラベルはありません。";

// A message without an icon and an OK button, under the application's title.
MessageRequest notice(const std::string& text);
// A message with the stop icon and an OK button.
MessageRequest error(const std::string& text, const std::string& title = kErrorTitle);

MessageRequest askDelete();
// Before closing or opening over unsaved work: はい, いいえ or キャンセル.
MessageRequest askSaveChanges();
MessageRequest askOverwrite(const std::string& path);

// A label data file the open command could not take: not a label data file
// at all, or a file that could not be read (naming it, with the reason).
MessageRequest labelFileNotOpened(const Result& result);

// A text longer than its box's limit was cut: what was left out.
std::string textCut(LabelField field, int limit, const std::string& cut);

// The same reason as one phrase without the closing "。", to stand inside a sentence.
std::string reasonPhrase(const std::string& systemReason);

// The recovery file could not be written (the status line's text, and the
// message shown once), and the status line's text once it is written again.
std::string recoveryNotWritten(const Result& failure);
MessageRequest recoveryNotWrittenMessage(const Result& failure);
inline constexpr const char* kRecoveryWrittenAgain = "自動保存がふたたびできるようになりました";
// A recovery file that could not be read, kept at `path` (renamed aside when
// `setAside`, left where it was when even that failed).
MessageRequest recoveryNotRead(const std::string& path, bool setAside);

// A label data file that could not be saved: a text it cannot hold (naming
// the label and field, or the layout setting) or a failed write (naming the file).
MessageRequest labelFileNotSaved(const std::string& path, const Result& result);
// A label data file whose lines do not line up from `line` on: it was read
// by counting fields, opened untitled, and should be saved under a new name.
MessageRequest damagedLabelFile(const std::string& path, int line);
// A colour of `path` (a label file or the settings file) outside the colours
// at `line`, read as the default colour.
MessageRequest damagedColorValue(const std::string& path, int line);
// The file's stock line (or a line of its labels past the tenth) at `line`
// cannot be read: opened untitled on the standard stock.
MessageRequest damagedStockLine(const std::string& path, int line);
// The stored pattern's stock line cannot be read: the standard stock.
MessageRequest damagedPatternStock(const std::string& path, int line);
// The settings file (the preferred print pattern) that could not be read: the
// window starts on the default pattern.
MessageRequest patternNotRead(const Result& failure);
// The settings file (the preferred print pattern) that could not be saved.
MessageRequest patternNotSaved(const std::string& path, const Result& result);

// Printing: the printer could not be opened, the page failed while it was
// drawn (the job was abandoned), or the document could not be ended.
MessageRequest printerNotOpened(const std::string& reason);
MessageRequest printPageFailed();
MessageRequest printNotFinished(const std::string& reason);

// The manual could not be opened: there is no browser, or no manual at `path`.
MessageRequest manualNotOpened(const std::string& path, bool manualThere);

// The licence and notice of third-party software (NOTICE.txt) could not be
// opened: nothing opens text files, or there is no notice at `path`.
MessageRequest noticeNotOpened(const std::string& path, bool noticeThere);

// The notice of the JAN code box, or an empty text when it changed nothing.
std::string janFixNotice(const JanInput& input);

// The question before printing a sheet with problems: はい prints.
MessageRequest askPrintWithProblems(const std::vector<LabelProblem>& problems);

// A label text that cannot be stored in a label data file: names the
// character, the label and the box.
std::string characterNotSaved(int label, LabelField field, const std::string& character);

// After a batch print: how much was printed and the rows to look at (printed
// without a barcode, not printed), or why the job failed.
std::string batchOutcomeText(const BatchOutcome& outcome);
// The same under the title 一括印刷, with the icon of how it went.
MessageRequest batchOutcome(const BatchOutcome& outcome);

}  // namespace messages
