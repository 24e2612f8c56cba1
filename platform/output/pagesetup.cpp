#include "platform/output/pagesetup.h"

#include <QPageLayout>
#include <cmath>

namespace lattora {

namespace {

QPageLayout::Orientation toQt(Orientation orientation) {
    return orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

PageSetup fromLayout(const QPageLayout& layout) {
    return {layout.fullRect(QPageLayout::Millimeter).size(),
            layout.paintRect(QPageLayout::Millimeter),
            layout.orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                           : Orientation::Portrait};
}

}  // namespace

PageSetup paperPage(const QPageSize& size, Orientation orientation) {
    return fromLayout(QPageLayout(size, toQt(orientation), QMarginsF(), QPageLayout::Millimeter));
}

std::optional<QPageSize> findPaper(const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageId = static_cast<QPageSize::PageSizeId>(id);
        if (pageId == QPageSize::Custom) {
            continue;
        }
        // Names read like "Letter / ANSI A" or "Executive (7.5 x 10 in)"; the
        // first words alone are what people type.
        const QString name = QPageSize::name(pageId);
        const QString shortName =
            name.section(QStringLiteral(" ("), 0, 0).section(QStringLiteral(" /"), 0, 0);
        if (QPageSize::key(pageId).compare(wanted, Qt::CaseInsensitive) == 0 ||
            name.compare(wanted, Qt::CaseInsensitive) == 0 ||
            shortName.compare(wanted, Qt::CaseInsensitive) == 0) {
            return QPageSize(pageId);
        }
    }
    return std::nullopt;
}

PrinterPage toPrinterPage(const PageSetup& page, UnitSystem system) {
    const double mmPerSheetUnit = system == UnitSystem::Metric ? 10.0 : kMillimetresPerInch;
    const auto twips = [](double mm) {
        return static_cast<std::int32_t>(std::lround(mm / kMillimetresPerInch * kTwipsPerInch));
    };
    PrinterPage result;
    result.pageWidthTwips = twips(page.paperMm.width());
    result.pageHeightTwips = twips(page.paperMm.height());
    result.orientation = static_cast<std::int16_t>(page.orientation);
    result.printableWidth = static_cast<float>(page.printableMm.width() / mmPerSheetUnit);
    result.printableHeight = static_cast<float>(page.printableMm.height() / mmPerSheetUnit);
    return result;
}

}  // namespace lattora
