// The Qt dialogs of the input window: what each dialog shows and what it
// hands back (message answers, colours as 0x00BBGGRR, fonts under their
// stored names, file paths, the one-page printer set-up).

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "editor/widgets/QtEditorDialogs.h"
#include "platform/FontSubstitution.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Runs `act` on the modal dialog of type T as soon as it is shown.
template <typename T>
void whenShown(std::function<void(T*)> act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        *seen = dialog != nullptr;
        if (dialog != nullptr) {
            act(dialog);
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            other->close();
        }
    });
}

const std::vector<FileFilter> kFilters = {{"テキスト ファイル (*.csv)", "*.csv"},
                                          {"テキスト ファイル (*.txt)", "*.txt"},
                                          {"すべてのファイル (*.*)", "*.*"}};

}  // namespace

class QtEditorDialogsTest : public QObject {
    Q_OBJECT

  private:
    QWidget parent_;
    QtEditorDialogs dialogs_{&parent_};

  private slots:
    void initTestCase() {
        installJapaneseFontSubstitutions();
        QApplication::setApplicationDisplayName(QString());
        parent_.show();
    }

    void messagesShowTheirTextTitleIconAndButtons_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<int>("shownButtons");
        QTest::addColumn<int>("shownDefault");
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("delete") << u("削除しますか?。") << u("削除") << int(MessageIcon::Critical)
                                << int(MessageButtons::YesNo) << int(MessageAnswer::No) << u("削除")
                                << int(QMessageBox::Critical) << yesNo << int(QMessageBox::No);
        QTest::newRow("clear all, application title")
            << u("データを全部クリアしますか？") << QString() << int(MessageIcon::None)
            << int(MessageButtons::YesNo) << int(MessageAnswer::Yes) << u("棚札")
            << int(QMessageBox::NoIcon) << yesNo << int(QMessageBox::Yes);
        QTest::newRow("not a label file")
            << u("棚札形式のデータではありません") << u("エラー") << int(MessageIcon::Critical)
            << int(MessageButtons::Ok) << int(MessageAnswer::Ok) << u("エラー")
            << int(QMessageBox::Critical) << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("save changes, three answers")
            << u("変更を保存しますか？") << QString() << int(MessageIcon::Question)
            << int(MessageButtons::YesNoCancel) << int(MessageAnswer::Yes) << u("棚札")
            << int(QMessageBox::Question)
            << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
            << int(QMessageBox::Yes);
    }
    void messagesShowTheirTextTitleIconAndButtons() {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(QString, shownTitle);
        QFETCH(int, shownIcon);
        QFETCH(int, shownButtons);
        QFETCH(int, shownDefault);
        MessageRequest request{text.toStdString(), title.toStdString(),
                               static_cast<MessageIcon>(icon), static_cast<MessageButtons>(buttons),
                               static_cast<MessageAnswer>(defaultButton)};
        bool seen = false;
        QString gotTitle, gotText;
        int gotIcon = -1, gotButtons = -1, gotDefault = -1;
        whenShown<QMessageBox>(
            [&](QMessageBox* box) {
                gotTitle = box->windowTitle();
                gotText = box->text();
                gotIcon = box->icon();
                gotButtons = box->standardButtons();
                gotDefault = box->standardButton(box->defaultButton());
                // Pressing the default button (Enter) answers it.
                box->defaultButton()->click();
            },
            &seen);
        const MessageAnswer answer = dialogs_.showMessage(request);
        QVERIFY(seen);
        QCOMPARE(gotTitle, shownTitle);
        QCOMPARE(gotText, text);
        QCOMPARE(gotIcon, shownIcon);
        QCOMPARE(gotButtons, shownButtons);
        QCOMPARE(gotDefault, shownDefault);
        QCOMPARE(int(answer), defaultButton);
    }

    void escapeAnswersNo() {
        bool seen = false;
        whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); },
                               &seen);
        const MessageAnswer answer = dialogs_.showMessage(
            {"保存しますか？", "", MessageIcon::None, MessageButtons::YesNo, MessageAnswer::Yes});
        QVERIFY(seen);
        QCOMPARE(answer, MessageAnswer::No);

        // A question with キャンセル: Escape cancels, いいえ is its own answer.
        const MessageRequest three{"変更を保存しますか？", "", MessageIcon::Question,
                                   MessageButtons::YesNoCancel, MessageAnswer::Yes};
        whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); },
                               &seen);
        QCOMPARE(dialogs_.showMessage(three), MessageAnswer::Cancel);
        whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); },
                               &seen);
        QCOMPARE(dialogs_.showMessage(three), MessageAnswer::No);
    }

    void colorsComeBackWithRedInTheLowestByte() {
        bool seen = false;
        whenShown<QColorDialog>(
            [](QColorDialog* dialog) {
                dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
                dialog->accept();
            },
            &seen);
        QCOMPARE(dialogs_.chooseColor(), std::optional<Color>(0x563412));
        QVERIFY(seen);
        // OK without a choice is black, never white text on white paper.
        whenShown<QColorDialog>([](QColorDialog* dialog) { dialog->accept(); }, &seen);
        QCOMPARE(dialogs_.chooseColor(), std::optional<Color>(0));
        QVERIFY(seen);
        whenShown<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); }, &seen);
        QCOMPARE(dialogs_.chooseColor(), std::nullopt);
    }

    void fontsKeepTheirStoredNameUnlessAnotherFaceIsChosen() {
        bool seen = false;
        int effectBoxesShown = -1;
        whenShown<QFontDialog>(
            [&effectBoxesShown](QFontDialog* dialog) {
                // Strikeout and underline would be dropped: they are not offered.
                effectBoxesShown = 0;
                for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
                    effectBoxesShown += box->isVisibleTo(dialog) ? 1 : 0;
                }
                dialog->accept();
            },
            &seen);
        std::optional<FontChoice> kept = dialogs_.chooseFont({"ＭＳ 明朝", 18, true, false});
        QVERIFY(seen);
        QVERIFY(kept.has_value());
        QCOMPARE(effectBoxesShown, 0);
        QVERIFY2(kept->name == "ＭＳ 明朝", kept->name.c_str());
        QCOMPARE(kept->size, 18.0);
        QVERIFY(kept->bold);
        QVERIFY(!kept->italic);

        whenShown<QFontDialog>(
            [](QFontDialog* dialog) {
                // A Latin face is listed once the writing system is "Any".
                auto* systems = dialog->findChild<QComboBox*>();
                systems->setCurrentIndex(0);
                emit systems->activated(0);
                QFont other(u("DejaVu Serif"));
                other.setPointSize(11);
                other.setItalic(true);
                dialog->setCurrentFont(other);
                dialog->accept();
            },
            &seen);
        std::optional<FontChoice> changed = dialogs_.chooseFont({"ＭＳ 明朝", 12, false, false});
        QVERIFY(changed.has_value());
        QCOMPARE(changed->name, std::string("DejaVu Serif"));
        QCOMPARE(changed->size, 11.0);
        QVERIFY(!changed->bold);
        QVERIFY(changed->italic);

        whenShown<QFontDialog>([](QFontDialog* dialog) { dialog->reject(); }, &seen);
        QVERIFY(!dialogs_.chooseFont({"ＭＳ 明朝", 12, false, false}).has_value());
    }

    // The fonts offered are those that draw Japanese, with a Japanese sample;
    // a face that draws no Japanese is shown among all the fonts, still chosen.
    void theFontDialogOffersJapaneseFontsWithAJapaneseSample() {
        struct Case {
            const char* stored;
            bool onlyJapanese;
        };
        const Case cases[] = {{"ＭＳ 明朝", true}, {"IPAGothic", true}, {"DejaVu Sans", false}};
        for (const Case& c : cases) {
            bool seen = false;
            QStringList listed;
            QString sample;
            whenShown<QFontDialog>(
                [&](QFontDialog* dialog) {
                    for (QListView* list : dialog->findChildren<QListView*>()) {
                        const QAbstractItemModel* rows = list->model();
                        const bool families =
                            rows->rowCount() > 0 &&
                            QFontDatabase::families().contains(rows->index(0, 0).data().toString());
                        for (int row = 0; families && row < rows->rowCount(); ++row)
                            listed << rows->index(row, 0).data().toString();
                    }
                    sample = dialog->findChild<QLineEdit*>(u("qt_fontDialog_sampleEdit"))->text();
                    dialog->accept();
                },
                &seen);
            const std::optional<FontChoice> kept =
                dialogs_.chooseFont({c.stored, 12, false, false});
            QVERIFY(seen);
            QVERIFY(kept.has_value());
            QCOMPARE(kept->name, std::string(c.stored));  // OK keeps the face
            QCOMPARE(sample, u("棚札 1,980円 あア亜"));
            QVERIFY(!listed.isEmpty());
            bool allJapanese = true;
            for (const QString& family : listed) {
                allJapanese &=
                    QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
            }
            QCOMPARE(allJapanese, c.onlyJapanese);
        }
    }

    void allFilesShowsNamesWithoutADotAndSavesAddTheExtension() {
        QTemporaryDir dir;
        for (const char* name : {"a.csv", "noext", "b.txt"}) {
            QFile file(dir.filePath(u(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // The names the open dialog lists under each file type.
        const QList<QStringList> expected = {
            {u("a.csv")}, {u("b.txt")}, {u("a.csv"), u("b.txt"), u("noext")}};
        QList<QStringList> listed;
        bool seen = false;
        whenShown<QFileDialog>(
            [&](QFileDialog* dialog) {
                auto* view = dialog->findChild<QListView*>(u("listView"));
                auto* types = dialog->findChild<QComboBox*>(u("fileTypeCombo"));
                if (view == nullptr || types == nullptr) {
                    dialog->reject();
                    return;
                }
                const auto names = [view] {
                    QStringList out;
                    const QModelIndex root = view->rootIndex();
                    for (int row = 0; row < view->model()->rowCount(root); ++row) {
                        out << view->model()->index(row, 0, root).data().toString();
                    }
                    out.sort();
                    return out;
                };
                for (int i = 0; i < types->count() && i < expected.size(); ++i) {
                    types->setCurrentIndex(i);
                    emit types->activated(i);  // as a user's choice
                    for (int wait = 0; wait < 500 && names() != expected[i]; ++wait) {
                        QTest::qWait(10);  // the folder is read in the background
                    }
                    listed << names();
                }
                dialog->reject();
            },
            &seen);
        dialogs_.chooseOpenFile({kFilters, dir.filePath(u("a.csv")).toStdString()});
        QVERIFY(seen);
        QCOMPARE(listed, (QList<QStringList>{
                             {u("a.csv")}, {u("b.txt")}, {u("a.csv"), u("b.txt"), u("noext")}}));

        // A name typed without an extension gets that of the chosen type.
        const auto saveTyped = [&](const QString& typed, int type) {
            whenShown<QFileDialog>(
                [&](QFileDialog* dialog) {
                    if (auto* types = dialog->findChild<QComboBox*>(u("fileTypeCombo"))) {
                        // What a user's choice in the list sends.
                        types->setCurrentIndex(type);
                        emit types->activated(type);
                        emit types->textActivated(types->itemText(type));
                    }
                    if (auto* edit = dialog->findChild<QLineEdit*>(u("fileNameEdit"))) {
                        edit->clear();
                        edit->insert(typed);  // as typed through an input method
                    }
                    static_cast<QDialog*>(dialog)->accept();
                },
                &seen);
            return dialogs_.chooseSaveFile({kFilters, dir.filePath(u("a.csv")).toStdString()});
        };
        QCOMPARE(saveTyped(u("今週の特売"), 0),
                 std::optional<std::string>(dir.filePath(u("今週の特売.csv")).toStdString()));
        QCOMPARE(saveTyped(u("週末"), 1),
                 std::optional<std::string>(dir.filePath(u("週末.txt")).toStdString()));
    }

    void fileDialogsOfferTheFileTypesAndReturnTheFullPath() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u("棚札1.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        bool seen = false;
        QStringList filters;
        QString nameBox;
        bool confirmsOverwrite = true;
        whenShown<QFileDialog>(
            [&](QFileDialog* dialog) {
                if (auto* types = dialog->findChild<QComboBox*>(u("fileTypeCombo"))) {
                    for (int i = 0; i < types->count(); ++i) {
                        filters << types->itemText(i);
                    }
                }
                if (auto* edit = dialog->findChild<QLineEdit*>(u("fileNameEdit"))) {
                    nameBox = edit->text();
                }
                confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept();
            },
            &seen);
        const std::optional<std::string> chosen =
            dialogs_.chooseSaveFile({kFilters, std::string("*.csv")});
        QVERIFY(seen);
        QCOMPARE(filters,
                 QStringList({u("テキスト ファイル (*.csv)"), u("テキスト ファイル (*.txt)"),
                              u("すべてのファイル (*.*)")}));
        QCOMPARE(nameBox, u("*.csv"));
        QVERIFY(!confirmsOverwrite);  // the editor asks itself
        QCOMPARE(chosen, std::optional<std::string>(path.toStdString()));

        whenShown<QFileDialog>(
            [&](QFileDialog* dialog) {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept();
            },
            &seen);
        QCOMPARE(dialogs_.chooseOpenFile({kFilters, path.toStdString()}),
                 std::optional<std::string>(path.toStdString()));
        whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }, &seen);
        QCOMPARE(dialogs_.chooseOpenFile({kFilters, "*.csv"}), std::nullopt);
    }

    void thePrinterSetUpAsksForPrinterAndPaperOnly() {
        bool seen = false;
        bool pageRange = true, selection = true, currentPage = true, copiesOpen = true;
        int tabsAskingForPagesOrCopies = -1;
        whenShown<QPrintDialog>(
            [&](QPrintDialog* dialog) {
                // Behind "Options >>": no tab with the page range, page set,
                // copies or order.
                tabsAskingForPagesOrCopies = 0;
                for (QTabWidget* tabs : dialog->findChildren<QTabWidget*>()) {
                    for (int i = 0; i < tabs->count(); ++i) {
                        for (const char* name :
                             {"gbPrintRange", "printRange", "copies", "reverse"}) {
                            if (auto* w = dialog->findChild<QWidget*>(u(name));
                                w != nullptr && tabs->widget(i)->isAncestorOf(w)) {
                                ++tabsAskingForPagesOrCopies;
                            }
                        }
                    }
                }
                pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
                selection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
                currentPage = dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
                copiesOpen = false;
                for (QSpinBox* copies : dialog->findChildren<QSpinBox*>(u("copies"))) {
                    copiesOpen |= copies->isEnabled();
                }
                dialog->reject();
            },
            &seen);
        const PrintJobStart start = dialogs_.choosePrinter(PrintCopies::One, kStandardStock.paper);
        QVERIFY(start.job == nullptr);
        QVERIFY(seen);
        QVERIFY(start.result.ok());  // cancelled, not failed
        QVERIFY(!pageRange);
        QVERIFY(!selection);
        QVERIFY(!currentPage);
        QVERIFY(!copiesOpen);
        QCOMPARE(tabsAskingForPagesOrCopies, 0);
    }

    // A sheet's print asks for the number of copies (1 to 999) and still for
    // no page range or order: one page is printed whole.
    void theSheetsPrinterSetUpAsksForCopiesToo() {
        bool seen = false;
        bool copiesOpen = false, rangeShown = true;
        int most = 0;
        whenShown<QPrintDialog>(
            [&](QPrintDialog* dialog) {
                if (auto* copies = dialog->findChild<QSpinBox*>(u("copies"))) {
                    copiesOpen = copies->isEnabled();
                    most = copies->maximum();
                }
                // A page range can be neither seen nor chosen.
                auto* range = dialog->findChild<QWidget*>(u("printRange"));
                rangeShown = range != nullptr && range->isVisible() && range->isEnabled();
                dialog->reject();
            },
            &seen);
        const PrintJobStart start =
            dialogs_.choosePrinter(PrintCopies::Chosen, kStandardStock.paper);
        QVERIFY(start.job == nullptr);
        QVERIFY(seen);
        QVERIFY(start.result.ok());
        QVERIFY(copiesOpen);
        QCOMPARE(most, 999);
        QVERIFY(!rangeShown);
    }
};

QTEST_MAIN(QtEditorDialogsTest)
#include "qt_editor_dialogs_test.moc"
