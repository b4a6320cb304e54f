// The window program's Stop requests and tones. Stop is posted to the main window as its Stop
// command, so it runs from the message queue after the current timer tick. Each tone gets a
// detached thread of its own calling Beep, so that the 20 ms tone never blocks the tick; where
// Beep makes no sound (Wine), tones go to the wave-out stream instead.
#include <process.h>
#include <windows.h>

#include <cstdint>

#include "ids.h"
#include "platform.h"
#include "playback_clock.h"
#include "tone_wave.h"
#include "wave_stream_win.h"

void platform_post_stop(MainWindow window)
{
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, ID_STOP, 0);
}

// Wine's Beep only rings the terminal bell; Wine is known by its own export in ntdll.
static bool beep_is_silent()
{
    static const bool silent = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return silent;
}

static void tone_thread(void* argument)
{
    Beep(static_cast<DWORD>(reinterpret_cast<intptr_t>(argument)), BEEP_MS);
}

// A thread that cannot be started is ignored: the tone is simply not heard.
void platform_start_tone(int frequency_hz)
{
    if (!beep_is_silent()) {
        _beginthread(tone_thread, 0, reinterpret_cast<void*>(static_cast<intptr_t>(frequency_hz)));
        return;
    }
    if (tone_is_audible(frequency_hz))
        wave_stream_request(frequency_hz);
}
