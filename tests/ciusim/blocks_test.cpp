// Function blocks: the tune read layout, writes that read back exactly, the refusals of
// a write, and the shape of the default plant's blocks.
#include "ciusim/blocks.h"
#include "ciusim/commands.h"
#include "ciusim/default_blocks.h"
#include "ciusim/protocol.h"
#include "ciusim/reply_codes.h"
#include "driver/number_format.h"
#include "tests/ciusim/sim_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace ciusim {
namespace {

using namespace ciusim::test;
namespace cmd = ciusim::command;

const PlantAddress kPid{1, 1, 2, 10};
const PlantAddress kSummer{1, 1, 2, 20};
const PlantAddress kLeadLag{1, 1, 2, 30};
const PlantAddress kRecipe{1, 1, 2, 40};

// Where each spec's value lies in a tune read reply, read from its group bytes.
struct SpecLayout {
    int format;
    bool tunable;
    std::size_t offset;
};

std::vector<SpecLayout> layoutOf(const Bytes &reply, std::size_t &valuesStart)
{
    std::vector<SpecLayout> specs;
    std::size_t offset = 0;
    int groups = reply.at(1);
    for (int g = 0; g < groups; ++g) {
        int count = reply.at(2 + 2 * g);
        std::uint8_t attribute = reply.at(3 + 2 * g);
        for (int i = 0; i < count; ++i) {
            specs.push_back({attribute & 0x0F, (attribute & 0x80) != 0, offset});
            offset += static_cast<std::size_t>(vantor::formatSize(attribute & 0x0F));
        }
    }
    valuesStart = 3 + 2 * static_cast<std::size_t>(groups);
    return specs;
}

class TuneTest : public ::testing::Test {
protected:
    TuneTest() { m_unit.respond(restartLong(), 0); }

    Bytes ask(const Bytes &request) { return m_unit.respond(request, 0).value_or(Bytes{0xEE}); }

    // The value bytes of a block as read, and the layout of its specs.
    Bytes readValues(const PlantAddress &address, std::vector<SpecLayout> &specs)
    {
        Bytes reply = ask(addressRequest(cmd::kReadTuneSpecs, address));
        std::size_t start = 0;
        specs = layoutOf(reply, start);
        return Bytes(reply.begin() + static_cast<std::ptrdiff_t>(start), reply.end());
    }

    void put(Bytes &values, const SpecLayout &spec, double value)
    {
        ASSERT_TRUE(vantor::encodeSpecValue(spec.format, value, values.data() + spec.offset));
    }

