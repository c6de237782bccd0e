// The stand-in for the converter printer driver's automation object.
#pragma once

#include <windows.h>

#include <atomic>

namespace standin {

// Driver objects alive in this process (reported at unload as "alive N").
extern std::atomic<long> g_aliveDrivers;

// Class-factory creation: counts the attempt, fails the first FailCreations attempts and
// those matching a "create" rule, logs "create" or "create failed".
HRESULT CreateConverterDriver(int classIndex, REFIID iid, void** out);

}  // namespace standin
