// The library's entry point: it remembers its module handle for the window classes.
#include <windows.h>

#include "skin_object.h"
#include "skin_theme.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    skin_instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  // At process exit the system reclaims everything; only an unload releases the fonts.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    skin_theme_release();
  }
  return TRUE;
}
