#include "SheetOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include "files/FileIo.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJob.h"
#include "render/SheetRenderer.h"

namespace {

// Draws the printed sheet into `job` and ends the document.
bool printInto(std::unique_ptr<QtPrintJob> job, const LabelSheet& sheet,
               const LayoutSettings& layout, std::string& error) {
    drawSheet(job->page(), sheet, layout, RenderOptions::paper());
    if (!job->page().ok()) {
        job->abort();
        error = "シートを描けませんでした";
        return false;
    }
    return job->finish(error);
}

// Puts `bytes` at `path` only once they are complete: the old file stays as it
// was when anything fails.
bool writeOutput(const std::string& path, const QByteArray& bytes, std::string& error) {
    if (QFileInfo(QString::fromStdString(path)).isDir()) {
        error = "出力先はフォルダーです: " + path;
        return false;
    }
    const FileResult written = writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok()) {
        error = "出力先に書き込めません: " + path +
                (written.detail.empty() ? std::string() : " (" + written.detail + ")");
        return false;
    }
    return true;
}

}  // namespace

bool writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                   int dotsPerInch, std::string& error) {
    // The PDF engine writes to a file: a private one, removed afterwards.
    QTemporaryFile scratch(QDir::temp().filePath(QStringLiteral("tanahuda-print-XXXXXX.pdf")));
    if (!scratch.open()) {
        error = "一時ファイルを作れません: " + scratch.errorString().toStdString();
        return false;
    }
    scratch.close();
    std::unique_ptr<QtPrintJob> job =
        QtPrintJob::begin(makePdfPrinter(scratch.fileName(), dotsPerInch), error);
    if (!job) {
        return false;
    }
    if (!printInto(std::move(job), sheet, layout, error)) {
        return false;
    }
    QFile pdf(scratch.fileName());
    if (!pdf.open(QIODevice::ReadOnly)) {
        error = "PDF を読み戻せません: " + pdf.errorString().toStdString();
        return false;
    }
    return writeOutput(path, pdf.readAll(), error);
}

bool writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     double zoom, std::string& error) {
    QImage image(kPreviewPageWidth, kPreviewPageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        drawSheet(surface, sheet, layout, RenderOptions::preview(zoom));
        if (!surface.ok()) {
            error = "プレビューを描けませんでした";
            return false;
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = "PNG 画像を作れませんでした";
        return false;
    }
    return writeOutput(path, png, error);
}

bool printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                const std::string& printerName, std::string& error) {
    std::unique_ptr<QPrinter> printer =
        makeSystemPrinter(QString::fromStdString(printerName), error);
    if (!printer) {
        return false;
    }
    std::unique_ptr<QtPrintJob> job = QtPrintJob::begin(std::move(printer), error);
    if (!job) {
        return false;
    }
    return printInto(std::move(job), sheet, layout, error);
}
