// Objects, class factories and server locks alive in this DLL; DllCanUnloadNow answers from it.
// Each stand-in DLL links its own copy.
#pragma once

#include <atomic>

namespace standin {

inline std::atomic<long> g_moduleReferences{0};

inline void AddModuleReference() { ++g_moduleReferences; }
inline void ReleaseModuleReference() { --g_moduleReferences; }
inline bool ModuleInUse() { return g_moduleReferences.load() != 0; }

}  // namespace standin
