// Unsaved work: when the window has labels to lose, the question before 終了,
// the close box and ファィルを開く drop them, and the recovery file that keeps
// them through a crash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "editor/EditorHarness.h"
#include "editor/logic/RecoveryFile.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "メーカー" + s, "品名" + s, "規格" + s, "ロット" + s, s + "00"};
}

class UnsavedWork : public ::testing::Test {
  protected:
    UnsavedWork() : h({folder.path("data.txt"), folder.path("data.txt")}) {}
    void SetUp() override { h.open(); }
    void typeFirstLabel() {
        h.typeLabel(record(1));
        ASSERT_TRUE(h.editor.hasWorkToLose());
    }
    void saveAs(const std::string& path) {
        h.dialogs.saveChoices = {path};
        h.view.shortcut([&] { h.editor.saveFileAs(); });
        ASSERT_EQ(h.editor.currentFileName(), path);
    }
    TempFolder folder{"tanahuda-unsaved"};
    EditorHarness h;
};

}  // namespace

TEST_F(UnsavedWork, TheWindowKnowsWhenThereIsWorkToLose) {
    struct Step {
        const char* what;
        std::function<void()> act;
        bool workToLose;
    };
    const std::string path = folder.path("棚札.csv");
    const Step steps[] = {
        {"the empty start", [] {}, false},
        {"a layout change on an empty sheet",
         [&] { h.view.click([&] { h.editor.moveElement(LabelElement::Jan, MoveDirection::Up); }); },
         false},
        {"a text still being typed",
         [&] {
             h.view.focusBox(InputBox::Text3);
             h.view.type("りんご");
         },
         true},
        {"the text written back", [&] { h.view.pressEnter(); }, true},
        {"saved", [&] { saveAs(path); }, false},
        {"a layout change with labels",
         [&] { h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); }); }, true},
        {"undone back to the saved state", [&] { h.view.shortcut([&] { h.editor.undo(); }); },
         false},
        {"全画面クリア",
         [&] {
             h.dialogs.answers = {MessageAnswer::Yes};
             h.view.click([&] { h.editor.clearAll(); });
         },
         false},
        {"opened",
         [&] {
             h.dialogs.openChoices = {path};
             h.view.shortcut([&] { h.editor.openFile(); });
         },
         false},
        {"前候補 fetched on another label",
         [&] {
             h.goToLabel(2);
             h.view.focusBox(InputBox::Text3);
             h.view.click([&] { h.editor.previousCandidate(); });
         },
         true},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(h.editor.hasWorkToLose(), step.workToLose) << step.what;
    }
}

