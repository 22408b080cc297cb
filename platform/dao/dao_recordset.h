// A table-type record set: new records are added field by field (by position) and
// written by update, each in a transaction of its own; the stored records are read from
// the first on, in the order they were added.
#pragma once

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace tk70 {

class DaoDatabase;

class DaoRecordset {
public:
    DaoRecordset(DaoDatabase &database, QString table);

    // Opens the record set on its table; DaoException when there is no such table.
    void open();
    void close();
    bool isOpen() const { return m_open; }
    int fieldCount() const { return int(m_fieldNames.size()); }

    // A new, empty record; its fields are set by position, then written or dropped.
    void addNew();
    void setField(int position, const QVariant &value);
    void update();
    void cancelUpdate();

    void moveFirst();
    void moveNext();
    bool isEof() const { return m_eof; }
    // The field at position of the current record.
    QVariant field(int position) const;

private:
    QSqlQuery &insertFor(const QString &statement);

    DaoDatabase &m_database;
    QString m_table;
    QStringList m_fieldNames;
    bool m_open = false;
    bool m_adding = false;
    std::vector<QVariant> m_newRecord;
    QString m_insertStatement;
    QSqlQuery m_insert;
    QSqlQuery m_reader;
    bool m_eof = true;
};

}  // namespace tk70
