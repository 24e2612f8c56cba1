// lattora-print-check --within LEFT,TOP,RIGHT,BOTTOM PRINTED.pdf: whether the
// ink on the paper fills the area inside those margins (mm) to within 0.3 mm.
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
    if (app.arguments().value(1) == QLatin1String("--within")) {
        const QStringList margins = app.arguments().value(2).split(QLatin1Char(','));
        const QImage paper = page(app.arguments().value(3));
        QRect ink;
        for (int y = 0; y < paper.height(); ++y)
            for (int x = 0; x < paper.width(); ++x)
                if (paper.constScanLine(y)[x] < 128)
                    ink |= QRect(x, y, 1, 1);
        const double mm = kDpi / 25.4;
        const double found[] = {ink.left() / mm, ink.top() / mm,
                                (paper.width() - ink.right() - 1) / mm,
                                (paper.height() - ink.bottom() - 1) / mm};
        bool inside = margins.size() == 4;
        for (int i = 0; i < 4 && inside; ++i)
            inside = std::fabs(found[i] - margins[i].toDouble()) <= 0.3;
        std::printf("ink %.2f %.2f %.2f %.2f mm from the edges: %s\n", found[0], found[1], found[2],
                    found[3], inside ? "as the printer's margins" : "NOT the printer's margins");
        return inside ? 0 : 1;
    }
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
