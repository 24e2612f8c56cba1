// Moving and resizing the graph area with the mouse on the page picture,
// panning the full-size page, and the hover feedback of the outline.
//
// The clamps and placements are the outline geometry's; these handlers take
// the preview's lengths to it and its answers back, and decide when the sheet
// follows and when the grid is redrawn.
#include <QEvent>
#include <QGroupBox>
#include <QScrollBar>
#include <cmath>

#include "mainwindow/form1.h"
#include "mainwindow/outlinegeometry.h"
#include "mainwindow/previewpane.h"

namespace lattora {

namespace {

// A scroll bar's value from a single: the nearest whole twip, half to even.
int barValue(float value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

void Form1::connectPreviewMouse() {
    preview_->setMouseHandler([this](const PreviewMouseEvent& e) {
        using Handler = void (Form1::*)(Qt::MouseButton, Qt::KeyboardModifiers, float, float);
        using HandleHandler =
            void (Form1::*)(int, Qt::MouseButton, Qt::KeyboardModifiers, float, float);
        // By action: press, move, release.
        static constexpr Handler kPaper[] = {&Form1::pPaper_MouseDown, &Form1::pPaper_MouseMove,
                                             &Form1::pPaper_MouseUp};
        static constexpr Handler kPrint[] = {&Form1::pPrint_MouseDown, &Form1::pPrint_MouseMove,
                                             &Form1::pPrint_MouseUp};
        static constexpr HandleHandler kHandle[] = {&Form1::pSize_MouseDown,
                                                    &Form1::pSize_MouseMove, &Form1::pSize_MouseUp};
        const auto action = static_cast<std::size_t>(e.action);
        switch (e.surface) {
            case PreviewMouseEvent::Surface::Paper:
                (this->*kPaper[action])(e.button, e.shift, e.x, e.y);
                break;
            case PreviewMouseEvent::Surface::Print:
                (this->*kPrint[action])(e.button, e.shift, e.x, e.y);
                break;
            case PreviewMouseEvent::Surface::Handle:
                (this->*kHandle[action])(e.handle, e.button, e.shift, e.x, e.y);
                break;
        }
    });
    // Moving over a frame or the window itself ends the hover of the graph
    // area; the events of controls without tracking reach their frame.
    setMouseTracking(true);
    installEventFilter(this);
    for (int i = 1; i <= 6; ++i) {
        if (auto* frame = findChild<QGroupBox*>(QStringLiteral("Frame%1").arg(i))) {
            frame->setMouseTracking(true);
            frame->installEventFilter(this);
        }
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched->isWidgetType()) {
        Frame_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Frame_MouseMove() {
    preview_->setOutlineBorderStyle(Qt::SolidLine);
    for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
        preview_->setHandleVisible(i, false);
    }
}

void Form1::pPaper_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPaper_MouseDown"), this);
    scope([&] { dragActive_ = true; });
    // A press anywhere on the page grabs the graph area, inside it or not.
    scope([&] { grabX_ = x - single(preview_->outline().left()); });
    scope([&] { grabY_ = y - single(preview_->outline().top()); });
}

void Form1::pPaper_MouseMove(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPaper_MouseMove"), this);
    if (dragActive_) {
        scope([&] {
            preview_->setOutline(draggedOutline(preview_->outline(), preview_->paperPictureTwips(),
                                                x, y, grabX_, grabY_));
        });
        scope([&] { MapPreviewToActual(); });
    }

    // Hover.
    scope([&] {
        const QRectF o = preview_->outline();
        if (!outlineContains(o, x, y)) {
            preview_->setPaperCursor(Qt::ArrowCursor);
            preview_->setOutlineBorderStyle(Qt::SolidLine);
            for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
                preview_->setHandleVisible(i, false);
            }
            return;
        }
        preview_->setPaperCursor(Qt::SizeAllCursor);
        for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
            preview_->setHandleVisible(i, true);
        }
        const auto at =
            handlePositions(o, {preview_->handleRect(0).size(), preview_->handleRect(1).size(),
                                preview_->handleRect(2).size()});
        for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
            const QPointF& p = at[static_cast<std::size_t>(i)];
            preview_->setHandlePosition(i, single(p.x()), single(p.y()));
        }
        preview_->setOutlineBorderStyle(Qt::DotLine);
    });
}

