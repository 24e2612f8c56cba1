#include "mainwindow/previewpane.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "mainwindow/previewpictures.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

// Until the first setPage the pane shows an A4 portrait page, so that both
// pictures always exist and can be drawn on.
constexpr PrinterPage kStartPage{11906, 16838, 1, 0, 0};

// A scroll bar's small step is this share of the visible extent.
constexpr int kSingleStepsPerPage = 20;

using preview::OutlineShape;
using preview::PictureWidget;
using preview::sideToPixels;
using preview::SizeHandle;
using preview::twipsToPixels;

}  // namespace

struct PreviewPane::Impl {
    explicit Impl(PreviewPane* owner);

    void setResolution(double x, double y);
    void layOut();
    void placePaper();
    void placeOutline();
    void placeHandle(std::size_t index);
    void placePrint();
    bool forwardMouse(QObject* watched, QEvent* event);
    void updateScrollRanges();

    PreviewPane* pane;
    QSize roomForPicture;
    // Replaced by the screen's at the constructor's setPage.
    double dpiX = 96;
    double dpiY = 96;

    PrinterPage page = kStartPage;
    // pPaper's size in twips, kept in single precision like every length on
    // the page picture.
    float paperWidth = 0;
    float paperHeight = 0;
    // sResize in twips relative to pPaper.
    float outlineLeft = 0;
    float outlineTop = 0;
    float outlineWidth = 0;
    float outlineHeight = 0;
    bool zoomed = false;
    // pSize0..2 in twips relative to pPaper.
    std::array<QPointF, 3> handlePositions{};
    // pPrint in pCont, in twips.
    float printLeft = 0;
    float printTop = 0;
    std::function<void(const PreviewMouseEvent&)> mouseHandler;

    std::unique_ptr<RasterTarget> paperRaster;
    std::unique_ptr<RasterTarget> printRaster;

    PictureWidget* paper;
    OutlineShape* outline;
    std::array<SizeHandle*, 3> handles{};
    QWidget* zoomedPanel;
    QWidget* container;
    PictureWidget* print;
    QScrollBar* hSB;
    QScrollBar* vSB;
};

PreviewPane::Impl::Impl(PreviewPane* owner)
    : pane(owner),
      paper(new PictureWidget(owner)),
      outline(new OutlineShape(paper)),
      zoomedPanel(new QWidget(owner)),
      container(new QWidget(zoomedPanel)),
      print(new PictureWidget(container)),
      hSB(new QScrollBar(Qt::Horizontal, zoomedPanel)),
      vSB(new QScrollBar(Qt::Vertical, zoomedPanel)) {
    paper->setObjectName(QStringLiteral("pPaper"));
    outline->setObjectName(QStringLiteral("sResize"));
    // Each handle's pointer tells which edges it moves: the right edge, the
    // bottom-right corner, the bottom edge.
    const std::array<Qt::CursorShape, 3> cursors{Qt::SizeHorCursor, Qt::SizeFDiagCursor,
                                                 Qt::SizeVerCursor};
    for (std::size_t i = 0; i < handles.size(); ++i) {
        handles[i] = new SizeHandle(paper);
        handles[i]->setObjectName(QStringLiteral("pSize%1").arg(i));
        handles[i]->setCursor(cursors[i]);
        handles[i]->hide();
    }
    zoomedPanel->setObjectName(QStringLiteral("pZoomed"));
    container->setObjectName(QStringLiteral("pCont"));
    print->setObjectName(QStringLiteral("pPrint"));
    print->setCursor(Qt::SizeAllCursor);
    hSB->setObjectName(QStringLiteral("hSB"));
    vSB->setObjectName(QStringLiteral("vSB"));
    // The page follows the thumb while it is dragged, not only at its release.
    hSB->setTracking(true);
    vSB->setTracking(true);
    zoomedPanel->hide();
}

void PreviewPane::Impl::setResolution(double x, double y) {
    dpiX = x;
    dpiY = y;
    // Enough room for the page picture in either orientation: the tallest
    // picture is a portrait one, the widest a landscape one.
    roomForPicture = QSize(
        static_cast<int>(
            std::ceil((kLandscapePictureWidth + 2 * kFrameMarginTwips) * dpiX / kTwipsPerInch)),
        static_cast<int>(
            std::ceil((kPortraitPictureHeight + 2 * kFrameMarginTwips) * dpiY / kTwipsPerInch)));
    pane->updateGeometry();
}

