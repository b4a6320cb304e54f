#include "render_clock.h"

#include "playback_clock.h"
#include "render_state.h"

int64_t render_clock_play(AfterTick after_tick)
{
    render.stop_requested = 0;
    player_play();
    for (int64_t tick = 1;; tick++) {
        render.tick = tick;
        player_tick(nullptr);
        if (render.stop_requested) {
            render.stop_requested = 0;
            player_stop();
            return tick;
        }
        if (after_tick != nullptr && !after_tick()) {
            player_stop();
            return 0;
        }
    }
}
