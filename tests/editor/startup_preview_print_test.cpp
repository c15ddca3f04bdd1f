// Opening the input window, the scroll figures of the preview, the preview and
// zoom commands, and printing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/EditorHarness.h"
#include "editor/logic/EditorMessages.h"
#include "files/Cp932.h"
#include "model/ToggleCaptions.h"

namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A stored pattern: the origin moved 3 mm right and 2 mm up, the product name
// in 20 points, the 規格 line hidden and underlined, the border on in blue.
const char* const kStoredPattern =
    "\"印字位置調整\",\"3\",\"-2\",0,0,0,0,0,0,0\r\n"
    "\"縁取り\",\"縁取りしない\",16711680,0,0,0,0,0,0,0\r\n"
    "\"jan\",\"ＭＳ 明朝\",12,#FALSE#,#FALSE#,0,\"表示しない\",0,0,0\r\n"
    "\"BARCODE\",0,0,0,0,0,0,0,0,0\r\n"
    "\"メーカー\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"品名\",\"ＭＳ ゴシック\",20,#TRUE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",1,-1\r\n"
    "\"規格\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示する\",\"アンダーライン無\",0,0\r\n"
    "\"ロット\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0\r\n"
    "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n"
    "\"円\",\"ＭＳ 明朝\",24,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n";

TEST(StartUp, WithoutASettingsFileTheDefaultPatternAndAnEmptyUntitledSheet) {
    TempFolder folder{"tanahuda-editor"};
    EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
    h.editor.startUp(a4Geometry());

    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    EXPECT_EQ(h.view.counter, "1/10");
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
    EXPECT_EQ(h.editor.currentLabel(), 1);
    EXPECT_TRUE(h.editor.isUntitled());
    EXPECT_EQ(h.editor.sheet(), LabelSheet{}) << "all 60 texts empty";
    EXPECT_EQ(h.editor.layout(), initialLayoutSettings());
    EXPECT_STREQ(captions::forBorder(h.editor.layout().borderOn), "カラーで縁取りする");
    EXPECT_EQ(h.editor.viewState().previewZoom, 0.5);
    EXPECT_EQ(h.editor.viewState().zoomCaption(), "倍率切替100%");
    EXPECT_EQ(h.view.showLayoutCalls, 1);
    EXPECT_EQ(h.view.shownLayout, initialLayoutSettings());
    // The guide: ten numbered frames at half size; label 1's first.
    ASSERT_EQ(h.view.paints.size(), 1u);
    const auto& guide = h.view.paints[0];
    ASSERT_GE(guide.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(guide.begin(), guide.begin() + 6),
              (std::vector<std::string>{"unit mm", "clear", "rect 6.00 3.90 45.50 27.50 #d4d0c8",
                                        "font ＭＳ 明朝 5.00 b0 i0 u0", "color #d4d0c8",
                                        "text 34.00 11.90 \" 1\""}));

    // Shown: Text1 gets the focus and the first picture of the sheet appears.
    h.view.focusBox(InputBox::Text1);
    EXPECT_EQ(h.view.paints.size(), 3u);
    EXPECT_EQ(h.view.paints[2][2], "line 6.00 3.90 51.50 3.90 #0000ff");
}

TEST(StartUp, WithASettingsFileItsPatternAndItsOriginAdjustment) {
    TempFolder folder{"tanahuda-editor"};
    writeBytes(folder.path("data.txt"), *cp932::encode(kStoredPattern));
    EditorHarness h({folder.path("data.txt"), folder.path("other.txt")});
    h.open();

    const LayoutSettings& layout = h.editor.layout();
    EXPECT_EQ(layout.xAdjustText, "3");
    EXPECT_EQ(layout.yAdjustText, "-2");
    // The stored adjustment places the origin, so the display and the sheet agree.
    EXPECT_DOUBLE_EQ(layout.originX, 15.0);
    EXPECT_DOUBLE_EQ(layout.originY, 5.8);
    EXPECT_EQ(layout.element(LabelElement::ProductName).font,
              (ElementFont{"ＭＳ ゴシック", 20, true, false}));
    EXPECT_EQ(layout.element(LabelElement::ProductName).offsetX, 1);
    EXPECT_EQ(layout.element(LabelElement::ProductName).offsetY, -1);
    EXPECT_FALSE(layout.isVisible(LabelElement::Spec));
    EXPECT_TRUE(layout.isUnderlined(LabelElement::Spec));
    EXPECT_TRUE(layout.borderOn);
    EXPECT_EQ(layout.borderColor, 0xFF0000);
    EXPECT_EQ(h.view.shownLayout, layout);
    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    // The guide and the first frame stand at the adjusted origin.
    EXPECT_EQ(h.view.paints[0][2], "rect 7.50 2.90 45.50 27.50 #d4d0c8");
    EXPECT_EQ(h.view.paints.back()[2], "line 7.50 2.90 53.00 2.90 #0000ff");
}

