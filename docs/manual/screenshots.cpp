// Takes the manual's pictures from the real program: the windows as a user
// sees them, with a sheet of sample labels, and the calibration page as it is
// printed. Run by scripts/manual-screenshots.sh (offscreen).
//
//   manual_screenshots OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "editor/widgets/BatchPrintDialog.h"
#include "editor/widgets/EditorWindow.h"
#include "platform/FontSubstitution.h"
#include "platform/JapaneseTranslation.h"
#include "platform/QtPaintSurface.h"
#include "platform/SettingsLocation.h"
#include "render/CalibrationSheet.h"
#include "render/SheetRenderer.h"
#include "start/HelpWindow.h"
#include "start/StartWindow.h"

namespace {

struct Sample {
    const char* jan;
    const char* maker;
    const char* name;
    const char* spec;
    const char* price;
};

const Sample kSamples[] = {
    {"4901234567894", "山田食品", "特選しょうゆ", "1L", "298"},
    {"4912345678904", "海苔の里", "焼きのり", "10枚", "398"},
    {"49012347", "茶園本舗", "煎茶", "100g", "580"},
    {"4909876543213", "山田食品", "白だし", "500ml", "348"},
    {"4987654321098", "北の農園", "じゃがいも", "1袋", "198"},
};

bool save(const QImage& image, const QString& folder, const char* name) {
    const QString path = QDir(folder).filePath(QString::fromUtf8(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "manual_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QImage shot(QWidget* widget) {
    QCoreApplication::processEvents();
    return widget->grab().toImage();
}

// The top-left corner of the calibration page (label 1 and its scales) at
// 8 pixels a millimetre.
QImage calibrationCorner() {
    constexpr double kPixelsPerMm = 8.0;
    QImage page(static_cast<int>(210 * kPixelsPerMm), static_cast<int>(297 * kPixelsPerMm),
                QImage::Format_RGB32);
    page.setDotsPerMeterX(static_cast<int>(kPixelsPerMm * 1000));
    page.setDotsPerMeterY(static_cast<int>(kPixelsPerMm * 1000));
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        QtPaintSurface surface(painter);
        drawCalibrationSheet(surface, initialLayoutSettings());
    }
    return page.copy(0, 0, static_cast<int>(110 * kPixelsPerMm),
                     static_cast<int>(70 * kPixelsPerMm));
}

void fillSheet(EditorWindow& window) {
    int number = 1;
    for (const Sample& s : kSamples) {
        LabelRecord& label = window.editor().sheet().label(number++);
        label.janCode = s.jan;
        label.maker = s.maker;
        label.productName = s.name;
        label.spec = s.spec;
        label.price = s.price;
    }
    window.editor().goFirst();
}

// The same sheet showing both prices: food at the reduced rate, and a
// detergent at the standard rate.
void fillDualSheet(EditorWindow& window) {
    fillSheet(window);
    LabelSheet& sheet = window.editor().sheet();
    for (int n = 1; n <= 5; ++n)
        sheet.label(n).taxRate = TaxRate::Reduced;
    LabelRecord& detergent = sheet.label(6);
    detergent = LabelRecord{"4901234000018", "清水化学", "台所用洗剤", "400ml", "", "1,980"};
    detergent.taxRate = TaxRate::Standard;
    window.editor().setPriceMode(PriceMode::BaseAndTaxIncluded);
    window.editor().goFirst();
}

// Label 1 and 2 of a dual sheet as printed, at 12 pixels a millimetre.
QImage printedDualLabels(EditorWindow& window) {
    constexpr double kPixelsPerMm = 12.0;
    const LayoutSettings& layout = window.editor().layout();
    const LabelStock& stock = layout.stock;
    const PointMm first{layout.originX, layout.originY};
    QImage page(static_cast<int>(stock.paper.widthMm * kPixelsPerMm),
                static_cast<int>(80 * kPixelsPerMm), QImage::Format_RGB32);
    page.setDotsPerMeterX(static_cast<int>(kPixelsPerMm * 1000));
    page.setDotsPerMeterY(static_cast<int>(kPixelsPerMm * 1000));
    page.fill(Qt::white);
    LabelSheet sheet;
    sheet.label(1) = window.editor().sheet().label(1);
    sheet.label(2) = window.editor().sheet().label(6);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        QtPaintSurface surface(painter);
        drawSheet(surface, sheet, layout, RenderOptions::paper());
        // The labels' edges, as the cut stock shows them.
        painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 2));
        for (int n = 1; n <= 2; ++n) {
            const PointMm cell = stock.cellOrigin(n, first);
            painter.drawRect(QRectF(cell.x * kPixelsPerMm, cell.y * kPixelsPerMm,
                                    stock.labelWidthMm * kPixelsPerMm,
                                    stock.labelHeightMm * kPixelsPerMm));
        }
    }
    // The first two labels, side by side, with a margin of 2 mm.
    const PointMm second = stock.cellOrigin(2, first);
    return page.copy(static_cast<int>((first.x - 2) * kPixelsPerMm),
                     static_cast<int>((first.y - 2) * kPixelsPerMm),
                     static_cast<int>((second.x - first.x + stock.labelWidthMm + 4) * kPixelsPerMm),
                     static_cast<int>((stock.labelHeightMm + 4) * kPixelsPerMm));
}

