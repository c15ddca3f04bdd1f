// The file commands: new, open, overwrite-save and save-as of label data files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

#include "editor/EditorHarness.h"
#include "editor/logic/FileFilterList.h"
#include "files/Cp932.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "model/StockPresets.h"

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string sjis(const char* utf8) {
    return *cp932::encode(utf8);
}

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "メーカー" + s, "品名" + s, "規格" + s, "ロット" + s, s + "00"};
}

class FileCommands : public ::testing::Test {
  protected:
    FileCommands() : h({folder.path("data.txt"), folder.path("data.txt")}) {}
    void SetUp() override {
        h.open();
        h.fillLabels(record);
    }
    void goToLabel(int n) { h.goToLabel(n); }
    // Saves the sheet under `path` with save-as.
    void saveAs(const std::string& path) {
        h.dialogs.saveChoices = {path};
        h.view.shortcut([&] { h.editor.saveFileAs(); });
        ASSERT_EQ(h.editor.currentFileName(), path);
    }
    void expectOnLabelOne() {
        EXPECT_EQ(h.editor.currentLabel(), 1);
        EXPECT_EQ(h.view.counter, "1/10");
        EXPECT_EQ(h.view.focused, InputBox::Text1);
        const LabelRecord& one = h.editor.sheet().label(1);
        EXPECT_EQ(h.view.boxes(), (std::vector<std::string>{one.janCode, one.maker, one.productName,
                                                            one.spec, one.lot, one.price}));
        EXPECT_EQ(h.view.paints.back()[2], "line 6.00 3.90 51.50 3.90 #0000ff");
    }
    TempFolder folder{"tanahuda-editor"};
    EditorHarness h;
};

TEST_F(FileCommands, TheDialogsOfferTheFileTypesAndRememberTheLastName) {
    EXPECT_EQ(fileFilterList(), (std::vector<FileFilter>{{"テキスト ファイル (*.csv)", "*.csv"},
                                                         {"テキスト ファイル (*.txt)", "*.txt"},
                                                         {"すべてのファイル (*.*)", "*.*"}}));
    h.view.focusBox(InputBox::Text3);
    h.view.type("typing");
    const LabelSheet before = h.editor.sheet();
    h.dialogs.answers = {MessageAnswer::No};  // the unsaved labels are not saved first
    h.dialogs.openChoices = {std::nullopt};
    h.view.shortcut([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.openRequests[0].filters, fileFilterList());
    EXPECT_EQ(h.dialogs.openRequests[0].fileName, "*.csv");
    EXPECT_EQ(h.editor.sheet(), before);
    EXPECT_EQ(h.view.focused, InputBox::Text3) << "a cancelled open leaves the focus";
    EXPECT_EQ(h.view.boxText(InputBox::Text3), "typing");

    const std::string path = folder.path("棚札.csv");
    saveAs(path);
    EXPECT_EQ(h.dialogs.saveRequests[0].fileName, "*.csv");
    h.dialogs.openChoices = {std::nullopt};
    h.view.shortcut([&] { h.editor.openFile(); });
    EXPECT_EQ(h.dialogs.openRequests[1].fileName, path);
}

TEST_F(FileCommands, OverwriteSaveOfAnUntitledSheetRunsSaveAs) {
    goToLabel(4);
    const std::string path = folder.path("new.csv");
    h.dialogs.saveChoices = {path};
    h.view.shortcut([&] { h.editor.saveFile(); });
    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.saveRequests[0].filters, fileFilterList());
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);
    EXPECT_EQ(h.editor.currentFileName(), path);
    EXPECT_TRUE(fileExists(path));
    expectOnLabelOne();

    // Titled now: the next overwrite-save asks nothing.
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_TRUE(h.dialogs.messages.empty());

    // After 全画面クリア the sheet is untitled again.
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.clearAll(); });
    h.dialogs.saveChoices = {std::nullopt};
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(h.dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.view.caption, "棚札入力画面  ");
}

