// What the collection tests of the program share: a small tag selection on the CIU
// simulator's points, and driver settings that connect quickly to the simulator.
#pragma once

#include "ciusim/pty_server.h"
#include "platform/registry/settings_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tk70test {

struct SimTag {
    const char *name;
    int block;
    double value;
    std::array<qint32, 4> groups;
};

// FT101, TT102 and PT103 at 01-02-03-0101 to -0103.
extern const std::array<SimTag, 3> kSimTags;

// Fixes the simulator's values of the three tags.
void setSimValues(ciusim::PtyServer &sim);

// A tag selection in dir with tagCount tags (the three above, then more in group 1 only)
// and groups 1 ASCII, 2 CSV and 3 TK70 (DOS) sampling every second into plant.txt,
// plant.csv and plant.DAT; returns the file's path.
QString writeSelection(const QTemporaryDir &dir, int tagCount = 3);
// The same selection with every tag also in group 4, which writes fileType to fileName
// every second (rolling over after rolloverHours when not 0); returns the file's path.
QString writeSelectionWithGroup4(const QTemporaryDir &dir, const char *fileType, const QString &fileName,
                                 int rolloverHours = 0);

// Quick driver timing, the driver log in dir and COM1 on device.
void writeDriverSettings(tk70::SettingsStore &store, const QTemporaryDir &dir, const std::string &device);

// A temporary folder, the simulator serving the three tags, and a settings store in the
// folder whose driver settings reach the simulator quickly; the driver's fixed phase
// waits are shortened for the tests' own process.
class SimulatedPlantTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QTemporaryDir m_dir;
    ciusim::PtyServer m_sim;
    std::unique_ptr<tk70::SettingsStore> m_store;
};

QByteArray fileBytes(const QString &path);
QList<QByteArray> fileLines(const QString &path);

}  // namespace tk70test
