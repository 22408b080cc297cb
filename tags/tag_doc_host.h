// What a tag selection document needs to know of the program around it: whether data
// collection or a replay runs, which setup windows are open and whether their pages
// validate, how to copy open pages into the document, and where the serial link
// settings go after a file is opened.  The window shell implements it; the document
// calls it when saving (refusals, validation, copying pages) and after opening (serial
// port and baud rate to the driver client).
//
// The defaults describe an idle program showing a valid tag editor, so a host that
// overrides nothing lets every save through.  A document without any host (the
// command-line tool, tests) saves without these checks.
#pragma once

namespace tk70 {

class CTagDocHost {
public:
    virtual ~CTagDocHost() = default;

    // Data collection runs: the selection may not be saved or closed.
    virtual bool isCollecting() const { return false; }
    // A historical document's replay runs (used when closing frames).
    virtual bool isReplaying() const { return false; }
    // The application has a current document.
    virtual bool hasCurrentDocument() const { return true; }

    virtual bool tagEditorOpen() const { return true; }
    virtual bool trendSetupOpen() const { return false; }
    // Commit-and-validate of an open page; false when the page shows an error.
    virtual bool tagEditorPageValid() { return true; }
    virtual bool trendSetupPageValid() { return true; }
    // Copies the open pages of the tag editor and the trend setup into the document.
    virtual void copyOpenPagesIntoDocument() {}

    // Hands the serial port (1 or 2) and baud rate to the driver client.
    virtual void setLinkSettings(int comPort, int baudRate)
    {
        static_cast<void>(comPort);
        static_cast<void>(baudRate);
    }
};

}  // namespace tk70
