#include "editor/widgets/CommandButton.h"

CommandButton::CommandButton(const QString& objectName, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::pressed, this, [this] {
        if (!hasFocus()) {
            setFocus(Qt::MouseFocusReason);
        }
    });
}
