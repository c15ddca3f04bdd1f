#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "editor/logic/LabelEditor.h"
#include "editor/widgets/ElementControlNames.h"

class CommandButton;
class QAction;
class RecoverySlot;
class QTimer;
class ElementFrame;
class InputBoxEdit;
class PreviewArea;
class PriceFrame;
class TaxRateButton;
class QGroupBox;
class QHBoxLayout;
class TextGauge;
class QLabel;
class QLineEdit;
class QGridLayout;
class QPageSize;
class QMenu;
class PriceEmbeddedFrame;

// The label input window 棚札入力. It lays out every control, forwards each
// event to the editor logic (LabelEditor) and carries out what the logic asks
// of it. The window deletes itself when closed, discarding the sheet; a new
// window starts afresh.
//
// Focus moves between the window's own controls reach the logic; focus that
// leaves or returns because a menu, a message box or a dialog opens or
// closes, or because another window is activated, does not.
class EditorWindow : public QMainWindow, public EditorView {
    Q_OBJECT

  public:
    explicit EditorWindow(SettingsPaths settingsPaths, QWidget* parent = nullptr);
    // With `dialogs` in place of Qt's dialogs (for tests); it must outlive the window.
    EditorWindow(SettingsPaths settingsPaths, EditorDialogs& dialogs, QWidget* parent = nullptr);
    ~EditorWindow() override;

    static constexpr const char* kObjectName = "棚札入力";

    LabelEditor& editor() { return *editor_; }
    InputBoxEdit* inputBox(InputBox box) const;
    PreviewArea* previewArea() const { return preview_; }

    // Keeps unsaved work in a recovery file in `folder` while the window is
    // open, and when first shown offers what a copy of the program that is
    // gone left there. Call before the window is shown.
    void enableRecovery(const QString& folder);

    // EditorView
    std::string boxText(InputBox box) const override;
    void setBoxText(InputBox box, const std::string& text) override;
    void selectToEnd(InputBox box) override;
    bool hasTypingStep(InputBox box, HistoryDirection direction) const override;
    void takeTypingStep(InputBox box, HistoryDirection direction) override;
    void historyChanged() override;
    void focusBox(InputBox box) override;
    std::optional<InputBox> focusedBox() const override;
    void setWindowCaption(const std::string& caption) override;
    void setCounter(const std::string& text) override;
    void setCandidateEnabled(bool enabled) override;
    void setStatusLine(const std::string& text) override;
    DrawingSurface* textGauge() override;
    void keepInView(double x, double y, double width, double height) override;
    void showLayout(const LayoutSettings& layout, const ViewState& view) override;
    void showTaxRate(TaxRate rate) override;
    void showQrContent(const std::string& content) override;
    void showPriceNote(const std::string& note) override;
    void showDetails(const ShelfDetails& details) override;
    void paintPreview(const std::function<void(DrawingSurface&)>& draw) override;
    void showStock(const LabelStock& stock) override;
    void setScrollRanges(const ScrollRange& vertical, const ScrollRange& horizontal) override;
    void closeWindow() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    EditorWindow(SettingsPaths settingsPaths, EditorDialogs* dialogs, QWidget* parent);

    void build();
    // The left column: one builder for each group of controls.
    QWidget* buildInputPanel();
    QGroupBox* buildBoxFrame();  // the six input boxes with their captions
    void configureBoxes();       // their alignment, faces, limits and input hints
    QHBoxLayout* buildNavigation();
    QLabel* buildStatusLine();  // the current label's problems
    QGroupBox* buildEditFrame();
    QGroupBox* buildViewFrame();
    QGroupBox* buildPatternFrame();
    QLineEdit* buildQrPatternEdit();  // the QR code's pattern, in its element frame
    QWidget* buildLayoutPanel();
    // The second page of the layout panel: the details of the current label
    // and the controls of the elements that show them.
    QWidget* buildShelfPage();
    void buildMenu();
    void buildEditMenu(QList<QKeySequence>& keys);
    // 商品マスタの選択 in the file menu, 商品検索 (Ctrl+F) in the edit menu.
    void buildMasterItems(QMenu* file, QList<QKeySequence>& keys);
    // The undo and redo items name their step, or are disabled without one.
    void refreshEditMenu();
    void offerLeftoverWork();
    void batchPrint();
    // F1: the user manual in the browser, or where it is.
    void openManual();
    CommandButton* button(const char* objectName, const char* caption);
    // The origin controls of one axis: - (Shift: a tenth), the box that
    // shows and takes the adjustment, and +.
    void addOriginAxis(QGridLayout* grid, int row, Axis axis);
    // Sizes the preview to `page` and tells the geometry it then has.
    StartupGeometry sizePreview(const QPageSize& page);
    void startUp();

    void boxFocusIn(InputBox box, Qt::FocusReason reason);
    void boxFocusOut(InputBox box, Qt::FocusReason reason);
    // The box that lent the focus to the menu bar is left after all: the
    // focus went on from the menu bar to another control.
    void settleLentFocus();

    std::unique_ptr<EditorDialogs> ownDialogs_;
    EditorDialogs* dialogs_ = nullptr;
    std::unique_ptr<LabelEditor> editor_;

    std::array<InputBoxEdit*, 6> boxes_{};
    QLabel* counter_ = nullptr;
    QLabel* status_ = nullptr;          // the current label's problems
    std::unique_ptr<TextGauge> gauge_;  // texts measured as on paper
    CommandButton* candidate_ = nullptr;
    CommandButton* zoom_ = nullptr;
    CommandButton* border_ = nullptr;
    TaxRateButton* taxRate_ = nullptr;
    QLabel* priceNote_ = nullptr;
    PriceEmbeddedFrame* priceEmbedded_ = nullptr;
    QLineEdit* qrContent_ = nullptr;  // the label's QR content, outside the Enter cycle
    QLineEdit* qrPattern_ = nullptr;  // the pattern's, in the QR code's frame
    PriceFrame* priceFrame_ = nullptr;
    QLineEdit* xAdjust_ = nullptr;
    QLineEdit* yAdjust_ = nullptr;
    std::array<ElementFrame*, kElementControls.size() + kShelfElementControls.size()>
        elementFrames_{};
    std::array<QLineEdit*, kShelfDetailFields.size()> detailFields_{};
    PreviewArea* preview_ = nullptr;
    bool shownOnce_ = false;
    std::optional<InputBox> lentToMenuBar_;
    QMetaObject::Connection focusWatch_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::unique_ptr<RecoverySlot> recovery_;
    QTimer* recoveryTimer_ = nullptr;
};
