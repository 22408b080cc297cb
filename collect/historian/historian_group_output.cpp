// HistorianGroupOutput: see historian_group_output.h.
#include "collect/historian/historian_group_output.h"

#include "platform/registry/settings_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <libpq-fe.h>

namespace tk70 {

namespace {

const char *const kTitle = "TK70 Pro Historian";

std::int64_t microsecondsOf(const QDateTime &stamp) { return std::int64_t(stamp.toMSecsSinceEpoch()) * 1000; }

std::string utf8(const QString &text) { return text.toUtf8().toStdString(); }

// The spools live beside the program's settings unless the settings name a folder.
QString spoolFolderOf(const HistorianSettings &settings)
{
    if (!settings.spoolFolder.isEmpty())
        return settings.spoolFolder;
    return QFileInfo(SettingsStore::defaultPath()).absolutePath();
}

QString addressOf(const DataColumn &column)
{
    return QStringLiteral("%1-%2-%3-%4")
        .arg(column.loop, 2, 10, QLatin1Char('0'))
        .arg(column.pcu, 2, 10, QLatin1Char('0'))
        .arg(column.module, 2, 10, QLatin1Char('0'))
        .arg(column.block, 4, 10, QLatin1Char('0'));
}

// The connection string as a message may show it: a password in it (which the open
// refuses) is masked.
QString shownConnection(QString conninfo)
{
    static const QRegularExpression keyword(QStringLiteral(R"((password\s*=\s*)('(?:[^'\\]|\\.)*'|\S+))"));
    static const QRegularExpression uri(QStringLiteral(R"((://[^:/@]*:)[^@]*@)"));
    conninfo.replace(keyword, QStringLiteral("\\1*****"));
    conninfo.replace(uri, QStringLiteral("\\1*****@"));
    return conninfo;
}

}  // namespace

QString connectionStringError(const QString &conninfo)
{
    if (conninfo.trimmed().isEmpty())
        return QStringLiteral("no connection string is given");
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    QString message;
    if (!options)
        message = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
    for (const PQconninfoOption *option = options; option && option->keyword; ++option) {
        if (qstrcmp(option->keyword, "password") == 0 && option->val && *option->val)
            message = QStringLiteral("a password may not be written here; libpq reads it from ~/.pgpass, "
                                     "PGPASSFILE or the service file");
    }
    PQconninfoFree(options);
    PQfreemem(error);
    return message;
}

QString historianStateText(const HistorianState &state)
{
    if (state.online)
        return QStringLiteral("historian: online, %1 waiting").arg(state.waiting);
    if (state.offlineSinceUs <= 0)
        return QStringLiteral("historian: connecting, %1 waiting").arg(state.waiting);
    const QDateTime since = QDateTime::fromMSecsSinceEpoch(state.offlineSinceUs / 1000).toLocalTime();
    return QStringLiteral("historian: offline since %1, %2 waiting")
        .arg(since.toString(QStringLiteral("HH:mm")))
        .arg(state.waiting);
}

HistorianGroupOutput::HistorianGroupOutput(HistorianSettings settings)
    : m_settings(std::move(settings)), m_station(utf8(effectiveStationName(m_settings)))
{
}

HistorianGroupOutput::~HistorianGroupOutput() { close(); }

QString HistorianGroupOutput::spoolPath(const QString &folder, const QString &conninfo, int groupNumber)
{
    const QByteArray digest = QCryptographicHash::hash(conninfo.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(folder).filePath(
        QStringLiteral("historian-g%1-%2.spool").arg(groupNumber).arg(QString::fromLatin1(digest.left(16))));
}

// The connection string is read here, without the network: a garbled one refuses the
// start with libpq's own words.
OpenResult HistorianGroupOutput::open(const QString &path, bool, OverwritePolicy)
{
    close();
    const QString error = connectionStringError(path);
    if (!error.isEmpty()) {
        report(QStringLiteral("The historian connection \"%1\" cannot be used:\n%2.").arg(shownConnection(path), error),
               QLatin1String(kTitle), MessageIcon::Stop);
        return {OpenResult::Outcome::Failed};
    }
    m_conninfo = path.trimmed();
    m_open = true;
    return {OpenResult::Outcome::Opened};
}

bool HistorianGroupOutput::claimSpool(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    switch (m_lock.acquire(path + QStringLiteral(".lock"))) {
    case OutputLock::Result::Locked: return true;
    case OutputLock::Result::Held: report(outputHeldMessage(path), QLatin1String(kTitle), MessageIcon::Stop); break;
    case OutputLock::Result::Failed:
        report(QStringLiteral("The historian spool %1 cannot be opened:\n%2.").arg(path, m_lock.errorText()),
               QLatin1String(kTitle), MessageIcon::Stop);
        break;
    }
    return false;
}

// The group's spool, the worker, and the tags of this start.
bool HistorianGroupOutput::writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns)
{
    const QString path = spoolPath(spoolFolderOf(m_settings), m_conninfo, facts.groupNumber);
    if (!m_open || !claimSpool(path)) {
        close();
        return false;
    }
    HistorianOptions options;
    options.conninfo = utf8(m_conninfo);
    options.spoolPath = utf8(path);
    options.spoolLimitBytes = m_settings.spoolLimitBytes;
    m_forwarder = std::make_unique<HistorianForwarder>(options);
    m_dropShown = m_refusalShown = false;
    m_groupNumber = facts.groupNumber;
    if (!m_forwarder->start()) {
        report(QString::fromStdString(m_forwarder->error()), QLatin1String(kTitle), MessageIcon::Stop);
        m_forwarder.reset();
        close();
        return false;
    }
    m_tags = std::make_shared<const std::vector<HistorianTag>>(tagsOf(columns, microsecondsOf(facts.startingDate)));
    m_forwarder->sendTags(*m_tags);
    return true;
}

std::vector<HistorianTag> HistorianGroupOutput::tagsOf(const std::vector<DataColumn> &columns, std::int64_t nowUs) const
{
    std::vector<HistorianTag> tags;
    for (const DataColumn &column : columns)
        tags.push_back({m_station, utf8(column.tagname), utf8(addressOf(column)), utf8(column.description),
                        column.pointType, nowUs});
    return tags;
}

void HistorianGroupOutput::writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                                       const PointReadings &readings)
{
    if (!m_forwarder || !m_open)
        return;
    HistorianTick tick{m_tags, std::int64_t(m_utc.msecsOf(stamp)) * 1000, {}};
    tick.values.reserve(columns.size());
    for (const DataColumn &column : columns) {
        const PointReading reading = readings.reading(column.position);
        const bool error = reading.errorCode > 0;
        tick.values.push_back(
            {error ? std::nullopt : std::optional(reading.value), reading.badQuality, error ? reading.errorCode : 0});
    }
    m_forwarder->add(std::move(tick));
}

