#include "editor/logic/LabelEditor.h"

#include <cmath>
#include <utility>

#include "barcode/JanCode.h"
#include "editor/logic/EditorMessages.h"
#include "editor/logic/PriceTyping.h"
#include "files/SettingsFile.h"
#include "jobs/LabelProblems.h"
#include "jobs/ProblemMessages.h"
#include "jobs/ResultText.h"
#include "model/TaxPrice.h"
#include "render/CalibrationSheet.h"
#include "render/SheetRenderer.h"

namespace {

// Pure blue, 0x00BBGGRR.
constexpr Color kCurrentLabelFrameColor = 0xFF0000;

// The order in which the boxes are filled from a label (Text6 before Text5 on
// purpose, as in the Enter cycle).
constexpr InputBox kReloadOrder[] = {InputBox::Text1, InputBox::Text2, InputBox::Text3,
                                     InputBox::Text4, InputBox::Text6, InputBox::Text5};

// Top-left corner of label `number` on the page: the stock's cell from the
// pattern's first label.
PointMm cellOf(const LayoutSettings& layout, int number) {
    return layout.stock.cellOrigin(number, {layout.originX, layout.originY});
}

}  // namespace

LabelEditor::LabelEditor(EditorView& view, EditorDialogs& dialogs, SettingsPaths settingsPaths)
    : view_(view), dialogs_(dialogs), settingsPaths_(std::move(settingsPaths)) {}

bool LabelEditor::isUntitled() const {
    return currentFileName_.empty() || currentFileName_ == kUntitled;
}

// ---------------------------------------------------------------- start-up

void LabelEditor::startUp(const StartupGeometry& geometry) {
    view_.setScrollRanges(scrollRangeFor(geometry.pageHeightTwips, geometry.frameHeightTwips),
                          scrollRangeFor(geometry.pageWidthTwips, geometry.frameWidthTwips));
    currentLabel_ = 1;
    candidateLabel_ = 1;
    candidateBox_.reset();
    settledBox_.reset();
    // The stored pattern (its adjustment texts placing the origin), or the defaults.
    layout_ = initialLayoutSettings();
    const SettingsRead pattern = loadSettingsFile(settingsPaths_.readPath, layout_);
    sheet_ = LabelSheet(layout_.stock);
    // The pattern's stock, when it is not the one the window was sized for.
    if (!(layout_.stock == kStandardStock))
        view_.showStock(layout_.stock);
    tellPatternWarnings(pattern);
    loadListSettingsFile();
    reloadInputBoxes();
    currentFileName_ = kUntitled;
    lastDialogFileName_ = "*.csv";
    showCaption();
    showCounter();
    viewState_ = ViewState{};
    view_.paintPreview([this](DrawingSurface& surface) {
        drawSheetGuide(surface, layout_, viewState_.previewZoom);
    });
    view_.showLayout(layout_, viewState_);
    closeApproved_ = false;
    saved_.remember(sheet_, layout_);
    startHistory();
}

// Labels calibrated for the user's stock would print misplaced on the
// defaults: the user is told whenever the stored pattern was not wholly taken.
void LabelEditor::tellPatternWarnings(const SettingsRead& pattern) {
    if (pattern.load == SettingsLoad::Unreadable)
        dialogs_.showMessage(messages::patternNotRead(pattern.failure));
    if (pattern.priceLines == PriceExtensionRead::Damaged)
        dialogs_.showMessage(messages::notice(messages::kPriceLinesDamagedInPattern));
    if (pattern.damagedValueLine > 0)
        dialogs_.showMessage(
            messages::damagedColorValue(settingsPaths_.readPath, pattern.damagedValueLine));
    if (pattern.damagedStockLine > 0)
        dialogs_.showMessage(
            messages::damagedPatternStock(settingsPaths_.readPath, pattern.damagedStockLine));
}

// ---------------------------------------------------------------- the boxes

