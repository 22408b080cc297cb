// The historical data file: opening with its messages, the tag list it gives, and the
// Auto Fit and replay reads over its lines.
#include "trend/history/historical_file.h"

#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/history/history_header.h"
#include "trend/history/history_lines.h"

#include <QFile>
#include <algorithm>

namespace tk70 {

namespace {

void reportOpenFailure(HistoryFileKind kind)
{
    Messages::note(QString::fromLatin1(kind == HistoryFileKind::Ascii
                                           ? "Error Opening TK70 Pro Historical Data File."
                                           : "Error Opening TK70 (DOS) Historical Data File."),
                   QString::fromLatin1(kTitleError), MessageIcon::Stop);
}

}  // namespace

HistoricalFile::HistoricalFile(const QString &path, HistoryFileKind kind) : m_path(path), m_kind(kind) {}

HistoricalFile::~HistoricalFile() = default;

std::unique_ptr<HistoricalFile> HistoricalFile::open(const QString &path, HistoryFileKind kind, int tagCapacity)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportOpenFailure(kind);
        return nullptr;
    }
    const std::optional<HistoryHeader> header = readHistoryHeader(file, kind, tagCapacity);
    if (!header)
        return nullptr;
    std::unique_ptr<HistoricalFile> opened(new HistoricalFile(path, kind));
    opened->m_columns = header->columns;
    opened->m_dataStart = header->dataStart;
    opened->m_estimatedRecords = std::max<qint64>(file.size() / header->columnLineLength, 0);
    opened->m_lines = std::make_unique<HistoryLines>(path, header->dataStart);
    if (!opened->m_lines->isOpen()) {
        reportOpenFailure(kind);
        return nullptr;
    }
    return opened;
}

void HistoricalFile::fillTagList(CTagDoc &doc) const
{
    doc.resetTags();
    const int count = int(std::min<size_t>(m_columns.size(), size_t(doc.tagCapacity())));
    for (int i = 0; i < count; ++i) {
        const HistoryColumn &column = m_columns[size_t(i)];
        TagRecord tag;
        tag.tagname = column.name;
        tag.description = column.name;
        tag.loop = column.loop;
        tag.pcu = column.pcu;
        tag.module = column.module;
        tag.block = column.block;
        doc.setTag(i, tag);
    }
    doc.tags().setCount(count);
}

AutoFitRange autoFitRange(qint64 firstRequested, qint64 lastRequested, qint64 records)
{
    AutoFitRange range;
    range.first = std::max<qint64>(std::min(firstRequested, records - 1), 0);
    range.last = lastRequested == 0 ? records : std::min(lastRequested, records);
    range.last = std::max(range.last, range.first);
    range.step = (range.last - range.first) / HistoricalFile::kMaxPoints + 1;
    return range;
}

HistoryLoad HistoricalFile::autoFitLoad(qint64 firstRequested, qint64 lastRequested, const std::vector<int> &columns)
{
    const AutoFitRange range = autoFitRange(firstRequested, lastRequested, countRecords());
    HistoryLoad load;
    load.first = range.first;
    load.last = range.last;
    load.step = range.step;
    seekRecord(load.first);
    while (qsizetype(load.points.size()) < kMaxPoints) {
        std::optional<HistoryPoint> point = readNext(columns);
        if (!point || !range.takes(point->record))
            break;
        load.points.push_back(std::move(*point));
        skipRecords(load.step - 1);
    }
    return load;
}

qint64 HistoricalFile::countRecords() { return m_lines->countLines(); }

qint64 HistoricalFile::indexBytes() const { return m_lines->indexSize() * qint64(sizeof(qint64)); }

void HistoricalFile::seekRecord(qint64 record) { m_current = std::max<qint64>(record, 0); }

void HistoricalFile::skipRecords(qint64 count) { m_current += std::max<qint64>(count, 0); }

std::optional<HistoryPoint> HistoricalFile::readNext(const std::vector<int> &columns)
{
    if (!m_lines->seekLine(m_current))
        return std::nullopt;
    QByteArrayView line;
    while (m_lines->nextLine(line)) {
        m_current = m_lines->position();
        if (isHistoryDataLine(line, m_kind)) {
            HistoryPoint point = historyPoint(line, m_kind, columns);
            point.record = m_current - 1;
            return point;
        }
    }
    return std::nullopt;
}

}  // namespace tk70