TEST_F(FileCommands, SaveAsOntoAnExistingFileAnsweredNoWritesNothing) {
    const std::string kept = folder.path("kept.csv");
    saveAs(kept);
    const std::string existing = folder.path("existing.csv");
    writeBytes(existing, "old contents");
    h.view.focusBox(InputBox::Text2);

    h.dialogs.saveChoices = {existing};
    h.dialogs.answers = {MessageAnswer::No};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0],
              (MessageRequest{existing + "はすでに存在します　上書きしますか?", "削除",
                              MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No}));
    EXPECT_EQ(readBytes(existing), "old contents");
    EXPECT_EQ(h.editor.currentFileName(), kept);
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + kept);
    EXPECT_EQ(h.view.focused, InputBox::Text1);

    // The following overwrite-save writes to the file of the caption.
    h.editor.sheet().label(9).spec = "changed";
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(readBytes(existing), "old contents");
    EXPECT_NE(readBytes(kept).find("changed"), std::string::npos);

    // Answered Yes, the file is replaced.
    h.dialogs.saveChoices = {existing};
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    EXPECT_EQ(readBytes(existing), readBytes(kept));
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + existing);
}

TEST_F(FileCommands, OpeningASettingsFileIsRefusedAndChangesNothing) {
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.savePattern(); });
    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    goToLabel(6);
    const LabelSheet sheet = h.editor.sheet();
    const LayoutSettings layout = h.editor.layout();

    // A file that is no label data file, and files that cannot be read at all,
    // which are not called label data files that they may well be.
    const std::pair<std::string, std::string> cases[] = {
        {folder.path("data.txt"), "棚札形式のデータではありません"},
        {folder.path("missing.csv"),
         "ファイル「" + folder.path("missing.csv") +
             "」を開けませんでした。\nファイルが見つかりません。（No such file or directory）"},
        {folder.path("data.txt/inside.csv"),
         "ファイル「" + folder.path("data.txt/inside.csv") +
             "」を開けませんでした。\nフォルダーが見つかりません。（Not a directory）"},
        {folder.path(""), "ファイル「" + folder.path("") + "」を開けませんでした。\n" +
                              "通常のファイルではありません"},
    };
    for (const auto& [path, text] : cases) {
        SCOPED_TRACE(path);
        h.dialogs.messages.clear();
        h.dialogs.answers = {MessageAnswer::No};  // not saved first
        h.dialogs.openChoices = {path};
        h.view.click([&] { h.editor.openFile(); });
        ASSERT_EQ(h.dialogs.messages.size(), 2u);
        EXPECT_EQ(h.dialogs.messages[1], (MessageRequest{text, "エラー", MessageIcon::Critical,
                                                         MessageButtons::Ok, MessageAnswer::Ok}));
        EXPECT_EQ(h.editor.sheet(), sheet);
        EXPECT_EQ(h.editor.layout(), layout);
        EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
        EXPECT_EQ(h.editor.currentLabel(), 6);
    }
}

TEST_F(FileCommands, ARefusedOpenKeepsTheFileTheNextSaveWritesTo) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.savePattern(); });
    h.dialogs.openChoices = {folder.path("data.txt")};
    h.view.click([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.messages.back().text, "棚札形式のデータではありません");
    EXPECT_EQ(h.editor.currentFileName(), path);
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);

    h.editor.sheet().label(8).lot = "after the refusal";
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(h.dialogs.saveRequests.size(), 1u) << "no save dialog: the sheet has its name";
    LabelSheet saved;
    LayoutSettings layout = initialLayoutSettings();
    ASSERT_TRUE(readLabelFile(path, saved, layout).ok());
    EXPECT_EQ(saved.label(8).lot, "after the refusal");
}

TEST_F(FileCommands, AfterOpenAndSaveTheCounterReadsOne) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    // Another sheet and layout in the window, then the file opened again.
    h.setLabels([](LabelSheet& sheet) { sheet.clear(); });
    h.view.click([&] { h.editor.moveElement(LabelElement::Jan, MoveDirection::Down); });
    goToLabel(5);
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.editor.sheet().label(1), record(1));
    EXPECT_EQ(h.editor.sheet().label(10), record(10));
    EXPECT_EQ(h.editor.layout().element(LabelElement::Jan).offsetY, 0);
    EXPECT_EQ(h.view.shownLayout.element(LabelElement::Jan).offsetY, 0);
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);
    expectOnLabelOne();

    goToLabel(7);
    h.view.click([&] { h.editor.saveFile(); });
    expectOnLabelOne();
}

