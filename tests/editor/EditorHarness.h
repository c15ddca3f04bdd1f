#pragma once

// An input window with fake widgets and dialogs, started as the real one is:
// start-up, then the window is shown and Text1 receives the focus.

#include <filesystem>
#include <functional>
#include <string>

#include "editor/FakeEditorDialogs.h"
#include "editor/FakeEditorView.h"
#include "editor/logic/LabelEditor.h"
#include "support/TempFolder.h"

// The geometry of an A4 page (11906 x 16838 twips) in a frame of 10000 x 11520.
inline StartupGeometry a4Geometry() {
    return {11906, 16838, 10000, 11520};
}

struct EditorHarness {
    explicit EditorHarness(SettingsPaths paths = {}) : editor(view, dialogs, std::move(paths)) {
        view.editor = &editor;
    }
    // Loads and shows the window.
    void open(const StartupGeometry& geometry = a4Geometry()) {
        editor.startUp(geometry);
        view.focusBox(InputBox::Text1);
    }
    // Puts labels straight into the sheet, as if typed earlier: the focus
    // leaves the boxes first and comes back to Text1, which shows the sheet.
    void setLabels(const std::function<void(LabelSheet&)>& change) {
        view.click([] {});
        change(editor.sheet());
        view.focusBox(InputBox::Text1);
    }
    // Fills every label with record(1), record(2)...
    void fillLabels(const std::function<LabelRecord(int)>& record) {
        setLabels([&](LabelSheet& sheet) {
            for (int i = 1; i <= sheet.labelCount(); ++i)
                sheet.label(i) = record(i);
        });
    }
    // Goes to label `n` with the navigation buttons.
    void goToLabel(int n) {
        view.click([&] { editor.goFirst(); });
        for (int i = 1; i < n; ++i)
            view.click([&] { editor.goNext(); });
    }
    // Types the six texts of the current label the way a user does, Enter after each.
    void typeLabel(const LabelRecord& r) {
        view.focusBox(InputBox::Text1);
        for (const std::string& text :
             {r.janCode, r.maker, r.productName, r.spec, r.lot, r.price}) {
            view.type(text);
            view.pressEnter();
        }
    }

    FakeEditorView view;
    FakeEditorDialogs dialogs;
    LabelEditor editor;
};
