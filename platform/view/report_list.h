// The picking dialogs' common build: a single-selection list in report form above "&OK"
// (id 1) and "Cancel" (id 2), which accept and reject the dialog.
#pragma once

#include <QStringList>

class QDialog;
class QPushButton;
class QTreeWidget;

namespace tk70 {

struct ReportList {
    QTreeWidget *list = nullptr;
    QPushButton *ok = nullptr;
};

// Builds the list with headers and the two buttons into dialog, laid out; columns left
// to the caller's widths.
ReportList buildReportList(QDialog *dialog, const QStringList &headers);

}  // namespace tk70
