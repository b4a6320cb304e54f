#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "app_state.h"
#include "app_window.h"
#include "cp932_texts.h"
#include "fake_shell.h"
#include "ids.h"
#include "player_state.h"
#include "shell.h"
#include "song_loader.h"
#include "window_fixture.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { window = main_window_open(); }
    void TearDown() override
    {
        main_window_close(window);
        song_unload();
        player_reset();
    }
    void load(const std::vector<unsigned char>& song)
    {
        std::string path = write_song_file(song);
        song_unload();
        ASSERT_EQ(song_load(path.c_str()), 1);
        DeleteFileA(path.c_str());
    }
    std::string status_text()
    {
        char text[TEXT_SIZE];
        status_text_compose(text, sizeof text);
        return text;
    }
    HWND window = nullptr;
};

SIZE bitmap_size(HBITMAP bitmap)
{
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

TEST_F(MainWindow, CreatesTheSkinObjectsInOrder)
{
    struct Expected {
        int id;
        int kind;
        std::string text;
        LONG bitmap_width;  // 0: no bitmap
        LONG bitmap_height;
    } expected[] = {
        {ID_CAPTION, SHELL_CAPTION, cp932::WINDOW_TITLE, 0, 0},
        {ID_CLOSE, SHELL_TEXT_BUTTON, cp932::CROSS, 0, 0},
        {ID_STATUS, SHELL_PANEL, "", 0, 0},
        {ID_SETTINGS, SHELL_BITMAP_BUTTON, "", 30, 30},
        {ID_OPEN, SHELL_BITMAP_BUTTON, "", 30, 30},
        {ID_PLAY, SHELL_BITMAP_BUTTON, "", 45, 30},
        {ID_STOP, SHELL_BITMAP_BUTTON, "", 45, 30},
        {ID_LISTFRAME, SHELL_PANEL, "", 0, 0},
    };
    ASSERT_EQ(fake_shell.objects.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); i++) {
        const ShellObjectCall& call = fake_shell.objects[i];
        EXPECT_EQ(call.id, expected[i].id) << "object " << i;
        EXPECT_EQ(call.kind, expected[i].kind) << "object " << i;
        EXPECT_EQ(call.text, expected[i].text) << "object " << i;
        EXPECT_EQ(call.placed, 1) << "object " << i;
        if (expected[i].bitmap_width == 0) {
            EXPECT_EQ(call.bitmap, nullptr) << "object " << i;
        } else {
            ASSERT_NE(call.bitmap, nullptr) << "object " << i;
            SIZE size = bitmap_size(call.bitmap);
            EXPECT_EQ(size.cx, expected[i].bitmap_width) << "object " << i;
            EXPECT_EQ(size.cy, expected[i].bitmap_height) << "object " << i;
        }
    }
}

TEST_F(MainWindow, IsA400By300PopupWithTheTrackListInsideItsFrame)
{
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_CAPTION);

    HWND list = GetDlgItem(window, ID_TRACKLIST);
    ASSERT_NE(list, nullptr);
    char class_name[64] = {};
    GetClassNameA(list, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "SysListView32");
    RECT list_rect;
    GetWindowRect(list, &list_rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&list_rect), 2);
    EXPECT_EQ(list_rect.left, 12);
    EXPECT_EQ(list_rect.top, 37);
    EXPECT_EQ(list_rect.right - list_rect.left, 376);
    EXPECT_EQ(list_rect.bottom - list_rect.top, 156);
}

TEST_F(MainWindow, LayoutTablePlacesEveryObject)
{
    struct Place {
        int id;
        RECT rect;
    } places[] = {
        {ID_CLOSE, {375, 10, 390, 25}},    {ID_CAPTION, {10, 10, 375, 25}}, {ID_SETTINGS, {360, 260, 390, 290}},
        {ID_PLAY, {55, 260, 100, 290}},    {ID_STATUS, {10, 205, 390, 250}}, {ID_STOP, {10, 260, 55, 290}},
        {ID_LISTFRAME, {10, 35, 390, 195}}, {ID_OPEN, {330, 260, 360, 290}},
    };
    for (const Place& place : places) {
        RECT rect{-1, -1, -1, -1};
        EXPECT_EQ(SendMessageA(window, SHELLM_GETRECT, static_cast<WPARAM>(place.id), reinterpret_cast<LPARAM>(&rect)),
                  1)
            << "id " << place.id;
        EXPECT_EQ(rect.left, place.rect.left) << "id " << place.id;
        EXPECT_EQ(rect.top, place.rect.top) << "id " << place.id;
        EXPECT_EQ(rect.right, place.rect.right) << "id " << place.id;
        EXPECT_EQ(rect.bottom, place.rect.bottom) << "id " << place.id;
    }
    for (int refused : {0, ID_TRACKLIST, 10, 0x1234}) {
        RECT rect{-1, -2, -3, -4};
        EXPECT_EQ(SendMessageA(window, SHELLM_GETRECT, static_cast<WPARAM>(refused), reinterpret_cast<LPARAM>(&rect)),
                  0)
            << "id " << refused;
        EXPECT_EQ(rect.left, -1);
        EXPECT_EQ(rect.bottom, -4);
    }
}

