#pragma once

// A drawing surface for tests: it paints nothing and records every call as
// one readable line, so a test can compare what was drawn with a list spelled
// out in the test.
//
// Line formats (numbers with exactly two decimals, colours as #rrggbb, i.e.
// the 0x00BBGGRR value with red written first: 255 is #ff0000):
//   unit mm                      setUnit (mm, px)
//   clear                        clear
//   transparent                  setTransparentFill
//   font ＭＳ 明朝 16.00 b0 i0 u0  setFont: name, size in points, bold, italic, underline
//   color #ff0000                setTextColor
//   text 20.00 13.80 "4901234567894"
//   rect 12.00 7.80 91.00 55.00 #808080    drawRect: x y width height colour
//   fill 15.00 9.80 85.00 2.00 #000000     fillRect: x y width height colour
//   line 0.00 0.00 10.00 10.00 #000000     drawLine
//   linewidth 2                  setLineWidth
//   condensed 4.00 31.80 0.75 103.00 "..."  drawCondensedText: x y scale clipRight text
// Reading the unit, the pixel size, ok(), textWidth() or canDrawText() is not
// recorded. Text widths follow a fixed-pitch model: a character below U+0100
// or a half-width katakana is half an em wide, any other a whole em, the em
// being the font size (1 pt = 25.4 / 72 mm).
// Characters beyond U+FFFF (emoji, 𠮷) have no glyph.
//
// Settable: the starting unit (millimetres, as a fresh surface), the twips per pixel (15, a 96 dpi
// screen), and `failAfterCalls` (ok() turns false once that many calls are recorded; never by
// default). `number()` and `colour()` format values the same way, for building expected lines in a
// test.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/Utf8Text.h"
#include "render/DrawingSurface.h"

class RecordingSurface : public DrawingSurface {
  public:
    // The recorded lines, in order.
    std::vector<std::string> calls;

    SurfaceUnit currentUnit = SurfaceUnit::Millimetres;
    double twipsX = 15.0;  // a 96 dpi screen
    double twipsY = 15.0;
    std::size_t failAfterCalls = SIZE_MAX;

    // The recorded lines that start with `prefix` (for example "text ").
    std::vector<std::string> callsStartingWith(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : calls) {
            if (std::string_view(c).substr(0, prefix.size()) == prefix)
                out.push_back(c);
        }
        return out;
    }

    static std::string number(double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", v);
        std::string s = buf;
        if (s == "-0.00")
            s = "0.00";
        return s;
    }

    static std::string colour(Color c) {
        const auto v = static_cast<std::uint32_t>(c);
        char buf[16];
        std::snprintf(buf, sizeof buf, "#%02x%02x%02x", v & 0xFF, (v >> 8) & 0xFF,
                      (v >> 16) & 0xFF);
        return buf;
    }

    static std::string unitName(SurfaceUnit u) { return u == SurfaceUnit::Pixels ? "px" : "mm"; }

    SurfaceUnit unit() const override { return currentUnit; }
    void setUnit(SurfaceUnit u) override {
        currentUnit = u;
        calls.push_back("unit " + unitName(u));
    }
    void clear() override { calls.push_back("clear"); }
    void setTransparentFill() override { calls.push_back("transparent"); }
    void setFont(const SurfaceFont& f) override {
        fontSizePt = f.sizePt;
        calls.push_back("font " + f.name + " " + number(f.sizePt) + " b" + flag(f.bold) + " i" +
                        flag(f.italic) + " u" + flag(f.underline));
    }
    void setTextColor(Color c) override { calls.push_back("color " + colour(c)); }
    void drawText(double x, double y, std::string_view text) override {
        calls.push_back("text " + number(x) + " " + number(y) + " \"" + std::string(text) + "\"");
    }
    double textWidth(std::string_view text) const override {
        double ems = 0.0;
        for (char32_t c : utf8::toUtf32(text))
            ems += (c < 0x100 || (c >= 0xFF61 && c <= 0xFF9F)) ? 0.5 : 1.0;
        const double em = fontSizePt * 25.4 / 72.0;
        return ems * em;
    }
    bool canDrawText(std::string_view text) const override {
        for (char32_t c : utf8::toUtf32(text)) {
            if (c > 0xFFFF)
                return false;
        }
        return true;
    }
    void drawCondensedText(double x, double y, std::string_view text, double scale,
                           double clipRight) override {
        calls.push_back("condensed " + number(x) + " " + number(y) + " " + number(scale) + " " +
                        number(clipRight) + " \"" + std::string(text) + "\"");
    }
    void drawRect(double x, double y, double w, double h, Color c) override {
        calls.push_back("rect " + box(x, y, w, h) + " " + colour(c));
    }
    void fillRect(double x, double y, double w, double h, Color c) override {
        calls.push_back("fill " + box(x, y, w, h) + " " + colour(c));
    }
    void drawLine(double x1, double y1, double x2, double y2, Color c) override {
        calls.push_back("line " + box(x1, y1, x2, y2) + " " + colour(c));
    }
    void setLineWidth(int pixels) override {
        calls.push_back("linewidth " + std::to_string(pixels));
    }
    double twipsPerPixelX() const override { return twipsX; }
    double twipsPerPixelY() const override { return twipsY; }
    bool ok() const override { return calls.size() < failAfterCalls; }

  private:
    double fontSizePt = 10.0;
    static std::string flag(bool b) { return b ? "1" : "0"; }
    static std::string box(double a, double b, double c, double d) {
        return number(a) + " " + number(b) + " " + number(c) + " " + number(d);
    }
};
