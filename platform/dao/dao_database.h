// A database file in the shape the collection output talks to: create (refused with
// code 3204 when the file exists), open, close, and the transactions a record set's
// writes run in.  SQLite through Qt Sql does the work; the file runs in write-ahead
// logging, so a process killed while writing loses at most the record being written
// and leaves a sound file behind.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tk70 {

class DaoDatabase {
public:
    DaoDatabase();
    ~DaoDatabase();
    DaoDatabase(const DaoDatabase &) = delete;
    DaoDatabase &operator=(const DaoDatabase &) = delete;

    // Whether the database engine (Qt's SQLite driver) can be loaded.
    static bool engineAvailable();
    // Removes a database file with its log files; false when the file stays.
    static bool removeFile(const QString &path);

    // Creates a new, empty database file; DaoException 3204 when path exists.
    void create(const QString &path);
    // Opens an existing database file for reading and writing.
    void open(const QString &path);
    // Closes the file; nothing happens when it is not open.
    void close();
    bool isOpen() const { return m_open; }
    const QString &path() const { return m_path; }

    // Runs one statement; DaoException with the engine's text when it fails.
    void execute(const QString &statement);
    void beginTrans();
    void commitTrans();
    void rollback();

    QSqlDatabase connection() const;

private:
    void connect(const QString &path);

    QString m_connectionName;
    QString m_path;
    bool m_open = false;
};

// Throws the engine's error as a DaoException.
[[noreturn]] void throwDaoError(const class QSqlError &error);

}  // namespace tk70
