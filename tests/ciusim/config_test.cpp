// The config file: a good file fills every section of the configuration and shapes the
// unit; bad JSON names its line; wrong fields name the field and what was expected.
#include "ciusim/commands.h"
#include "ciusim/config.h"
#include "ciusim/protocol.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ciusim {
namespace {

using namespace ciusim::test;

const char *const kGoodFile = R"({
  // comments are allowed
  "seed": 7,
  "identity": {"moduleType": 3, "mode": 1, "loop": 2, "pcu": 5},
  "moduleStatus": 2,
  "startRestarted": true,
  "deadband": 1.5,
  "points": [
    {"address": "1-1-5-100", "value": 42.5, "quality": "good"},
    {"address": "01-01-05-0101", "quality": "bad"},
    {"address": "1-1-5-102", "format": 4, "value": 17, "replyCode": 39}
  ],
  "defaultBlocks": false,
  "blocks": [
    {"address": "1-1-3-60", "functionCode": 2,
     "groups": [{"count": 1, "tunable": true, "format": 2, "attribute": 1},
                {"count": 2, "format": 4}],
     "values": [12.5, 7]}
  ]
})";

TEST(Config, AGoodFileFillsEverySection)
{
    ConfigResult result = parseConfig(kGoodFile);
    ASSERT_TRUE(result.config) << result.error;
    const SimConfig &c = *result.config;
    EXPECT_EQ(c.seed, 7u);
    EXPECT_EQ(c.identity.moduleType, 3);
    EXPECT_EQ(c.identity.mode, 1);
    EXPECT_EQ(c.identity.loop, 2);
    EXPECT_EQ(c.identity.pcu, 5);
    EXPECT_EQ(c.moduleStatus, 2);
    EXPECT_TRUE(c.startRestarted);
    EXPECT_EQ(c.deadband, 1.5);
    ASSERT_EQ(c.points.size(), 3u);
    EXPECT_EQ(c.points[0].value, 42.5);
    EXPECT_EQ(c.points[1].address, (PlantAddress{1, 1, 5, 101}));
    EXPECT_EQ(c.points[1].bad, true);
    EXPECT_EQ(c.points[2].format, 4);
    EXPECT_EQ(c.points[2].replyCode, 39);
    EXPECT_FALSE(c.defaultBlocks);
    ASSERT_EQ(c.blocks.size(), 1u);
    EXPECT_EQ(c.blocks[0].specCount(), 3);
    EXPECT_EQ(c.blocks[0].specValue(1), 12.5);
    EXPECT_EQ(c.blocks[0].specValue(2), 7.0);
    EXPECT_EQ(c.blocks[0].specValue(3), 0.0);
}

TEST(Config, TheConfigurationShapesTheUnit)
{
    ConfigResult result = parseConfig(kGoodFile);
    ASSERT_TRUE(result.config) << result.error;
    Responder unit(*result.config);
    auto ask = [&](const Bytes &request) { return unit.respond(request, 0).value_or(Bytes{}); };
    EXPECT_EQ(ask({command::kReadStatus, 0}), (Bytes{0, 3, 1, 0, 0, 1, 1, 5, 2}));
    EXPECT_EQ(ask(listRequest(command::kReadStatusList, 0, 0)), (Bytes{0, 0x40, 2, 0, 0, 0}));
    EXPECT_EQ(ask(addressRequest(command::kReadTuneSpecs, {1, 1, 3, 60})),
              (Bytes{0, 2, 1, 0x92, 2, 0x04, 2, 0x08, 0xC8, 0x00, 7, 0}));
    EXPECT_EQ(ask(addressRequest(command::kReadTuneSpecs, {1, 1, 2, 10})), Bytes{32});
    EXPECT_EQ(ask(addressRequest(command::kReadBlock, {1, 1, 5, 102})), Bytes{39});
}

TEST(Config, AnEmptyObjectKeepsTheDefaults)
{
    ConfigResult result = parseConfig("{}");
    ASSERT_TRUE(result.config) << result.error;
    EXPECT_EQ(result.config->identity.moduleType, 4);
    EXPECT_TRUE(result.config->defaultBlocks);
    EXPECT_FALSE(result.config->startRestarted);
    EXPECT_FALSE(result.config->seed);
}

