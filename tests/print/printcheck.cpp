// Compares a sheet as a print queue wrote it into a PDF file with the same
// sheet exported by the program: the page size, the labels, and the positions
// of the grid lines. Needs poppler's pdfinfo, pdftotext and pdftocairo.
//   lattora-print-check PRINTED.pdf EXPORTED.pdf
// Exits 0 when they agree, 1 with the differences otherwise.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

// Rendering resolution of the strips the lines are measured on: a pixel is
// a hundredth of a millimetre, and the centre of a line is found to a small
// part of one.
constexpr int kStripDpi = 2400;
constexpr double kMmPerInch = 25.4;
// Two positions agree when they are this close.
constexpr double kToleranceMm = 0.01;

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw std::runtime_error(QStringLiteral("%1 %2 failed: %3")
                                     .arg(program, arguments.join(QLatin1Char(' ')),
                                          QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
    }
    return process.readAllStandardOutput();
}

// The page size in points.
QSizeF pageSize(const QString& pdf) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const auto match = size.match(info);
    if (!match.hasMatch()) {
        throw std::runtime_error("pdfinfo shows no page size for " + pdf.toStdString());
    }
    return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

QStringList labels(const QString& pdf) {
    const QString text =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
    QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.sort();
    return words;
}

// A strip of the page rendered in grey: `rect` in millimetres.
QImage strip(const QString& pdf, const QRectF& rect, const QString& folder) {
    const auto px = [](double mm) {
        return QString::number(std::lround(mm / kMmPerInch * kStripDpi));
    };
    const QString base = QDir(folder).filePath(QStringLiteral("strip"));
    run(QStringLiteral("pdftocairo"),
        {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
         QStringLiteral("-r"), QString::number(kStripDpi), QStringLiteral("-x"), px(rect.x()),
         QStringLiteral("-y"), px(rect.y()), QStringLiteral("-W"), px(rect.width()),
         QStringLiteral("-H"), px(rect.height()), pdf, base});
    QImage image(base + QStringLiteral(".png"));
    if (image.isNull()) {
        throw std::runtime_error("pdftocairo wrote no picture for " + pdf.toStdString());
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// The centres, in millimetres from the page's edge, of the lines that cross
// the strip along its length: `across` true finds lines running from the
// strip's top to its bottom (the strip lies across them). A line is a run of
// dark columns (or rows); the median across the strip ignores lines that run
// the other way through it.
std::vector<double> lineCentres(const QImage& image, bool vertical, double offsetMm) {
    const int length = vertical ? image.width() : image.height();
    const int depth = vertical ? image.height() : image.width();
    std::vector<double> darkness(length);
    std::vector<int> values(depth);
    for (int i = 0; i < length; ++i) {
        for (int j = 0; j < depth; ++j) {
            const int x = vertical ? i : j;
            const int y = vertical ? j : i;
            values[j] = 255 - image.constScanLine(y)[x];
        }
        std::nth_element(values.begin(), values.begin() + depth / 2, values.end());
        darkness[i] = values[depth / 2];
    }
    std::vector<double> centres;
    constexpr double kDark = 8;
    for (int i = 0; i < length;) {
        if (darkness[i] < kDark) {
            ++i;
            continue;
        }
        double weight = 0;
        double moment = 0;
        for (; i < length && darkness[i] >= kDark; ++i) {
            weight += darkness[i];
            moment += darkness[i] * (i + 0.5);
        }
        centres.push_back(offsetMm + moment / weight / kStripDpi * kMmPerInch);
    }
    return centres;
}

int compareCentres(const char* what, const std::vector<double>& printed,
                   const std::vector<double>& exported, QTextStream& out) {
    out << what << ": " << printed.size() << " printed, " << exported.size() << " exported";
    if (printed.size() != exported.size() || printed.size() < 10) {
        out << " - the line counts differ or are too small\n";
        return 1;
    }
    double worst = 0;
    for (std::size_t i = 0; i < printed.size(); ++i) {
        worst = std::max(worst, std::fabs(printed[i] - exported[i]));
    }
    out << ", largest difference " << QString::number(worst, 'f', 4) << " mm\n";
    return worst <= kToleranceMm ? 0 : 1;
}

int check(const QString& printed, const QString& exported, QTextStream& out) {
    int failures = 0;
    const QSizeF printedSize = pageSize(printed);
    const QSizeF exportedSize = pageSize(exported);
    out << "page: printed " << printedSize.width() << " x " << printedSize.height()
        << " pt, exported " << exportedSize.width() << " x " << exportedSize.height() << " pt\n";
    if (std::fabs(printedSize.width() - exportedSize.width()) > 1 ||
        std::fabs(printedSize.height() - exportedSize.height()) > 1) {
        ++failures;
    }

    const QStringList printedLabels = labels(printed);
    const QStringList exportedLabels = labels(exported);
    out << "labels: " << printedLabels.size() << " printed, " << exportedLabels.size()
        << " exported\n";
    if (printedLabels.isEmpty() || printedLabels != exportedLabels) {
        out << "  printed:  " << printedLabels.join(QLatin1Char(' ')) << '\n'
            << "  exported: " << exportedLabels.join(QLatin1Char(' ')) << '\n';
        ++failures;
    }

    QTemporaryDir folder;
    const double widthMm = exportedSize.width() / 72 * kMmPerInch;
    const double heightMm = exportedSize.height() / 72 * kMmPerInch;
    // A strip across the page below its middle for the vertical lines, one
    // down the page left of its middle for the horizontal ones; both lie
    // inside the graph area, clear of the labels.
    const QRectF across(0, heightMm * 0.55, widthMm, 0.5);
    const QRectF down(widthMm * 0.45, 0, 0.5, heightMm);
    failures += compareCentres("vertical lines",
                               lineCentres(strip(printed, across, folder.path()), true, 0),
                               lineCentres(strip(exported, across, folder.path()), true, 0), out);
    failures += compareCentres("horizontal lines",
                               lineCentres(strip(printed, down, folder.path()), false, 0),
                               lineCentres(strip(exported, down, folder.path()), false, 0), out);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 3) {
        out << "usage: lattora-print-check PRINTED.pdf EXPORTED.pdf\n";
        return 2;
    }
    try {
        const int result =
            check(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), out);
        out << (result == 0 ? "agree\n" : "DIFFER\n");
        return result;
    } catch (const std::exception& e) {
        out << "cannot compare: " << e.what() << '\n';
        return 2;
    }
}
