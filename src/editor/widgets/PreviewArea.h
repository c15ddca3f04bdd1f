#pragma once

#include <QWidget>

#include "editor/logic/EditorView.h"

class QFrame;
class QScrollBar;
class PreviewPicture;

// The preview viewport picFrame with the picture picDraw inside it and the
// scroll bars VScroll1 and HScroll1 that move the picture. The bars count in
// twips; the picture moves when a scroll completes (not while the thumb is
// dragged). When the viewport changes size the ranges follow it.
class PreviewArea : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewArea(QWidget* parent = nullptr);

    // Sizes the picture to a page `pixels` large at `dotsPerInch`.
    void setPageSize(QSize pixels, double dotsPerInch);
    PreviewPicture* picture() const { return picture_; }
    QFrame* frame() const { return frame_; }
    QScrollBar* verticalBar() const { return vertical_; }
    QScrollBar* horizontalBar() const { return horizontal_; }

    double twipsPerPixel() const { return 1440.0 / dotsPerInch_; }
    double dotsPerInch() const { return dotsPerInch_; }
    // Sizes in twips, as the window reports them.
    QSize pageTwips() const;
    QSize frameTwips() const;

    void setScrollRanges(const EditorView::ScrollRange& vertical,
                         const EditorView::ScrollRange& horizontal);
    // Scrolls as little as needed to show `mm` (millimetres from the picture's
    // corner) whole, or its top-left part when it is larger than the frame.
    void keepInView(const QRectF& mm);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placePicture();
    void fitRangesToFrame();

    QFrame* frame_;
    PreviewPicture* picture_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    double dotsPerInch_ = 96.0;
};