// A stored pattern the window cannot take (wholly) is said at start-up, so
// that labels calibrated for the user's stock are not printed on the defaults
// unawares: a folder or an oversized file in its place, a damaged price line,
// a colour outside 0..0xFFFFFF (taken as the default, never white text).
TEST(StartUp, AStoredPatternNotWhollyTakenIsSaid) {
    const std::string pattern = *cp932::encode(kStoredPattern);
    std::string colour = pattern;
    colour.replace(colour.find("16711680"), 8, "-1");  // the border's colour (line 2)
    struct Case {
        const char* what;
        std::string bytes;  // empty: a folder in the file's place
        bool defaults;      // the whole pattern dropped
        const char* said;
    };
    const Case cases[] = {
        {"folder", "", true, "data.txt"},
        {"oversized", pattern + std::string(5 * 1024 * 1024, ' '), true, "data.txt"},
        {"price line", pattern + *cp932::encode("\"拡張\",\"価格表示\",9,0\r\n"), false,
         "税込表示"},
        {"colour", colour, false, " 2 行目"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder{"tanahuda-editor"};
        const std::string file = folder.path("data.txt");
        if (c.bytes.empty())
            std::filesystem::create_directory(file);
        else
            writeBytes(file, c.bytes);
        EditorHarness h({file, file});
        h.editor.startUp(a4Geometry());

        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_NE(h.dialogs.messages[0].text.find(c.said), std::string::npos)
            << h.dialogs.messages[0].text;
        const LayoutSettings& layout = h.editor.layout();
        EXPECT_EQ(layout == initialLayoutSettings(), c.defaults);
        if (!c.defaults) {
            EXPECT_EQ(layout.xAdjustText, "3") << "the rest of the pattern is kept";
        }
        if (c.bytes == colour) {
            EXPECT_EQ(layout.borderColor, initialLayoutSettings().borderColor);
        }
    }
    // An intact pattern starts without a word.
    TempFolder folder{"tanahuda-editor"};
    writeBytes(folder.path("data.txt"), pattern);
    EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
    h.editor.startUp(a4Geometry());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

// The maximum is how much longer the page is than the frame; an arrow click
// moves about 5 mm (283 twips) and a page click one frame.
TEST(StartUp, ScrollFiguresOfThePreview) {
    struct Case {
        double surface, frame;
        int maximum, large, small;
    };
    const Case cases[] = {
        {16830, 11520, 5310, 11520, 283},
        {16845, 11520, 5325, 11520, 283},
        {16845.5, 11520, 5326, 11520, 283},  // 5325.5 goes to the even 5326
        {11560, 11520, 40, 11520, 283},
        {11520, 11520, 0, 11520, 283},      // the page fits: nothing to scroll
        {9000, 11520, 0, 11520, 283},       // smaller than the frame
        {60000, 11520, 32767, 11520, 283},  // kept within 16 bits
        {60000, 0, 32767, 1, 283},          // a frame not laid out yet
    };
    for (const Case& c : cases) {
        const EditorView::ScrollRange r = scrollRangeFor(c.surface, c.frame);
        EXPECT_EQ(r.maximum, c.maximum) << c.surface;
        EXPECT_EQ(r.largeStep, c.large) << c.surface;
        EXPECT_EQ(r.smallStep, c.small) << c.surface;
    }

    EditorHarness h;
    h.editor.startUp({11906, 16830, 10000, 11520});
    EXPECT_EQ(h.view.vertical.maximum, 5310);
    EXPECT_EQ(h.view.vertical.largeStep, 11520);
    EXPECT_EQ(h.view.vertical.smallStep, 283);
    EXPECT_EQ(h.view.horizontal.maximum, 1906);
    EXPECT_EQ(h.view.horizontal.largeStep, 10000);
    EXPECT_EQ(h.view.horizontal.smallStep, 283);
}

class PreviewAndPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        h.typeLabel({"4901234567894", "メーカー", "品名", "規格", "ロット", "100"});
    }
    EditorHarness h;
};

