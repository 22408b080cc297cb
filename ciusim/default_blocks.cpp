// The default plant's function blocks: see default_blocks.h.  All live in loop 1, PCU 1,
// module 2.  Values are chosen to be exact in their formats, so they read as written.
#include "ciusim/default_blocks.h"

#include <initializer_list>

namespace ciusim {

namespace {

constexpr int kBit = 3;          // format 3: one bit
constexpr int kByte = 4;         // format 4: unsigned byte
constexpr int kWord = 5;         // format 5: 16-bit integer
constexpr int kReal2 = 1;        // format 1: 2-byte real
constexpr int kReal3 = 2;        // format 2: 3-byte real
constexpr int kEngineering = 1;  // attribute of specs in engineering units

FunctionBlock makeBlock(int blockNumber, int functionCode, std::vector<SpecGroup> groups,
                        std::initializer_list<double> values)
{
    FunctionBlock block(PlantAddress{1, 1, 2, blockNumber}, functionCode, std::move(groups));
    int n = 1;
    for (double value : values)
        block.setSpecValue(n++, value);
    return block;
}

// FC 19, PID (PV and SP): 22 specs, 46 value bytes, every format tunable and non-tunable.
FunctionBlock pidController()
{
    return makeBlock(
        10, 19,
        {{4, false, 0, kWord},              // S1-S4 PV, SP, track value, track flag blocks
         {2, true, 0, kByte},               // S5 PID type, S6 SP track option
         {1, true, 0, kBit},                // S7 direct acting
         {6, true, kEngineering, kReal3},   // S8 PV gain .. S13 derivative rate
         {2, true, 0, kReal2},              // S14 resets per minute, S15 derivative lag
         {2, false, kEngineering, kReal3},  // S16 PV span, S17 PV zero
         {1, false, 0, kReal2},             // S18 scan period
         {2, false, 0, kByte},              // S19 alarm group, S20 revision
         {1, false, 0, kBit},               // S21 tracking allowed
         {1, true, 0, kWord}},              // S22 output block
        {100, 101, 0, 0, 0, 1, 0, 1.0, 1.0, 105.0, -5.0, 0.75, 0.0, 2.5, 0.25, 100.0, 0.0, 0.5, 3, 2, 1, 120});
}

// FC 15, Summer (2 input): 4 specs, 10 value bytes.
FunctionBlock summer()
{
    return makeBlock(20, 15,
                     {{2, false, 0, kWord},              // S1, S2 input blocks
                      {2, true, kEngineering, kReal3}},  // S3, S4 gains
                     {10, 30, 1.0, -0.5});
}

// FC 3, Lead/Lag: 12 specs, 25 value bytes.
FunctionBlock leadLag()
{
    return makeBlock(30, 3,
                     {{1, false, 0, kWord},             // S1 input block
                      {2, true, 0, kReal2},             // S2 lead time, S3 lag time (s)
                      {1, true, 0, kReal3},             // S4 gain
                      {2, true, kEngineering, kReal3},  // S5 high limit, S6 low limit
                      {1, true, 0, kByte},              // S7 filter samples
                      {1, true, 0, kBit},               // S8 hold on bad quality
                      {2, false, 0, kWord},             // S9, S10 track flag and track value blocks
                      {1, false, 0, kReal3},            // S11 last output
                      {1, false, 0, kByte}},            // S12 block state
                     {20, 10.0, 30.0, 1.0, 100.0, 0.0, 4, 1, 0, 0, 0.0, 1});
}

// FC 118, Real Recipe Table: 50 specs, 146 value bytes: readable, too large to write.
FunctionBlock recipeTable()
{
    FunctionBlock block = makeBlock(40, 118,
                                    {{1, false, 0, kByte},               // S1 entries
                                     {1, true, 0, kByte},                // S2 selected recipe
                                     {48, true, kEngineering, kReal3}},  // S3-S50 recipe values
                                    {48, 1});
    for (int n = 3; n <= 50; ++n)
        block.setSpecValue(n, 2.5 * (n - 2));
    return block;
}

}  // namespace

std::vector<FunctionBlock> defaultBlocks() { return {pidController(), summer(), leadLag(), recipeTable()}; }

}  // namespace ciusim
