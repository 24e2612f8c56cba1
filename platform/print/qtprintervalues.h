// The printer settings the program hands around, in Qt's words and back:
// the printer and its dialog speak of them alike.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <cstdint>

#include "platform/print/printer.h"

namespace lattora {

// 2 landscape and anything else portrait, as the program counts them.
inline QPageLayout::Orientation qtOrientation(std::int16_t orientation) {
    return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

inline std::int16_t orientationOf(const QPrinter& printer) {
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

inline QPrinter::ColorMode qtColorMode(ColorMode mode) {
    return mode == ColorMode::Color ? QPrinter::Color : QPrinter::GrayScale;
}

inline ColorMode colorModeOf(QPrinter::ColorMode mode) {
    return mode == QPrinter::Color ? ColorMode::Color : ColorMode::Monochrome;
}

inline QPrinter::DuplexMode qtDuplex(DuplexMode mode) {
    switch (mode) {
        case DuplexMode::LongEdge: return QPrinter::DuplexLongSide;
        case DuplexMode::ShortEdge: return QPrinter::DuplexShortSide;
        default: return QPrinter::DuplexNone;
    }
}

inline DuplexMode duplexOf(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexLongSide: return DuplexMode::LongEdge;
        case QPrinter::DuplexShortSide: return DuplexMode::ShortEdge;
        default: return DuplexMode::Simplex;
    }
}

}  // namespace lattora
