// The point table and value array: loading, reading, output writes, hostile indexes and
// capacities, and the claim protocol under contention.
#include "driver/driver_state.h"
#include "tests/support/driver_fixture.h"

#include <atomic>
#include <thread>

using namespace tk70test;

namespace {

std::vector<TestPoint> analogPoints(int count)
{
    std::vector<TestPoint> points;
    for (int i = 1; i <= count; ++i)
        points.push_back(TestPoint{i, 1, 2, 3, 100 + i, 5});
    return points;
}

}  // namespace

class PointTableTest : public DriverTest {};

TEST_F(PointTableTest, LoadResetsEverySlot)
{
    ASSERT_EQ(loadPoints(analogPoints(3)), 1);
    Reading status = readSlot(0);
    EXPECT_EQ(status.establish, 0);
    EXPECT_EQ(vantor::driver().points.type(0), 14);
    for (int s = 1; s <= 3; ++s) {
        Reading r = readSlot(s);
        EXPECT_EQ(r.value, 0.0);
        EXPECT_EQ(r.quality, 1);
        EXPECT_EQ(r.establish, -1);
        EXPECT_EQ(r.newValue, 0);
    }
    EXPECT_EQ(vantor::driver().points.address(2), 1 * 256 + 2);
    EXPECT_EQ(vantor::driver().points.block(3), 103);
}

TEST_F(PointTableTest, TypeEightyIsHeldAsFifteenAndOutputsKeepTheirLimits)
{
    TestPoint status80{1, 1, 2, 3, 4, 80};
    TestPoint analogOut{2, 9, 9, 9, 9, 12, 0, 1.5, 2.5, 90.0, 10.0};
    TestPoint digitalOut{3, 9, 9, 9, 9, 13, 1};
    ASSERT_EQ(loadPoints({status80, analogOut, digitalOut}), 1);
    auto &points = vantor::driver().points;
    EXPECT_EQ(points.type(1), 15);
    EXPECT_EQ(points.loadedType(1), 80);
    EXPECT_EQ(points.address(2), 0);  // output points keep no address
    EXPECT_EQ(points.highLimit(2), 90.0);
    EXPECT_EQ(points.lowLimit(2), 10.0);
    EXPECT_EQ(points.reportValue2(2), 2.5);
    EXPECT_EQ(points.alarmState(3), 1);
}

