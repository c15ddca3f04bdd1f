#pragma once

#include <QPushButton>

// A push button of the input window. It takes the keyboard focus when it is
// pressed, on every platform, so that the input box that had the focus is
// left (and writes its text back) before the button's command runs.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    CommandButton(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
};
