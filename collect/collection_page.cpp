// The group page of the collection settings, without widgets: see collection_page.h.
#include "collect/collection_page.h"

#include "collect/date_time_text.h"
#include "collect/file_name_rules.h"
#include "tags/tag_table.h"

#include <algorithm>

namespace tk70 {

namespace {

bool isDateField(DateTimeField field) { return field == DateTimeField::StartDate || field == DateTimeField::EndDate; }

// A sorted list orders its items without regard to letter case.
QStringList sortedLikeAList(QStringList items)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return items;
}

}  // namespace

CollectionPage pageOfGroup(const CollectionGroup &group)
{
    CollectionPage page;
    page.fileName = group.fileName;
    page.sampleTime = group.sampleTime;
    page.saveInhibitTag = group.saveInhibitTag;
    page.rolloverHours = group.rolloverHours;
    page.appendFile = group.appendFile != 0;
    page.dateTimes = {group.startDate, group.startTime, group.endDate, group.endTime};
    page.fileType = group.fileType;
    page.enabled = group.enabled != 0;
    return page;
}

void storePage(const CollectionPage &page, CollectionGroup &group)
{
    group.fileName = page.fileName;
    group.sampleTime = page.sampleTime;
    group.saveInhibitTag = page.saveInhibitTag;
    group.appendFile = page.appendFile ? 1 : 0;
    group.rolloverHours = page.rolloverHours;
    group.startDate = page.dateTimes[0];
    group.startTime = page.dateTimes[1];
    group.endDate = page.dateTimes[2];
    group.endTime = page.dateTimes[3];
    if (!page.fileType.isEmpty())
        group.fileType = page.fileType;
    group.enabled = page.enabled ? 1 : 0;
}

std::optional<QString> normalDateTimeEntry(DateTimeField field, const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    if (isDateField(field)) {
        if (const auto date = parseLocaleDate(text))
            return normalDateText(*date);
    } else if (const auto time = parseLocaleTime(text)) {
        return normalTimeText(*time);
    }
    return std::nullopt;
}

QString illegalDateTimeMessage(DateTimeField field)
{
    switch (field) {
    case DateTimeField::StartDate: return QStringLiteral("Illegal Start Date.\n\nInvalid Date Removed.");
    case DateTimeField::StartTime: return QStringLiteral("Illegal Start Time.\n\nInvalid Time Removed.");
    case DateTimeField::EndDate: return QStringLiteral("Illegal End Date.\n\nInvalid Date Removed.");
    case DateTimeField::EndTime: return QStringLiteral("Illegal End Time.\n\nInvalid Time Removed.");
    }
    return {};
}

QString fileNameWhenEnabled(const QString &name, int groupNumber, const QString &fileType)
{
    return name.isEmpty() ? defaultDataFileName(groupNumber, fileType) : name;
}

QString fileNameForType(const QString &name, int groupNumber, const QString &fileType, KeptNames &kept)
{
    const bool connection = name.contains(QLatin1Char('=')) || name.contains(QLatin1String("://"));
    if (!name.isEmpty())
        (connection ? kept.connection : kept.file) = name;
    if (fileType == QLatin1String(kFileTypeHistorian))
        return kept.connection.isEmpty() ? defaultDataFileName(groupNumber, fileType) : kept.connection;
    if (kept.file.isEmpty())
        return defaultDataFileName(groupNumber, fileType);
    kept.file = switchDataFileExtension(kept.file, fileType);
    return kept.file;
}

QStringList fileTypeChoices()
{
    return sortedLikeAList({QString::fromLatin1(kFileTypeAscii), QString::fromLatin1(kFileTypeCsv),
                            QString::fromLatin1(kFileTypeDatabase), QString::fromLatin1(kFileTypeDos),
                            QString::fromLatin1(kFileTypeHistorian)});
}

FileOptions fileOptionsOf(const QString &fileType)
{
    const bool file = fileType != QLatin1String(kFileTypeHistorian);
    return {file, file, !file};
}

QString fileTypeChoiceOf(const QString &fileType)
{
    for (const char *text : {kFileTypeAscii, kFileTypeCsv, kFileTypeDos, kFileTypeHistorian})
        if (fileType == QLatin1String(text))
            return fileType;
    return QString::fromLatin1(kFileTypeDatabase);
}

QStringList saveInhibitChoices(const TagTable &tags)
{
    QStringList names;
    for (int slot = 0; slot < tags.count(); ++slot)
        if (!tags.tagname(slot).isEmpty())
            names << tags.tagname(slot);
    return sortedLikeAList(names);
}

QStringList rolloverChoices()
{
    return {QStringLiteral("0"),  QStringLiteral("1"),  QStringLiteral("4"),  QStringLiteral("8"),
            QStringLiteral("12"), QStringLiteral("16"), QStringLiteral("20"), QStringLiteral("24")};
}

int comPortButton(qint32 serialPortIndex) { return comPortForIndex(serialPortIndex) - 1; }

int baudRateButton(qint32 baudRateIndex)
{
    const auto rate = std::find(kBaudRates.begin(), kBaudRates.end(), baudRateForIndex(baudRateIndex));
    return static_cast<int>(rate - kBaudRates.begin());
}

}  // namespace tk70
