// Collection run: group outputs, windows, save inhibit and rollover.
#include "collect/collection_run.h"

#include "collect/database/database_group_output.h"
#include "collect/datafile/text_layout.h"
#include "collect/date_time_text.h"
#include "collect/file_name_rules.h"
#include "collect/historian/historian_group_output.h"
#include "platform/messages.h"
#include "tags/collection_group.h"
#include "tags/tag_doc.h"

#include <QFileInfo>

namespace tk70 {

std::unique_ptr<GroupOutput> makeGroupOutput(const QString &fileType)
{
    if (isTextFileType(fileType))
        return makeTextGroupOutput(fileType);
    if (isHistorianFileType(fileType))
        return makeHistorianGroupOutput(currentHistorianSettings());
    return makeDatabaseGroupOutput(currentDatabaseSettings());
}

bool isTextFileType(const QString &fileType) { return makeTextLayout(fileType) != nullptr; }

bool isHistorianFileType(const QString &fileType) { return fileType == QLatin1String(kFileTypeHistorian); }

QString unwritableFileTypeMessage(int groupNumber, const QString &fileType, const QString &fileName)
{
    return QStringLiteral("Collection Group #%1 writes the file type \"%2\", which this version cannot "
                          "write.\n%3.")
        .arg(groupNumber)
        .arg(fileType, fileName);
}

CollectionRun::CollectionRun(const CTagDoc &doc, const PointReadings &readings, const Clock &clock,
                             OutputFactory factory)
    : m_doc(doc), m_readings(readings), m_clock(clock), m_factory(std::move(factory))
{
}

CollectionRun::~CollectionRun() { closeAll(); }

bool CollectionRun::groupTakesPart(int index) const { return m_doc.group(index).enabled != 0; }

int CollectionRun::samplePeriodMs(int index) const
{
    return int(std::min<qint64>(qint64(m_doc.group(index).sampleTime) * 1000, INT_MAX));
}

namespace {

// A historian keeps every sample in one place: it has no files to roll over.
bool rollsOver(const CollectionGroup &settings)
{
    return settings.rolloverHours != 0 && !isHistorianFileType(settings.fileType);
}

}  // namespace

QString CollectionRun::outputName(int index, const QDateTime &when) const
{
    const CollectionGroup &settings = m_doc.group(index);
    if (!rollsOver(settings))
        return settings.fileName;
    return insertRolloverSuffix(settings.fileName, rolloverSuffix(when));
}

bool CollectionRun::openOutputs(OverwritePolicy policy)
{
    const QDateTime now = m_clock.now();
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        m_groups[size_t(g)] = GroupRun{};
        if (!groupTakesPart(g))
            continue;
        if (!openGroup(g, now, policy)) {
            closeAll();
            return false;
        }
    }
    for (GroupRun &run : m_groups)
        if (run.output)
            run.output->setSampling(true);
    return true;
}

bool CollectionRun::openGroup(int index, const QDateTime &now, OverwritePolicy policy)
{
    GroupRun &run = m_groups[size_t(index)];
    const CollectionGroup &settings = m_doc.group(index);
    if (!settings.saveInhibitTag.isEmpty())
        run.inhibitTagPosition = m_doc.tags().find(settings.saveInhibitTag) + 1;
    if (rollsOver(settings))
        run.nextRollover = nextRolloverInstant(now, settings.rolloverHours);
    run.columns = memberColumns(index);
    run.output = m_factory(settings.fileType);
    if (!openOutput(index, outputName(index, now), policy) || !writeHeader(index, now))
        return false;
    run.fileOpen = true;
    return true;
}

// Opens the group's output as name, treating an existing file by policy; not opened
// after the open's message, or when the user declined to overwrite.
OpenResult CollectionRun::openOutput(int index, const QString &name, OverwritePolicy policy)
{
    GroupRun &run = m_groups[size_t(index)];
    const CollectionGroup &settings = m_doc.group(index);
    run.outputName = name;
    if (!run.output) {  // the start check refuses such a group; an output factory may still lack it
        Messages::note(unwritableFileTypeMessage(index + 1, settings.fileType, name),
                       QStringLiteral("TK70 Pro Data File Error"), MessageIcon::Stop);
        return {};
    }
    return run.output->open(name, settings.appendFile != 0, policy);
}

// The header step: the file header, then the window instants from the group's texts.
// False when the header could not be written (the output has reported and closed).
bool CollectionRun::writeHeader(int index, const QDateTime &now)
{
    GroupRun &run = m_groups[size_t(index)];
    const CollectionGroup &settings = m_doc.group(index);
    HeaderFacts facts{now, m_doc.pathName(), index + 1, QString()};
    if (run.inhibitTagPosition > 0)
        facts.inhibitTagName = m_doc.tags().tagname(run.inhibitTagPosition - 1);
    const bool written = run.output->writeHeader(facts, run.columns);
    run.windowEnd = windowEndInstant(settings.endDate, settings.endTime).value_or(openWindowEnd());
    run.windowStart = windowStartInstant(settings.startDate, settings.startTime).value_or(openWindowStart());
    return written;
}

