// The data values table: see sample_table.h.
#include "collect/database/sample_table.h"

#include "platform/dao/dao_database.h"
#include "platform/dao/dao_table_def.h"

#include <QSqlError>

namespace tk70 {

SampleTable::SampleTable(DaoDatabase &database, QString table, QStringList tagnames)
    : m_database(database), m_table(std::move(table)), m_tagnames(std::move(tagnames))
{
}

void SampleTable::create(DaoFieldType valueType)
{
    DaoTableDef data(m_database, m_table);
    data.createField(QLatin1String(kDateTimeColumn), DaoFieldType::DateTime);
    for (const QString &tagname : m_tagnames)
        data.createField(tagname, valueType);
    data.append();
    m_database.execute(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(quotedName(m_table + QLatin1Char(' ') + QLatin1String(kDateTimeColumn)),
                                quotedName(m_table), quotedName(QLatin1String(kDateTimeColumn))));
}

void SampleTable::prepare()
{
    QStringList names{quotedName(QLatin1String(kDateTimeColumn))};
    QStringList marks{QStringLiteral("?")};
    for (const QString &tagname : m_tagnames) {
        names << quotedName(tagname);
        marks << QStringLiteral("?");
    }
    m_insert = QSqlQuery(m_database.connection());
    if (!m_insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quotedName(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        throwDaoError(m_insert.lastError());
}

void SampleTable::insert(const std::deque<SampleRow> &rows)
{
    if (rows.empty())
        return;
    m_database.beginWriteTrans();
    try {
        for (const SampleRow &row : rows)
            insertOne(row);
        m_database.commitTrans();
    } catch (...) {
        m_database.rollback();
        throw;
    }
}

void SampleTable::insertOne(const SampleRow &row)
{
    m_insert.bindValue(0, row.stamp);
    for (size_t v = 0; v < row.values.size(); ++v)
        m_insert.bindValue(int(v + 1), row.values[v]);
    if (!m_insert.exec())
        throwDaoError(m_insert.lastError());
}

}  // namespace tk70
