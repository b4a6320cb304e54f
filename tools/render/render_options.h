// The command line: which command, the song, and the options that go with the command.
#pragma once

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;  // the song or the output could not be read or written
constexpr int EXIT_USAGE = 2;   // the command line was wrong; the usage went to stderr

constexpr int RATE_MIN_HZ = 8000;
constexpr int RATE_MAX_HZ = 192000;
constexpr int RATE_DEFAULT_HZ = 44100;
constexpr long long TICK_US_DEFAULT = 1000;
constexpr long long TICK_US_MAX = 60000000;  // one minute per tick

// Fills render.options from argv. 1 when the command line is usable (or asks for help); 0 after
// printing what is wrong to stderr.
int render_options_parse(int argc, char** argv);

// Prints one problem with the command line, prefixed with the program's name, to stderr.
void render_usage_error(const char* format, const char* detail);
