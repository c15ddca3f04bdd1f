// The commands that shape the print pattern: moves, the sheet origin, fonts,
// colours, visibility, underline, border, the default pattern and pt保存.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "editor/EditorHarness.h"
#include "files/Cp932.h"
#include "files/FileIo.h"
#include "model/ToggleCaptions.h"

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class LayoutCommands : public ::testing::Test {
  protected:
    LayoutCommands() : h({folder.path("data.txt"), folder.path("data.txt")}) {}
    void SetUp() override {
        h.open();
        h.typeLabel({"4901234567894", "メーカー", "品名", "規格", "ロット", "100"});
    }
    // Runs a command clicked on its button; returns how many pictures it painted.
    std::size_t clickCounting(const std::function<void()>& command) {
        const std::size_t before = h.view.paints.size();
        h.view.click(command);
        return h.view.paints.size() - before;
    }
    TempFolder folder{"tanahuda-editor"};
    EditorHarness h;
};

TEST_F(LayoutCommands, TenStepsOfTheOriginThenNoMore) {
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(clickCounting([&] { h.editor.moveOrigin(Axis::X, +1); }), 2u);
        EXPECT_EQ(h.editor.layout().xAdjustText, std::to_string(i));
        EXPECT_EQ(h.view.shownLayout.xAdjustText, std::to_string(i));
    }
    EXPECT_DOUBLE_EQ(h.editor.layout().originX, 22.0);
    const LayoutSettings before = h.editor.layout();
    const int shown = h.view.showLayoutCalls;
    EXPECT_EQ(clickCounting([&] { h.editor.moveOrigin(Axis::X, +1); }), 0u);
    EXPECT_EQ(h.editor.layout(), before);
    EXPECT_EQ(h.view.showLayoutCalls, shown);
    EXPECT_EQ(h.view.focused, std::nullopt) << "nothing happens, not even the focus move";
}

TEST_F(LayoutCommands, OneStepUpOfTheOrigin) {
    h.view.click([&] { h.editor.moveOrigin(Axis::Y, -1); });
    EXPECT_EQ(h.editor.layout().yAdjustText, "-1");
    EXPECT_DOUBLE_EQ(h.editor.layout().originY, 6.8);
    EXPECT_DOUBLE_EQ(h.editor.layout().originX, 12.0);
    EXPECT_EQ(h.editor.layout().xAdjustText, "0");
    // The frame of label 2 (current after typing label 1) follows at 50 %.
    EXPECT_EQ(h.view.paints.back()[2], "line 51.50 3.40 97.00 3.40 #0000ff");

    for (int i = 0; i < 12; ++i)
        h.view.click([&] { h.editor.moveOrigin(Axis::Y, -1); });
    EXPECT_EQ(h.editor.layout().yAdjustText, "-10");
    EXPECT_DOUBLE_EQ(h.editor.layout().originY, -2.2);
}

TEST_F(LayoutCommands, AMoveButtonChangesOnlyItsOwnElement) {
    const std::pair<MoveDirection, std::pair<int, int>> directions[] = {
        {MoveDirection::Right, {1, 0}},
        {MoveDirection::Left, {-1, 0}},
        {MoveDirection::Down, {0, 1}},
        {MoveDirection::Up, {0, -1}}};
    for (LabelElement element : kMovableElements) {
        for (const auto& [direction, delta] : directions) {
            LayoutSettings expected = h.editor.layout();
            expected.element(element).offsetX += delta.first;
            expected.element(element).offsetY += delta.second;
            EXPECT_EQ(clickCounting([&] { h.editor.moveElement(element, direction); }), 2u);
            EXPECT_EQ(h.editor.layout(), expected);
        }
    }
    // "右" moves the price only: its number is drawn 1 mm further right.
    h.view.click([&] { h.editor.goFirst(); });
    h.view.click([&] { h.editor.moveElement(LabelElement::Price, MoveDirection::Right); });
    EXPECT_EQ(h.editor.layout().element(LabelElement::Price).offsetX, 1);
    EXPECT_EQ(h.editor.layout().element(LabelElement::Yen).offsetX, 0);
}