void Form1::pPaper_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPaper_MouseUp"), this);
    scope([&] { dragActive_ = false; });
    scope([&] { DrawPaper(); });
}

void Form1::pSize_MouseDown(int index, Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pSize_MouseDown"), this);
    scope([&] { dragActive_ = true; });
    scope([&] { grabX_ = x; });
    scope([&] { grabY_ = y; });
    scope([&] {
        for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
            if (i != index) {
                preview_->setHandleVisible(i, false);
            }
        }
    });
}

void Form1::pSize_MouseMove(int index, Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    if (!dragActive_) {
        return;
    }
    ReportingScope scope(report_, kWindowName, QStringLiteral("pSize_MouseMove"), this);
    const HandleAxes axes = handleAxes(index);
    if (axes.horizontal) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            if (const auto left =
                    draggedHandleEdge(single(handle.left()), single(handle.width()),
                                      single(preview_->paperPictureTwips().width()), x, grabX_)) {
                preview_->setHandlePosition(index, *left, single(handle.top()));
            }
        });
    }
    if (axes.vertical) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            if (const auto top =
                    draggedHandleEdge(single(handle.top()), single(handle.height()),
                                      single(preview_->paperPictureTwips().height()), y, grabY_)) {
                preview_->setHandlePosition(index, single(handle.left()), *top);
            }
        });
    }
    // The outline's right and bottom edges follow the handle's.
    if (axes.horizontal) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            QRectF o = preview_->outline();
            o.setWidth(extentReachingHandle(single(o.left()), single(handle.left()),
                                            single(handle.width())));
            preview_->setOutline(o);
        });
    }
    if (axes.vertical) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            QRectF o = preview_->outline();
            o.setHeight(extentReachingHandle(single(o.top()), single(handle.top()),
                                             single(handle.height())));
            preview_->setOutline(o);
        });
    }
    scope([&] { MapPreviewToActual(); });
}

void Form1::pSize_MouseUp(int, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x,
                          float y) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pSize_MouseUp"), this);
    scope([&] { dragActive_ = false; });
    scope([&] {
        for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
            preview_->setHandleVisible(i, true);
        }
    });
    // The hover runs with the release's own coordinates, which are relative
    // to the handle, not to the page: unless the outline starts at the page's
    // corner it usually finds the pointer outside until the next move.
    scope([&] { pPaper_MouseMove(button, shift, x, y); });
    scope([&] { DrawPaper(); });
}

void Form1::pPrint_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPrint_MouseDown"), this);
    scope([&] { dragActive_ = true; });
    scope([&] { grabX_ = x; });
    scope([&] { grabY_ = y; });
}

void Form1::pPrint_MouseMove(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
    if (!dragActive_) {
        return;
    }
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPrint_MouseMove"), this);
    scope([&] {
        const QPointF at = pannedPrintPosition(preview_->printPosition(), x - grabX_, y - grabY_,
                                               preview_->containerTwips(), preview_->printTwips());
        const float left = single(at.x());
        const float top = single(at.y());
        preview_->setPrintPosition(left, top);
        // The bars show the new view position (and, through their change,
        // place the page on their whole twip).
        preview_->horizontalScrollBar()->setValue(barValue(-left));
        preview_->verticalScrollBar()->setValue(barValue(-top));
    });
}

void Form1::pPrint_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pPrint_MouseUp"), this);
    // Panning draws nothing.
    scope([&] { dragActive_ = false; });
}

}  // namespace lattora
