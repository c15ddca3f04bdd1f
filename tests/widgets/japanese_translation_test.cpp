// Qt's own texts read in Japanese whatever the system's locale.
#include <QAbstractFileIconProvider>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "platform/JapaneseTranslation.h"

class JapaneseTranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // As on a machine set to English.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(installJapaneseTranslation(*QCoreApplication::instance()));
    }

    void defaultLocaleIsJapanese() {
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        QCOMPARE(QLocale().territory(), QLocale::Japan);
    }

    void standardButtonsReadInJapanese_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("はい(&Y)");
        QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("いいえ(&N)");
        QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("OK");
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("キャンセル");
    }

    void standardButtonsReadInJapanese() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::NoIcon, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(static_cast<QMessageBox::StandardButton>(button))->text(), text);
    }

    void textsTheCatalogueLacksReadInJapaneseToo() {
        // The type column of the file dialogs, as Qt itself asks for it.
        QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())),
                 QStringLiteral("フォルダー"));
        // The catalogue still answers first.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("キャンセル"));
    }
};

QTEST_MAIN(JapaneseTranslationTest)
#include "japanese_translation_test.moc"
