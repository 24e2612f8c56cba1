// Faults the fuzz targets found, each pinned down by the behaviour that
// mends it; the inputs that showed them stay in regressions/ as well.
#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "app/exportcommand.h"
#include "sheet/error.h"

namespace lattora {
namespace {

std::string refusal(const QStringList& arguments) {
    try {
        parseExportArguments(arguments);
    } catch (const Error& e) {
        return e.description().toStdString();
    }
    return "accepted";
}

// The export command reports a refusal in one line; a line break or another
// control character inside an argument is shown, not passed to the terminal.
TEST(FoundFaultsTest, ExportRefusalsShowControlCharactersOfTheArguments) {
    EXPECT_EQ(refusal({QStringLiteral("-\rdpi"), QStringLiteral("out.pdf")}),
              "Unknown option '\\u000ddpi'.");
    EXPECT_EQ(
        refusal({QStringLiteral("--paper"), QStringLiteral("A4\nA5"), QStringLiteral("out.pdf")}),
        "unknown paper \"A4\\u000aA5\"");
    EXPECT_EQ(refusal({QStringLiteral("--orientation"), QStringLiteral("up\x1b[2K"),
                       QStringLiteral("out.pdf")}),
              "--orientation is portrait or landscape, not \"up\\u001b[2K\"");
    const std::string scale =
        refusal({QStringLiteral("--abscissa"), QStringLiteral("Metric:1\u2028mm"),
                 QStringLiteral("out.pdf")});
    EXPECT_TRUE(scale.starts_with("unknown Metric scale \"1\\u2028mm\"; the scales are ")) << scale;
}

}  // namespace
}  // namespace lattora
