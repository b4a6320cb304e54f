#include "window_fixture.h"

#include <commctrl.h>

#include <fstream>

#include "app_state.h"
#include "app_window.h"
#include "ids.h"
#include "fake_shell.h"
#include "platform.h"
#include "player_state.h"
#include "song_loader.h"

SeamRecording seam;

// The Stop request is really posted, so tests see it run after the tick as in the program.
void platform_post_stop(MainWindow window)
{
    seam.stop_posts++;
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, 7, 0);
}

void platform_start_tone(int frequency_hz)
{
    seam.tone_frequencies.push_back(frequency_hz);
}

int pump_messages(int* exit_code)
{
    MSG message;
    int quit = 0;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = 1;
            if (exit_code != nullptr)
                *exit_code = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

void pump_for(int milliseconds)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        pump_messages();
        Sleep(5);
    }
}

HWND main_window_open()
{
    fake_shell_clear();
    seam = SeamRecording{};
    HWND window = app_create_window(app.instance);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pump_messages();
    return window;
}

void main_window_close(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    pump_messages();
}

std::string write_song_file(const std::vector<unsigned char>& bytes, const char* name)
{
    static int counter = 0;
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) +
                       (name != nullptr ? name : "tonkle-window-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                     std::to_string(counter++) + ".mid");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<unsigned char> song_with_tracks(const std::vector<std::vector<unsigned char>>& tracks)
{
    std::vector<unsigned char> song = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 0, 0, 96};
    song[11] = static_cast<unsigned char>(tracks.size());
    for (std::vector<unsigned char> events : tracks) {
        size_t n = events.size();
        bool ends = n >= 3 && events[n - 3] == 0xFF && events[n - 2] == 0x2F && events[n - 1] == 0x00;
        if (!ends)
            events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
        song.insert(song.end(), {'M', 'T', 'r', 'k'});
        for (int shift = 24; shift >= 0; shift -= 8)
            song.push_back(static_cast<unsigned char>(events.size() >> shift));
        song.insert(song.end(), events.begin(), events.end());
    }
    return song;
}

std::vector<unsigned char> titled(const std::string& title, std::vector<unsigned char> events)
{
    std::vector<unsigned char> meta = {0x00, 0xFF, 0x03, static_cast<unsigned char>(title.size())};
    for (char c : title)
        meta.push_back(static_cast<unsigned char>(c));
    events.insert(events.begin(), meta.begin(), meta.end());
    return events;
}

std::string list_cell(HWND list, int row, int column)
{
    char text[256] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

void ManualTickWindowTest::SetUp()
{
    window = main_window_open();
    list = GetDlgItem(window, ID_TRACKLIST);
    KillTimer(window, 1);
}

void ManualTickWindowTest::TearDown()
{
    main_window_close(window);
    song_unload();
    player_reset();
}

int ManualTickWindowTest::rows()
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}
