// Database files through Qt's SQLite driver.
#include "platform/dao/dao_database.h"

#include "platform/dao/dao_exception.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>

namespace tk70 {
namespace {

const char *const kDriver = "QSQLITE";

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tk70-dao-%1").arg(++counter);
}

}  // namespace

void throwDaoError(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt();
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw DaoException(code > 0 ? code : 3000, text);
}

DaoDatabase::DaoDatabase() : m_connectionName(nextConnectionName()) {}

DaoDatabase::~DaoDatabase() { close(); }

bool DaoDatabase::engineAvailable() { return QSqlDatabase::isDriverAvailable(QLatin1String(kDriver)); }

void DaoDatabase::removeLogFiles(const QString &path)
{
    for (const char *log : {"-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(log));
}

bool DaoDatabase::removeFile(const QString &path)
{
    removeLogFiles(path);
    return QFile::remove(path) || !QFileInfo::exists(path);
}

void DaoDatabase::open(const QString &path) { connect(path); }

// Opens the connection and switches the file to write-ahead logging, which also proves
// that an existing file is a database.  Normal synchronisation keeps every committed
// record across a killed process; only a power failure may lose the last few.
void DaoDatabase::connect(const QString &path)
{
    close();
    if (!engineAvailable())
        throw DaoException(kDaoErrorNoEngine, QString());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            const QSqlError error = db.lastError();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throwDaoError(error);
        }
    }
    m_open = true;
    m_path = path;
    try {
        execute(QStringLiteral("PRAGMA journal_mode=WAL"));
        execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } catch (const DaoException &) {
        close();
        throw;
    }
}

void DaoDatabase::close()
{
    if (!m_open)
        return;
    m_open = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase DaoDatabase::connection() const { return QSqlDatabase::database(m_connectionName, false); }

void DaoDatabase::execute(const QString &statement)
{
    QSqlQuery query(connection());
    if (!query.exec(statement))
        throwDaoError(query.lastError());
}

void DaoDatabase::beginTrans() { execute(QStringLiteral("BEGIN")); }
void DaoDatabase::beginWriteTrans() { execute(QStringLiteral("BEGIN IMMEDIATE")); }
void DaoDatabase::commitTrans() { execute(QStringLiteral("COMMIT")); }

void DaoDatabase::rollback()
{
    QSqlQuery query(connection());
    query.exec(QStringLiteral("ROLLBACK"));
}

void DaoDatabase::setBusyTimeout(int milliseconds)
{
    execute(QStringLiteral("PRAGMA busy_timeout=%1").arg(std::max(0, milliseconds)));
}

// The pragma answers one row: busy flag, log pages, pages copied.
bool DaoDatabase::checkpoint(bool truncate)
{
    QSqlQuery query(connection());
    if (!query.exec(truncate ? QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")
                             : QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")))
        return false;
    return query.next() && query.value(0).toInt() == 0;
}

}  // namespace tk70
