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
    void SetUp() override
    {
        ASSERT_TRUE(cluster().ok()) << cluster().error();
        ASSERT_TRUE(cluster().psql("CREATE DATABASE historian")) << cluster().error();
    }
    void TearDown() override
    {
        if (cluster().ok())
            cluster().psql("DROP DATABASE IF EXISTS historian WITH (FORCE)");
    }

    static std::string conninfo() { return cluster().connectionString("historian"); }
    // The one value sql gives on the test's database; "?" when psql fails.
    static std::string value(const std::string &sql)
    {
        std::string out;
        if (!cluster().psql(sql, &out, "historian"))
            return "?" + cluster().error();
        while (!out.empty() && out.back() == '\n')
            out.pop_back();
        return out;
    }
    static long long count(const std::string &table) { return std::stoll(value("SELECT count(*) FROM " + table)); }

    static PgCluster &cluster() { return PgCluster::shared(); }
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
