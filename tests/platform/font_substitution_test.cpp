// The Windows font names a label stores resolve to the installed IPA faces.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <vector>

#include "PlatformTestSupport.h"
#include "platform/FontSubstitution.h"
#include "platform/QtPaintSurface.h"

namespace {

struct FaceCase {
    const char* storedName;
    const char* face;
};

const std::vector<FaceCase> kFaces = {
    {"ＭＳ 明朝", "IPAMincho"},        {"MS Mincho", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"MS PMincho", "IPAPMincho"},
    {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
};

class FontSubstitutionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        installJapaneseFontSubstitutions();
        installJapaneseFontSubstitutions();  // a second call changes nothing
    }
};

TEST_F(FontSubstitutionTest, StoredNamesResolveToTheIpaFaces) {
    for (const FaceCase& c : kFaces) {
        QFont font(QString::fromUtf8(c.storedName), 12);
        EXPECT_EQ(QFontInfo(font).family().toStdString(), c.face) << c.storedName;
        // The name the label stores stays as it is.
        EXPECT_EQ(font.family().toStdString(), c.storedName);
    }
}

TEST_F(FontSubstitutionTest, MinchoDigitsAndBlanksAreHalfAnEmWide) {
    // 100 px a character cell: ten digits or blanks are 500 px in the fixed-
    // width faces, as the labels' layout (blanks centring names) relies on.
    for (const char* name : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
        QFont font(QString::fromUtf8(name));
        font.setPixelSize(100);
        const QFontMetricsF metrics(font);
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("0123456789")), 500.0) << name;
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("          ")), 500.0) << name;
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("棚札")), 200.0) << name;
    }
}

TEST_F(FontSubstitutionTest, TheSurfaceDrawsWithTheIpaFace) {
    QImage image = blankImage(100, 100, 96);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setFont(SurfaceFont{"ＭＳ Ｐゴシック", 10.5, true, false, false});
    EXPECT_EQ(painter.fontInfo().family().toStdString(), "IPAPGothic");
    EXPECT_DOUBLE_EQ(painter.font().pointSizeF(), 10.5);
    EXPECT_TRUE(painter.font().bold());
}

}  // namespace
