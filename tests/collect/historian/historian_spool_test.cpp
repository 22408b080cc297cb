// The spool on a real file: samples come back oldest first as they went in, survive a
// restart, leave only when told, and past the bound the oldest go, counted.
#include "collect/historian/historian_spool.h"
#include "tests/collect/historian/historian_fixture.h"

#include <filesystem>
#include <fstream>

using namespace tk70;
using namespace tk70test;

namespace {

class HistorianSpoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder =
            std::filesystem::temp_directory_path() / ("tk70-spool-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_path = (m_folder / "historian.spool").string();
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
    std::string m_path;
    HistorianSpool m_spool;
};

TEST_F(HistorianSpoolTest, SamplesComeBackOldestFirstAsTheyWentInAndSurviveARestart)
{
    ASSERT_TRUE(m_spool.open(m_path)) << m_spool.error();
    HistorianSamples first = tick("unit1", 100);
    first[3].value.reset();
    first[3].pointError = 7;
    first[4].badQuality = true;
    first[5].tag = "FT\t101 'x' Ω";
    ASSERT_TRUE(m_spool.append(first));
    ASSERT_TRUE(m_spool.append(tick("unit1", 101)));
    m_spool.close();

    ASSERT_TRUE(m_spool.open(m_path)) << m_spool.error();
    EXPECT_EQ(m_spool.count(), 60);
    HistorianSamples back;
    std::int64_t last = 0;
    ASSERT_TRUE(m_spool.oldest(30, back, last));
    EXPECT_EQ(back, first);
    ASSERT_TRUE(m_spool.removeThrough(last));
    ASSERT_TRUE(m_spool.oldest(1000, back, last));
    EXPECT_EQ(back, tick("unit1", 101));
}

TEST_F(HistorianSpoolTest, TheWaitingTagsAreThoseOfTheLatestStart)
{
    ASSERT_TRUE(m_spool.open(m_path));
    ASSERT_TRUE(m_spool.putTags({{"u", "A", "01-01-01-0001", "first", 1, 1}}));
    ASSERT_TRUE(m_spool.putTags({{"u", "B", "01-01-01-0002", "second", 2, 2}}));
    std::vector<HistorianTag> tags;
    ASSERT_TRUE(m_spool.pendingTags(tags));
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].tag, "B");
    ASSERT_TRUE(m_spool.clearTags());
    ASSERT_TRUE(m_spool.pendingTags(tags));
    EXPECT_TRUE(tags.empty());
}

TEST_F(HistorianSpoolTest, PastItsBoundTheOldestSamplesGoAndAreCounted)
{
    ASSERT_TRUE(m_spool.open(m_path));
    for (int second = 0; second < 400; ++second)
        ASSERT_TRUE(m_spool.append(tick("unit1", second)));
    const std::int64_t full = m_spool.bytes();
    const std::int64_t dropped = m_spool.trimTo(full / 2);
    EXPECT_GT(dropped, 0);
    EXPECT_EQ(m_spool.count(), 12000 - dropped);
    EXPECT_LE(m_spool.bytes(), full / 2 + 8192);
    HistorianSamples oldest;
    std::int64_t last = 0;
    ASSERT_TRUE(m_spool.oldest(1, oldest, last));
    EXPECT_GE(oldest.front().tsUs, dropped / 30 * 1000000) << "a newer sample went before an older one";
    EXPECT_EQ(m_spool.trimTo(full), 0) << "within its bound nothing goes";
}

TEST_F(HistorianSpoolTest, AFileThatIsNotASpoolIsRefusedWithItsReason)
{
    std::ofstream(m_path) << std::string(4096, 'x');
    EXPECT_FALSE(m_spool.open(m_path));
    EXPECT_NE(m_spool.error().find("not a database"), std::string::npos) << m_spool.error();
    EXPECT_FALSE(m_spool.open((m_folder / "missing" / "x.spool").string()));
    EXPECT_FALSE(m_spool.error().empty());
}

}  // namespace
