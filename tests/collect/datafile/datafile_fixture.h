// Shared ground of the data file tests: a five-tag list whose group writes three of the
// tags, two samples of readings, a temporary directory for the files, and a message
// recorder that answers the open's questions.
#pragma once

#include "collect/datafile/group_output.h"
#include "tests/support/message_recorder.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <vector>

// Byte arrays in test failures: as text between bars, one file line a line, with the
// line ends shown.
inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '|';
    for (const char c : bytes) {
        if (c == '\r')
            *out << "\\r";
        else if (c == '\n')
            *out << "\\n\n";
        else
            *out << c;
    }
    *out << '|';
}

namespace tk70test {

// Readings by tag position; a position without one reads 0.0 of good quality.
class ReadingTable : public tk70::PointReadings {
public:
    ReadingTable &set(int position, double value, bool badQuality = false);
    ReadingTable &setError(int position, int errorCode);
    tk70::PointReading reading(int position) const override;

private:
    std::map<int, tk70::PointReading> m_readings;
};

// Tags FIC101, TI_205 and FEEDWATER_FLOW at list positions 0, 2 and 4 of five.
std::vector<tk70::DataColumn> threeOfFiveColumns();
// count members "T1", "T2", ... at positions 0, 1, ... with two-digit address parts.
std::vector<tk70::DataColumn> numberedColumns(int count);
// Started 6 Dec 1996 14:27:05 from /home/op/plant.tsf, group 2.
tk70::HeaderFacts plantFacts(const QString &inhibitTagName = {});
// A time on 6 Dec 1996.
QDateTime onPlantDay(int hour, int minute, int second);
// The two samples of the whole-file tests, at 14:27:15 and 14:27:25.
ReadingTable firstSample();
ReadingTable secondSample();

QByteArray fileBytes(const QString &path);
// The file's lines without their "\r\n" ends.
QList<QByteArray> fileLines(const QString &path);

class DataFileTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A new output of fileType opened on name (replacing it without a question).
    std::unique_ptr<tk70::GroupOutput> openOutput(const QString &fileType, const QString &name, bool append = false);
    // The file of one open of fileType: the header and the two samples for the three of
    // five tags.  Returns its bytes.
    QByteArray writeTwoSamples(const QString &fileType, const QString &inhibitTagName = {});

    QTemporaryDir m_dir;
    MessageRecorder m_messages;
};

}  // namespace tk70test
