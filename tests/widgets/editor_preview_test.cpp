// The preview of the real input window as the user works with it: the text
// being typed shows at once, a click on a label makes it current, the current
// label stays in view at either zoom, a code that prints no barcode shows a
// crossed outline, and the status line names what is wrong.

#include <QApplication>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Pixels of the preview buffer inside a rectangle given in millimetres.
struct PixelCount {
    int dark = 0;  // black-ish
    int red = 0;   // pure-ish red
};

PixelCount countPixels(const QImage& image, QRectF mm) {
    const double perMm = image.dotsPerMeterX() / 1000.0;
    const QRect area(static_cast<int>(mm.left() * perMm), static_cast<int>(mm.top() * perMm),
                     static_cast<int>(mm.width() * perMm), static_cast<int>(mm.height() * perMm));
    PixelCount count;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                ++count.dark;
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++count.red;
        }
    }
    return count;
}

}  // namespace

class EditorPreviewTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<EditorWindow> window_;

    InputBoxEdit* box(InputBox b) const { return window_->inputBox(b); }
    LabelEditor& editor() const { return window_->editor(); }
    const QImage& picture() const { return window_->previewArea()->picture()->buffer(); }
    QString status() const { return window_->findChild<QLabel*>(u("statusLine"))->text(); }
    // Label k's product-name line at 50 %, in mm of the preview.
    static QRectF nameLineAt50(int k) {
        const double lx = 12.0 + 91.0 * ((k - 1) % 2);
        const double ly = 7.8 + 55.0 * ((k - 1) / 2);
        return QRectF((lx + 4) * 0.5, (ly + 24) * 0.5, 87 * 0.5, 7 * 0.5);
    }
    // The rows of the picture the frame shows, in mm.
    std::pair<double, double> visibleRowsMm() const {
        const PreviewArea* area = window_->previewArea();
        const double mmPerTwip = 25.4 / 1440.0;
        const double top = area->verticalBar()->value() * mmPerTwip;
        return {top, top + area->frameTwips().height() * mmPerTwip};
    }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        window_ = std::make_unique<TestWindow>(dir_.path(), dialogs_);
        window_->resize(1000, 600);
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    // Each key shows in the preview; the sheet gets the text when the box is left.
    void theTextBeingTypedShowsAtOnce() {
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        QCOMPARE(countPixels(picture(), nameLineAt50(1)).dark, 0);
        QTest::keyClicks(box(InputBox::Text3), QStringLiteral("TEA"));
        QVERIFY(countPixels(picture(), nameLineAt50(1)).dark > 0);
        QCOMPARE(editor().sheet().label(1).productName, std::string());
        // An input method's committed text too.
        QInputMethodEvent commit;
        commit.setCommitString(u("緑茶"));
        QApplication::sendEvent(box(InputBox::Text3), &commit);
        const int withKanji = countPixels(picture(), nameLineAt50(1)).dark;
        QTest::keyClick(box(InputBox::Text3), Qt::Key_Return);
        QCOMPARE(editor().sheet().label(1).productName, std::string("TEA緑茶"));
        QCOMPARE(countPixels(picture(), nameLineAt50(1)).dark, withKanji);
        // Deleting it all clears the line again before the box is left.
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        box(InputBox::Text3)->selectAll();
        QTest::keyClick(box(InputBox::Text3), Qt::Key_Delete);
        QCOMPARE(countPixels(picture(), nameLineAt50(1)).dark, 0);
        QCOMPARE(editor().sheet().label(1).productName, std::string("TEA緑茶"));
    }

    // A click on label 7 makes it current as the navigation buttons do; what
    // was being typed stays with the label it was typed for.
    void aClickOnALabelMakesItCurrent() {
        box(InputBox::Text2)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box(InputBox::Text2), QStringLiteral("ABC"));
        const double pixelsPerMm =
            picture().dotsPerMeterX() / 1000.0 / picture().devicePixelRatio();
        const QPoint label7((12.0 + 45.0) * 0.5 * pixelsPerMm,
                            (7.8 + 3 * 55 + 27) * 0.5 * pixelsPerMm);
        QTest::mouseClick(window_->previewArea()->picture(), Qt::LeftButton, {}, label7);
        QCOMPARE(editor().currentLabel(), 7);
        QCOMPARE(window_->findChild<QLabel*>(u("Label6"))->text(), u("7/10"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(editor().sheet().label(1).maker, std::string("ABC"));
        QCOMPARE(box(InputBox::Text2)->text(), QString());
        // From the price box too: no step to the next label on the way.
        box(InputBox::Text5)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box(InputBox::Text5), QStringLiteral("98"));
        const QPoint label2((12.0 + 91 + 45.0) * 0.5 * pixelsPerMm, (7.8 + 27) * 0.5 * pixelsPerMm);
        QTest::mouseClick(window_->previewArea()->picture(), Qt::LeftButton, {}, label2);
        QCOMPARE(editor().currentLabel(), 2);
        QCOMPARE(editor().sheet().label(7).price, std::string("98"));
    }

    // At 100 % the current label stays in view; back at 50 % too.
    void theCurrentLabelStaysInView() {
        QTest::mouseClick(window_->findChild<QPushButton*>(u("倍率")), Qt::LeftButton);
        QCOMPARE(editor().viewState().previewZoom, 1.0);
        QTest::mouseClick(window_->findChild<QPushButton*>(u("Cmdlast")), Qt::LeftButton);
        auto [top, bottom] = visibleRowsMm();
        const double labelTop = 7.8 + 4 * 55;
        QVERIFY2(top <= labelTop + 1 && (bottom >= labelTop + 55 - 1 || top >= labelTop - 1),
                 qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
        QVERIFY(top > 0);
        QTest::mouseClick(window_->findChild<QPushButton*>(u("倍率")), Qt::LeftButton);
        QCOMPARE(editor().viewState().previewZoom, 0.5);
        std::tie(top, bottom) = visibleRowsMm();
        QVERIFY(top <= labelTop * 0.5 + 1);
        QVERIFY(bottom >= (labelTop + 55) * 0.5 - 1 || top >= labelTop * 0.5 - 1);
        // Arrow steps of about 5 mm, page steps of a frame.
        const QScrollBar* bar = window_->previewArea()->verticalBar();
        QCOMPARE(bar->singleStep(), 283);
        QCOMPARE(bar->pageStep(), window_->previewArea()->frameTwips().height());
    }

    // A 13-digit code that prints no barcode shows the crossed outline in red
    // and no bars; a valid one the bars and no red.
    void aCodeWithoutBarcodeShowsACrossedOutline() {
        const QRectF barcodeAt50((12 + 44) * 0.5, (7.8 + 4) * 0.5, 40 * 0.5, 9.5 * 0.5);
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box(InputBox::Text3), QStringLiteral("TEA"));
        box(InputBox::Text1)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(box(InputBox::Text1), QStringLiteral("4901234567890"));  // being typed
        PixelCount seen = countPixels(picture(), barcodeAt50);
        QVERIFY(seen.red > 0);
        QCOMPARE(seen.dark, 0);
        QVERIFY(status().contains(u("JANコードが正しくないため")));
        QTest::keyClick(box(InputBox::Text1), Qt::Key_Return);  // corrected to ...894
        QCOMPARE(editor().sheet().label(1).janCode, std::string("4901234567894"));
        seen = countPixels(picture(), barcodeAt50);
        QCOMPARE(seen.red, 0);
        QVERIFY(seen.dark > 100);
        QCOMPARE(status(), u("チェックデジットを 0 から 4 に直しました"));
    }
};

QTEST_MAIN(EditorPreviewTest)
#include "editor_preview_test.moc"