TEST_F(PreviewAndPrint, ZoomToggledTwiceReturnsAndRedrawsEachTime) {
    const struct {
        double zoom;
        const char* caption;
        const char* firstFrame;
        const char* lineWidth;
    } steps[] = {{1.0, "倍率切替50%", "rect 12.00 7.80 91.00 55.00 #808080", "linewidth 5"},
                 {0.5, "倍率切替100%", "rect 6.00 3.90 45.50 27.50 #808080", "linewidth 2"}};
    for (const auto& step : steps) {
        const std::size_t paints = h.view.paints.size();
        h.view.click([&] { h.editor.toggleZoom(); });
        EXPECT_EQ(h.editor.viewState().previewZoom, step.zoom);
        EXPECT_EQ(h.editor.viewState().zoomCaption(), step.caption);
        EXPECT_EQ(h.view.shownView.zoomCaption(), step.caption);
        ASSERT_EQ(h.view.paints.size(), paints + 2);
        const auto& sheet = h.view.paints[paints];
        EXPECT_NE(std::find(sheet.begin(), sheet.end(), step.firstFrame), sheet.end());
        EXPECT_EQ(h.view.paints.back()[1], step.lineWidth);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
}

TEST_F(PreviewAndPrint, PreviewFromAMenuShortcutKeepsWhatIsBeingTyped) {
    h.view.type("4901234");
    const std::size_t paints = h.view.paints.size();
    h.view.shortcut([&] { h.editor.preview(); });
    EXPECT_EQ(h.view.boxText(InputBox::Text1), "4901234");
    EXPECT_EQ(h.view.paints.size(), paints + 2) << "the sheet and the frame";
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, CancelledPrintChangesNothing) {
    h.dialogs.printer = FakeEditorDialogs::Printer::Cancel;
    h.view.focusBox(InputBox::Text3);
    h.view.click([&] { h.editor.print(); });
    EXPECT_EQ(h.dialogs.printerRequests, 1);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_FALSE(h.editor.viewState().printMode);
    EXPECT_TRUE(h.dialogs.printRecord->page.calls.empty());
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, APrinterThatCannotBeOpenedIsReported) {
    h.dialogs.printer = FakeEditorDialogs::Printer::CannotOpen;
    h.view.click([&] { h.editor.print(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        h.dialogs.messages[0],
        (MessageRequest{"プリンターを開けないため、印刷できません。\n"
                        "プリンター「事務所のプリンター」に印刷を始められません",
                        "エラー", MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok}));
    EXPECT_FALSE(h.editor.viewState().printMode);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, PrintAtFiftyPercentPrintsFullSizeAndLeavesThePreviewAlone) {
    h.view.click([&] { h.editor.goFirst(); });
    const std::size_t paints = h.view.paints.size();
    h.view.shortcut([&] { h.editor.print(); });

    const PrintRecord& printed = *h.dialogs.printRecord;
    EXPECT_TRUE(printed.finished);
    EXPECT_FALSE(printed.aborted);
    EXPECT_TRUE(h.dialogs.messages.empty());
    const auto& calls = printed.page.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "unit mm");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "clear"), 0) << "the page is not cleared";
    EXPECT_TRUE(printed.page.callsStartingWith("rect ").empty()) << "no label frames on paper";
    // Full size: the product name of label 1 in 18 points at (12 + 4, 7.8 + 24).
    EXPECT_NE(std::find(calls.begin(), calls.end(), "font ＭＳ 明朝 18.00 b0 i0 u0"), calls.end());
    EXPECT_EQ(printed.page.callsStartingWith("text 16.00 31.80 ").size(), 1u);
    // Real bars, painted in printer pixels.
    EXPECT_GT(printed.page.callsStartingWith("fill ").size(), 100u);

    EXPECT_TRUE(h.editor.viewState().printMode);
    EXPECT_EQ(h.editor.viewState().previewZoom, 0.5);
    EXPECT_EQ(h.view.paints.size(), paints) << "the print does not redraw the preview";
    EXPECT_EQ(h.view.focused, InputBox::Text1);

    // The next preview draws in preview mode again, at 50 %.
    h.view.click([&] { h.editor.preview(); });
    EXPECT_FALSE(h.editor.viewState().printMode);
    EXPECT_EQ(h.view.paints.back()[2], "line 6.00 3.90 51.50 3.90 #0000ff");
}

