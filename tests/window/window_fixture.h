// Helpers for the window tests: a main window created as the program creates it, message
// pumping, song files, and a recording of the player's Stop requests and tones.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

struct SeamRecording {
    int stop_posts;
    std::vector<int> tone_frequencies;
};
extern SeamRecording seam;

// Dispatches every queued message; returns 1 when a quit message was among them, and stores
// its exit code.
int pump_messages(int* exit_code = nullptr);
// Pumps for about `milliseconds`, so that timers and other processes get their turn.
void pump_for(int milliseconds);

// Creates the main window the way start-up does (real metrics unless a test injected others),
// clears the recordings, and returns it.
HWND main_window_open();
// Destroys the window if it is still there and removes the quit message it leaves.
void main_window_close(HWND window);

// Writes the bytes to a new file in the temporary folder and returns its path.
std::string write_song_file(const std::vector<unsigned char>& bytes, const char* name = nullptr);
// Bytes of a song with the given track chunks' event bytes, each ending in end-of-track unless
// it already ends in FF 2F 00.
std::vector<unsigned char> song_with_tracks(const std::vector<std::vector<unsigned char>>& tracks);
// A track-name meta event followed by the rest of the track's events.
std::vector<unsigned char> titled(const std::string& title, std::vector<unsigned char> events);

// Text of a list view cell.
std::string list_cell(HWND list, int row, int column);

// A test with a fresh main window whose timer is stopped: the test gives the ticks itself.
class ManualTickWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    int rows();  // rows of the track list
    HWND window = nullptr;
    HWND list = nullptr;
};