QSize PreviewPane::sizeHint() const {
    return d_->roomForPicture;
}

QSize PreviewPane::minimumSizeHint() const {
    return d_->roomForPicture / 3;
}

void PreviewPane::Impl::layOut() {
    const int w = pane->width();
    const int h = pane->height();
    zoomedPanel->setGeometry(0, 0, w, h);
    const int barHeight = hSB->sizeHint().height();
    const int barWidth = vSB->sizeHint().width();
    const int innerWidth = std::max(0, w - barWidth);
    const int innerHeight = std::max(0, h - barHeight);
    container->setGeometry(0, 0, innerWidth, innerHeight);
    hSB->setGeometry(0, innerHeight, innerWidth, barHeight);
    vSB->setGeometry(innerWidth, 0, barWidth, innerHeight);
    print->resize(sideToPixels(page.pageWidthTwips, dpiX),
                  sideToPixels(page.pageHeightTwips, dpiY));
    placePaper();
    placeOutline();
    updateScrollRanges();
    placePrint();
}

void PreviewPane::Impl::placePaper() {
    const QSizeF frame = pane->frameTwips();
    const float paperLeft = static_cast<float>(frame.width() / 2 - double(paperWidth) / 2);
    const float paperTop = static_cast<float>(frame.height() / 2 - double(paperHeight) / 2);
    paper->setGeometry(twipsToPixels(paperLeft, dpiX), twipsToPixels(paperTop, dpiY),
                       sideToPixels(paperWidth, dpiX), sideToPixels(paperHeight, dpiY));
    const int handleWidth = sideToPixels(kHandleTwips, dpiX);
    const int handleHeight = sideToPixels(kHandleTwips, dpiY);
    for (std::size_t i = 0; i < handles.size(); ++i) {
        handles[i]->resize(handleWidth, handleHeight);
        placeHandle(i);
    }
}

void PreviewPane::Impl::placeHandle(std::size_t index) {
    handles[index]->move(twipsToPixels(handlePositions[index].x(), dpiX),
                         twipsToPixels(handlePositions[index].y(), dpiY));
}

