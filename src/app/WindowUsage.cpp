#include "WindowUsage.h"

#include <algorithm>
#include <initializer_list>

namespace {

// The --help texts by language (HelpLanguage's order). The English manual page
// and the Japanese one are made from them.
constexpr const char* kUsage[] = {
    R"(使い方:
  tanahuda [ラベルファイル]
  tanahuda --help | --version

棚札 (標準は名刺サイズ 91 × 55 mm のラベル、A4 1 枚に 10 枚。ほかに A4 の
12〜65 面のラベル用紙や自分で決めた用紙) を作成して印刷するウィンドウを開きます。スタート画面の「作成」で入力画面を開き、ラベルごとに
JANコード、メーカー、品名、規格、ロット、売価を入力し、プレビューして印刷
します。ラベルデータはシフトJIS のカンマ区切りのファイルに保存します。
コマンドラインからの印刷は tanahuda-print です。

ラベルファイルを指定すると (ファイルをプログラムのアイコンに重ねたときも)、
スタート画面を出さずに入力画面でそのファイルを開きます。

  -h, --help        この説明を表示します。
  --version         バージョンを表示します。
)",
    R"(Usage:
  tanahuda [LABEL FILE]
  tanahuda --help | --version

Opens the window that composes and prints shelf labels (business-card labels
of 91 x 55 mm, ten to an A4 sheet, by default; A4 label sheets of 12 to 65
labels, or a stock of one's own, as well). "作成" in the start window opens the input
window, where each label's JAN code, maker, product name, spec, lot and price
are typed, previewed and printed. Label data is saved as Shift-JIS
comma-separated files. tanahuda-print prints from the command line.

Given a label file (or a file dropped on the program's icon), the program
opens it in the input window, without the start window.

  -h, --help        Shows this text.
  --version         Shows the version.
)",
};

bool asked(const std::vector<std::string>& args, std::initializer_list<const char*> names) {
    return std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    });
}

}  // namespace

std::optional<std::string> windowCommandLineAnswer(const std::vector<std::string>& args,
                                                   HelpLanguage language) {
    if (asked(args, {"-h", "--help"}))
        return kUsage[static_cast<int>(language)];
    if (asked(args, {"--version"}))
        return std::string("tanahuda ") + TANAHUDA_PACKAGE_VERSION + "\n";
    return std::nullopt;
}

std::optional<std::string> labelFileArgument(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (!arg.empty() && arg.front() != '-')
            return arg;
    }
    return std::nullopt;
}
