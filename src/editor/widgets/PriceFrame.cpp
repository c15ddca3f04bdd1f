#include "editor/widgets/PriceFrame.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

#include "editor/logic/LabelEditor.h"

namespace {

struct ModeChoice {
    PriceMode mode;
    const char* objectName;
    const char* caption;
};
constexpr std::array<ModeChoice, 3> kModes = {{
    {PriceMode::TaxIncludedOnly, "税込のみ", "税込のみ"},
    {PriceMode::BaseAndTaxIncluded, "本体税込", "本体＋税込"},
    {PriceMode::TaxIncludedWithBase, "税込本体", "税込＋本体"},
}};

struct RoundingChoice {
    TaxRounding rounding;
    const char* objectName;
    const char* caption;
};
constexpr std::array<RoundingChoice, 3> kRoundings = {{
    {TaxRounding::Floor, "切り捨て", "切り捨て"},
    {TaxRounding::HalfUp, "四捨五入", "四捨五入"},
    {TaxRounding::Ceiling, "切り上げ", "切り上げ"},
}};

}  // namespace

PriceFrame::PriceFrame(LabelEditor& editor, QWidget* parent)
    : QGroupBox(QStringLiteral("価格表示"), parent) {
    setObjectName(QStringLiteral("frame_price"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    auto* modeGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(kModes[i].caption));
        b->setObjectName(QString::fromUtf8(kModes[i].objectName));
        modeGroup->addButton(b);
        grid->addWidget(b, 0, static_cast<int>(i));
        const PriceMode mode = kModes[i].mode;
        connect(b, &QRadioButton::clicked, this, [&editor, mode] { editor.setPriceMode(mode); });
        modes_[i] = b;
    }
    auto* roundingCaption = new QLabel(QStringLiteral("税込の端数"));
    grid->addWidget(roundingCaption, 1, 0, 1, 3);
    auto* roundingGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < kRoundings.size(); ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(kRoundings[i].caption));
        b->setObjectName(QString::fromUtf8(kRoundings[i].objectName));
        b->setAccessibleName(QStringLiteral("税込の端数 ") + b->text());
        roundingGroup->addButton(b);
        grid->addWidget(b, 2, static_cast<int>(i));
        const TaxRounding rounding = kRoundings[i].rounding;
        connect(b, &QRadioButton::clicked, this,
                [&editor, rounding] { editor.setTaxRounding(rounding); });
        roundings_[i] = b;
    }
    show(PricePattern{});
}

void PriceFrame::show(const PricePattern& pricing) {
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        const QSignalBlocker quiet(modes_[i]);
        modes_[i]->setChecked(kModes[i].mode == pricing.mode);
    }
    for (std::size_t i = 0; i < kRoundings.size(); ++i) {
        const QSignalBlocker quiet(roundings_[i]);
        roundings_[i]->setChecked(kRoundings[i].rounding == pricing.rounding);
    }
}
