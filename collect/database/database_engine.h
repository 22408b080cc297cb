// Whether the database engine can be used: Qt's SQLite driver, which the package
// libqt6sql6-sqlite installs, and the message that names what is missing.
#pragma once

#include <QString>

namespace tk70 {

bool databaseEngineAvailable();
// The information message shown when the engine is missing.
QString databaseEngineMissingMessage();
// Shows that message (information icon).
void reportMissingDatabaseEngine();
// The refusal of a start whose group groupNumber (1 to 4) writes a database while the
// engine is missing.
QString databaseGroupWithoutEngineMessage(int groupNumber);

}  // namespace tk70
