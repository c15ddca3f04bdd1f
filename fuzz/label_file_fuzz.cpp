// Feeds arbitrary bytes to the label data file reader. Whatever it reads must
// draw in the preview and on the page, and either be refused by the writer or
// be written and read back unchanged.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/LabelDataFile.h"
#include "render/SheetRenderer.h"

namespace {

// Takes every drawing call and checks only that its numbers are finite.
class CheckingSurface : public DrawingSurface {
  public:
    explicit CheckingSurface(bool printer) : printer_(printer) {}
    SurfaceUnit unit() const override { return unit_; }
    void setUnit(SurfaceUnit unit) override { unit_ = unit; }
    void save() override { ++depth_; }
    // Every frame is closed, and never more often than opened.
    void restore() override {
        if (depth_ == 0)
            std::abort();
        --depth_;
    }
    void translate(double dx, double dy) override { check(dx, dy); }
    void clipRect(double x, double y, double w, double h) override { check(x, y, w, h); }
    SurfacePoint origin() const override { return {}; }
    int depth() const { return depth_; }
    void clear() override {}
    void setTransparentFill() override {}
    void setFont(const SurfaceFont& font) override { check(font.sizePt); }
    void setTextColor(Color) override {}
    void drawText(double x, double y, std::string_view) override { check(x, y); }
    void drawRect(double x, double y, double w, double h, Color) override { check(x, y, w, h); }
    void fillRect(double x, double y, double w, double h, Color) override { check(x, y, w, h); }
    void drawLine(double x1, double y1, double x2, double y2, Color) override {
        check(x1, y1, x2, y2);
    }
    void setLineWidth(int) override {}
    double twipsPerPixelX() const override { return printer_ ? 2.4 : 15.0; }
    double twipsPerPixelY() const override { return printer_ ? 2.4 : 15.0; }

  private:
    template <typename... Values>
    static void check(Values... values) {
        if (!(std::isfinite(values) && ...))
            std::abort();
    }
    bool printer_;
    int depth_ = 0;
    SurfaceUnit unit_ = SurfaceUnit::Pixels;
};

// Whatever a file holds, the sheet draws in both modes.
void drawBothWays(const LabelSheet& sheet, const LayoutSettings& settings) {
    for (bool print : {false, true}) {
        CheckingSurface surface(print);
        drawSheet(surface, sheet, settings,
                  print ? RenderOptions::paper() : RenderOptions::preview(0.5));
        if (surface.unit() != SurfaceUnit::Millimetres || surface.depth() != 0)
            std::abort();
    }
}

// True when the text holds no line ends but those that end its 21 lines.
bool onlyLineEndsOfTheForm(const std::string& written) {
    return std::count(written.begin(), written.end(), '\n') == 21 &&
           std::count(written.begin(), written.end(), '\r') == 21;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LabelSheet sheet;
    LayoutSettings settings = initialLayoutSettings();
    int misfit = -1;
    if (!parseLabelFile(bytes, sheet, settings, nullptr, &misfit).ok()) {
        if (!(sheet == LabelSheet{}) || !(settings == initialLayoutSettings()))
            std::abort();
        return 0;
    }
    if (misfit < 0 || misfit > 21 || misfit != firstMisfitLine(bytes))
        std::abort();
    drawBothWays(sheet, settings);
    std::string written;
    if (!formatLabelFile(sheet, settings, written).ok())
        return 0;
    // What the writer writes lines up, unless a text read holds a line break.
    if (firstMisfitLine(written) != 0 && onlyLineEndsOfTheForm(written))
        std::abort();

    LabelSheet again;
    LayoutSettings againSettings = settings;
    if (!parseLabelFile(written, again, againSettings).ok())
        std::abort();
    if (!(again == sheet) || !(againSettings == settings))
        std::abort();
    std::string rewritten;
    if (!formatLabelFile(again, againSettings, rewritten).ok() || rewritten != written) {
        std::abort();
    }
    return 0;
}
