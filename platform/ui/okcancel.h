// The OK and Cancel buttons the program's dialogs end with.
#pragma once

#include <functional>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace lattora {

struct OkCancelRow {
    QHBoxLayout* row;     // right-aligned, for the dialog's layout
    QPushButton* ok;      // "PushButton2", the default button
    QPushButton* cancel;  // "PushButton1"
};

// Makes both buttons on `dialog`, clicks going to `ok` and `cancel`.
OkCancelRow makeOkCancelRow(QWidget* dialog, std::function<void()> ok,
                            std::function<void()> cancel);

}  // namespace lattora