void PreviewPane::Impl::placeOutline() {
    // Both edges are rounded, not the width, so that the outline's right and
    // bottom edges land where the twips say.
    const int left = twipsToPixels(outlineLeft, dpiX);
    const int top = twipsToPixels(outlineTop, dpiY);
    const int right = twipsToPixels(double(outlineLeft) + double(outlineWidth), dpiX);
    const int bottom = twipsToPixels(double(outlineTop) + double(outlineHeight), dpiY);
    outline->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

void PreviewPane::Impl::placePrint() {
    print->move(twipsToPixels(printLeft, dpiX), twipsToPixels(printTop, dpiY));
}

bool PreviewPane::Impl::forwardMouse(QObject* watched, QEvent* event) {
    using Action = PreviewMouseEvent::Action;
    using Surface = PreviewMouseEvent::Surface;
    Action action;
    switch (event->type()) {
        case QEvent::MouseButtonPress: action = Action::Down; break;
        case QEvent::MouseMove: action = Action::Move; break;
        case QEvent::MouseButtonRelease: action = Action::Up; break;
        default: return false;
    }
    if (!mouseHandler) {
        return false;
    }
    Surface surface = Surface::Paper;
    int handle = -1;
    if (watched == print) {
        surface = Surface::Print;
    } else if (watched != paper) {
        surface = Surface::Handle;
        handle =
            static_cast<int>(std::find(handles.begin(), handles.end(), watched) - handles.begin());
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF at = mouse->position();
    mouseHandler({surface, action, mouse->button(), mouse->modifiers(),
                  static_cast<float>(at.x() * kTwipsPerInch / dpiX),
                  static_cast<float>(at.y() * kTwipsPerInch / dpiY), handle});
    return true;
}

void PreviewPane::Impl::updateScrollRanges() {
    const double visibleWidth = container->width() * kTwipsPerInch / dpiX;
    const double visibleHeight = container->height() * kTwipsPerInch / dpiY;
    // The whole page must be reachable: a fraction of a twip of overhang
    // still counts. A page smaller than the container does not scroll.
    const auto overhang = [](double pageTwips, double visibleTwips) {
        const double beyond = std::ceil(pageTwips - visibleTwips - 1e-6);
        return static_cast<int>(std::clamp(beyond, 0.0, double(std::numeric_limits<int>::max())));
    };
    const auto step = [](double visibleTwips) {
        const int page = std::max(1, static_cast<int>(std::lround(visibleTwips)));
        return std::pair(page, std::max(1, page / kSingleStepsPerPage));
    };
    // The value is kept where the new range allows; the bar's own clamping
    // moves the page through valueChanged otherwise.
    vSB->setRange(0, overhang(page.pageHeightTwips, visibleHeight));
    hSB->setRange(0, overhang(page.pageWidthTwips, visibleWidth));
    const auto [vPage, vStep] = step(visibleHeight);
    const auto [hPage, hStep] = step(visibleWidth);
    vSB->setPageStep(vPage);
    vSB->setSingleStep(vStep);
    hSB->setPageStep(hPage);
    hSB->setSingleStep(hStep);
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent), d_(std::make_unique<Impl>(this)) {
    // hSB_Change and vSB_Change: the page follows the bars.
    connect(d_->hSB, &QScrollBar::valueChanged, this, [this](int value) {
        d_->printLeft = static_cast<float>(-value);
        d_->placePrint();
    });
    connect(d_->vSB, &QScrollBar::valueChanged, this, [this](int value) {
        d_->printTop = static_cast<float>(-value);
        d_->placePrint();
    });
    // The page picture follows the pointer even without a pressed button:
    // the graph area shows when the pointer is over it.
    d_->paper->setMouseTracking(true);
    d_->paper->installEventFilter(this);
    d_->print->installEventFilter(this);
    for (SizeHandle* handle : d_->handles) {
        handle->installEventFilter(this);
    }
    setPage(kStartPage);
}

bool PreviewPane::eventFilter(QObject* watched, QEvent* event) {
    if (d_->forwardMouse(watched, event)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

PreviewPane::~PreviewPane() {
    // The picture widgets point at the rasters; they go first.
    d_->paper->setRaster(nullptr, 1);
    d_->print->setRaster(nullptr, 1);
}

void PreviewPane::setPage(const PrinterPage& page) {
    if (page.pageWidthTwips <= 0 || page.pageHeightTwips <= 0) {
        throw Error(QStringLiteral("Invalid page size: %1 x %2 twips")
                        .arg(page.pageWidthTwips)
                        .arg(page.pageHeightTwips));
    }
    // Read afresh each time: the window may have moved to another screen.
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const double pixelRatio = devicePixelRatioF();
    const double wideRatio = double(page.pageWidthTwips) / double(page.pageHeightTwips);
    const float tallRatio = static_cast<float>(double(page.pageHeightTwips) / page.pageWidthTwips);
    float width = kLandscapePictureWidth;
    float height = kPortraitPictureHeight;
    if (page.orientation == static_cast<std::int16_t>(Orientation::Portrait)) {
        width = toSingle(double(kPortraitPictureHeight) * wideRatio);
    } else {
        height = toSingle(double(kLandscapePictureWidth) * double(tallRatio));
    }
    // Both pictures are made before anything changes: a page too large to
    // draw leaves the pane as it was. On a high-density screen they have the
    // device's pixels, so the grid stays sharp. A raster has one resolution
    // for both directions; a screen reports the same logical resolution
    // across and down, so the horizontal one serves.
    const double rasterDpi = dpiX * pixelRatio;
    auto paperRaster = RasterTarget::forPage(QSizeF(width, height), rasterDpi, Unit::Twip);
    auto printRaster = RasterTarget::forPage(QSizeF(page.pageWidthTwips, page.pageHeightTwips),
                                             rasterDpi, Unit::Twip);
    d_->setResolution(dpiX, dpiY);
    d_->paper->setRaster(paperRaster.get(), pixelRatio);
    d_->print->setRaster(printRaster.get(), pixelRatio);
    d_->paperRaster = std::move(paperRaster);
    d_->printRaster = std::move(printRaster);
    d_->page = page;
    d_->paperWidth = width;
    d_->paperHeight = height;
    d_->layOut();
}

QSizeF PreviewPane::paperPictureTwips() const {
    return {d_->paperWidth, d_->paperHeight};
}

QSizeF PreviewPane::frameTwips() const {
    return {width() * kTwipsPerInch / d_->dpiX, height() * kTwipsPerInch / d_->dpiY};
}

QRectF PreviewPane::outline() const {
    return {d_->outlineLeft, d_->outlineTop, d_->outlineWidth, d_->outlineHeight};
}

void PreviewPane::setOutline(const QRectF& twips) {
    const float left = toSingle(twips.x());
    const float top = toSingle(twips.y());
    const float width = toSingle(twips.width());
    const float height = toSingle(twips.height());
    d_->outlineLeft = left;
    d_->outlineTop = top;
    d_->outlineWidth = width;
    d_->outlineHeight = height;
    d_->placeOutline();
}

RasterTarget& PreviewPane::paperPicture() {
    return *d_->paperRaster;
}

RasterTarget& PreviewPane::printPicture() {
    return *d_->printRaster;
}

void PreviewPane::clearPaperPicture() {
    d_->paperRaster->clear();
}

void PreviewPane::clearPrintPicture() {
    d_->printRaster->clear();
}

void PreviewPane::updatePictures() {
    d_->paper->update();
    d_->print->update();
}

float PreviewPane::paperScaleX(double twips, int unitCode) const {
    return convertLength(twips, Unit::Twip, unitCode, d_->dpiX);
}

float PreviewPane::paperScaleY(double twips, int unitCode) const {
    return convertLength(twips, Unit::Twip, unitCode, d_->dpiY);
}

void PreviewPane::setZoomed(bool zoomed) {
    d_->zoomed = zoomed;
    d_->paper->setVisible(!zoomed);
    d_->zoomedPanel->setVisible(zoomed);
}

bool PreviewPane::zoomed() const {
    return d_->zoomed;
}

QScrollBar* PreviewPane::horizontalScrollBar() const {
    return d_->hSB;
}

QScrollBar* PreviewPane::verticalScrollBar() const {
    return d_->vSB;
}

void PreviewPane::setOutlineBorderStyle(Qt::PenStyle style) {
    d_->outline->setBorderStyle(style);
}

Qt::PenStyle PreviewPane::outlineBorderStyle() const {
    return d_->outline->borderStyle();
}

void PreviewPane::setMouseHandler(std::function<void(const PreviewMouseEvent&)> handler) {
    d_->mouseHandler = std::move(handler);
}

void PreviewPane::setPaperCursor(Qt::CursorShape shape) {
    if (shape == Qt::ArrowCursor) {
        d_->paper->unsetCursor();
    } else {
        d_->paper->setCursor(shape);
    }
}

Qt::CursorShape PreviewPane::paperCursor() const {
    return d_->paper->testAttribute(Qt::WA_SetCursor) ? d_->paper->cursor().shape()
                                                      : Qt::ArrowCursor;
}

QRectF PreviewPane::handleRect(int index) const {
    const QPointF at = d_->handlePositions.at(static_cast<std::size_t>(index));
    return {at, QSizeF(kHandleTwips, kHandleTwips)};
}

void PreviewPane::setHandlePosition(int index, float left, float top) {
    const auto i = static_cast<std::size_t>(index);
    d_->handlePositions.at(i) = QPointF(toSingle(left), toSingle(top));
    d_->placeHandle(i);
}

void PreviewPane::setHandleVisible(int index, bool visible) {
    d_->handles.at(static_cast<std::size_t>(index))->setVisible(visible);
}

bool PreviewPane::handleVisible(int index) const {
    return !d_->handles.at(static_cast<std::size_t>(index))->isHidden();
}

QPointF PreviewPane::printPosition() const {
    return {d_->printLeft, d_->printTop};
}

void PreviewPane::setPrintPosition(float left, float top) {
    d_->printLeft = toSingle(left);
    d_->printTop = toSingle(top);
    d_->placePrint();
}

QSizeF PreviewPane::containerTwips() const {
    return {d_->container->width() * kTwipsPerInch / d_->dpiX,
            d_->container->height() * kTwipsPerInch / d_->dpiY};
}

QSizeF PreviewPane::printTwips() const {
    return {double(d_->page.pageWidthTwips), double(d_->page.pageHeightTwips)};
}

double PreviewPane::screenDpiX() const {
    return d_->dpiX;
}

double PreviewPane::screenDpiY() const {
    return d_->dpiY;
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A pane grown or shrunk by its window keeps the picture centred and the
    // scroll bars true to what the container now shows.
    d_->layOut();
}

}  // namespace lattora
