// The label's codes: its QR content, the pattern's QR content and in-store
// codes for labels without a code.

#include "barcode/InStoreCode.h"
#include "barcode/InStoreNumbering.h"
#include "editor/logic/EditorMessages.h"
#include "editor/logic/LabelEditor.h"
#include "files/InStoreCounterFile.h"

namespace {

// Where numbering starts when none was given before: flag 20, item 1.
constexpr const char* kFirstInStoreStart = "200000000001";
constexpr const char* kCounterFileName = "instore.txt";

// The folder part of `path`, separator included; empty for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

long labelsWithoutCode(const LabelSheet& sheet) {
    long count = 0;
    for (int n = 1; n <= sheet.labelCount(); ++n)
        count += needsInStoreCode(sheet.label(n)) ? 1 : 0;
    return count;
}

}  // namespace

void LabelEditor::setQrContent(const std::string& content) {
    if (sheet_.label(shownLabel_).qrContent == content)
        return;
    EditorSnapshot before = snapshot();
    sheet_.label(shownLabel_).qrContent = content;
    recordStep(EditCommand::QrContent, std::move(before));
    redrawSheet();
    drawCurrentLabelFrame();
    showStatus(sheet_);
}

void LabelEditor::setQrPattern(const std::string& pattern) {
    if (layout_.qrPattern == pattern)
        return;
    EditorSnapshot before = snapshot();
    layout_.qrPattern = pattern;
    recordStep(EditCommand::QrPattern, std::move(before));
    view_.showLayout(layout_, viewState_);
    redrawSheet();
    drawCurrentLabelFrame();
    showStatus(sheet_);
}

void LabelEditor::setPriceEmbeddedRule(const PriceEmbeddedRule& rule) {
    if (layout_.priceEmbedded == rule)
        return;
    EditorSnapshot before = snapshot();
    layout_.priceEmbedded = rule;
    recordStep(EditCommand::PriceEmbedded, std::move(before));
    view_.showLayout(layout_, viewState_);
    showStatus(sheet_);
}

std::string LabelEditor::inStoreCounterPath() const {
    return folderOf(settingsPaths_.writePath) + kCounterFileName;
}

void LabelEditor::giveInStoreCodes() {
    commitPendingEdit();
    if (labelsWithoutCode(sheet_) == 0) {
        dialogs_.showMessage(messages::notice(messages::kNoLabelWithoutCode));
        focusText1();
        return;
    }
    const std::string path = inStoreCounterPath();
    const std::optional<std::string> remembered = loadInStoreCounter(path);
    const std::optional<std::string> start =
        dialogs_.askInStoreStart(remembered.value_or(kFirstInStoreStart));
    if (!start) {
        focusText1();
        return;
    }
    std::optional<InStoreNumbering> numbering = InStoreNumbering::from(*start);
    if (!numbering) {
        dialogs_.showMessage(messages::inStoreStartInvalid(*start));
        focusText1();
        return;
    }
    // Twelve digits each: the text order is the numbers' order.
    if (remembered && *start < *remembered) {
        dialogs_.showMessage(messages::inStoreStartUsed(*start, *remembered));
        focusText1();
        return;
    }
    LabelSheet numbered = sheet_;
    const bool enough = numberLabelsWithoutCode(numbered, *numbering);
    // Kept first: a code on a label is never offered again, even if the
    // program stops before the sheet is saved.
    const std::string next =
        numbering->next().empty() ? numbering->last().substr(0, 12) : numbering->next();
    if (Result saved = saveInStoreCounter(path, next); !saved.ok()) {
        dialogs_.showMessage(messages::inStoreCounterNotSaved(std::move(saved).withPath(path)));
        focusText1();
        return;
    }
    EditorSnapshot before = snapshot();
    sheet_ = std::move(numbered);
    recordStep(EditCommand::InStoreCodes, std::move(before));
    const std::string first = inStoreCodes(*start, 1)->front();
    dialogs_.showMessage(
        messages::inStoreCodesGiven(numbering->given(), first, numbering->last(), !enough));
    showLabel(currentLabel_);
}