// The number of copies (部数) is asked for a sheet only, and is the printer's
// to make: the page is drawn once whatever the count.
TEST_F(PreviewAndPrint, OnlyTheSheetAsksForCopiesAndItsPageIsDrawnOnce) {
    const struct {
        const char* what;
        void (LabelEditor::*command)();
        PrintCopies asked;
        const char* drawnOnce;  // a call the page holds exactly once, if any
    } cases[] = {
        {"sheet", &LabelEditor::print, PrintCopies::Chosen, "text 16.00 31.80 "},
        {"calibration", &LabelEditor::printCalibration, PrintCopies::One, nullptr},
    };
    for (const auto& c : cases) {
        *h.dialogs.printRecord = PrintRecord{};
        h.dialogs.copiesAsked.clear();
        h.view.click([&] { (h.editor.*c.command)(); });
        EXPECT_EQ(h.dialogs.copiesAsked, std::vector<PrintCopies>{c.asked}) << c.what;
        const PrintRecord& printed = *h.dialogs.printRecord;
        EXPECT_TRUE(printed.finished) << c.what;
        EXPECT_EQ(printed.pages, 1) << c.what;
        if (c.drawnOnce != nullptr) {
            EXPECT_EQ(printed.page.callsStartingWith(c.drawnOnce).size(), 1u) << c.what;
        }
        EXPECT_TRUE(h.dialogs.messages.empty()) << c.what;
    }
}

