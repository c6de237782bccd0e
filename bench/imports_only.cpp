// A program that does nothing but loads the same Windows DLLs as kelvano.exe (advapi32, ole32,
// oleaut32, shell32, user32 beside kernel32 and msvcrt). Beside minimal.exe it shows what
// loading those DLLs costs by itself, apart from anything kelvano.exe does.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

namespace {

// Referenced, never called: each entry makes the linker import its DLL.
const void* const volatile kImports[] = {
    reinterpret_cast<const void*>(&RegCloseKey),     // advapi32
    reinterpret_cast<const void*>(&CoInitializeEx),  // ole32
    reinterpret_cast<const void*>(&SysFreeString),   // oleaut32
    reinterpret_cast<const void*>(&ShellExecuteW),   // shell32
    reinterpret_cast<const void*>(&IsWindow),        // user32
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return kImports[0] == nullptr ? 1 : 0; }
