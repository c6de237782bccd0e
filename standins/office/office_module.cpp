// standin_office.dll's entry points: one class per Office application.
#include "office_object.h"
#include "office_objects.h"

#include "common/class_factory.h"
#include "common/class_ids.h"
#include "common/module_count.h"
#include "common/store.h"

#include <objbase.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  // Unloaded by COM or at the client's process end: each application asked for in this
  // process reports its objects never released. Kept to kernel32/advapi32 work (no COM here).
  if (reason == DLL_PROCESS_DETACH) {
    for (size_t app = 0; app < standin::kOfficeApps.size(); ++app) {
      if (!standin::g_officeUsed[app].load()) continue;
      standin::OfficeLog(static_cast<int>(app), L"alive " + std::to_wstring(standin::g_officeAlive[app].load()));
    }
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const int app = standin::OfficeAppIndex(clsid);
  if (app < 0) return CLASS_E_CLASSNOTAVAILABLE;
  standin::g_officeUsed[app] = true;
  return standin::ClassFactory::Make(standin::CreateOfficeApplication, app, iid, out);
}

STDAPI DllCanUnloadNow() { return standin::ModuleInUse() ? S_FALSE : S_OK; }
