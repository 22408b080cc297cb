// The historian's tables on a real server: made once and never touched again, tags
// brought up to date, samples stored once however often they are sent, hostile text
// stored as it is, and a refusal in the server's own words.
#include "collect/historian/historian_link.h"
#include "tests/collect/historian/historian_fixture.h"

using namespace tk70;
using namespace tk70test;

namespace {

class HistorianLinkTest : public HistorianServerTest {
protected:
    HistorianLink m_link;
};

// The hex of text's bytes, as the server's encode() gives them.
std::string hex(const std::string &text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST_F(HistorianLinkTest, TheLayoutIsMadeOnceWithItsVersionAndLeftAsItIs)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    EXPECT_EQ(value("SELECT string_agg(version::text, ',') FROM tk70_schema"), "1");
    ASSERT_TRUE(m_link.insertSamples(tick("unit1", 100)));
    m_link.close();

    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    EXPECT_EQ(value("SELECT count(*) FROM tk70_schema"), "1");
    EXPECT_EQ(count("tk70_samples"), 30) << "a second open touched the samples";
    EXPECT_EQ(value("SELECT string_agg(column_name || ' ' || data_type, ', ' ORDER BY ordinal_position) "
                    "FROM information_schema.columns WHERE table_name = 'tk70_samples'"),
              "station text, tag text, ts timestamp with time zone, value double precision, bad_quality boolean, "
              "point_error integer");
}

TEST_F(HistorianLinkTest, SamplesSentTwiceAreStoredOnceWithTheirInstantInUtc)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    HistorianSamples samples = tick("unit1", 1765180800);  // 2025-12-08 08:00:00 UTC
    samples[1].value.reset();
    samples[1].pointError = 4;
    samples[2].badQuality = true;
    ASSERT_TRUE(m_link.insertSamples(samples)) << m_link.error();
    ASSERT_TRUE(m_link.insertSamples(samples)) << m_link.error();
    EXPECT_EQ(count("tk70_samples"), 30);
    EXPECT_EQ(value("SELECT to_char(ts AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS.US') FROM tk70_samples LIMIT 1"),
              "2025-12-08 08:00:00.000000");
    EXPECT_EQ(value("SELECT coalesce(value::text, 'NULL') || ' ' || point_error FROM tk70_samples WHERE tag = 'TAG1'"),
              "NULL 4");
    EXPECT_EQ(value("SELECT value || ' ' || bad_quality FROM tk70_samples WHERE tag = 'TAG2'"), "1765180800.5 true");
}

TEST_F(HistorianLinkTest, TagsAreAddedThenUpdatedKeepingWhenTheyWereFirstSeen)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    HistorianTag tag{"unit1", "FIC101", "01-02-03-0104", "Feed flow", 19, 1765180800000000};
    ASSERT_TRUE(m_link.upsertTags({tag})) << m_link.error();
    tag.description = "Feed flow, line 2";
    tag.seenUs += 3600000000;
    ASSERT_TRUE(m_link.upsertTags({tag})) << m_link.error();
    EXPECT_EQ(value("SELECT description || '|' || address || '|' || point_type || '|' || "
                    "extract(epoch FROM last_seen - first_seen) FROM tk70_tags"),
              "Feed flow, line 2|01-02-03-0104|19|3600.000000");
}

TEST_F(HistorianLinkTest, HostileNamesAndDescriptionsAreStoredAsTheyAre)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    const std::vector<std::string> names{
        "a\tb",           "line\nbreak", "back\\slash\\N", "'; DROP TABLE tk70_tags; --", "\"quoted\"",
        "Durchfluß °C ✓", "\\N",         "cr\rhere"};
    for (const std::string &name : names) {
        HistorianTag tag{"st'ation\t1", name, "01-01-01-0001", name + " $1 %s", 1, 1};
        ASSERT_TRUE(m_link.upsertTags({tag})) << name << ": " << m_link.error();
        ASSERT_TRUE(m_link.insertSamples({HistorianSample{tag.station, name, 5000000, 1.0, false, 0}}))
            << name << ": " << m_link.error();
        EXPECT_EQ(value("SELECT encode(convert_to(tag, 'UTF8'), 'hex') FROM tk70_samples WHERE encode(convert_to("
                        "tag, 'UTF8'), 'hex') = '" +
                        hex(name) + "'"),
                  hex(name));
        EXPECT_EQ(value("SELECT encode(convert_to(description, 'UTF8'), 'hex') FROM tk70_tags WHERE encode("
                        "convert_to(tag, 'UTF8'), 'hex') = '" +
                        hex(name) + "'"),
                  hex(name + " $1 %s"));
    }
    EXPECT_EQ(count("tk70_tags"), long(names.size()));
}

