// The product master in the real window: a code typed into Text1 and the box
// left with Tab fills the label, Ctrl+F opens the search, and the search
// dialog itself answers the keys as one types.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/ProductSearchDialog.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char* const kMaster =
    "JANコード,メーカー,品名,規格,売価,税率\n"
    "4901234567894,山田食品,特選しょうゆ,1L,298,8\n"
    "49123456,海野商店,ティッシュペーパー,5箱,398,\n"
    "4512345678906,川村製菓,ﾎﾟﾃﾄﾁｯﾌﾟｽ うすしお,60g,128,8\n"
    "4512345678913,川村製菓,ポテトチップス のりしお,60g,128,8\n";

ProductMaster masterOf(const char* list) {
    std::istringstream in(list);
    std::vector<Result> problems;
    return ProductMaster::read(in, TextEncoding::Auto, problems);
}

}  // namespace

class ProductSearchTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<EditorWindow> window_;

    InputBoxEdit* box(InputBox b) const { return window_->inputBox(b); }
    const LabelRecord& label(int n) const { return window_->editor().sheet().label(n); }

  private slots:
    void init() {
        const std::string master = QDir(dir_.path()).filePath("master.csv").toStdString();
        std::ofstream(master, std::ios::binary) << kMaster;
        dialogs_ = ScriptedDialogs();
        dialogs_.openChoice = master;
        window_ = std::make_unique<TestWindow>(dir_.path(), dialogs_);
        QVERIFY(showActive(*window_));
        window_->findChild<QAction*>(u("商品マスタの選択"))->trigger();
        QCOMPARE(dialogs_.messages.size(), std::size_t{1});
    }
    void cleanup() { window_.reset(); }

    void aCodeTypedAndLeftFillsTheLabel() {
        box(InputBox::Text1)->setFocus();
        QTest::keyClicks(box(InputBox::Text1), QStringLiteral("49123456"));
        QTest::keyClick(box(InputBox::Text1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text2));
        QCOMPARE(box(InputBox::Text3)->text(), u("ティッシュペーパー"));
        QCOMPARE(label(1).price, std::string("398"));
        const auto* status = window_->findChild<QLabel*>(QStringLiteral("statusLine"));
        QVERIFY(status->text().contains(u("商品マスタから入力しました")));
        // Ctrl+Z in the box takes the whole fill back.
        QTest::keyClick(box(InputBox::Text2), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(label(1).productName, std::string());
        QCOMPARE(label(1).janCode, std::string("49123456"));
    }

    void ctrlFPutsTheProductFoundOnTheLabel() {
        dialogs_.productQuery = "のりしお";
        box(InputBox::Text1)->setFocus();
        QTest::keyClick(box(InputBox::Text1), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(dialogs_.productSearchRequests, 1);
        QCOMPARE(label(1).janCode, std::string("4512345678913"));
        QCOMPARE(box(InputBox::Text1)->text(), QStringLiteral("4512345678913"));
        QCOMPARE(box(InputBox::Text3)->text(), u("ポテトチップス のりしお"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
    }

    void theDialogFindsAsOneTypesAndTheArrowsChoose() {
        const ProductMaster master = masterOf(kMaster);
        ProductSearchDialog dialog(master);
        QVERIFY(showActive(dialog));
        QLineEdit* query = dialog.queryBox();
        QTableWidget* list = dialog.resultList();
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(!dialog.chosenProduct().has_value());
        for (const QChar c : u("ぽてと"))  // as an input method commits them
            query->insert(QString(c));
        QCOMPARE(list->rowCount(), 2);  // half-width and full-width names alike
        QCOMPARE(dialog.chosenProduct(), std::optional<std::size_t>(2));
        QTest::keyClick(query, Qt::Key_Down);
        QCOMPARE(dialog.chosenProduct(), std::optional<std::size_t>(3));
        QTest::keyClick(query, Qt::Key_Down);  // stays on the last
        QCOMPARE(dialog.chosenProduct(), std::optional<std::size_t>(3));
        QCOMPARE(QApplication::focusWidget(), query);
        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenProduct(), std::optional<std::size_t>(3));
    }

    void aCodeTypedFindsItsProductFirst() {
        const ProductMaster master = masterOf(kMaster);
        ProductSearchDialog dialog(master);
        dialog.queryBox()->setText(QStringLiteral("４５１２３４５６７８９１３"));
        QCOMPARE(dialog.resultList()->rowCount(), 1);
        QCOMPARE(dialog.resultList()->item(0, 2)->text(), u("ポテトチップス のりしお"));
        dialog.queryBox()->setText(QStringLiteral("存在しない"));
        QCOMPARE(dialog.resultList()->rowCount(), 0);
        QVERIFY(!dialog.chosenProduct().has_value());
    }
};

QTEST_MAIN(ProductSearchTest)
#include "product_search_test.moc"
