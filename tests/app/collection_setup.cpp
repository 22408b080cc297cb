// Shared set-up of the program's collection tests: see collection_setup.h.
#include "tests/app/collection_setup.h"

#include "ciusim/pty_server.h"
#include "driver/thread_control.h"
#include "driver/vantor.h"
#include "platform/registry/settings_store.h"
#include "tags/collection_group.h"
#include "tags/tag_doc.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tk70test {

using namespace tk70;

const std::array<SimTag, 3> kSimTags{{
    {"FT101", 101, 33.5, {1, 1, 1, 0}},
    {"TT102", 102, 1234.5, {1, 0, 1, 0}},
    {"PT103", 103, -7.25, {1, 1, 0, 0}},
}};

void setSimValues(ciusim::PtyServer &sim)
{
    for (const SimTag &tag : kSimTags)
        sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, tag.block}, tag.value, false);
}

namespace {

TagRecord simTag(int i)
{
    const SimTag &sim = kSimTags[size_t(i % 3)];
    TagRecord tag;
    tag.tagname = QString::fromLatin1(sim.name) + (i >= 3 ? QString::number(i) : QString());
    tag.loop = 1;
    tag.pcu = 2;
    tag.module = 3;
    tag.block = sim.block;
    tag.pointType = 1;
    tag.groups = i < 3 ? sim.groups : std::array<qint32, 4>{1, 0, 0, 0};
    return tag;
}

}  // namespace

QString writeSelection(const QTemporaryDir &dir, int tagCount)
{
    CTagDoc doc;
    doc.newDocument();
    for (int i = 0; i < tagCount; ++i)
        doc.setTag(i, simTag(i));
    doc.tags().setCount(tagCount);
    const char *types[] = {kFileTypeAscii, kFileTypeCsv, kFileTypeDos};
    const char *names[] = {"plant.txt", "plant.csv", "plant.DAT"};
    for (int g = 0; g < 3; ++g) {
        CollectionGroup &group = doc.group(g);
        group.enabled = 1;
        group.fileType = QString::fromLatin1(types[g]);
        group.fileName = dir.filePath(QString::fromLatin1(names[g]));
        group.sampleTime = 1;
    }
    const QString path = dir.filePath("plant.tsf");
    EXPECT_TRUE(doc.saveDocument(path));
    return path;
}

QString writeSelectionWithGroup4(const QTemporaryDir &dir, const char *fileType, const QString &fileName,
                                 int rolloverHours)
{
    const QString path = writeSelection(dir);
    CTagDoc doc;
    EXPECT_TRUE(doc.openDocument(path));
    for (int i = 0; i < doc.tagCount(); ++i) {
        TagRecord tag = doc.tag(i);
        tag.groups[3] = 1;
        doc.setTag(i, tag);
    }
    CollectionGroup &group = doc.group(3);
    group.enabled = 1;
    group.fileType = QString::fromLatin1(fileType);
    group.fileName = fileName;
    group.sampleTime = 1;
    group.rolloverHours = rolloverHours;
    EXPECT_TRUE(doc.saveDocument(path));
    return path;
}

void writeDriverSettings(SettingsStore &store, const QTemporaryDir &dir, const std::string &device)
{
    store.setDword(kDriverKey, "DtrPulse", 1);
    store.setDword(kDriverKey, "RestartDelay", 1);
    store.setDword(kDriverKey, "CommandPace", 10);
    store.setString(kDriverKey, "Com1Device", QString::fromStdString(device));
    store.setMultiString(kDriverKey, "LogFileName", dir.filePath("TK70Pro.LOG").toLocal8Bit() + '\0');
}

void SimulatedPlantTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(m_sim.start());
    setSimValues(m_sim);
    m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
    writeDriverSettings(*m_store, m_dir, m_sim.devicePath());
    vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
}

void SimulatedPlantTest::TearDown()
{
    m_sim.stop();
    CiuSetPortDevice(1, nullptr);
    vantor::setPhaseWaits(vantor::PhaseWaits{});
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> fileLines(const QString &path) { return fileBytes(path).split('\n'); }

}  // namespace tk70test
