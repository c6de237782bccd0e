// standin_driver.dll's entry points.
#include "converter_driver.h"

#include "../common/class_factory.h"
#include "../common/class_ids.h"
#include "../common/module_count.h"
#include "../common/store.h"

#include <objbase.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  // Unloaded by COM or at the client's process end: report driver objects never released.
  // Kept to kernel32/advapi32 work (no COM here).
  if (reason == DLL_PROCESS_DETACH) {
    standin::AppendLogLine(standin::kDriverLog, L"alive " + std::to_wstring(standin::g_aliveDrivers.load()));
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, standin::kDriverClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return standin::ClassFactory::Make(standin::CreateConverterDriver, 0, iid, out);
}

STDAPI DllCanUnloadNow() { return standin::ModuleInUse() ? S_FALSE : S_OK; }
