// The headless collector when the CIU's serial device is pulled out and plugged in again
// (a USB serial adapter unplugged): the connection leaves collection, the driver opens
// the device again by itself once it is back, and the data files receive good samples
// again, all without a restart of the program.
#include "app/headless/headless_collector.h"
#include "ciusim/pty_server.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "tests/app/collection_setup.h"
#include "tests/support/wait_for_events.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

using namespace tk70test;

constexpr int kDeadlineMs = 15000;
const QByteArray kGoodValues = "      33.5000       1234.500        -7.2500  \r";

class HeadlessReplugTest : public SimulatedPlantTest {
protected:
    // The simulator's device behind a link that stays where the driver looks.
    void SetUp() override
    {
        SimulatedPlantTest::SetUp();
        m_link = m_dir.filePath("ciu").toStdString();
        m_sim.stop();
        ASSERT_TRUE(m_sim.start(m_link)) << m_sim.errorText();
        writeDriverSettings(*m_store, m_dir, m_link);
        m_store->setDword(kDriverKey, "RestartInterval", 50);
    }

    // Waits until group 1 (ASCII) has written two more samples; false at the deadline.
    static bool twoMoreSamples(const CollectionRun &run)
    {
        const qint64 before = run.group(0).counts.stored;
        return tk70test::waitFor([&] { return run.group(0).counts.stored >= before + 2; }, kDeadlineMs);
    }

    // One letter per sample line of the ASCII file: g the simulator's good values, b
    // values marked bad, ? anything else.
    QByteArray sampleShape() const
    {
        const QList<QByteArray> lines = fileLines(m_dir.filePath("plant.txt"));
        QByteArray shape;
        for (qsizetype i = kFirstSampleLine; i + 1 < lines.size(); ++i)
            shape += lines[i].mid(20) == kGoodValues ? 'g' : lines[i].contains('*') ? 'b' : '?';
        return shape;
    }
    static constexpr qsizetype kFirstSampleLine = 7;

    std::string m_link;
};

}  // namespace

TEST_F(HeadlessReplugTest, CollectionResumesWhenTheDeviceIsPluggedBackIn)
{
    QString output;
    QTextStream out(&output);
    HeadlessCollector collector(*m_store, out);
    ASSERT_TRUE(collector.start(writeSelection(m_dir), false));
    const CCiuDriver &driver = collector.driver();
    ASSERT_TRUE(tk70test::waitFor([&] { return driver.connectionState() == 5; }, kDeadlineMs));
    const CollectionRun *run = collector.collection().run();
    ASSERT_NE(run, nullptr);
    ASSERT_TRUE(twoMoreSamples(*run));

    ASSERT_TRUE(m_sim.unplugDevice());
    ASSERT_TRUE(tk70test::waitFor([&] { return driver.connectionState() != 5; }, kDeadlineMs));
    ASSERT_TRUE(twoMoreSamples(*run));  // the groups go on sampling while the device is away

    ASSERT_TRUE(m_sim.replugDevice()) << m_sim.errorText();
    ASSERT_TRUE(tk70test::waitFor([&] { return driver.connectionState() == 5; }, kDeadlineMs));
    ASSERT_TRUE(twoMoreSamples(*run));
    collector.stop();

    // The file, closed now, holds good samples, then samples marked bad while the device
    // was away, then good samples again.
    const QByteArray shape = sampleShape();
    EXPECT_TRUE(QRegularExpression("g+b+g+$").match(QString::fromLatin1(shape)).hasMatch()) << shape.constData();
    EXPECT_TRUE(output.contains("CIU: Collection In-Progress")) << qPrintable(output);
}
