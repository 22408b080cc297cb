// Collection start checks and their messages.
#include "start_check.h"

#include "collection_run.h"
#include "database_engine.h"
#include "date_time_text.h"
#include "messages.h"
#include "tag_doc.h"

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

std::optional<QString> groupSettingsFault(const CollectionGroup &group, int number)
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
    if (!isTextFileType(group.fileType) && !databaseEngineAvailable())
        return databaseGroupWithoutEngineMessage(number);
    return std::nullopt;
}

std::optional<QString> graphFault(const CTagDoc &doc, const TrendGraph &graph, int number)
{
    if (graph.sampleInterval < 1.0)
        return QStringLiteral("Trend Graph #%1 Contains an Illegal Sample Interval.\n\nCan Not Continue!")
            .arg(number);
    for (int t = 0; t < graph.tracesInUse(); ++t) {
        const TrendTrace &trace = graph.traces.at(t);
        if (doc.tags().find(trace.tagname) < 0)
            return QStringLiteral("Trend Graph #%1 Contains an Non Existing Trace.\nTagname=%2\n\nCan Not Continue!")
                .arg(number)
                .arg(trace.tagname);
        if (trace.span == 0.0)
            return QStringLiteral("Trend Graph #%1 Contains an Illegal Trace Span Value\nfor Tagname %2.\n\nCan Not Continue!")
                .arg(number)
                .arg(trace.tagname);
    }
    return std::nullopt;
}

}  // namespace

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
        const CollectionGroup &group = doc.group(g);
        if (!group.enabled)
            continue;
        if (auto fault = groupSettingsFault(group, g + 1))
            return fault;
    }
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
    const Message question{
        QStringLiteral("One or More Tags are Contained in a Collection Group\nthat is Not Enabled "
                       "For Data Collection.\n\nWould You Like to Continue?"),
        QLatin1String(kTitleWarning), MessageIcon::Question, MessageButtons::YesNo,
        MessageAnswer::Yes};
    return Messages::show(question) == MessageAnswer::Yes;
}

}  // namespace tk70
