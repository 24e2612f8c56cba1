// The preview frame's content: the whole page reduced (pPaper) with the
// graph-area outline (sResize) and its sizing handles (pSize0..2), and the
// page at full size (pPrint) inside a clipping container (pCont) on a panel
// (pZoomed) with two scroll bars (hSB, vSB). Geometry is kept in twips, as
// the sheet's mappings expect; twips become screen pixels with the screen's
// real resolution.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/output/rastertarget.h"
#include "sheet/sheetsettings.h"

class QScrollBar;

namespace lattora {

// A press, move or release of the mouse on one of the pane's surfaces, at a
// position in twips relative to that surface. Between a press and its
// release every event goes to the surface that was pressed.
struct PreviewMouseEvent {
    enum class Surface { Paper, Handle, Print };
    enum class Action { Down, Move, Up };
    Surface surface;
    Action action;
    Qt::MouseButton button;
    Qt::KeyboardModifiers shift;
    float x;
    float y;
    int handle;  // the handle's index, for Surface::Handle
};

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // The page picture is this high in portrait and this wide in landscape.
    static constexpr float kPortraitPictureHeight = 4575;
    static constexpr float kLandscapePictureWidth = 5535;

    explicit PreviewPane(QWidget* parent = nullptr);
    ~PreviewPane() override;

    // Shapes the page picture after the paper (4575 twips high in portrait,
    // 5535 wide otherwise, the other side from the paper's aspect ratio,
    // stored in single precision), centres it in the pane, and sizes the
    // full-size picture to the paper in twips. Raises Error for a page with
    // a zero side.
    void setPage(const PrinterPage& page);

    // pPaper's width and height in twips.
    QSizeF paperPictureTwips() const;
    // The pane's own size in twips (the frame the picture is centred in).
    QSizeF frameTwips() const;

    // sResize: left, top, width, height in twips relative to pPaper, each a
    // single-precision value.
    QRectF outline() const;
    void setOutline(const QRectF& twips);

    // The two pictures the renderer draws on, both in twips (scale mode 1)
    // at the screen's resolution. clear*() paints them white and shows the
    // result once drawing is done (call updatePictures()). setPage() makes
    // both pictures anew for the new page: a reference taken before it must
    // not be used after it.
    RasterTarget& paperPicture();
    RasterTarget& printPicture();
    void clearPaperPicture();
    void clearPrintPicture();
    void updatePictures();

    // pPaper's own conversion of a length in twips into `unitCode`
    // (horizontal or vertical), single precision.
    float paperScaleX(double twips, int unitCode) const;
    float paperScaleY(double twips, int unitCode) const;

    // cbZoom: the full-size page instead of the whole page. Only swaps what is
    // visible; both pictures are always current.
    void setZoomed(bool zoomed);
    bool zoomed() const;

    // Scroll positions in twips; pPrint sits at minus these in pCont.
    QScrollBar* horizontalScrollBar() const;
    QScrollBar* verticalScrollBar() const;

    // The border of sResize: solid, or dotted while the pointer is over the
    // graph area.
    void setOutlineBorderStyle(Qt::PenStyle style);
    Qt::PenStyle outlineBorderStyle() const;

    // Where mouse events on pPaper, the handles and pPrint go.
    void setMouseHandler(std::function<void(const PreviewMouseEvent&)> handler);

    // pPaper's pointer: the arrow or the size-all cross.
    void setPaperCursor(Qt::CursorShape shape);
    Qt::CursorShape paperCursor() const;

    // The sizing handles pSize0..2: position in twips relative to pPaper (each
    // a single), side kHandleTwips, hidden until shown.
    static constexpr int kHandleCount = 3;
    QRectF handleRect(int index) const;
    void setHandlePosition(int index, float left, float top);
    void setHandleVisible(int index, bool visible);
    bool handleVisible(int index) const;

    // pPrint's position in pCont (twips; Left and Top are 0 or negative while
    // the page is larger than the container), and the two sizes.
    QPointF printPosition() const;
    void setPrintPosition(float left, float top);
    QSizeF containerTwips() const;
    QSizeF printTwips() const;

    // The screen resolution (pixels per inch) twips are placed with, read from
    // the screen when the pane is made and at every setPage().
    double screenDpiX() const;
    double screenDpiY() const;

    // Room left around the page picture by the pane's minimum size.
    static constexpr float kFrameMarginTwips = 120;
    // The sizing handles' side.
    static constexpr float kHandleTwips = 150;

    // Room for the page picture in either orientation; on a small screen the
    // pane gives way first and the picture's edges are cut.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace lattora