TEST_F(FileCommands, OpenWhileTypingAPriceDropsTheTypedTextAndStaysOnLabelOne) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    goToLabel(4);
    h.view.focusBox(InputBox::Text5);
    h.view.type("999");
    h.dialogs.answers = {MessageAnswer::No};  // the typed price is not saved first
    h.dialogs.openChoices = {path};
    h.view.shortcut([&] { h.editor.openFile(); });
    EXPECT_EQ(h.editor.sheet().label(4), record(4));
    EXPECT_EQ(h.editor.sheet().label(1), record(1));
    expectOnLabelOne();
}

// A file named outside the open dialog (on the command line) opens as if
// chosen there: unsaved work is asked about first, and a refusal keeps it.
TEST_F(FileCommands, AFileNamedOutsideTheDialogOpensAfterTheUnsavedWorkIsSettled) {
    const std::string path = folder.path("named.csv");
    saveAs(path);
    goToLabel(3);
    h.view.type("4901234567894");
    const LabelSheet typed = h.editor.sheet();

    h.dialogs.answers = {MessageAnswer::Cancel};  // keep the typed code
    h.editor.openFileAt(path);
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.view.boxText(InputBox::Text1), "4901234567894") << "cancelled: nothing dropped";

    h.dialogs.answers = {MessageAnswer::No};  // not saved first
    h.editor.openFileAt(path);
    EXPECT_TRUE(h.dialogs.openRequests.empty()) << "no open dialog";
    EXPECT_EQ(h.editor.sheet().label(3), record(3));
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);
    expectOnLabelOne();
    h.dialogs.openChoices = {std::nullopt};
    h.view.shortcut([&] { h.editor.openFile(); });
    EXPECT_EQ(h.dialogs.openRequests.back().fileName, path) << "the dialog starts at it";

    h.editor.openFileAt(folder.path("missing.csv"));
    EXPECT_EQ(h.editor.sheet().label(3), record(3)) << "a file that cannot be read changes nothing";
    EXPECT_EQ(h.editor.currentFileName(), path);
}

TEST_F(FileCommands, OverwriteSaveWritesTheTextStillBeingTyped) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    goToLabel(2);
    h.view.type("4901234567899");  // Text1, wrong check digit
    h.view.shortcut([&] { h.editor.saveFile(); });
    goToLabel(5);
    h.view.focusBox(InputBox::Text3);
    h.view.type("新しい品名");
    h.view.shortcut([&] { h.editor.saveFile(); });

    LabelSheet saved;
    LayoutSettings layout = initialLayoutSettings();
    ASSERT_TRUE(readLabelFile(path, saved, layout).ok());
    EXPECT_EQ(saved.label(2).janCode, "4901234567894");
    EXPECT_EQ(saved.label(5).productName, "新しい品名");
    EXPECT_EQ(saved.label(1), record(1));
    EXPECT_EQ(h.editor.sheet(), saved);
    expectOnLabelOne();
}

TEST_F(FileCommands, OverwriteSaveFromThePriceBoxWritesThePriceWithoutSteppingOn) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    goToLabel(3);
    h.view.focusBox(InputBox::Text5);
    h.view.type("12800");
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(h.editor.sheet().label(3).price, "12800");
    EXPECT_NE(readBytes(path).find("12800"), std::string::npos);
    expectOnLabelOne();
}

// Every write fails as on a full disk.
long fullDiskWrite(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}

TEST_F(FileCommands, ASaveThatCannotWriteIsReportedAndKeepsTheOldFileAndName) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    const std::string old = readBytes(path);
    goToLabel(3);
    h.view.focusBox(InputBox::Text3);
    h.view.type("edited");

    FileSystemOps ops = realFileSystemOps();
    ops.write = &fullDiskWrite;
    {
        ScopedFileSystemOps failing(ops);
        h.view.shortcut([&] { h.editor.saveFile(); });
    }
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        h.dialogs.messages[0],
        (MessageRequest{"ファイル「" + path +
                            "」に保存できませんでした。\nディスクの空き容量が足りません。（No "
                            "space left on device）\nファイルは書き換えられていません。",
                        "エラー", MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok}));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(h.editor.currentFileName(), path);
    EXPECT_EQ(h.editor.currentLabel(), 3) << "the user stays where the save failed";
    EXPECT_EQ(h.view.focused, InputBox::Text3);

    // Save-as into a folder that does not exist: the old name stays.
    const std::string nowhere = folder.path("gone/sheet.csv");
    h.dialogs.saveChoices = {nowhere};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    ASSERT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_NE(h.dialogs.messages[1].text.find("ファイル「" + nowhere + "」"), std::string::npos);
    EXPECT_NE(h.dialogs.messages[1].text.find("保存先のフォルダーが見つかりません。"),
              std::string::npos);
    EXPECT_EQ(h.editor.currentFileName(), path);
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);
}

