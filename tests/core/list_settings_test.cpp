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
        const std::string bytes = formatListSettings(ListSettings{c.path, {}});
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
    ListSettings settings{"/stale", {}};
    EXPECT_TRUE(loadListSettings(folder.path("lists.txt"), settings).ok());
    EXPECT_EQ(settings, ListSettings{});

    ASSERT_TRUE(saveListSettings(folder.path("lists.txt"), ListSettings{"/m.csv", {}}).ok());
    ASSERT_TRUE(loadListSettings(folder.path("lists.txt"), settings).ok());
    EXPECT_EQ(settings.masterPath, "/m.csv");

    const Result folderRead = loadListSettings(folder.dir().string(), settings);
    EXPECT_FALSE(folderRead.ok());
    EXPECT_EQ(folderRead.path, folder.dir().string());
    EXPECT_EQ(settings, ListSettings{});
}

namespace {

const ProductColumn& part(const char* name) {
    return *labelPart(name);
}

// A shop's export whose header names none of the label's parts, with the
// columns chosen for it.
ColumnMapping chosen(std::vector<std::string> header = {"品番", "名称 \"正式\"", "値段"}) {
    ColumnMapping mapping = ColumnMapping::fromHeader(std::move(header));
    mapping.assign(part("JANコード"), 0);
    mapping.assign(part("品名"), 1);
    mapping.assign(part("売価"), 2);
    mapping.setPriceMeaning(PriceMeaning::PreTax);
    return mapping;
}

}  // namespace

TEST(ListSettings, KeepsTheColumnsChosenForAHeader) {
    ListSettings settings{"/m.csv", {chosen()}};
    const std::string bytes = formatListSettings(settings);
    EXPECT_TRUE(
        bytes.starts_with("\"商品マスタ\",\"/m.csv\"\r\n\"列対応\",2,3,\"品番\","
                          "\"名称 %22正式%22\",\"値段\",\"JANコード\",0,\"メーカー\",-1,"
                          "\"品名\",1,"))
        << bytes;
    const ListSettings read = readListSettings(bytes);
    EXPECT_EQ(read, settings);
    EXPECT_EQ(rememberedFor(read.mappings, chosen().headerKey())->priceMeaning(),
              PriceMeaning::PreTax);
}

TEST(ListSettings, AMappingLineThatCannotBeReadIsSkipped) {
    const std::string good = formatListSettings(ListSettings{"", {chosen()}});
    const struct {
        const char* name;
        std::string bytes;
        std::size_t mappings;
    } cases[] = {
        {"sound", good, 1},
        {"no cells", "\"列対応\",0,0,\"JANコード\",0\r\n", 0},
        {"more cells than the line has", "\"列対応\",0,9,\"a\",\"b\"\r\n", 0},
        {"meaning out of range", "\"列対応\",7,1,\"a\",\"JANコード\",0\r\n", 0},
        {"a part of a newer program", "\"列対応\",0,2,\"a\",\"b\",\"未来の欄\",0,\"品名\",1\r\n",
         1},
        {"a column beyond the header", "\"列対応\",0,2,\"a\",\"b\",\"品名\",5,\"JANコード\",0\r\n",
         1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readListSettings(c.bytes).mappings.size(), c.mappings) << c.name;
    const RememberedMappings partly =
        readListSettings("\"列対応\",0,2,\"a\",\"b\",\"品名\",5,\"JANコード\",0\r\n").mappings;
    EXPECT_EQ(partly[0].columnOf(part("JANコード")), 0);
    EXPECT_FALSE(partly[0].columnOf(part("品名")).has_value());
}

TEST(RememberedMappings, OneForEachHeaderTheLatestLast) {
    RememberedMappings memory;
    EXPECT_TRUE(rememberMapping(memory, chosen()));
    EXPECT_FALSE(rememberMapping(memory, chosen())) << "the same again changes nothing";
    // What a header gives by itself is not kept, and a list without a header
    // has nothing to be found by.
    EXPECT_FALSE(rememberMapping(memory, ColumnMapping::fromHeader({"JANコード", "品名"})));
    EXPECT_FALSE(rememberMapping(memory, ColumnMapping::positional()));
    ASSERT_EQ(memory.size(), 1u);

    ColumnMapping other = chosen({"SKU", "Title"});
    EXPECT_TRUE(rememberMapping(memory, other));
    ColumnMapping changed = chosen();
    changed.assign(part("メーカー"), 2);
    EXPECT_TRUE(rememberMapping(memory, changed));
    ASSERT_EQ(memory.size(), 2u);
    EXPECT_EQ(memory.back(), changed);
    EXPECT_EQ(startingMapping(ColumnMapping::fromHeader(chosen().header()), memory), changed);
    const ColumnMapping own = ColumnMapping::fromHeader({"JANコード", "品名"});
    EXPECT_EQ(startingMapping(own, memory), own);

    // Choosing what the header gives forgets the choice.
    EXPECT_TRUE(rememberMapping(memory, ColumnMapping::fromHeader(chosen().header())));
    EXPECT_EQ(memory, RememberedMappings{other});

    for (int i = 0; i < static_cast<int>(kMappingsRemembered) + 5; ++i)
        rememberMapping(memory, chosen({"列" + std::to_string(i), "b"}));
    EXPECT_EQ(memory.size(), kMappingsRemembered);
    EXPECT_EQ(memory.back().header()[0], "列" + std::to_string(kMappingsRemembered + 4));
}