TEST_F(PreviewAndPrint, CancellingThePrintDialogLeavesThePrintModeAsItWas) {
    // Printed once from Text1 by Ctrl+P: the preview is not redrawn, so the
    // mode stays "printing" until the next preview.
    h.view.shortcut([&] { h.editor.print(); });
    ASSERT_TRUE(h.editor.viewState().printMode);
    *h.dialogs.printRecord = PrintRecord{};
    h.dialogs.printer = FakeEditorDialogs::Printer::Cancel;
    const std::size_t paints = h.view.paints.size();
    h.view.shortcut([&] { h.editor.print(); });
    EXPECT_TRUE(h.editor.viewState().printMode);
    EXPECT_TRUE(h.dialogs.printRecord->page.calls.empty());
    EXPECT_FALSE(h.dialogs.printRecord->finished);
    EXPECT_EQ(h.view.paints.size(), paints);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, PrintFromAShortcutPrintsTheTextStillBeingTyped) {
    // Ctrl+P does not take the focus from the box, yet the user sees the text
    // on screen and expects it on paper.
    struct Case {
        InputBox box;
        const char* typed;
        const char* printed;  // the text as stored and drawn
        int labelAfter;       // leaving the price box steps on, as always
    };
    const Case cases[] = {
        {InputBox::Text3, "印刷する品名", "印刷する品名", 1},
        {InputBox::Text5, "1280", "1280", 2},  // five digits would run over the lot
        {InputBox::Text1, "4901234567899", "4901234567894", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        h.view.click([&] { h.editor.goFirst(); });
        h.view.focusBox(c.box);
        h.view.type(c.typed);
        *h.dialogs.printRecord = PrintRecord{};
        h.view.shortcut([&] { h.editor.print(); });

        const PrintRecord& printed = *h.dialogs.printRecord;
        ASSERT_TRUE(printed.finished);
        bool drawn = false;
        for (const std::string& call : printed.page.callsStartingWith("text ")) {
            drawn = drawn || call.find(c.printed) != std::string::npos;
        }
        EXPECT_TRUE(drawn) << "the pending text is on the page";
        EXPECT_EQ(h.editor.sheet().label(1).field(fieldOfBox(c.box)), c.printed);
        EXPECT_EQ(h.editor.currentLabel(), c.labelAfter);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
    // The JAN code box keeps the focus and shows the code as printed.
    EXPECT_EQ(h.view.boxText(InputBox::Text1), "4901234567894");
}

TEST_F(PreviewAndPrint, ACancelledPrintStoresTheTypedTextOnlyAsLeavingTheBoxDoes) {
    h.view.click([&] { h.editor.goFirst(); });
    h.view.focusBox(InputBox::Text3);
    h.view.type("typed");
    h.dialogs.printer = FakeEditorDialogs::Printer::Cancel;
    h.view.shortcut([&] { h.editor.print(); });
    EXPECT_TRUE(h.dialogs.printRecord->page.calls.empty());
    // The focus went back to Text1, so the box was left and its text stored.
    EXPECT_EQ(h.editor.sheet().label(1).productName, "typed");
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, PrintAtFullSizeLeavesThePreviewAtFullSize) {
    h.view.click([&] { h.editor.toggleZoom(); });
    h.view.click([&] { h.editor.print(); });
    EXPECT_TRUE(h.dialogs.printRecord->finished);
    EXPECT_EQ(h.editor.viewState().previewZoom, 1.0);
}

TEST_F(PreviewAndPrint, APageThatFailsWhileDrawnIsAbortedAndReported) {
    h.dialogs.printRecord->page.failAfterCalls = 5;
    h.view.click([&] { h.editor.print(); });
    const PrintRecord& printed = *h.dialogs.printRecord;
    EXPECT_TRUE(printed.aborted);
    EXPECT_FALSE(printed.finished) << "half a sheet must not reach the printer";
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0],
              (MessageRequest{
                  "印刷中にエラーが起きたため、印刷を中止しました。\n何も印刷されていません。",
                  "エラー", MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok}));
    EXPECT_EQ(h.editor.viewState().previewZoom, 0.5);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(PreviewAndPrint, ADocumentThatCannotBeEndedIsReported) {
    h.dialogs.printRecord->finishFailure =
        Result::failure(ResultCode::PrintNotFinished).withPrinter("事務所のプリンター");
    h.view.click([&] { h.editor.print(); });
    EXPECT_FALSE(h.dialogs.printRecord->aborted);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        h.dialogs.messages[0].text,
        "印刷できませんでした。\nプリンター「事務所のプリンター」への印刷を完了できませんでした");
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST(StartUp, LoadingTheWindowAgainStartsAfreshWhateverWasOpen) {
    TempFolder folder{"tanahuda-editor"};
    EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
    h.open();
    h.typeLabel({"4901234567894", "メーカー", "品名", "規格", "ロット", "100"});
    const std::string path = folder.path("sheet.csv");
    h.dialogs.saveChoices = {path};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    ASSERT_EQ(h.editor.currentFileName(), path);
    h.view.click([&] { h.editor.toggleZoom(); });
    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    h.view.click([&] { h.editor.goLast(); });

    // Closed and loaded again: the window's start-up runs once more.
    h.view.focused.reset();
    h.view.paints.clear();
    h.open();
    EXPECT_EQ(h.editor.sheet(), LabelSheet{});
    EXPECT_EQ(h.editor.currentLabel(), 1);
    EXPECT_EQ(h.view.counter, "1/10");
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
    EXPECT_EQ(h.editor.currentFileName(), "無題");
    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    EXPECT_EQ(h.editor.viewState().previewZoom, 0.5);
    EXPECT_EQ(h.editor.viewState().zoomCaption(), "倍率切替100%");
    EXPECT_EQ(h.editor.layout(), initialLayoutSettings()) << "no data.txt was saved";
    EXPECT_EQ(h.editor.candidateBox(), std::nullopt);
    h.dialogs.openChoices = {std::nullopt};
    h.view.shortcut([&] { h.editor.openFile(); });
    EXPECT_EQ(h.dialogs.openRequests.back().fileName, "*.csv");
}

TEST(Window, CloseUnloadsTheWindowWithoutAQuestion) {
    EditorHarness h;
    h.open();
    h.view.click([&] { h.editor.closeWindow(); });
    EXPECT_TRUE(h.view.closed);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

}  // namespace
