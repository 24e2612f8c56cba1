// The widgets the program's windows make alike: named push buttons and group
// boxes, labels, headings, explanations and text fields checked by rules, so
// that a control of one kind is set up the same way in every window.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <Qt>

class QCursor;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lattora {

class WidgetFactory {
public:
    // What one window's widgets have in common.
    struct Options {
        // The parent each widget is made on. A dialog that gives none lets its
        // layout adopt the widgets, so they join it in layout order; with a
        // parent they join it in the order they are made.
        QWidget* parent = nullptr;
        // The object name of a label made without one; none when null. A
        // view: the text must outlive the factory.
        QAnyStringView labelName = {};
        // How labels read their texts. Plain text by default: a ">" in a
        // label must never be taken for markup.
        Qt::TextFormat labelFormat = Qt::PlainText;
    };

    constexpr explicit WidgetFactory(const Options& options) : options_(options) {}

    QPushButton* button(QAnyStringView objectName, const QString& caption) const;
    QGroupBox* group(QAnyStringView objectName, const QString& title) const;

    // A label named `objectName`, or the window's label name without one.
    QLabel* label(const QString& text, QAnyStringView objectName = {}) const;
    // A section's title: a label in bold.
    QLabel* heading(const QString& text) const;
    // A wrapping label, for a sentence or two that explain what follows.
    QLabel* explanation(const QString& text, QAnyStringView objectName = {}) const;
    // A label that names `buddy` (see nameAfter).
    QLabel* labelFor(const QString& text, QWidget* buddy) const;

    // A text field holding `text`, checked by `rules` (see setFieldRules) and,
    // given a label, named after it.
    QLineEdit* field(QAnyStringView objectName, const QString& text, const QString& rules,
                     QLabel* label = nullptr) const;

    // `label` becomes `control`'s buddy, so its mnemonic moves the focus
    // there, and a screen reader calls `control` by the label's text without
    // the spaces around it and a closing colon.
    static void nameAfter(QWidget* control, QLabel* label);

    // Every push button on `window` shows `pointer` while the mouse is over
    // it, as the main window's do.
    static void setButtonPointer(const QWidget* window, const QCursor& pointer);

private:
    Options options_;
};

}  // namespace lattora
