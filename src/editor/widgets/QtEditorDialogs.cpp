#include "editor/widgets/QtEditorDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTabWidget>
#include <algorithm>

#include "editor/widgets/BatchPrintDialog.h"
#include "editor/widgets/ProductSearchDialog.h"
#include "editor/widgets/StockDialog.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"

namespace {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// What closing a question box without a button means.
MessageAnswer escapeAnswer(const MessageRequest& request) {
    return request.buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                          : MessageAnswer::No;
}

// The name filters as the dialog takes them: each entry's description shown as
// it is, followed by the patterns it matches (hidden from the user). "*.*"
// matches every file, with or without a dot in its name, as the entry says.
QStringList nameFilters(const FileDialogRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        const QString pattern = f.pattern == "*.*" ? QStringLiteral("*") : qs(f.pattern);
        QString description = qs(f.description);
        if (!description.contains(QLatin1Char('('))) {
            description += QStringLiteral(" (") + qs(f.pattern) + QLatin1Char(')');
        }
        filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

// What the font dialog's sample shows: what a label holds.
constexpr const char* kFontSample = "棚札 1,980円 あア亜";

// The font dialog lists the fonts that can draw Japanese (its writing system
// box set to Japanese; "Any" there lists every font) and shows a Japanese
// sample. A face that cannot draw Japanese keeps the whole list, so the dialog
// still shows it chosen.
void offerJapaneseFonts(QFontDialog& dialog, const QString& face) {
    const bool japaneseFace =
        face.isEmpty() || QFontDatabase::writingSystems(face).contains(QFontDatabase::Japanese);
    auto* systems = dialog.findChild<QComboBox*>();
    const int japanese =
        systems ? systems->findText(QFontDatabase::writingSystemName(QFontDatabase::Japanese)) : -1;
    if (japaneseFace && japanese >= 0 &&
        !QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        systems->setCurrentIndex(japanese);
        emit systems->activated(japanese);  // the dialog filters on the user's choice only
    }
    if (auto* sample = dialog.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"))) {
        sample->setText(QString::fromUtf8(kFontSample));
    }
}

// The extension a save adds to a name without one: that of the chosen file
// type, ".csv" for all files.
QString defaultSuffixFor(const QString& nameFilter) {
    return nameFilter.endsWith(QStringLiteral("(*.txt)")) ? QStringLiteral("txt")
                                                          : QStringLiteral("csv");
}

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The editor asks about an existing file itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = nameFilters(request);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.front());
        if (mode == QFileDialog::AcceptSave) {
            // A name typed without an extension is saved as a label file that
            // the open dialog finds again.
            dialog.setDefaultSuffix(defaultSuffixFor(filters.front()));
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog](const QString& filter) {
                                 dialog.setDefaultSuffix(defaultSuffixFor(filter));
                             });
        }
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(qs(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

// The printer the set-up dialog starts with: the default printer, or a PDF
// file when no printer is installed.
std::unique_ptr<QPrinter> initialPrinter(const PaperSize& paper) {
    const QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty()) {
        if (SystemPrinter system = makeSystemPrinter(name, paper); system.printer) {
            return std::move(system.printer);
        }
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The page of the pattern's stock, until the user picks another.
    printer->setPageSize(pageSizeOf(paper));
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

QMessageBox::Icon messageBoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtEditorDialogs::QtEditorDialogs(QWidget* parent) : parent_(parent) {}

QString QtEditorDialogs::applicationTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("棚札") : name;
}

MessageAnswer QtEditorDialogs::showMessage(const MessageRequest& request) {
    const QString title = request.title.empty() ? applicationTitle() : qs(request.title);
    const QMessageBox::Icon icon = messageBoxIcon(request.icon);
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    if (request.buttons == MessageButtons::YesNo) {
        buttons = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
    } else if (request.buttons == MessageButtons::YesNoCancel) {
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
    }
    QMessageBox box(icon, title, qs(request.text), buttons, parent_);
    switch (request.defaultButton) {
        case MessageAnswer::Ok:
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MessageAnswer::Yes:
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case MessageAnswer::No:
            box.setDefaultButton(QMessageBox::No);
            break;
        case MessageAnswer::Cancel:
            box.setDefaultButton(QMessageBox::Cancel);
            break;
    }
    box.setEscapeButton(escape);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                                         : escapeAnswer(request);
    }
}

std::optional<std::string> QtEditorDialogs::chooseOpenFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtEditorDialogs::chooseSaveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<Color> QtEditorDialogs::chooseColor() {
    // The element's colour is not handed over; the dialog starts at black, as
    // the system colour dialogs do, so that OK without a choice never gives
    // white text on white paper.
    QColorDialog dialog(QColor(Qt::black), parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QColor c = dialog.selectedColor().toRgb();
    return static_cast<Color>(static_cast<std::uint32_t>(c.red()) |
                              (static_cast<std::uint32_t>(c.green()) << 8) |
                              (static_cast<std::uint32_t>(c.blue()) << 16));
}

std::optional<FontChoice> QtEditorDialogs::chooseFont(const ElementFont& current) {
    const QString storedName = qs(current.name);
    // The dialog lists installed faces only: show the face the stored name is
    // drawn with ("ＭＳ 明朝" is drawn with IPAMincho).
    const QString shownFace =
        storedName.isEmpty() ? QString() : QFontInfo(QFont(storedName)).family();
    QFont font(shownFace);
    if (current.size > 0) {
        font.setPointSizeF(current.size);
    }
    font.setBold(current.bold);
    font.setItalic(current.italic);
    QFontDialog dialog(font, parent_);
    offerJapaneseFonts(dialog, shownFace);
    // Only face, size, bold and italic are kept: no strikeout or underline
    // boxes that would do nothing (the underline has buttons of its own).
    // The sample beside them keeps the height they gave it.
    for (QCheckBox* effect : dialog.findChildren<QCheckBox*>()) {
        if (auto* effects = qobject_cast<QGroupBox*>(effect->parentWidget())) {
            for (QGroupBox* other : dialog.findChildren<QGroupBox*>()) {
                if (other != effects) {
                    other->setMinimumHeight(
                        std::max(other->minimumHeight(), effects->sizeHint().height()));
                }
            }
            effects->hide();
        }
        effect->hide();
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QFont chosen = dialog.selectedFont();
    FontChoice choice;
    choice.name = chosen.family().toStdString();
    // The stored Windows name ("ＭＳ 明朝") is shown through an installed face;
    // when the user keeps that face the stored name stays, so a label file
    // still names the font its other readers know.
    if (!storedName.isEmpty() && chosen.family() == shownFace) {
        choice.name = current.name;
    }
    choice.size = chosen.pointSizeF();
    choice.bold = chosen.bold();
    choice.italic = chosen.italic();
    // A face without a bold (or italic) style cannot show the stored flag in
    // the dialog; it is drawn synthesised, so keeping the face keeps the flag.
    if (choice.name == current.name) {
        bool offersBold = false;
        bool offersItalic = false;
        for (const QString& style : QFontDatabase::styles(chosen.family())) {
            offersBold |= QFontDatabase::bold(chosen.family(), style);
            offersItalic |= QFontDatabase::italic(chosen.family(), style);
        }
        if (!offersBold) {
            choice.bold = current.bold;
        }
        if (!offersItalic) {
            choice.italic = current.italic;
        }
    }
    return choice;
}

namespace {

constexpr int kMostCopies = 999;

// The dialog's copies box, where Qt's dialog has one.
QSpinBox* copiesBox(QPrintDialog& dialog) {
    return dialog.findChild<QSpinBox*>(QStringLiteral("copies"));
}

// A page is printed whole or not at all: the page range, page set and order
// go. With `copies` Chosen the tab that holds them stays for the number of
// copies (from 1 to 999) alone; otherwise the whole tab goes, at one copy.
void keepPrinterAndPaper(QPrintDialog& dialog, PrintCopies copies) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    if (QSpinBox* box = copiesBox(dialog)) {
        box->setRange(1, kMostCopies);
        box->setValue(1);
        box->setEnabled(copies == PrintCopies::Chosen);
    }
    const QWidget* range = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange"));
    if (copies == PrintCopies::Chosen) {
        // One page: collating and reversing mean nothing. The range group
        // stays in sight with its choices off (the options above), all pages.
        for (const char* name : {"collate", "reverse", "outputIcon"}) {
            if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(name)))
                widget->hide();
        }
        return;
    }
    for (QTabWidget* tabs : dialog.findChildren<QTabWidget*>()) {
        for (int i = tabs->count() - 1; i >= 0; --i) {
            if (range != nullptr && tabs->widget(i)->isAncestorOf(range)) {
                tabs->removeTab(i);
            }
        }
    }
}

}  // namespace

