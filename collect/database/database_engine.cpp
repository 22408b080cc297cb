// The database engine check and its messages.
#include "collect/database/database_engine.h"

#include "platform/dao/dao_database.h"
#include "platform/messages.h"

namespace tk70 {

bool databaseEngineAvailable() { return DaoDatabase::engineAvailable(); }

QString databaseEngineMissingMessage()
{
    return QStringLiteral("TK70 Pro has detected that this machine does\nnot have Qt's SQLite database driver "
                          "installed.\nProper operation of TK70 Pro requires that you install\nthe package "
                          "\"libqt6sql6-sqlite\" (apt-get install libqt6sql6-sqlite).\n\nPlease Exit the TK70 "
                          "Pro to complete the installation.");
}

void reportMissingDatabaseEngine()
{
    Messages::note(databaseEngineMissingMessage(), QLatin1String(kTitleProgram), MessageIcon::Information);
}

QString databaseGroupWithoutEngineMessage(int groupNumber)
{
    return QStringLiteral("Collection Group #%1 Writes an SQLite Database, but Qt's SQLite Driver\n(package "
                          "libqt6sql6-sqlite) is Not Installed.\n\nCan Not Continue!")
        .arg(groupNumber);
}

}  // namespace tk70
