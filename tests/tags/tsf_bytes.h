// Builds TSF bytes by hand in tests, item by item, the way a file from the original
// program lays them out, independently of the writer under test.
#pragma once

#include "tags/tag_record.h"

#include <QByteArray>
#include <QtGlobal>

namespace tk70::test {

class TsfBytes {
public:
    TsfBytes &raw(const QByteArray &bytes);
    TsfBytes &i32(qint32 value);
    TsfBytes &f64(double value);
    // A string in its shortest length form; bytes are taken as they are (Windows-1252).
    TsfBytes &str(const QByteArray &bytes);
    // The header text and the file mark.
    TsfBytes &header();
    TsfBytes &tag(const QByteArray &name, const QByteArray &description, qint32 loop, qint32 pcu, qint32 module,
                  qint32 block, qint32 pointType, qint32 g1 = 1, qint32 g2 = 0, qint32 g3 = 0, qint32 g4 = 0);
    // A graph record without its trace records.
    TsfBytes &graph(qint32 historyLength, qint32 traceCount, double sampleInterval, const QByteArray &title,
                    const QByteArray &secondTitle);
    TsfBytes &trace(double zero, double span, const QByteArray &tagname, const QByteArray &description);
    TsfBytes &group(const QByteArray &fileName, qint32 sampleTime, const QByteArray &startDate,
                    const QByteArray &endDate, const QByteArray &inhibitTag, qint32 append, qint32 rollover,
                    const QByteArray &startTime, const QByteArray &endTime, qint32 enabled, const QByteArray &fileType);
    // The record of a group that a new document leaves off (groups 2 to 4).
    TsfBytes &emptyGroup();
    // The four group records of a new document.
    TsfBytes &newDocumentGroups();

    const QByteArray &bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }
    operator QByteArrayView() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A tag with only a name; everything else as in a free slot.
TagRecord namedTag(const char *name);

// The file a new document saves, byte by byte.
QByteArray newDocumentFileBytes();

}  // namespace tk70::test
