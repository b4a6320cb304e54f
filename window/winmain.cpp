#include <windows.h>

#include "app_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return app_main(instance);
}
