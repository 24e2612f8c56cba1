#include "mainwindow/dialoginputs.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>

#include "platform/ui/colorchooser.h"
#include "platform/ui/errorreport.h"
#include "render/graph.h"
#include "render/recordingtarget.h"
#include "render/scalecatalogue.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/memorystore.h"
#include "tests/support/recordingboxes.h"

namespace lattora {
namespace {

// The renderer draws with what the dialogs hold now, not with what is stored.
TEST(DialogInputs, TheRendererDrawsWithTheDialogsLiveValues) {
    test::MemoryStore store{
        {Key::Scale, kMetricWord},
        {Key::StyleTemplates,
         QStringLiteral("Black Lines~0|0|0|0|dot\r\nRed Lines~192|12624127|12624127|55|dot\r\n")},
        {Key::CurrentStyle, QStringLiteral("Red Lines")},
    };
    test::RecordingBoxes boxes;
    ErrorReport report(boxes);
    NoColorChooser colours;
    FrmStyles styles(store, report, colours);
    styles.LoadSettings();
    FrmConfig config(store, report);
    config.LoadSettings();
    const DialogInputs inputs(styles, config);
    const Graph graph(store, inputs);

    EXPECT_EQ(inputs.currentLineColors().heavyColor, 192u);
    EXPECT_EQ(inputs.subdivisionLimits().ten, 0.99f);

    // One quadratic interval of 2 cm: more than every limit gives ten parts;
    // with the live 10-limit raised above it, five.
    const auto subdivisions = [&] {
        RecordingTarget target(Unit::Centimetre);
        graph.DrawAxisGrid(target, true, Family::Quadratic, 0, 0, 0, 200, 1, 30, 0, 0);
        int count = 0;
        for (const auto& line : target.lines()) {
            count += line.colour == 55u ? 1 : 0;
        }
        return count;
    };
    // Ten intervals of "0 to 10" (the first from 0 to 0 is empty): nine
    // subdivision lines in each of the other ten, then four.
    EXPECT_EQ(subdivisions(), 10 * 9);
    config.findChild<QLineEdit*>(QStringLiteral("tSubdiv0"))->setText(QStringLiteral("1000"));
    EXPECT_EQ(inputs.subdivisionLimits().ten, 1000.0f);
    EXPECT_EQ(subdivisions(), 10 * 4);

    // Selecting another set changes the colours at once, before any OK.
    auto* list = styles.findChild<QListWidget*>(QStringLiteral("lbSetofLines"));
    list->setCurrentRow(0);
    EXPECT_EQ(inputs.currentLineColors().heavyColor, 0u);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora
