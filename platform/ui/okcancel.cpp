#include "platform/ui/okcancel.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace lattora {

OkCancelRow makeOkCancelRow(QWidget* dialog, std::function<void()> onOk,
                            std::function<void()> onCancel) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("PushButton2"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("PushButton1"));
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, std::move(onCancel));
    row->addWidget(ok);
    row->addWidget(cancel);
    return {row, ok, cancel};
}

}  // namespace lattora
