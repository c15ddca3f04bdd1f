#pragma once

#include <QWidget>

class QLabel;

// The usage window help01: it tells the user that usage is behind the link
// at the top of the start window, and links to the user manual installed on
// this PC as that link does. Its last line names the program's licence and
// links the installed notice (NOTICE.txt: the licence in full and the
// software the program uses, with theirs).
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static constexpr const char* kCaption = "使い方";
    static constexpr const char* kUpperText = "使い方やバージョンアップについては";
    static constexpr const char* kLowerText =
        "最初の画面の上のリンクか、次のリンクをクリックしてください";
    static constexpr const char* kManualLink = "この PC のマニュアルを開く";
    static constexpr const char* kLicence = "tanahuda は MIT ライセンスのソフトウェアです。";
    static constexpr const char* kNoticeLink = "ライセンスと使用しているソフトウェア";

    // The manual in the browser, or a message (over `parent`) saying where it is.
    static void openManual(QWidget* parent);

  private:
    // The notice, or a message saying where it is.
    void openNotice();

    QLabel* label1_;
    QLabel* label2_;
    QLabel* manualLink_;
    QLabel* licenceLine_;
};
