// Data file names: default names, extension switching and the rollover suffix.
#include "collect/file_name_rules.h"

#include "tags/collection_group.h"

namespace tk70 {
namespace {

// The position of the extension's '.' in name, or -1 when the file part has none.
qsizetype extensionDot(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? dot : -1;
}

}  // namespace

QString dataFileExtension(const QString &fileType)
{
    if (fileType == QLatin1String(kFileTypeHistorian))
        return QString();
    if (fileType == QLatin1String(kFileTypeAscii))
        return QStringLiteral(".txt");
    if (fileType == QLatin1String(kFileTypeDos))
        return QStringLiteral(".DAT");
    if (fileType == QLatin1String(kFileTypeCsv))
        return QStringLiteral(".csv");
    return QStringLiteral(".db");
}

QString defaultDataFileName(int groupNumber, const QString &fileType)
{
    // A libpq service of the station's service file.
    if (fileType == QLatin1String(kFileTypeHistorian))
        return QStringLiteral("service=tk70");
    return QStringLiteral("TK70CG%1").arg(groupNumber) + dataFileExtension(fileType);
}

QString switchDataFileExtension(const QString &name, const QString &fileType)
{
    // A connection string's dots are a host's.
    if (fileType == QLatin1String(kFileTypeHistorian))
        return name;
    const qsizetype dot = extensionDot(name);
    if (dot < 0)
        return name;
    return name.left(dot) + dataFileExtension(fileType);
}

QString rolloverSuffix(const QDateTime &when)
{
    const QDateTime local = when.toLocalTime();
    const QDate day = local.date();
    return QString::asprintf("-%02d%02d%02d%02d", day.year() % 100, day.month(), day.day(), local.time().hour());
}

QString insertRolloverSuffix(const QString &name, const QString &suffix)
{
    const qsizetype dot = extensionDot(name);
    if (dot < 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

// Counted on UTC and cut back to the start of its local hour by the local minutes and
// seconds, so the result lies after when even in the hour the local clock repeats; a
// local hour made into a date and time again could name the first pass of that hour.
QDateTime nextRolloverInstant(const QDateTime &when, int hours)
{
    constexpr qint64 kHourMs = 3600 * 1000;
    const QDateTime later = when.toUTC().addSecs(qint64(hours) * 3600);
    return later.addMSecs(-(later.toLocalTime().time().msecsSinceStartOfDay() % kHourMs));
}

}  // namespace tk70
