// A setup window's page as the application uses it: the tag editor or the trend setup of
// the current document, with the commit-and-validate the program runs before saving,
// switching windows or starting a collection, the copy into the document, and its
// printout.
#pragma once

#include <QObject>

class QPrinter;
class QWidget;

namespace tk70 {

class SetupPage : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The widget the setup window shows.
    virtual QWidget *widget() const = 0;
    // Reads and checks the page; false (after the field's message) when a field is invalid.
    virtual bool validate() = 0;
    // Copies the page into the document.
    virtual void commit() = 0;
    // Paints the page's printout on printer.
    virtual void paint(QPrinter *printer) = 0;
};

}  // namespace tk70
