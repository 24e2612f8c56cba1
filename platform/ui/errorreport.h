// The common error report. A handler runs its statements through a
// ReportingScope; a statement that fails shows the report (what failed, where,
// and a request for a screenshot) and the handler goes on with its next
// statement, so an action finishes what it can.
//
//     ReportingScope scope(report, "frmConfig", "PushButton2_Click");
//     scope([&] { firstStep(); });
//     scope([&] { secondStep(); });
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <source_location>

#include "platform/ui/messageboxes.h"
#include "sheet/error.h"

class QWidget;

namespace lattora {

inline const QString kSupportAddress = QStringLiteral("support@tarnhill.example");

// The report's text: the description, CR LF, where it failed, two CRs and the
// request for a screenshot.
QString errorReportText(const QString& description, const QString& window, const QString& procedure,
                        int line);

class ErrorReport {
public:
    explicit ErrorReport(MessageBoxes& boxes) : boxes_(boxes) {}

    // Runs `statement`; a failure in it (our Error or any std::exception) is
    // reported over `parent` and swallowed. Returns whether it succeeded.
    bool run(QWidget* parent, const QString& window, const QString& procedure,
             const std::function<void()>& statement, int line);

    MessageBoxes& boxes() const { return boxes_; }

private:
    MessageBoxes& boxes_;
};

class ReportingScope {
public:
    ReportingScope(ErrorReport& report, QString window, QString procedure,
                   QWidget* parent = nullptr)
        : report_(report),
          window_(std::move(window)),
          procedure_(std::move(procedure)),
          parent_(parent) {}

    // The line reported is the line of the call, that is, of the statement.
    bool operator()(const std::function<void()>& statement,
                    std::source_location where = std::source_location::current()) {
        const bool ok =
            report_.run(parent_, window_, procedure_, statement, static_cast<int>(where.line()));
        failed_ = failed_ || !ok;
        return ok;
    }

    // Runs a step that hands its problems back rather than raising them:
    // each is reported at the step's own line, as a failure of it would be.
    void collect(const std::function<QStringList()>& step,
                 std::source_location where = std::source_location::current()) {
        QStringList problems;
        if (!(*this)([&] { problems = step(); }, where)) {
            return;
        }
        for (const QString& problem : problems) {
            (*this)([&] { throw Error(problem); }, where);
        }
    }

    // Whether any statement of this scope failed.
    bool failed() const { return failed_; }

private:
    ErrorReport& report_;
    QString window_;
    QString procedure_;
    QWidget* parent_;
    bool failed_ = false;
};

}  // namespace lattora
