#pragma once

#include <QWidget>

class QLabel;

// The usage window help01: it tells the user that usage is behind the link
// at the top of the start window, and links to the user manual installed on
// this PC as that link does.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static constexpr const char* kCaption = "使い方";
    static constexpr const char* kUpperText = "使い方やバージョンアップについては";
    static constexpr const char* kLowerText =
        "最初の画面の上のリンクか、次のリンクをクリックしてください";
    static constexpr const char* kManualLink = "この PC のマニュアルを開く";

    // The manual in the browser, or a message (over `parent`) saying where it is.
    static void openManual(QWidget* parent);

    QLabel* label1_;
    QLabel* label2_;
    QLabel* manualLink_;
};
