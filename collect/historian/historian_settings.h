// The program-wide choices of the historian output: the station's name sent with every
// row, the folder of the spools and their bound.  The program hands them over when it
// loads its settings; every historian output made afterwards uses them.
#pragma once

#include <QString>

namespace tk70 {

struct HistorianSettings {
    QString stationName;  // empty: the host's name
    QString spoolFolder;  // empty: beside the program's settings
    qint64 spoolLimitBytes = qint64(1) << 30;
};

// The settings the next historian output takes.
HistorianSettings currentHistorianSettings();
void setCurrentHistorianSettings(const HistorianSettings &settings);

// The station name settings stand for: their own, or the host's name.
QString effectiveStationName(const HistorianSettings &settings);

}  // namespace tk70
