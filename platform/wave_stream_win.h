// Tones through the default wave-out device, for systems where Beep makes no sound (Wine): one
// long-lived stream that the tone requests feed. The stream opens the device on the first
// request, keeps it while tones come, and closes it and ends its thread after a short silence,
// so nothing is left open once playback is over.
#pragma once

constexpr int WAVE_RATE_HZ = 44100;
constexpr int WAVE_BLOCK_MS = 5;  // the finest step at which a tone can start
constexpr int WAVE_BLOCK_SAMPLES = WAVE_RATE_HZ * WAVE_BLOCK_MS / 1000;
constexpr int WAVE_BLOCKS = 128;        // room for the device to hold on to blocks for a while
constexpr int WAVE_LOOKAHEAD_MS = 40;   // how far ahead of the clock blocks are written
constexpr int WAVE_OPEN_CATCH_UP_MS = 400;  // longest device opening the stream's clock makes up for
constexpr int WAVE_QUEUE_SIZE = 64;     // requests waiting for their block; the oldest give way
constexpr int WAVE_IDLE_CLOSE_MS = 500;  // silence after which the device is closed
constexpr int WAVE_RETRY_MS = 2000;      // after a device could not be opened, requests wait this long

// Asks for one tone; never blocks for longer than a lock held only for a few instructions.
void wave_stream_request(int frequency_hz);
// 1 while the stream's thread runs (it holds the device open).
int wave_stream_running();
