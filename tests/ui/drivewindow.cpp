// Drives a running lattora from outside, through the real pointer of an X
// server, and reads its state file.
//
//   lattora-drive-window drag LATTORA OUTPUT_FOLDER
// drags the graph area: the corner handle first, then the area itself, and
// checks that the outline followed the pointer's travel and that the four
// layout fields show the new sheet; takes a screenshot during the drag.
//
//   lattora-drive-window shot LATTORA PICTURE.png
// saves a picture of the window as it starts, with the blue line set.
//
// Run on a private X server (run-on-x-server.sh); needs xdotool.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

using namespace Qt::StringLiterals;

constexpr int kTimeoutMs = 30000;

[[noreturn]] void fail(const QString& why) {
    throw std::runtime_error(why.toStdString());
}

class Lattora {
public:
    Lattora(const QString& program, const QString& folder, const QByteArray& settingsText)
        : statePath_(folder + u"/state.json"_s) {
        QDir(folder).mkpath(QStringLiteral("config/Tarnhill"));
        QFile settings(folder + u"/config/Tarnhill/Lattora.conf"_s);
        if (!settings.open(QIODevice::WriteOnly) || settings.write(settingsText) < 0) {
            fail(QStringLiteral("cannot write the settings"));
        }
        settings.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + u"/config"_s);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(program, {QStringLiteral("--state-file"), statePath_});
        if (!process_.waitForStarted()) {
            fail(QStringLiteral("lattora did not start"));
        }
    }
    ~Lattora() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    QJsonObject state() const {
        QFile file(statePath_);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    // The state once `ready` holds for it; fails after the timeout.
    QJsonObject waitFor(const QString& what, const std::function<bool(const QJsonObject&)>& ready) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kTimeoutMs) {
            if (process_.state() != QProcess::Running) {
                fail(QStringLiteral("lattora ended while waiting for ") + what);
            }
            const QJsonObject s = state();
            if (!s.isEmpty() && ready(s)) {
                return s;
            }
            QThread::msleep(20);
        }
        fail(QStringLiteral("timed out waiting for ") + what);
    }

private:
    QString statePath_;
    QProcess process_;
};

void xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(kTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        fail(QStringLiteral("xdotool ") + arguments.join(QLatin1Char(' ')) + u" failed"_s);
    }
}

QRectF rectOf(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return {a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble()};
}

// Where a point of the page picture (twips) lies on the screen.
QPoint onScreen(const QJsonObject& s, QPointF twips) {
    const QJsonArray paper = s[QStringLiteral("paperOnScreen")].toArray();
    const QJsonArray dpi = s[QStringLiteral("dpi")].toArray();
    return {paper[0].toInt() + static_cast<int>(std::lround(twips.x() * dpi[0].toDouble() / 1440)),
            paper[1].toInt() + static_cast<int>(std::lround(twips.y() * dpi[1].toDouble() / 1440))};
}

void moveTo(QPoint p) {
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

// Presses at `from`, travels by `by` in a few steps, and leaves the button down.
void pressAndTravel(QPoint from, QPoint by) {
    moveTo(from);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) {
        moveTo(from + by * i / kSteps);
    }
}

