// The picking dialogs' common build: see report_list.h.
#include "platform/view/report_list.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tk70 {

ReportList buildReportList(QDialog *dialog, const QStringList &headers)
{
    ReportList built;
    built.list = new QTreeWidget(dialog);
    built.list->setHeaderLabels(headers);
    built.list->setRootIsDecorated(false);
    built.list->setItemsExpandable(false);
    built.list->setUniformRowHeights(true);
    built.list->setAllColumnsShowFocus(true);
    built.list->setSelectionMode(QAbstractItemView::SingleSelection);
    built.list->header()->setSectionsMovable(false);

    built.ok = new QPushButton(QStringLiteral("&OK"), dialog);
    built.ok->setObjectName(QStringLiteral("1"));
    built.ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(built.ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(built.list, 1);
    layout->addLayout(buttons);
    QObject::connect(built.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return built;
}

}  // namespace tk70
