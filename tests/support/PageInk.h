#pragma once

// Where a printed page is inked: measured on its raster (any format; a pixel
// darker than mid grey is ink), in millimetres from the raster's corner.

#include <QImage>
#include <QPointF>
#include <algorithm>

class PageInk {
  public:
    PageInk(const QImage& page, int dotsPerInch)
        : page_(page.convertToFormat(QImage::Format_Grayscale8)), dpi_(dotsPerInch) {}

    int px(double mm) const { return static_cast<int>(mm / 25.4 * dpi_ + 0.5); }
    double mm(int px) const { return px * 25.4 / dpi_; }

    bool inkedPixel(int x, int y) const {
        return x >= 0 && y >= 0 && x < page_.width() && y < page_.height() &&
               page_.constScanLine(y)[x] < 128;
    }

    // Whether there is ink within a pixel of (x, y) mm.
    bool inked(double x, double y) const {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (inkedPixel(px(x) + dx, px(y) + dy))
                    return true;
            }
        }
        return false;
    }

    // The first inked column from the left in the rows between y0 and y1 mm.
    double leftmost(double y0, double y1) const {
        int best = page_.width();
        for (int y = px(y0); y <= px(y1); ++y) {
            for (int x = 0; x < best; ++x) {
                if (inkedPixel(x, y)) {
                    best = x;
                    break;
                }
            }
        }
        return mm(best);
    }

    // The first inked row from the top in the columns between x0 and x1 mm.
    double topmost(double x0, double x1) const {
        int best = page_.height();
        for (int x = px(x0); x <= px(x1); ++x) {
            for (int y = 0; y < best; ++y) {
                if (inkedPixel(x, y)) {
                    best = y;
                    break;
                }
            }
        }
        return mm(best);
    }

    // The top-left corner of all the ink on the page.
    QPointF corner() const {
        return {leftmost(0.0, mm(page_.height() - 1)), topmost(0.0, mm(page_.width() - 1))};
    }

  private:
    QImage page_;
    int dpi_;
};