void LabelEditor::focusIn(InputBox box) {
    settledBox_.reset();
    switch (box) {
        case InputBox::Text1:
            runHub();
            break;
        case InputBox::Text5:
            view_.selectToEnd(box);
            view_.setCandidateEnabled(false);
            break;
        case InputBox::Text2:
        case InputBox::Text3:
        case InputBox::Text4:
        case InputBox::Text6:
            view_.setCandidateEnabled(true);
            candidateBox_ = box;
            candidateLabel_ = currentLabel_;
            view_.selectToEnd(box);
            break;
    }
}

void LabelEditor::focusOut(InputBox box) {
    if (settledBox_ == box) {
        settledBox_.reset();
        return;
    }
    const std::string codeBefore = sheet_.label(shownLabel_).janCode;
    writeBack(box);
    if (box == InputBox::Text1)
        fillFromMaster(codeBefore);
    if (box != InputBox::Text5) {
        // The preview showed the text as typed; it now shows what was stored
        // (a corrected code).
        if (previewShowsTyping_) {
            redrawSheet();
            drawCurrentLabelFrame();
        }
        return;
    }
    if (currentLabel_ < sheet_.labelCount())
        ++currentLabel_;
    // When the focus is on its way to Text1, its focus-in redraws and shows the
    // new label; otherwise the redraw brings the focus there.
    if (view_.focusedBox() != InputBox::Text1)
        redrawAndFocusText1();
}

void LabelEditor::enterPressed(InputBox box) {
    view_.focusBox(nextBoxInCycle(box));
}

void LabelEditor::boxEdited(InputBox box) {
    if (view_.focusedBox() != box)
        return;  // a text set by the program, not typed
    LabelSheet shown = sheet_;
    shown.label(shownLabel_).field(fieldOfBox(box)) = view_.boxText(box);
    redrawSheet(shown);
    drawCurrentLabelFrame();
    previewShowsTyping_ = true;
}

void LabelEditor::boxTextCut(InputBox box, int limit, const std::string& cut) {
    cutNotice_ = messages::textCut(fieldOfBox(box), limit, cut);
    cutNoticeLabel_ = shownLabel_;
}

void LabelEditor::previewClicked(double x, double y) {
    const double z = viewState_.previewZoom;
    const LabelStock& stock = layout_.stock;
    for (int k = 1; k <= sheet_.labelCount(); ++k) {
        const PointMm cell = cellOf(layout_, k);
        const bool inside = x >= cell.x * z && x < (cell.x + stock.labelWidthMm) * z &&
                            y >= cell.y * z && y < (cell.y + stock.labelHeightMm) * z;
        if (!inside)
            continue;
        // The text being typed stays with the label it was typed for; the box
        // then has nothing left to store (Text5 would also step on).
        if (const auto focused = view_.focusedBox()) {
            writeBack(*focused);
            if (*focused != InputBox::Text1)
                settledBox_ = focused;
        }
        currentLabel_ = k;
        reloadInputBoxes();
        redrawAndFocusText1();
        return;
    }
}

void LabelEditor::writeBack(InputBox box) {
    EditorSnapshot before = snapshot();
    std::string text = view_.boxText(box);
    if (box == InputBox::Text1) {
        JanInput input = settleJanInput(text);
        janNotice_ = messages::janFixNotice(input);
        janNoticeLabel_ = shownLabel_;
        if (input.code != text) {
            view_.setBoxText(box, input.code);
            text = std::move(input.code);
        }
    }
    if (box == InputBox::Text5) {
        std::string ascii = asciiPriceText(text);
        if (ascii != text) {
            view_.setBoxText(box, ascii);
            text = std::move(ascii);
        }
    }
    sheet_.label(shownLabel_).field(fieldOfBox(box)) = std::move(text);
    recordStep(EditCommand::Typing, std::move(before));
    showStatus(sheet_);
}

void LabelEditor::showStatus(const LabelSheet& shown) {
    std::string status = recoveryNotice_;
    if (janNoticeLabel_ == currentLabel_ && !janNotice_.empty())
        status += (status.empty() ? "" : "\n") + janNotice_;
    if (masterNoticeLabel_ == currentLabel_ && !masterNotice_.empty())
        status += (status.empty() ? "" : "\n") + masterNotice_;
    if (cutNoticeLabel_ == currentLabel_ && !cutNotice_.empty())
        status += (status.empty() ? "" : "\n") + cutNotice_;
    for (const LabelProblem& p :
         findLabelProblems(shown, currentLabel_, layout_, view_.textGauge())) {
        if (!status.empty())
            status += "\n";
        status += messages::problemText(p);
    }
    view_.setStatusLine(status);
}