TEST_F(FileCommands, TextsTheFileCannotHoldAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        int label;
        LabelField field;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {3, LabelField::Maker, "\"特選\"",
         "3番目の棚札の「メーカー等」に二重引用符 (\") が含まれているため、保存できません。\n"
         "その文字を直してから、もう一度保存してください。"},
        {10, LabelField::Lot, "🍣",
         "ラベル 10 のロット等の「🍣」は保存できません。\n"
         "その文字を直してから、もう一度保存してください。"},
        {1, LabelField::Price, "€5",
         "ラベル 1 の売価等の「€」は保存できません。\n"
         "その文字を直してから、もう一度保存してください。"},
        {3, LabelField::ProductName, "お茶😀と〜",
         "ラベル 3 の品名等の「😀」は保存できません。\n"
         "その文字を直してから、もう一度保存してください。"},
    };
    const std::string path = folder.path("refused.csv");
    for (const Case& c : cases) {
        h.setLabels([&](LabelSheet& sheet) {
            for (int i = 1; i <= 10; ++i)
                sheet.label(i) = record(i);
            sheet.label(c.label).field(c.field) = c.text;
        });
        h.dialogs.messages.clear();
        h.dialogs.saveChoices = {path};
        h.view.shortcut([&] { h.editor.saveFileAs(); });
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0].text, c.message);
        EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(fileExists(path));
        EXPECT_TRUE(h.editor.isUntitled());
    }
    // A font name of the layout is named as the setting it belongs to.
    h.setLabels([](LabelSheet& sheet) { sheet.label(1) = record(1); });
    h.setLabels([](LabelSheet& sheet) {
        for (int i = 1; i <= 10; ++i)
            sheet.label(i) = record(i);
    });
    h.dialogs.fonts = {FontChoice{"Font \"X\"", 12, false, false}};
    h.view.click([&] { h.editor.chooseFont(LabelElement::ProductName); });
    h.dialogs.messages.clear();
    h.dialogs.saveChoices = {path};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        h.dialogs.messages[0].text,
        "印刷パターンの「品名 フォント名」に二重引用符 (\") が含まれているため、保存できません"
        "。");
    EXPECT_FALSE(fileExists(path));
}

// A label data file as typed by hand on Windows: code page 932, CR LF, with
// NEC special characters (① 87 40, ㈱ 87 8A) and IBM extensions (髙 FB FC,
// 纊 ED 40 in its NEC-selected form).
std::string handTypedFile() {
    std::string f;
    f += sjis("\"棚札\"\r\n");
    f += sjis("\" 1\",\"4901234567894\",\"") + "\x87\x8A" + sjis("山田\",\"") + "\xFB\xFC" +
         sjis("橋の") + "\x87\x40" + sjis("\",\"500ml\",\"A-1\",\"1280\"\r\n");
    f += sjis("\" 2\",\"49012347\",\"\",\"") + "\xED\x40" + sjis("\",\"\",\"\",\"98\"\r\n");
    for (int i = 3; i <= 10; ++i) {
        f += sjis(("\" " + std::to_string(i) + "\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n").c_str());
    }
    f += sjis(
        "\"印字位置調整\",\"2\",\"0\",0,0,0,0,0,0,0\r\n"
        "\"縁取り\",\"縁取りしない\",32768,0,0,0,0,0,0,0\r\n"
        "\"jan\",\"ＭＳ 明朝\",12,#FALSE#,#FALSE#,0,\"表示しない\",0,0,0\r\n"
        "\"BARCODE\",0,0,0,0,0,0,0,0,0\r\n"
        "\"メーカー\",\"ＭＳ "
        "明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
        "\"品名\",\"ＭＳ ゴシック\",20,#TRUE#,#FALSE#,0,\"表示しない\",\"アンダーライン無\",0,0\r\n"
        "\"規格\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示する\",\"アンダーライン有\",0,0\r\n"
        "\"ロット\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
        "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n"
        "\"円\",\"ＭＳ 明朝\",24,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n");
    return f;
}

