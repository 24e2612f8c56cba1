#include "app/statefile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSaveFile>
#include <QTimer>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"

namespace lattora {

namespace {

QJsonArray rect(const QRectF& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// How often the file is brought up to date: often enough for a script to
// follow a drag, rarely enough to cost nothing.
constexpr int kWatchMilliseconds = 50;

}  // namespace

QByteArray windowState(const Form1& window, int draws) {
    const PreviewPane& pane = window.preview();
    QJsonObject state;
    state[QStringLiteral("draws")] = draws;
    state[QStringLiteral("dragActive")] = window.dragActive();
    const QRect frame = window.frameGeometry();
    state[QStringLiteral("windowOnScreen")] =
        QJsonArray{frame.x(), frame.y(), frame.width(), frame.height()};
    const QWidget* paper = pane.findChild<QWidget*>(QStringLiteral("pPaper"));
    if (paper != nullptr) {
        const QPoint origin = paper->mapToGlobal(QPoint(0, 0));
        state[QStringLiteral("paperOnScreen")] =
            QJsonArray{origin.x(), origin.y(), paper->width(), paper->height()};
        state[QStringLiteral("paperVisible")] = paper->isVisible();
    }
    state[QStringLiteral("dpi")] = QJsonArray{pane.screenDpiX(), pane.screenDpiY()};
    const QSizeF picture = pane.paperPictureTwips();
    state[QStringLiteral("paperTwips")] = QJsonArray{picture.width(), picture.height()};
    state[QStringLiteral("outline")] = rect(pane.outline());
    QJsonArray handles;
    for (int i = 0; i < PreviewPane::kHandleCount; ++i) {
        QJsonArray handle = rect(pane.handleRect(i));
        handle.append(pane.handleVisible(i));
        handles.append(handle);
    }
    state[QStringLiteral("handles")] = handles;
    QJsonObject fields;
    for (const char* name : {"tMarginLeft", "tMarginTop", "tSizeWidth", "tSizeHeight"}) {
        if (const auto* field = window.findChild<QLineEdit*>(QLatin1String(name))) {
            fields[QLatin1String(name)] = field->text();
        }
    }
    state[QStringLiteral("fields")] = fields;
    const SheetSettings& sheet = window.sheet();
    state[QStringLiteral("sheet")] =
        QJsonArray{sheet.marginLeft, sheet.marginTop, sheet.areaWidth, sheet.areaHeight};
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

namespace {

class StateWatcher : public QObject {
public:
    StateWatcher(Form1& window, QString path) : QObject(&window), window_(window), path_(path) {
        connect(&window, &Form1::paperDrawn, this, [this] { ++draws_; });
        connect(&timer_, &QTimer::timeout, this, [this] { write(); });
        timer_.start(kWatchMilliseconds);
    }

private:
    void write() {
        const QByteArray state = windowState(window_, draws_);
        if (state == written_) {
            return;
        }
        // Whole or not at all: a reader never sees half a state.
        QSaveFile file(path_);
        if (file.open(QIODevice::WriteOnly) && file.write(state) == state.size() && file.commit()) {
            written_ = state;
        }
    }

    Form1& window_;
    QString path_;
    QTimer timer_;
    int draws_ = 0;
    QByteArray written_;
};

}  // namespace

void watchWindowState(Form1& window, const QString& path) {
    new StateWatcher(window, path);
}

}  // namespace lattora
