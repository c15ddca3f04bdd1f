// How fast the product master answers: a list of 100,000 products read into
// a master, a typed code found, a search as each character is typed, the
// search dialog's list refilled, and how long choosing a master at start-up
// holds up the window (its reading runs on a thread of its own). A search
// should answer within a frame (16.7 ms at 60 Hz). Reported, never judged.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "editor/logic/ProductMasterSlot.h"
#include "editor/widgets/ProductSearchDialog.h"
#include "files/ProductMaster.h"

namespace {

constexpr int kProducts = 100000;

const char* const kMakers[] = {"山田食品",   "海野商店", "川村製菓",    "ヤマト乳業",
                               "Green Farm", "北の大地", "東海ケミカル"};
const char* const kWords[] = {"特選", "国産", "北海道", "うす塩", "ミルク",
                              "ｼｮｳﾕ", "抹茶", "徳用",   "カレー", "ＤＸ"};
const char* const kGoods[] = {"しょうゆ",     "ポテトチップス", "食パン", "ヨーグルト",
                              "洗剤",         "ティッシュ",     "緑茶",   "乾電池",
                              "チョコレート", "うどん",         "牛乳"};

std::string checkDigit(const std::string& data) {
    int sum = 0;
    for (std::size_t i = 0; i < data.size(); ++i)
        sum += (data[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return std::to_string((10 - sum % 10) % 10);
}

// The code of product `i`: a 13-digit code with its check digit.
std::string codeOf(int i) {
    std::string data = std::to_string(400000000000LL + static_cast<long long>(i) * 7919);
    return data + checkDigit(data);
}

// A list of `count` products as a register exports it, with a header row.
std::string productList(int count) {
    std::string list = "JANコード,メーカー,品名,規格,売価,税率\r\n";
    for (int i = 0; i < count; ++i) {
        list += codeOf(i) + "," + kMakers[i % 7] + "," + kWords[i % 10] + kGoods[(i / 10) % 11] +
                " " + std::to_string(i) + "," + std::to_string(100 + i % 900) + "g,\"" +
                std::to_string((i % 50 + 1) * 100) + "\"," + (i % 3 == 0 ? "8" : "10") + "\r\n";
    }
    return list;
}

// The list written once into a temporary folder.
const std::string& listPath() {
    static QTemporaryDir dir;
    static const std::string path = [] {
        const std::string file = dir.filePath(QStringLiteral("master.csv")).toStdString();
        std::ofstream(file, std::ios::binary) << productList(kProducts);
        return file;
    }();
    return path;
}

const ProductMaster& loadedMaster() {
    static const ProductMaster master = [] {
        ProductMaster m;
        std::vector<Result> problems;
        loadProductMaster(listPath(), m, problems);
        return m;
    }();
    return master;
}

// Reading the list file into a master (what a first use waits for at most).
void BM_MasterLoad(benchmark::State& state) {
    const std::string& path = listPath();
    for (auto _ : state) {
        ProductMaster master;
        std::vector<Result> problems;
        benchmark::DoNotOptimize(loadProductMaster(path, master, problems));
        state.counters["products"] = static_cast<double>(master.size());
    }
}

// What choosing the master at start-up holds up the window for: the reading
// is handed to its own thread.
void BM_MasterStartHoldsWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto slot = std::make_unique<ProductMasterSlot>();
        slot->setPath(listPath());
        state.PauseTiming();
        std::optional<MasterRead> read;
        slot->master(read);  // the reading waited for, and the master freed, untimed
        slot.reset();
        state.ResumeTiming();
    }
}

// A code typed into the JAN box found in the master.
void BM_FindCode(benchmark::State& state) {
    const ProductMaster& master = loadedMaster();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(master.findCode(codeOf(i)));
        i = (i + 7) % kProducts;
    }
}

// A search as the user types: the query grows character by character.
void BM_Search(benchmark::State& state) {
    const ProductMaster& master = loadedMaster();
    static const char* const kQueries[] = {"し", "しょうゆ", "ｼｮｳﾕ 999", "4000", "該当なし"};
    const char* query = kQueries[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(master.search(query, ProductSearchDialog::kListed));
    state.SetLabel(query);
}

// The search dialog's answer to one more character: search and list refilled.
void BM_SearchDialogKeystroke(benchmark::State& state) {
    ProductSearchDialog dialog(loadedMaster());
    const QString queries[] = {QStringLiteral("し"), QStringLiteral("しょ")};
    int n = 0;
    for (auto _ : state) {
        dialog.queryBox()->setText(queries[n]);
        n = 1 - n;
    }
}

BENCHMARK(BM_MasterLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MasterStartHoldsWindow)->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(BM_FindCode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Search)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchDialogKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
