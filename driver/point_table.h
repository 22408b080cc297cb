// The point table and its value array, shared by the program's thread and the collection
// thread.
//
// Slot 0 is the CIU's own module status (type 14); slots 1 to 30 hold the program's
// points, the slot number being the point's index in the CIU.  A slot's configuration
// (type, address, limits) is set by a load and read by both threads; its value, quality,
// establish status and flags are touched by one thread at a time under a claim protocol
// without locks: each side publishes a claim on the slot, then checks the other side's
// claim.  The collection thread keeps its claim while it waits; the program's thread
// withdraws and tries again, so the two can never both pass and neither waits long.
#pragma once

#include "driver/vantor.h"

#include <atomic>

namespace vantor {

struct PointLoad {
    int count;
    const int *indexes, *loops, *pcus, *modules, *blocks, *types, *states;
    const double *reportValues1, *reportValues2, *highLimits, *lowLimits;
};

struct SlotReading {
    double value = 0.0;
    int quality = 0;
    int establishStatus = 0;
    int newValue = 0;
    int outputPending = 0;
};

struct SlotOutput {
    double value = 0.0;
    int quality = 0;
};

class PointTable {
public:
    static constexpr int kSlots = CIU_POINT_SLOTS;

    explicit PointTable(const CiuCommStruct &comm) : m_comm(comm) { reset(); }

    // Slots in use: PointCapacity, kept within 0 to 31 so that no access leaves the table.
    int capacity() const;
    bool inTable(int slot) const { return slot >= 0 && slot < capacity(); }

    // Program side.
    int load(const PointLoad &points);  // 1 when 1 <= count <= capacity, else 0
    int loadedCount() const { return m_loadedCount.load(); }
    bool read(int slot, SlotReading &out);  // clears the new-value flag; false outside the table
    bool writeOutput(int slot, double value, int quality, int &establishStatus, int &previousPending);
    void resetClaims();

    // Collection thread side.
    void store(int slot, double value, int quality);  // sets the new-value flag
    void markBad(int slot);                           // keeps the value, quality bad, flag set
    bool takeOutput(int slot, SlotOutput &out);       // true when an output was pending
    void setEstablishStatus(int slot, int status);
    int establishStatus(int slot);
    void markForRestart();       // every slot unestablished; outputs pending again, others bad
    void stopCollectingSlot0();  // the CIU's status is not collected

    // Configuration of a slot, readable from either thread.
    int type(int slot) const { return cfg(slot, &Slot::type); }
    int loadedType(int slot) const { return cfg(slot, &Slot::loadedType); }
    int address(int slot) const { return cfg(slot, &Slot::address); }
    int module(int slot) const { return cfg(slot, &Slot::module); }
    int block(int slot) const { return cfg(slot, &Slot::block); }
    int alarmState(int slot) const { return cfg(slot, &Slot::alarmState); }
    double reportValue1(int slot) const { return cfgD(slot, &Slot::reportValue1); }
    double reportValue2(int slot) const { return cfgD(slot, &Slot::reportValue2); }
    double highLimit(int slot) const { return cfgD(slot, &Slot::highLimit); }
    double lowLimit(int slot) const { return cfgD(slot, &Slot::lowLimit); }

private:
    struct Slot {
        // Configuration: written by a load, read by both threads.
        std::atomic<int> type, loadedType, address, module, block, alarmState;
        std::atomic<double> reportValue1, reportValue2, highLimit, lowLimit;
        // State: touched only under the claim protocol.
        int establishStatus;
        double value;
        int quality;
        int newValue;
        int outputPending;
    };

    class ProgramClaim;
    class ThreadClaim;

    void reset();
    void loadSlot(int slot, const PointLoad &points, int j);
    int cfg(int slot, std::atomic<int> Slot::*field) const;
    double cfgD(int slot, std::atomic<double> Slot::*field) const;

    const CiuCommStruct &m_comm;
    Slot m_slots[kSlots];
    std::atomic<int> m_loadedCount{0};
    // Claim indexes: the slot being touched, or -1.
    std::atomic<int> m_readClaim{-1};    // program: reading (also held by loads and output writes)
    std::atomic<int> m_outputClaim{-1};  // program: writing an output (and loads)
    std::atomic<int> m_storeClaim{-1};   // collection thread: storing a value
    std::atomic<int> m_takeClaim{-1};    // collection thread: taking an output
};

}  // namespace vantor
