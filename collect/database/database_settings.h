// The program-wide choices of the database output: table names, numeric precision and
// the substitutes for point errors and bad-quality values.  The program hands them over
// when it loads its settings and after the database options change; every database
// output made afterwards writes with them.
#pragma once

#include <QString>

namespace tk70 {

struct DatabaseSettings {
    bool doublePrecision = true;
    QString tagInfoTableName = QStringLiteral("TK70TagInfo");
    QString dataTableName = QStringLiteral("TK70Data");
    bool markPointErrors = true;
    bool markBadQuality = true;
    double pointErrorValue = -9999999.99;
    double badQualityValue = -9999999.99;
};

// The settings the next database output takes.
DatabaseSettings currentDatabaseSettings();
void setCurrentDatabaseSettings(const DatabaseSettings &settings);

}  // namespace tk70
