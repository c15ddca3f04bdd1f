#include "jobs/ProblemMessages.h"

namespace messages {

namespace {

// The problems and notes of a label's codes.
std::string codeProblemText(const LabelProblem& p) {
    const std::string embedded = std::to_string(p.amount) + "円";
    switch (p.kind) {
        case LabelProblemKind::QrTooSmall:
            return "QRコードの内容が長すぎて枠に収まらないため、QRコードは印刷されません";
        case LabelProblemKind::QrTooLong:
            return "QRコードの内容がQRコードに入る長さを超えるため、QRコードは印刷されません";
        case LabelProblemKind::InStoreCode:
            return "JANコードはインストアコードです";
        case LabelProblemKind::PriceEmbeddedCode:
            return "JANコードは価格入りインストアコードです（" + embedded + "）";
        case LabelProblemKind::EmbeddedPriceDiffers:
            return "価格入りインストアコードの価格 " + embedded + " が売価と違います";
        default:
            return "";
    }
}

}  // namespace

const char* elementCaption(LabelElement element) {
    switch (element) {
        case LabelElement::Jan:
        case LabelElement::Barcode:
            return "JANコード";
        case LabelElement::Maker:
            return "メーカー等";
        case LabelElement::ProductName:
            return "品名等";
        case LabelElement::Spec:
            return "規格等";
        case LabelElement::Lot:
            return "ロット等";
        case LabelElement::Price:
            return "売価等";
        case LabelElement::Yen:
            return "円";
        case LabelElement::TaxLine:
            return "税込表示";
        case LabelElement::PriceCaption:
            return "価格見出し";
        case LabelElement::UnitPrice:
            return "単位価格";
        case LabelElement::RegularPrice:
            return "通常価格";
        case LabelElement::SalePeriod:
            return "期間";
        case LabelElement::Origin:
            return "産地";
        case LabelElement::Qr:
            return "QRコード";
        case LabelElement::Border:
            return "縁取り";
    }
    return "";
}

std::string problemText(const LabelProblem& p) {
    const std::string element = elementCaption(p.element);
    switch (p.kind) {
        case LabelProblemKind::InvalidCode:
            return "JANコードが正しくないため、バーコードは印刷されません";
        case LabelProblemKind::NoCheckDigit:
            return "JANコードにチェックデジットがないため、バーコードは印刷されません";
        case LabelProblemKind::NotACode:
            return "JANコードが13桁でも8桁でもないため、バーコードは印刷されません";
        case LabelProblemKind::NoProductName:
            return "品名等がないため、このラベルは印刷されません";
        case LabelProblemKind::TextCondensed:
            return element + "は長すぎるため、幅を " + std::to_string(p.percent) +
                   "% に縮めて印刷されます";
        case LabelProblemKind::TextClipped:
            return element + "は長すぎるため、ラベルからはみ出す部分は印刷されません";
        case LabelProblemKind::CharacterNotDrawn:
            return element + "の「" + p.character + "」はフォントにないため、正しく印刷されません";
        case LabelProblemKind::CharacterNotSaved:
            return element + "の「" + p.character + "」は保存できません";
        case LabelProblemKind::BarcodeTooSmall:
            return "バーコードが小さすぎて読み取れない可能性があります";
        case LabelProblemKind::PriceNotWholeYen:
            return "売価が円単位の整数でないため、税込と本体の価格を計算できません";
        case LabelProblemKind::PriceOverlaps:
            return "売価が" + element + "と重なって印刷されます";
        case LabelProblemKind::TextOutsideLabel:
            return element + "がラベルの外にはみ出すため、一部が印刷されません";
        case LabelProblemKind::RegularNotAbove:
            return "通常価格が売価より高くないため、特売の表示になりません";
        case LabelProblemKind::ContentsUnreadable:
            return "内容量を数と単位（g、kg、ml、L、個、枚、m）として読めないため、単位価格は"
                   "印刷されません";
        case LabelProblemKind::BaseUnreadable:
            return "基準量を数と単位として読めないため、単位価格は印刷されません";
        case LabelProblemKind::BaseUnitDiffers:
            return "基準量の単位が内容量の単位と合わないため、単位価格は印刷されません";
        case LabelProblemKind::UnitPriceTooLarge:
            return "単位価格が大きすぎるため、印刷されません";
        case LabelProblemKind::QrTooSmall:
        case LabelProblemKind::QrTooLong:
        case LabelProblemKind::InStoreCode:
        case LabelProblemKind::PriceEmbeddedCode:
        case LabelProblemKind::EmbeddedPriceDiffers:
            return codeProblemText(p);
    }
    return "";
}

std::string problemLine(const LabelProblem& p) {
    return "ラベル " + std::to_string(p.label) + ": " + problemText(p);
}

std::string problemList(const std::vector<LabelProblem>& problems, std::size_t limit) {
    std::string out;
    for (std::size_t i = 0; i < problems.size() && i < limit; ++i) {
        if (!out.empty())
            out += "\n";
        out += problemLine(problems[i]);
    }
    if (problems.size() > limit)
        out += "\nほか " + std::to_string(problems.size() - limit) + " 件";
    return out;
}

}  // namespace messages
