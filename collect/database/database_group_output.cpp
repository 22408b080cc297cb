// The database output: claiming and opening the file, its tables, the samples that wait
// for it and the close.
#include "collect/database/database_group_output.h"

#include "collect/database/database_engine.h"
#include "collect/database/sample_table.h"
#include "collect/database/tag_info_table.h"
#include "platform/dao/dao_database.h"
#include "platform/dao/dao_exception.h"

#include <QFileInfo>

namespace tk70 {
namespace {

const char *const kStampFormat = "yyyy-MM-dd HH:mm:ss";

QStringList tagnamesOf(const std::vector<DataColumn> &columns)
{
    QStringList names;
    for (const DataColumn &column : columns)
        names << column.tagname;
    return names;
}

}  // namespace

DatabaseGroupOutput::DatabaseGroupOutput(DatabaseSettings settings, std::size_t waitLimit)
    : m_settings(std::move(settings)), m_waiting(waitLimit)
{
}

DatabaseGroupOutput::~DatabaseGroupOutput() { close(); }

std::unique_ptr<GroupOutput> makeDatabaseGroupOutput(const DatabaseSettings &settings)
{
    return std::make_unique<DatabaseGroupOutput>(settings);
}

bool DatabaseGroupOutput::isOpen() const { return m_database && m_database->isOpen(); }

SampleCounts DatabaseGroupOutput::counts() const
{
    SampleCounts counts = m_counts;
    counts.waiting = qint64(m_waiting.size());
    counts.lost += m_waiting.dropped();
    return counts;
}

Message DatabaseGroupOutput::overwriteQuestion(const QString &path) const
{
    return fileExistsQuestion(path, QLatin1String(kTitleProgram));
}

OpenResult DatabaseGroupOutput::open(const QString &path, bool append, OverwritePolicy policy)
{
    close();
    m_path = path;
    m_reportFailures = policy != OverwritePolicy::Retry;
    m_writeErrorShown = m_dropShown = false;
    OpenResult result;
    try {
        m_database = std::make_unique<DaoDatabase>();
        result = openFile(append, policy);
    } catch (const std::bad_alloc &) {
        report(QStringLiteral("Unable to Allocate Data Access Database Object.\nCollection can not Contine."),
               MessageIcon::Stop);
    } catch (const DaoException &error) {
        reportDaoError(error, MessageIcon::None);
    } catch (const std::exception &) {
        report(QStringLiteral("Invalid Exception Object during Database Creation."), MessageIcon::Stop);
    } catch (...) {
        report(QStringLiteral("Invalid Exception during Database Creation."), MessageIcon::Stop);
    }
    if (!result)
        abandon();
    return result;
}

// Claims the file, then opens it: a new (or empty) file is made a database whose tables
// the header creates; one with data is appended to, or replaced after the question.
OpenResult DatabaseGroupOutput::openFile(bool append, OverwritePolicy policy)
{
    using Outcome = OpenResult::Outcome;
    if (!claimFile())
        return {Outcome::Failed};
    m_madeFile = m_lock.createdFile();
    if (!m_madeFile && !append) {
        if (policy == OverwritePolicy::Ask && Messages::show(overwriteQuestion(m_path)) != MessageAnswer::Yes)
            return {Outcome::Declined};
        if (!replaceExisting())
            return {Outcome::Failed};
    }
    m_created = QFileInfo(m_path).size() == 0;
    m_database->open(m_path);
    return {Outcome::Opened};
}

bool DatabaseGroupOutput::claimFile()
{
    switch (m_lock.acquire(m_path)) {
    case OutputLock::Result::Locked: return true;
    case OutputLock::Result::Held: report(outputHeldMessage(m_path), MessageIcon::Stop); break;
    case OutputLock::Result::Failed:
        report(QStringLiteral("Can't Open Access Database file %1:\n%2.").arg(m_path, m_lock.errorText()),
               MessageIcon::Stop);
        break;
    }
    return false;
}

// Empties the claimed file and removes its logs, which would otherwise be read back
// into the new database.
bool DatabaseGroupOutput::replaceExisting()
{
    DaoDatabase::removeLogFiles(m_path);
    if (m_lock.truncate())
        return true;
    report(QStringLiteral("Can't Overwrite Access Database.\n File %1.").arg(m_path), MessageIcon::Stop);
    return false;
}

bool DatabaseGroupOutput::writeHeader(const HeaderFacts &, const std::vector<DataColumn> &columns)
{
    if (!isOpen())
        return false;
    try {
        if (tablesReady(columns) && startSampling(columns))
            return true;
    } catch (const DaoException &error) {
        reportDaoError(error, MessageIcon::None);
    }
    abandon();
    return false;
}

// The tables of a new file, made in one transaction, or the check of the tag
// information table of a file appended to; false after the refusal's message.
bool DatabaseGroupOutput::tablesReady(const std::vector<DataColumn> &columns)
{
    if (m_created)
        return createTables(columns);
    if (tagInfoTableMatches(*m_database, m_settings.tagInfoTableName, columns))
        return true;
    report(QStringLiteral("Tag Selection Changed.\nCan't append to Access Database file %1.").arg(m_path),
           MessageIcon::Stop);
    return false;
}

// The data values table, then the tag information table, in one transaction: a new file
// holds both or neither.  A failing tag information table is reported with the file's
// name and refuses the open.
bool DatabaseGroupOutput::createTables(const std::vector<DataColumn> &columns)
{
    m_database->beginTrans();
    try {
        SampleTable(*m_database, m_settings.dataTableName, tagnamesOf(columns))
            .create(m_settings.doublePrecision ? DaoFieldType::Double : DaoFieldType::Single);
    } catch (...) {
        m_database->rollback();
        throw;
    }
    try {
        writeTagInfoTable(*m_database, m_settings.tagInfoTableName, columns);
    } catch (const DaoException &error) {
        m_database->rollback();
        reportDaoError(error, MessageIcon::Stop);
        report(QStringLiteral("Error Creating Tag List Table in Access\n Database file %1.").arg(m_path),
               MessageIcon::Stop);
        return false;
    }
    m_database->commitTrans();
    return true;
}

// Prepares the insert and shortens the wait for another program's lock: from here on a
// write that finds the file locked fails at once and its samples wait.
bool DatabaseGroupOutput::startSampling(const std::vector<DataColumn> &columns)
{
    m_table = std::make_unique<SampleTable>(*m_database, m_settings.dataTableName, tagnamesOf(columns));
    m_table->prepare();
    m_database->setBusyTimeout(kSampleBusyTimeoutMs);
    m_lastCheckpoint = QDateTime();
    return true;
}

double DatabaseGroupOutput::storedValue(const PointReading &reading, const DatabaseSettings &settings)
{
    double value = reading.value;
    if (reading.errorCode > 0) {
        if (settings.markPointErrors)
            value = settings.pointErrorValue;
    } else if (reading.badQuality && settings.markBadQuality) {
        value = settings.badQualityValue;
    }
    return settings.doublePrecision ? value : double(float(value));
}

// One record: the time stamp and every member tag's value.  A record without any tag
// field is dropped.  It is written behind the samples that wait, if the file takes
// them now; a checkpoint follows once a minute.
void DatabaseGroupOutput::writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                                      const PointReadings &readings)
{
    if (!m_table || columns.empty())
        return;
    keep(stamp, columns, readings);
    writeWaiting();
    if (m_waiting.empty() && (!m_lastCheckpoint.isValid() || m_lastCheckpoint > stamp ||
                              m_lastCheckpoint.secsTo(stamp) >= kCheckpointSeconds))
        checkpointNow(stamp);
}

