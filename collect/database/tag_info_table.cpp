// Writing and comparing the tag information table.
#include "collect/database/tag_info_table.h"

#include "core/product.h"
#include "platform/dao/dao_recordset.h"
#include "platform/dao/dao_table_def.h"

namespace tk70 {
namespace {

enum Field { kTagName, kLoop, kPcu, kMod, kBlk, kPointType, kCollection1, kDescription = kCollection1 + 4 };

QVariant shortValue(qint32 value) { return QVariant(int(qint16(value))); }

std::vector<QVariant> recordOf(const DataColumn &column)
{
    std::vector<QVariant> values{column.tagname,           shortValue(column.loop),
                                 shortValue(column.pcu),   shortValue(column.module),
                                 shortValue(column.block), shortValue(column.pointType)};
    for (bool member : column.groups)
        values.emplace_back(member ? 1 : 0);
    values.emplace_back(column.description.isEmpty() ? QString::fromLatin1(kBlankDescription) : column.description);
    return values;
}

bool recordMatches(const DaoRecordset &records, const DataColumn &column)
{
    const std::vector<QVariant> expected = recordOf(column);
    if (records.field(kTagName).toString() != column.tagname)
        return false;
    for (int f = kLoop; f < kDescription; ++f)
        if (records.field(f).toInt() != expected[size_t(f)].toInt())
            return false;
    return column.description.isEmpty() || records.field(kDescription).toString() == column.description;
}

}  // namespace

void writeTagInfoTable(DaoDatabase &database, const QString &table, const std::vector<DataColumn> &columns)
{
    DaoTableDef definition(database, table);
    definition.createField(QStringLiteral("TagName"), DaoFieldType::Text, 30);
    for (const char *name : {"Loop", "PCU", "Mod", "Blk", "PointType"})
        definition.createField(QLatin1String(name), DaoFieldType::Integer);
    for (int g = 1; g <= kCollectionGroupCount; ++g)
        definition.createField(QStringLiteral("Collection%1").arg(g), DaoFieldType::Boolean);
    definition.createField(QStringLiteral("TagDecsription"), DaoFieldType::Text, 60);
    definition.append();
    DaoRecordset records(database, table);
    records.open();
    for (const DataColumn &column : columns) {
        records.addNew();
        const std::vector<QVariant> values = recordOf(column);
        for (size_t f = 0; f < values.size(); ++f)
            records.setField(int(f), values[f]);
        records.update();
    }
}

bool tagInfoTableMatches(DaoDatabase &database, const QString &table, const std::vector<DataColumn> &columns)
{
    DaoRecordset records(database, table);
    records.open();
    records.moveFirst();
    for (const DataColumn &column : columns) {
        if (records.isEof() || !recordMatches(records, column))
            return false;
        records.moveNext();
    }
    return true;
}

}  // namespace tk70
