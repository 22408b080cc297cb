// Adding and reading the records of one table.
#include "platform/dao/dao_recordset.h"

#include "platform/dao/dao_database.h"
#include "platform/dao/dao_exception.h"
#include "platform/dao/dao_field.h"

#include <QSqlError>

namespace tk70 {

DaoRecordset::DaoRecordset(DaoDatabase &database, QString table) : m_database(database), m_table(std::move(table)) {}

void DaoRecordset::open()
{
    close();
    QSqlQuery probe(m_database.connection());
    if (!probe.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quotedName(m_table))))
        throwDaoError(probe.lastError());
    // The names as the table declares them: the driver's record strips a '"' from a
    // column's name, and an insert built from that name would fail.
    QSqlQuery columns(m_database.connection());
    columns.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    columns.addBindValue(m_table);
    if (!columns.exec())
        throwDaoError(columns.lastError());
    while (columns.next())
        m_fieldNames << columns.value(0).toString();
    m_open = true;
}

void DaoRecordset::close()
{
    m_open = false;
    m_adding = false;
    m_fieldNames.clear();
    m_insert = QSqlQuery();
    m_insertStatement.clear();
    m_reader = QSqlQuery();
    m_eof = true;
}

void DaoRecordset::addNew()
{
    m_newRecord.assign(m_fieldNames.size(), QVariant());
    m_adding = true;
}

void DaoRecordset::setField(int position, const QVariant &value)
{
    if (!m_adding || position < 0 || position >= fieldCount())
        throw DaoException(3265, QStringLiteral("Item not found in this collection."));
    m_newRecord[size_t(position)] = value;
}

// Writes the new record with the fields that were set; the statement is prepared once
// and reused while the same fields are set.
void DaoRecordset::update()
{
    if (!m_adding)
        throw DaoException(3020, QStringLiteral("Update without AddNew."));
    m_adding = false;
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_newRecord[size_t(i)].isNull())
            continue;
        names << quotedName(m_fieldNames.at(i));
        marks << QStringLiteral("?");
        values << m_newRecord[size_t(i)];
    }
    const QString statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quotedName(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    QSqlQuery &insert = insertFor(statement);
    for (int i = 0; i < values.size(); ++i)
        insert.bindValue(i, values.at(i));
    if (!insert.exec())
        throwDaoError(insert.lastError());
}

QSqlQuery &DaoRecordset::insertFor(const QString &statement)
{
    if (statement == m_insertStatement)
        return m_insert;
    m_insert = QSqlQuery(m_database.connection());
    m_insertStatement.clear();
    if (!m_insert.prepare(statement))
        throwDaoError(m_insert.lastError());
    m_insertStatement = statement;
    return m_insert;
}

void DaoRecordset::cancelUpdate() { m_adding = false; }

void DaoRecordset::moveFirst()
{
    m_reader = QSqlQuery(m_database.connection());
    m_reader.setForwardOnly(true);
    if (!m_reader.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quotedName(m_table))))
        throwDaoError(m_reader.lastError());
    m_eof = !m_reader.next();
}

void DaoRecordset::moveNext()
{
    if (!m_eof)
        m_eof = !m_reader.next();
}

QVariant DaoRecordset::field(int position) const
{
    if (m_eof)
        throw DaoException(3021, QStringLiteral("No current record."));
    return m_reader.value(position);
}

}  // namespace tk70
