// The program's printer: see print_setup.h.
#include "platform/view/print_setup.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tk70 {

PrintSetup::PrintSetup() = default;
PrintSetup::~PrintSetup() = default;

// Made on first use: finding the system's printers can take a moment.
QPrinter &PrintSetup::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintSetup::setup(QWidget *parent)
{
    QPageSetupDialog dialog(&printer(), parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    return dialog.exec() == QDialog::Accepted;
}

bool PrintSetup::print(QWidget *parent, const Painter &paint)
{
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paint(&printer());
    return true;
}

void PrintSetup::preview(QWidget *parent, const Painter &paint)
{
    QPrintPreviewDialog dialog(&printer(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

}  // namespace tk70
