#include "platform/ui/errorreport.h"

#include <exception>
#include <new>

#include "sheet/error.h"

namespace lattora {

QString errorReportText(const QString& description, const QString& window, const QString& procedure,
                        int line) {
    return description + QStringLiteral("\r\nin LattoraGrid2021/08/31.") + window +
           QLatin1Char('.') + procedure + QStringLiteral(" at line ") + QString::number(line) +
           QStringLiteral("\r\r") +
           QStringLiteral("Please send a screenshot of this message to %1.").arg(kSupportAddress);
}

bool ErrorReport::run(QWidget* parent, const QString& window, const QString& procedure,
                      const std::function<void()>& statement, int line) {
    QString description;
    try {
        statement();
        return true;
    } catch (const Error& e) {
        description = e.description();
    } catch (const std::bad_alloc&) {
        description = QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        description = QString::fromLocal8Bit(e.what());
    } catch (...) {
        // Nothing may leave a handler into the event loop.
        description = QStringLiteral("Unknown error");
    }
    boxes_.showError(parent, errorReportText(description, window, procedure, line));
    return false;
}

}  // namespace lattora