// A lasting refusal needs someone at the server (a login, a database, a grant), so it is
// shown, once a start, in the server's words; an unreachable server only shows in the
// state.
void HistorianGroupOutput::writeWaiting()
{
    if (!m_forwarder)
        return;
    const HistorianState state = m_forwarder->state();
    if (!state.refusal.empty() && !m_refusalShown) {
        m_refusalShown = true;
        report(QStringLiteral("The historian server refused the samples of group %1:\n%2\n"
                              "They wait in the spool until the server takes them.")
                   .arg(m_groupNumber)
                   .arg(QString::fromStdString(state.refusal)),
               QLatin1String(kTitle), MessageIcon::Warning);
    }
    if (state.dropped == 0 || m_dropShown)
        return;
    m_dropShown = true;
    report(QStringLiteral("The historian spool is full: the oldest %1 samples were dropped to make room.\n"
                          "Samples are dropped until the server takes them again.")
               .arg(state.dropped),
           QLatin1String(kTitle), MessageIcon::Warning);
}

void HistorianGroupOutput::close()
{
    if (m_forwarder)
        m_forwarder->stop();
    m_lock.release();
    m_open = false;
}

QString HistorianGroupOutput::stateText() const { return m_forwarder ? historianStateText(state()) : QString(); }

HistorianState HistorianGroupOutput::state() const { return m_forwarder ? m_forwarder->state() : HistorianState{}; }

// The worker counts values; a sample is one value of each member tag.
SampleCounts HistorianGroupOutput::counts() const
{
    const HistorianState now = state();
    const qint64 perSample = m_tags && !m_tags->empty() ? qint64(m_tags->size()) : 1;
    return {now.forwarded / perSample, (now.waiting + perSample - 1) / perSample,
            (now.dropped + perSample - 1) / perSample};
}

Message HistorianGroupOutput::overwriteQuestion(const QString &path) const
{
    return fileExistsQuestion(path, QLatin1String(kTitle));
}

std::unique_ptr<GroupOutput> makeHistorianGroupOutput(const HistorianSettings &settings)
{
    return std::make_unique<HistorianGroupOutput>(settings);
}

}  // namespace tk70