    Responder m_unit;
};

TEST_F(TuneTest, ReadReplyListsGroupsFunctionCodeAndValues)
{
    EXPECT_EQ(ask(addressRequest(cmd::kReadTuneSpecs, kSummer)),
              (Bytes{0, 2, 2, 0x05, 2, 0x92, 15, 0x00, 0x0A, 0x00, 0x1E, 0x02, 0x80, 0x00, 0x01, 0x80, 0x00}));
    EXPECT_EQ(ask(addressRequest(cmd::kReadTuneSpecs, {1, 1, 2, 11})), Bytes{reply::kNoBlock});
}

TEST_F(TuneTest, WrittenValuesReadBackExactly)
{
    std::vector<SpecLayout> specs;
    Bytes values = readValues(kPid, specs);
    ASSERT_EQ(specs.size(), 22u);
    put(values, specs[4], 2);      // S5, format 4
    put(values, specs[6], 1);      // S7, format 3
    put(values, specs[11], 1.25);  // S12, format 2
    put(values, specs[13], 4.0);   // S14, format 1
    put(values, specs[21], 121);   // S22, format 5
    ASSERT_EQ(ask(tuneWrite(kPid, 19, values)), Bytes{0});
    EXPECT_EQ(readValues(kPid, specs), values);
    EXPECT_EQ(m_unit.blocks().find(kPid)->specValue(12), 1.25);
    EXPECT_EQ(m_unit.blocks().find(kPid)->specValue(22), 121.0);
}

TEST_F(TuneTest, WritesThatDoNotFitTheBlockAreRefusedAndChangeNothing)
{
    std::vector<SpecLayout> specs;
    const Bytes original = readValues(kPid, specs);
    Bytes nonTunable = original;
    put(nonTunable, specs[0], 555);  // S1, not tunable
    EXPECT_EQ(ask(tuneWrite(kPid, 19, nonTunable)), Bytes{reply::kNotTunable});
    EXPECT_EQ(ask(tuneWrite(kPid, 18, original)), Bytes{reply::kFunctionCodeMismatch});
    EXPECT_EQ(ask(tuneWrite(kPid, 19, std::span(original).first(original.size() - 1))),
              Bytes{reply::kByteCountMismatch});
    Bytes badBit = original;
    badBit[specs[6].offset] = 2;  // S7, format 3 holds 0 or 1
    EXPECT_EQ(ask(tuneWrite(kPid, 19, badBit)), Bytes{reply::kBadValue});
    Bytes unnormalised = original;
    unnormalised[specs[7].offset + 1] = 0x00;  // S8, a 3-byte real whose mantissa lost its top bit
    unnormalised[specs[7].offset + 2] = 0x01;
    EXPECT_EQ(ask(tuneWrite(kPid, 19, unnormalised)), Bytes{reply::kBadValue});
    EXPECT_EQ(ask(tuneWrite({1, 1, 2, 11}, 19, original)), Bytes{reply::kNoBlock});
    EXPECT_EQ(readValues(kPid, specs), original);
    EXPECT_EQ(ask(tuneWrite(kPid, 19, original)), Bytes{0});
}

TEST_F(TuneTest, TheRecipeTableIsReadableButTooLargeToWrite)
{
    std::vector<SpecLayout> specs;
    Bytes values = readValues(kRecipe, specs);
    EXPECT_EQ(specs.size(), 50u);
    EXPECT_GT(values.size(), kMaxWritableValueBytes);
    EXPECT_EQ(ask(tuneWrite(kRecipe, 118, values)), Bytes{reply::kBlockTooLarge});
}

TEST(DefaultBlocks, CoverSmallMediumAndLargeBlocksAndEveryFormat)
{
    std::map<PlantAddress, FunctionBlock> blocks;
    for (const FunctionBlock &b : defaultBlocks())
        blocks.emplace(b.address(), b);
    EXPECT_EQ(blocks.at(kPid).functionCode(), 19);
    EXPECT_GT(blocks.at(kPid).specCount(), 18);
    EXPECT_LT(blocks.at(kSummer).specCount(), 9);
    EXPECT_GE(blocks.at(kLeadLag).specCount(), 10);
    EXPECT_LE(blocks.at(kLeadLag).specCount(), 18);
    EXPECT_FALSE(blocks.at(kRecipe).writable());
    std::set<std::pair<int, bool>> kinds;
    for (const auto &[address, block] : blocks) {
        EXPECT_LE(block.specCount(), 125);
        if (!block.writable())
            continue;
        EXPECT_LE(block.valueBytes(), kMaxWritableValueBytes);
        for (int n = 1; n <= block.specCount(); ++n)
            kinds.insert({block.specFormat(n), block.specTunable(n)});
    }
    for (int format = 1; format <= 5; ++format) {
        EXPECT_TRUE(kinds.count({format, true})) << "tunable format " << format;
        EXPECT_TRUE(kinds.count({format, false})) << "non-tunable format " << format;
    }
}

TEST(DefaultBlocks, StoredValuesReEncodeIdentically)
{
    for (const FunctionBlock &block : defaultBlocks()) {
        FunctionBlock copy = block;
        for (int n = 1; n <= block.specCount(); ++n)
            ASSERT_TRUE(copy.setSpecValue(n, block.specValue(n))) << formatAddress(block.address()) << " S" << n;
        EXPECT_TRUE(std::equal(copy.values().begin(), copy.values().end(), block.values().begin()))
            << formatAddress(block.address());
    }
}

TEST(FunctionBlock, SetSpecValueKeepsTheOldValueWhenTheNewOneDoesNotFit)
{
    FunctionBlock block({1, 1, 1, 1}, 2, {{1, true, 0, 4}, {1, true, 0, 2}});
    EXPECT_TRUE(block.setSpecValue(1, 200));
    EXPECT_FALSE(block.setSpecValue(1, 300));
    EXPECT_FALSE(block.setSpecValue(3, 1));
    EXPECT_EQ(block.specValue(1), 200.0);
    EXPECT_TRUE(block.setSpecValue(2, 0.1));
    EXPECT_NEAR(block.specValue(2), 0.1, 1e-5);
    FunctionBlock again = block;
    again.setSpecValue(2, block.specValue(2));
    EXPECT_TRUE(std::equal(again.values().begin(), again.values().end(), block.values().begin()));
}

}  // namespace
}  // namespace ciusim