void LabelEditor::showPriceNote() {
    // The first printed label without its tax line, and how many more.
    int first = 0;
    int others = 0;
    PriceReading reading = PriceReading::Yen;
    for (int n = 1; n <= sheet_.labelCount(); ++n) {
        const LabelRecord& label = sheet_.label(n);
        const std::optional<PriceReading> missing = missingTaxLine(label, layout_.pricing);
        if (!missing || label.productName.empty())
            continue;
        if (first == 0) {
            first = n;
            reading = *missing;
        } else {
            ++others;
        }
    }
    view_.showPriceNote(first == 0 ? std::string() : messages::noTaxLine(first, reading, others));
}

void LabelEditor::commitPendingEdit() {
    if (const auto box = view_.focusedBox())
        writeBack(*box);
}

void LabelEditor::reloadInputBoxes() {
    LabelRecord& label = sheet_.label(currentLabel_);
    // A label not yet begun takes the rate of the one before, so that a run of
    // food labels needs the rate chosen once.
    if (label.isEmpty() && currentLabel_ > 1)
        label.taxRate = sheet_.label(currentLabel_ - 1).taxRate;
    for (InputBox box : kReloadOrder)
        view_.setBoxText(box, label.field(fieldOfBox(box)));
    view_.showTaxRate(label.taxRate);
    view_.showDetails(label.details);
    view_.showQrContent(label.qrContent);
    shownLabel_ = currentLabel_;
}

void LabelEditor::showCaption() {
    view_.setWindowCaption(kCaptionPrefix + currentFileName_);
}

void LabelEditor::showCounter() {
    view_.setCounter(std::to_string(currentLabel_) + "/" + std::to_string(sheet_.labelCount()));
}

// ---------------------------------------------------------------- the redraw chain

void LabelEditor::redrawSheet() {
    redrawSheet(sheet_);
}

void LabelEditor::redrawSheet(const LabelSheet& shown) {
    previewShowsTyping_ = false;
    viewState_.printMode = false;
    view_.paintPreview([&](DrawingSurface& surface) {
        drawSheet(surface, shown, layout_, viewState_.renderOptions());
    });
    showPriceNote();
    showStatus(shown);
}

void LabelEditor::drawCurrentLabelFrame() {
    const double z = viewState_.previewZoom;
    const PointMm cell = cellOf(layout_, currentLabel_);
    const double x = z * cell.x;
    const double y = z * cell.y;
    const double w = z * layout_.stock.labelWidthMm;
    const double h = z * layout_.stock.labelHeightMm;
    const int lineWidth = static_cast<int>(std::nearbyint(5.0 * z));
    view_.paintPreview([&](DrawingSurface& surface) {
        surface.setUnit(SurfaceUnit::Millimetres);
        surface.setLineWidth(lineWidth);
        surface.drawLine(x, y, x + w, y, kCurrentLabelFrameColor);          // top
        surface.drawLine(x, y, x, y + h, kCurrentLabelFrameColor);          // left
        surface.drawLine(x, y + h, x + w, y + h, kCurrentLabelFrameColor);  // bottom
        surface.drawLine(x + w, y, x + w, y + h, kCurrentLabelFrameColor);  // right
        surface.setLineWidth(1);
    });
    view_.keepInView(x, y, w, h);
}

void LabelEditor::runHub() {
    ++hubRuns_;
    redrawSheet();
    drawCurrentLabelFrame();
    showCounter();
    reloadInputBoxes();
    view_.setCandidateEnabled(false);
    view_.selectToEnd(InputBox::Text1);
}

void LabelEditor::redrawAndFocusText1() {
    const int before = hubRuns_;
    view_.focusBox(InputBox::Text1);
    if (hubRuns_ != before)
        return;
    // Text1 kept the focus: what it types stays, the picture is brought up to date.
    redrawSheet();
    drawCurrentLabelFrame();
    showCounter();
}

