#pragma once

#include <QGroupBox>

#include "editor/widgets/ElementControlNames.h"

class CommandButton;
class LabelEditor;

// The frame of one label element: its four move buttons (arranged as a
// cross), its font and colour buttons and its visibility and underline
// toggles, each wired to the editor. Every button's accessible name tells the
// element and the button ("品名 右", "品名 色").
class ElementFrame : public QGroupBox {
    Q_OBJECT

  public:
    ElementFrame(const ElementControlNames& names, LabelEditor& editor, QWidget* parent = nullptr);

    LabelElement element() const { return names_.element; }
    // Shows the element's states on its toggles, each as the caption naming
    // what a click will do.
    void showStates(bool visible, bool underlined);
    // A setting of the element's own under the buttons, across the frame.
    void addSettingRow(QWidget* widget);

  private:
    CommandButton* makeButton(const char* objectName, const QString& caption);
    void setCaption(CommandButton* button, const QString& caption);

    const ElementControlNames& names_;
    CommandButton* visibility_ = nullptr;
    CommandButton* underline_ = nullptr;
};
