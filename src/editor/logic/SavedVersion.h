#pragma once

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"

// The sheet and layout as last opened or saved (or as the window started),
// to tell whether closing or opening would lose the user's work.
class SavedVersion {
  public:
    void remember(const LabelSheet& sheet, const LayoutSettings& layout) {
        sheet_ = sheet;
        layout_ = layout;
    }
    // Work to lose: the sheet holds a text and it or the layout differs from
    // what was saved. An empty sheet loses nothing (the file keeps its labels),
    // and a changed layout alone has a save of its own (pt保存).
    bool wouldLoseWork(const LabelSheet& sheet, const LayoutSettings& layout) const;

  private:
    LabelSheet sheet_;
    LayoutSettings layout_;
};

// True when any text of any label is not empty.
bool holdsAnyText(const LabelSheet& sheet);
