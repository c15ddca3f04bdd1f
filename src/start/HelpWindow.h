#pragma once

#include <QWidget>

class QLabel;

// The usage window help01: it only tells the user that usage and update
// information is behind the web address at the top of the start window.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static constexpr const char* kCaption = "使い方";
    static constexpr const char* kUpperText = "使い方やバージョンアップについては";
    static constexpr const char* kLowerText = "画面の上のＵＲＬをクリックしてください";

  private:
    QLabel* label1_;
    QLabel* label2_;
};
