// What the input window pays for keeping the user's work: one undo step (the
// whole sheet and layout kept), taking it back, and bringing the recovery file
// up to date with a full sheet (formatted and replaced atomically on disk).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "editor/logic/EditHistory.h"
#include "editor/logic/RecoveryFile.h"

namespace {

EditorSnapshot fullSnapshot() {
    EditorSnapshot state;
    for (int k = 1; k <= state.sheet.labelCount(); ++k) {
        LabelRecord& r = state.sheet.label(k);
        r.janCode = "4901234567894";
        r.maker = "メーカー" + std::to_string(k);
        r.productName = "商品名 サンプル" + std::to_string(k);
        r.spec = "500ml × 24本";
        r.lot = "ロット A-" + std::to_string(k);
        r.price = std::to_string(k * 1280);
    }
    state.layout = initialLayoutSettings();
    state.fileName = "/home/user/棚札/今週の特売.csv";
    return state;
}

// One command recorded into a history that is full (the oldest step dropped).
void BM_RecordStep(benchmark::State& state) {
    const EditorSnapshot snapshot = fullSnapshot();
    EditHistory history;
    for (std::size_t i = 0; i < EditHistory::kLimit; ++i)
        history.record(EditCommand::MoveElement, snapshot);
    for (auto _ : state)
        history.record(EditCommand::MoveElement, snapshot);
}
BENCHMARK(BM_RecordStep);

// Undo and redo of one step.
void BM_UndoRedo(benchmark::State& state) {
    EditorSnapshot current = fullSnapshot();
    EditHistory history;
    history.record(EditCommand::DeleteLabel, current);
    for (auto _ : state) {
        current = *history.step(HistoryDirection::Undo, std::move(current));
        current = *history.step(HistoryDirection::Redo, std::move(current));
    }
}
BENCHMARK(BM_UndoRedo);

// The recovery file of a full sheet written: format, write, flush, rename.
void BM_WriteRecoveryFile(benchmark::State& state) {
    const EditorSnapshot snapshot = fullSnapshot();
    const RecoveryContent content{snapshot.sheet, snapshot.layout, snapshot.fileName};
    const std::string path =
        (std::filesystem::temp_directory_path() / "tanahuda-recovery-bench.csv").string();
    for (auto _ : state) {
        if (!writeRecoveryFile(path, content).ok())
            state.SkipWithError("the recovery file could not be written");
    }
    removeRecoveryFile(path);
}
BENCHMARK(BM_WriteRecoveryFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
