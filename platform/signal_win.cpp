// The window program's Stop requests and tones: Stop is posted to the main window as its Stop
// command, so it runs from the message queue after the current timer tick; every tone gets a
// detached thread of its own so that the 20 ms tone never blocks the tick.
#include <process.h>
#include <windows.h>

#include <cstdint>

#include "ids.h"
#include "platform.h"
#include "playback_clock.h"

void platform_post_stop(MainWindow window)
{
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, ID_STOP, 0);
}

static void tone_thread(void* argument)
{
    Beep(static_cast<DWORD>(reinterpret_cast<intptr_t>(argument)), BEEP_MS);
}

// A thread that cannot be started is ignored: the tone is simply not heard.
void platform_start_tone(int frequency_hz)
{
    _beginthread(tone_thread, 0, reinterpret_cast<void*>(static_cast<intptr_t>(frequency_hz)));
}
