#include "editor/logic/EditHistory.h"

#include <utility>

const char* editCommandName(EditCommand command) {
    switch (command) {
        case EditCommand::Typing:
            return "入力";
        case EditCommand::ClearLabel:
            return "クリア";
        case EditCommand::ClearAll:
            return "全画面クリア";
        case EditCommand::CopyPrevious:
            return "コピー";
        case EditCommand::CopyFirstToAll:
            return "全コピー";
        case EditCommand::DeleteLabel:
            return "削除";
        case EditCommand::InsertLabel:
            return "挿入";
        case EditCommand::PreviousCandidate:
            return "前候補";
        case EditCommand::MoveElement:
            return "移動";
        case EditCommand::MoveOrigin:
            return "印字位置調整";
        case EditCommand::ChooseFont:
            return "フォント";
        case EditCommand::ChooseColor:
            return "色";
        case EditCommand::ToggleVisibility:
            return "表示切替";
        case EditCommand::ToggleUnderline:
            return "アンダーライン";
        case EditCommand::ToggleBorder:
            return "縁取り";
        case EditCommand::DefaultLayout:
            return "デフォルトパターン";
        case EditCommand::NewSheet:
            return "新規作成";
        case EditCommand::TaxRate:
            return "税率";
        case EditCommand::PriceMode:
            return "価格表示";
        case EditCommand::TaxRounding:
            return "端数処理";
        case EditCommand::ChooseStock:
            return "用紙の設定";
        case EditCommand::FromMaster:
            return "商品マスタ";
        case EditCommand::LabelDetail:
            return "内容量・特売・産地";
        case EditCommand::QrContent:
            return "QRコードの内容";
        case EditCommand::QrPattern:
            return "QRコードのパターン";
        case EditCommand::InStoreCodes:
            return "インストアコード";
        case EditCommand::PriceEmbedded:
            return "価格入りコード";
    }
    return "";
}

void EditHistory::record(EditCommand command, EditorSnapshot before) {
    undo_.push_back({command, std::move(before)});
    if (undo_.size() > kLimit)
        undo_.pop_front();
    redo_.clear();
}

std::optional<EditorSnapshot> EditHistory::step(HistoryDirection direction,
                                                EditorSnapshot current) {
    std::deque<Step>& from = direction == HistoryDirection::Undo ? undo_ : redo_;
    std::deque<Step>& to = direction == HistoryDirection::Undo ? redo_ : undo_;
    if (from.empty())
        return std::nullopt;
    Step taken = std::move(from.back());
    from.pop_back();
    to.push_back({taken.command, std::move(current)});
    return std::move(taken.state);
}

std::optional<EditCommand> EditHistory::next(HistoryDirection direction) const {
    const std::deque<Step>& from = direction == HistoryDirection::Undo ? undo_ : redo_;
    if (from.empty())
        return std::nullopt;
    return from.back().command;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}
