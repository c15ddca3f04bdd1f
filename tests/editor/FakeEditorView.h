#pragma once

// The input window as the editor sees it, without widgets. Focus moves as in
// the real window: the new box becomes the focus first, then the old box gets
// its focus-out and, if the focus is still there, the new box its focus-in.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/logic/EditorView.h"
#include "editor/logic/LabelEditor.h"
#include "support/RecordingSurface.h"

inline const char* boxName(InputBox box) {
    switch (box) {
        case InputBox::Text1:
            return "Text1";
        case InputBox::Text2:
            return "Text2";
        case InputBox::Text3:
            return "Text3";
        case InputBox::Text4:
            return "Text4";
        case InputBox::Text5:
            return "Text5";
        case InputBox::Text6:
            return "Text6";
    }
    return "?";
}

class FakeEditorView : public EditorView {
  public:
    LabelEditor* editor = nullptr;

    std::map<InputBox, std::string> texts;
    std::optional<InputBox> focused;
    // "in Text1", "out Text5", "select Text1", in order.
    std::vector<std::string> events;
    std::string caption;
    std::string counter;
    bool candidateEnabled = false;
    std::string statusLine;
    // Texts are measured here, apart from the preview buffer.
    RecordingSurface gauge;
    int showLayoutCalls = 0;
    TaxRate shownRate = TaxRate::Standard;
    ShelfDetails shownDetails;
    std::string priceNote;
    LayoutSettings shownLayout;
    ViewState shownView;
    ScrollRange vertical, horizontal;
    // The last rectangle the preview was asked to keep in view (x, y, w, h mm).
    std::array<double, 4> keptInView{};
    bool closed = false;
    int historyChanges = 0;
    // Each box's own typing history: the texts before each typing.
    struct TypingHistory {
        std::vector<std::string> undo, redo;
    };
    std::map<InputBox, TypingHistory> typed;

    // The persistent preview buffer, and the calls of each paintPreview.
    RecordingSurface buffer;
    std::vector<std::vector<std::string>> paints;

    // ---- EditorView
    std::string boxText(InputBox box) const override {
        auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setBoxText(InputBox box, const std::string& text) override {
        texts[box] = text;
        typed[box] = {};  // as a line edit forgets its undo when its text is set
    }
    bool hasTypingStep(InputBox box, HistoryDirection direction) const override {
        auto it = typed.find(box);
        return it != typed.end() &&
               !(direction == HistoryDirection::Undo ? it->second.undo : it->second.redo).empty();
    }
    void takeTypingStep(InputBox box, HistoryDirection direction) override {
        TypingHistory& h = typed[box];
        auto& from = direction == HistoryDirection::Undo ? h.undo : h.redo;
        auto& to = direction == HistoryDirection::Undo ? h.redo : h.undo;
        to.push_back(texts[box]);
        texts[box] = from.back();
        from.pop_back();
    }
    void historyChanged() override { ++historyChanges; }
    void selectToEnd(InputBox box) override {
        events.push_back(std::string("select ") + boxName(box));
    }
    void focusBox(InputBox box) override {
        if (focused == box)
            return;
        const std::optional<InputBox> old = focused;
        focused = box;
        if (old) {
            events.push_back(std::string("out ") + boxName(*old));
            editor->focusOut(*old);
        }
        if (focused == box) {
            events.push_back(std::string("in ") + boxName(box));
            editor->focusIn(box);
        }
    }
    std::optional<InputBox> focusedBox() const override { return focused; }
    void setWindowCaption(const std::string& text) override { caption = text; }
    void setCounter(const std::string& text) override { counter = text; }
    void setCandidateEnabled(bool enabled) override { candidateEnabled = enabled; }
    void setStatusLine(const std::string& text) override { statusLine = text; }
    DrawingSurface* textGauge() override { return &gauge; }
    void showLayout(const LayoutSettings& layout, const ViewState& view) override {
        ++showLayoutCalls;
        shownLayout = layout;
        shownView = view;
    }
    void showTaxRate(TaxRate rate) override { shownRate = rate; }
    void showDetails(const ShelfDetails& details) override { shownDetails = details; }
    std::string shownQrContent;
    void showQrContent(const std::string& content) override { shownQrContent = content; }
    void showPriceNote(const std::string& note) override { priceNote = note; }
    void paintPreview(const std::function<void(DrawingSurface&)>& draw) override {
        const std::size_t start = buffer.calls.size();
        draw(buffer);
        paints.emplace_back(buffer.calls.begin() + static_cast<std::ptrdiff_t>(start),
                            buffer.calls.end());
    }
    void keepInView(double x, double y, double width, double height) override {
        keptInView = {x, y, width, height};
    }
    // The stocks the window was put on, in turn.
    std::vector<LabelStock> shownStocks;
    void showStock(const LabelStock& stock) override { shownStocks.push_back(stock); }
    void setScrollRanges(const ScrollRange& v, const ScrollRange& h) override {
        vertical = v;
        horizontal = h;
    }
    void closeWindow() override { closed = true; }

    // ---- what the user does
    // Typing replaces the text of the focused box.
    void type(const std::string& text) {
        ASSERT_TRUE(focused.has_value()) << "typing without a focused box";
        typed[*focused].undo.push_back(texts[*focused]);
        typed[*focused].redo.clear();
        texts[*focused] = text;
    }
    void pressEnter() {
        ASSERT_TRUE(focused.has_value());
        editor->enterPressed(*focused);
    }
    // A click on a button takes the focus from the box first, then runs the command.
    void click(const std::function<void()>& command) {
        const std::optional<InputBox> old = focused;
        focused.reset();
        if (old) {
            events.push_back(std::string("out ") + boxName(*old));
            editor->focusOut(*old);
        }
        command();
    }
    // A menu shortcut runs its command with the focus where it is.
    void shortcut(const std::function<void()>& command) { command(); }

    // The texts of the six boxes in the order Text1, Text2, Text3, Text4, Text6, Text5.
    std::vector<std::string> boxes() const {
        return {boxText(InputBox::Text1), boxText(InputBox::Text2), boxText(InputBox::Text3),
                boxText(InputBox::Text4), boxText(InputBox::Text6), boxText(InputBox::Text5)};
    }
    // Every recorded call since paint number `from`.
    std::vector<std::string> callsSince(std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < paints.size(); ++i) {
            out.insert(out.end(), paints[i].begin(), paints[i].end());
        }
        return out;
    }
};
