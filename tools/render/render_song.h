// Loading the song and setting up playback the way the window's commands would.
#pragma once

// Unloads whatever is loaded and loads render.options.song_path as the Open command does.
// 1 when the song was read; otherwise one error line naming the file went to stderr.
int render_song_open();

// Sets the options as the settings sheet would and picks --track as a click on its row would.
// 1 when done; 0 after a usage error (the track does not exist).
int render_song_prepare_playback();
