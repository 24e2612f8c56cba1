// Checks every rule-tagged text field of a window, colours it by its result
// and sums the results up in one message. A field's rules are its "Tag"
// property; the checked fields are line edits.
#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>

#include "validation/rules.h"

class QObject;
class QWidget;

namespace lattora {

struct ValidationResults {
    QPointer<QWidget> vControl;
    int vValid = 0;  // 0 valid, 1 malformed, 2 required but empty
    QString vMessage;
};

// The name of the dynamic property that holds a field's rule text.
inline constexpr char kTagProperty[] = "Tag";

inline const QColor kMalformedColor(255, 0, 0);
inline const QColor kRequiredColor(255, 192, 128);

// Access kinds of DoesPropertyExist.
inline constexpr int kReadableProperty = 2;

// Whether `object` exposes a readable property named `name` (compared without
// regard to case): a declared property, a dynamic one, or "Controls" for a
// widget that has child widgets.
bool DoesPropertyExist(const QObject* object, const QString& name, int accessKind);

// One result per checked field, in the order of the walk: the window's own
// children first, then each container's children, breadth first.
QList<ValidationResults> DoControlValidation(QWidget* window);

// Validates, colours every checked field (red and its tip when malformed,
// light orange when required, the normal background and no tip when valid)
// and returns the summary: empty when all are valid, the "invalid" message
// when any is malformed, else the "required" message when any is empty.
QString DoControlValidationColor(QWidget* window);

// Gives `field` its rule text.
void setFieldRules(QWidget* field, const QString& ruleText);

}  // namespace lattora
