#pragma once

// `tonkle-render wav SONG -o OUT.wav ...`: what the speaker would play, as a WAV file.
// Returns the exit code.
int render_wav();
