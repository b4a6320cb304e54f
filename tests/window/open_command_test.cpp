// The Open command through the real open-file dialog, driven from inside its modal loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "app_state.h"
#include "cp932_texts.h"
#include "dialog_driver.h"
#include "fake_shell.h"
#include "ids.h"
#include "player_state.h"
#include "song_loader.h"
#include "track_list.h"
#include "window_fixture.h"

namespace {

class OpenCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.open_filter_index = 0;
        app.open_initial_folder[0] = '\0';
        window = main_window_open();
        list = GetDlgItem(window, ID_TRACKLIST);
    }
    void TearDown() override
    {
        dialog_driver_stop();
        // The dialog makes the chosen file's folder the current one, which would keep it.
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        SetCurrentDirectoryA(temp);
        main_window_close(window);
        song_unload();
        player_reset();
        for (const std::string& path : files)
            DeleteFileA(path.c_str());
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
            RemoveDirectoryA(folder->c_str());
    }
    // Runs the Open command with `action` driving the dialog it shows.
    LRESULT open_with(std::function<void(HWND)> action)
    {
        dialog_driver_start(window, std::move(action));
        LRESULT result = SendMessageA(window, WM_COMMAND, ID_OPEN, 0);
        EXPECT_EQ(dialog_driver_ran(), 1) << "the open dialog never appeared";
        dialog_driver_stop();
        return result;
    }
    std::string song_file(const std::vector<unsigned char>& bytes)
    {
        files.push_back(write_song_file(bytes));
        return files.back();
    }
    int rows() { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
    HWND window = nullptr;
    HWND list = nullptr;
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

const std::vector<unsigned char> NOTES = {0x00, 0x90, 60, 100, 0x10, 0x90, 62, 100, 0x10, 0x90, 64, 100};

TEST_F(OpenCommand, RemembersTheChosenFilterAndACancelKeepsIt)
{
    std::string song = song_file(song_with_tracks({NOTES}));
    open_with([&](HWND dialog) {
        EXPECT_EQ(window_text(dialog), cp932::OPEN_DIALOG_TITLE);
        HWND types = GetDlgItem(dialog, FILE_DIALOG_TYPE_COMBO);
        ASSERT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(window_text(types), cp932::MIDI_FILTER);
        file_dialog_select_filter(dialog, 1);
        file_dialog_choose(dialog, song);
    });
    EXPECT_EQ(app.open_filter_index, 2);
    EXPECT_EQ(player.loaded, 1);

    // Choosing the first filter and cancelling leaves "other" remembered.
    open_with([&](HWND dialog) {
        HWND types = GetDlgItem(dialog, FILE_DIALOG_TYPE_COMBO);
        EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(window_text(types), cp932::OTHER_FILTER);
        file_dialog_select_filter(dialog, 0);
        file_dialog_cancel(dialog);
    });
    EXPECT_EQ(app.open_filter_index, 2);

    open_with([&](HWND dialog) {
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, FILE_DIALOG_TYPE_COMBO), CB_GETCURSEL, 0, 0), 1);
        file_dialog_cancel(dialog);
    });
}

TEST_F(OpenCommand, CancelAndASecondOpenWhileTheDialogIsUpChangeNothing)
{
    std::string song = song_file(song_with_tracks({NOTES, NOTES, titled("first", NOTES)}));
    open_with([&](HWND dialog) { file_dialog_choose(dialog, song); });
    ASSERT_EQ(rows(), 3);
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    seam.tone_frequencies.clear();

    LRESULT second = 0;
    size_t tones_before_the_dialog_showed = 0;
    EXPECT_EQ(open_with([&](HWND dialog) {
                  tones_before_the_dialog_showed = seam.tone_frequencies.size();
                  second = SendMessageA(window, WM_COMMAND, ID_OPEN, 0);
                  EXPECT_EQ(owned_dialogs(window).size(), 1u);
                  file_dialog_cancel(dialog);
              }),
              1);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(app.open_busy, 0);
    // The main window's timer kept the song playing while the dialog was up.
    EXPECT_GT(tones_before_the_dialog_showed, 0u);
    EXPECT_EQ(player.loaded, 1);
    EXPECT_EQ(player.play_mode, MODE_PLAYING);
    EXPECT_STREQ(player.title, "first");
    EXPECT_EQ(rows(), 3);

    // The command runs again once the dialog is gone.
    open_with([&](HWND dialog) { file_dialog_cancel(dialog); });
}

// What the list saw of the player when it was cleared and filled.
struct ListEvent {
    UINT message;
    int rows_before;
    int loaded;
    int track_count;
};
std::vector<ListEvent> list_events;
WNDPROC list_proc = nullptr;

