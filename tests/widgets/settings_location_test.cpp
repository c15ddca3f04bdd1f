// Where data.txt is read from and written to: beside a portable program, or in
// the user's configuration folder for an installed one.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/SettingsLocation.h"

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

}  // namespace

class SettingsLocationTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(root_.isValid());
        program_ = root_.filePath(QStringLiteral("program"));
        user_ = root_.filePath(QStringLiteral("config/tanahuda"));
        QVERIFY(QDir().mkpath(program_));
        QVERIFY(QDir().mkpath(user_));
        QFile::remove(program_ + "/data.txt");
        QFile::remove(user_ + "/data.txt");
    }

    void rule_data() {
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("programHasFile");
        QTest::addColumn<bool>("userHasFile");
        QTest::addColumn<QString>("expectedRead");
        QTest::addColumn<QString>("expectedWrite");
        // A portable program keeps its file beside itself, whatever the user has.
        QTest::newRow("portable, nothing saved") << true << false << false << "program"
                                                 << "program";
        QTest::newRow("portable, user has one") << true << false << true << "program"
                                                << "program";
        QTest::newRow("portable, both have one") << true << true << true << "program"
                                                 << "program";
        // An installed program saves for the user; it reads the file shipped
        // beside it until the user has one.
        QTest::newRow("installed, nothing saved") << false << false << false << "program"
                                                  << "user";
        QTest::newRow("installed, shipped file") << false << true << false << "program"
                                                 << "user";
        QTest::newRow("installed, user has one") << false << false << true << "user"
                                                 << "user";
        QTest::newRow("installed, both have one") << false << true << true << "user"
                                                  << "user";
    }

    void rule() {
        QFETCH(bool, programWritable);
        QFETCH(bool, programHasFile);
        QFETCH(bool, userHasFile);
        QFETCH(QString, expectedRead);
        QFETCH(QString, expectedWrite);
        if (programHasFile)
            touch(program_ + "/data.txt");
        if (userHasFile)
            touch(user_ + "/data.txt");

        const SettingsPaths paths = settingsPathsFor(program_, programWritable, user_);

        const auto fileIn = [this](const QString& which) {
            return QDir::toNativeSeparators((which == "program" ? program_ : user_) + "/data.txt")
                .toStdString();
        };
        QCOMPARE(paths.readPath, fileIn(expectedRead));
        QCOMPARE(paths.writePath, fileIn(expectedWrite));
    }

    void noUserFolderFallsBackToTheProgramFolder() {
        const SettingsPaths paths = settingsPathsFor(program_, false, QString());
        const std::string programFile =
            QDir::toNativeSeparators(program_ + "/data.txt").toStdString();
        QCOMPARE(paths.readPath, programFile);
        QCOMPARE(paths.writePath, programFile);
    }

    void writableFolders() {
        QVERIFY(isWritableProgramFolder(program_));
        // The probe leaves nothing behind.
        QCOMPARE(QDir(program_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(!isWritableProgramFolder(root_.filePath(QStringLiteral("missing"))));
        QVERIFY(!isWritableProgramFolder(QString()));
        // The system's program folders never hold data.txt, even for the administrator.
        QVERIFY(!isWritableProgramFolder(QStringLiteral("/usr/bin")));
        QVERIFY(!isWritableProgramFolder(QStringLiteral("/usr/local/bin")));
    }

    void readOnlyFolderIsNotWritable() {
        if (geteuid() == 0)
            QSKIP("the administrator may write into any folder");
        QVERIFY(QFile::setPermissions(program_, QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = isWritableProgramFolder(program_);
        QFile::setPermissions(program_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!writable);
    }

    void installedProgramCreatesTheUserFolder() {
        const QString user = root_.filePath(QStringLiteral("fresh/config/tanahuda"));
        const SettingsPaths paths = SettingsLocation(QStringLiteral("/usr/bin"), user).paths();
        QVERIFY(QFileInfo(user).isDir());
        QCOMPARE(paths.writePath, QDir::toNativeSeparators(user + "/data.txt").toStdString());
        QCOMPARE(paths.readPath, std::string("/usr/bin/data.txt"));
    }

    void portableProgramUsesItsFolder() {
        const SettingsPaths paths = SettingsLocation(program_, user_).paths();
        const std::string programFile =
            QDir::toNativeSeparators(program_ + "/data.txt").toStdString();
        QCOMPARE(paths.readPath, programFile);
        QCOMPARE(paths.writePath, programFile);
    }

  private:
    QTemporaryDir root_;
    QString program_;
    QString user_;
};

QTEST_GUILESS_MAIN(SettingsLocationTest)
#include "settings_location_test.moc"
