// The input window's codes: in-store codes for labels without one, from a
// start kept beside the settings file so that no code is given twice, across
// restarts and undo; and a label's QR content in its own field.

#include <gtest/gtest.h>

#include <set>

#include "barcode/InStoreCode.h"
#include "editor/EditorHarness.h"
#include "files/InStoreCounterFile.h"

namespace {

class CodeCommands : public ::testing::Test {
  protected:
    SettingsPaths paths() const { return {dir.path("data.txt"), dir.path("data.txt")}; }
    // Labels 1, 3 and 4 have a name and no code; label 2 has a maker's code.
    static void typedLabels(LabelSheet& sheet) {
        for (int n : {1, 2, 3, 4})
            sheet.label(n).productName = "品" + std::to_string(n);
        sheet.label(2).janCode = "4901234567894";
    }
    std::vector<std::string> codes(const LabelEditor& editor) const {
        std::vector<std::string> out;
        for (int n : {1, 2, 3, 4})
            out.push_back(editor.sheet().label(n).janCode);
        return out;
    }
    TempFolder dir{"tanahuda-codes"};
};

TEST_F(CodeCommands, CodesGoOnAfterARestartAndAreNeverGivenTwice) {
    std::set<std::string> given;
    {
        EditorHarness h(paths());
        h.open();
        h.setLabels(typedLabels);
        h.dialogs.inStoreStarts.push_back("200000000001");
        h.view.click([&] { h.editor.giveInStoreCodes(); });
        EXPECT_EQ(h.dialogs.inStoreSuggestions, (std::vector<std::string>{"200000000001"}));
        const std::vector<std::string> first = *inStoreCodes("200000000001", 3);
        EXPECT_EQ(codes(h.editor),
                  (std::vector<std::string>{first[0], "4901234567894", first[1], first[2]}));
        EXPECT_EQ(h.view.boxText(InputBox::Text1), first[0]);  // label 1 is shown
        given.insert(first.begin(), first.end());
        EXPECT_EQ(loadInStoreCounter(h.editor.inStoreCounterPath()), "200000000004");
        // Taken back, the codes are not offered again.
        h.view.click([&] { h.editor.undo(); });
        EXPECT_EQ(h.editor.sheet().label(1).janCode, "");
        h.dialogs.inStoreStarts.push_back("200000000004");
        h.view.click([&] { h.editor.giveInStoreCodes(); });
        for (int n : {1, 3, 4})
            EXPECT_TRUE(given.insert(h.editor.sheet().label(n).janCode).second);
    }
    EditorHarness restarted(paths());
    restarted.open();
    restarted.setLabels(typedLabels);
    // A start before the remembered one is refused and changes nothing.
    restarted.dialogs.inStoreStarts.push_back("200000000005");
    restarted.view.click([&] { restarted.editor.giveInStoreCodes(); });
    ASSERT_EQ(restarted.dialogs.messages.size(), 1u);
    EXPECT_NE(restarted.dialogs.messages[0].text.find("200000000007"), std::string::npos);
    EXPECT_EQ(restarted.editor.sheet().label(1).janCode, "");
    restarted.dialogs.inStoreStarts.push_back(restarted.dialogs.inStoreSuggestions.back());
    restarted.view.click([&] { restarted.editor.giveInStoreCodes(); });
    EXPECT_EQ(restarted.dialogs.inStoreSuggestions.back(), "200000000007");
    for (int n : {1, 3, 4})
        EXPECT_TRUE(given.insert(restarted.editor.sheet().label(n).janCode).second);
    EXPECT_EQ(given.size(), 9u);
}

// Each way the command can stop leaves the sheet as it was.
TEST_F(CodeCommands, CancelledWrongStartsNoLabelsAndAnUnwritableCounter) {
    EditorHarness h(paths());
    h.open();
    h.view.click([&] { h.editor.giveInStoreCodes(); });  // nothing needs a code: not asked
    EXPECT_TRUE(h.dialogs.inStoreSuggestions.empty());
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    h.setLabels(typedLabels);
    const LabelSheet before = h.editor.sheet();
    for (const std::optional<std::string>& start :
         {std::optional<std::string>(), std::optional<std::string>("4901234567894"),
          std::optional<std::string>("30000000000"), std::optional<std::string>("2x0000000001")}) {
        h.dialogs.inStoreStarts.push_back(start);
        h.view.click([&] { h.editor.giveInStoreCodes(); });
        EXPECT_EQ(h.editor.sheet(), before);
    }
    EXPECT_EQ(h.dialogs.messages.size(), 4u);  // the cancel says nothing
    // The counter's place is a folder: no code is given without it kept.
    std::filesystem::create_directory(h.editor.inStoreCounterPath());
    h.dialogs.inStoreStarts.push_back("200000000001");
    h.view.click([&] { h.editor.giveInStoreCodes(); });
    EXPECT_EQ(h.editor.sheet(), before);
    EXPECT_NE(h.dialogs.messages.back().text.find("保存できない"), std::string::npos);
}

TEST_F(CodeCommands, ALabelsQrContentIsItsOwnAndUndone) {
    EditorHarness h;
    h.open();
    h.setLabels(typedLabels);
    h.goToLabel(3);
    h.view.click([&] { h.editor.setQrContent("https://shop.example/3"); });
    EXPECT_EQ(h.editor.sheet().label(3).qrContent, "https://shop.example/3");
    EXPECT_EQ(h.editor.sheet().label(1).qrContent, "");
    h.goToLabel(1);
    EXPECT_EQ(h.view.shownQrContent, "");
    h.goToLabel(3);
    EXPECT_EQ(h.view.shownQrContent, "https://shop.example/3");
    h.view.click([&] { h.editor.setQrPattern("https://example.jp/item/{JAN}"); });
    EXPECT_EQ(h.editor.layout().qrPattern, "https://example.jp/item/{JAN}");
    h.view.click([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.layout().qrPattern, "");
    h.view.click([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.sheet().label(3).qrContent, "");
}

// The shop's price flag is part of the pattern: set, told in the status line
// of a label whose code then carries another price, and undone.
TEST_F(CodeCommands, ThePriceFlagIsSetAndUndone) {
    EditorHarness h;
    h.open();
    h.setLabels(
        [](LabelSheet& sheet) { sheet.label(1) = {"0212345001981", "", "惣菜", "", "", "250"}; });
    EXPECT_EQ(h.view.statusLine.find("価格入り"), std::string::npos);
    h.view.click([&] { h.editor.setPriceEmbeddedRule({"02", "5+5"}); });
    EXPECT_EQ(h.editor.layout().priceEmbedded, (PriceEmbeddedRule{"02", "5+5"}));
    EXPECT_NE(h.view.statusLine.find("198円"), std::string::npos) << h.view.statusLine;
    h.view.click([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.layout().priceEmbedded, PriceEmbeddedRule{});
}

}  // namespace
