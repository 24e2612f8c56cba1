#include "app/exportarguments.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cmath>

#include "app/programinfo.h"
#include "platform/output/pagesetup.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "validation/rules.h"

namespace lattora {

namespace {

const QString kDefaultScale = QStringLiteral("Metric:1 mm");

QString quotedList(const QStringList& texts) {
    QStringList q;
    for (const QString& t : texts) {
        q << quotedExcerpt(t);
    }
    return q.join(QStringLiteral(", "));
}

std::pair<double, double> parsePair(const QString& option, const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() == 2) {
        const auto first = tryParseNumber(parts[0]);
        const auto second = tryParseNumber(parts[1]);
        const auto fits = [](std::optional<double> v) { return v && std::fabs(*v) <= kMaxLength; };
        if (fits(first) && fits(second)) {
            return {*first, *second};
        }
    }
    throw Error(
        QStringLiteral("--%1 takes two numbers from %2 to %3 separated by a comma, not %4")
            .arg(option, formatNumber(-kMaxLength), formatNumber(kMaxLength), quotedExcerpt(text)));
}

std::optional<ExportFormat> formatByName(const QString& name) {
    static const std::pair<const char*, ExportFormat> kNames[] = {
        {"pdf", ExportFormat::Pdf}, {"svg", ExportFormat::Svg},     {"png", ExportFormat::Png},
        {"bmp", ExportFormat::Bmp}, {"trace", ExportFormat::Trace}, {"txt", ExportFormat::Trace},
    };
    for (const auto& [text, format] : kNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

}  // namespace

AxisScale parseScaleText(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString familyText = colon < 0 ? text : text.left(colon);
    const int family = findFamily(familyText);
    if (family < 0) {
        throw Error(QStringLiteral("unknown scale family %1; the families are %2")
                        .arg(quotedExcerpt(familyText), quotedList(familyTexts())));
    }
    AxisScale scale;
    scale.family = static_cast<std::int16_t>(family);
    scale.item = static_cast<std::int16_t>(scaleFamily(family)->selectedAfterFilling);
    if (colon < 0) {
        return scale;
    }
    const QString itemText = text.mid(colon + 1);
    if (family == Family::NDivided) {
        const auto n = divisionCount(itemText);
        if (!n) {
            throw Error(
                QStringLiteral("\"N divided\" takes a whole number from 1 up after \":\", not %1")
                    .arg(quotedExcerpt(itemText)));
        }
        scale.divisions = *n;
        return scale;
    }
    const int item = findItem(family, itemText);
    if (item < 0) {
        throw Error(QStringLiteral("unknown %1 scale %2; the scales are %3")
                        .arg(familyText, quotedExcerpt(itemText), quotedList(itemTexts(family))));
    }
    scale.item = static_cast<std::int16_t>(item);
    return scale;
}

QString exportUsage() {
    return QString::fromStdString(helpText(exportProgram()));
}

namespace {

// The command's options, named once for the parser and the checks below.
struct ExportOptions {
    QCommandLineOption abscissa{QStringLiteral("abscissa"), QString(), QStringLiteral("SCALE")};
    QCommandLineOption ordinate{QStringLiteral("ordinate"), QString(), QStringLiteral("SCALE")};
    QCommandLineOption margins{QStringLiteral("margins"), QString(), QStringLiteral("L,T")};
    QCommandLineOption size{QStringLiteral("size"), QString(), QStringLiteral("W,H")};
    QCommandLineOption paper{QStringLiteral("paper"), QString(), QStringLiteral("NAME")};
    QCommandLineOption orientation{QStringLiteral("orientation"), QString(), QStringLiteral("O")};
    QCommandLineOption dpi{QStringLiteral("dpi"), QString(), QStringLiteral("N")};
    QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("F")};
    QCommandLineOption corrections{QStringLiteral("corrections")};
    QCommandLineOption print{QStringLiteral("print")};
    QCommandLineOption printer{QStringLiteral("printer"), QString(), QStringLiteral("NAME")};
    QCommandLineOption calibration{QStringLiteral("calibration")};
    QCommandLineOption help{QStringList{QStringLiteral("help"), QStringLiteral("h")}};
    QCommandLineOption version{QStringLiteral("version")};

    QList<QCommandLineOption> all() const {
        return {abscissa, ordinate,    margins, size,    paper,       orientation, dpi,
                format,   corrections, print,   printer, calibration, help,        version};
    }
    // The options that take a value, each at most once.
    QList<QCommandLineOption> valued() const {
        return {abscissa, ordinate, margins, size, paper, orientation, dpi, format, printer};
    }
};

// Where the result goes (a file or a printer) and which page is drawn.
void readDestination(const QCommandLineParser& parser, const ExportOptions& o,
                     ExportRequest& request) {
    const QStringList positional = parser.positionalArguments();
    request.print = parser.isSet(o.print);
    if (parser.isSet(o.printer) && !request.print) {
        throw Error(QStringLiteral("--printer goes with --print"));
    }
    if (request.print && !positional.isEmpty()) {
        throw Error(QStringLiteral("--print takes no OUTPUT, got %1")
                        .arg(quotedExcerpt(positional.first())));
    }
    if (request.print && (parser.isSet(o.format) || parser.isSet(o.dpi))) {
        throw Error(QStringLiteral("--format and --dpi are for files, not for --print"));
    }
    if (!request.print && positional.size() != 1) {
        throw Error(positional.isEmpty()
                        ? QStringLiteral("no OUTPUT given (try --help)")
                        : QStringLiteral("one OUTPUT expected, got %1").arg(positional.size()));
    }
    for (const QCommandLineOption& option : o.valued()) {
        if (parser.values(option).size() > 1) {
            throw Error(QStringLiteral("--%1 given more than once").arg(option.names().first()));
        }
    }
    request.calibration = parser.isSet(o.calibration);
    if (request.calibration) {
        // The page has fixed rules, not a graph area.
        for (const QCommandLineOption& option : {o.abscissa, o.ordinate, o.margins, o.size}) {
            if (parser.isSet(option)) {
                throw Error(QStringLiteral("--%1 does not go with --calibration")
                                .arg(option.names().first()));
            }
        }
    }
    if (request.print) {
        request.printerName = parser.value(o.printer);
    } else {
        request.output = positional.first();
    }
}

// The sheet: both scales, the graph area, the paper and its orientation.
void readLayout(const QCommandLineParser& parser, const ExportOptions& o, ExportRequest& request) {
    const auto scale = [&parser](const QCommandLineOption& option) {
        try {
            return parseScaleText(parser.isSet(option) ? parser.value(option) : kDefaultScale);
        } catch (const Error& e) {
            throw Error(QStringLiteral("--%1: %2").arg(option.names().first(), e.description()));
        }
    };
    request.abscissa = scale(o.abscissa);
    request.ordinate = scale(o.ordinate);
    if (parser.isSet(o.margins)) {
        const auto [left, top] = parsePair(QStringLiteral("margins"), parser.value(o.margins));
        request.margins = QPointF(left, top);
    }
    if (parser.isSet(o.size)) {
        const auto [width, height] = parsePair(QStringLiteral("size"), parser.value(o.size));
        request.size = QSizeF(width, height);
    }
    if (parser.isSet(o.paper)) {
        request.paper = findPaper(parser.value(o.paper));
        if (!request.paper) {
            throw Error(QStringLiteral("--paper takes a paper name such as A4 or Letter, not %1")
                            .arg(quotedExcerpt(parser.value(o.paper))));
        }
    }
    if (parser.isSet(o.orientation)) {
        const QString text = parser.value(o.orientation).toLower();
        if (text == QLatin1String("portrait")) {
            request.orientation = Orientation::Portrait;
        } else if (text == QLatin1String("landscape")) {
            request.orientation = Orientation::Landscape;
        } else {
            throw Error(QStringLiteral("--orientation is portrait or landscape, not %1")
                            .arg(quotedExcerpt(parser.value(o.orientation))));
        }
    }
}

// The file's resolution and format: --format, else the name's extension.
void readFileFormat(const QCommandLineParser& parser, const ExportOptions& o,
                    ExportRequest& request) {
    if (parser.isSet(o.dpi)) {
        bool ok = false;
        request.dpi = parser.value(o.dpi).toInt(&ok);
        if (!ok || request.dpi < kMinDpi || request.dpi > kMaxDpi) {
            throw Error(QStringLiteral("--dpi takes a whole number from %1 to %2, not %3")
                            .arg(kMinDpi)
                            .arg(kMaxDpi)
                            .arg(quotedExcerpt(parser.value(o.dpi))));
        }
    }
    if (request.print) {
        return;
    }
    if (parser.isSet(o.format)) {
        const auto f = formatByName(parser.value(o.format));
        if (!f || parser.value(o.format).compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
            throw Error(QStringLiteral("--format is pdf, svg, png, bmp or trace, not %1")
                            .arg(quotedExcerpt(parser.value(o.format))));
        }
        request.format = *f;
    } else if (request.output == QLatin1String("-")) {
        request.format = ExportFormat::Trace;
    } else {
        const QFileInfo output(request.output);
        const auto f = formatByName(output.suffix());
        if (!f) {
            // The name, not the folders before it, holds what is missing.
            throw Error(QStringLiteral("cannot tell the format of %1: name it .pdf, .svg, .png, "
                                       ".bmp or .txt, or give --format")
                            .arg(quotedExcerpt(output.fileName())));
        }
        request.format = *f;
    }
}

}  // namespace

ExportRequest parseExportArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const ExportOptions options;
    parser.addOptions(options.all());
    // QCommandLineParser expects the program name first.
    if (!parser.parse(QStringList{QStringLiteral("lattora-export")} + arguments)) {
        // The parser's own text would repeat an unknown option whole, however long.
        const QStringList unknown = parser.unknownOptionNames();
        throw Error(unknown.isEmpty() ? parser.errorText()
                                      : QStringLiteral("unknown option %1 (see --help)")
                                            .arg(quotedExcerpt(unknown.first())));
    }
    ExportRequest request;
    if (parser.isSet(options.help) || parser.isSet(options.version)) {
        request.help = parser.isSet(options.help);
        request.version = !request.help;
        return request;
    }
    readDestination(parser, options, request);
    readLayout(parser, options, request);
    readFileFormat(parser, options, request);
    // Printing always applies the corrections, and the calibration page shows
    // what they do, so it always has them.
    request.corrections = request.print || request.calibration || parser.isSet(options.corrections);
    return request;
}

}  // namespace lattora