TEST_F(UnsavedWork, CloseAndOpenAskFirstAndFollowTheAnswer) {
    enum class Command { Quit, CloseBox, Open };
    struct Case {
        Command command;
        MessageAnswer answer;
    };
    const std::string other = folder.path("other.csv");
    ASSERT_TRUE(writeLabelFile(other, LabelSheet{}, initialLayoutSettings()).ok());
    for (Command command : {Command::Quit, Command::CloseBox, Command::Open}) {
        for (MessageAnswer answer :
             {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
            SCOPED_TRACE(static_cast<int>(command) * 10 + static_cast<int>(answer));
            EditorHarness w({folder.path("data.txt"), folder.path("data.txt")});
            w.open();
            w.typeLabel(record(1));
            w.view.focusBox(InputBox::Text2);
            w.view.type("まだ入力中");
            const std::string saved = folder.path("saved.csv");
            removeRecoveryFile(saved);
            w.dialogs.answers = {answer};
            w.dialogs.saveChoices = {saved};
            w.dialogs.openChoices = {other};
            bool closes = false;
            switch (command) {
                case Command::Quit:
                    w.view.click([&] { w.editor.closeWindow(); });
                    closes = w.view.closed;
                    break;
                case Command::CloseBox:
                    closes = w.editor.approveClose();
                    break;
                case Command::Open:
                    w.view.shortcut([&] { w.editor.openFile(); });
                    break;
            }
            ASSERT_EQ(w.dialogs.messages.size(), 1u);
            EXPECT_EQ(w.dialogs.messages[0],
                      (MessageRequest{"変更を保存しますか？", "", MessageIcon::Question,
                                      MessageButtons::YesNoCancel, MessageAnswer::Yes}));
            const bool goesOn = answer != MessageAnswer::Cancel;
            // はい saves everything on screen, the text being typed included.
            EXPECT_EQ(fileExists(saved), answer == MessageAnswer::Yes);
            if (answer == MessageAnswer::Yes) {
                LabelSheet sheet;
                LayoutSettings layout = initialLayoutSettings();
                ASSERT_TRUE(readLabelFile(saved, sheet, layout).ok());
                EXPECT_EQ(sheet.label(1), record(1));
                EXPECT_EQ(sheet.label(2).maker, "まだ入力中");
            }
            if (command == Command::Open) {
                EXPECT_EQ(w.dialogs.openRequests.size(), goesOn ? 1u : 0u);
                EXPECT_EQ(w.editor.currentFileName(), goesOn ? other : "無題");
            } else {
                EXPECT_EQ(closes, goesOn);
            }
            if (!goesOn) {
                EXPECT_EQ(w.editor.sheet().label(1), record(1)) << "キャンセル changes nothing";
                EXPECT_EQ(w.view.boxText(InputBox::Text2), "まだ入力中");
                EXPECT_TRUE(w.editor.hasWorkToLose());
            }
        }
    }
}

TEST_F(UnsavedWork, ACancelledOrFailedSaveKeepsTheWindowOpen) {
    typeFirstLabel();
    h.dialogs.answers = {MessageAnswer::Yes};
    h.dialogs.saveChoices = {std::nullopt};
    h.view.click([&] { h.editor.closeWindow(); });
    EXPECT_FALSE(h.view.closed);

    h.dialogs.answers = {MessageAnswer::Yes};
    h.dialogs.saveChoices = {folder.path("no such folder/a.csv")};
    EXPECT_FALSE(h.editor.approveClose());
    EXPECT_EQ(h.dialogs.messages.back().icon, MessageIcon::Critical) << "the failure is reported";

    // Nothing to lose: no question at all.
    saveAs(folder.path("saved.csv"));
    h.dialogs.messages.clear();
    h.view.click([&] { h.editor.closeWindow(); });
    EXPECT_TRUE(h.view.closed);
    EXPECT_TRUE(h.editor.approveClose()) << "the closing window asks no second time";
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(UnsavedWork, TheRecoveryFileFollowsTheWorkAndReadsBackEqual) {
    const std::string recovery = folder.path("recovery-1.csv");
    h.editor.setRecoveryPath(recovery);
    h.editor.keepRecoveryCurrent();
    EXPECT_FALSE(fileExists(recovery)) << "nothing to keep yet";

    typeFirstLabel();
    h.view.click([&] { h.editor.moveElement(LabelElement::Price, MoveDirection::Right); });
    h.view.focusBox(InputBox::Text3);
    h.view.type("入力中の品名");
    h.editor.keepRecoveryCurrent();
    ASSERT_TRUE(fileExists(recovery));
    const std::optional<RecoveryContent> read = readRecoveryFile(recovery);
    ASSERT_TRUE(read.has_value());
    LabelSheet expected = h.editor.sheet();
    expected.label(2).productName = "入力中の品名";
    EXPECT_EQ(read->sheet, expected);
    EXPECT_EQ(read->layout, h.editor.layout());
    EXPECT_EQ(read->fileName, "無題");
    // The bytes: the label data file's lines in UTF-8, then the name line.
    std::string label;
    ASSERT_TRUE(formatLabelFile(expected, h.editor.layout(), label, FileText::Utf8).ok());
    EXPECT_EQ(folder.get("recovery-1.csv"), label + "#name:%E7%84%A1%E9%A1%8C\r\n");

    // Saved: nothing left to recover.
    saveAs(folder.path("今週 の特売.csv"));
    EXPECT_FALSE(fileExists(recovery));
    h.view.click([&] { h.editor.clearLabel(); });
    h.editor.keepRecoveryCurrent();
    ASSERT_TRUE(fileExists(recovery));
    EXPECT_EQ(readRecoveryFile(recovery)->fileName, folder.path("今週 の特売.csv"));
}

TEST_F(UnsavedWork, AnOfferedRecoveryFileIsRestoredOrRemoved) {
    const std::string leftover = folder.path("recovery-2.csv");
    RecoveryContent content;
    content.sheet.label(3) = record(3);
    content.sheet.label(3).taxRate = TaxRate::Reduced;
    content.layout = initialLayoutSettings();
    content.layout.element(LabelElement::Maker).offsetX = 4;
    content.layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    content.fileName = folder.path("週末.csv");
    ASSERT_TRUE(writeRecoveryFile(leftover, content).ok());

    const std::string own = folder.path("recovery-own.csv");
    h.editor.setRecoveryPath(own);
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.focusBox(InputBox::Text4);
    EXPECT_TRUE(h.editor.offerRecovery(leftover));
    EXPECT_EQ(h.dialogs.messages.back(),
              (MessageRequest{"保存されていないデータがあります。復元しますか？", "",
                              MessageIcon::None, MessageButtons::YesNo, MessageAnswer::Yes}));
    EXPECT_EQ(h.editor.sheet(), content.sheet);
    EXPECT_EQ(h.editor.layout(), content.layout);
    EXPECT_EQ(h.view.shownLayout, content.layout);
    EXPECT_EQ(h.view.caption, "棚札入力画面  " + content.fileName);
    EXPECT_EQ(h.view.counter, "1/10");
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_TRUE(h.editor.hasWorkToLose()) << "restored work counts as changed";
    EXPECT_FALSE(fileExists(leftover));
    EXPECT_EQ(readRecoveryFile(own), content) << "kept in the window's own file first";

    ASSERT_TRUE(writeRecoveryFile(leftover, content).ok());
    EditorHarness other;
    other.open();
    other.dialogs.answers = {MessageAnswer::No};
    EXPECT_FALSE(other.editor.offerRecovery(leftover));
    EXPECT_FALSE(fileExists(leftover));
    EXPECT_EQ(other.editor.sheet(), LabelSheet{});

    // A file that holds no labels is not offered.
    ASSERT_TRUE(
        writeRecoveryFile(leftover, RecoveryContent{{}, initialLayoutSettings(), "無題"}).ok());
    EXPECT_FALSE(other.editor.offerRecovery(leftover));
    EXPECT_FALSE(fileExists(leftover));
    EXPECT_EQ(other.dialogs.messages.size(), 1u);
}

TEST_F(UnsavedWork, TheRecoveryFileKeepsCharactersALabelFileCannotHold) {
    const std::string recovery = folder.path("recovery-4.csv");
    h.editor.setRecoveryPath(recovery);
    LabelRecord typed = record(1);
    typed.maker = "𠮷田食品";  // outside code page 932
    h.typeLabel(typed);
    h.editor.keepRecoveryCurrent();
    ASSERT_TRUE(fileExists(recovery));
    EXPECT_NE(folder.get("recovery-4.csv").find("\"𠮷田食品\""), std::string::npos);
    EXPECT_EQ(readRecoveryFile(recovery)->sheet, h.editor.sheet());

    // Everything typed afterwards is kept too.
    h.typeLabel(record(2));
    h.view.focusBox(InputBox::Text3);
    h.view.type("後で打った品名");
    h.editor.keepRecoveryCurrent();
    const std::optional<RecoveryContent> read = readRecoveryFile(recovery);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->sheet.label(1).maker, "𠮷田食品");
    EXPECT_EQ(read->sheet.label(2), record(2));
    EXPECT_EQ(read->sheet.label(3).productName, "後で打った品名");
    EXPECT_EQ(h.view.statusLine.find("自動保存"), std::string::npos);
}

TEST_F(UnsavedWork, RecoveryFilesOfEarlierVersionsAndWithAByteOrderMarkAreRestored) {
    RecoveryContent content;
    content.sheet.label(2) = record(2);
    content.layout = initialLayoutSettings();
    content.layout.element(LabelElement::Spec).offsetY = -3;
    std::string cp932, utf8;
    ASSERT_TRUE(formatLabelFile(content.sheet, content.layout, cp932).ok());
    ASSERT_TRUE(formatLabelFile(content.sheet, content.layout, utf8, FileText::Utf8).ok());
    ASSERT_NE(cp932, utf8);
    const std::string nameLine = "#name:%E9%80%B1%E6%9C%AB.csv\r\n";  // 週末.csv
    struct Case {
        const char* what;
        std::string bytes;
        std::string fileName;
    };
    const Case cases[] = {
        {"code page 932, as an earlier version wrote it", cp932 + nameLine, "週末.csv"},
        {"UTF-8", utf8 + nameLine, "週末.csv"},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + utf8 + nameLine, "週末.csv"},
        {"code page 932 without its name line", cp932, "無題"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorHarness window;
        window.open();
        folder.put("recovery-5.csv", c.bytes);
        window.dialogs.answers = {MessageAnswer::Yes};
        EXPECT_TRUE(window.editor.offerRecovery(folder.path("recovery-5.csv")));
        EXPECT_EQ(window.editor.sheet(), content.sheet);
        EXPECT_EQ(window.editor.layout(), content.layout);
        EXPECT_EQ(window.editor.currentFileName(), c.fileName);
        EXPECT_FALSE(fileExists(folder.path("recovery-5.csv")));
    }
}

TEST_F(UnsavedWork, AnUnreadableRecoveryFileIsSetAsideAndTheUserToldWhere) {
    const std::string unreadable[] = {
        "not a label file",
        std::string("\xFF\xFE\x52\x68\x2D\x67", 6),  // UTF-16, as another program may write
        "",
    };
    std::vector<std::string> asideNames;
    for (const std::string& bytes : unreadable) {
        SCOPED_TRACE(bytes);
        folder.put("recovery-6.csv", bytes);
        h.dialogs.messages.clear();
        EXPECT_FALSE(h.editor.offerRecovery(folder.path("recovery-6.csv")));
        EXPECT_EQ(h.editor.sheet(), LabelSheet{});
        EXPECT_FALSE(fileExists(folder.path("recovery-6.csv")));
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Warning);
        // The message names the file, which holds the bytes as they were.
        std::string named;
        for (const auto& entry : std::filesystem::directory_iterator(folder.dir())) {
            const std::string path = entry.path().string();
            if (h.dialogs.messages[0].text.find(path) != std::string::npos)
                named = entry.path().filename().string();
        }
        ASSERT_FALSE(named.empty()) << h.dialogs.messages[0].text;
        EXPECT_TRUE(isSetAsideRecoveryFile(named));
        EXPECT_EQ(folder.get(named), bytes);
        asideNames.push_back(named);
    }
    // Each one set aside keeps its own name; none of them is taken for a leftover.
    EXPECT_EQ(std::set<std::string>(asideNames.begin(), asideNames.end()).size(),
              asideNames.size());
    EXPECT_FALSE(isSetAsideRecoveryFile(folder.path("recovery-6.csv")));
}

