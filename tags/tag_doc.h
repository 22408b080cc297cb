// CTagDoc, the tag selection document: the tags, trend graph definitions, collection
// group settings and serial link choice of one Tag Selection File, with the document's
// new, open and save operations and the messages they raise.
//
// Loading never loses what the document holds: a file that cannot be read (missing,
// unreadable, ending early) is reported and leaves the document as it was.  An invalid
// file (wrong header or mark, more than 10 graphs) is reported and loaded with
// new-document graphs, groups and indexes; the document then carries the file's name,
// so a later save writes those values to it.  Whether the document differs from what
// was last loaded or saved is read off its content, so an edit undone by hand is no
// change.  Saving goes through a temporary file that replaces the old one only when it
// is complete.
#pragma once

#include "tags/file_error.h"
#include "tags/tag_selection.h"

#include <QByteArray>
#include <QString>

namespace tk70 {

class CTagDocHost;

class CTagDoc {
public:
    // host may be null: then saving is always allowed and opening hands the link
    // settings to nobody.
    explicit CTagDoc(CTagDocHost *host = nullptr);

    // The new-document values; the document has no file name afterwards.
    void newDocument();
    // Reads the TSF at path.  Returns false, after reporting, when the file cannot be
    // read; the document is then unchanged.  On success the host gets the serial port
    // and baud rate.
    bool openDocument(const QString &path);
    // Writes the TSF to path, unless the host refuses (see tag_doc_host.h).  A write
    // failure is reported and returns false; the old file stays as it was.
    bool saveDocument(const QString &path);
    // The file this document was last opened from or saved to; empty for a new one.
    const QString &pathName() const { return m_pathName; }
    // The document's title on printed pages: its file's name, "Untitled" for a new one.
    QString title() const;
    // Whether the content differs from what the last new, open or save left.
    bool isModified() const { return writeTsf() != m_savedImage; }

    // Loads TSF bytes with every message of reading; path names the file in a report.
    // Returns false when the bytes end early (the document is then unchanged).
    bool loadTsf(QByteArrayView bytes, const QString &path);
    // The document as TSF bytes.
    QByteArray writeTsf() const;

    // The whole persistent content.
    const TagSelection &selection() const { return m_selection; }
    TagSelection &selection() { return m_selection; }

    // Tag table.
    const TagTable &tags() const { return m_selection.tags; }
    TagTable &tags() { return m_selection.tags; }
    int tagCount() const { return m_selection.tags.count(); }
    int tagCapacity() const { return m_selection.tags.capacity(); }
    TagRecord tag(int slot) const { return m_selection.tags.record(slot); }
    void setTag(int slot, const TagRecord &tag) { m_selection.tags.setRecord(slot, tag); }
    bool isTagInTrendUse(QStringView tagname) const { return m_selection.isTagInTrendUse(tagname); }

    // Trend graphs (index 0 to 9) and the graph shown by the trend setup.
    const TrendGraph &graph(int index) const { return m_selection.graphs.at(index); }
    TrendGraph &graph(int index) { return m_selection.graphs.at(index); }
    int currentGraphIndex() const { return m_currentGraph; }
    void setCurrentGraphIndex(int index);
    // How many graphs have traces (the graphs that get a window).
    int graphsWithTraces() const;

    // Collection groups (index 0 to 3) and the serial link.
    const CollectionGroup &group(int index) const { return m_selection.groups.at(index); }
    CollectionGroup &group(int index) { return m_selection.groups.at(index); }
    qint32 serialPortIndex() const { return m_selection.serialPortIndex; }
    void setSerialPortIndex(qint32 index) { m_selection.serialPortIndex = index; }
    qint32 baudRateIndex() const { return m_selection.baudRateIndex; }
    void setBaudRateIndex(qint32 index) { m_selection.baudRateIndex = index; }
    int comPort() const { return comPortForIndex(serialPortIndex()); }
    int baudRate() const { return baudRateForIndex(baudRateIndex()); }

    // The reset operation other parts use.
    void resetTags() { m_selection.resetTags(); }

private:
    // The host's refusals and page checks before a save; true when saving may go on.
    bool saveAllowed();
    bool writeFile(const QString &path);
    void reportFileError(const FileError &error) const;

    CTagDocHost *m_host = nullptr;
    TagSelection m_selection;
    int m_currentGraph = 0;
    QString m_pathName;
    QByteArray m_savedImage;  // the content as TSF bytes after the last new, open or save
};

}  // namespace tk70
