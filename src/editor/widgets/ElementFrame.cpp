#include "editor/widgets/ElementFrame.h"

#include <QGridLayout>

#include "editor/logic/LabelEditor.h"
#include "editor/widgets/CommandButton.h"
#include "model/ToggleCaptions.h"

namespace {

constexpr int kArrowSize = 26;

// Cell of each direction in the 3 x 3 cross.
struct Cell {
    int row;
    int column;
};

Cell crossCell(MoveDirection direction) {
    switch (direction) {
        case MoveDirection::Up:
            return {0, 1};
        case MoveDirection::Left:
            return {1, 0};
        case MoveDirection::Right:
            return {1, 2};
        case MoveDirection::Down:
            return {2, 1};
    }
    return {1, 1};
}

}  // namespace

ElementFrame::ElementFrame(const ElementControlNames& names, LabelEditor& editor, QWidget* parent)
    : QGroupBox(QString::fromUtf8(names.caption), parent), names_(names) {
    setObjectName(QStringLiteral("frame_") + QString::fromUtf8(names.caption));
    const LabelElement element = names.element;

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);

    for (const DirectionName& d : kDirections) {
        const QString name = QString::fromUtf8(names.movePrefix) + QString::fromUtf8(d.caption);
        CommandButton* button = makeButton(name.toUtf8().constData(), QString::fromUtf8(d.caption));
        button->setFixedSize(kArrowSize, kArrowSize);
        const Cell cell = crossCell(d.direction);
        grid->addWidget(button, cell.row, cell.column);
        const MoveDirection direction = d.direction;
        connect(button, &QPushButton::clicked, this,
                [&editor, element, direction] { editor.moveElement(element, direction); });
    }

    // Beside the cross: font, colour, visibility and underline.
    auto* side = new QGridLayout();
    side->setSpacing(2);
    if (names.font != nullptr) {
        CommandButton* font = makeButton(names.font, QString::fromUtf8(kFontButtonCaption));
        side->addWidget(font, 0, 0, 1, 2);
        connect(font, &QPushButton::clicked, this,
                [&editor, element] { editor.chooseFont(element); });
    }
    if (names.color != nullptr) {
        CommandButton* color = makeButton(names.color, QString::fromUtf8(kColorButtonCaption));
        color->setMaximumWidth(44);
        side->addWidget(color, 1, 0);
        connect(color, &QPushButton::clicked, this,
                [&editor, element] { editor.chooseColor(element); });
    }
    visibility_ = makeButton(names.visibility, QString::fromUtf8(captions::forVisible(true)));
    side->addWidget(visibility_, names.font != nullptr ? 1 : 0, names.color != nullptr ? 1 : 0);
    connect(visibility_, &QPushButton::clicked, this,
            [&editor, element] { editor.toggleVisibility(element); });
    if (names.underline != nullptr) {
        underline_ = makeButton(names.underline, QString::fromUtf8(captions::forUnderlined(false)));
        side->addWidget(underline_, 2, 0, 1, 2);
        connect(underline_, &QPushButton::clicked, this,
                [&editor, element] { editor.toggleUnderline(element); });
    }
    side->setRowStretch(3, 1);
    grid->addLayout(side, 0, 3, 3, 1);
    grid->setColumnStretch(3, 1);
}

void ElementFrame::addSettingRow(QWidget* widget) {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(widget, grid->rowCount(), 0, 1, grid->columnCount());
}

CommandButton* ElementFrame::makeButton(const char* objectName, const QString& caption) {
    auto* button = new CommandButton(QString::fromUtf8(objectName), caption, this);
    setCaption(button, caption);
    return button;
}

void ElementFrame::setCaption(CommandButton* button, const QString& caption) {
    button->setText(caption);
    button->setAccessibleName(title() + QLatin1Char(' ') + caption);
}

void ElementFrame::showStates(bool visible, bool underlined) {
    setCaption(visibility_, QString::fromUtf8(captions::forVisible(visible)));
    if (underline_ != nullptr) {
        setCaption(underline_, QString::fromUtf8(captions::forUnderlined(underlined)));
    }
}
