// Reading back what the metafile writers wrote, for the tests: records walked by their own
// sizes, little-endian fields, and the objects' lives replayed the way a player keeps its
// object table.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QtEndian>
#include <set>
#include <vector>

namespace tk70test {

struct MetafileRecord {
    quint32 type = 0;  // EMF record type or WMF function
    QByteArray params;
};

inline qint32 field32(const QByteArray &data, qsizetype at) { return qFromLittleEndian<qint32>(data.constData() + at); }

inline qint32 field16(const QByteArray &data, qsizetype at) { return qFromLittleEndian<qint16>(data.constData() + at); }

// The parameters as signed integers: 32-bit for EMF, 16-bit for WMF.
inline std::vector<qint32> params(const MetafileRecord &record, bool enhanced)
{
    std::vector<qint32> values;
    const int width = enhanced ? 4 : 2;
    for (qsizetype at = 0; at + width <= record.params.size(); at += width)
        values.push_back(enhanced ? field32(record.params, at) : field16(record.params, at));
    return values;
}

// Walks records from `start` to the end record; `end` is where the walk stopped, which
// equals the data's size when every record's size added up.
struct MetafileWalk {
    std::vector<MetafileRecord> records;
    qsizetype end = 0;
    qsizetype largestWmfRecord = 0;  // words
};

inline MetafileWalk walk(const QByteArray &data, qsizetype start, bool enhanced)
{
    MetafileWalk result;
    qsizetype at = start;
    while (at + (enhanced ? 8 : 6) <= data.size()) {
        const qsizetype size = enhanced ? field32(data, at + 4) : 2 * qsizetype(quint32(field32(data, at)));
        const qsizetype header = enhanced ? 8 : 6;
        if (size < header || at + size > data.size())
            break;
        const quint32 type = enhanced ? quint32(field32(data, at)) : quint16(field16(data, at + 4));
        result.records.push_back({type, data.mid(at + header, size - header)});
        result.largestWmfRecord = std::max(result.largestWmfRecord, size / 2);
        at += size;
        if (type == (enhanced ? 14u : 0u))
            break;
    }
    result.end = at;
    return result;
}

// The object table as a player keeps it: WMF objects take the lowest free slot, EMF
// objects the index their record names.  Every select and delete must name a live object.
struct ObjectLives {
    int tableSize = 0;  // EMF: highest index + 1; WMF: most objects alive at once
    int aliveAtEnd = 0;
    bool valid = true;
    int lowestSaveDepth = 0;
    int saveDepthAtEnd = 0;
};

inline ObjectLives replayObjects(const std::vector<MetafileRecord> &records, bool enhanced)
{
    const std::set<quint32> creates = enhanced ? std::set<quint32>{38, 39, 82} : std::set<quint32>{0x2FA, 0x2FB, 0x2FC};
    const quint32 select = enhanced ? 37 : 0x12D, remove = enhanced ? 40 : 0x1F0;
    const quint32 save = enhanced ? 33 : 0x1E, restore = enhanced ? 34 : 0x127;
    ObjectLives lives;
    std::set<int> alive;
    int depth = 0;
    for (const MetafileRecord &record : records) {
        const std::vector<qint32> p = params(record, enhanced);
        if (creates.count(record.type)) {
            int slot = enhanced ? p.at(0) : 0;
            while (!enhanced && alive.count(slot))
                ++slot;
            lives.valid = lives.valid && alive.insert(slot).second;
            lives.tableSize = std::max(lives.tableSize, enhanced ? slot + 1 : int(alive.size()));
        } else if (record.type == select || record.type == remove) {
            lives.valid = lives.valid && alive.count(p.at(0));
            if (record.type == remove)
                alive.erase(p.at(0));
        } else if (record.type == save || record.type == restore) {
            depth += record.type == save ? 1 : -1;
            lives.lowestSaveDepth = std::min(lives.lowestSaveDepth, depth);
        }
    }
    lives.aliveAtEnd = int(alive.size());
    lives.saveDepthAtEnd = depth;
    return lives;
}

// The clip rectangle in effect before a record (left, top, right, bottom as stored; a
// null rectangle for none), replaying SaveDC, RestoreDC and IntersectClipRect.
inline QRect clipBefore(const std::vector<MetafileRecord> &records, size_t index, bool enhanced)
{
    std::vector<QRect> saved;
    QRect clip;
    for (size_t i = 0; i < index; ++i) {
        const quint32 type = records[i].type;
        if (type == (enhanced ? 33u : 0x1Eu)) {
            saved.push_back(clip);
        } else if (type == (enhanced ? 34u : 0x127u) && !saved.empty()) {
            clip = saved.back();
            saved.pop_back();
        } else if (type == (enhanced ? 30u : 0x416u)) {
            const std::vector<qint32> p = params(records[i], enhanced);
            const QRect rect = enhanced ? QRect(QPoint(p[0], p[1]), QPoint(p[2], p[3]))
                                        : QRect(QPoint(p[3], p[2]), QPoint(p[1], p[0]));
            clip = clip.isNull() ? rect : clip.intersected(rect);
        }
    }
    return clip;
}

}  // namespace tk70test
