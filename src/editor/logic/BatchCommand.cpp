// 一括印刷: a product list chosen, its options asked, a printer chosen, the
// list printed and the outcome told, every step through EditorDialogs.
#include "editor/logic/BatchCommand.h"

#include "editor/logic/EditorMessages.h"
#include "editor/logic/LabelEditor.h"
#include "jobs/ResultText.h"

BatchOutcome printProductList(const std::string& listPath, const BatchChoice& choice,
                              const LayoutSettings& layout, PrintJob& job,
                              BatchProgressPort& progress) {
    ProductListBatch batch(listPath, choice.encoding, choice.startPosition, layout.stock,
                           choice.mapping, layout.pricing);
    if (!batch.listResult().ok()) {
        job.abort();
        return BatchOutcome{batch.listResult(), 0, 0, {}, {}};
    }
    progress.started(batch.sheetCount());
    BatchOutcome outcome =
        batch.print(job, layout, [&progress](long done) { progress.advanced(done); });
    progress.ended();
    return outcome;
}

void LabelEditor::batchPrint(BatchProgressPort& progress) {
    const FileDialogRequest request{
        {{"商品リスト (*.csv *.txt)", "*.csv *.txt"}, {"すべてのファイル (*.*)", "*.*"}}, ""};
    const std::optional<std::string> list = dialogs_.chooseOpenFile(request);
    if (!list)
        return;
    const std::optional<BatchChoice> choice =
        dialogs_.chooseBatchOptions(*list, layout_, listSettings_.mappings);
    if (!choice)
        return;
    // A list whose labels would hold neither a code nor a name is never
    // printed: said before a printer is chosen.
    if (Result columns = checkListColumns(*list, choice->encoding, choice->mapping);
        !columns.ok()) {
        dialogs_.showMessage(
            messages::batchOutcome(BatchOutcome{std::move(columns), 0, 0, {}, {}}));
        return;
    }
    if (choice->mapping && rememberMapping(listSettings_.mappings, *choice->mapping))
        saveListSettingsFile();
    PrintJobStart start = dialogs_.choosePrinter(PrintCopies::One, layout_.stock.paper);
    if (!start.job) {
        // Cancelled when the result is Ok; otherwise the printer could not be opened.
        if (!start.result.ok())
            dialogs_.showMessage(
                messages::printerNotOpened(resulttext::printFailure(start.result)));
        return;
    }
    LayoutSettings layout = layout_;
    if (choice->pricing)
        layout.pricing = *choice->pricing;
    const BatchOutcome outcome = printProductList(*list, *choice, layout, *start.job, progress);
    dialogs_.showMessage(messages::batchOutcome(outcome));
}
