#include "app/exportcommand.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QTextStream>
#include <new>

#include "config/configsettings.h"
#include "linesets/templates.h"
#include "platform/paintertarget.h"
#include "platform/printer.h"
#include "platform/sheetfile.h"
#include "render/calibration.h"
#include "render/recordingtarget.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"

namespace lattora {

namespace {

const QString kDefaultScale = QStringLiteral("Metric:1 mm");

// A user's text as a one-line message shows it: control characters and line
// or paragraph separators, which would break the line or act on the terminal,
// are written as \uXXXX.
QString shown(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + shown(text) + QLatin1Char('"');
}

QString quotedList(const QStringList& texts) {
    QStringList q;
    for (const QString& t : texts) {
        q << quoted(t);
    }
    return q.join(QStringLiteral(", "));
}

std::pair<double, double> parsePair(const QString& option, const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() == 2) {
        const auto first = tryParseNumber(parts[0]);
        const auto second = tryParseNumber(parts[1]);
        if (first && second) {
            return {*first, *second};
        }
    }
    throw Error(QStringLiteral("--%1 takes two numbers separated by a comma, not %2")
                    .arg(option, quoted(text)));
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
                        .arg(quoted(familyText), quotedList(familyTexts())));
    }
    AxisScale scale;
    scale.family = static_cast<std::int16_t>(family);
    scale.item = static_cast<std::int16_t>(scaleFamily(family)->selectedAfterFilling);
    if (colon < 0) {
        return scale;
    }
    const QString itemText = text.mid(colon + 1);
    if (family == Family::NDivided) {
        const auto n = tryParseNumber(itemText);
        if (!n) {
            throw Error(QStringLiteral("\"N divided\" takes a number after \":\", not %1")
                            .arg(quoted(itemText)));
        }
        scale.divisions = *n;
        return scale;
    }
    const int item = findItem(family, itemText);
    if (item < 0) {
        throw Error(QStringLiteral("unknown %1 scale %2; the scales are %3")
                        .arg(familyText, quoted(itemText), quotedList(itemTexts(family))));
    }
    scale.item = static_cast<std::int16_t>(item);
    return scale;
}

QString exportUsage() {
    return QStringLiteral(
        "Usage: lattora-export [options] OUTPUT\n"
        "       lattora-export [options] --print [--printer NAME]\n"
        "       lattora-export --calibration [options] (OUTPUT | --print [--printer NAME])\n"
        "Renders one sheet of graph paper from the saved settings, or the calibration\n"
        "page that shows what the saved graduation corrections do.\n"
        "OUTPUT's extension picks the format (.pdf, .svg, .png, .bmp, .txt); - writes to\n"
        "standard output.\n"
        "\n"
        "  --abscissa SCALE        x axis scale, e.g. \"Metric:1 mm\", \"Logarithmic:3 cycles\",\n"
        "                          \"N divided:25\" (default \"Metric:1 mm\")\n"
        "  --ordinate SCALE        y axis scale (default \"Metric:1 mm\")\n"
        "  --margins LEFT,TOP      graph area offsets in the sheet unit (cm or inches)\n"
        "  --size WIDTH,HEIGHT     graph area size in the sheet unit\n"
        "  --paper NAME            paper size (A4, Letter, Legal, A3, A5, ...) with no\n"
        "                          printer margins; default: the default printer's page\n"
        "  --orientation portrait|landscape\n"
        "  --dpi N                 resolution of PNG and BMP files (default 300)\n"
        "  --corrections           apply the saved printer graduation corrections\n"
        "  --format pdf|svg|png|bmp|trace\n"
        "                          overrides the extension\n"
        "  --print                 prints the sheet instead (no OUTPUT) on the default\n"
        "                          printer's page, with the saved corrections\n"
        "  --printer NAME          with --print: the printer to print on\n"
        "  --calibration           the calibration page (rules of 100 mm and 4 inches, a\n"
        "                          50 mm square) with the saved corrections, instead of\n"
        "                          a sheet; takes --paper, --orientation, --dpi, --format,\n"
        "                          --print and --printer, not the graph area options\n"
        "  --help                  shows this text\n");
}

