// The life of the program's current tag selection document: New, Open (a chosen,
// dropped, handed-over or recent file), Save, Save As and Close, with the questions that
// guard unsaved work ("Overwrite Existing Tag Selection & Trend Settings?", "Save changes
// to ...?") and the recent file list.  The names of files come from a FileChooser; what
// the windows do around a document (closing before it goes, showing a new one) comes in
// as hooks, so the lifecycle needs no widget.
#pragma once

#include "app/document/recent_files.h"

#include <QString>
#include <functional>
#include <memory>

namespace tk70 {

class CTagDoc;
class CTagDocHost;
class FileChooser;
class SettingsStore;

// What the program does around the document.
struct DocumentHooks {
    std::function<void()> release;  // the windows reading the document go, at once
    std::function<void()> shown;    // a new or opened document is the current one
    std::function<bool()> inUse;    // a collection or a historical file's graphs use it
};

class DocumentLifecycle {
public:
    // host is handed to every document (page checks, link settings).
    DocumentLifecycle(CTagDocHost &host, SettingsStore &store, FileChooser &chooser, DocumentHooks hooks);
    ~DocumentLifecycle();
    DocumentLifecycle(const DocumentLifecycle &) = delete;
    DocumentLifecycle &operator=(const DocumentLifecycle &) = delete;

    // The current document; null after Close.
    CTagDoc *document() const { return m_document.get(); }
    // Its name in window titles: the file's name, or the product's for a new one.
    QString title() const;
    RecentFiles &recentFiles() { return m_recent; }

    // A new, empty document replaces the current one without a question.
    void newDocument();
    // The file at path replaces the current document and goes first in the recent files;
    // false (after the document's message) when it cannot be opened, and nothing changed.
    bool openDocument(const QString &path);
    // The current document goes, after its windows.
    void forget();

    // The commands.  fileNew and fileOpen ask the overwrite question first; fileOpen takes
    // file, or asks the chooser when it is empty, and leaves a new document when the file
    // cannot be opened.  The saves return whether the file was written.
    void fileNew();
    void fileOpen(const QString &file);
    bool fileSave();
    bool fileSaveAs();
    // Close: unsaved changes are offered first; false when the document stays.
    bool close();
    // A recent file that can no longer be opened leaves the list.
    void openRecent(int index);

    // "Overwrite Existing Tag Selection & Trend Settings?" when the document has tags;
    // whether to go on.
    bool confirmOverwrite() const;
    // Asks whether to save a document that differs from what was last loaded or saved,
    // after the open pages are checked and copied into it.  False when the user cancels,
    // a page does not validate or the save fails: whatever was to close stays open.  A
    // document in use is never asked about.
    bool saveModified();

private:
    bool saveAt(const QString &path);

    CTagDocHost &m_host;
    FileChooser &m_chooser;
    DocumentHooks m_hooks;
    RecentFiles m_recent;
    std::unique_ptr<CTagDoc> m_document;
};

}  // namespace tk70
