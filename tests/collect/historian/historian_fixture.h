// A throwaway PostgreSQL server for each historian test, with a database of its own,
// and the small reads of what the server holds.
#pragma once

#include "collect/historian/historian_rows.h"
#include "tools/pg_cluster.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tk70test {

class HistorianServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_cluster = new PgCluster; }
    static void TearDownTestSuite()
    {
        delete s_cluster;
        s_cluster = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_cluster->ok()) << s_cluster->error();
        ASSERT_TRUE(s_cluster->psql("CREATE DATABASE historian")) << s_cluster->error();
    }
    void TearDown() override
    {
        if (s_cluster->ok())
            s_cluster->psql("DROP DATABASE IF EXISTS historian WITH (FORCE)");
    }

    static std::string conninfo() { return s_cluster->connectionString("historian"); }
    // The one value sql gives on the test's database; "?" when psql fails.
    static std::string value(const std::string &sql)
    {
        std::string out;
        if (!s_cluster->psql(sql, &out, "historian"))
            return "?" + s_cluster->error();
        while (!out.empty() && out.back() == '\n')
            out.pop_back();
        return out;
    }
    static long long count(const std::string &table) { return std::stoll(value("SELECT count(*) FROM " + table)); }

    static PgCluster &cluster() { return *s_cluster; }

    static inline PgCluster *s_cluster = nullptr;
};

// 30 tags of one station, one sample of each at second tick (UTC seconds since epoch).
inline tk70::HistorianSamples tick(const std::string &station, std::int64_t second, int tags = 30)
{
    tk70::HistorianSamples samples;
    for (int t = 0; t < tags; ++t) {
        tk70::HistorianSample sample{station, "TAG" + std::to_string(t), second * 1000000, second + t * 0.25, false, 0};
        samples.push_back(sample);
    }
    return samples;
}

}  // namespace tk70test
