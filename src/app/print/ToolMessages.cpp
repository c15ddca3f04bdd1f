#include "ToolMessages.h"

#include "files/ProductColumns.h"
#include "jobs/ProblemMessages.h"
#include "jobs/ResultText.h"
#include "jobs/RowGroups.h"

std::string printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string misfitWarning(const std::string& path, int line) {
    return "警告: " + path + " は " + std::to_string(line) +
           " 行目から棚札形式の並びになっていません。ラベルがずれて読まれている可能性があります";
}

std::string priceLinesWarning(const std::string& path) {
    return "警告: " + path +
           " の税込表示の設定 (「拡張」の行) が読めないため、税込のみ・税率 10% として印刷します";
}

std::string damagedColorWarning(const std::string& path, int line) {
    return "警告: " + path + " の " + std::to_string(line) +
           " 行目の色の値が壊れているため、既定の色で印刷します";
}

std::string damagedStockWarning(const std::string& path, int line) {
    return "警告: " + path + " の " + std::to_string(line) +
           " 行目の用紙の設定が読めないため、標準の用紙 (A4 10面 91×55mm) で印刷します";
}

std::string patternNotReadWarning(const Result& failure) {
    return "警告: 保存された印刷パターンを読めないため、既定のパターンで印刷します: " +
           toolMessage(failure);
}

std::string toolMessage(const Result& failure) {
    // The system's reason in the user's words (the reader's own reasons are already).
    const auto because = [&](resulttext::FileAccess access) {
        return failure.detail.empty()
                   ? ""
                   : " (" + resulttext::systemReason(failure.detail, access) + ")";
    };
    switch (failure.code) {
        case ResultCode::NotFound:
            return "ファイルがありません: " + failure.path;
        case ResultCode::ReadFailed:
            return "ファイルを読めません: " + failure.path + because(resulttext::FileAccess::Read);
        case ResultCode::NotLabelFile:
            return "棚札形式のデータではありません: " + failure.path;
        case ResultCode::IsFolder:
            return "出力先はフォルダーです: " + failure.path;
        case ResultCode::NotRegularFile:
            return "出力先に書き込めません: " + failure.path +
                   " (通常のファイルではありません。デバイス、名前付きパイプ、ソケットなど)";
        case ResultCode::SameAsInput:
            return "出力先に書き込めません: " + failure.path + " (入力ファイルと同じファイルです)";
        case ResultCode::Incomplete:
            return "出力先に書き込めません: " + failure.path +
                   " (最後まで書けませんでした。ディスクがいっぱいかもしれません)";
        case ResultCode::WriteFailed:
        case ResultCode::PdfNotWritten:
            return "出力先に書き込めません: " + failure.path +
                   because(resulttext::FileAccess::Write);
        case ResultCode::PdfNotReadBack:
            return "PDF を読み戻せません: " + failure.detail;
        case ResultCode::ImageNotMade:
            return "PNG 画像を作れませんでした";
        case ResultCode::ListNotOpened:
            return "商品リストを開けません: " + failure.path +
                   because(resulttext::FileAccess::Read);
        case ResultCode::ListEmpty:
            return "商品リストに印刷する商品がありません: " + failure.path;
        case ResultCode::NotLabelTemplate:
            return "ラベルのテンプレートとして読めません: " + failure.path + " (" +
                   std::to_string(failure.line) + " 行目)";
        case ResultCode::ListUnreadable:
            return "商品リストのどの行も読めませんでした: " + failure.path;
        case ResultCode::ListColumnsUnknown:
            return failure.path + ": " + resulttext::listColumnsUnknown(failure, " / ") +
                   " (--map 品名=列名,JANコード=列名 で列を指定できます)";
        default:
            break;
    }
    if (failure.code == ResultCode::StockTooManyLabels && failure.labelNumber > 0)
        return "ラベル " + std::to_string(failure.labelNumber) +
               " は用紙に入りません (用紙のラベルは " + failure.detail + " 枚です)";
    if (std::string stock = resulttext::stockProblem(failure); !stock.empty())
        return failure.path.empty() ? stock : stock + ": " + failure.path;
    return resulttext::printFailure(failure);
}

std::string mappingFailureMessage(const Result& failure, const std::vector<std::string>& header) {
    std::string names;
    if (failure.code == ResultCode::MappingPartUnknown) {
        for (const ProductColumn& part : productColumns())
            names += (names.empty() ? "" : ", ") + std::string(part.name);
        return "--map の「" + failure.detail +
               "」はラベルの項目ではありません (項目=列名 の形で、" + "項目は " + names + ")";
    }
    for (const std::string& cell : header)
        names += (names.empty() ? "" : ",") + cell;
    return "--map の列「" + failure.detail + "」は商品リスト " + failure.path +
           " の見出しにありません (見出し: " + names + ")";
}

std::vector<std::string> batchSummary(const BatchOutcome& outcome) {
    const std::vector<RowGroup> groups = groupRows(outcome);
    std::vector<std::string> lines = {
        std::to_string(outcome.sheets) + " 枚のシートに " + std::to_string(outcome.labels) +
        " 件のラベルを印刷しました。印刷しなかった行: " + std::to_string(rowsNotPrinted(groups)) +
        " 行"};
    for (const RowGroup& g : groups) {
        std::string at;
        for (const int line : g.lines)
            at += (at.empty() ? "" : ", ") + std::to_string(line);
        lines.push_back(std::string(g.printed ? "印刷したが行のとおりでない" : "印刷しなかった") +
                        ": " + g.reason + ": " + std::to_string(g.count) + " 行 (" + at +
                        (g.count > static_cast<long>(g.lines.size()) ? " ほか" : "") + " 行目)");
    }
    return lines;
}

std::string toolProblemLine(const std::string& listPath, const Result& problem) {
    return listPath + ":" + std::to_string(problem.line) + ": " + resulttext::rowProblem(problem);
}

std::string toolProblemLine(const std::string& listPath, int line, const LabelProblem& problem) {
    return listPath + ":" + std::to_string(line) + ": " + messages::problemText(problem);
}
