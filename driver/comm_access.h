// Access to the fields of CiuCommStruct that both threads touch.
//
// The program's thread and the collection thread share the configuration record: the
// thread reads settings at each use and reports its state and counters back.  Every such
// access, on either side, goes through these helpers so that each field is read and
// written as one indivisible value (std::atomic_ref); C callers that read the record
// directly get the same values on every platform the driver runs on.
#pragma once

#include <atomic>

namespace vantor {

template <typename T>
T loadField(const T &field)
{
    return std::atomic_ref<T>(const_cast<T &>(field)).load(std::memory_order_relaxed);
}

template <typename T>
void storeField(T &field, T value)
{
    std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

template <typename T>
void incrementField(T &field)
{
    std::atomic_ref<T>(field).fetch_add(1, std::memory_order_relaxed);
}

}  // namespace vantor