// A refusal is the server's answer, which waiting will not mend; a server that is not
// there is no refusal.
TEST_F(HistorianLinkTest, AServerThatRefusesSaysWhyInItsOwnWords)
{
    EXPECT_FALSE(m_link.open(cluster().connectionString("no_such_plant")));
    EXPECT_NE(m_link.error().find("database \"no_such_plant\" does not exist"), std::string::npos) << m_link.error();
    EXPECT_TRUE(m_link.refused());
    EXPECT_FALSE(m_link.open(cluster().connectionString() + " user=no_such_login"));
    EXPECT_NE(m_link.error().find("role \"no_such_login\" does not exist"), std::string::npos) << m_link.error();
    EXPECT_TRUE(m_link.refused());
    EXPECT_FALSE(m_link.open("host=/nonexistent/folder"));
    EXPECT_NE(m_link.error().find("/nonexistent/folder"), std::string::npos) << m_link.error();
    EXPECT_FALSE(m_link.refused());
    EXPECT_FALSE(m_link.open("postgresql://[garbled"));
    EXPECT_FALSE(m_link.error().empty());
    EXPECT_FALSE(m_link.refused());
}

// The grants docs/historian.md gives a station's login: enough to write, nothing more.
TEST_F(HistorianLinkTest, AStationLoginWithTheDocumentedGrantsWritesAndCannotRead)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();  // the layout, made by the owner
    m_link.close();
    ASSERT_EQ(value("CREATE ROLE tk70_unit1 LOGIN; "
                    "GRANT CONNECT, TEMPORARY ON DATABASE historian TO tk70_unit1; "
                    "GRANT USAGE ON SCHEMA public TO tk70_unit1; "
                    "GRANT SELECT ON tk70_schema TO tk70_unit1; "
                    "GRANT SELECT, INSERT, UPDATE ON tk70_tags TO tk70_unit1; "
                    "GRANT INSERT ON tk70_samples TO tk70_unit1; SELECT 'ok'"),
              "ok");
    const std::string station =
        cluster()
            .connectionString("historian")
            .replace(cluster().connectionString("historian").find("user=tk70"), 9, "user=tk70_unit1");
    HistorianLink unit;
    ASSERT_TRUE(unit.open(station)) << unit.error();
    EXPECT_TRUE(unit.upsertTags({{"unit1", "FT101", "01-02-03-0101", "Feed", 1, 1}})) << unit.error();
    EXPECT_TRUE(unit.upsertTags({{"unit1", "FT101", "01-02-03-0101", "Feed flow", 1, 2}})) << unit.error();
    EXPECT_TRUE(unit.insertSamples(tick("unit1", 10))) << unit.error();
    EXPECT_TRUE(unit.insertSamples(tick("unit1", 10))) << unit.error();
    EXPECT_EQ(count("tk70_samples"), 30);
    EXPECT_EQ(value("SELECT has_table_privilege('tk70_unit1', 'tk70_samples', 'SELECT')"), "f");
    EXPECT_EQ(value("SELECT has_table_privilege('tk70_unit1', 'tk70_samples', 'DELETE')"), "f");
    // A grant taken away is a refusal of the statement, on a connection that stays up.
    ASSERT_EQ(value("REVOKE INSERT ON tk70_samples FROM tk70_unit1; SELECT 'ok'"), "ok");
    EXPECT_FALSE(unit.insertSamples(tick("unit1", 11)));
    EXPECT_NE(unit.error().find("permission denied"), std::string::npos) << unit.error();
    EXPECT_TRUE(unit.refused());
    EXPECT_TRUE(unit.isOpen());
    unit.close();
    value("DROP OWNED BY tk70_unit1; DROP ROLE tk70_unit1; SELECT 1");
}

TEST_F(HistorianLinkTest, ALayoutOfANewerProgramIsRefusedUntouched)
{
    ASSERT_TRUE(m_link.open(conninfo())) << m_link.error();
    m_link.close();
    ASSERT_EQ(value("UPDATE tk70_schema SET version = 2; SELECT 'ok'"), "ok");
    EXPECT_FALSE(m_link.open(conninfo()));
    EXPECT_EQ(m_link.error(), "The historian database holds layout version 2, which this program does not write.");
    EXPECT_TRUE(m_link.refused());
    EXPECT_EQ(value("SELECT version FROM tk70_schema"), "2");
}

}  // namespace