LRESULT CALLBACK recording_list_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == LVM_DELETEALLITEMS || message == LVM_INSERTITEMA)
        list_events.push_back({message, static_cast<int>(CallWindowProcA(list_proc, list, LVM_GETITEMCOUNT, 0, 0)),
                               static_cast<int>(player.loaded), static_cast<int>(player.track_count)});
    return CallWindowProcA(list_proc, list, message, wparam, lparam);
}

TEST_F(OpenCommand, ReplacesThePlayingSongClearingTheListBeforeLoadingAndFillingAfter)
{
    std::string old_song = song_file(song_with_tracks({NOTES, NOTES}));
    std::string new_song = song_file(song_with_tracks({titled(cp932::SAKURA, NOTES), NOTES, {0x00, 0xFF, 0x2F, 0x00}}));
    open_with([&](HWND dialog) { file_dialog_choose(dialog, old_song); });
    ASSERT_EQ(rows(), 2);
    player.even_tempo = 1;
    player.play_chords = 1;
    player.selected_track = 0;
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    pump_messages();

    list_events.clear();
    list_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording_list_proc)));
    ValidateRect(GetDlgItem(window, ID_STATUS), nullptr);
    open_with([&](HWND dialog) { file_dialog_choose(dialog, new_song); });
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_proc));

    ASSERT_EQ(list_events.size(), 4u);
    EXPECT_EQ(list_events[0].message, static_cast<UINT>(LVM_DELETEALLITEMS));
    EXPECT_EQ(list_events[0].rows_before, 2);
    EXPECT_EQ(list_events[0].loaded, 0) << "the list was cleared before the old song was unloaded";
    for (size_t i = 1; i < 4; i++) {
        EXPECT_EQ(list_events[i].message, static_cast<UINT>(LVM_INSERTITEMA));
        EXPECT_EQ(list_events[i].loaded, 1) << "a row was added before the new song was loaded";
        EXPECT_EQ(list_events[i].track_count, 3);
    }
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
    EXPECT_EQ(player.even_tempo, 0);
    EXPECT_EQ(player.play_chords, 0);
    EXPECT_EQ(player.selected_track, 2);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(list_cell(list, 2, 0), "2");
    EXPECT_EQ(list_cell(list, 2, 1), "4");
    EXPECT_EQ(list_cell(list, 0, 2), "");

    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(GetDlgItem(window, ID_STATUS), &dirty, FALSE));
    EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE));
    fake_shell.shown_texts.clear();
    pump_messages();
    ASSERT_FALSE(fake_shell.shown_texts.empty());
    EXPECT_EQ(fake_shell.shown_texts.back(), cp932::SAKURA + "\n2 Track " + cp932::STOPPED);
}

TEST_F(OpenCommand, AFileThatCannotBeReadLeavesThePlayerEmpty)
{
    std::string old_song = song_file(song_with_tracks({titled("old", NOTES), NOTES, NOTES}));
    std::string locked = song_file(song_with_tracks({NOTES}));
    open_with([&](HWND dialog) { file_dialog_choose(dialog, old_song); });
    ASSERT_EQ(rows(), 3);

    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    open_with([&](HWND dialog) { file_dialog_choose(dialog, locked); });
    CloseHandle(lock);

    EXPECT_EQ(player.loaded, 0);
    EXPECT_EQ(player.track_count, 0);
    EXPECT_EQ(player.song, nullptr);
    EXPECT_EQ(rows(), 0);
    fake_shell.shown_texts.clear();
    pump_messages();
    ASSERT_FALSE(fake_shell.shown_texts.empty());
    EXPECT_EQ(fake_shell.shown_texts.back(), cp932::UNTITLED + "\n2 Track " + cp932::STOPPED);
}

// The folder's name is made of characters whose second byte is a backslash, so a folder cut at
// the last backslash byte, or at a character count, would come out wrong.
TEST_F(OpenCommand, TheOpenedSongsFolderIsWhereTheNextDialogStarts)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string name = "tonkle-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int i = 0; i < 30; i++)
        name += cp932::HYOU + cp932::SO;
    std::string folder = std::string(temp) + name;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    folders.push_back(folder);
    std::string path = folder + "\\song.mid";
    std::vector<unsigned char> song = song_with_tracks({titled("in the folder", NOTES)});
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, song.data(), static_cast<DWORD>(song.size()), &written, nullptr);
        CloseHandle(file);
        files.push_back(path);
    }

    open_with([&](HWND dialog) { file_dialog_choose(dialog, path); });
    ASSERT_STREQ(player.title, "in the folder");
    EXPECT_LT(std::strlen(app.open_initial_folder), static_cast<size_t>(PATH_SIZE));
    EXPECT_EQ(std::string(app.open_initial_folder), folder + "\\");

    // The next dialog starts there: the bare file name finds the song.
    song_unload();
    open_with([&](HWND dialog) { file_dialog_choose(dialog, "song.mid"); });
    EXPECT_STREQ(player.title, "in the folder");
    EXPECT_EQ(std::string(app.open_initial_folder), folder + "\\");
}

}  // namespace
