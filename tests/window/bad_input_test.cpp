// Songs that are empty, unreadable, gone, cut short or full of track tags, chosen in the real
// open dialog: the program keeps running, the player holds what the loader made of the file,
// the list and the status panel agree with it, and playing it runs to its Stop.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "app_state.h"
#include "cp932_texts.h"
#include "dialog_driver.h"
#include "fake_shell.h"
#include "ids.h"
#include "player_state.h"
#include "song_loader.h"
#include "window_fixture.h"

namespace {

enum class Mishap { none, locked, removed_after_choosing };

struct BadSong {
    const char* name;
    std::vector<unsigned char> bytes;
    Mishap mishap;
    int loaded;
    int track_count;
    int selected_track;
    std::string first_line;   // of the status panel
    std::string last_length;  // the last row's length cell
};

const std::vector<unsigned char> NOTES = {0x00, 0x90, 60, 100, 0x10, 0x90, 62, 100, 0x10, 0x90, 64, 100};

std::vector<unsigned char> cut(std::vector<unsigned char> bytes, size_t drop)
{
    bytes.resize(bytes.size() - drop);
    return bytes;
}

std::vector<unsigned char> many_tracks(int count)
{
    std::vector<std::vector<unsigned char>> tracks(static_cast<size_t>(count), {0x00, 0x90, 60, 100});
    return song_with_tracks(tracks);
}

std::vector<BadSong> bad_songs()
{
    std::vector<unsigned char> three = song_with_tracks({titled("cut", NOTES), NOTES, NOTES});
    return {
        {"empty file", {}, Mishap::none, 1, 0, -1, "", ""},
        {"locked by another handle", three, Mishap::locked, 0, 0, 2, cp932::UNTITLED, ""},
        {"removed after it was chosen", three, Mishap::removed_after_choosing, 0, 0, 2, cp932::UNTITLED, ""},
        // The last chunk declares 16 bytes of which 6 are left.
        {"cut inside the last track", cut(three, 10), Mishap::none, 1, 3, 2, "cut", "16"},
        // The last tag's length bytes are half gone: the track gets length 0.
        {"cut inside a chunk header", cut(three, 18), Mishap::none, 1, 3, 2, "cut", "0"},
        {"cut inside the last tag", cut(three, 21), Mishap::none, 1, 2, 2, "cut", "16"},
        {"300 track tags", many_tracks(300), Mishap::none, 1, MAX_TRACKS, 2, "", "8"},
    };
}

class BadInput : public ManualTickWindowTest {
protected:
    void TearDown() override
    {
        dialog_driver_stop();
        ManualTickWindowTest::TearDown();
    }
};

TEST_F(BadInput, ChosenInTheOpenDialog)
{
    std::vector<unsigned char> good = song_with_tracks({titled("good", NOTES), NOTES, NOTES, NOTES});
    for (const BadSong& song : bad_songs()) {
        SCOPED_TRACE(song.name);
        // A good song plays when the bad one is chosen.
        std::string good_path = write_song_file(good);
        song_unload();
        ASSERT_EQ(song_load(good_path.c_str()), 1);
        DeleteFileA(good_path.c_str());
        SendMessageA(window, WM_COMMAND, ID_PLAY, 0);

        std::string path = write_song_file(song.bytes);
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (song.mishap == Mishap::locked) {
            lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        }
        dialog_driver_start(window, [&](HWND dialog) {
            file_dialog_choose(dialog, path);
            // The dialog has accepted the file and ends once this returns; the song is read after.
            if (song.mishap == Mishap::removed_after_choosing) {
                EXPECT_TRUE(DeleteFileA(path.c_str()));
            }
        });
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, ID_OPEN, 0), 1);
        EXPECT_EQ(dialog_driver_ran(), 1);
        dialog_driver_stop();
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        DeleteFileA(path.c_str());

        EXPECT_EQ(player.loaded, song.loaded);
        EXPECT_EQ(player.track_count, song.track_count);
        EXPECT_EQ(player.selected_track, song.selected_track);
        EXPECT_EQ(player.play_mode, MODE_STOPPED);
        ASSERT_EQ(rows(), song.track_count);
        if (song.track_count > 0) {
            EXPECT_EQ(list_cell(list, song.track_count - 1, 0), std::to_string(song.track_count - 1));
            EXPECT_EQ(list_cell(list, song.track_count - 1, 1), song.last_length);
        }
        fake_shell.shown_texts.clear();
        pump_messages();
        ASSERT_FALSE(fake_shell.shown_texts.empty());
        EXPECT_EQ(fake_shell.shown_texts.back(),
                  song.first_line + "\n" + std::to_string(song.selected_track) + " Track " + cp932::STOPPED);

        // A loaded song plays to its Stop; with nothing loaded the player plays nothing until
        // the user stops it.
        SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
        for (int tick = 0; tick < 1000 && player.play_mode == MODE_PLAYING; tick++) {
            SendMessageA(window, WM_TIMER, 1, 0);
            pump_messages();
        }
        if (song.loaded == 1) {
            EXPECT_EQ(player.play_mode, MODE_STOPPED);
        } else {
            EXPECT_EQ(player.play_mode, MODE_PLAYING);
            SendMessageA(window, WM_COMMAND, ID_STOP, 0);
            EXPECT_EQ(player.play_mode, MODE_STOPPED);
        }
        ASSERT_TRUE(IsWindow(window));
    }
}

}  // namespace
