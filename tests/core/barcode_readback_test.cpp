// The printed barcodes, read back by a real decoder: the sheet is drawn in
// print mode onto a bitmap of the page, written as a PGM file, and handed to
// zbarimg (package zbar-tools).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "render/SheetRenderer.h"

namespace {

// A grey-scale page that paints filled rectangles given in pixels or
// millimetres; texts and outlines are left out (only the bars matter here).
class BitmapPage : public DrawingSurface {
  public:
    BitmapPage(double dpi, double widthMm, double heightMm)
        : twipsPerPixel_(1440.0 / dpi),
          width_(static_cast<int>(widthMm * 56.7 / twipsPerPixel_)),
          height_(static_cast<int>(heightMm * 56.7 / twipsPerPixel_)),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 255) {}

    SurfaceUnit unit() const override { return unit_; }
    void setUnit(SurfaceUnit u) override { unit_ = u; }
    // Translations are followed; clips are not (only the bars matter here).
    void save() override { saved_.push_back(originMm_); }
    void restore() override {
        originMm_ = saved_.back();
        saved_.pop_back();
    }
    void translate(double dx, double dy) override {
        originMm_.x += unit_ == SurfaceUnit::Pixels ? dx / pixelsPerMm() : dx;
        originMm_.y += unit_ == SurfaceUnit::Pixels ? dy / pixelsPerMm() : dy;
    }
    void clipRect(double, double, double, double) override {}
    SurfacePoint origin() const override {
        if (unit_ == SurfaceUnit::Millimetres)
            return originMm_;
        return {originMm_.x * pixelsPerMm(), originMm_.y * pixelsPerMm()};
    }
    void clear() override { std::fill(pixels_.begin(), pixels_.end(), 255); }
    void setTransparentFill() override {}
    void setFont(const SurfaceFont&) override {}
    void setTextColor(Color) override {}
    void drawText(double, double, std::string_view) override {}
    void drawRect(double, double, double, double, Color) override {}
    void drawLine(double, double, double, double, Color) override {}
    void setLineWidth(int) override {}
    double twipsPerPixelX() const override { return twipsPerPixel_; }
    double twipsPerPixelY() const override { return twipsPerPixel_; }

    void fillRect(double x, double y, double w, double h, Color color) override {
        const double scale = unit_ == SurfaceUnit::Pixels ? 1.0 : pixelsPerMm();
        const SurfacePoint o{originMm_.x * pixelsPerMm(), originMm_.y * pixelsPerMm()};
        const int left = static_cast<int>(std::lround(o.x + x * scale));
        const int top = static_cast<int>(std::lround(o.y + y * scale));
        const int right = static_cast<int>(std::lround(o.x + (x + w) * scale));
        const int bottom = static_cast<int>(std::lround(o.y + (y + h) * scale));
        const unsigned char grey = color == 0 ? 0 : 255;
        for (int row = std::max(top, 0); row < std::min(bottom, height_); ++row) {
            for (int col = std::max(left, 0); col < std::min(right, width_); ++col)
                pixels_[static_cast<std::size_t>(row) * width_ + col] = grey;
        }
    }

    void writePgm(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P5 " << width_ << " " << height_ << " 255\n";
        out.write(reinterpret_cast<const char*>(pixels_.data()),
                  static_cast<std::streamsize>(pixels_.size()));
    }

  private:
    double pixelsPerMm() const { return 56.7 / twipsPerPixel_; }
    SurfaceUnit unit_ = SurfaceUnit::Millimetres;
    SurfacePoint originMm_;
    std::vector<SurfacePoint> saved_;
    double twipsPerPixel_;
    int width_;
    int height_;
    std::vector<unsigned char> pixels_;
};

// The codes zbarimg finds in an image, sorted.
std::vector<std::string> decode(const std::string& path) {
    std::vector<std::string> codes;
    const std::string command = "zbarimg -q --raw '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return codes;
    char line[256];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string s = line;
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        if (!s.empty())
            codes.push_back(s);
    }
    pclose(pipe);
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::vector<std::string> printAndRead(const LabelSheet& sheet, double dpi, const std::string& tag,
                                      const LayoutSettings& layout = initialLayoutSettings()) {
    BitmapPage page(dpi, 210.0, 297.0);
    drawSheet(page, sheet, layout, RenderOptions::paper());
    const std::string path =
        testing::TempDir() + "tanahuda_readback_" + std::to_string(getpid()) + "_" + tag + ".pgm";
    page.writePgm(path);
    std::vector<std::string> codes = decode(path);
    std::remove(path.c_str());
    return codes;
}

LabelSheet sheetOfCodes(const std::vector<std::string>& codes) {
    LabelSheet sheet;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        LabelRecord& r = sheet.label(static_cast<int>(i) + 1);
        r.janCode = codes[i];
        r.productName = "品名";
        r.price = "100";
    }
    return sheet;
}

class BarcodeReadback : public testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        if (std::system("command -v zbarimg >/dev/null 2>&1") != 0)
            FAIL() << "zbarimg is missing (scripts/setup.sh installs zbar-tools)";
    }
};

// Ten EAN-13 codes, one for each first digit (each selects another parity).
TEST_P(BarcodeReadback, ThirteenDigitCodesOfEveryFirstDigit) {
    const std::vector<std::string> codes = {
        "0234567890129", "1234567890128", "2234567890127", "3234567890126", "4234567890125",
        "5234567890124", "6234567890123", "7234567890122", "8234567890121", "9234567890120"};
    EXPECT_EQ(printAndRead(sheetOfCodes(codes), GetParam(), "ean13"), codes);
}

// Short codes come back too; codes with a wrong check digit print no barcode.
TEST_P(BarcodeReadback, EightDigitCodesAndWrongCheckDigits) {
    const std::vector<std::string> codes = {"49123456", "96385074",      "12345670",
                                            "55123457", "4901234567894", "4901234567890",
                                            "49123457", "490123456789"};
    EXPECT_EQ(printAndRead(sheetOfCodes(codes), GetParam(), "ean8"),
              (std::vector<std::string>{"12345670", "4901234567894", "49123456", "55123457",
                                        "96385074"}));
}

// Every label's QR code, from its own content or the pattern's, reads back as
// it was given: URLs, Japanese text in UTF-8, digits, and the longest content
// the box holds. The bars are hidden so that only the QR codes are read.
TEST_P(BarcodeReadback, QrCodesOfOwnContentsAndOfThePattern) {
    LabelSheet sheet = sheetOfCodes({"4901234567894", "2000000000015", "49123456", "4512345678906",
                                     "0212345001981", "4901234567894", "4901234567894"});
    sheet.label(2).qrContent = "https://shop.example/惣菜?id=15";
    sheet.label(3).qrContent = "有機にんじん 静岡県産";
    sheet.label(4).qrContent = "0123456789";
    sheet.label(6).qrContent = std::string(60, 'q');
    sheet.label(7).qrContent = "https://example.jp/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s";
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).visible = false;
    layout.qrPattern = "https://example.jp/item/{JAN}";
    std::vector<std::string> expected = {
        "https://example.jp/item/4901234567894",
        "https://shop.example/惣菜?id=15",
        "有機にんじん 静岡県産",
        "0123456789",
        "https://example.jp/item/0212345001981",
        std::string(60, 'q'),
        "https://example.jp/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(printAndRead(sheet, GetParam(), "qr", layout), expected);
}

INSTANTIATE_TEST_SUITE_P(Dpi, BarcodeReadback, testing::Values(300, 600),
                         [](const testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "Dpi";
                         });

}  // namespace