TEST_F(MainWindow, StatusPanelText)
{
    EXPECT_EQ(status_text(), cp932::UNTITLED + "\n2 Track " + cp932::STOPPED);
    player.play_mode = MODE_PLAYING;
    EXPECT_EQ(status_text(), cp932::UNTITLED + "\n2 Track " + cp932::PLAYING);

    // Loading while playing with nothing loaded keeps the player playing: the unload before
    // it finds nothing to stop.
    load(song_with_tracks({titled("100% %s%n%d", {0x01, 0x90, 60, 100})}));
    EXPECT_EQ(player.selected_track, 0);
    EXPECT_EQ(status_text(), "100% %s%n%d\n0 Track " + cp932::PLAYING);

    load(song_with_tracks({}));
    EXPECT_EQ(status_text(), "\n-1 Track " + cp932::STOPPED);
}

TEST_F(MainWindow, LongTitleIsShortenedAndTheStateLineKept)
{
    // 254 bytes: an ASCII byte then 'ド' over and over, so the cut falls on a character.
    std::string title = "a";
    while (title.size() < 254)
        title += cp932::DO;
    std::string ascii(255, 'x');
    for (const std::string& name : {title, ascii}) {
        load(song_with_tracks({titled(name, {0x01, 0x90, 60, 100})}));
        std::string text = status_text();
        std::string state = "\n0 Track " + cp932::STOPPED;
        ASSERT_LT(text.size(), static_cast<size_t>(TEXT_SIZE));
        ASSERT_GE(text.size(), state.size());
        EXPECT_EQ(text.substr(text.size() - state.size()), state);
        std::string shown = text.substr(0, text.size() - state.size());
        EXPECT_EQ(name.compare(0, shown.size(), shown), 0);
        EXPECT_GT(shown.size(), 200u);
        if (name == title) {
            EXPECT_EQ(shown.size() % 2, 1u) << "a double-byte character was cut";
        }
    }
}

TEST_F(MainWindow, StatusPanelAsksForItsTextOnEveryRepaint)
{
    HWND panel = GetDlgItem(window, ID_STATUS);
    fake_shell.shown_texts.clear();
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    ASSERT_EQ(fake_shell.shown_texts.size(), 1u);
    EXPECT_EQ(fake_shell.last_draw_result, 1);
    EXPECT_EQ(fake_shell.shown_texts.back(), cp932::UNTITLED + "\n2 Track " + cp932::STOPPED);
    // The text lies 10 pixels inside the panel on every side.
    RECT text_rect = fake_shell.shown_text_rects.back();
    EXPECT_EQ(text_rect.left, 10);
    EXPECT_EQ(text_rect.top, 10);
    EXPECT_EQ(text_rect.right, 370);
    EXPECT_EQ(text_rect.bottom, 35);

    ShellDrawRecord record{GetDC(panel), {0, 0, 10, 10}};
    EXPECT_EQ(SendMessageA(window, SHELLM_DRAW, ID_LISTFRAME, reinterpret_cast<LPARAM>(&record)), 0);
    ReleaseDC(panel, record.dc);
}

TEST_F(MainWindow, PlayAndStopRepaintThePanelAndTheList)
{
    for (int command : {ID_PLAY, ID_STOP}) {
        ValidateRect(GetDlgItem(window, ID_STATUS), nullptr);
        ValidateRect(GetDlgItem(window, ID_TRACKLIST), nullptr);
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0), 1);
        RECT dirty;
        EXPECT_TRUE(GetUpdateRect(GetDlgItem(window, ID_STATUS), &dirty, FALSE)) << "command " << command;
        EXPECT_TRUE(GetUpdateRect(GetDlgItem(window, ID_TRACKLIST), &dirty, FALSE)) << "command " << command;
        fake_shell.shown_texts.clear();
        pump_messages();
        ASSERT_FALSE(fake_shell.shown_texts.empty());
        const std::string& state = command == ID_PLAY ? cp932::PLAYING : cp932::STOPPED;
        EXPECT_EQ(fake_shell.shown_texts.back(), cp932::UNTITLED + "\n2 Track " + state);
    }
}

TEST_F(MainWindow, UnknownCommandsAreNotHandled)
{
    for (int id : {0, ID_CAPTION, ID_STATUS, ID_TRACKLIST, ID_LISTFRAME, 10, 1000})
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0), 0) << "id " << id;
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MainWindow, EveryPointIsACaptionForDragging)
{
    RECT rect;
    GetWindowRect(window, &rect);
    POINT points[] = {{rect.left + 1, rect.top + 1}, {rect.left + 200, rect.top + 150}, {rect.right - 2, rect.bottom - 2},
                      {rect.left + 380, rect.top + 15}, {rect.left - 50, rect.top - 50}};
    for (POINT p : points)
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
}

