// Reading a database file back in tests: see sqlite_rows.h.
#include "tests/collect/database/sqlite_rows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace tk70test {

QList<QStringList> sqliteRows(const QString &path, const QString &sql)
{
    QList<QStringList> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "reader");
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << qPrintable(sql) << ": " << qPrintable(query.lastError().text());
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i).toString();
            result << row;
        }
    }
    QSqlDatabase::removeDatabase("reader");
    return result;
}

QString sqliteValue(const QString &path, const QString &sql) { return sqliteRows(path, sql).value(0).value(0); }

}  // namespace tk70test