TEST_F(LayoutCommands, AMovePastTheSixteenBitRangeIsRefused) {
    h.editor.layout().element(LabelElement::Price).offsetX = 32767;
    h.editor.layout().element(LabelElement::Yen).offsetY = -32768;
    const LayoutSettings before = h.editor.layout();
    const std::size_t paints = h.view.paints.size();
    h.view.shortcut([&] { h.editor.moveElement(LabelElement::Price, MoveDirection::Right); });
    h.view.shortcut([&] { h.editor.moveElement(LabelElement::Yen, MoveDirection::Up); });
    EXPECT_EQ(h.editor.layout(), before);
    EXPECT_EQ(h.view.paints.size(), paints);
    h.view.shortcut([&] { h.editor.moveElement(LabelElement::Price, MoveDirection::Left); });
    EXPECT_EQ(h.editor.layout().element(LabelElement::Price).offsetX, 32766);
}

TEST_F(LayoutCommands, FontDialogConfirmedAndCancelled) {
    struct Case {
        LabelElement element;
        FontChoice choice;
        ElementFont stored;
    };
    const Case cases[] = {
        {LabelElement::Jan, {"IPAGothic", 10.5, true, false}, {"IPAGothic", 10, true, false}},
        {LabelElement::Price, {"ＭＳ Ｐ明朝", 11.5, false, true}, {"ＭＳ Ｐ明朝", 12, false, true}},
        {LabelElement::Maker, {"ＭＳ 明朝", 9.4, true, true}, {"ＭＳ 明朝", 9, true, true}},
    };
    for (const Case& c : cases) {
        const ElementFont before = h.editor.layout().element(c.element).font;
        h.dialogs.fonts = {c.choice};
        EXPECT_EQ(clickCounting([&] { h.editor.chooseFont(c.element); }), 2u);
        EXPECT_EQ(h.dialogs.fontRequests.back(), before)
            << "the dialog starts at the element's font";
        EXPECT_EQ(h.editor.layout().element(c.element).font, c.stored);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
    // The JAN digits are drawn in their own font.
    h.view.click([&] { h.editor.goFirst(); });
    const auto& sheet = h.view.paints[h.view.paints.size() - 2];
    EXPECT_NE(std::find(sheet.begin(), sheet.end(), "font IPAGothic 5.00 b1 i0 u0"), sheet.end());

    const LayoutSettings before = h.editor.layout();
    h.dialogs.fonts = {std::nullopt};
    h.view.focusBox(InputBox::Text3);
    h.view.click([&] { h.editor.chooseFont(LabelElement::Lot); });
    EXPECT_EQ(h.editor.layout(), before);
    EXPECT_EQ(h.view.focused, InputBox::Text1) << "the caret goes back to Text1";
}

TEST_F(LayoutCommands, ColourDialogConfirmedAndCancelled) {
    for (LabelElement element : kTextElements) {
        h.dialogs.colors = {0x00FF8000};
        LayoutSettings expected = h.editor.layout();
        expected.element(element).color = 0x00FF8000;
        EXPECT_EQ(clickCounting([&] { h.editor.chooseColor(element); }), 2u);
        EXPECT_EQ(h.editor.layout(), expected);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
    const LayoutSettings before = h.editor.layout();
    h.dialogs.colors = {std::nullopt};
    EXPECT_EQ(clickCounting([&] { h.editor.chooseColor(LabelElement::Spec); }), 0u);
    EXPECT_EQ(h.editor.layout(), before);
    EXPECT_EQ(h.view.focused, std::nullopt) << "the focus stays on the colour button";
}

TEST_F(LayoutCommands, AVisibilityToggleTwiceShowsTheElementAgain) {
    for (LabelElement element : kMovableElements) {
        h.view.click([&] { h.editor.toggleVisibility(element); });
        EXPECT_STREQ(captions::forVisible(h.editor.layout().isVisible(element)), "表示する");
        EXPECT_FALSE(h.editor.layout().isVisible(element));
        EXPECT_STREQ(captions::forVisible(h.view.shownLayout.isVisible(element)), "表示する");
        EXPECT_EQ(h.view.focused, InputBox::Text1);
        h.view.click([&] { h.editor.toggleVisibility(element); });
        EXPECT_STREQ(captions::forVisible(h.editor.layout().isVisible(element)), "表示しない");
        EXPECT_TRUE(h.editor.layout().isVisible(element));
    }
    // A hidden product name leaves no text of it in the preview.
    h.view.click([&] { h.editor.goFirst(); });
    h.view.click([&] { h.editor.toggleVisibility(LabelElement::ProductName); });
    const auto& sheet = h.view.paints[h.view.paints.size() - 2];
    for (const std::string& call : sheet)
        EXPECT_EQ(call.find("品名\""), std::string::npos);
}

TEST_F(LayoutCommands, AnUnderlineToggleOnceUnderlines) {
    for (LabelElement element : kUnderlinableElements) {
        EXPECT_EQ(clickCounting([&] { h.editor.toggleUnderline(element); }), 2u);
        EXPECT_STREQ(captions::forUnderlined(h.editor.layout().isUnderlined(element)),
                     "アンダーライン無");
        EXPECT_TRUE(h.editor.layout().isUnderlined(element));
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
    h.view.click([&] { h.editor.goFirst(); });
    const auto& sheet = h.view.paints[h.view.paints.size() - 2];
    EXPECT_NE(std::find(sheet.begin(), sheet.end(), "font ＭＳ 明朝 9.00 b0 i0 u1"), sheet.end());
}

TEST_F(LayoutCommands, BorderOnWithItsColourOffWithoutAskingAndCancelled) {
    // On: the colour is asked for.
    h.dialogs.colors = {0x0000FF00};
    EXPECT_EQ(clickCounting([&] { h.editor.toggleBorder(); }), 2u);
    EXPECT_STREQ(captions::forBorder(h.editor.layout().borderOn), "縁取りしない");
    EXPECT_EQ(h.editor.layout().borderColor, 0x0000FF00);
    EXPECT_STREQ(captions::forBorder(h.view.shownLayout.borderOn), "縁取りしない");
    EXPECT_EQ(h.dialogs.colorRequests, 1);

    // Off: no question, the colour is kept.
    EXPECT_EQ(clickCounting([&] { h.editor.toggleBorder(); }), 2u);
    EXPECT_STREQ(captions::forBorder(h.editor.layout().borderOn), "カラーで縁取りする");
    EXPECT_EQ(h.editor.layout().borderColor, 0x0000FF00);
    EXPECT_EQ(h.dialogs.colorRequests, 1);

    // Cancelled: stays off, nothing redrawn, the focus stays on the button.
    h.dialogs.colors = {std::nullopt};
    EXPECT_EQ(clickCounting([&] { h.editor.toggleBorder(); }), 0u);
    EXPECT_STREQ(captions::forBorder(h.editor.layout().borderOn), "カラーで縁取りする");
    EXPECT_FALSE(h.editor.layout().borderOn);
    EXPECT_EQ(h.view.focused, std::nullopt);
}

TEST_F(LayoutCommands, DefaultKeepsHiddenElementsHiddenAndUnderlinesOn) {
    h.view.click([&] { h.editor.toggleVisibility(LabelElement::Spec); });
    h.view.click([&] { h.editor.toggleUnderline(LabelElement::Maker); });
    h.dialogs.colors = {0x00123456};
    h.view.click([&] { h.editor.toggleBorder(); });
    h.dialogs.fonts = {FontChoice{"IPAGothic", 30, true, true}};
    h.view.click([&] { h.editor.chooseFont(LabelElement::ProductName); });
    h.view.click([&] { h.editor.moveElement(LabelElement::Lot, MoveDirection::Down); });
    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    const LayoutSettings changed = h.editor.layout();

    h.dialogs.answers = {MessageAnswer::No};
    EXPECT_EQ(clickCounting([&] { h.editor.restoreDefaultLayout(); }), 0u);
    EXPECT_EQ(h.dialogs.messages.back(),
              (MessageRequest{"設定をデフォルトにもどしますか？", "", MessageIcon::None,
                              MessageButtons::YesNo, MessageAnswer::Yes}));
    EXPECT_EQ(h.editor.layout(), changed);
    EXPECT_EQ(h.view.focused, std::nullopt) << "No: nothing happens";

    h.dialogs.answers = {MessageAnswer::Yes};
    EXPECT_EQ(clickCounting([&] { h.editor.restoreDefaultLayout(); }), 2u);
    LayoutSettings expected = initialLayoutSettings();
    expected.element(LabelElement::Spec).visible = false;
    expected.element(LabelElement::Maker).underlined = true;
    expected.borderColor = 0x00123456;
    EXPECT_EQ(h.editor.layout(), expected);
    EXPECT_EQ(h.view.shownLayout, expected);
}

// The default pattern as pt保存 writes it.
const char* const kDefaultPattern =
    "\"印字位置調整\",\"0\",\"0\",0,0,0,0,0,0,0\r\n"
    "\"縁取り\",\"カラーで縁取りする\",0,0,0,0,0,0,0,0\r\n"
    "\"jan\",\"ＭＳ 明朝\",12,#FALSE#,#FALSE#,0,\"表示しない\",0,0,0\r\n"
    "\"BARCODE\",0,0,0,0,0,0,0,0,0\r\n"
    "\"メーカー\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"品名\",\"ＭＳ 明朝\",18,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"規格\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"ロット\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n"
    "\"円\",\"ＭＳ 明朝\",24,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n";

TEST_F(LayoutCommands, SavePatternAnsweredYesWritesTheSettingsFileAndNoWritesNothing) {
    const std::string path = folder.path("data.txt");
    h.dialogs.answers = {MessageAnswer::No};
    h.view.click([&] { h.editor.savePattern(); });
    EXPECT_EQ(h.dialogs.messages.back(),
              (MessageRequest{"保存しますか？", "", MessageIcon::None, MessageButtons::YesNo,
                              MessageAnswer::Yes}));
    EXPECT_FALSE(fileExists(path));

    const std::size_t paints = h.view.paints.size();
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.shortcut([&] { h.editor.savePattern(); });
    EXPECT_EQ(readBytes(path), *cp932::encode(kDefaultPattern));
    EXPECT_EQ(h.dialogs.messages.size(), 2u) << "no confirmation follows";
    EXPECT_EQ(h.view.paints.size(), paints) << "nothing is redrawn";

    // A changed pattern comes back at the next start-up.
    h.view.click([&] { h.editor.moveOrigin(Axis::Y, +1); });
    h.dialogs.fonts = {FontChoice{"IPAMincho", 14, false, true}};
    h.view.click([&] { h.editor.chooseFont(LabelElement::Yen); });
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.savePattern(); });
    EditorHarness again({path, path});
    again.open();
    EXPECT_EQ(again.editor.layout(), h.editor.layout());
}

// Every write fails as on a full disk.
long fullDiskWrite(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}

TEST_F(LayoutCommands, ASavePatternThatCannotWriteIsReportedAndKeepsTheOldFile) {
    const std::string path = folder.path("data.txt");
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.savePattern(); });
    const std::string old = readBytes(path);
    ASSERT_FALSE(old.empty());

    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    FileSystemOps ops = realFileSystemOps();
    ops.write = &fullDiskWrite;
    {
        ScopedFileSystemOps failing(ops);
        h.dialogs.answers = {MessageAnswer::Yes};
        h.view.click([&] { h.editor.savePattern(); });
    }
    ASSERT_EQ(h.dialogs.messages.size(), 3u);
    const MessageRequest& message = h.dialogs.messages.back();
    EXPECT_EQ(message.text,
              "印刷パターンをファイル「" + path +
                  "」に保存できませんでした。\nディスクの空き容量が足りません。"
                  "（No space left on device）\n以前に保存したパターンはそのまま残って"
                  "います。");
    EXPECT_EQ(message.title, "エラー");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_EQ(readBytes(path), old);
}

TEST(SavePattern, IntoAMissingFolderIsReported) {
    TempFolder folder{"tanahuda-editor"};
    const std::string path = folder.path("gone/data.txt");
    EditorHarness h({path, path});
    h.open();
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.savePattern(); });
    ASSERT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_NE(h.dialogs.messages[1].text.find(path), std::string::npos);
    EXPECT_NE(h.dialogs.messages[1].text.find("保存先のフォルダーが見つかりません。"),
              std::string::npos);
    EXPECT_FALSE(fileExists(path));
}

}  // namespace
