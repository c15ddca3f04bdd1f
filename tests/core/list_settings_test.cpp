#include <gtest/gtest.h>

#include <string>

#include "files/ListSettings.h"
#include "support/TempFolder.h"

TEST(ListSettings, KeepsAnyPathWholeInExactBytes) {
    const struct {
        const char* path;
        const char* bytes;
    } cases[] = {
        {"/home/店/商品マスタ.csv", "\"商品マスタ\",\"/home/店/商品マスタ.csv\"\r\n"},
        {"C:\\店\\a,b.csv", "\"商品マスタ\",\"C:\\店\\a,b.csv\"\r\n"},
        {"/x/say \"hi\" 50%.csv", "\"商品マスタ\",\"/x/say %22hi%22 50%25.csv\"\r\n"},
        {"/x/two\nlines\r.csv", "\"商品マスタ\",\"/x/two%0Alines%0D.csv\"\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string bytes = formatListSettings(ListSettings{c.path});
        EXPECT_EQ(bytes, c.bytes) << c.path;
        EXPECT_EQ(readListSettings(bytes).masterPath, c.path);
    }
}

TEST(ListSettings, ReadsWhatItKnowsAndSkipsTheRest) {
    const struct {
        const char* bytes;
        const char* masterPath;
    } cases[] = {
        {"\"将来の設定\",1,2\r\n\"商品マスタ\",\"/a.csv\"\r\n", "/a.csv"},
        {"\"商品マスタ\",\"/a.csv\"\n\"商品マスタ\",\"/b.csv\"\n", "/b.csv"},  // the last wins
        {"\"商品マスタ\",\"/a.csv", ""},  // a quote never closed: no path
        {"\"商品マスタ\"\r\n", ""},
        {"\"商品マスタ\",\"100%.csv\"", "100%.csv"},  // a lone % stands for itself
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readListSettings(c.bytes).masterPath, c.masterPath) << c.bytes;
}

TEST(ListSettings, LivesBesideThePatternAndSurvivesAMissingFile) {
    EXPECT_EQ(listSettingsPathBeside("/home/a/.config/tanahuda/data.txt"),
              "/home/a/.config/tanahuda/lists.txt");
    EXPECT_EQ(listSettingsPathBeside("C:\\tanahuda\\data.txt"), "C:\\tanahuda\\lists.txt");
    EXPECT_EQ(listSettingsPathBeside("data.txt"), "lists.txt");
    EXPECT_EQ(listSettingsPathBeside(""), "");

    TempFolder folder("list-settings");
    ListSettings settings{"/stale"};
    EXPECT_TRUE(loadListSettings(folder.path("lists.txt"), settings).ok());
    EXPECT_EQ(settings, ListSettings{});

    ASSERT_TRUE(saveListSettings(folder.path("lists.txt"), ListSettings{"/m.csv"}).ok());
    ASSERT_TRUE(loadListSettings(folder.path("lists.txt"), settings).ok());
    EXPECT_EQ(settings.masterPath, "/m.csv");

    const Result folderRead = loadListSettings(folder.dir().string(), settings);
    EXPECT_FALSE(folderRead.ok());
    EXPECT_EQ(folderRead.path, folder.dir().string());
    EXPECT_EQ(settings, ListSettings{});
}