TEST_F(MainWindow, TimerDrivesThePlayerAndThePostedStopRunsAfterTheTick)
{
    load(song_with_tracks({{0x01, 0x90, 72, 100}, {0x00, 0xFF, 0x2F, 0x00}, {0x01, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}}));
    HWND list = GetDlgItem(window, ID_TRACKLIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < 3; i++) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>("");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    KillTimer(window, 1);  // the test gives the ticks itself
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    pump_messages();

    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(seam.tone_frequencies, std::vector<int>{131});
    EXPECT_EQ(list_cell(list, 0, 2), "\x83\x68");  // note 72: ド
    EXPECT_EQ(list_cell(list, 1, 2), "-");
    EXPECT_EQ(list_cell(list, 2, 2), "\x83\x68");

    // Ticks 2..11 count down; tick 12 advances track 2 to its end-of-track event, which asks
    // for Stop. The Stop must not run inside the tick.
    for (int tick = 2; tick <= 12; tick++)
        SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(seam.stop_posts, 1);
    EXPECT_EQ(player.play_mode, MODE_PLAYING);
    EXPECT_EQ(seam.tone_frequencies, (std::vector<int>{131, 4}));
    pump_messages();
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
}

TEST_F(MainWindow, TheRealTimerTicks)
{
    load(song_with_tracks({{0x01, 0x90, 60, 100}}));
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    pump_for(400);
    // One tone for the note, a silent one for the end-of-track event that asks for Stop.
    EXPECT_EQ(seam.tone_frequencies, (std::vector<int>{131, 4}));
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
}

TEST(MainWindowEnd, CloseButtonAndCloseRequestEndTheLoopWithCodeZero)
{
    for (bool button : {true, false}) {
        HWND window = main_window_open();
        if (button)
            PostMessageA(window, WM_COMMAND, ID_CLOSE, 0);
        else
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(app_message_loop(), 0);
        EXPECT_FALSE(IsWindow(window));
        player_reset();
    }
}

int metric_queries = 0;
int WINAPI metrics_of_a_1024_by_738_screen(int index)
{
    metric_queries++;
    return index == SM_CXFULLSCREEN ? 1024 : index == SM_CYFULLSCREEN ? 738 : 0;
}

TEST(MainWindowPlacement, CentresOnTheFullScreenAreaPlus19)
{
    RECT r = app_window_placement(1024, 738);
    EXPECT_EQ(r.left, 312);
    EXPECT_EQ(r.top, 228);
    EXPECT_EQ(r.right, 712);
    EXPECT_EQ(r.bottom, 528);

    metric_queries = 0;
    app.platform.get_system_metric = metrics_of_a_1024_by_738_screen;
    HWND window = main_window_open();
    app_use_real_platform();
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(metric_queries, 2);
    EXPECT_EQ(placed.left, 312);
    EXPECT_EQ(placed.top, 228);
    EXPECT_EQ(placed.right, 712);
    EXPECT_EQ(placed.bottom, 528);
    main_window_close(window);
}

struct BoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<BoxCall> box_calls;

BOOL WINAPI version_of_windows_9x(OSVERSIONINFOA* info)
{
    info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    return TRUE;
}

int WINAPI recording_message_box(HWND owner, const char* text, const char* caption, UINT type)
{
    box_calls.push_back({owner, text, caption, type});
    return IDOK;
}

BOOL WINAPI failing_version_query(OSVERSIONINFOA* info)
{
    EXPECT_EQ(info->dwPlatformId, 0u);
    EXPECT_EQ(info->dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
    return FALSE;
}

void CALLBACK close_main_window_soon(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostMessageA(FindWindowA("MainWindowClass", nullptr), WM_COMMAND, ID_CLOSE, 0);
}

TEST(MainWindowStart, RefusesWindows9xWithAMessage)
{
    app.platform.get_version = version_of_windows_9x;
    app.platform.message_box = recording_message_box;
    EXPECT_EQ(app_main(app.instance), 0);
    app_use_real_platform();
    ASSERT_EQ(box_calls.size(), 1u);
    EXPECT_EQ(box_calls[0].owner, nullptr);
    EXPECT_EQ(box_calls[0].caption, cp932::WINDOW_TITLE);
    EXPECT_EQ(box_calls[0].text.rfind(cp932::REFUSAL_START, 0), 0u);
    EXPECT_NE(box_calls[0].text.find("Windows NT/2000/XP/Vista"), std::string::npos);
    EXPECT_EQ(box_calls[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(FindWindowA("MainWindowClass", nullptr), nullptr);
}

TEST(MainWindowStart, FailedVersionQueryStartsAsOnNT)
{
    app.platform.get_version = failing_version_query;
    SetTimer(nullptr, 0, 10, close_main_window_soon);
    EXPECT_EQ(app_main(app.instance), 0);
    app_use_real_platform();
    player_reset();
}

}  // namespace
