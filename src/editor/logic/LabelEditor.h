#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editor/logic/EditHistory.h"
#include "editor/logic/EditorDialogs.h"
#include "editor/logic/EditorView.h"
#include "editor/logic/InputBox.h"
#include "editor/logic/ProductMasterSlot.h"
#include "editor/logic/RecoveryFile.h"
#include "editor/logic/SavedVersion.h"
#include "editor/logic/ShelfDetailFields.h"
#include "editor/logic/StockChooser.h"
#include "editor/logic/ViewState.h"
#include "files/ListSettings.h"
#include "files/SettingsFile.h"
#include "model/LabelElement.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"

class BatchProgressPort;

// What the window tells the editor at start-up, sizes in twips (1/1440 inch).
struct StartupGeometry {
    int pageWidthTwips = 0;  // the printer's page (the stock's when there is no printer)
    int pageHeightTwips = 0;
    int frameWidthTwips = 0;  // the viewport picFrame, as laid out
    int frameHeightTwips = 0;
};

enum class MoveDirection { Right, Left, Down, Up };
enum class Axis { X, Y };

// The input window's state and its commands, one operation per handler.
// It reaches the widgets only through EditorView and the dialogs only through
// EditorDialogs, so every command runs headless in tests.
class LabelEditor {
  public:
    LabelEditor(EditorView& view, EditorDialogs& dialogs, SettingsPaths settingsPaths);

    // The window's load handler: sizes, scroll ranges, empty sheet, layout from
    // the settings file or the defaults, caption, counter, zoom 0.5, guide.
    void startUp(const StartupGeometry& geometry);

    // The input boxes.
    void focusIn(InputBox box);
    void focusOut(InputBox box);
    void enterPressed(InputBox box);
    // The text of the focused box changed (typed, pasted, deleted): the
    // preview and the status line show it at once, the sheet gets it when
    // the box is left.
    void boxEdited(InputBox box);
    // A text pasted or committed into `box` was longer than its limit of
    // `limit` characters: `cut` was left out. Told before the rest arrives.
    void boxTextCut(InputBox box, int limit, const std::string& cut);
    // A click on the preview at (x, y) mm from the picture's corner: the
    // label there becomes current, as by the navigation buttons.
    void previewClicked(double x, double y);

    // Navigation and editing of whole labels.
    void goFirst();            // cmdfirst
    void goPrevious();         // cmdprevious
    void goNext();             // Cmdnext
    void goLast();             // Cmdlast
    void clearLabel();         // クリア
    void clearAll();           // 全クリア
    void copyPrevious();       // コピー
    void copyFirstToAll();     // 全コピー
    void deleteLabel();        // 削除
    void insertLabel();        // 挿入
    void previousCandidate();  // 前候補

    // The tax rate of the label the boxes show (the rate control beside the
    // price box). The preview follows; the focus stays where it is.
    void setTaxRate(TaxRate rate);
    void toggleTaxRate();  // 10 % and 8 % in turn; a tax-exempt label goes to 10 %
    // The sheet's price mode and rounding, part of the print pattern.
    void setPriceMode(PriceMode mode);
    void setTaxRounding(TaxRounding rounding);
    // A detail field of the label the boxes show was left with `text` in it:
    // the label takes it, and the preview and the status line follow.
    void setLabelDetail(ShelfDetailField field, const std::string& text);

    // The QR content of the label the boxes show (its own field beside the
    // boxes), and the pattern's QR content for labels without one.
    void setQrContent(const std::string& content);
    void setQrPattern(const std::string& pattern);
    // The flag and layout the shop's registers read prices from.
    void setPriceEmbeddedRule(const PriceEmbeddedRule& rule);
    // インストアコード: every printed label without a code takes the next
    // in-store code from a start the user sets (the one after the last code
    // given is offered); the next start is kept beside the settings file
    // before any label takes a code.
    void giveInStoreCodes();
    // Where the next in-store start is kept.
    std::string inStoreCounterPath() const;

    // Preview, zoom and print.
    void preview();     // プレビュー, M_プレビュー
    void toggleZoom();  // 倍率
    void print();       // 印刷, P_印刷

