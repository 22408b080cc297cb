// Opening a group's text output: the overwrite question and its answers, the open
// failure message, the file types served, and an output that is closed or whose writes
// fail.
#include "tests/collect/datafile/datafile_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <unistd.h>

using namespace tk70;
using namespace tk70test;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace

class OverwriteTest : public DataFileTest {
protected:
    void SetUp() override { writeBytes(existing(), "old contents\r\n"); }
    QString existing() const { return path(QStringLiteral("TK70CG1.txt")); }
    // Opens the existing file without appending and writes a header when it opens.
    OpenResult::Outcome openAndWrite(OverwritePolicy policy)
    {
        m_output = makeTextGroupOutput(QStringLiteral("ASCII"));
        const OpenResult opened = m_output->open(existing(), false, policy);
        m_output->writeHeader(plantFacts(), threeOfFiveColumns());
        m_output->close();
        return opened.outcome;
    }
    std::unique_ptr<GroupOutput> m_output;
};

TEST_F(OverwriteTest, YesReplacesTheFileAfterTheQuestion)
{
    m_messages.answer(MessageAnswer::Yes);
    EXPECT_EQ(openAndWrite(OverwritePolicy::Ask), OpenResult::Outcome::Opened);
    ASSERT_EQ(m_messages.messages().size(), 1u);
    const Message &question = m_messages.messages()[0];
    EXPECT_EQ(question.text, "File " + existing() + " Already Exists\n\nDo you want to overwrite ?");
    EXPECT_EQ(question.title, "Data File Overwite Warning");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    EXPECT_TRUE(fileBytes(existing()).startsWith("                       TK70 Pro DATA"));
}

TEST_F(OverwriteTest, NoFailsTheOpenQuietlyAndKeepsTheFile)
{
    m_messages.answer(MessageAnswer::No);
    EXPECT_EQ(openAndWrite(OverwritePolicy::Ask), OpenResult::Outcome::Declined);
    EXPECT_EQ(m_messages.messages().size(), 1u) << "no message after the question";
    EXPECT_EQ(fileBytes(existing()), "old contents\r\n");
}

TEST_F(OverwriteTest, OverwritePolicySkipsTheQuestionAndAppendingNeverAsks)
{
    EXPECT_EQ(openAndWrite(OverwritePolicy::Overwrite), OpenResult::Outcome::Opened);
    EXPECT_TRUE(fileBytes(existing()).startsWith("                       TK70 Pro DATA"));

    writeBytes(existing(), "old contents\r\n");
    auto output = makeTextGroupOutput(QStringLiteral("CSV"));
    EXPECT_TRUE(output->open(existing(), true, OverwritePolicy::Ask));
    output->close();
    EXPECT_EQ(fileBytes(existing()), "old contents\r\n");

    auto fresh = makeTextGroupOutput(QStringLiteral("TK70 (DOS)"));
    EXPECT_TRUE(fresh->open(path(QStringLiteral("new.DAT")), false, OverwritePolicy::Ask));
    EXPECT_TRUE(m_messages.messages().empty());
}

namespace {

// Opens name with a new ASCII output: it fails with its one message, and writing to the
// output that did not open does nothing.
void expectOpenFailure(const QString &name, MessageRecorder &messages)
{
    auto output = makeTextGroupOutput(QStringLiteral("ASCII"));
    messages.clear();
    EXPECT_FALSE(output->open(name, false, OverwritePolicy::Overwrite));
    EXPECT_FALSE(output->isOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    const Message &message = messages.messages()[0];
    EXPECT_EQ(message.text, "Error Opening Output Data File\n" + name + ".");
    EXPECT_EQ(message.title, "TK70 Pro Data File Error");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    output->writeSample(onPlantDay(1, 2, 3), threeOfFiveColumns(), firstSample());
}

}  // namespace

TEST_F(DataFileTest, AFileThatCannotBeCreatedFailsTheOpenWithItsMessage)
{
    expectOpenFailure(path(QStringLiteral("no-such-dir/TK70CG1.txt")), m_messages);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    expectOpenFailure(path(QStringLiteral("folder")), m_messages);

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("read-only")));
    QFile::setPermissions(path(QStringLiteral("read-only")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (geteuid() != 0)  // the superuser writes into read-only directories
        expectOpenFailure(path(QStringLiteral("read-only/TK70CG1.txt")), m_messages);
}

TEST_F(DataFileTest, OnlyTheThreeTextTypesHaveATextOutput)
{
    for (const char *type : {"ASCII", "CSV", "TK70 (DOS)"})
        EXPECT_NE(makeTextGroupOutput(QString::fromLatin1(type)), nullptr) << type;
    for (const char *type : {"MS Access (*.mdb)", "ascii", ""})
        EXPECT_EQ(makeTextGroupOutput(QString::fromLatin1(type)), nullptr) << type;
}

TEST_F(DataFileTest, AClosedOutputWritesNothing)
{
    const QString name = QStringLiteral("closed.txt");
    auto output = openOutput(QStringLiteral("ASCII"), name);
    output->writeHeader(plantFacts(), threeOfFiveColumns());
    output->close();
    EXPECT_FALSE(output->isOpen());
    const QByteArray written = fileBytes(path(name));
    output->writeHeader(plantFacts(), threeOfFiveColumns());
    output->writeSample(onPlantDay(1, 2, 3), threeOfFiveColumns(), firstSample());
    output->close();
    EXPECT_EQ(fileBytes(path(name)), written);

    auto neverOpened = makeTextGroupOutput(QStringLiteral("CSV"));
    neverOpened->writeSample(onPlantDay(1, 2, 3), threeOfFiveColumns(), firstSample());
    neverOpened->close();
    EXPECT_FALSE(neverOpened->isOpen());
}

TEST_F(DataFileTest, AFullDiskRefusesTheHeaderWithTheOpenMessage)
{
    auto output = makeTextGroupOutput(QStringLiteral("ASCII"));
    if (!output->open(QStringLiteral("/dev/full"), false, OverwritePolicy::Overwrite))
        GTEST_SKIP() << "no /dev/full here";
    EXPECT_FALSE(output->writeHeader(plantFacts(), threeOfFiveColumns()));
    EXPECT_EQ(m_messages.texts(), QStringList{"Error Opening Output Data File\n/dev/full."});
    EXPECT_FALSE(output->isOpen());
    for (int s = 0; s < 200; ++s)  // nothing reaches a closed output
        output->writeSample(onPlantDay(1, 2, s % 60), threeOfFiveColumns(), firstSample());
    output->close();
}