void LabelEditor::focusText1() {
    view_.focusBox(InputBox::Text1);
}

void LabelEditor::showLabel(int number) {
    currentLabel_ = number;
    const auto focused = view_.focusedBox();
    if (focused && *focused != InputBox::Text1)
        settledBox_ = focused;
    const int before = hubRuns_;
    view_.focusBox(InputBox::Text1);
    if (hubRuns_ == before)
        runHub();
}

// ---------------------------------------------------------------- navigation and editing

void LabelEditor::goFirst() {
    currentLabel_ = 1;
    reloadInputBoxes();
    redrawAndFocusText1();
}

void LabelEditor::goPrevious() {
    if (currentLabel_ > 1)
        --currentLabel_;
    reloadInputBoxes();
    redrawAndFocusText1();
}

void LabelEditor::goNext() {
    if (currentLabel_ < sheet_.labelCount())
        ++currentLabel_;
    reloadInputBoxes();
    redrawAndFocusText1();
}

void LabelEditor::goLast() {
    currentLabel_ = sheet_.labelCount();
    reloadInputBoxes();
    redrawAndFocusText1();
}

void LabelEditor::clearLabel() {
    EditorSnapshot before = snapshot();
    sheet_.label(currentLabel_) = LabelRecord{};
    recordStep(EditCommand::ClearLabel, std::move(before));
    reloadInputBoxes();
    redrawAndFocusText1();
}

void LabelEditor::clearAll() {
    if (dialogs_.showMessage(messages::question(messages::kAskClearAll)) != MessageAnswer::Yes) {
        return;
    }
    EditorSnapshot before = snapshot();
    sheet_.clear();
    for (InputBox box : kReloadOrder)
        view_.setBoxText(box, "");
    shownLabel_ = currentLabel_;
    currentFileName_.clear();
    recordStep(EditCommand::ClearAll, std::move(before));
    showCaption();
    redrawAndFocusText1();
}

void LabelEditor::copyFirstToAll() {
    EditorSnapshot before = snapshot();
    const LabelRecord first = sheet_.label(1);
    for (int i = 1; i <= sheet_.labelCount(); ++i)
        sheet_.label(i) = first;
    recordStep(EditCommand::CopyFirstToAll, std::move(before));
    redrawAndFocusText1();
}

void LabelEditor::copyPrevious() {
    if (currentLabel_ == 1) {
        focusText1();
        return;
    }
    const LabelRecord& previous = sheet_.label(currentLabel_ - 1);
    if (previous.productName.empty())
        return;
    EditorSnapshot before = snapshot();
    sheet_.label(currentLabel_) = previous;
    recordStep(EditCommand::CopyPrevious, std::move(before));
    reloadInputBoxes();
    if (currentLabel_ < sheet_.labelCount())
        ++currentLabel_;
    redrawAndFocusText1();
}

void LabelEditor::deleteLabel() {
    if (dialogs_.showMessage(messages::askDelete()) != MessageAnswer::Yes) {
        focusText1();
        return;
    }
    EditorSnapshot before = snapshot();  // also the labels to shift from
    sheet_.clear();
    for (int d = 1; d < sheet_.labelCount(); ++d) {
        sheet_.label(d) = before.sheet.label(d < currentLabel_ ? d : d + 1);
    }
    recordStep(EditCommand::DeleteLabel, std::move(before));
    redrawAndFocusText1();
}

void LabelEditor::insertLabel() {
    // Refused whenever the last label holds any text, so that nothing is pushed off the sheet.
    if (!sheet_.label(sheet_.labelCount()).isEmpty()) {
        dialogs_.showMessage(messages::error(messages::kInsertRefused));
        focusText1();
        return;
    }
    EditorSnapshot before = snapshot();  // also the labels to shift from
    sheet_.clear();
    for (int g = 1; g <= sheet_.labelCount(); ++g) {
        if (g < currentLabel_)
            sheet_.label(g) = before.sheet.label(g);
        if (g > currentLabel_)
            sheet_.label(g) = before.sheet.label(g - 1);
    }
    recordStep(EditCommand::InsertLabel, std::move(before));
    redrawAndFocusText1();
}

