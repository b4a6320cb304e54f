// The player's seam for the renderer: Stop requests are noted and carried out by the simulated
// clock after the tick that made them; tones go to whichever command is running.
#include "platform.h"
#include "render_state.h"

void platform_post_stop(MainWindow)
{
    render.stop_requested = 1;
}

void platform_start_tone(int frequency_hz)
{
    if (render.tone_sink != nullptr)
        render.tone_sink(frequency_hz);
}
