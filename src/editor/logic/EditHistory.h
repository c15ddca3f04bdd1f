#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"

// The commands the user can undo, each one step of the history.
enum class EditCommand {
    Typing,             // a text written back from an input box
    ClearLabel,         // クリア
    ClearAll,           // 全画面クリア
    CopyPrevious,       // コピー
    CopyFirstToAll,     // 全コピー
    DeleteLabel,        // 削除
    InsertLabel,        // 挿入
    PreviousCandidate,  // 前候補
    MoveElement,
    MoveOrigin,
    ChooseFont,
    ChooseColor,
    ToggleVisibility,
    ToggleUnderline,
    ToggleBorder,
    DefaultLayout,  // デフォルト
    NewSheet,       // 新規作成
    TaxRate,        // a label's tax rate
    PriceMode,      // 価格表示
    TaxRounding,    // the rounding of tax-inclusive amounts
    ChooseStock,    // 用紙の設定
    FromMaster,     // a product put on a label from the product master
    LabelDetail,    // contents, base quantity, regular price, period or origin
    QrContent,      // a label's QR content
    QrPattern,      // the pattern's QR content
    InStoreCodes,   // インストアコード
    PriceEmbedded,  // 価格入りコード
};

enum class HistoryDirection { Undo, Redo };

// The name the edit menu gives a command ("元に戻す: 削除").
const char* editCommandName(EditCommand command);

// Everything an undo puts back: small enough to keep whole for every step.
struct EditorSnapshot {
    LabelSheet sheet;
    LayoutSettings layout;
    int currentLabel = 1;
    std::string fileName;
    // Equal when the user's work is the same; the current label does not count.
    bool sameWork(const EditorSnapshot& other) const {
        return sheet == other.sheet && layout == other.layout && fileName == other.fileName;
    }
};

// Undo and redo by whole snapshots. The oldest steps are dropped beyond kLimit.
class EditHistory {
  public:
    static constexpr std::size_t kLimit = 500;

    // A command changed the state that `before` held; anything to redo is gone.
    void record(EditCommand command, EditorSnapshot before);
    // The state to go back (or forward) to from `current`, which is kept for
    // the opposite direction; nothing when there is no step that way.
    std::optional<EditorSnapshot> step(HistoryDirection direction, EditorSnapshot current);
    // The command the next step in `direction` would take back or repeat.
    std::optional<EditCommand> next(HistoryDirection direction) const;
    void clear();

  private:
    struct Step {
        EditCommand command;
        EditorSnapshot state;  // before it (undo) or after it (redo)
    };
    std::deque<Step> undo_;
    std::deque<Step> redo_;
};
