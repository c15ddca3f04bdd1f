#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "platform/SettingsLocation.h"

class QAction;
class QPushButton;
class HelpWindow;
class StartPicture;

// The start window tanahuda: the program's first window. "作成" opens the
// label input window (one only), "終了" closes this window alone, the link
// at the top opens the manual installed on this PC (as F1 does), and the menu
// entry "使い方" shows the usage window.
class StartWindow : public QMainWindow {
    Q_OBJECT

  public:
    // `recoveryFolder`: where the input window keeps unsaved work through a
    // crash; empty for none.
    explicit StartWindow(SettingsLocation settingsLocation, QString recoveryFolder = QString(),
                         QWidget* parent = nullptr);
    ~StartWindow() override;

    static constexpr const char* kCaption = "tanahuda(名刺版） Ver" TANAHUDA_VERSION;

    // Opens the input window on a label file named on the command line (the
    // start window itself need not be shown).
    void openLabelFile(const std::string& path);

    // The input window while it is open, else null.
    QWidget* inputWindow() const { return inputWindow_; }
    // The usage window once it has been shown, else null.
    QWidget* helpWindow() const;

  signals:
    // Around "作成": before the input window is looked for or loaded, and
    // after it has been shown (for measuring how long opening takes).
    void inputWindowRequested();
    void inputWindowShown(QWidget* window);

  private:
    void showInputWindow();  // Command1
    void openManual();       // Command5
    void showHelpWindow();   // HELP1

    SettingsLocation settingsLocation_;
    QString recoveryFolder_;
    StartPicture* picture_;
    QPushButton* manualButton_;
    QPushButton* createButton_;
    QPushButton* quitButton_;
    QAction* helpAction_;
    QPointer<QWidget> inputWindow_;
    QPointer<HelpWindow> helpWindow_;
};