    // Layout commands.
    void moveElement(LabelElement element, MoveDirection direction);
    void moveOrigin(Axis axis, int step);  // step +1 or -1
    // The same by a tenth of a millimetre (Shift held on the buttons).
    void moveOriginFine(Axis axis, int step);
    // An adjustment typed into the axis's box ("1.5", "-0.3", "２"): in
    // tenths of a millimetre within ±10 mm; anything else is refused with a
    // message and the box shows the adjustment as it was.
    void typeOriginAdjustment(Axis axis, const std::string& text);
    // 位置合わせ印刷: the calibration sheet with the current origin, on the
    // printer chosen in the set-up dialog.
    void printCalibration();
    // 一括印刷: a product list, its options and a printer chosen in turn (any
    // of them cancels), the list printed with `progress` told how far it has
    // come, and the outcome told.
    void batchPrint(BatchProgressPort& progress);
    void chooseFont(LabelElement element);
    void chooseColor(LabelElement element);
    void toggleVisibility(LabelElement element);
    void toggleUnderline(LabelElement element);
    void toggleBorder();          // 縁取
    void restoreDefaultLayout();  // デフォルト
    void savePattern();           // pt保存
    // 用紙の設定: the stock the sheet and the pattern are on, chosen in the
    // stock dialog; one undo step. Labels a smaller stock has no room for are
    // dropped only when the user agrees.
    void chooseStock();
    // Where the stock dialog finds the label designer's templates.
    void setTemplateSources(TemplateSources sources) { templateSources_ = std::move(sources); }

    // The product master (商品マスタ): any product list, chosen once and kept
    // in the user's list settings. A code typed into Text1 that the master
    // holds fills the label's empty texts when the box is left; the search
    // (商品検索) puts the product chosen on the current label.
    void chooseProductMaster();
    void searchProduct();

    // File commands.
    void newSheet();  // KURIA
    void openFile();  // f_open
    // Opens the label file named by the user elsewhere than in the open
    // dialog (on the command line, a file dropped on the program).
    void openFileAt(const std::string& path);
    void saveFile();     // U_SAVE
    void saveFileAs();   // N_SAVE
    void closeWindow();  // MNUEXIT, Command1
    // The window is about to close (its close box, or closeWindow): asks
    // whether to save unsaved work. False when the window must stay open.
    bool approveClose();

    // Undo and redo (編集). The box with the focus takes back or repeats its
    // own typing first; then the commands are undone or redone one by one.
    void undo();
    void redo();
    // What undo or redo would take back or repeat ("削除"); empty when nothing.
    std::string historyStepName(HistoryDirection direction) const;

    // Unsaved work: the sheet as typed (with the text still in the focused
    // box) holds a text, and it or the layout differs from the last opened or
    // saved file, or from the empty start.
    bool hasWorkToLose() const;

    // Recovery after a crash. While the window holds unsaved work it is kept
    // in the recovery file at `path`; without unsaved work there is none.
    void setRecoveryPath(std::string path);
    // Brings the recovery file up to date (the window calls this often).
    void keepRecoveryCurrent();
    // A write that fails is said once, in the status line and a message, and
    // so is the first write that works again.
    // Offers the recovery file another copy of the program left behind: on
    // はい its sheet, layout and file name are restored as unsaved work; on
    // いいえ, or when it holds no labels, it is removed; one that cannot be read
    // is renamed aside and the user told where. True when restored.
    bool offerRecovery(const std::string& path);

    // State, for the window and for tests.
    const LabelSheet& sheet() const { return sheet_; }
    LabelSheet& sheet() { return sheet_; }
    const LayoutSettings& layout() const { return layout_; }
    LayoutSettings& layout() { return layout_; }
    const ViewState& viewState() const { return viewState_; }
    int currentLabel() const { return currentLabel_; }
    int candidateLabel() const { return candidateLabel_; }
    // The box whose field `前候補` fetches: the last of Text2, Text3, Text4 and
    // Text6 to take the focus, none before any did.
    std::optional<InputBox> candidateBox() const { return candidateBox_; }
    const std::string& currentFileName() const { return currentFileName_; }
    bool isUntitled() const;

    static constexpr const char* kCaptionPrefix = "棚札入力画面  ";
    static constexpr const char* kUntitled = "無題";

  private:
    // The messages for a stored pattern that was not (or not wholly) taken.
    void tellPatternWarnings(const SettingsRead& pattern);
    // One page on the printer chosen in the set-up dialog: `draw` draws it;
    // a failed page is abandoned and every failure reported.
    void printPage(PrintCopies copies, const std::function<void(DrawingSurface&)>& draw);
    // The preview and the hub of the Text1 focus-in.
    void redrawSheet();  // preview mode, the whole sheet at the preview zoom
    // The same, for the sheet with a text still being typed.
    void redrawSheet(const LabelSheet& shown);
    void drawCurrentLabelFrame();  // the blue frame around the current label
    void runHub();                 // what Text1 receiving the focus does
    // The end of the redraw chain: the focus to Text1, whose focus-in redraws
    // and shows the current label; when Text1 has the focus already (a menu
    // shortcut), the preview, the frame and the counter are refreshed here.
    void redrawAndFocusText1();
    // The focus to Text1 without anything else (after a cancel or a refusal).
    void focusText1();
    // After open, save, new, undo and redo: label `number` current and shown
    // as the hub shows it; text being typed in another box is dropped.
    void showLabel(int number);
    void showFirstLabel() { showLabel(1); }