TEST_F(FileCommands, AHandTypedFileWithNecAndIbmCharactersOpens) {
    const std::string path = folder.path("hand.txt");
    writeBytes(path, handTypedFile());
    h.dialogs.answers = {MessageAnswer::No};  // the labels of the fixture are not saved
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, "変更を保存しますか？");

    EXPECT_EQ(h.editor.sheet().label(1),
              (LabelRecord{"4901234567894", "㈱山田", "髙橋の①", "500ml", "A-1", "1280"}));
    EXPECT_EQ(h.editor.sheet().label(2), (LabelRecord{"49012347", "", "纊", "", "", "98"}));
    for (int i = 3; i <= 10; ++i)
        EXPECT_TRUE(h.editor.sheet().label(i).isEmpty()) << i;
    const LayoutSettings& layout = h.editor.layout();
    EXPECT_EQ(layout.element(LabelElement::ProductName).font,
              (ElementFont{"ＭＳ ゴシック", 20, true, false}));
    EXPECT_TRUE(layout.isUnderlined(LabelElement::ProductName));
    EXPECT_FALSE(layout.isVisible(LabelElement::Spec));
    EXPECT_TRUE(layout.borderOn);
    EXPECT_EQ(layout.borderColor, 32768);
    EXPECT_EQ(layout.xAdjustText, "2");
    EXPECT_EQ(h.view.shownLayout, layout);
    EXPECT_EQ(h.view.boxes(), (std::vector<std::string>{"4901234567894", "㈱山田", "髙橋の①",
                                                        "500ml", "A-1", "1280"}));
    EXPECT_EQ(h.view.counter, "1/10");
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + path);
    // The preview shows the labels: the product name centred by 13 - 4 blanks,
    // in 10-point bold underlined Gothic at half size.
    const auto& sheet = h.view.paints[h.view.paints.size() - 2];
    EXPECT_NE(std::find(sheet.begin(), sheet.end(), "font ＭＳ ゴシック 10.00 b1 i0 u1"),
              sheet.end());
    bool found = false;
    for (const std::string& call : sheet) {
        found = found || call.find("\"         髙橋の①\"") != std::string::npos;
    }
    EXPECT_TRUE(found);
}

TEST_F(FileCommands, AFileWrittenReadBackAndWrittenAgainIsByteIdentical) {
    const std::string hand = folder.path("hand.txt");
    writeBytes(hand, handTypedFile());
    h.dialogs.answers = {MessageAnswer::No};
    h.dialogs.openChoices = {hand};
    h.view.click([&] { h.editor.openFile(); });
    const std::string first = folder.path("first.csv");
    saveAs(first);

    // A fresh window opens the file and writes it under another name.
    EditorHarness other({folder.path("none.txt"), folder.path("none.txt")});
    other.open();
    other.dialogs.openChoices = {first};
    other.view.click([&] { other.editor.openFile(); });
    const std::string second = folder.path("second.csv");
    other.dialogs.saveChoices = {second};
    other.view.shortcut([&] { other.editor.saveFileAs(); });

    const std::string bytes = readBytes(first);
    EXPECT_EQ(readBytes(second), bytes);
    // 21 lines, each ending in CR LF; the IBM character is written in its IBM form.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 21);
    EXPECT_EQ(bytes.substr(0, 8), "\"\x92\x49\x8E\x44\"\r\n");
    EXPECT_NE(bytes.find("\"\xFB\xFC"), std::string::npos);
}