QString writeProductList(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("商品.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("JAN,メーカー,品名,規格,売価\n");
        for (int i = 0; i < 4; ++i) {
            for (const Sample& s : kSamples) {
                file.write(QStringLiteral("%1,%2,%3,%4,%5\n")
                               .arg(s.jan, s.maker, s.name, s.spec, s.price)
                               .toUtf8());
            }
        }
    }
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: manual_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QApplication::setApplicationName(QStringLiteral("tanahuda"));
    installJapaneseTranslation(app);
    installJapaneseFontSubstitutions();
    QTemporaryDir home;
    bool ok = true;

    StartWindow start(SettingsLocation(home.filePath(QStringLiteral("program")),
                                       home.filePath(QStringLiteral("user"))));
    start.show();
    ok &= save(shot(&start), out, "start.png");

    HelpWindow help;
    help.show();
    ok &= save(shot(&help), out, "help.png");

    const std::string settings = home.filePath(QStringLiteral("data.txt")).toStdString();
    EditorWindow window(SettingsPaths{settings, settings});
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    fillSheet(window);
    ok &= save(shot(&window), out, "input.png");
    if (auto* origin = window.findChild<QGroupBox*>(QStringLiteral("印字位置調整")))
        ok &= save(shot(origin), out, "origin.png");
    if (auto* element = window.findChild<QWidget*>(QStringLiteral("frame_品名")))
        ok &= save(shot(element), out, "element.png");

    ok &= save(calibrationCorner(), out, "calibration.png");

    fillDualSheet(window);
    ok &= save(shot(&window), out, "input-dual.png");
    ok &= save(printedDualLabels(window), out, "printed-dual.png");

    // The second page of the element controls, with label 1's details.
    window.editor().setPriceMode(PriceMode::TaxIncludedWithBase);
    window.editor().sheet().label(1).details = {"1kg", "", "498", "12/10まで", "静岡県産"};
    window.editor().goFirst();
    if (auto* pages = window.findChild<QTabWidget*>(QStringLiteral("elementPages"))) {
        pages->setCurrentIndex(1);
        ok &= save(shot(pages), out, "shelf-page.png");
        pages->setCurrentIndex(0);
    }
    window.editor().sheet().label(1).details = {};
    window.editor().setPriceMode(PriceMode::TaxIncludedOnly);

    BatchPrintDialog batch(writeProductList(home.path()), window.editor().layout(), {}, &window);
    batch.show();
    ok &= save(shot(&batch), out, "batch.png");
    return ok ? 0 : 1;
}