void LabelEditor::previousCandidate() {
    const std::optional<InputBox> box = candidateBox_;
    if (!box || candidateLabel_ <= 1)
        return;
    --candidateLabel_;
    EditorSnapshot before = snapshot();
    const LabelField field = fieldOfBox(*box);
    const LabelRecord& candidate = sheet_.label(candidateLabel_);
    view_.setBoxText(*box, candidate.field(field));
    LabelRecord& label = sheet_.label(currentLabel_);
    label.field(field) = view_.boxText(*box);
    // The product decides the rate: a product name fetched brings its rate along.
    if (field == LabelField::ProductName && label.taxRate != candidate.taxRate) {
        label.taxRate = candidate.taxRate;
        view_.showTaxRate(label.taxRate);
    }
    recordStep(EditCommand::PreviousCandidate, std::move(before));
}

void LabelEditor::setTaxRate(TaxRate rate) {
    EditorSnapshot before = snapshot();
    sheet_.label(shownLabel_).taxRate = rate;
    recordStep(EditCommand::TaxRate, std::move(before));
    view_.showTaxRate(rate);
    redrawSheet();
    drawCurrentLabelFrame();
}

void LabelEditor::setLabelDetail(ShelfDetailField field, const std::string& text) {
    std::string& detail = sheet_.label(shownLabel_).details.*shelfDetailInfo(field).text;
    if (detail == text)
        return;
    EditorSnapshot before = snapshot();
    detail = text;
    recordStep(EditCommand::LabelDetail, std::move(before));
    redrawSheet();
    drawCurrentLabelFrame();
    showStatus(sheet_);
}

void LabelEditor::toggleTaxRate() {
    const TaxRate rate = sheet_.label(shownLabel_).taxRate;
    setTaxRate(rate == TaxRate::Standard ? TaxRate::Reduced : TaxRate::Standard);
}

// ---------------------------------------------------------------- preview, zoom and print

void LabelEditor::preview() {
    redrawAndFocusText1();
}

void LabelEditor::toggleZoom() {
    viewState_.previewZoom = viewState_.previewZoom == 1.0 ? 0.5 : 1.0;
    view_.showLayout(layout_, viewState_);
    preview();
}

void LabelEditor::print() {
    // The text still being typed in a box is on screen, so it goes on paper
    // too, and the labels are checked with it.
    commitPendingEdit();
    const std::vector<LabelProblem> problems =
        printingProblems(findSheetProblems(sheet_, layout_, view_.textGauge()));
    if (!problems.empty() &&
        dialogs_.showMessage(messages::askPrintWithProblems(problems)) != MessageAnswer::Yes) {
        focusText1();
        return;
    }
    printPage(PrintCopies::Chosen, [this](DrawingSurface& page) {
        viewState_.printMode = true;
        drawSheet(page, sheet_, layout_, viewState_.renderOptions());
    });
}

void LabelEditor::printCalibration() {
    printPage(PrintCopies::One,
              [this](DrawingSurface& page) { drawCalibrationSheet(page, layout_); });
}

void LabelEditor::printPage(PrintCopies copies, const std::function<void(DrawingSurface&)>& draw) {
    PrintJobStart start = dialogs_.choosePrinter(copies, layout_.stock.paper);
    if (!start.job) {
        // Cancelled when the result is Ok; otherwise the printer could not be opened.
        if (!start.result.ok())
            dialogs_.showMessage(
                messages::printerNotOpened(resulttext::printFailure(start.result)));
        focusText1();
        return;
    }
    PrintJob& job = *start.job;
    DrawingSurface& page = job.page();
    page.setUnit(SurfaceUnit::Millimetres);
    draw(page);
    if (!page.ok()) {
        // Half a page must not reach the printer.
        job.abort();
        dialogs_.showMessage(messages::printPageFailed());
    } else if (const Result finished = job.finish(); !finished.ok()) {
        dialogs_.showMessage(messages::printNotFinished(resulttext::printFailure(finished)));
    }
    focusText1();
}

void LabelEditor::closeWindow() {
    if (!approveClose())
        return;
    closeApproved_ = true;
    view_.closeWindow();
}
