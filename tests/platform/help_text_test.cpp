// --help of both programs: Japanese, or English where the messages locale
// names English, option for option the same (the manual pages of both
// languages are made from it); and the window program answers --help and
// --version without opening a window.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>

namespace {

struct Locale {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
};

struct Answer {
    int exitCode = -1;
    QString out;
    QString err;
};

Answer run(const QString& program, const QStringList& args, const Locale& locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const std::pair<const char*, const char*> variables[] = {
        {"LC_ALL", locale.lcAll}, {"LC_MESSAGES", locale.lcMessages}, {"LANG", locale.lang}};
    for (const auto& [name, value] : variables) {
        if (value)
            environment.insert(QString::fromLatin1(name), QString::fromUtf8(value));
        else
            environment.remove(QString::fromLatin1(name));
    }
    // No display at all: --help and --version must not need one.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    Answer result;
    if (!process.waitForStarted() || !process.waitForFinished())
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The options the option list of a --help text explains, e.g. "-h", "--dpi".
QSet<QString> explainedOptions(const QString& help) {
    QSet<QString> options;
    static const QRegularExpression entry(QStringLiteral("^  (-[^ ]*(?:, -[^ ]*)?)"),
                                          QRegularExpression::MultilineOption);
    for (const auto& match : entry.globalMatch(help)) {
        for (const QString& name : match.captured(1).split(QStringLiteral(", ")))
            options.insert(name);
    }
    return options;
}

const Locale kEnglish{"en_US.UTF-8", nullptr, nullptr};
const Locale kJapanese{"ja_JP.UTF-8", nullptr, nullptr};

const QString kPrograms[] = {QStringLiteral(TANAHUDA_PRINT_TOOL),
                             QStringLiteral(TANAHUDA_WINDOW_PROGRAM)};

TEST(HelpText, TheLocaleChoosesTheLanguage) {
    struct Case {
        Locale locale;
        bool english;
    };
    const Case cases[] = {
        {{nullptr, nullptr, nullptr}, false},
        {{"C.UTF-8", nullptr, "en_US.UTF-8"}, false},  // LC_ALL comes first
        {{"POSIX", nullptr, nullptr}, false},
        {{nullptr, nullptr, "ja_JP.UTF-8"}, false},
        {{nullptr, nullptr, "en_GB.UTF-8"}, true},
        {{nullptr, nullptr, "en"}, true},
        {{"", "en_US.UTF-8", "ja_JP.UTF-8"}, true},  // an empty LC_ALL counts as unset
        {{nullptr, "ja_JP.UTF-8", "en_US.UTF-8"}, false},
        {{"en_US.UTF-8", "ja_JP.UTF-8", nullptr}, true},
        {{nullptr, nullptr, "eo.UTF-8"}, false},
    };
    for (const QString& program : kPrograms) {
        for (const Case& c : cases) {
            const Answer help = run(program, {QStringLiteral("--help")}, c.locale);
            const std::string what =
                program.toStdString() + " LC_ALL=" + (c.locale.lcAll ? c.locale.lcAll : "-") +
                " LC_MESSAGES=" + (c.locale.lcMessages ? c.locale.lcMessages : "-") +
                " LANG=" + (c.locale.lang ? c.locale.lang : "-");
            EXPECT_EQ(help.exitCode, 0) << what << help.err.toStdString();
            EXPECT_TRUE(help.out.startsWith(c.english ? QStringLiteral("Usage:\n")
                                                      : QStringLiteral("使い方:\n")))
                << what;
        }
    }
}

// The command lines under the heading, up to the first blank line.
QString usageLines(const QString& help) {
    return help.section(QStringLiteral("\n\n"), 0, 0);
}

TEST(HelpText, BothLanguagesExplainTheSameOptionsAndShowThemInTheUsage) {
    for (const QString& program : kPrograms) {
        const Answer japanese = run(program, {QStringLiteral("--help")}, kJapanese);
        const Answer english = run(program, {QStringLiteral("-h")}, kEnglish);
        const QSet<QString> options = explainedOptions(japanese.out);
        EXPECT_GE(options.size(), 2) << program.toStdString();
        EXPECT_EQ(explainedOptions(english.out), options) << program.toStdString();
        // Each option's last name ("--help" of "-h, --help") in the command
        // lines at the top, in both languages.
        static const QRegularExpression entry(QStringLiteral("^  (?:-[^ ]*, )?(-[^ ]*)"),
                                              QRegularExpression::MultilineOption);
        for (const auto& match : entry.globalMatch(japanese.out)) {
            const QRegularExpression named(QRegularExpression::escape(match.captured(1)) +
                                           QStringLiteral("(?![a-z-])"));
            EXPECT_TRUE(usageLines(japanese.out).contains(named))
                << program.toStdString() << " " << match.captured(1).toStdString();
            EXPECT_TRUE(usageLines(english.out).contains(named))
                << program.toStdString() << " " << match.captured(1).toStdString();
        }
    }
}

TEST(HelpText, TheWindowProgramAnswersVersionWithoutADisplay) {
    const Answer version =
        run(QStringLiteral(TANAHUDA_WINDOW_PROGRAM), {QStringLiteral("--version")}, kJapanese);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("tanahuda " TANAHUDA_VERSION "\n"));
    EXPECT_EQ(version.err, QString());
}

}  // namespace
