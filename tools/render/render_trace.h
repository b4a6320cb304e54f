#pragma once

// `tonkle-render trace SONG ...`: every tone the player starts and the tick of the Stop.
// Returns the exit code.
int render_trace();
