// Settings of one collection group (which file, how often, inside which date/time
// window, rollover, append, save inhibit tag) and the serial link choice of the
// document: the serial port and baud-rate indexes and what they stand for.
#pragma once

#include <QString>
#include <array>

namespace tk70 {

// The data file types, compared as texts by every consumer.
inline const char *const kFileTypeAscii = "ASCII";
inline const char *const kFileTypeCsv = "CSV";
inline const char *const kFileTypeAccess = "MS Access (*.mdb)";
// The database type as the settings dialog offers it; every text other than the three
// text types (such as kFileTypeAccess from an older TSF) writes the same database.
inline const char *const kFileTypeDatabase = "SQLite Database (*.db)";
inline const char *const kFileTypeDos = "TK70 (DOS)";
// The central historian: the file name is a PostgreSQL connection string or service.
inline const char *const kFileTypeHistorian = "PostgreSQL Historian";

struct CollectionGroup {
    qint32 enabled = 0;  // 32-bit boolean, kept as stored
    QString fileName;
    QString fileType = QString::fromLatin1(kFileTypeAscii);
    qint32 sampleTime = 10;  // seconds
    QString startDate;
    QString startTime;
    QString endDate;
    QString endTime;
    qint32 rolloverHours = 0;  // 0: one file for the whole run
    qint32 appendFile = 0;     // 32-bit boolean, kept as stored
    QString saveInhibitTag;

    // The new-document settings of group index 0 to 3: group 1 is enabled and writes
    // "TK70CG1.txt"; the others are off with no file name.
    static CollectionGroup newGroup(int index);

    bool operator==(const CollectionGroup &) const = default;
};

// Serial link defaults of a new document.
inline constexpr qint32 kDefaultSerialPortIndex = 0;  // COM1
inline constexpr qint32 kDefaultBaudRateIndex = 1;    // 9600

// The driver's port number for a serial port index: 1 for index 0, else 2.
int comPortForIndex(qint32 serialPortIndex);
// The baud rates by baud-rate index.
inline constexpr std::array<int, 5> kBaudRates{19200, 9600, 4800, 2400, 1200};
// The baud rate for a baud-rate index: 0 19200, 1 9600, 2 4800, 3 2400, 4 1200, else 9600.
int baudRateForIndex(qint32 baudRateIndex);

}  // namespace tk70
