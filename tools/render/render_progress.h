// Progress of long work on stderr, shown only on a terminal and only once the work has taken
// a moment, so short runs and scripts see nothing.
#pragma once

void render_progress_begin(const char* label);
// 1 when a new progress line should be shown now; cheap enough to ask often.
int render_progress_due();
// Shows "tonkle-render: LABEL TEXT" in place of the previous progress line.
void render_progress_show(const char* text);
// Clears the progress line, if one is shown.
void render_progress_end();
