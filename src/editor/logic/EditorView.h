#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editor/logic/EditHistory.h"
#include "editor/logic/InputBox.h"
#include "editor/logic/ViewState.h"
#include "model/LayoutSettings.h"
#include "model/ShelfDetails.h"
#include "render/DrawingSurface.h"

// What the editor logic asks of the input window's widgets.
class EditorView {
  public:
    virtual ~EditorView() = default;

    // Texts of the input boxes. Setting a text puts the caret at its start.
    virtual std::string boxText(InputBox box) const = 0;
    virtual void setBoxText(InputBox box, const std::string& text) = 0;
    // Selects from the caret to the end of the box's text.
    virtual void selectToEnd(InputBox box) = 0;
    // The box's own undo and redo of what was typed into it since its text
    // was last set: whether it has a step that way, and taking it.
    virtual bool hasTypingStep(InputBox box, HistoryDirection direction) const = 0;
    virtual void takeTypingStep(InputBox box, HistoryDirection direction) = 0;
    // The history of commands changed: the undo and redo items follow it.
    virtual void historyChanged() = 0;

    // Moves the keyboard focus into `box`. The old box's focus-out and the new
    // box's focus-in reach the editor before this returns (nothing happens when
    // the box has the focus already).
    virtual void focusBox(InputBox box) = 0;
    // The input box that has the keyboard focus, if any.
    virtual std::optional<InputBox> focusedBox() const = 0;

    virtual void setWindowCaption(const std::string& caption) = 0;
    virtual void setCounter(const std::string& text) = 0;  // Label6
    virtual void setCandidateEnabled(bool enabled) = 0;    // 前候補
    // The status line under the counter: the current label's problems and
    // what the JAN code box did, one a line; empty for a sound label.
    virtual void setStatusLine(const std::string& text) = 0;
    // A surface to measure texts on as they will be printed (widths, glyphs),
    // or nothing when the window has none.
    virtual DrawingSurface* textGauge() = 0;
    // Shows the layout's toggle captions, the origin adjustment texts and the
    // zoom caption.
    virtual void showLayout(const LayoutSettings& layout, const ViewState& view) = 0;
    // Shows the tax rate of the label the input boxes show.
    virtual void showTaxRate(TaxRate rate) = 0;
    // Shows the QR content of the label the input boxes show.
    virtual void showQrContent(const std::string& /*content*/) {}
    // Says which labels get no tax line and why; an empty text clears it.
    virtual void showPriceNote(const std::string& note) = 0;
    // Shows the details (contents, sale, origin) of the label the boxes show.
    virtual void showDetails(const ShelfDetails& /*details*/) {}

    // Draws onto the persistent preview buffer (the picture of the whole page,
    // white) with `draw`, then repaints the preview from the buffer.
    virtual void paintPreview(const std::function<void(DrawingSurface&)>& draw) = 0;

    // Scrolls the preview as little as needed to show the rectangle (mm from
    // the picture's corner, as drawn) whole, or as much of it as fits.
    virtual void keepInView(double x, double y, double width, double height) = 0;

    // The sheet is now on `stock`: the preview's page becomes its paper, and
    // the scroll bars follow.
    virtual void showStock(const LabelStock& stock) = 0;

    // Sets the scroll bars that move the preview inside its frame.
    struct ScrollRange {
        int maximum = 0;
        int largeStep = 1;
        int smallStep = 1;
    };
    virtual void setScrollRanges(const ScrollRange& vertical, const ScrollRange& horizontal) = 0;

    // Unloads the input window (discarding everything).
    virtual void closeWindow() = 0;
};