std::vector<DataColumn> CollectionRun::memberColumns(int index) const
{
    std::vector<DataColumn> columns;
    for (int i = 0; i < m_doc.tagCount(); ++i) {
        const TagRecord tag = m_doc.tag(i);
        if (!tag.belongsToGroup(index))
            continue;
        DataColumn column{i, tag.tagname, tag.loop, tag.pcu, tag.module, tag.block, tag.pointType, {}, tag.description};
        for (int g = 0; g < kCollectionGroupCount; ++g)
            column.groups[size_t(g)] = tag.belongsToGroup(g);
        columns.push_back(column);
    }
    return columns;
}

CollectionRun::Tick CollectionRun::sampleTick(int index)
{
    GroupRun &run = m_groups.at(size_t(index));
    if (run.finished || !run.output)
        return Tick::StopTimer;
    const QDateTime now = m_clock.now();
    if (now > run.windowEnd) {
        closeGroup(index);
        run.finished = true;
        return Tick::StopTimer;
    }
    if (inhibited(run))
        return Tick::KeepRunning;
    if (rollsOver(m_doc.group(index)) && now >= run.nextRollover)
        rollOver(index, now);
    else if (run.reopenPending)
        startFile(index, now, run.outputName, OverwritePolicy::Retry);
    if (run.fileOpen && run.output->isOpen() && run.windowStart <= now) {
        run.output->writeSample(now, run.columns, m_readings);
        ++run.samplesTaken;
        takeCounts(run);
    }
    return Tick::KeepRunning;
}

void CollectionRun::writeWaiting()
{
    for (GroupRun &run : m_groups) {
        if (!run.output || !run.output->isOpen())
            continue;
        run.output->writeWaiting();
        takeCounts(run);
    }
}

void CollectionRun::takeCounts(GroupRun &run) { run.counts = run.output->counts(); }

bool CollectionRun::inhibited(const GroupRun &run) const
{
    const int p = run.inhibitTagPosition;
    return p >= 1 && p <= m_doc.tagCount() && m_readings.reading(p - 1).value == 0.0;
}

// Starts the next file: a new name with the suffix of now.  An existing file is
// treated by the group's own rules: appended to, or replaced after the question; what
// the start was allowed to replace without asking does not reach a rollover.  The
// question does not stop the group: the file open now takes the samples until it is
// answered, and after No until the next rollover.  The hour the local clock repeats
// names the open file once more: it goes on, its first pass kept.
void CollectionRun::rollOver(int index, const QDateTime &now)
{
    GroupRun &run = m_groups[size_t(index)];
    run.nextRollover = nextRolloverInstant(now, m_doc.group(index).rolloverHours);
    const QString name = outputName(index, now);
    if (name == run.outputName && run.output->isOpen())
        return;
    if (m_doc.group(index).appendFile == 0 && QFileInfo::exists(name))
        askToReplace(index, name);
    else
        switchFile(index, now, name, OverwritePolicy::Ask);
}

// Asks, without waiting, whether name may be replaced; one question per group at a time.
// The answer may come inside this call (a sink that cannot wait) or from the event loop.
void CollectionRun::askToReplace(int index, const QString &name)
{
    GroupRun &run = m_groups[size_t(index)];
    if (run.questionPending)
        return;
    run.questionPending = true;
    Messages::ask(run.output->overwriteQuestion(name),
                  [this, alive = std::weak_ptr<int>(m_alive), index, name](MessageAnswer answer) {
                      if (!alive.expired())
                          replaceAnswered(index, name, answer == MessageAnswer::Yes);
                  });
}

// Yes switches to the file asked about, unless the run has moved past it meanwhile
// (stopped, finished, or a later rollover's name).
void CollectionRun::replaceAnswered(int index, const QString &name, bool replace)
{
    GroupRun &run = m_groups[size_t(index)];
    run.questionPending = false;
    if (!replace || run.finished || !run.output)
        return;
    const QDateTime now = m_clock.now();
    if (outputName(index, now) == name)
        switchFile(index, now, name, OverwritePolicy::Overwrite);
}

void CollectionRun::switchFile(int index, const QDateTime &now, const QString &name, OverwritePolicy policy)
{
    GroupRun &run = m_groups[size_t(index)];
    run.output->close();
    takeCounts(run);
    startFile(index, now, name, policy);
}

// Opens name with its header at now.  A file that could not be opened or take its
// header is tried again at the next tick (quietly: its message has been shown once); a
// file the user would not have replaced waits for the next rollover instant.
void CollectionRun::startFile(int index, const QDateTime &now, const QString &name, OverwritePolicy policy)
{
    GroupRun &run = m_groups[size_t(index)];
    const OpenResult opened = openOutput(index, name, policy);
    run.reopenPending = opened.outcome == OpenResult::Outcome::Failed || (opened && !writeHeader(index, now));
}

void CollectionRun::closeGroup(int index)
{
    GroupRun &run = m_groups[size_t(index)];
    if (!run.output)
        return;
    run.output->close();
    takeCounts(run);
}

void CollectionRun::closeAll()
{
    for (int g = kCollectionGroupCount - 1; g >= 0; --g) {
        closeGroup(g);
        m_groups[size_t(g)].output.reset();
        m_groups[size_t(g)].fileOpen = false;
    }
}

}  // namespace tk70
