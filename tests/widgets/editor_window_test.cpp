// The input window's controls: the boxes with their captions in the order of
// the Enter cycle, the frames, what screen readers find, the preview buffer
// and its scroll bars.

#include <QAccessible>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
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

// Every accessible object under `root`, depth first.
void collect(QAccessibleInterface* root, QList<QAccessibleInterface*>& out) {
    if (root == nullptr) {
        return;
    }
    out << root;
    for (int i = 0; i < root->childCount(); ++i) {
        collect(root->child(i), out);
    }
}

}  // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;

    std::unique_ptr<EditorWindow> makeWindow() {
        return std::make_unique<TestWindow>(dir_.path(), dialogs_);
    }

  private slots:
    void windowBoxesFramesAndCounter() {
        auto window = makeWindow();
        QCOMPARE(window->objectName(), u("棚札入力"));
        QCOMPARE(window->windowTitle(), u("棚札入力画面  無題"));
        QCOMPARE(window->findChild<QLabel*>(u("Label6"))->text(), u("1/10"));

        const char* boxes[][2] = {{"Text1", "JANコード OR 空白"},
                                  {"Text2", "メーカー等"},
                                  {"Text3", "品名等"},
                                  {"Text4", "規格等"},
                                  {"Text6", "ロット等"},
                                  {"Text5", "売価等"}};
        QWidget* previous = nullptr;
        for (const auto& [name, caption] : boxes) {
            auto* box = window->findChild<InputBoxEdit*>(u(name));
            QVERIFY2(box != nullptr, name);
            QCOMPARE(box->text(), QString());
            bool hasBuddy = false;
            for (QLabel* label : window->findChildren<QLabel*>()) {
                hasBuddy |= label->buddy() == box && label->text() == u(caption);
            }
            QVERIFY2(hasBuddy, name);
            if (previous != nullptr) {
                QWidget* next = previous->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus)) {
                    next = next->nextInFocusChain();
                }
                QCOMPARE(next, box);  // tab order: the Enter cycle
            }
            previous = box;
        }
        auto* jan = window->inputBox(InputBox::Text1);
        auto* price = window->inputBox(InputBox::Text5);
        QVERIFY(jan->alignment() & Qt::AlignRight);
        QVERIFY(price->alignment() & Qt::AlignRight);
        QCOMPARE(price->font().family(), u("ＭＳ Ｐゴシック"));
        QCOMPARE(price->font().pointSizeF(), 14.25);
        QCOMPARE(window->inputBox(InputBox::Text2)->maxLength(), 6);
        QCOMPARE(window->inputBox(InputBox::Text3)->maxLength(), 13);
        // Japanese stays possible everywhere but in the JAN code box, which
        // takes digits as the keys give them.
        for (const auto& [name, caption] : boxes) {
            auto* box = window->findChild<InputBoxEdit*>(u(name));
            QCOMPARE(box->testAttribute(Qt::WA_InputMethodEnabled), box != jan);
            QVERIFY(!(box->inputMethodHints() & Qt::ImhLatinOnly));
        }
        QVERIFY(jan->inputMethodHints() & Qt::ImhPreferNumbers);

        for (const char* caption :
             {"JANコード", "バーコード", "メーカー", "品名", "規格", "ロット", "売価", "円"}) {
            bool found = false;
            for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
                found |= frame->title() == u(caption);
            }
            QVERIFY2(found, caption);
        }
        auto* origin = window->findChild<QGroupBox*>(u("印字位置調整"));
        QVERIFY(origin != nullptr);
        QCOMPARE(origin->title(), u("印字位置調整"));
        QStringList originLabels;
        for (QLabel* label : origin->findChildren<QLabel*>()) {
            originLabels << label->text();
        }
        QVERIFY(originLabels.contains(u("Ｘ座標")) && originLabels.contains(u("Ｙ座標")));
        QCOMPARE(window->findChild<QLineEdit*>(u("x座標調整"))->text(), u("0"));
        QCOMPARE(window->findChild<QLineEdit*>(u("y座標調整"))->text(), u("0"));

        QVERIFY(window->findChild<QWidget*>(u("picFrame")) != nullptr);
        QCOMPARE(window->findChild<QWidget*>(u("picDraw"))->parentWidget(),
                 window->findChild<QWidget*>(u("picFrame")));
        QVERIFY(window->findChild<QScrollBar*>(u("VScroll1")) != nullptr);
        QVERIFY(window->findChild<QScrollBar*>(u("HScroll1")) != nullptr);
    }

    void screenReadersFindControlsByTheirCaptions() {
        auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QList<QAccessibleInterface*> all;
        collect(QAccessible::queryAccessibleInterface(window.get()), all);
        auto find = [&](QAccessible::Role role, const QString& name) -> QObject* {
            for (QAccessibleInterface* i : all) {
                if (i->role() == role && i->text(QAccessible::Name) == name) {
                    return i->object();
                }
            }
            return nullptr;
        };
        const char* boxes[][2] = {{"JANコード OR 空白", "Text1"},
                                  {"メーカー等", "Text2"},
                                  {"品名等", "Text3"},
                                  {"規格等", "Text4"},
                                  {"ロット等", "Text6"},
                                  {"売価等", "Text5"}};
        for (const auto& [caption, name] : boxes) {
            QObject* box = find(QAccessible::EditableText, u(caption));
            QVERIFY2(box != nullptr, caption);
            QCOMPARE(box->objectName(), u(name));
        }
        const char* buttons[][2] = {
            {"全画面クリア", "全クリア"},
            {"印刷", "印刷"},
            {"品名 右", "品名_右"},
            {"売価 上", "上"},
            {"円 左", "enn_左"},
            {"JANコード 下", "jan_下"},
            {"品名 色", "品名_color"},
            {"Ｘ座標 +", "xプラス"},
            {"ロット 表示しない", "ロット表示"},
        };
        for (const auto& [caption, name] : buttons) {
            QObject* button = find(QAccessible::Button, u(caption));
            QVERIFY2(button != nullptr, caption);
            QCOMPARE(button->objectName(), u(name));
        }
    }

    void previewIsTheWholePageAtScreenResolution() {
        auto window = makeWindow();
        QVERIFY(showActive(*window));
        const QImage& page = window->previewArea()->picture()->buffer();
        const double dpi = page.logicalDpiX();
        // A4 without a printer: 210 x 297 mm.
        if (QPrinterInfoIsNull()) {
            QCOMPARE(page.deviceIndependentSize().toSize(),
                     QSize(qRound(210 / 25.4 * dpi), qRound(297 / 25.4 * dpi)));
        }
        // Label 1 is framed in blue at 50 %: the top edge at 0.5 x 7.8 mm,
        // 2 pixels wide, from x = 0.5 x 12 mm.
        // (In the buffer's own pixels on a high-density screen.)
        const double ratio = page.devicePixelRatio();
        const int top = qRound(0.5 * 7.8 / 25.4 * dpi * ratio);
        const int middle = qRound(0.5 * (12.0 + 45.0) / 25.4 * dpi * ratio);
        int blue = 0;
        for (int y = top - 4; y <= top + 4; ++y) {
            blue += page.pixel(middle, y) == qRgb(0, 0, 255) ? 1 : 0;
        }
        QCOMPARE(blue, qRound(2 * ratio));
    }

    void scrollBarsMovePictureAfterCompletedScrolls() {
        auto window = makeWindow();
        window->resize(1366, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        PreviewArea* area = window->previewArea();
        QScrollBar* vertical = area->verticalBar();
        QVERIFY(!vertical->hasTracking());
        QVERIFY(!area->horizontalBar()->hasTracking());
        // The maximum is how much taller the picture is than the frame, in twips.
        const double t = area->twipsPerPixel();
        const int expected = qRound((area->picture()->height() - area->frame()->height()) * t);
        QVERIFY(qAbs(vertical->maximum() - expected) <= qRound(t));
        QVERIFY(vertical->pageStep() >= 1 && vertical->singleStep() >= 1);
        vertical->setValue(vertical->maximum());
        QCOMPARE(area->picture()->y(), -qRound(vertical->maximum() / t));
        QCOMPARE(area->picture()->x(), 0);
        // Dragging the thumb does not move the picture until it is released.
        vertical->setSliderDown(true);
        vertical->setSliderPosition(0);
        QCOMPARE(area->picture()->y(), -qRound(vertical->maximum() / t));
        vertical->setSliderDown(false);
        QCOMPARE(area->picture()->y(), 0);
    }

  private:
    static bool QPrinterInfoIsNull();
};

#include <QPrinterInfo>
bool EditorWindowTest::QPrinterInfoIsNull() {
    return QPrinterInfo::defaultPrinter().isNull();
}

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
