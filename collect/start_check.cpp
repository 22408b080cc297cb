// Collection start checks and their messages.
#include "collect/start_check.h"

#include "collect/collection_run.h"
#include "collect/database/database_engine.h"
#include "collect/date_time_text.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <array>

namespace tk70 {
namespace {

QString groupFault(int number, const char *what)
{
    return QStringLiteral("Collection Group #%1 Contains %2.\n\nCan Not Continue!")
        .arg(number)
        .arg(QLatin1String(what));
}

bool badDate(const QString &text) { return !text.isEmpty() && !parseLocaleDate(text); }
bool badTime(const QString &text) { return !text.isEmpty() && !parseLocaleTime(text); }

// The data table's column that every database group writes beside its tags' columns.
const char *const kDateTimeColumn = "Date/Time";

char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

QString columnClashMessage(int number, const QString &first, const QString &second)
{
    return QStringLiteral("Collection Group #%1 Writes a Database in which the Tagnames\n%2 and %3 Would "
                          "Name One Column.\n\nCan Not Continue!")
        .arg(number)
        .arg(first, second);
}

// A database group's tags that would share a column with an earlier member or with the
// date column, named in tag-list order.  Text files have no column names to clash.
std::optional<QString> columnNameFault(const CTagDoc &doc, int index)
{
    const QString &fileType = doc.group(index).fileType;
    if (isTextFileType(fileType) || isHistorianFileType(fileType))
        return std::nullopt;
    const QString dateTime = QLatin1String(kDateTimeColumn);
    QStringList members;
    for (int i = 0; i < doc.tagCount(); ++i) {
        if (!doc.tags().record(i).belongsToGroup(index))
            continue;
        const QString &name = doc.tags().tagname(i);
        if (sameColumnName(name, dateTime))
            return columnClashMessage(index + 1, dateTime, name);
        for (const QString &earlier : members)
            if (sameColumnName(earlier, name))
                return columnClashMessage(index + 1, earlier, name);
        members.append(name);
    }
    return std::nullopt;
}

// The first fault among a group's own values, in the order the user is told of them.
std::optional<QString> groupValueFault(const CollectionGroup &group, int number)
{
    if (group.fileName.isEmpty())
        return groupFault(number, "a Blank Filename");
    if (group.sampleTime < 1)
        return groupFault(number, "an Illegal Sample Time");
    if (group.rolloverHours < 0)
        return groupFault(number, "an Illegal File Rollover Time");
    if (badDate(group.startDate))
        return groupFault(number, "an Illegal Start Date");
    if (badDate(group.endDate))
        return groupFault(number, "an Illegal End Date");
    if (badTime(group.startTime))
        return groupFault(number, "an Illegal Start Time");
    if (badTime(group.endTime))
        return groupFault(number, "an Illegal End Time");
    return std::nullopt;
}

std::optional<QString> groupSettingsFault(const CTagDoc &doc, int index)
{
    const CollectionGroup &group = doc.group(index);
    if (auto fault = groupValueFault(group, index + 1))
        return fault;
    if (auto fault = columnNameFault(doc, index))
        return fault;
    if (!isTextFileType(group.fileType) && !isHistorianFileType(group.fileType) && !databaseEngineAvailable())
        return databaseGroupWithoutEngineMessage(index + 1);
    return std::nullopt;
}

// The file a name opens, as one text for each file: absolute (a relative name is taken
// from the current directory, as the outputs open it) and clean.  Where the file or its
// directory exists, symbolic links are resolved, so a link and its target are one file.
QString fileIdentity(const QString &fileName)
{
    const QString clean = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    const QFileInfo info(clean);
    const QString file = info.canonicalFilePath();  // empty unless the file exists
    if (!file.isEmpty())
        return file;
    const QString directory = QFileInfo(info.path()).canonicalFilePath();
    if (!directory.isEmpty())
        return QDir::cleanPath(directory + u'/' + info.fileName());
    return clean;
}

// Two enabled groups that would write one file: the later one would replace the file
// the earlier one has just opened.  The configured names are compared, since a rollover
// suffix goes into equal names alike.  The lower group is named first, with its name.
std::optional<QString> sharedFileFault(const CTagDoc &doc)
{
    std::array<QString, kCollectionGroupCount> files;
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        // Groups naming one historian each keep a spool of their own.
        if (!doc.group(g).enabled || isHistorianFileType(doc.group(g).fileType))
            continue;
        files[size_t(g)] = fileIdentity(doc.group(g).fileName);
        for (int earlier = 0; earlier < g; ++earlier)
            if (!files[size_t(earlier)].isEmpty() && files[size_t(earlier)] == files[size_t(g)])
                return QStringLiteral("Collection Groups #%1 and #%2 Both Write the File\n%3.\n\nCan Not Continue!")
                    .arg(earlier + 1)
                    .arg(g + 1)
                    .arg(doc.group(earlier).fileName);
    }
    return std::nullopt;
}

std::optional<QString> graphFault(const CTagDoc &doc, const TrendGraph &graph, int number)
{
    if (!graph.sampleIntervalUsable())
        return QStringLiteral("Trend Graph #%1 Contains an Illegal Sample Interval.\n\nCan Not Continue!").arg(number);
    for (int t = 0; t < graph.tracesInUse(); ++t) {
        const TrendTrace &trace = graph.traces.at(t);
        if (doc.tags().find(trace.tagname) < 0)
            return QStringLiteral("Trend Graph #%1 Contains an Non Existing Trace.\nTagname=%2\n\nCan Not Continue!")
                .arg(number)
                .arg(trace.tagname);
        if (trace.span == 0.0)
            return QStringLiteral(
                       "Trend Graph #%1 Contains an Illegal Trace Span Value\nfor Tagname %2.\n\nCan Not Continue!")
                .arg(number)
                .arg(trace.tagname);
    }
    return std::nullopt;
}

}  // namespace

