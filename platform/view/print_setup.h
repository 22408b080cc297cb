// The program's printer: the printer, paper and orientation chosen in Print Setup, kept
// for the whole session and used by every view that prints, with the print dialog and
// the print preview that start from it.
#pragma once

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace tk70 {

class PrintSetup {
public:
    // Paints the pages of a view on a printer (or on a preview's printer).
    using Painter = std::function<void(QPrinter *)>;

    PrintSetup();
    ~PrintSetup();

    QPrinter &printer();
    // The page setup dialog on the program's printer; true when the user accepted it.
    bool setup(QWidget *parent);
    // The print dialog on the program's printer, then paint; false when the user cancelled.
    bool print(QWidget *parent, const Painter &paint);
    // The print preview of paint on the program's printer.
    void preview(QWidget *parent, const Painter &paint);

private:
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace tk70
