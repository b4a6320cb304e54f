#pragma once

// `tonkle-render info SONG`: the title, the tracks and the selected track. Returns the exit code.
int render_info();
