// A database file in the shape the collection output talks to: open (an empty file
// becomes a new database), close, the wait for another program's lock, checkpoints, and
// the transactions a record set's writes run in.  SQLite through Qt Sql does the work; the file runs in write-ahead
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
    // Removes the log files of a database file (what a new database in its place would
    // otherwise read back), leaving the file itself.
    static void removeLogFiles(const QString &path);

    // Opens the database file at path for reading and writing (a missing or empty file
    // becomes a new database); DaoException when the engine refuses it.
    void open(const QString &path);
    // Closes the file; nothing happens when it is not open.
    void close();
    bool isOpen() const { return m_open; }
    const QString &path() const { return m_path; }

    // Runs one statement; DaoException with the engine's text when it fails.
    void execute(const QString &statement);
    void beginTrans();
    // A transaction that takes the write lock at once: a file another program has
    // locked fails here, before anything is written.
    void beginWriteTrans();
    void commitTrans();
    void rollback();
    // How long a statement waits for another program's lock before it fails.
    void setBusyTimeout(int milliseconds);
    // Copies the log's committed pages into the file itself, so that a copy of the file
    // alone holds them; with truncate, waits for readers (up to the busy timeout) and
    // empties the log.  False when the engine refused (a reader kept it from finishing).
    bool checkpoint(bool truncate);

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
