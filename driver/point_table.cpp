// The point table and its value array: see point_table.h.
#include "driver/point_table.h"

#include "driver/comm_access.h"

#include <algorithm>
#include <thread>

namespace vantor {

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}

// The program's claim on one slot, for reading only or for every kind of access.  While
// the thread holds a conflicting claim the program withdraws its own, waits and tries again.
class PointTable::ProgramClaim {
public:
    ProgramClaim(PointTable &table, int slot, bool everything) : m_table(table), m_everything(everything)
    {
        for (;;) {
            m_table.m_readClaim.store(slot);
            if (m_everything)
                m_table.m_outputClaim.store(slot);
            if (!conflicts(slot))
                return;
            release();
            while (conflicts(slot))
                std::this_thread::yield();
        }
    }
    ~ProgramClaim() { release(); }

private:
    bool conflicts(int slot) const
    {
        return m_table.m_storeClaim.load() == slot || (m_everything && m_table.m_takeClaim.load() == slot);
    }
    void release()
    {
        m_table.m_readClaim.store(-1, std::memory_order_release);
        if (m_everything)
            m_table.m_outputClaim.store(-1, std::memory_order_release);
    }

    PointTable &m_table;
    bool m_everything;
};

// The collection thread's claim on one slot, for storing, taking or both.  The thread keeps
// its claim while it waits for the program to finish with the slot.
class PointTable::ThreadClaim {
public:
    ThreadClaim(PointTable &table, int slot, bool storing, bool taking)
        : m_table(table), m_storing(storing), m_taking(taking)
    {
        if (m_storing)
            m_table.m_storeClaim.store(slot);
        if (m_taking)
            m_table.m_takeClaim.store(slot);
        while ((m_storing && m_table.m_readClaim.load() == slot) || (m_taking && m_table.m_outputClaim.load() == slot))
            std::this_thread::yield();
    }
    ~ThreadClaim()
    {
        if (m_storing)
            m_table.m_storeClaim.store(-1, std::memory_order_release);
        if (m_taking)
            m_table.m_takeClaim.store(-1, std::memory_order_release);
    }

private:
    PointTable &m_table;
    bool m_storing;
    bool m_taking;
};

int PointTable::capacity() const { return std::clamp(loadField(m_comm.PointCapacity), 0, kSlots); }

int PointTable::cfg(int slot, std::atomic<int> Slot::*field) const
{
    return (slot >= 0 && slot < kSlots) ? (m_slots[slot].*field).load(kRelaxed) : 0;
}

double PointTable::cfgD(int slot, std::atomic<double> Slot::*field) const
{
    return (slot >= 0 && slot < kSlots) ? (m_slots[slot].*field).load(kRelaxed) : 0.0;
}

void PointTable::resetClaims()
{
    m_readClaim.store(-1);
    m_outputClaim.store(-1);
    m_storeClaim.store(-1);
    m_takeClaim.store(-1);
}

void PointTable::reset()
{
    for (int s = 0; s < kSlots; ++s) {
        ProgramClaim claim(*this, s, true);
        Slot &slot = m_slots[s];
        for (auto field :
             {&Slot::type, &Slot::loadedType, &Slot::address, &Slot::module, &Slot::block, &Slot::alarmState})
            (slot.*field).store(0, kRelaxed);
        for (auto field : {&Slot::reportValue1, &Slot::reportValue2, &Slot::highLimit, &Slot::lowLimit})
            (slot.*field).store(0.0, kRelaxed);
        slot.establishStatus = s == 0 ? 0 : -1;
        slot.value = 0.0;
        slot.quality = 1;
        slot.newValue = 0;
        slot.outputPending = 0;
        if (s == 0)
            slot.type.store(14, kRelaxed);
    }
}

