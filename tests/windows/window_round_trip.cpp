// The input window of tanahuda, as the program opens it, driven through its
// own file commands: ファィルを開く opens a label file (the open dialog
// answers with its name), 上書き保存 writes it back, 終了 closes the window.
// Exits 0 when the file was written back byte for byte and the window said
// nothing on the way. Run offscreen, on Linux and under wine, by
// scripts/windows-wine-test.sh.
//
//   window_round_trip LABELFILE SETTINGS_FOLDER
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "editor/widgets/EditorWindow.h"
#include "files/FileIo.h"
#include "platform/FontSubstitution.h"
#include "platform/JapaneseTranslation.h"
#include "widgets/ScriptedDialogs.h"

namespace {

bool trigger(QWidget& window, const char* command) {
    auto* action = window.findChild<QAction*>(QString::fromUtf8(command));
    if (action == nullptr) {
        std::fprintf(stderr, "window_round_trip: the window has no command %s\n", command);
        return false;
    }
    action->trigger();
    QCoreApplication::processEvents();
    return true;
}

std::string contentOf(const std::string& path) {
    std::string bytes;
    return readWholeFile(path, bytes).ok() ? bytes : std::string("(unreadable)");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_round_trip LABELFILE SETTINGS_FOLDER\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("tanahuda"));
    installJapaneseTranslation(app);
    installJapaneseFontSubstitutions();

    const std::string labelFile = QString::fromLocal8Bit(argv[1]).toStdString();
    const std::string settings =
        QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("data.txt")).toStdString();
    const std::string before = contentOf(labelFile);
    // Dated far back, so that a save that wrote nothing is seen.
    const QDateTime longAgo = QDateTime::fromSecsSinceEpoch(86400 * 365 * 30);
    {
        QFile file(QString::fromStdString(labelFile));
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(longAgo, QFileDevice::FileModificationTime)) {
            std::fprintf(stderr, "window_round_trip: cannot date the label file\n");
            return 2;
        }
    }

    ScriptedDialogs dialogs;
    dialogs.openChoice = labelFile;
    bool ran = false;
    {
        EditorWindow window(SettingsPaths{settings, settings}, dialogs);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QCoreApplication::processEvents();
        ran = trigger(window, "f_open") && trigger(window, "U_SAVE") && trigger(window, "MNUEXIT");
    }
    for (const MessageRequest& message : dialogs.messages)
        std::fprintf(stderr, "window_round_trip: the window said: %s\n", message.text.c_str());
    const bool written = QFileInfo(QString::fromStdString(labelFile)).lastModified() != longAgo;
    const bool same = contentOf(labelFile) == before;
    if (!written)
        std::fprintf(stderr, "window_round_trip: the file was not saved\n");
    if (!same)
        std::fprintf(stderr, "window_round_trip: the saved file differs from the one opened\n");
    const bool asked = dialogs.openRequests == 1 && dialogs.saveRequests == 0;
    if (!asked)
        std::fprintf(stderr, "window_round_trip: %d open and %d save dialogs\n",
                     dialogs.openRequests, dialogs.saveRequests);
    return ran && written && same && asked && dialogs.messages.empty() ? 0 : 1;
}
