// lattora-print-check PRINTED.pdf EXPORTED.pdf: whether what a print queue put
// on paper is the program's own PDF export of the same sheet: the same paper,
// the same label words, and every grid line within one pixel at 600 dpi,
// measured on strips across and down the page. A landscape sheet reaches the
// paper turned a quarter turn anticlockwise; it is turned back to compare.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDpi = 600;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(2);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage page(const QString& pdf) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftocairo"),
        {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
         QStringLiteral("-r"), QString::number(kDpi), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// The centres (pixels from the strip's start) of the dark runs along a strip
// of `image` 12 pixels deep at `at` of the way across: the median darkness
// across it, so a label crossing the strip does not count.
std::vector<double> lineCentres(const QImage& image, double at, bool across) {
    const int length = across ? image.width() : image.height();
    const int first = static_cast<int>((across ? image.height() : image.width()) * at), depth = 12;
    std::vector<double> centres;
    double weight = 0, moment = 0;
    for (int i = 0; i <= length; ++i) {
        std::vector<int> column(depth);
        for (int j = 0; i < length && j < depth; ++j) {
            const int x = across ? i : first + j, y = across ? first + j : i;
            column[j] = 255 - image.constScanLine(y)[x];
        }
        std::nth_element(column.begin(), column.begin() + depth / 2, column.end());
        const double dark = i < length ? column[depth / 2] : 0;
        if (dark >= 8) {
            weight += dark;
            moment += dark * (i + 0.5);
        } else if (weight > 0) {
            centres.push_back(moment / weight);
            weight = moment = 0;
        }
    }
    return centres;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QImageReader::setAllocationLimit(1024);  // a whole page at 600 dpi
    const QString printedPdf = app.arguments().value(1), exportedPdf = app.arguments().value(2);
    const auto words = [](const QString& pdf) {
        QStringList w = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        w.sort();
        return w;
    };
    QImage printed = page(printedPdf);
    const QImage exported = page(exportedPdf);
    const bool turned =
        (printed.width() > printed.height()) != (exported.width() > exported.height());
    if (turned) {
        printed = printed.transformed(QTransform().rotate(90));
    }
    bool agree = std::abs(printed.width() - exported.width()) <= 1 &&
                 std::abs(printed.height() - exported.height()) <= 1 &&
                 words(exportedPdf).size() > 10 && words(printedPdf) == words(exportedPdf);
    std::printf("page %d x %d px at %d dpi%s, labels %s\n", printed.width(), printed.height(), kDpi,
                turned ? " turned back" : "", agree ? "equal" : "differ");
    for (const bool across : {true, false}) {
        const auto a = lineCentres(printed, across ? 0.55 : 0.45, across),
                   b = lineCentres(exported, across ? 0.55 : 0.45, across);
        double worst = a.size() == b.size() && b.size() >= 10 ? 0 : INFINITY;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            worst = std::max(worst, std::fabs(a[i] - b[i]));
        std::printf("%zu of %zu lines, largest difference %.2f px\n", a.size(), b.size(), worst);
        agree &= worst <= 1;
    }
    std::puts(agree ? "agree" : "DIFFER");
    return agree ? 0 : 1;
}
