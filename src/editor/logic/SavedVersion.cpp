#include "editor/logic/SavedVersion.h"

bool SavedVersion::wouldLoseWork(const LabelSheet& sheet, const LayoutSettings& layout) const {
    return holdsAnyText(sheet) && (sheet != sheet_ || layout != layout_);
}

bool holdsAnyText(const LabelSheet& sheet) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        if (!sheet.label(n).isEmpty())
            return true;
    }
    return false;
}
