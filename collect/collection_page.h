// The group page of the collection settings, without widgets: what its controls hold,
// how a group is loaded into it and stored back, how its date and time entries are
// checked and rewritten, what the file name becomes when a group is enabled or its type
// changes, and which link buttons stand for the document's port and baud-rate indexes.
#pragma once

#include "tags/collection_group.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tk70 {

class TagTable;

// The four date and time entries of the page, in the order they are checked.
enum class DateTimeField { StartDate, StartTime, EndDate, EndTime };
inline constexpr int kDateTimeFieldCount = 4;

// The contents of the page's controls.
struct CollectionPage {
    QString fileName;
    qint32 sampleTime = 0;
    QString saveInhibitTag;
    bool appendFile = false;
    qint32 rolloverHours = 0;
    std::array<QString, kDateTimeFieldCount> dateTimes;
    QString fileType;  // empty when the type list has no selection
    bool enabled = false;
};

CollectionPage pageOfGroup(const CollectionGroup &group);
// Copies the page into the group; an empty file type keeps the group's type.
void storePage(const CollectionPage &page, CollectionGroup &group);

// An entry rewritten in its normal form (the locale's short date, or "%H:%M"), empty for
// an empty entry, or nothing when the entry is no date (no time) in QLocale().
std::optional<QString> normalDateTimeEntry(DateTimeField field, const QString &text);
// "Illegal Start Date.\n\nInvalid Date Removed." and its three companions.
QString illegalDateTimeMessage(DateTimeField field);

// The name after the group is enabled: the default name of the group and type when the
// name is empty, else the name as it is.  groupNumber is 1 to 4.
QString fileNameWhenEnabled(const QString &name, int groupNumber, const QString &fileType);
// What the page keeps of a group's names while its type changes: the last file name and
// the last connection string (a name with "=" or "://"), so that stepping through the
// type list loses neither.
struct KeptNames {
    QString file;
    QString connection;
};
// The name after the file type changes, name being the one shown: for a file type the
// last file name with its extension switched to the type's, for the historian the last
// connection string; the type's default when there was none.
QString fileNameForType(const QString &name, int groupNumber, const QString &fileType, KeptNames &kept);

// The five file types in the order of the type list.
QStringList fileTypeChoices();
// Which of the page's file controls mean anything for a type: the historian has no file
// to append to, replace or roll over.
struct FileOptions {
    bool append = true;
    bool rollover = true;
    bool stationName = false;  // the station's name goes with every sample
};
FileOptions fileOptionsOf(const QString &fileType);
// The entry of the type list that shows fileType: a text type itself, the database
// entry for any other text (such as "MS Access (*.mdb)" from an older TSF).
QString fileTypeChoiceOf(const QString &fileType);
// The tag names of the list in the order of the save inhibit list.
QStringList saveInhibitChoices(const TagTable &tags);
// "0", "1", "4", ... "24", in this order.
QStringList rolloverChoices();

// The button showing a stored serial port index: 0 for COM 1, 1 for COM 2.
int comPortButton(qint32 serialPortIndex);
// The button showing a stored baud-rate index (the buttons follow kBaudRates): the
// position of the rate it stands for.
int baudRateButton(qint32 baudRateIndex);

}  // namespace tk70