TEST_F(FileCommands, NewAsksLikeClearAllAndStartsAnEmptyUntitledSheet) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    h.view.click([&] { h.editor.moveElement(LabelElement::Price, MoveDirection::Left); });
    goToLabel(6);
    const LayoutSettings layout = h.editor.layout();

    h.dialogs.answers = {MessageAnswer::No};
    h.view.shortcut([&] { h.editor.newSheet(); });
    EXPECT_EQ(h.dialogs.messages.back(),
              (MessageRequest{"データを全部クリアしますか？", "", MessageIcon::None,
                              MessageButtons::YesNo, MessageAnswer::Yes}));
    EXPECT_EQ(h.editor.sheet().label(6), record(6));
    EXPECT_EQ(h.editor.currentFileName(), path);

    h.view.focusBox(InputBox::Text4);
    h.view.type("pending");
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.shortcut([&] { h.editor.newSheet(); });
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(h.editor.sheet().label(i).isEmpty()) << i;
    EXPECT_EQ(h.editor.currentFileName(), "無題");
    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    EXPECT_EQ(h.editor.layout(), layout);
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
    expectOnLabelOne();
}

}  // namespace

namespace {

// A damaged label file is shown as read, with a warning naming its first
// misfit line, and opens untitled: an overwrite-save asks for a new name.
TEST_F(FileCommands, ADamagedFileOpensUntitledWithAWarningAndIsNotSavedOver) {
    const std::string path = folder.path("sheet.csv");
    saveAs(path);
    std::string bytes = readBytes(path);
    const std::size_t third = bytes.find(sjis("\" 3\""));
    const std::size_t lineEnd = bytes.find("\r\n", third);
    bytes.insert(lineEnd, ",\"extra\"");  // one field too many in record 3
    writeBytes(path, bytes);

    h.dialogs.messages.clear();
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].title, "警告");
    EXPECT_NE(h.dialogs.messages[0].text.find(path), std::string::npos);
    EXPECT_NE(h.dialogs.messages[0].text.find(" 4 行目から"), std::string::npos);
    EXPECT_EQ(h.editor.currentFileName(), "無題");
    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    EXPECT_EQ(h.editor.sheet().label(2), record(2));  // read as far as it goes

    const std::string saveAsCopy = folder.path("copy.csv");
    h.dialogs.saveChoices = {saveAsCopy};
    h.view.shortcut([&] { h.editor.saveFile(); });
    EXPECT_EQ(h.dialogs.saveRequests.size(), 2u) << "untitled: the save dialog is shown";
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(h.editor.currentFileName(), saveAsCopy);
}

}  // namespace

namespace {

// A file on another stock opens on that stock, every label counted; one whose
// stock line is damaged opens on the standard stock, untitled, the line named.
TEST_F(FileCommands, AFileOnAnotherStockOpensOnItAndADamagedStockLineUntitled) {
    const LabelStock stock = stockPresetNamed("A4 24面 66×33.9mm")->stock;
    LayoutSettings pattern = initialLayoutSettings();
    changeStock(pattern, stock);
    LabelSheet sheet(stock);
    for (int n = 1; n <= sheet.labelCount(); ++n)
        sheet.label(n) = record(n);
    saveAs(folder.path("ten.csv"));  // nothing left to ask about
    const std::string path = folder.path("24.csv");
    ASSERT_TRUE(writeLabelFile(path, sheet, pattern).ok());

    h.dialogs.messages.clear();
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.editor.sheet(), sheet);
    EXPECT_EQ(h.view.counter, "1/24");
    EXPECT_EQ(h.editor.currentFileName(), path);

    std::string bytes = readBytes(path);
    const std::size_t stockLine = bytes.find(sjis("\"用紙\""));
    ASSERT_NE(stockLine, std::string::npos);
    bytes.replace(bytes.find("\"A4\",66", stockLine) + 5, 2, "-6");  // the label's width
    writeBytes(path, bytes);
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].title, "警告");
    const int line = 1 + static_cast<int>(std::count(
                             bytes.begin(), bytes.begin() + static_cast<long>(stockLine), '\n'));
    EXPECT_EQ(line, 22);  // right after the defined lines: no price lines are needed
    EXPECT_NE(h.dialogs.messages[0].text.find(" 22 行目の用紙の設定が読めません"),
              std::string::npos)
        << h.dialogs.messages[0].text;
    EXPECT_EQ(h.editor.currentFileName(), "無題");
    EXPECT_EQ(h.view.counter, "1/10");
    ASSERT_EQ(h.editor.sheet().labelCount(), 10);
    EXPECT_EQ(h.editor.sheet().label(10), record(10));
    EXPECT_EQ(h.editor.layout().stock, kStandardStock);
}

}  // namespace