bool sameColumnName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiLower(a.at(i).unicode()) != asciiLower(b.at(i).unicode()))
            return false;
    return true;
}

std::optional<QString> firstTrendGraphFault(const CTagDoc &doc)
{
    for (int g = 0; g < TrendGraph::kGraphCount; ++g) {
        const TrendGraph &graph = doc.graph(g);
        if (graph.tracesInUse() < 1)
            continue;
        if (auto fault = graphFault(doc, graph, g + 1))
            return fault;
    }
    return std::nullopt;
}

std::optional<QString> firstCollectionSettingsFault(const CTagDoc &doc)
{
    if (doc.tagCount() == 0)
        return QStringLiteral("No Tags Defined in Tag List!\n\nCan Not Continue.");
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        if (!doc.group(g).enabled)
            continue;
        if (auto fault = groupSettingsFault(doc, g))
            return fault;
    }
    if (auto fault = sharedFileFault(doc))
        return fault;
    return firstTrendGraphFault(doc);
}

bool tagsInDisabledGroups(const CTagDoc &doc)
{
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        if (doc.group(g).enabled)
            continue;
        for (int i = 0; i < doc.tagCount(); ++i)
            if (doc.tags().record(i).belongsToGroup(g))
                return true;
    }
    return false;
}

bool checkCollectionSettings(const CTagDoc &doc, bool automaticStart)
{
    if (const auto fault = firstCollectionSettingsFault(doc)) {
        Messages::note(*fault, QLatin1String(kTitleError), MessageIcon::Stop);
        return false;
    }
    if (automaticStart || !tagsInDisabledGroups(doc))
        return true;
    return Messages::askYesNo(QStringLiteral("One or More Tags are Contained in a Collection Group\nthat is Not "
                                             "Enabled For Data Collection.\n\nWould You Like to Continue?"),
                              QLatin1String(kTitleWarning), MessageAnswer::Yes);
}

}  // namespace tk70
