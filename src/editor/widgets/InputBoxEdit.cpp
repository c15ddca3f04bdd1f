#include "editor/widgets/InputBoxEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <memory>

namespace {

constexpr int kNoLimit = 32767;  // QLineEdit's own default

}  // namespace

InputBoxEdit::InputBoxEdit(InputBox box, const QString& objectName, QWidget* parent)
    : QLineEdit(parent), box_(box) {
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    // A limit lowered only as far as the text allows, so a long text set by the
    // program is never cut and the user can type again once it is short enough.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { fitLimit(static_cast<int>(text.size())); });
}

void InputBoxEdit::setTypingLimit(int characters) {
    typingLimit_ = characters;
    fitLimit(static_cast<int>(text().size()));
}

void InputBoxEdit::fitLimit(int textLength) {
    const int limit = typingLimit_ > 0 ? std::max(typingLimit_, textLength) : kNoLimit;
    if (maxLength() != limit) {
        setMaxLength(limit);
    }
}

void InputBoxEdit::setFullText(const QString& text) {
    fitLimit(static_cast<int>(text.size()));
    setText(text);
    setCursorPosition(0);
}

void InputBoxEdit::selectToEnd() {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    deselect();
    const int length = static_cast<int>(text().size()) - start;
    if (length > 0) {
        setSelection(start, length);
    }
}

bool InputBoxEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence& windowKey : windowKeys_) {
            if (windowKey.matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();  // not overridden: the window's shortcut runs
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

void InputBoxEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (handlers_.focusIn) {
        handlers_.focusIn(box_, event->reason());
    }
}

void InputBoxEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (handlers_.focusOut) {
        handlers_.focusOut(box_, event->reason());
    }
}

void InputBoxEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // swallowed: nothing is inserted
        if (handlers_.enter) {
            handlers_.enter(box_);
        }
        return;
    }
    if (event->matches(QKeySequence::Paste)) {  // Shift+Insert (Ctrl+V is the window's)
        event->accept();
        pasteFitted();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString InputBoxEdit::fitted(const QString& text) {
    qsizetype room =
        std::max<qsizetype>(0, maxLength() - (this->text().size() - selectedText().size()));
    if (typingLimit_ <= 0 || text.size() <= room) {
        return text;
    }
    if (room > 0 && text[room - 1].isHighSurrogate()) {
        --room;  // never half a character
    }
    if (handlers_.cut) {
        handlers_.cut(box_, typingLimit_, text.mid(room));
    }
    return text.left(room);
}

void InputBoxEdit::pasteFitted() {
    // As QLineEdit pastes: the clipboard's text in place of the selection,
    // one step to undo; only the part that fits.
    const QString clip = QGuiApplication::clipboard()->text();
    if (clip.isEmpty() && !hasSelectedText()) {
        return;
    }
    insert(fitted(clip));
}

void InputBoxEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty() || typingLimit_ <= 0) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    kept.setCommitString(fitted(event->commitString()), event->replacementStart(),
                         event->replacementLength());
    QLineEdit::inputMethodEvent(&kept);
}

void InputBoxEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The menu's 貼り付け pastes what fits and tells the rest. Its action is
    // known by its caption, as QLineEdit words it in the user's language.
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            action->disconnect();
            connect(action, &QAction::triggered, this, &InputBoxEdit::pasteFitted);
        }
    }
    menu->exec(event->globalPos());
}