std::unique_ptr<QPrinter> QtEditorDialogs::setUpPrinter(QWidget* parent, PrintCopies copies,
                                                        const PaperSize& paper) {
    std::unique_ptr<QPrinter> printer = initialPrinter(paper);
    int chosenCopies = 1;
    {
        QPrintDialog dialog(printer.get(), parent);
        keepPrinterAndPaper(dialog, copies);
        if (dialog.exec() != QDialog::Accepted) {
            return nullptr;
        }
        if (const QSpinBox* box = copiesBox(dialog); box && copies == PrintCopies::Chosen)
            chosenCopies = std::clamp(box->value(), 1, kMostCopies);
    }
    // Copies are the spooler's to make; a PDF file holds the page once.
    const bool toFile = !printer->outputFileName().isEmpty();
    printer->setCopyCount(toFile ? 1 : chosenCopies);
    return printer;
}

PrintJobStart QtEditorDialogs::choosePrinter(PrintCopies copies, const PaperSize& paper) {
    std::unique_ptr<QPrinter> printer = setUpPrinter(parent_, copies, paper);
    if (!printer) {
        return {};  // cancelled
    }
    return QtPrintJob::begin(std::move(printer));
}

std::optional<BatchChoice> QtEditorDialogs::chooseBatchOptions(
    const std::string& listPath, const LayoutSettings& layout,
    const RememberedMappings& remembered) {
    BatchPrintDialog dialog(qs(listPath), layout, remembered, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return BatchChoice{dialog.startPosition(), dialog.encoding(), dialog.layout().pricing,
                       dialog.mapping()};
}

std::optional<LabelStock> QtEditorDialogs::chooseStock(StockChooser& chooser) {
    StockDialog dialog(chooser, parent_);
    // The chooser's messages and file dialogs stand over the stock dialog.
    QWidget* const window = parent_;
    parent_ = &dialog;
    const int answer = dialog.exec();
    parent_ = window;
    if (answer != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

std::optional<std::size_t> QtEditorDialogs::chooseMasterProduct(const ProductMaster& master) {
    ProductSearchDialog dialog(master, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenProduct();
}

std::optional<std::string> QtEditorDialogs::askInStoreStart(const std::string& suggested) {
    bool accepted = false;
    const QString start = QInputDialog::getText(
        parent_, qs("インストアコード"),
        qs("JANコードのないラベルに付けるインストアコードの始まり (12 桁、02 か 20〜29 で始まる):"),
        QLineEdit::Normal, qs(suggested), &accepted);
    if (!accepted)
        return std::nullopt;
    return start.trimmed().toStdString();
}
