#pragma once

// The real input window as the widget tests open it: its settings file
// data.txt in a folder of the test's own, the test's scripted dialogs or Qt's
// own, and kept when closed, so that the test can still look at it.

#include <QDir>
#include <QString>
#include <QTest>
#include <string>

#include "editor/widgets/EditorWindow.h"

// The settings paths of a window that reads and writes data.txt in `folder`.
inline SettingsPaths settingsIn(const QString& folder) {
    const std::string settings = QDir(folder).filePath(QStringLiteral("data.txt")).toStdString();
    return {settings, settings};
}

// Shows `window` and makes it the active window, also where no window manager
// does it; false when it never becomes active.
[[nodiscard]] inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

class TestWindow : public EditorWindow {
  public:
    // With `dialogs` (which must outlive the window) in place of Qt's dialogs.
    TestWindow(const QString& folder, EditorDialogs& dialogs)
        : EditorWindow(settingsIn(folder), dialogs) {
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
    // With Qt's own dialogs.
    explicit TestWindow(const QString& folder) : EditorWindow(settingsIn(folder)) {
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
};
