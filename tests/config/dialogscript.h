// Scripts that drive a dialog the way a user does, and what its controls show
// after: the configuration and line-set dialog tables are written in them.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <functional>

#include "tests/support/recordingboxes.h"
#include "validation/rules.h"

namespace lattora::test {

using namespace Qt::StringLiterals;

// Steps separated by ";": "name" clicks that button ("name=text" tells
// `beforeClick` the text first, say the colour a picker will be answered);
// "name=text" types into a field, sets a slider, list box or list to that
// number, or with no text takes a list's highlight away; "close" uses the
// close box and "escape" the Escape key.
inline void runScript(QDialog& dialog, const QString& script,
                      const std::function<void(const QString&)>& beforeClick = {}) {
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
        const QString name = step.section(u'=', 0, 0), text = step.section(u'=', 1);
        QObject* const control = dialog.findChild<QObject*>(name);
        auto* const list = qobject_cast<QListWidget*>(control);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            beforeClick ? beforeClick(text) : void();
            button->click();
        } else if (list && text.isEmpty()) {
            list->clearSelection();
        } else if (control) {
            control->setProperty(list                                ? "currentRow"
                                 : qobject_cast<QComboBox*>(control) ? "currentIndex"
                                 : qobject_cast<QSlider*>(control)   ? "value"
                                                                     : "text",
                                 qobject_cast<QLineEdit*>(control) ? QVariant(text) : text.toInt());
        } else if (name == u"close") {
            dialog.close();
        } else {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &escape);
        }
    }
}

// The named controls joined by "|": a field's or label's text, a slider's
// position, a list box's entry, whether a button is checked.
inline QString shownBy(const QDialog& dialog, std::initializer_list<const char*> names) {
    QStringList shown;
    for (const char* name : names) {
        const QObject* const control = dialog.findChild<QObject*>(QLatin1String(name));
        shown << control
                     ->property(qobject_cast<const QSlider*>(control)           ? "value"
                                : qobject_cast<const QComboBox*>(control)       ? "currentText"
                                : qobject_cast<const QAbstractButton*>(control) ? "checked"
                                                                                : "text")
                     .toString();
    }
    return shown.join(u'|');
}

// The boxes shown: for an error the handler that met it, for a message
// which summary it is.
inline QString toldBy(const RecordingBoxes& boxes, const QString& window) {
    QStringList told;
    for (const RecordingBoxes::Shown& box : boxes.shown)
        told << (box.error ? box.text.section(u'.' + window + u'.', 1).section(u' ', 0, 0)
                 : box.text == kRequiredSummary ? u"required"_s
                 : box.text == kInvalidSummary  ? u"invalid"_s
                                                : box.text);
    return told.join(u',');
}

}  // namespace lattora::test
