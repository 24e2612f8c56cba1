// lattora-print-check PRINTED.pdf EXPORTED.pdf: whether what a print queue put
// on paper is the program's own PDF export of the same sheet: the same page
// size, the same label words, and every grid line within 0.01 mm, measured on
// 2400 dpi strips across and down the page.
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDpi = 2400;
constexpr double kMmPerInch = 25.4;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(2);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QSizeF pagePoints(const QString& pdf) {
    const auto m = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+))"))
                       .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return {m.captured(1).toDouble(), m.captured(2).toDouble()};
}

// The centres (mm from the strip's start) of the dark runs along a strip: the
// median darkness across it, so a label crossing the strip does not count.
std::vector<double> lineCentres(const QString& pdf, const QRectF& mm, bool across) {
    const auto px = [](double v) { return QString::number(std::lround(v / kMmPerInch * kDpi)); };
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("strip"));
    run(QStringLiteral("pdftocairo"),
        {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-singlefile"),
         QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-x"), px(mm.x()),
         QStringLiteral("-y"), px(mm.y()), QStringLiteral("-W"), px(mm.width()),
         QStringLiteral("-H"), px(mm.height()), pdf, base});
    const QImage image =
        QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    const int length = across ? image.width() : image.height();
    const int depth = across ? image.height() : image.width();
    std::vector<double> centres;
    double weight = 0, moment = 0;
    for (int i = 0; i <= length; ++i) {
        std::vector<int> column(depth);
        for (int j = 0; i < length && j < depth; ++j) {
            column[j] = 255 - image.constScanLine(across ? j : i)[across ? i : j];
        }
        std::nth_element(column.begin(), column.begin() + depth / 2, column.end());
        const double dark = i < length ? column[depth / 2] : 0;
        if (dark >= 8) {
            weight += dark;
            moment += dark * (i + 0.5);
        } else if (weight > 0) {
            centres.push_back(moment / weight / kDpi * kMmPerInch);
            weight = moment = 0;
        }
    }
    return centres;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString printed = app.arguments().value(1), exported = app.arguments().value(2);
    const auto words = [](const QString& pdf) {
        QStringList w = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        w.sort();
        return w;
    };
    const QSizeF page = pagePoints(exported), paper = pagePoints(printed);
    bool agree = std::fabs(paper.width() - page.width()) <= 1 &&
                 std::fabs(paper.height() - page.height()) <= 1 && words(exported).size() > 10 &&
                 words(printed) == words(exported);
    std::printf("page %g x %g pt, labels %s\n", paper.width(), paper.height(),
                agree ? "equal" : "differ");
    const double w = page.width() / 72 * kMmPerInch, h = page.height() / 72 * kMmPerInch;
    for (const bool across : {true, false}) {
        const QRectF strip = across ? QRectF(0, h * 0.55, w, 0.5) : QRectF(w * 0.45, 0, 0.5, h);
        const auto a = lineCentres(printed, strip, across),
                   b = lineCentres(exported, strip, across);
        double worst = a.size() == b.size() && b.size() >= 10 ? 0 : INFINITY;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            worst = std::max(worst, std::fabs(a[i] - b[i]));
        std::printf("%zu of %zu lines, largest difference %.4f mm\n", a.size(), b.size(), worst);
        agree &= worst <= 0.01;
    }
    std::puts(agree ? "agree" : "DIFFER");
    return agree ? 0 : 1;
}