    void reloadInputBoxes();
    // Which printed labels of a sheet showing both prices get no tax line, and why.
    void showPriceNote();
    // Stores a box's text into the label the boxes show (the JAN code box
    // corrects the check digit first and shows the corrected code).
    void writeBack(InputBox box);
    // The text still being typed in the focused box goes into the sheet.
    void commitPendingEdit();
    void showCaption();
    void showCounter();
    // The status line: the JAN code notice of the current label, then its problems.
    void showStatus(const LabelSheet& shown);

    // File helpers: write the sheet, report a failure; true when written.
    bool writeSheetTo(const std::string& path);
    // Save-as and overwrite-save; true when the sheet was written.
    bool saveAs();
    bool save();
    // Before a command that drops the sheet: true when it may go on (nothing
    // to lose, saved, or the user chose not to save).
    bool settleUnsavedWork();
    // Opens the label file at `path` in place of the sheet (after the unsaved
    // work was settled); a file that cannot be read changes nothing.
    void readIntoWindow(const std::string& path);

    // Reads the user's list settings and begins reading the master they name;
    // writes them after a change (a failure is told).
    void loadListSettingsFile();
    void saveListSettingsFile();
    // The product master, read if it was not yet (what the reading found is
    // told once); nullptr when there is none to use.
    const ProductMaster* productMaster();
    void tellMasterRead(const MasterRead& read);
    // After Text1 was left: the code typed there (it was `codeBefore`) found
    // in the master fills the label's empty texts, as one step.
    void fillFromMaster(const std::string& codeBefore);
    // The label's boxes, rate and notice after the master changed it (the
    // preview and the status line follow with the next redraw).
    void showMasterFill();

    // The history: the state a step restores, and recording one.
    EditorSnapshot snapshot() const;
    // Records `command` when it changed the state `before` holds.
    void recordStep(EditCommand command, EditorSnapshot before);
    void stepHistory(HistoryDirection direction);
    void restore(const EditorSnapshot& state);
    // A fresh history and the recovery file brought up to date.
    void startHistory();
    // The sheet with the text still being typed in the focused box.
    LabelSheet sheetAsTyped() const;
    FileDialogRequest fileDialogRequest() const;
    // Puts the sheet and the pattern on `stock` as one step of `command`.
    void putOnStock(const LabelStock& stock, EditCommand command);
    // One origin step of `tenths` on `axis`, refused past ±10 mm.
    void adjustOrigin(Axis axis, int tenths);

    EditorView& view_;
    EditorDialogs& dialogs_;
    SettingsPaths settingsPaths_;

    LabelSheet sheet_;
    LayoutSettings layout_ = initialLayoutSettings();
    ViewState viewState_;
    int currentLabel_ = 1;
    int candidateLabel_ = 1;
    std::optional<InputBox> candidateBox_;
    std::string currentFileName_ = kUntitled;
    std::string lastDialogFileName_ = "*.csv";

    // What leaving Text1 last did to the code of label janNoticeLabel_.
    std::string janNotice_;
    int janNoticeLabel_ = 0;

    // What the product master last put on label masterNoticeLabel_.
    std::string masterNotice_;
    int masterNoticeLabel_ = 0;

    // What the last text cut at a box's limit lost, on label cutNoticeLabel_.
    std::string cutNotice_;
    int cutNoticeLabel_ = 0;

    // The preview shows a text still being typed rather than the sheet.
    bool previewShowsTyping_ = false;

    int hubRuns_ = 0;     // counts the hub, to know whether a focus move ran it
    int shownLabel_ = 1;  // the label whose texts the input boxes show
    // A box whose text was settled (saved, or replaced by a reload) just before
    // the focus leaves it: its next focus-out writes nothing back.
    std::optional<InputBox> settledBox_;

    // The user's list settings (lists.txt beside the pattern; no file when
    // the pattern has no place to be saved) and the master they name.
    std::string listSettingsPath_;
    ListSettings listSettings_;
    ProductMasterSlot master_;

    EditHistory history_;
    SavedVersion saved_;
    bool closeApproved_ = false;  // 終了 asked already; the closing window asks no more
    std::string recoveryPath_;
    std::optional<RecoveryContent> recovered_;  // what the recovery file holds
    bool recoveryFailing_ = false;              // the last write of it failed
    // What the status line says of the recovery file, above the label's problems.
    std::string recoveryNotice_;
    TemplateSources templateSources_;
};

// Scroll-bar figures for a surface `surfaceTwips` long in a frame `frameTwips`
// long: maximum = the difference, rounded half to even and kept within
// 0..32767; large step = the frame (at least 1); small step = 5 mm.
EditorView::ScrollRange scrollRangeFor(double surfaceTwips, double frameTwips);
