#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "WindowUsage.h"
#include "editor/widgets/RecoverySlot.h"
#include "platform/FontSubstitution.h"
#include "platform/JapaneseTranslation.h"
#include "platform/SettingsLocation.h"
#include "start/FirstPaint.h"
#include "start/StartWindow.h"

namespace {

// With TANAHUDA_MEASURE_STARTUP set, the program reports on stderr how long
// the start window took to appear and how long each "作成" took until the
// input window was painted.
void measureOpening(StartWindow& startWindow, const QElapsedTimer& sinceMain) {
    whenFirstPainted(&startWindow, [&sinceMain] {
        // The wall clock too, to compare with the time the process was started.
        std::fprintf(stderr, "tanahuda: start window painted %.1f ms after main() (at %lld ms)\n",
                     sinceMain.nsecsElapsed() / 1e6,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    });
    auto* sinceCreate = new QElapsedTimer;
    QObject::connect(&startWindow, &StartWindow::destroyed, [sinceCreate] { delete sinceCreate; });
    QObject::connect(&startWindow, &StartWindow::inputWindowRequested,
                     [sinceCreate] { sinceCreate->start(); });
    QObject::connect(&startWindow, &StartWindow::inputWindowShown, [sinceCreate](QWidget* window) {
        whenFirstPainted(window, [sinceCreate] {
            std::fprintf(stderr, "tanahuda: input window painted %.1f ms after 作成\n",
                         sinceCreate->nsecsElapsed() / 1e6);
        });
    });
}

// The arguments as the file functions take names: the bytes given on Linux,
// the wide command line as UTF-8 on Windows (any name, whatever the code page).
std::vector<std::string> programArguments(int argc, char** argv) {
#ifdef Q_OS_WIN
    (void)argc;
    (void)argv;
    std::vector<std::string> args;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        args.push_back(given[i].toStdString());
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (const auto answer = windowCommandLineAnswer({argv + 1, argv + argc}, helpLanguage())) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Only the application name: a display name would be appended to every
    // window caption by some desktops, and the captions are the program's own.
    QApplication::setApplicationName(QStringLiteral("tanahuda"));
    QApplication::setApplicationVersion(QStringLiteral(TANAHUDA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("tanahuda"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tanahuda")));
    installJapaneseTranslation(app);
    installJapaneseFontSubstitutions();

    StartWindow startWindow(SettingsLocation::forThisProgram(),
                            RecoverySlot::folderForThisProgram());
    if (qEnvironmentVariableIsSet("TANAHUDA_MEASURE_STARTUP"))
        measureOpening(startWindow, sinceMain);
    // A label file given (or dropped on the program) opens in the input
    // window alone; closing it ends the program.
    if (const auto labelFile = labelFileArgument(programArguments(argc, argv)))
        startWindow.openLabelFile(*labelFile);
    else
        startWindow.show();
    return app.exec();
}
