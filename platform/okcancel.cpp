#include "platform/okcancel.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace lattora {

OkCancelRow makeOkCancelRow(QWidget* dialog) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("PushButton2"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("PushButton1"));
    row->addWidget(ok);
    row->addWidget(cancel);
    return {row, ok, cancel};
}

}  // namespace lattora
