// The data values table of a database output: its creation ("Date/Time", one column per
// member tag, an index on "Date/Time") and the writing of waiting samples.  Every
// statement is built from the output's own names, each quoted here, with the values
// bound by position: a tag name holding '"', ';' or '\'' names its column and nothing
// else.
#pragma once

#include "collect/database/waiting_samples.h"
#include "platform/dao/dao_field.h"

#include <QSqlQuery>
#include <QStringList>
#include <deque>

namespace tk70 {

class DaoDatabase;

// The name of the data values table's time stamp column.
inline const char *const kDateTimeColumn = "Date/Time";

class SampleTable {
public:
    // The table named table of database, with one value column per name of tagnames.
    SampleTable(DaoDatabase &database, QString table, QStringList tagnames);

    // Creates the table with its columns (values of valueType) and the index on the
    // time stamp; DaoException when the engine refuses.
    void create(DaoFieldType valueType);
    // Prepares the insert of one record; DaoException when the table lacks a column.
    void prepare();
    // Writes rows in one transaction that takes the file's write lock first: all of them
    // or, after a DaoException (the file locked past the busy timeout, a full disk),
    // none.
    void insert(const std::deque<SampleRow> &rows);

private:
    void insertOne(const SampleRow &row);

    DaoDatabase &m_database;
    QString m_table;
    QStringList m_tagnames;
    QSqlQuery m_insert;
};

}  // namespace tk70
