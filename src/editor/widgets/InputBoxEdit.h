#pragma once

#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <functional>

#include "editor/logic/InputBox.h"

// One of the six input boxes. It reports focus moves and the Enter key to its
// owner and leaves the window's shortcuts (Ctrl+A, Ctrl+V, ...) to the window.
//
// The typing limit (maxLength) applies to what the user puts in: a longer text
// set by the program (from a label data file) is shown and kept whole. A text
// pasted or committed by an input method is cut at the limit as typing is,
// and the owner told what was left out.
class InputBoxEdit : public QLineEdit {
    Q_OBJECT

  public:
    struct Handlers {
        std::function<void(InputBox, Qt::FocusReason)> focusIn;
        std::function<void(InputBox, Qt::FocusReason)> focusOut;
        std::function<void(InputBox)> enter;
        // A pasted or committed text did not fit the typing limit: the part
        // left out, told before the rest is inserted.
        std::function<void(InputBox, int limit, const QString& cut)> cut;
    };

    InputBoxEdit(InputBox box, const QString& objectName, QWidget* parent = nullptr);

    InputBox box() const { return box_; }
    void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
    // Key sequences that belong to the window even while this box has the focus.
    void setWindowShortcuts(QList<QKeySequence> keys) { windowKeys_ = std::move(keys); }
    // The number of characters the user may type; 0 for no limit.
    void setTypingLimit(int characters);
    // Shows `text` whole, with the caret at its start.
    void setFullText(const QString& text);
    // Selects from the caret (or the start of the selection) to the end.
    void selectToEnd();

  protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void fitLimit(int textLength);
    // How much of `text` fits in place of the selection; the rest is told.
    QString fitted(const QString& text);
    void pasteFitted();

    InputBox box_;
    Handlers handlers_;
    QList<QKeySequence> windowKeys_;
    int typingLimit_ = 0;
};
