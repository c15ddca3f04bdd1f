#include "ToolMessages.h"

#include "editor/logic/ResultText.h"

std::string toolMessage(const Result& failure) {
    const std::string because = failure.detail.empty() ? "" : " (" + failure.detail + ")";
    switch (failure.code) {
        case ResultCode::NotFound:
            return "ファイルがありません: " + failure.path;
        case ResultCode::ReadFailed:
            return "ファイルを読めません: " + failure.path + because;
        case ResultCode::NotLabelFile:
            return "棚札形式のデータではありません: " + failure.path;
        case ResultCode::IsFolder:
            return "出力先はフォルダーです: " + failure.path;
        case ResultCode::WriteFailed:
            return "出力先に書き込めません: " + failure.path + because;
        case ResultCode::PdfNotReadBack:
            return "PDF を読み戻せません: " + failure.detail;
        case ResultCode::ImageNotMade:
            return "PNG 画像を作れませんでした";
        case ResultCode::ListNotOpened:
            return "商品リストを開けません: " + failure.path;
        case ResultCode::ListEmpty:
            return "商品リストに印刷する商品がありません: " + failure.path;
        default:
            break;
    }
    return resulttext::printFailure(failure);
}

std::string toolProblemLine(const std::string& listPath, const Result& problem) {
    return listPath + ":" + std::to_string(problem.line) + ": " + resulttext::rowProblem(problem);
}