TEST(Config, BadJsonNamesTheLine)
{
    ConfigResult result = parseConfig("{\n  \"seed\": 1,\n  \"deadband\": ,\n}", "sim.json");
    EXPECT_FALSE(result.config);
    EXPECT_EQ(result.error.rfind("sim.json: line 3, column ", 0), 0u) << result.error;
    EXPECT_EQ(parseConfig("").error.rfind("config: line 1", 0), 0u);
}

struct BadField {
    const char *name;
    const char *text;
    const char *message;
};

void PrintTo(const BadField &field, std::ostream *out) { *out << field.name; }

class ConfigFieldErrors : public ::testing::TestWithParam<BadField> {};

TEST_P(ConfigFieldErrors, NameTheFieldAndWhatWasExpected)
{
    ConfigResult result = parseConfig(GetParam().text);
    EXPECT_FALSE(result.config);
    EXPECT_EQ(result.error, std::string("config: ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Config, ConfigFieldErrors,
    ::testing::Values(
        BadField{"TopLevelNotAnObject", "[]", "top level: expected an object"},
        BadField{"UnknownField", R"({"sed": 1})", "sed: unknown field"},
        BadField{"NegativeSeed", R"({"seed": -1})", "seed: expected a whole number of 0 or more"},
        BadField{"IdentityFieldNotANumber", R"({"identity": {"loop": "one"}})",
                 "identity.loop: expected a whole number"},
        BadField{"IdentityOutOfRange", R"({"identity": {"pcu": 256}})", "identity.pcu: must lie between 0 and 255"},
        BadField{"ModuleStatusOutOfRange", R"({"moduleStatus": 4})", "moduleStatus: must lie between 0 and 3"},
        BadField{"FlagNotABoolean", R"({"startRestarted": 1})", "startRestarted: expected true or false"},
        BadField{"PointsNotAList", R"({"points": {}})", "points: expected a list"},
        BadField{"PointWithoutAddress", R"({"points": [{"value": 1}]})", "points[0].address: missing"},
        BadField{"MalformedAddress", R"({"points": [{"address": "1-1-5"}]})",
                 "points[0].address: \"1-1-5\" is not loop-pcu-module-block"},
        BadField{"UnknownQuality", R"({"points": [{"address": "1-1-5-1", "quality": "fine"}]})",
                 "points[0].quality: expected \"good\" or \"bad\""},
        BadField{"ValueNotANumber", R"({"points": [{"address": "1-1-5-1", "value": "7"}]})",
                 "points[0].value: expected a number"},
        BadField{"ValueOutsideItsFormat", R"({"points": [{"address": "1-1-5-1", "format": 4, "value": 300}]})",
                 "points[0].value: does not fit format 4"},
        BadField{"BlockWithoutGroups", R"({"blocks": [{"address": "1-1-2-9", "functionCode": 2}]})",
                 "blocks[0].groups: missing"},
        BadField{"GroupCountZero",
                 R"({"blocks": [{"address": "1-1-2-9", "functionCode": 2, "groups": [{"count": 0, "format": 2}]}]})",
                 "blocks[0].groups[0].count: must lie between 1 and 255"},
        BadField{"TooManyValues",
                 R"({"blocks": [{"address": "1-1-2-9", "functionCode": 2, "groups": [{"count": 1, "format": 4}],
                    "values": [1, 2]}]})",
                 "blocks[0].values: more values than the block's 1 specs"},
        BadField{"SpecValueOutsideItsFormat",
                 R"({"blocks": [{"address": "1-1-2-9", "functionCode": 2, "groups": [{"count": 1, "format": 4}],
                    "values": [300]}]})",
                 "blocks[0].values[0]: does not fit format 4 of spec 1"}),
    [](const ::testing::TestParamInfo<BadField> &info) { return std::string(info.param.name); });

TEST(Config, LoadingReadsTheFileAndReportsAMissingOne)
{
    TempDir dir;
    std::ofstream(dir.file("sim.json")) << R"({"moduleStatus": 1})";
    ConfigResult good = loadConfig(dir.file("sim.json"));
    ASSERT_TRUE(good.config) << good.error;
    EXPECT_EQ(good.config->moduleStatus, 1);
    ConfigResult missing = loadConfig(dir.file("none.json"));
    EXPECT_FALSE(missing.config);
    EXPECT_NE(missing.error.find("cannot read " + dir.file("none.json")), std::string::npos);
}

}  // namespace
}  // namespace ciusim