namespace {

long fullDisk(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}

}  // namespace

TEST_F(UnsavedWork, AFailedRecoveryWriteIsSaidOnceTriedAgainAndItsEndSaid) {
    const std::string recovery = folder.path("recovery-7.csv");
    h.editor.setRecoveryPath(recovery);
    FileSystemOps full = realFileSystemOps();
    full.write = fullDisk;
    {
        ScopedFileSystemOps guard(full);
        typeFirstLabel();
        h.editor.keepRecoveryCurrent();
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Warning);
        EXPECT_NE(h.dialogs.messages[0].text.find(recovery), std::string::npos);
        const std::string failing = h.view.statusLine;
        EXPECT_EQ(failing.rfind("自動保存ができません: ", 0), 0u) << failing;
        EXPECT_NE(failing.find(std::strerror(ENOSPC)), std::string::npos) << failing;
        // Every tick tries again, without another word.
        h.typeLabel(record(2));
        h.editor.keepRecoveryCurrent();
        h.editor.keepRecoveryCurrent();
        EXPECT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.view.statusLine.rfind(failing, 0), 0u) << "still said in the status line";
        EXPECT_FALSE(fileExists(recovery));
    }
    // Room again: the next tick writes everything and says so.
    h.editor.keepRecoveryCurrent();
    ASSERT_TRUE(fileExists(recovery));
    EXPECT_EQ(readRecoveryFile(recovery)->sheet.label(2), record(2));
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.view.statusLine.find("自動保存ができません"), std::string::npos);
    EXPECT_NE(h.view.statusLine.find("自動保存"), std::string::npos) << h.view.statusLine;
}

