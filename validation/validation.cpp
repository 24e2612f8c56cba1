#include "validation/validation.h"

#include <QLineEdit>
#include <QMetaProperty>
#include <QQueue>
#include <QWidget>

namespace lattora {

namespace {

QList<QWidget*> childWidgets(const QWidget* widget) {
    return widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

void applyAppearance(QWidget* field, FieldStatus status, const QString& message) {
    QPalette palette;  // an empty palette inherits the normal colours again
    if (status != FieldStatus::Valid) {
        palette = field->palette();
        palette.setColor(QPalette::Base,
                         status == FieldStatus::Malformed ? kMalformedColor : kRequiredColor);
    }
    field->setPalette(palette);
    field->setToolTip(message);
}

}  // namespace

bool DoesPropertyExist(const QObject* object, const QString& name, int accessKind) {
    if (object == nullptr || accessKind != kReadableProperty) {
        return false;
    }
    if (name.compare(QLatin1String("Controls"), Qt::CaseInsensitive) == 0) {
        const auto* widget = qobject_cast<const QWidget*>(object);
        return widget != nullptr && !childWidgets(widget).isEmpty();
    }
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isReadable() &&
            name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    for (const QByteArray& dynamic : object->dynamicPropertyNames()) {
        if (name.compare(QString::fromLatin1(dynamic), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QList<ValidationResults> DoControlValidation(QWidget* window) {
    QList<ValidationResults> results;
    if (window == nullptr) {
        return results;
    }
    // The window's controls in order, then breadth first through every
    // container met on the way.
    QList<QWidget*> collected;
    QQueue<QWidget*> containers;
    const auto take = [&](QWidget* parent) {
        for (QWidget* child : childWidgets(parent)) {
            collected << child;
            if (DoesPropertyExist(child, QStringLiteral("Controls"), kReadableProperty)) {
                containers.enqueue(child);
            }
        }
    };
    take(window);
    while (!containers.isEmpty()) {
        take(containers.dequeue());
    }

    const QString tag = QString::fromLatin1(kTagProperty);
    for (QWidget* control : collected) {
        auto* field = qobject_cast<QLineEdit*>(control);
        if (field == nullptr || !DoesPropertyExist(field, tag, kReadableProperty)) {
            continue;
        }
        const RuleCheck check = checkRules(field->property(kTagProperty).toString(), field->text());
        results << ValidationResults{field, static_cast<int>(check.status), check.message};
    }
    return results;
}

QString DoControlValidationColor(QWidget* window) {
    bool required = false;
    bool malformed = false;
    for (const ValidationResults& result : DoControlValidation(window)) {
        if (result.vControl == nullptr) {
            continue;
        }
        const auto status = static_cast<FieldStatus>(result.vValid);
        applyAppearance(result.vControl, status, result.vMessage);
        required = required || status == FieldStatus::Required;
        malformed = malformed || status == FieldStatus::Malformed;
    }
    QString message;
    if (required) {
        message = kRequiredSummary;
    }
    if (malformed) {
        message = kInvalidSummary;
    }
    return message;
}

void setFieldRules(QWidget* field, const QString& ruleText) {
    field->setProperty(kTagProperty, ruleText);
}

}  // namespace lattora
