// The product master: choosing it, the fill from a typed code and the search,
// every step through EditorDialogs and EditorView.
#include <utility>

#include "editor/logic/EditorMessages.h"
#include "editor/logic/LabelEditor.h"
#include "editor/logic/ListMessages.h"

namespace {

// The texts a code found in the master fills when they are empty. The lot
// belongs to a delivery, not to the product, and is never filled.
constexpr LabelField kFilledFields[] = {LabelField::Maker, LabelField::ProductName,
                                        LabelField::Spec, LabelField::Price};

// The boxes showing a label's texts (Text1 aside, which was just left).
constexpr InputBox kFilledBoxes[] = {InputBox::Text2, InputBox::Text3, InputBox::Text4,
                                     InputBox::Text6, InputBox::Text5};

// The product's texts as the label takes them: its price as the sheet's price
// box holds it (a pre-tax price from a tax-inclusive column, or the other way
// round), at the label's rate.
LabelRecord asLabelTakesIt(const MasterProduct& product, const ProductMaster& master, TaxRate rate,
                           const PricePattern& pricing) {
    LabelRecord texts = product.label;
    texts.price = priceForBox(texts.price, master.priceMeaning(), rate, pricing).text;
    return texts;
}

// Fills the empty texts of `label` from `product`. The product decides the
// rate when it gives one and the label had no product name yet.
void fillEmpty(LabelRecord& label, const MasterProduct& product, const ProductMaster& master,
               const PricePattern& pricing) {
    if (product.statesTaxRate && label.productName.empty())
        label.taxRate = product.label.taxRate;
    const LabelRecord texts = asLabelTakesIt(product, master, label.taxRate, pricing);
    for (const LabelField field : kFilledFields) {
        if (label.field(field).empty())
            label.field(field) = texts.field(field);
    }
}

// Puts `product` on `label`: its code and texts, its rate when it gives one;
// the label's lot stays unless the product has one.
void putProduct(LabelRecord& label, const MasterProduct& product, const ProductMaster& master,
                const PricePattern& pricing) {
    const std::string lot = label.lot;
    const TaxRate rate = product.statesTaxRate ? product.label.taxRate : label.taxRate;
    label = asLabelTakesIt(product, master, rate, pricing);
    label.taxRate = rate;
    if (label.lot.empty())
        label.lot = lot;
}

}  // namespace

void LabelEditor::loadListSettingsFile() {
    listSettingsPath_ = listSettingsPathBeside(settingsPaths_.writePath);
    if (listSettingsPath_.empty())
        return;
    if (const Result read = loadListSettings(listSettingsPath_, listSettings_); !read.ok())
        dialogs_.showMessage(messages::listSettingsNotRead(read));
    if (listSettings_.masterPath != master_.path())
        master_.setPath(listSettings_.masterPath);
}

const ProductMaster* LabelEditor::productMaster() {
    std::optional<MasterRead> read;
    const ProductMaster* master = master_.master(read);
    // Problem rows were told when the master was chosen; a master that cannot
    // be read any more (moved, removed) is told on first use.
    if (read && !read->failure.ok())
        tellMasterRead(*read);
    return master;
}

void LabelEditor::tellMasterRead(const MasterRead& read) {
    dialogs_.showMessage(messages::masterRead(master_.path(), read));
}

void LabelEditor::chooseProductMaster() {
    const FileDialogRequest request{
        {{"商品リスト (*.csv *.txt)", "*.csv *.txt"}, {"すべてのファイル (*.*)", "*.*"}}, ""};
    const std::optional<std::string> path = dialogs_.chooseOpenFile(request);
    if (!path) {
        focusText1();
        return;
    }
    master_.setPath(*path);
    std::optional<MasterRead> read;
    master_.master(read);  // read now: the user learns at once what the list holds
    if (read)
        tellMasterRead(*read);
    if (!read || !read->failure.ok()) {
        master_.setPath(listSettings_.masterPath);  // the master before stays
        focusText1();
        return;
    }
    listSettings_.masterPath = *path;
    saveListSettingsFile();
    focusText1();
}

void LabelEditor::saveListSettingsFile() {
    if (listSettingsPath_.empty())
        return;  // no place for settings: the choice holds while the window is open
    if (const Result saved = saveListSettings(listSettingsPath_, listSettings_); !saved.ok())
        dialogs_.showMessage(messages::listSettingsNotSaved(saved));
}

void LabelEditor::fillFromMaster(const std::string& codeBefore) {
    const LabelRecord& label = sheet_.label(shownLabel_);
    if (label.janCode == codeBefore)
        return;  // no code typed
    if (masterNoticeLabel_ == shownLabel_) {
        masterNoticeLabel_ = 0;  // the notice was about the code before
        showStatus(sheet_);
    }
    if (label.janCode.empty())
        return;
    const ProductMaster* master = productMaster();
    const MasterProduct* product = master != nullptr ? master->findCode(label.janCode) : nullptr;
    if (product == nullptr)
        return;
    EditorSnapshot before = snapshot();
    fillEmpty(sheet_.label(shownLabel_), *product, *master, layout_.pricing);
    if (before.sameWork(snapshot()))
        return;
    recordStep(EditCommand::FromMaster, std::move(before));
    showMasterFill();
    redrawSheet();
    drawCurrentLabelFrame();
}

void LabelEditor::showMasterFill() {
    const LabelRecord& label = sheet_.label(shownLabel_);
    for (const InputBox box : kFilledBoxes)
        view_.setBoxText(box, label.field(fieldOfBox(box)));
    view_.showTaxRate(label.taxRate);
    masterNotice_ = messages::kFilledFromMaster;
    masterNoticeLabel_ = shownLabel_;
}

void LabelEditor::searchProduct() {
    if (master_.path().empty()) {
        dialogs_.showMessage(messages::notice(messages::kNoMasterChosen));
        return;
    }
    const ProductMaster* master = productMaster();
    if (master == nullptr)
        return;
    const std::optional<std::size_t> chosen = dialogs_.chooseMasterProduct(*master);
    if (!chosen || *chosen >= master->size())
        return;
    // What the focused box holds stays with this label, and the box has
    // nothing left to store when the focus leaves it (Text5 would step on).
    if (const auto focused = view_.focusedBox()) {
        writeBack(*focused);
        if (*focused != InputBox::Text1)
            settledBox_ = focused;
    }
    EditorSnapshot before = snapshot();
    putProduct(sheet_.label(shownLabel_), master->product(*chosen), *master, layout_.pricing);
    recordStep(EditCommand::FromMaster, std::move(before));
    view_.setBoxText(InputBox::Text1, sheet_.label(shownLabel_).janCode);
    showMasterFill();
    redrawAndFocusText1();
}
