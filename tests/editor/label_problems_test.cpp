// The problems each label is checked for, the words the status line uses for
// them, and the question asked before a sheet with problems is printed.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "jobs/LabelProblems.h"
#include "jobs/ProblemMessages.h"
#include "support/RecordingSurface.h"

namespace {

LabelRecord soundLabel() {
    return {"4901234567894", "花王", "お茶", "500ml", "A1", "198"};
}

LabelProblem problem(LabelProblemKind kind, LabelElement element, std::string character = {},
                     int percent = 100) {
    return {3, kind, element, std::move(character), percent};
}

// Each kind of problem, alone on label 3 with the default pattern, measured
// as the recording surface measures texts (full-width characters one em).
TEST(LabelProblems, EachKindIsFoundOnItsLabel) {
    using K = LabelProblemKind;
    using E = LabelElement;
    struct Case {
        const char* what;
        LabelRecord label;
        std::vector<LabelProblem> expected;
    };
    auto with = [](LabelField f, std::string text) {
        LabelRecord r = soundLabel();
        r.field(f) = std::move(text);
        return r;
    };
    const Case cases[] = {
        {"sound", soundLabel(), {}},
        {"EAN-8", with(LabelField::JanCode, "49123456"), {}},
        {"no code at all", with(LabelField::JanCode, ""), {}},
        {"wrong check digit",
         with(LabelField::JanCode, "4901234567890"),
         {problem(K::InvalidCode, E::Jan)}},
        {"13 full-width digits",
         with(LabelField::JanCode, "４９０１２３４５６７８９４"),
         {problem(K::InvalidCode, E::Jan)}},
        {"12 digits",
         with(LabelField::JanCode, "490123456789"),
         {problem(K::NoCheckDigit, E::Jan)}},
        {"7 digits", with(LabelField::JanCode, "4912345"), {problem(K::NoCheckDigit, E::Jan)}},
        {"14 digits", with(LabelField::JanCode, "49012345678941"), {problem(K::NotACode, E::Jan)}},
        {"a word", with(LabelField::JanCode, "なし"), {problem(K::NotACode, E::Jan)}},
        {"no product name",
         with(LabelField::ProductName, ""),
         {problem(K::NoProductName, E::ProductName)}},
        {"only a lot", LabelRecord{"", "", "", "", "A1", ""}, {}},
        {"only a price",
         LabelRecord{"", "", "", "", "", "100"},
         {problem(K::NoProductName, E::ProductName)}},
        {"condensed name",
         with(LabelField::ProductName, "あいうえおかきくけこさしすせ"),
         {problem(K::TextCondensed, E::ProductName, {}, 97)}},
        {"clipped name",
         with(LabelField::ProductName,
              "あいうえおかきくけこさしすせそたちつてとなにぬねのはまみむめ"),
         {problem(K::TextClipped, E::ProductName, {}, 50)}},
        // Drawn from the field's left edge, it runs over 円 and the texts left of it.
        {"long price",
         with(LabelField::Price, "オープン価格"),
         {problem(K::TextCondensed, E::Price, {}, 82), problem(K::PriceOverlaps, E::Yen),
          problem(K::PriceOverlaps, E::Spec), problem(K::PriceOverlaps, E::Lot)}},
        {"no glyph",
         with(LabelField::Maker, "𠮷野家"),
         {problem(K::CharacterNotDrawn, E::Maker, "𠮷"),
          problem(K::CharacterNotSaved, E::Maker, "𠮷")}},
        {"emoji",
         with(LabelField::Spec, "辛口😀"),
         {problem(K::CharacterNotDrawn, E::Spec, "😀"),
          problem(K::CharacterNotSaved, E::Spec, "😀")}},
        {"not savable", with(LabelField::Lot, "€5"), {problem(K::CharacterNotSaved, E::Lot, "€")}},
        {"a quote", with(LabelField::Lot, "5\""), {problem(K::CharacterNotSaved, E::Lot, "\"")}},
        {"typed wave dash", with(LabelField::ProductName, "お〜いお茶"), {}},
    };
    for (const Case& c : cases) {
        LabelSheet sheet;
        sheet.label(3) = c.label;
        RecordingSurface gauge;
        EXPECT_EQ(findLabelProblems(sheet, 3, initialLayoutSettings(), &gauge), c.expected)
            << c.what;
        EXPECT_EQ(findSheetProblems(sheet, initialLayoutSettings(), &gauge), c.expected) << c.what;
    }
}

// Hidden elements are not checked: no barcode problem without the barcode, no
// condensed name when the name is not drawn.
TEST(LabelProblems, HiddenElementsHaveNoDrawingProblems) {
    LayoutSettings layout = initialLayoutSettings();
    LabelSheet sheet;
    sheet.label(1) = {"4901234567890", "", "あいうえおかきくけこさしすせ", "", "", ""};
    RecordingSurface gauge;
    EXPECT_EQ(findLabelProblems(sheet, 1, layout, &gauge).size(), 2u);
    layout.element(LabelElement::Barcode).visible = false;
    layout.element(LabelElement::ProductName).visible = false;
    EXPECT_EQ(findLabelProblems(sheet, 1, layout, &gauge), std::vector<LabelProblem>{});
    // Without a gauge only what needs no measuring is found.
    EXPECT_EQ(findLabelProblems(sheet, 1, initialLayoutSettings(), nullptr).size(), 1u);
}

// The status line shows the current label's problems as it changes.
TEST(LabelProblems, TheStatusLineFollowsTheCurrentLabel) {
    EditorHarness h;
    h.open();
    EXPECT_EQ(h.view.statusLine, "");
    h.view.type("4901234567890");
    h.view.pressEnter();  // corrected on leaving
    EXPECT_EQ(h.view.statusLine,
              "チェックデジットを 0 から 4 に直しました\n"
              "品名等がないため、このラベルは印刷されません");
    h.view.focusBox(InputBox::Text3);
    h.view.type("緑茶");
    h.view.pressEnter();
    EXPECT_EQ(h.view.statusLine, "チェックデジットを 0 から 4 に直しました");
    h.view.click([&] { h.editor.goNext(); });
    EXPECT_EQ(h.view.statusLine, "") << "the notice belongs to label 1";
    h.view.type("12345");
    h.view.focusBox(InputBox::Text3);
    h.view.type("辛口😀");
    h.view.focusBox(InputBox::Text4);
    EXPECT_EQ(h.view.statusLine,
              "JANコードが13桁でも8桁でもないため、バーコードは印刷されません\n"
              "品名等の「😀」はフォントにないため、正しく印刷されません\n"
              "品名等の「😀」は保存できません");
    h.view.click([&] { h.editor.goFirst(); });
    EXPECT_EQ(h.view.statusLine, "");
}

// 印刷 asks first when any label has a problem, listing each one; いいえ prints nothing.
TEST(LabelProblems, PrintingAsksFirstAndListsTheProblemLabels) {
    EditorHarness h;
    h.open();
    h.setLabels([](LabelSheet& sheet) {
        for (int i = 1; i <= 10; ++i)
            sheet.label(i) = soundLabel();
        sheet.label(2).janCode = "4901234567890";
        sheet.label(5).productName = "";
        sheet.label(7).lot = "€5";  // cannot be saved, yet prints
        sheet.label(9).price = "オープン価格";
    });
    h.dialogs.answers = {MessageAnswer::No};
    h.view.click([&] { h.editor.print(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text,
              "問題のあるラベルがあります。印刷しますか？\n\n"
              "ラベル 2: JANコードが正しくないため、バーコードは印刷されません\n"
              "ラベル 5: 品名等がないため、このラベルは印刷されません\n"
              "ラベル 9: 売価等は長すぎるため、幅を 82% に縮めて印刷されます\n"
              "ラベル 9: 売価が円と重なって印刷されます\n"
              "ラベル 9: 売価が規格等と重なって印刷されます\n"
              "ラベル 9: 売価がロット等と重なって印刷されます");
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(h.dialogs.printerRequests, 0) << "いいえ goes back to the window";
    EXPECT_EQ(h.view.focused, InputBox::Text1);

    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.print(); });
    EXPECT_EQ(h.dialogs.printerRequests, 1);
    EXPECT_TRUE(h.dialogs.printRecord->finished);

    // A sound sheet is printed without a question.
    h.setLabels([](LabelSheet& sheet) {
        for (int i = 1; i <= 10; ++i)
            sheet.label(i) = soundLabel();
    });
    h.dialogs.messages.clear();
    h.view.click([&] { h.editor.print(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.dialogs.printerRequests, 2);
}

}  // namespace
