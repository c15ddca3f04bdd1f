#pragma once

#include <vector>

#include "editor/logic/EditorDialogs.h"

// The file types offered by the open and save dialogs, the first selected first.
inline std::vector<FileFilter> fileFilterList() {
    return {{"テキスト ファイル (*.csv)", "*.csv"},
            {"テキスト ファイル (*.txt)", "*.txt"},
            {"すべてのファイル (*.*)", "*.*"}};
}
