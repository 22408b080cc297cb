// Reading a database file back as a test sees it: the rows of a query, each as its
// column texts, through a connection of its own that is closed again at once.
#pragma once

#include <QList>
#include <QStringList>

namespace tk70test {

// The rows sql answers on the file at path; a failing open or query fails the test.
QList<QStringList> sqliteRows(const QString &path, const QString &sql);
// The single value of a query that answers one (a count); empty when it answers none.
QString sqliteValue(const QString &path, const QString &sql);

}  // namespace tk70test