TEST_F(PointTableTest, ThirtyOnePointsLoadThirtyAndThirtyTwoAreRefused)
{
    EXPECT_EQ(loadPoints(analogPoints(31)), 1);
    EXPECT_EQ(vantor::driver().points.type(30), 5);
    EXPECT_EQ(loadPoints(analogPoints(32)), 0);
    EXPECT_EQ(vantor::driver().points.type(30), 5);  // loaded all the same
    EXPECT_EQ(loadPoints({}), 0);
    EXPECT_EQ(CiuLoadPointList(3, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              0);
}

TEST_F(PointTableTest, IndexesOutsideTheTableReadAsZerosAndAreSkippedOnLoad)
{
    ASSERT_EQ(loadPoints({TestPoint{0, 1, 1, 1, 1, 5}, TestPoint{31, 1, 1, 1, 1, 5}, TestPoint{-4, 1, 1, 1, 1, 5}}), 1);
    EXPECT_EQ(vantor::driver().points.type(0), 14);
    for (int index : {-1, 31, 1000, -2147483647}) {
        Reading r = readSlot(index);
        EXPECT_EQ(r.value, 0.0);
        EXPECT_EQ(r.quality, 0);
        EXPECT_EQ(r.establish, 0);
        EXPECT_EQ(r.newValue, 0);
        EXPECT_EQ(r.pending, 0);
    }
}

TEST_F(PointTableTest, AHostileCapacityNeverLeavesTheTable)
{
    m_comm->PointCapacity = 5000;
    ASSERT_EQ(loadPoints(analogPoints(30)), 1);
    EXPECT_EQ(readSlot(31).newValue, 0);
    vantor::driver().points.store(40, 1.0, 0);
    m_comm->PointCapacity = -3;
    EXPECT_EQ(readSlot(0).value, 0.0);
    EXPECT_EQ(loadPoints(analogPoints(1)), 0);
}

TEST_F(PointTableTest, TheNewValueFlagIsClearedByARead)
{
    ASSERT_EQ(loadPoints(analogPoints(2)), 1);
    vantor::driver().points.store(2, 42.5, 0);
    Reading first = readSlot(2);
    EXPECT_EQ(first.value, 42.5);
    EXPECT_EQ(first.quality, 0);
    EXPECT_EQ(first.newValue, 1);
    EXPECT_EQ(readSlot(2).newValue, 0);
    vantor::driver().points.markBad(2);
    Reading bad = readSlot(2);
    EXPECT_EQ(bad.value, 42.5);
    EXPECT_EQ(bad.quality, 1);
    EXPECT_EQ(bad.newValue, 1);
}

TEST_F(PointTableTest, OutputWritesOnlyReachOutputPoints)
{
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 1, 1, 1, 7}, TestPoint{2, 0, 0, 0, 0, 12}}), 1);
    int establish = 77, pending = 77;
    CiuWriteToValueArray(1, 5.0, 0, &establish, &pending);
    EXPECT_EQ(establish, 77);
    EXPECT_EQ(pending, 77);
    EXPECT_EQ(readSlot(1).value, 0.0);

    CiuWriteToValueArray(2, 5.0, 0, &establish, &pending);
    EXPECT_EQ(establish, -1);
    EXPECT_EQ(pending, 0);
    CiuWriteToValueArray(2, 6.0, 1, &establish, &pending);
    EXPECT_EQ(pending, 1);
    vantor::SlotOutput out;
    ASSERT_TRUE(vantor::driver().points.takeOutput(2, out));
    EXPECT_EQ(out.value, 6.0);
    EXPECT_EQ(out.quality, 1);
    EXPECT_FALSE(vantor::driver().points.takeOutput(2, out));
}

TEST_F(PointTableTest, RestartMarksPointsBadAndOutputsPendingAgain)
{
    ASSERT_EQ(loadPoints({TestPoint{1, 1, 1, 1, 1, 5}, TestPoint{2, 0, 0, 0, 0, 13}}), 1);
    auto &points = vantor::driver().points;
    points.store(1, 3.0, 0);
    points.setEstablishStatus(1, 0);
    points.markForRestart();
    Reading analog = readSlot(1);
    EXPECT_EQ(analog.quality, 1);
    EXPECT_EQ(analog.value, 3.0);
    EXPECT_EQ(analog.establish, -1);
    EXPECT_EQ(analog.pending, 0);
    EXPECT_EQ(readSlot(2).pending, 1);
}

// The collection thread stores value and quality pairs that belong together (the
// quality is the parity of the value) into slots the program reads all the while, until
// each side has done its share with the other running.  A copy whose quality does not
// match its value was read while the slot was written: the claims failed to keep the two
// threads apart.
TEST_F(PointTableTest, ClaimsKeepValueAndQualityTogetherUnderContention)
{
    constexpr long kEach = 2000000;
    ASSERT_EQ(loadPoints(analogPoints(2)), 1);
    auto &points = vantor::driver().points;
    for (int s = 1; s <= 2; ++s)
        points.store(s, 0.0, 0);
    std::atomic<long> stores{0};
    std::atomic<bool> stop{false};
    std::thread storer([&] {
        for (long i = 1; !stop.load(std::memory_order_relaxed); ++i) {
            points.store(1 + static_cast<int>(i & 1), static_cast<double>(i >> 1), static_cast<int>((i >> 1) & 1));
            stores.store(i, std::memory_order_relaxed);
        }
    });
    long torn = 0, reads = 0;
    while (reads < kEach || stores.load(std::memory_order_relaxed) < kEach) {
        Reading r = readSlot(1 + static_cast<int>(reads & 1));
        ++reads;
        if (static_cast<long>(r.value) % 2 != r.quality)
            ++torn;
    }
    stop.store(true);
    storer.join();
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}