void PointTable::loadSlot(int s, const PointLoad &p, int j)
{
    Slot &slot = m_slots[s];
    int type = p.types[j];
    slot.loadedType.store(type, kRelaxed);
    if (type == 12 || type == 13) {
        slot.type.store(type, kRelaxed);
        slot.alarmState.store(p.states[j], kRelaxed);
        if (type == 12) {
            slot.reportValue1.store(p.reportValues1[j], kRelaxed);
            slot.reportValue2.store(p.reportValues2[j], kRelaxed);
            slot.highLimit.store(p.highLimits[j], kRelaxed);
            slot.lowLimit.store(p.lowLimits[j], kRelaxed);
        }
    } else {
        slot.address.store(p.loops[j] * 256 + (p.pcus[j] & 0xFF), kRelaxed);
        slot.module.store(p.modules[j], kRelaxed);
        slot.block.store(p.blocks[j], kRelaxed);
        slot.type.store(type == 80 ? 15 : type, kRelaxed);
    }
    ProgramClaim claim(*this, s, true);
    slot.quality = 1;
    slot.value = 0.0;
}

int PointTable::load(const PointLoad &points)
{
    reset();
    int cap = capacity();
    for (int j = 0; j < points.count && j < cap; ++j) {
        int s = points.indexes[j];
        if (s >= 1 && s < cap)
            loadSlot(s, points, j);
    }
    m_loadedCount.store(points.count);
    return (points.count >= 1 && points.count <= cap) ? 1 : 0;
}

bool PointTable::read(int s, SlotReading &out)
{
    if (!inTable(s))
        return false;
    ProgramClaim claim(*this, s, false);
    Slot &slot = m_slots[s];
    out = SlotReading{slot.value, slot.quality, slot.establishStatus, slot.newValue, slot.outputPending};
    slot.newValue = 0;
    return true;
}

bool PointTable::writeOutput(int s, double value, int quality, int &establishStatus, int &previousPending)
{
    int t = type(s);
    if (!inTable(s) || (t != 12 && t != 13))
        return false;
    ProgramClaim claim(*this, s, true);
    Slot &slot = m_slots[s];
    slot.value = value;
    slot.quality = quality;
    establishStatus = slot.establishStatus;
    previousPending = slot.outputPending;
    slot.newValue = 1;
    slot.outputPending = 1;
    return true;
}

void PointTable::store(int s, double value, int quality)
{
    if (!inTable(s))
        return;
    ThreadClaim claim(*this, s, true, false);
    m_slots[s].value = value;
    m_slots[s].quality = quality;
    m_slots[s].newValue = 1;
}

void PointTable::markBad(int s)
{
    if (!inTable(s))
        return;
    ThreadClaim claim(*this, s, true, false);
    m_slots[s].quality = 1;
    m_slots[s].newValue = 1;
}

bool PointTable::takeOutput(int s, SlotOutput &out)
{
    if (!inTable(s))
        return false;
    ThreadClaim claim(*this, s, false, true);
    Slot &slot = m_slots[s];
    out = SlotOutput{slot.value, slot.quality};
    bool pending = slot.outputPending != 0;
    slot.outputPending = 0;
    return pending;
}

void PointTable::setEstablishStatus(int s, int status)
{
    if (!inTable(s))
        return;
    ThreadClaim claim(*this, s, true, false);
    m_slots[s].establishStatus = status;
}

int PointTable::establishStatus(int s)
{
    if (!inTable(s))
        return -1;
    ThreadClaim claim(*this, s, true, false);
    return m_slots[s].establishStatus;
}

void PointTable::markForRestart()
{
    for (int s = 0; s < kSlots; ++s) {
        ThreadClaim claim(*this, s, true, true);
        Slot &slot = m_slots[s];
        slot.establishStatus = -1;
        slot.newValue = 1;
        int t = slot.type.load(kRelaxed);
        if (t == 12 || t == 13) {
            slot.outputPending = 1;
        } else {
            slot.quality = 1;
            slot.outputPending = 0;
        }
    }
}

void PointTable::stopCollectingSlot0()
{
    ThreadClaim claim(*this, 0, true, false);
    m_slots[0].establishStatus = -1;
    m_slots[0].type.store(0, kRelaxed);
}

}  // namespace vantor