void release() {
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

int drawsOf(const QJsonObject& s) {
    return s[QStringLiteral("draws")].toInt();
}

bool handlesShown(const QJsonObject& s) {
    for (const QJsonValue& h : s[QStringLiteral("handles")].toArray()) {
        if (!h.toArray()[4].toBool()) {
            return false;
        }
    }
    return true;
}

// The four fields read as numbers must be the sheet's four lengths exactly.
void checkFields(const QJsonObject& s, QTextStream& out) {
    const QJsonObject fields = s[QStringLiteral("fields")].toObject();
    const QJsonArray sheet = s[QStringLiteral("sheet")].toArray();
    const char* names[] = {"tMarginLeft", "tMarginTop", "tSizeWidth", "tSizeHeight"};
    for (int i = 0; i < 4; ++i) {
        const QString text = fields[QLatin1String(names[i])].toString();
        out << "  " << names[i] << " = " << text << '\n';
        bool ok = false;
        if (text.toDouble(&ok) != sheet[i].toDouble() || !ok) {
            fail(QStringLiteral("%1 shows %2, the sheet holds %3")
                     .arg(QLatin1String(names[i]), text)
                     .arg(sheet[i].toDouble()));
        }
    }
}

void expectNear(const char* what, double actual, double expected, double tolerance) {
    if (std::fabs(actual - expected) > tolerance) {
        fail(QStringLiteral("%1 is %2, expected %3")
                 .arg(QLatin1String(what))
                 .arg(actual)
                 .arg(expected));
    }
}

// The state once the window is drawn and on the screen.
QJsonObject waitForWindow(Lattora& lattora) {
    QJsonObject s = lattora.waitFor(QStringLiteral("the first drawing"), [](const QJsonObject& st) {
        return drawsOf(st) >= 1 && st[QStringLiteral("paperVisible")].toBool();
    });
    // Shown is not yet on the screen: wait until the X server maps it.
    xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^Lattora$"_s});
    return s;
}

void shot(const QString& program, const QString& picture, QTextStream& out) {
    QTemporaryDir folder;
    Lattora lattora(program, folder.path(),
                    "[Lattora]\nScale=Metric\nStyleTemplates=Blue "
                    "Lines~16737843|16737843|16763904|16777164|solid\nCurrentStyle=Blue Lines\n");
    waitForWindow(lattora);
    // Mapped is not yet painted: give the first paint a moment.
    QThread::msleep(500);
    const QRect window = rectOf(lattora.state()[QStringLiteral("windowOnScreen")]).toRect();
    const QPixmap pixmap = QGuiApplication::primaryScreen()->grabWindow(
        0, window.x(), window.y(), window.width(), window.height());
    if (pixmap.isNull() || !pixmap.save(picture)) {
        fail(QStringLiteral("cannot save ") + picture);
    }
    out << "window: " << picture << " (" << window.width() << " x " << window.height() << ")\n";
}

void drag(const QString& program, const QString& output, QTextStream& out) {
    QTemporaryDir folder;
    Lattora lattora(program, folder.path(), "[Lattora]\nScale=Metric\n");
    QJsonObject s = waitForWindow(lattora);
    const QJsonArray dpi = s[QStringLiteral("dpi")].toArray();
    const double twipsPerPixelX = 1440 / dpi[0].toDouble();
    const double twipsPerPixelY = 1440 / dpi[1].toDouble();
    const QRectF start = rectOf(s[QStringLiteral("outline")]);
    out << "outline at start (twips): " << start.x() << ", " << start.y() << ", " << start.width()
        << " x " << start.height() << '\n';

    // Over the graph area the handles show; the corner one is then grabbed
    // and pulled up and to the left.
    moveTo(onScreen(s, start.center()));
    s = lattora.waitFor(QStringLiteral("the handles"), handlesShown);
    const QRectF corner = rectOf(s[QStringLiteral("handles")].toArray()[1]);
    const QPoint cornerTravel(-60, -80);
    int draws = drawsOf(s);
    pressAndTravel(onScreen(s, corner.center()), cornerTravel);
    lattora.waitFor(QStringLiteral("the corner handle to move"), [&](const QJsonObject& st) {
        return rectOf(st[QStringLiteral("outline")]).width() < start.width() - 1;
    });
    release();
    s = lattora.waitFor(QStringLiteral("the redraw after the resize"), [&](const QJsonObject& st) {
        return drawsOf(st) == draws + 1 && !st[QStringLiteral("dragActive")].toBool();
    });
    const QRectF resized = rectOf(s[QStringLiteral("outline")]);
    out << "after pulling the corner by " << cornerTravel.x() << ", " << cornerTravel.y()
        << " px: " << resized.width() << " x " << resized.height() << " twips\n";
    expectNear("the left edge", resized.x(), start.x(), 0);
    expectNear("the top edge", resized.y(), start.y(), 0);
    // The handle sits on whole pixels: a pixel's worth of slack.
    expectNear("the width", resized.width(), start.width() + cornerTravel.x() * twipsPerPixelX,
               twipsPerPixelX);
    expectNear("the height", resized.height(), start.height() + cornerTravel.y() * twipsPerPixelY,
               twipsPerPixelY);
    checkFields(s, out);

    // Now the area itself, grabbed in its middle and carried down and right.
    const QPoint moveTravel(30, 40);
    draws = drawsOf(s);
    pressAndTravel(onScreen(s, resized.center()), moveTravel);
    s = lattora.waitFor(
        QStringLiteral("the area to follow the pointer"), [&](const QJsonObject& st) {
            return st[QStringLiteral("dragActive")].toBool() &&
                   rectOf(st[QStringLiteral("outline")]).y() > resized.y() + 30 * twipsPerPixelY;
        });
    if (!handlesShown(s) || drawsOf(s) != draws) {
        fail(QStringLiteral("during the drag the handles must show and nothing be redrawn"));
    }
    QGuiApplication::processEvents();
    const QString shot = QDir(output).filePath(QStringLiteral("drag-in-progress.png"));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(shot)) {
        fail(QStringLiteral("cannot save ") + shot);
    }
    out << "screenshot of the drag: " << shot << '\n';
    release();
    s = lattora.waitFor(QStringLiteral("the redraw after the move"), [&](const QJsonObject& st) {
        return drawsOf(st) == draws + 1 && !st[QStringLiteral("dragActive")].toBool();
    });
    const QRectF moved = rectOf(s[QStringLiteral("outline")]);
    out << "after carrying the area by " << moveTravel.x() << ", " << moveTravel.y() << " px: at "
        << moved.x() << ", " << moved.y() << " twips\n";
    // Pointer positions are whole pixels on both ends: the travel is exact.
    expectNear("the left edge", moved.x(), resized.x() + moveTravel.x() * twipsPerPixelX, 1e-3);
    expectNear("the top edge", moved.y(), resized.y() + moveTravel.y() * twipsPerPixelY, 1e-3);
    expectNear("the width", moved.width(), resized.width(), 0);
    expectNear("the height", moved.height(), resized.height(), 0);
    checkFields(s, out);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const QString command = argc == 4 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command != u"drag" && command != u"shot") {
        out << "usage: lattora-drive-window drag LATTORA OUTPUT_FOLDER\n"
               "       lattora-drive-window shot LATTORA PICTURE.png\n";
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[2]);
    const QString output = QString::fromLocal8Bit(argv[3]);
    try {
        if (command == u"shot") {
            shot(program, output, out);
            return 0;
        }
        QDir().mkpath(output);
        drag(program, output, out);
    } catch (const std::exception& e) {
        out << "FAILED: " << e.what() << Qt::endl;
        return 1;
    }
    out << "the drag followed the pointer" << Qt::endl;
    return 0;
}
