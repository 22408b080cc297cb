// The About box and its figures: the version formats, the memory and disk texts, the
// mount point found in mountinfo text, "Unavailable", and the two buttons.
#include "app/settings/system_figures.h"
#include "app/view/dialogs/about_box.h"
#include "tests/support/modal_helper.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tk70;

TEST(VersionText, FourOrFiveWideWithTwoDecimalsAndTheSuffix)
{
    EXPECT_EQ(versionText(1.02, QString()), "Version 1.02");
    EXPECT_EQ(programVersionText(), "Version 1.02");
    EXPECT_EQ(versionText(1.5, QStringLiteral("b")), "Version 1.50b");
    EXPECT_EQ(versionText(9.994, QString()), "Version 9.99");
    EXPECT_EQ(versionText(10.0, QString()), "Version 10.00");
    EXPECT_EQ(versionText(123.456, QStringLiteral(" beta")), "Version 123.46 beta");
    EXPECT_EQ(versionText(0.5, QString()), "Version 0.50");
}

TEST(MemoryText, KilobytesFromMeminfo)
{
    EXPECT_EQ(memoryText(16318976ul), "16318976 KB");
    EXPECT_EQ(memoryText(0), "0 KB");
    EXPECT_EQ(parseMemTotalKb("MemFree:  12 kB\nMemTotal:       16318976 kB\nBuffers: 1 kB\n"), 16318976ul);
    EXPECT_EQ(parseMemTotalKb("MemFree:  12 kB\n"), std::nullopt);
    EXPECT_EQ(parseMemTotalKb("MemTotal: lots kB\n"), std::nullopt);
    EXPECT_EQ(parseMemTotalKb("MemTotal: 12 MB\n"), std::nullopt);
    auto total = totalPhysicalMemoryKb();
    ASSERT_TRUE(total.has_value());
    EXPECT_GT(*total, 1024ul);
}

TEST(DiskSpaceText, MegabytesOnTheMountPointOrUnavailable)
{
    EXPECT_EQ(diskSpaceText(DiskSpace{1234, QStringLiteral("/home")}), "1234 MB on /home");
    EXPECT_EQ(diskSpaceText(DiskSpace{0, QStringLiteral("/")}), "0 MB on /");
    EXPECT_EQ(diskSpaceText(std::nullopt), "Unavailable");
    EXPECT_EQ(freeDiskSpace(QStringLiteral("/no/such/folder/here")), std::nullopt);
}

TEST(DiskSpaceText, MountPointIsTheLongestOfTheDeviceThatHoldsThePath)
{
    const QByteArray mountinfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                                 "30 22 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
                                 "31 30 8:2 /projects /home/plant\\040data rw - ext4 /dev/sda2 rw\n"
                                 "32 22 0:5 / /proc rw - proc proc rw\n";
    EXPECT_EQ(mountPointFromMountInfo(mountinfo, 8, 2, "/home/operator/tsf"), "/home");
    EXPECT_EQ(mountPointFromMountInfo(mountinfo, 8, 2, "/home/plant data/unit1"), "/home/plant data");
    EXPECT_EQ(mountPointFromMountInfo(mountinfo, 8, 2, "/home/plant database"), "/home");
    EXPECT_EQ(mountPointFromMountInfo(mountinfo, 8, 1, "/opt/tk70"), "/");
    EXPECT_EQ(mountPointFromMountInfo(mountinfo, 9, 9, "/opt/tk70"), "");
    EXPECT_EQ(mountPointFromMountInfo(QByteArray(), 8, 1, "/"), "");
}

TEST(DiskSpaceText, MeasuredOnARealFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto space = freeDiskSpace(folder.path());
    ASSERT_TRUE(space.has_value());
    const QString canonical = QDir(folder.path()).canonicalPath();
    EXPECT_FALSE(space->mountPoint.isEmpty());
    EXPECT_TRUE(space->mountPoint == "/" || canonical == space->mountPoint ||
                canonical.startsWith(space->mountPoint + "/"))
        << space->mountPoint.toStdString() << " for " << canonical.toStdString();
}

TEST(AboutBox, NameVersionFiguresAndButtons)
{
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), "About TK70 Pro");
    auto *name = box.findChild<QLabel *>("programName");
    auto *version = box.findChild<QLabel *>("version");
    ASSERT_TRUE(name && version);
    EXPECT_EQ(name->text(), "TK70 Pro");
    EXPECT_EQ(version->text(), "Version 1.02");
    EXPECT_TRUE(name->font().bold());
    EXPECT_TRUE(version->font().bold());
    EXPECT_EQ(box.findChild<QLabel *>("memoryLabel")->text(), "Total Physical Memory :");
    EXPECT_EQ(box.findChild<QLabel *>("diskSpaceLabel")->text(), "Free Disk Space :");
    EXPECT_TRUE(box.findChild<QLabel *>("memory")->text().endsWith(" KB"));
    EXPECT_TRUE(box.findChild<QLabel *>("diskSpace")->text().contains(" MB on /"));
    box.setFigures(memoryText(2048), diskSpaceText(std::nullopt));
    EXPECT_EQ(box.findChild<QLabel *>("diskSpace")->text(), "Unavailable");

    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QSignalSpy status(&box, &AboutBox::commStatusRequested);
    auto *commStatus = box.findChild<QPushButton *>("commStatus");
    EXPECT_EQ(commStatus->text(), "Comm. &Status");
    tk70test::press(commStatus);
    EXPECT_EQ(status.count(), 1);
    EXPECT_TRUE(box.isVisible());
    auto *ok = box.findChild<QPushButton *>("ok");
    EXPECT_EQ(ok->text(), "&OK");
    tk70test::press(ok);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}
