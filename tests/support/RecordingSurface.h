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
// In `frameCalls` only:
//   save / restore               save, restore
//   translate 12.00 7.80         translate: dx dy as given, in the current unit
//   clip 0.00 0.00 91.00 55.00   clipRect: as given, from the current origin
// Drawing calls are recorded at their place on the page: the current origin
// added (in pixels, the origin turned into pixels of this surface). Besides
// the lines, `marks` keeps every drawing call with the frame it was drawn in
// (origin and clip on the page), so a test can check positions inside a label.
// Reading the unit, the pixel size, the origin, ok(), textWidth() or canDrawText() is not
// recorded. Text widths follow a fixed-pitch model: a character below U+0100
// or a half-width katakana is half an em wide, any other a whole em, the em
// being the font size (1 pt = 25.4 / 72 mm).
// Characters beyond U+FFFF (emoji, 𠮷) have no glyph.
//
// Settable: the starting unit (millimetres, as a fresh surface), the twips per pixel (15, a 96 dpi
// screen), and `failAfterCalls` (ok() turns false once that many calls are recorded; never by
// default). `number()` and `colour()` format values the same way, for building expected lines in a
// test.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Utf8Text.h"
#include "render/DrawingSurface.h"

class RecordingSurface : public DrawingSurface {
  public:
    // A rectangle on the page, in millimetres.
    struct Box {
        double x = 0.0;
        double y = 0.0;
        double width = 0.0;
        double height = 0.0;
        double right() const { return x + width; }
        double bottom() const { return y + height; }
        bool contains(const Box& b, double tolerance = 1e-6) const {
            return b.x >= x - tolerance && b.y >= y - tolerance &&
                   b.right() <= right() + tolerance && b.bottom() <= bottom() + tolerance;
        }
    };
    // One drawing call: "text", "condensed", "rect", "fill" or "line"; where
    // it was given, from its frame's origin, in the unit of the call; where it
    // lands on the page in millimetres (a text's box is its width by its
    // size); the frame's origin and clip on the page in millimetres.
    struct Mark {
        std::string kind;
        Box local;
        SurfaceUnit unit = SurfaceUnit::Millimetres;
        Box page;
        SurfacePoint frame;
        std::optional<Box> clip;
        std::string text;
        Color color = kBlack;
    };