void DatabaseGroupOutput::keep(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                               const PointReadings &readings)
{
    SampleRow row{stamp.toString(QLatin1String(kStampFormat)), {}};
    row.values.reserve(columns.size());
    for (const DataColumn &column : columns)
        row.values.push_back(storedValue(readings.reading(column.position), m_settings));
    if (m_waiting.push(std::move(row)) && !m_dropShown) {
        m_dropShown = true;
        report(QStringLiteral("More than %1 Samples Wait for Access Database file %2.\nThe Oldest are Dropped "
                              "until it Takes them; the Count is in the Collection's Summary.")
                   .arg(m_waiting.limit())
                   .arg(m_path),
               MessageIcon::Stop);
    }
}

// Writes every waiting sample in one transaction.  A refusal (the file locked by
// another program, a full disk) keeps them all, in order, and is shown once per file.
void DatabaseGroupOutput::writeWaiting()
{
    if (!m_table || m_waiting.empty())
        return;
    try {
        m_table->insert(m_waiting.rows());
        m_counts.stored += qint64(m_waiting.size());
        m_waiting.removeOldest(m_waiting.size());
    } catch (const DaoException &error) {
        if (!m_writeErrorShown)
            report(QStringLiteral("Can't Write to Access Database file %1:\n%2\n\nCollection goes on; the samples "
                                  "wait and are written in order when the file takes them.")
                       .arg(m_path, error.description()),
                   MessageIcon::Stop);
        m_writeErrorShown = true;
    }
}

void DatabaseGroupOutput::checkpointNow(const QDateTime &stamp)
{
    m_database->checkpoint(false);
    m_lastCheckpoint = stamp;
}

void DatabaseGroupOutput::close()
{
    bool writable = true;
    if (m_table && !m_waiting.empty()) {
        try {
            m_database->setBusyTimeout(kCloseBusyTimeoutMs);
        } catch (const DaoException &) {
        }
        writeWaiting();
        writable = m_waiting.empty();
        giveUpWaiting();
    }
    m_table.reset();
    if (m_database && m_database->isOpen()) {
        if (writable)  // a file another program still locks would only make it wait again
            m_database->checkpoint(true);
        m_database->close();
    }
    discard();
}

void DatabaseGroupOutput::giveUpWaiting()
{
    if (m_waiting.empty())
        return;
    const auto lost = m_waiting.size();
    m_waiting.dropAll();
    report(QStringLiteral("%1 Samples Could Not be Written to Access Database file %2.").arg(lost).arg(m_path),
           MessageIcon::Stop);
}

// Forgets the database; the claim on the file goes after the engine has let it go, so
// that no descriptor of ours closes under the engine's own locks.
void DatabaseGroupOutput::discard()
{
    m_table.reset();
    m_database.reset();
    m_lock.release();
}

// A failed open: what it made is removed, so that no empty database breaks the next
// start.
void DatabaseGroupOutput::abandon()
{
    m_table.reset();
    m_database.reset();
    if (m_madeFile)
        DaoDatabase::removeFile(m_path);
    m_madeFile = false;
    m_lock.release();
}

void DatabaseGroupOutput::report(const QString &text, MessageIcon icon) const
{
    if (m_reportFailures)
        GroupOutput::report(text, QLatin1String(kTitleProgram), icon);
}

// The engine's own description; without error information the engine is missing.
void DatabaseGroupOutput::reportDaoError(const DaoException &error, MessageIcon icon) const
{
    if (!error.hasErrorInfo()) {
        if (m_reportFailures)
            reportMissingDatabaseEngine();
        return;
    }
    report(error.description(), icon);
}

}  // namespace tk70
