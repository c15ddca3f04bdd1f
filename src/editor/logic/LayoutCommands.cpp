// The commands that shape the print pattern: moving elements and the whole
// sheet, fonts, colours, visibility, underline, border, default and saving.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "editor/logic/EditorMessages.h"
#include "editor/logic/LabelEditor.h"
#include "editor/logic/OriginAdjustment.h"
#include "editor/logic/StockMessages.h"
#include "files/SettingsFile.h"

namespace {

constexpr int kOriginStepLimit = 10;

int axisIndex(Axis axis) {
    return axis == Axis::X ? 0 : 1;
}

}  // namespace

void LabelEditor::moveElement(LabelElement element, MoveDirection direction) {
    const bool horizontal = direction == MoveDirection::Right || direction == MoveDirection::Left;
    const int step = direction == MoveDirection::Right || direction == MoveDirection::Down ? 1 : -1;
    ElementStyle& style = layout_.element(element);
    std::int16_t& offset = horizontal ? style.offsetX : style.offsetY;
    const int moved = offset + step;
    // An offset is a 16-bit number: a step past its range is refused.
    if (moved < std::numeric_limits<std::int16_t>::min() ||
        moved > std::numeric_limits<std::int16_t>::max()) {
        return;
    }
    EditorSnapshot before = snapshot();
    offset = static_cast<std::int16_t>(moved);
    recordStep(EditCommand::MoveElement, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::moveOrigin(Axis axis, int step) {
    step = step > 0 ? 1 : -1;
    // An adjustment to the tenth moves on in whole millimetres from where it is.
    if ((axis == Axis::X ? layout_.xFineTenths : layout_.yFineTenths) != 0) {
        adjustOrigin(axis, step * 10);
        return;
    }
    std::string& text = axis == Axis::X ? layout_.xAdjustText : layout_.yAdjustText;
    double& origin = axis == Axis::X ? layout_.originX : layout_.originY;
    int value = 0;
    if (!parseAdjustText(text, value))
        value = 0;  // a text that is no number counts as 0
    if ((step > 0 && value >= kOriginStepLimit) || (step < 0 && value <= -kOriginStepLimit)) {
        return;
    }
    EditorSnapshot before = snapshot();
    text = std::to_string(value + step);
    origin += step;
    recordStep(EditCommand::MoveOrigin, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::moveOriginFine(Axis axis, int step) {
    adjustOrigin(axis, step > 0 ? 1 : -1);
}

void LabelEditor::adjustOrigin(Axis axis, int tenths) {
    const int now = adjustTenths(layout_, axisIndex(axis));
    const int next = now + tenths;
    if (next < -kMostAdjustTenths || next > kMostAdjustTenths)
        return;
    EditorSnapshot before = snapshot();
    setAdjustTenths(layout_, axisIndex(axis), next);
    recordStep(EditCommand::MoveOrigin, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::typeOriginAdjustment(Axis axis, const std::string& text) {
    const std::optional<int> tenths = parseAdjustTenths(text);
    if (!tenths || *tenths < -kMostAdjustTenths || *tenths > kMostAdjustTenths) {
        dialogs_.showMessage(messages::originAdjustRefused(axis == Axis::X ? "Ｘ座標" : "Ｙ座標"));
        view_.showLayout(layout_, viewState_);  // the box shows the adjustment as it was
        return;
    }
    const int now = adjustTenths(layout_, axisIndex(axis));
    if (*tenths == now) {
        view_.showLayout(layout_, viewState_);
        return;
    }
    adjustOrigin(axis, *tenths - now);
}

void LabelEditor::chooseFont(LabelElement element) {
    ElementFont& font = layout_.element(element).font;
    const std::optional<FontChoice> choice = dialogs_.chooseFont(font);
    if (!choice) {
        focusText1();
        return;
    }
    // Whole points, halves to the even neighbour, within the 16-bit size.
    EditorSnapshot before = snapshot();
    const double size = std::clamp(std::nearbyint(choice->size), 1.0,
                                   double(std::numeric_limits<std::int16_t>::max()));
    font = ElementFont{choice->name, static_cast<std::int16_t>(size), choice->bold, choice->italic};
    recordStep(EditCommand::ChooseFont, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::chooseColor(LabelElement element) {
    const std::optional<Color> color = dialogs_.chooseColor();
    if (!color)
        return;  // the focus stays on the colour button
    EditorSnapshot before = snapshot();
    layout_.element(element).color = *color;
    recordStep(EditCommand::ChooseColor, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::toggleVisibility(LabelElement element) {
    EditorSnapshot before = snapshot();
    bool& visible = layout_.element(element).visible;
    visible = !visible;
    recordStep(EditCommand::ToggleVisibility, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::toggleUnderline(LabelElement element) {
    EditorSnapshot before = snapshot();
    bool& underlined = layout_.element(element).underlined;
    underlined = !underlined;
    recordStep(EditCommand::ToggleUnderline, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::toggleBorder() {
    EditorSnapshot before = snapshot();
    if (layout_.borderOn) {
        layout_.borderOn = false;
        recordStep(EditCommand::ToggleBorder, std::move(before));
        view_.showLayout(layout_, viewState_);
        preview();
        return;
    }
    // Switching the border on always asks for its colour.
    const std::optional<Color> color = dialogs_.chooseColor();
    if (!color) {
        layout_.borderOn = false;
        recordStep(EditCommand::ToggleBorder, std::move(before));
        view_.showLayout(layout_, viewState_);
        return;
    }
    layout_.borderOn = true;
    layout_.borderColor = *color;
    recordStep(EditCommand::ToggleBorder, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::restoreDefaultLayout() {
    if (dialogs_.showMessage(messages::question(messages::kAskDefaultLayout)) !=
        MessageAnswer::Yes) {
        return;
    }
    EditorSnapshot before = snapshot();
    applyDefaultLayout(layout_);
    recordStep(EditCommand::DefaultLayout, std::move(before));
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::savePattern() {
    if (dialogs_.showMessage(messages::question(messages::kAskSavePattern)) != MessageAnswer::Yes) {
        return;
    }
    const Result result = saveSettingsFile(settingsPaths_.writePath, layout_);
    if (!result.ok()) {
        dialogs_.showMessage(messages::patternNotSaved(settingsPaths_.writePath, result));
    }
}

void LabelEditor::setPriceMode(PriceMode mode) {
    EditorSnapshot before = snapshot();
    layout_.pricing.mode = mode;
    recordStep(EditCommand::PriceMode, std::move(before));
    view_.showLayout(layout_, viewState_);
    redrawAndFocusText1();
}

void LabelEditor::setTaxRounding(TaxRounding rounding) {
    EditorSnapshot before = snapshot();
    layout_.pricing.rounding = rounding;
    recordStep(EditCommand::TaxRounding, std::move(before));
    view_.showLayout(layout_, viewState_);
    redrawAndFocusText1();
}
