#include "platform/ui/widgetfactory.h"

#include <QCursor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "validation/validation.h"

namespace lattora {

namespace {

QString spokenName(const QString& labelText) {
    QString name = labelText.trimmed();
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    return name;
}

}  // namespace

QPushButton* WidgetFactory::button(QAnyStringView objectName, const QString& caption) const {
    auto* pushButton = new QPushButton(caption, options_.parent);
    pushButton->setObjectName(objectName);
    return pushButton;
}

QGroupBox* WidgetFactory::group(QAnyStringView objectName, const QString& title) const {
    auto* box = new QGroupBox(title, options_.parent);
    box->setObjectName(objectName);
    return box;
}

QLabel* WidgetFactory::label(const QString& text, QAnyStringView objectName) const {
    auto* made = new QLabel(text, options_.parent);
    const QAnyStringView name = objectName.isNull() ? options_.labelName : objectName;
    if (!name.isNull()) {
        made->setObjectName(name);
    }
    made->setTextFormat(options_.labelFormat);
    return made;
}

QLabel* WidgetFactory::heading(const QString& text) const {
    QLabel* made = label(text);
    QFont font = made->font();
    font.setBold(true);
    made->setFont(font);
    return made;
}

QLabel* WidgetFactory::explanation(const QString& text, QAnyStringView objectName) const {
    QLabel* made = label(text, objectName);
    made->setWordWrap(true);
    return made;
}

QLabel* WidgetFactory::labelFor(const QString& text, QWidget* buddy) const {
    QLabel* made = label(text);
    nameAfter(buddy, made);
    return made;
}

QLineEdit* WidgetFactory::field(QAnyStringView objectName, const QString& text,
                                const QString& rules, QLabel* label) const {
    auto* edit = new QLineEdit(text, options_.parent);
    edit->setObjectName(objectName);
    setFieldRules(edit, rules);
    if (label != nullptr) {
        nameAfter(edit, label);
    }
    return edit;
}

void WidgetFactory::nameAfter(QWidget* control, QLabel* label) {
    control->setAccessibleName(spokenName(label->text()));
    label->setBuddy(control);
}

void WidgetFactory::setButtonPointer(const QWidget* window, const QCursor& pointer) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        button->setCursor(pointer);
    }
}

}  // namespace lattora