    // The recorded lines, in order.
    std::vector<std::string> calls;
    // The frame calls (save, restore, translate, clip), in order, apart from
    // `calls` so that the lines of the drawing read the same in a frame or not.
    std::vector<std::string> frameCalls;
    std::vector<Mark> marks;

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
    void save() override {
        saved.push_back(Frame{originMm, clipMm});
        frameCalls.push_back("save");
    }
    void restore() override {
        frameCalls.push_back("restore");
        if (saved.empty())
            return;
        originMm = saved.back().origin;
        clipMm = saved.back().clip;
        saved.pop_back();
    }
    void translate(double dx, double dy) override {
        frameCalls.push_back("translate " + number(dx) + " " + number(dy));
        originMm.x += toMm(dx, twipsX);
        originMm.y += toMm(dy, twipsY);
    }
    void clipRect(double x, double y, double w, double h) override {
        frameCalls.push_back("clip " + box(x, y, w, h));
        Box c = pageMm(x, y, w, h);
        if (clipMm) {  // the overlap with the clip already set
            const double left = std::max(c.x, clipMm->x);
            const double top = std::max(c.y, clipMm->y);
            const double right = std::min(c.right(), clipMm->right());
            const double bottom = std::min(c.bottom(), clipMm->bottom());
            c = Box{left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
        }
        clipMm = c;
    }
    SurfacePoint origin() const override {
        if (currentUnit == SurfaceUnit::Millimetres)
            return originMm;
        return {originMm.x * kTwipsPerMm / twipsX, originMm.y * kTwipsPerMm / twipsY};
    }
    // The depth of save() calls not yet restored.
    std::size_t savedDepth() const { return saved.size(); }
    // The marks whose frame stands at `frame` (within a hundredth of a millimetre).
    std::vector<Mark> marksInFrame(SurfacePoint frame) const {
        std::vector<Mark> out;
        for (const Mark& m : marks) {
            if (std::abs(m.frame.x - frame.x) < 0.01 && std::abs(m.frame.y - frame.y) < 0.01)
                out.push_back(m);
        }
        return out;
    }

    void clear() override { calls.push_back("clear"); }
    void setTransparentFill() override { calls.push_back("transparent"); }
    void setFont(const SurfaceFont& f) override {
        fontSizePt = f.sizePt;
        calls.push_back("font " + f.name + " " + number(f.sizePt) + " b" + flag(f.bold) + " i" +
                        flag(f.italic) + " u" + flag(f.underline));
    }
    void setTextColor(Color c) override {
        textColor = c;
        calls.push_back("color " + colour(c));
    }
    void drawText(double x, double y, std::string_view text) override {
        const SurfacePoint at = onPage(x, y);
        calls.push_back("text " + number(at.x) + " " + number(at.y) + " \"" + std::string(text) +
                        "\"");
        mark("text", x, y, textWidth(text), fontSizePt * 25.4 / 72.0, text, textColor);
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
        const SurfacePoint at = onPage(x, y);
        const SurfacePoint right = onPage(clipRight, y);
        calls.push_back("condensed " + number(at.x) + " " + number(at.y) + " " + number(scale) +
                        " " + number(right.x) + " \"" + std::string(text) + "\"");
        const double width = std::min(textWidth(text) * scale, clipRight - x);
        mark("condensed", x, y, width, fontSizePt * 25.4 / 72.0, text, textColor);
    }
    void drawRect(double x, double y, double w, double h, Color c) override {
        const SurfacePoint at = onPage(x, y);
        calls.push_back("rect " + box(at.x, at.y, w, h) + " " + colour(c));
        mark("rect", x, y, w, h, {}, c);
    }
    void fillRect(double x, double y, double w, double h, Color c) override {
        const SurfacePoint at = onPage(x, y);
        calls.push_back("fill " + box(at.x, at.y, w, h) + " " + colour(c));
        mark("fill", x, y, w, h, {}, c);
    }
    void drawLine(double x1, double y1, double x2, double y2, Color c) override {
        const SurfacePoint from = onPage(x1, y1);
        const SurfacePoint to = onPage(x2, y2);
        calls.push_back("line " + box(from.x, from.y, to.x, to.y) + " " + colour(c));
        mark("line", std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), {},
             c);
    }
    void setLineWidth(int pixels) override {
        calls.push_back("linewidth " + std::to_string(pixels));
    }
    double twipsPerPixelX() const override { return twipsX; }
    double twipsPerPixelY() const override { return twipsY; }
    bool ok() const override { return calls.size() < failAfterCalls; }

  private:
    static constexpr double kTwipsPerMm = 1440.0 / 25.4;
    struct Frame {
        SurfacePoint origin;
        std::optional<Box> clip;
    };
    SurfacePoint originMm;
    std::optional<Box> clipMm;
    std::vector<Frame> saved;
    double fontSizePt = 10.0;
    Color textColor = kBlack;

    double toMm(double v, double twips) const {
        return currentUnit == SurfaceUnit::Millimetres ? v : v * twips / kTwipsPerMm;
    }
    // A position given from the current origin, on the page in the current unit.
    SurfacePoint onPage(double x, double y) const {
        const SurfacePoint o = origin();
        return {o.x + x, o.y + y};
    }
    Box pageMm(double x, double y, double w, double h) const {
        return Box{originMm.x + toMm(x, twipsX), originMm.y + toMm(y, twipsY), toMm(w, twipsX),
                   toMm(h, twipsY)};
    }
    void mark(const char* kind, double x, double y, double w, double h, std::string_view text,
              Color c) {
        marks.push_back(Mark{kind, Box{x, y, w, h}, currentUnit, pageMm(x, y, w, h), originMm,
                             clipMm, std::string(text), c});
    }
    static std::string flag(bool b) { return b ? "1" : "0"; }
    static std::string box(double a, double b, double c, double d) {
        return number(a) + " " + number(b) + " " + number(c) + " " + number(d);
    }
};
