// The TK70 (DOS) tag selection file import: see dos_tsf_import.h.
#include "tags/import/dos_tsf_import.h"

#include "platform/windows1252.h"
#include "tags/import/import_messages.h"
#include "tags/import/import_result.h"
#include "tags/tag_doc.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <bit>

namespace tk70 {

namespace {

constexpr quint16 kFileMark = 0x3021;
constexpr quint16 kMarkBits = 0x7FFF;  // the top bit of the mark word is ignored
constexpr qint64 kHeaderBytes = 4;
constexpr qint64 kRecordBytes = 34;
constexpr qsizetype kNameBytes = 10;
constexpr qint16 kTrended = 1;

struct DosRecord {
    TagRecord tag;
    bool trended = false;
    TrendTrace trace;
};

qint16 int16At(const char *bytes) { return qFromLittleEndian<qint16>(bytes); }

double doubleAt(const char *bytes) { return std::bit_cast<double>(qFromLittleEndian<quint64>(bytes)); }

// Reads exactly n bytes into buffer; false when the device ends first.
bool readExactly(QIODevice &device, char *buffer, qint64 n)
{
    qint64 done = 0;
    while (done < n) {
        const qint64 got = device.read(buffer + done, n - done);
        if (got <= 0 && !device.waitForReadyRead(-1))
            return false;
        done += std::max<qint64>(got, 0);
    }
    return true;
}

DosRecord decodeRecord(const char *bytes)
{
    const QByteArrayView nameField(bytes + 24, kNameBytes);
    const qsizetype zero = nameField.indexOf('\0');
    const QString name = Windows1252::decode(zero < 0 ? nameField : nameField.first(zero));

    DosRecord record;
    const qint16 address = int16At(bytes);
    record.tag.tagname = name;
    record.tag.description = name;
    record.tag.loop = address / 256;
    record.tag.pcu = address % 256;
    record.tag.module = int16At(bytes + 2);
    record.tag.block = int16At(bytes + 4);
    record.trended = int16At(bytes + 6) == kTrended;
    record.trace = TrendTrace{name, doubleAt(bytes + 8), doubleAt(bytes + 16), name};
    return record;
}

// Reads up to count records into selection; returns how many were taken.  Reading stops
// with a warning at a record cut short by the file's end or with an empty tagname (which
// would leave a free slot among the tags), keeping the records before it.
int readRecords(QIODevice &device, int count, TagSelection &selection)
{
    TrendGraph &graph = selection.graphs.front();
    int leftOff = 0;
    int read = 0;
    for (; read < count; ++read) {
        char bytes[kRecordBytes];
        if (!readExactly(device, bytes, kRecordBytes)) {
            ImportMessages::warn(QString::fromLatin1(ImportMessages::kDosReadError));
            break;
        }
        const DosRecord record = decodeRecord(bytes);
        if (record.tag.tagname.isEmpty()) {
            ImportMessages::warn(QString::fromLatin1(ImportMessages::kDosBlankTagname).arg(read + 1));
            break;
        }
        selection.tags.setRecord(read, record.tag);
        if (!record.trended)
            continue;
        if (graph.traceCount < TrendGraph::kMaxTraces)
            graph.traces.at(graph.traceCount++) = record.trace;
        else
            ++leftOff;
    }
    selection.tags.setCount(read);
    if (leftOff > 0)
        ImportMessages::warn(QString::fromLatin1(ImportMessages::kDosTracesLeftOff).arg(leftOff));
    return read;
}

}  // namespace

bool importDosTsf(const QString &path, CTagDoc &target)
{
    return importFromFile(path, ImportMessages::kDosOpenError,
                          [&target](QIODevice &file) { return importDosTsf(file, target); });
}

bool importDosTsf(QIODevice &device, CTagDoc &target)
{
    char header[kHeaderBytes];
    if (!readExactly(device, header, kHeaderBytes) || (quint16(int16At(header)) & kMarkBits) != kFileMark) {
        ImportMessages::stop(QString::fromLatin1(ImportMessages::kDosWrongMark));
        return false;
    }
    const int stored = int16At(header + 2);
    TagSelection selection;
    const int capacity = selection.tags.capacity();
    const int read = readRecords(device, std::min(stored, capacity), selection);

    // Warn about a limited count only when a record past the capacity is really there.
    char spare[kRecordBytes];
    const bool limited = stored > capacity && read == capacity && readExactly(device, spare, kRecordBytes);

    adoptImportedSelection(target, selection, limited);
    return true;
}

}  // namespace tk70