ExportRequest parseExportArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption abscissa(QStringLiteral("abscissa"), QString(),
                                      QStringLiteral("SCALE"));
    const QCommandLineOption ordinate(QStringLiteral("ordinate"), QString(),
                                      QStringLiteral("SCALE"));
    const QCommandLineOption margins(QStringLiteral("margins"), QString(), QStringLiteral("L,T"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("W,H"));
    const QCommandLineOption paper(QStringLiteral("paper"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption orientation(QStringLiteral("orientation"), QString(),
                                         QStringLiteral("O"));
    const QCommandLineOption dpi(QStringLiteral("dpi"), QString(), QStringLiteral("N"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("F"));
    const QCommandLineOption corrections(QStringLiteral("corrections"));
    const QCommandLineOption print(QStringLiteral("print"));
    const QCommandLineOption printer(QStringLiteral("printer"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption calibration(QStringLiteral("calibration"));
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    parser.addOptions({abscissa, ordinate, margins, size, paper, orientation, dpi, format,
                       corrections, print, printer, calibration, help});

    // QCommandLineParser expects the program name first.
    if (!parser.parse(QStringList{QStringLiteral("lattora-export")} + arguments)) {
        // The text names the offending argument as it was given.
        throw Error(shown(parser.errorText()));
    }
    ExportRequest request;
    if (parser.isSet(help)) {
        request.help = true;
        return request;
    }
    const QStringList positional = parser.positionalArguments();
    request.print = parser.isSet(print);
    if (parser.isSet(printer) && !request.print) {
        throw Error(QStringLiteral("--printer goes with --print"));
    }
    if (request.print && !positional.isEmpty()) {
        throw Error(
            QStringLiteral("--print takes no OUTPUT, got %1").arg(quoted(positional.first())));
    }
    if (request.print && (parser.isSet(format) || parser.isSet(dpi))) {
        throw Error(QStringLiteral("--format and --dpi are for files, not for --print"));
    }
    if (!request.print && positional.size() != 1) {
        throw Error(positional.isEmpty()
                        ? QStringLiteral("no OUTPUT given (try --help)")
                        : QStringLiteral("one OUTPUT expected, got %1").arg(positional.size()));
    }
    for (const QCommandLineOption& option :
         {abscissa, ordinate, margins, size, paper, orientation, dpi, format, printer}) {
        if (parser.values(option).size() > 1) {
            throw Error(QStringLiteral("--%1 given more than once").arg(option.names().first()));
        }
    }
    request.calibration = parser.isSet(calibration);
    if (request.calibration) {
        // The page has fixed rules, not a graph area.
        for (const QCommandLineOption& option : {abscissa, ordinate, margins, size}) {
            if (parser.isSet(option)) {
                throw Error(QStringLiteral("--%1 does not go with --calibration")
                                .arg(option.names().first()));
            }
        }
    }

    if (request.print) {
        request.printerName = parser.value(printer);
    } else {
        request.output = positional.first();
    }
    request.abscissa =
        parseScaleText(parser.isSet(abscissa) ? parser.value(abscissa) : kDefaultScale);
    request.ordinate =
        parseScaleText(parser.isSet(ordinate) ? parser.value(ordinate) : kDefaultScale);
    if (parser.isSet(margins)) {
        const auto [left, top] = parsePair(QStringLiteral("margins"), parser.value(margins));
        request.margins = QPointF(left, top);
    }
    if (parser.isSet(size)) {
        const auto [width, height] = parsePair(QStringLiteral("size"), parser.value(size));
        request.size = QSizeF(width, height);
    }
    if (parser.isSet(paper)) {
        request.paper = findPaper(parser.value(paper));
        if (!request.paper) {
            throw Error(QStringLiteral("unknown paper %1").arg(quoted(parser.value(paper))));
        }
    }
    if (parser.isSet(orientation)) {
        const QString o = parser.value(orientation).toLower();
        if (o == QLatin1String("portrait")) {
            request.orientation = Orientation::Portrait;
        } else if (o == QLatin1String("landscape")) {
            request.orientation = Orientation::Landscape;
        } else {
            throw Error(QStringLiteral("--orientation is portrait or landscape, not %1")
                            .arg(quoted(parser.value(orientation))));
        }
    }
    if (parser.isSet(dpi)) {
        bool ok = false;
        request.dpi = parser.value(dpi).toInt(&ok);
        if (!ok || request.dpi < kMinDpi || request.dpi > kMaxDpi) {
            throw Error(QStringLiteral("--dpi takes a whole number from %1 to %2, not %3")
                            .arg(kMinDpi)
                            .arg(kMaxDpi)
                            .arg(quoted(parser.value(dpi))));
        }
    }
    if (request.print) {
        request.corrections = true;
        return request;
    }
    if (parser.isSet(format)) {
        const auto f = formatByName(parser.value(format));
        if (!f || parser.value(format).compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
            throw Error(QStringLiteral("--format is pdf, svg, png, bmp or trace, not %1")
                            .arg(quoted(parser.value(format))));
        }
        request.format = *f;
    } else if (request.output == QLatin1String("-")) {
        request.format = ExportFormat::Trace;
    } else {
        const auto f = formatByName(QFileInfo(request.output).suffix());
        if (!f) {
            throw Error(QStringLiteral("cannot tell the format of %1: name it .pdf, .svg, .png, "
                                       ".bmp or .txt, or give --format")
                            .arg(quoted(request.output)));
        }
        request.format = *f;
    }
    // The calibration page shows what the corrections do, so it always has them.
    request.corrections = parser.isSet(corrections) || request.calibration;
    return request;
}

ExportPlan planExport(const ExportRequest& request, const SettingsStore& store,
                      const PrinterService& printers) {
    std::optional<PageSetup> page;
    if (!request.paper) {
        page = printers.defaultPrinterPage(request.orientation);
    }
    return planExport(request, store,
                      page ? *page
                           : paperPage(request.paper.value_or(QPageSize(QPageSize::A4)),
                                       request.orientation.value_or(Orientation::Portrait)));
}

ExportPlan planExport(const ExportRequest& request, const SettingsStore& userStore,
                      const PageSetup& page) {
    // A batch run must leave the user's settings as they were, whatever the
    // loaders below may do.
    ReadOnlySettings store(userStore);
    ExportPlan plan;
    // What the store could not read is told once, with the warnings of the
    // loaders, after a finished export.
    plan.warnings << store.passedOver();
    plan.unitSystem = unitSystem(store);
    plan.page = page;
    plan.printerPage = toPrinterPage(plan.page, plan.unitSystem);

    // The standard margins: 1 cm or half an inch on every side of the printable area.
    const double margin = plan.unitSystem == UnitSystem::Metric ? 1.0 : 0.5;
    SheetSettings& sheet = plan.sheet;
    sheet.marginLeft = request.margins ? request.margins->x() : margin;
    sheet.marginTop = request.margins ? request.margins->y() : margin;
    sheet.areaWidth =
        request.size ? request.size->width() : plan.printerPage.printableWidth - 2 * margin;
    sheet.areaHeight =
        request.size ? request.size->height() : plan.printerPage.printableHeight - 2 * margin;
    sheet.abscissa = request.abscissa;
    sheet.ordinate = request.ordinate;

    // The current line set as the line-set editor would hold it after loading.
    LineSetEditor lineSets;
    plan.warnings << LoadSettings(lineSets, store);
    plan.colors = currentLineColors(lineSets);

    ConfigSettings config;
    plan.warnings << LoadSettings(config, store);
    plan.limits = subdivisionLimits(config);
    if (request.corrections) {
        const GraduationCorrections corrections = graduationCorrections(config);
        plan.hCorrection = corrections.horizontal;
        plan.vCorrection = corrections.vertical;
    }
    return plan;
}

namespace {

// The trace measures labels with the font the documents print them in, so its
// label positions are those of the PDF.
RecordingTarget::TextExtent labelExtent(const QString& text, double points) {
    QFont font(PainterTarget::kFontFamily);
    font.setStyleHint(QFont::SansSerif);
    // Measured large and scaled down, so hinting at small sizes does not creep in.
    constexpr double kMeasureScale = 100;
    font.setPointSizeF(points * kMeasureScale);
    const QFontMetricsF metrics(font);
    const double pixelsPerPoint = metrics.fontDpi() / 72.0 * kMeasureScale;
    return {metrics.horizontalAdvance(text) / pixelsPerPoint, metrics.height() / pixelsPerPoint};
}

// Both passes of the planned sheet on `target`.
void drawPlan(const ExportPlan& plan, const SettingsStore& userStore, DrawTarget& target) {
    const ReadOnlySettings store(userStore);
    const FixedInputs inputs(plan.colors, plan.limits);
    const Graph graph(store, inputs);
    const SheetSettings& sheet = plan.sheet;
    for (const bool isAbscissa : {true, false}) {
        const AxisScale& axis = isAbscissa ? sheet.abscissa : sheet.ordinate;
        graph.DrawAxisGrid(target, isAbscissa, axis.family, axis.item, sheet.marginLeft,
                           sheet.marginTop, sheet.areaWidth, sheet.areaHeight, axis.divisions,
                           plan.hCorrection, plan.vCorrection);
    }
}

}  // namespace

ExportDrawing exportDrawing(const ExportRequest& request, const ExportPlan& plan,
                            const SettingsStore& store) {
    if (request.calibration) {
        return [&plan](DrawTarget& target) {
            DrawCalibrationPage(target, plan.hCorrection, plan.vCorrection);
        };
    }
    return [&plan, &store](DrawTarget& target) { drawPlan(plan, store, target); };
}

void printExport(const ExportPlan& plan, Printer& printer, const ExportDrawing& draw) {
    printer.setScaleMode(sheetUnit(plan.unitSystem));
    printSheet(printer, draw);
}

void printExport(const ExportPlan& plan, const SettingsStore& store, Printer& printer) {
    printExport(plan, printer, [&](DrawTarget& page) { drawPlan(plan, store, page); });
}

QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const SettingsStore& store) {
    return renderExport(request, plan, exportDrawing(request, plan, store));
}

QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const ExportDrawing& draw) {
    const int unit = sheetUnit(plan.unitSystem);
    if (request.format == ExportFormat::Trace) {
        RecordingTarget target(unit, request.dpi, labelExtent);
        draw(target);
        return target.trace().toUtf8();
    }
    const SheetFileFormat format = request.format == ExportFormat::Pdf   ? SheetFileFormat::Pdf
                                   : request.format == ExportFormat::Svg ? SheetFileFormat::Svg
                                   : request.format == ExportFormat::Png ? SheetFileFormat::Png
                                                                         : SheetFileFormat::Bmp;
    return renderSheetFile(format, plan.page, unit, request.dpi, draw);
}

namespace {

// The printer the request names, set to its paper and orientation, and the
// plan on its page.
std::pair<std::unique_ptr<Printer>, ExportPlan> planPrint(const ExportRequest& request,
                                                          const SettingsStore& store,
                                                          const PrinterOpener& openPrinter) {
    std::unique_ptr<Printer> printer = openPrinter ? openPrinter(request.printerName) : nullptr;
    if (!printer || !printer->canPrint()) {
        throw Error(
            request.printerName.isEmpty()
                ? QStringLiteral("no printer is installed")
                : QStringLiteral("there is no printer named %1").arg(quoted(request.printerName)));
    }
    if (request.paper) {
        printer->setPaperSize(*request.paper);
    }
    if (request.orientation) {
        printer->setOrientation(*request.orientation == Orientation::Landscape ? 2 : 1);
    }
    ExportPlan plan = planExport(request, store, printer->pageSetup());
    return {std::move(printer), std::move(plan)};
}

}  // namespace

int runExportCommand(const QStringList& arguments, const SettingsStore& store,
                     const PrinterService& printers, QIODevice& standardOutput, QTextStream& err,
                     const PrinterOpener& openPrinter) {
    try {
        const ExportRequest request = parseExportArguments(arguments);
        if (request.help) {
            standardOutput.write(exportUsage().toUtf8());
            return 0;
        }
        if (request.print) {
            auto [printer, plan] = planPrint(request, store, openPrinter);
            printExport(plan, *printer, exportDrawing(request, plan, store));
            for (const QString& warning : plan.warnings) {
                err << "lattora-export: warning: " << warning << Qt::endl;
            }
            return 0;
        }
        const ExportPlan plan = planExport(request, store, printers);
        const QByteArray bytes = renderExport(request, plan, store);
        if (request.output == QLatin1String("-")) {
            if (standardOutput.write(bytes) != bytes.size()) {
                throw Error(QStringLiteral("cannot write to standard output"));
            }
        } else {
            try {
                writeFileWhole(request.output, bytes);
            } catch (const Error& e) {
                throw Error(QStringLiteral("cannot write %1: %2")
                                .arg(quoted(request.output), e.description()));
            }
        }
        // Only a finished export mentions the stored values it passed over, so
        // a failure stays one line.
        for (const QString& warning : plan.warnings) {
            err << "lattora-export: warning: " << warning << Qt::endl;
        }
        return 0;
    } catch (const Error& e) {
        err << "lattora-export: " << e.description() << Qt::endl;
    } catch (const std::bad_alloc&) {
        err << "lattora-export: not enough memory for this sheet" << Qt::endl;
    } catch (const std::exception& e) {
        err << "lattora-export: " << QString::fromLocal8Bit(e.what()).simplified() << Qt::endl;
    }
    return 2;
}

}  // namespace lattora
