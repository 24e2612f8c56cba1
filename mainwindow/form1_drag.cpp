// Moving and resizing the graph area with the mouse on the page picture,
// panning the full-size page, and the hover feedback of the outline.
//
// Lengths here are single precision, as on the page picture itself, and the
// comparisons are made in that precision too.
#include <QEvent>
#include <QGroupBox>
#include <QScrollBar>
#include <cmath>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"

namespace lattora {

namespace {

float single(double value) {
    return static_cast<float>(value);
}

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
            const QRectF o = preview_->outline();
            const QSizeF page = preview_->paperPictureTwips();
            const float width = single(o.width());
            const float height = single(o.height());
            const float pageWidth = single(page.width());
            const float pageHeight = single(page.height());
            const float l = x - grabX_;
            float left = l;
            if (l + width > pageWidth) {
                left = pageWidth - width;
            } else if (l < 0) {
                left = 0;
            }
            const float t = y - grabY_;
            float top = 0;
            if (t + height > pageHeight) {
                top = pageHeight - height;
            } else if (t >= 0) {
                top = t;
            }
            preview_->setOutline(QRectF(left, top, width, height));
        });
        scope([&] { MapPreviewToActual(); });
    }

    // Hover: all four bounds count as inside.
    scope([&] {
        const QRectF o = preview_->outline();
        const float left = single(o.left());
        const float top = single(o.top());
        const float width = single(o.width());
        const float height = single(o.height());
        const bool inside = left <= x && x <= left + width && top <= y && y <= top + height;
        if (!inside) {
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
        const QSizeF h0 = preview_->handleRect(0).size();
        const QSizeF h1 = preview_->handleRect(1).size();
        const QSizeF h2 = preview_->handleRect(2).size();
        // The edge handles sit one corner handle before the middle of their
        // edge, flush with the outline's right or bottom edge and inside it.
        preview_->setHandlePosition(
            0, left + width - single(h0.width()),
            top + height / 2 - single(h0.height()) / 2 - single(h1.height()));
        preview_->setHandlePosition(1, left + width - single(h1.width()),
                                    top + height - single(h1.height()));
        preview_->setHandlePosition(2,
                                    left + width / 2 - single(h2.width()) / 2 - single(h1.width()),
                                    top + height - single(h2.height()));
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
    const bool horizontal = index == 0 || index == 1;
    const bool vertical = index == 1 || index == 2;
    // The handle follows the pointer by as much as the grab point moved; at
    // the page's left or top edge it stays where it was.
    if (horizontal) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            const float handleWidth = single(handle.width());
            const float pageWidth = single(preview_->paperPictureTwips().width());
            const float l = single(handle.left()) + x - grabX_;
            if (l > pageWidth - handleWidth) {
                preview_->setHandlePosition(index, pageWidth - handleWidth, single(handle.top()));
            } else if (l > 0) {
                preview_->setHandlePosition(index, l, single(handle.top()));
            }
        });
    }
    if (vertical) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            const float handleHeight = single(handle.height());
            const float pageHeight = single(preview_->paperPictureTwips().height());
            const float t = single(handle.top()) + y - grabY_;
            if (t > pageHeight - handleHeight) {
                preview_->setHandlePosition(index, single(handle.left()),
                                            pageHeight - handleHeight);
            } else if (t > 0) {
                preview_->setHandlePosition(index, single(handle.left()), t);
            }
        });
    }
    // The outline's right and bottom edges follow the handle's; its size
    // never goes below 0.
    if (horizontal) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            QRectF o = preview_->outline();
            const float w = single(handle.left()) - single(o.left()) + single(handle.width());
            o.setWidth(w > 0 ? w : 0);
            preview_->setOutline(o);
        });
    }
    if (vertical) {
        scope([&] {
            const QRectF handle = preview_->handleRect(index);
            QRectF o = preview_->outline();
            const float h = single(handle.top()) - single(o.top()) + single(handle.height());
            o.setHeight(h > 0 ? h : 0);
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
        const QPointF at = preview_->printPosition();
        const QSizeF container = preview_->containerTwips();
        const QSizeF page = preview_->printTwips();
        // The test against 0 comes first: a page smaller than its container
        // goes to the container's left or top for any pull right or down.
        const auto pan = [](float from, float travel, float room) {
            const float to = from + travel;
            if (to > 0) {
                return 0.0f;
            }
            if (to < room) {
                return room;
            }
            return to;
        };
        const float left =
            pan(single(at.x()), x - grabX_, single(container.width()) - single(page.width()));
        const float top =
            pan(single(at.y()), y - grabY_, single(container.height()) - single(page.height()));
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
