// The collection run of the four groups while collection runs: opening every enabled
// group's output with its header, and the decisions of each sample tick — the
// collection window, the save inhibit tag and the file rollover.  Widget-free: the
// program's timers (or a test) call it, and "now" comes from the given clock.
#pragma once

#include "collect/datafile/group_output.h"
#include "core/clock.h"
#include "tags/tag_record.h"

#include <QDateTime>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace tk70 {

class CTagDoc;

// The run-time state of one group, never saved.
struct GroupRun {
    QDateTime windowStart;
    QDateTime windowEnd;
    QDateTime nextRollover;
    int inhibitTagPosition = 0;    // 1-based position of the save inhibit tag; 0 none
    bool fileOpen = false;         // the output was opened by the start
    bool reopenPending = false;    // the last rollover's file did not open: tried at each tick
    bool questionPending = false;  // a rollover asks whether to replace its file
    bool finished = false;         // past the window end: output closed, no more ticks
    QString outputName;            // the name of the file opened last
    qint64 samplesTaken = 0;       // samples handed to the output, over every file of the run
    SampleCounts counts;           // what the output made of them: stored, waiting, lost
    std::unique_ptr<GroupOutput> output;
    std::vector<DataColumn> columns;
};

// Makes the output of a file type; nullptr when the type has no output here.
using OutputFactory = std::function<std::unique_ptr<GroupOutput>(const QString &fileType)>;

// The output of a file type: a text file for "ASCII", "CSV" and "TK70 (DOS)", the
// historian (with the current historian settings) for "PostgreSQL Historian", the
// database output (with the current database settings) for any other text.
std::unique_ptr<GroupOutput> makeGroupOutput(const QString &fileType);
// Whether fileType is one of the three text types.
bool isTextFileType(const QString &fileType);
// Whether fileType is the central historian, whose file name is a connection string.
bool isHistorianFileType(const QString &fileType);
// The refusal of group groupNumber (1 to 4) whose output could not be made, naming the
// type and the file.
QString unwritableFileTypeMessage(int groupNumber, const QString &fileType, const QString &fileName);

class CollectionRun {
public:
    // What a sample tick asks of its timer.
    enum class Tick { KeepRunning, StopTimer };

    CollectionRun(const CTagDoc &doc, const PointReadings &readings, const Clock &clock,
                  OutputFactory factory = makeGroupOutput);
    ~CollectionRun();

    // Opens the output of every enabled group, in group order, and writes its header with
    // the same starting time for all; policy treats the files that exist already (the
    // rollovers of the run ask as usual).  On the first failure the groups already opened
    // are closed in descending order and false is returned.
    bool openOutputs(OverwritePolicy policy);
    // One sample of group (0 to 3).
    Tick sampleTick(int group);
    // Lets every output write the samples that wait for its file (between samples).
    void writeWaiting();
    // Closes every open output (descending group order) and forgets them.
    void closeAll();

    const GroupRun &group(int index) const { return m_groups.at(size_t(index)); }
    // The groups whose timers run: enabled ones, with their sample period.
    bool groupTakesPart(int index) const;
    int samplePeriodMs(int index) const;

private:
    // The output name of a group opened at when: the file name, with the rollover suffix
    // of when when the group rolls over.
    QString outputName(int index, const QDateTime &when) const;
    bool openGroup(int index, const QDateTime &now, OverwritePolicy policy);
    OpenResult openOutput(int index, const QString &name, OverwritePolicy policy);
    bool writeHeader(int index, const QDateTime &now);
    void rollOver(int index, const QDateTime &now);
    void askToReplace(int index, const QString &name);
    void replaceAnswered(int index, const QString &name, bool replace);
    void switchFile(int index, const QDateTime &now, const QString &name, OverwritePolicy policy);
    void startFile(int index, const QDateTime &now, const QString &name, OverwritePolicy policy);
    bool inhibited(const GroupRun &run) const;
    void closeGroup(int index);
    void takeCounts(GroupRun &run);
    std::vector<DataColumn> memberColumns(int index) const;

    const CTagDoc &m_doc;
    const PointReadings &m_readings;
    const Clock &m_clock;
    OutputFactory m_factory;
    std::array<GroupRun, kCollectionGroupCount> m_groups;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // answers to questions check it
};

}  // namespace tk70