// Folder permissions do not bind the superuser, so as root the window runs in
// a child process that has given its rights up for those of "nobody".
TEST_F(UnsavedWork, ARecoveryFolderThatCannotBeWrittenIsSaid) {
    ASSERT_EQ(::chmod(folder.dir().c_str(), 0555), 0);
    const std::string recovery = folder.path("recovery-8.csv");
    const auto failsAndSays = [&] {
        h.editor.setRecoveryPath(recovery);
        h.typeLabel(record(1));
        h.editor.keepRecoveryCurrent();
        return !fileExists(recovery) && h.dialogs.messages.size() == 1 &&
               h.view.statusLine.find(std::strerror(EACCES)) != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(failsAndSays());
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(failsAndSays() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    ::chmod(folder.dir().c_str(), 0700);
}

// A double quote, which the file form cannot hold, is a failed write too: said
// once, and the recovery file follows again once the quote is gone.
TEST_F(UnsavedWork, ATextTheRecoveryFileCannotHoldIsSaidAndItsEndToo) {
    const std::string recovery = folder.path("recovery-9.csv");
    h.editor.setRecoveryPath(recovery);
    h.view.focusBox(InputBox::Text3);
    h.view.type("12\" モニター");
    h.editor.keepRecoveryCurrent();
    h.editor.keepRecoveryCurrent();
    EXPECT_FALSE(fileExists(recovery));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.view.statusLine.rfind("自動保存ができません: ", 0), 0u) << h.view.statusLine;
    EXPECT_NE(h.view.statusLine.find("\""), std::string::npos) << h.view.statusLine;

    h.view.type("12 インチ モニター");
    h.editor.keepRecoveryCurrent();
    ASSERT_TRUE(fileExists(recovery));
    EXPECT_EQ(readRecoveryFile(recovery)->sheet.label(1).productName, "12 インチ モニター");
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.view.statusLine.find("自動保存ができません"), std::string::npos);
}
