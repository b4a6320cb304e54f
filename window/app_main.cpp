// Start-up: the window class, the refusal of Windows 9x/ME, the centred placement and the
// message loop.
#include <cstring>

#include "app_state.h"
#include "app_window.h"
#include "ids.h"

AppState app;

const char MAIN_WINDOW_CLASS[] = "MainWindowClass";
const char MAIN_WINDOW_TITLE[] = "トンクル♪プレーヤー";

static const char PLATFORM_REFUSAL[] =
    "Windows 9x/MEを検出しました。\nトンクル♪プレーヤーはWindows NT/2000/XP/Vista上でのみ動作できます。";

void app_use_real_platform()
{
    app.platform.get_version = GetVersionExA;
    app.platform.get_system_metric = GetSystemMetrics;
    app.platform.message_box = MessageBoxA;
    app.platform.shell_execute = ShellExecuteA;
}

// The 19 pixels are added to the work area's height before centring, as the window always was.
RECT app_window_placement(int full_width, int full_height)
{
    RECT r;
    r.left = (full_width - MAIN_WIDTH) / 2;
    r.right = (full_width + MAIN_WIDTH) / 2;
    r.top = (full_height + 19 - MAIN_HEIGHT) / 2;
    r.bottom = (full_height + 19 + MAIN_HEIGHT) / 2;
    return r;
}

int app_register_class(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = main_window_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = MAIN_WINDOW_CLASS;
    return RegisterClassA(&wc) != 0;
}

HWND app_create_window(HINSTANCE instance)
{
    RECT r = app_window_placement(app.platform.get_system_metric(SM_CXFULLSCREEN),
                                  app.platform.get_system_metric(SM_CYFULLSCREEN));
    return CreateWindowExA(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, WS_POPUP | WS_SYSMENU, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
}

int app_message_loop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// A failed version query goes on as on the NT family: the record stays zero-filled.
static int app_platform_refused()
{
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    app.platform.get_version(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

int app_main(HINSTANCE instance)
{
    app.instance = instance;
    if (app.platform.get_version == nullptr)
        app_use_real_platform();
    app_register_class(instance);
    if (app_platform_refused()) {
        app.platform.message_box(nullptr, PLATFORM_REFUSAL, MAIN_WINDOW_TITLE, MB_OK);
        return 0;
    }
    HWND window = app_create_window(instance);
    if (window == nullptr)
        return 0;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return app_message_loop();
}
