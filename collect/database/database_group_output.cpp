// The database output: opening, tables, sample records and closing.
#include "database_group_output.h"

#include "dao_database.h"
#include "dao_exception.h"
#include "dao_recordset.h"
#include "dao_table_def.h"
#include "database_engine.h"
#include "tag_info_table.h"

namespace tk70 {
namespace {

const char *const kDateTimeField = "Date/Time";
const char *const kStampFormat = "yyyy-MM-dd HH:mm:ss";

bool overwriteConfirmed(const QString &path)
{
    const Message question{QStringLiteral("File %1 Already Exists\n\nDo you want to overwrite ?").arg(path),
                           QLatin1String(kTitleProgram), MessageIcon::Question, MessageButtons::YesNo,
                           MessageAnswer::No};
    return Messages::show(question) == MessageAnswer::Yes;
}

}  // namespace

DatabaseGroupOutput::DatabaseGroupOutput(DatabaseSettings settings) : m_settings(std::move(settings)) {}

DatabaseGroupOutput::~DatabaseGroupOutput() { discard(); }

std::unique_ptr<GroupOutput> makeDatabaseGroupOutput(const DatabaseSettings &settings)
{
    return std::make_unique<DatabaseGroupOutput>(settings);
}

bool DatabaseGroupOutput::isOpen() const { return m_database && m_database->isOpen(); }

OpenResult DatabaseGroupOutput::open(const QString &path, bool append, OverwritePolicy policy)
{
    close();
    m_path = path;
    m_reportFailures = policy != OverwritePolicy::Retry;
    m_sampleErrorShown = false;
    OpenResult result;
    try {
        m_database = std::make_unique<DaoDatabase>();
        result = openFile(append, policy);
    } catch (const std::bad_alloc &) {
        report(QStringLiteral("Unable to Allocate Data Access Database Object.\nCollection can not Contine."),
               MessageIcon::Stop);
    } catch (const DaoException &error) {
        reportDaoError(error, MessageIcon::Information);
    } catch (const std::exception &) {
        report(QStringLiteral("Invalid Exception Object during Database Creation."), MessageIcon::Stop);
    } catch (...) {
        report(QStringLiteral("Invalid Exception during Database Creation."), MessageIcon::Stop);
    }
    if (!result)
        discard();
    return result;
}

// Creates the file; one that exists is opened to append to, or replaced and created
// once more.
OpenResult DatabaseGroupOutput::openFile(bool append, OverwritePolicy policy)
{
    using Outcome = OpenResult::Outcome;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            m_database->create(m_path);
            m_created = true;
            return {Outcome::Opened};
        } catch (const DaoException &error) {
            if (error.code() != kDaoErrorDatabaseExists)
                throw;
        }
        if (append) {
            m_database->open(m_path);
            m_created = false;
            return {Outcome::Opened};
        }
        if (policy == OverwritePolicy::Ask && !overwriteConfirmed(m_path))
            return {Outcome::Declined};
        if (!replaceExisting())
            return {Outcome::Failed};
        policy = OverwritePolicy::Overwrite;
    }
    return {Outcome::Failed};
}

bool DatabaseGroupOutput::replaceExisting()
{
    if (DaoDatabase::removeFile(m_path))
        return true;
    report(QStringLiteral("Can't Overwrite Access Database.\n File %1.").arg(m_path), MessageIcon::Stop);
    return false;
}

bool DatabaseGroupOutput::writeHeader(const HeaderFacts &, const std::vector<DataColumn> &columns)
{
    if (!isOpen())
        return false;
    try {
        if (!tablesReady(columns)) {
            discard();
            return false;
        }
        m_records = std::make_unique<DaoRecordset>(*m_database, m_settings.dataTableName);
        m_records->open();
        return true;
    } catch (const DaoException &error) {
        reportDaoError(error, MessageIcon::Information);
    }
    discard();
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
        DaoTableDef data(*m_database, m_settings.dataTableName);
        data.createField(QLatin1String(kDateTimeField), DaoFieldType::DateTime);
        const DaoFieldType valueType = m_settings.doublePrecision ? DaoFieldType::Double : DaoFieldType::Single;
        for (const DataColumn &column : columns)
            data.createField(column.tagname, valueType);
        data.append();
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

// One record: the time stamp and every member tag's value, written in a transaction of
// its own.  A record without any tag field is dropped.  A record the engine refuses is
// reported once per file; the next samples are tried as usual.
void DatabaseGroupOutput::writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                                      const PointReadings &readings)
{
    if (!m_records)
        return;
    try {
        m_records->addNew();
        m_records->setField(0, stamp.toString(QLatin1String(kStampFormat)));
        for (size_t c = 0; c < columns.size(); ++c)
            m_records->setField(int(c + 1), storedValue(readings.reading(columns[c].position), m_settings));
        if (columns.empty())
            m_records->cancelUpdate();
        else
            m_records->update();
    } catch (const DaoException &error) {
        m_records->cancelUpdate();
        if (!m_sampleErrorShown)
            reportDaoError(error, MessageIcon::Stop);
        m_sampleErrorShown = true;
    }
}

void DatabaseGroupOutput::close()
{
    m_records.reset();
    if (m_database) {
        try {
            m_database->close();
        } catch (const DaoException &error) {
            reportDaoError(error, MessageIcon::Stop);
        }
    }
    discard();
}

void DatabaseGroupOutput::discard()
{
    m_records.reset();
    m_database.reset();
}

void DatabaseGroupOutput::report(const QString &text, MessageIcon icon) const
{
    if (m_reportFailures)
        Messages::note(text, QLatin1String(kTitleProgram), icon);
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
