// 列の対応 in the real batch dialog: a list whose header names neither the
// code nor the name cannot be printed until a column is chosen for one; the
// first rows follow the choice; a mapping remembered for the header is shown
// and printed at once.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/widgets/BatchPrintDialog.h"
#include "editor/widgets/ColumnMappingPanel.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char* const kExport =
    "品番,表示名,値段,税率\n"
    "4901234567894,特選しょうゆ,298,8\n"
    "49123456,ティッシュペーパー,398,10\n";

QString writeExport(const QTemporaryDir& dir) {
    const QString path = dir.filePath(u("export.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(kExport);
    return path;
}

// Chooses column `column` (from 0; -1 なし) for `part` as the user does.
void choose(ColumnMappingPanel* panel, const char* part, int column) {
    QComboBox* box = panel->partChoice(part);
    box->setCurrentIndex(box->findData(column));
    emit box->activated(box->currentIndex());
}

QPushButton* printButton(const BatchPrintDialog& dialog) {
    return dialog.findChild<QPushButton*>(u("一括印刷実行"));
}

}  // namespace

class ColumnMappingPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void unknownColumnsAreChosenBeforeAnythingPrints() {
        QTemporaryDir dir;
        BatchPrintDialog dialog(writeExport(dir), initialLayoutSettings());
        ColumnMappingPanel* panel = dialog.mappingPanel();
        QVERIFY(!dialog.mapping().canPrint());
        QVERIFY(!printButton(dialog)->isEnabled());
        QCOMPARE(panel->partChoice("品名")->currentText(), u("なし"));
        QCOMPARE(panel->partChoice("税率")->currentText(), u("4: 税率"));

        choose(panel, "品名", 1);
        choose(panel, "JANコード", 0);
        choose(panel, "売価", 2);
        QVERIFY(dialog.mapping().canPrint());
        QVERIFY(printButton(dialog)->isEnabled());
        QCOMPARE(dialog.productCount(), 2L);
        QTableWidget* rows = panel->rowsShown();
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->item(0, 2)->text(), u("特選しょうゆ"));
        QCOMPARE(rows->item(1, 5)->text(), u("398"));

        choose(panel, "品名", -1);  // なし: a row without a name takes no label
        QCOMPARE(rows->rowCount(), 0);
        QCOMPARE(dialog.productCount(), 0L);
        QVERIFY(!printButton(dialog)->isEnabled());
    }

    void aMappingRememberedForTheHeaderIsShownAtOnce() {
        QTemporaryDir dir;
        ColumnMapping remembered = ColumnMapping::fromHeader({"品番", "表示名", "値段", "税率"});
        remembered.assign(*labelPart("JANコード"), 0);
        remembered.assign(*labelPart("品名"), 1);
        BatchPrintDialog dialog(writeExport(dir), initialLayoutSettings(), {remembered});
        QCOMPARE(dialog.mapping(), remembered);
        QCOMPARE(dialog.mappingPanel()->partChoice("品名")->currentText(), u("2: 表示名"));
        QVERIFY(printButton(dialog)->isEnabled());
        QCOMPARE(dialog.productCount(), 2L);
    }
};

QTEST_MAIN(ColumnMappingPanelTest)
#include "column_mapping_panel_test.moc"
