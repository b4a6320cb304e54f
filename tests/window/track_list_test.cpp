// The track list: its columns, rows, the inverted row of the sounded track, note names during
// playback, and clicks choosing the sounded track.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "app_state.h"
#include "cp932_texts.h"
#include "fake_shell.h"
#include "ids.h"
#include "player_state.h"
#include "shell.h"
#include "song_loader.h"
#include "track_list.h"
#include "window_fixture.h"

namespace {

const COLORREF LIST_TEXT = RGB(0x10, 0x20, 0x30);  // the stand-in skin's colours
const COLORREF LIST_BACK = RGB(0xF0, 0xE0, 0xD0);

class TrackList : public ManualTickWindowTest {
protected:
    // Loads the way the Open command does, after its dialog.
    void open_song(const std::vector<unsigned char>& bytes)
    {
        std::string path = write_song_file(bytes);
        song_unload();
        track_list_clear(list);
        ASSERT_EQ(song_load(path.c_str()), 1);
        track_list_fill(list);
        DeleteFileA(path.c_str());
    }
    LRESULT notify(NMHDR* header) { return SendMessageA(window, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)); }
    NMLVCUSTOMDRAW custom_draw(DWORD stage, DWORD_PTR item)
    {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr = {list, ID_TRACKLIST, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = stage;
        draw.nmcd.dwItemSpec = item;
        draw.clrText = RGB(1, 2, 3);
        draw.clrTextBk = RGB(4, 5, 6);
        return draw;
    }
    LRESULT click_notification()
    {
        NMITEMACTIVATE click{};
        click.hdr = {list, ID_TRACKLIST, static_cast<UINT>(NM_CLICK)};
        click.iItem = -1;
        return notify(&click.hdr);
    }
    void select_rows(std::initializer_list<int> selected)
    {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = 0;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        for (int row : selected) {
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        }
    }
    int first_selected_row()
    {
        return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // A mouse click in the middle of a row's note cell.
    void click_row(int row)
    {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        LPARAM point = MAKELPARAM(200, (bounds.top + bounds.bottom) / 2);
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(list, WM_LBUTTONUP, 0, point);
        pump_messages();
    }
};

const std::vector<unsigned char> ONE_NOTE = {0x00, 0x90, 60, 100};

TEST_F(TrackList, ThreeLeftAlignedColumnsFillTheList)
{
    struct Column {
        std::string heading;
        int width;
    } expected[] = {{"CH", 50}, {cp932::LENGTH_HEADING, 50}, {cp932::NOTE_HEADING, 226}};
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(client.right, 376);
    for (int i = 0; i < 3; i++) {
        char heading[32] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = heading;
        column.cchTextMax = sizeof heading;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(heading, expected[i].heading) << "column " << i;
        EXPECT_EQ(column.cx, expected[i].width) << "column " << i;
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT) << "column " << i;
        EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0), expected[i].width);
    }
    LVCOLUMNA none{};
    none.mask = LVCF_WIDTH;
    EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&none)));

    LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_NOSORTHEADER);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), LIST_BACK);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)), LIST_BACK);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), LIST_TEXT);
}

TEST_F(TrackList, ASongGivesOneRowPerTrackAndAReplacedSongReplacesThem)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    ASSERT_EQ(rows(), 5);
    open_song(song_with_tracks({ONE_NOTE, {0x00, 0x90, 60, 100, 0x10, 0x90, 62, 100}, {}}));
    ASSERT_EQ(rows(), 3);
    const char* lengths[] = {"8", "12", "4"};
    for (int row = 0; row < 3; row++) {
        EXPECT_EQ(list_cell(list, row, 0), std::to_string(row));
        EXPECT_EQ(list_cell(list, row, 1), lengths[row]);
        EXPECT_EQ(list_cell(list, row, 2), "");
    }
    // A length stored with its top bit set is shown as the negative number it is taken for.
    std::vector<unsigned char> negative = {'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0xFF, 0x2F, 0x00};
    open_song(negative);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(list_cell(list, 0, 1), "-2");
}

TEST_F(TrackList, TheSoundedTracksRowIsInverted)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    ASSERT_EQ(player.selected_track, 2);
    NMLVCUSTOMDRAW prepaint = custom_draw(CDDS_PREPAINT, 0);
    EXPECT_EQ(notify(&prepaint.nmcd.hdr), CDRF_NOTIFYITEMDRAW);

    struct Case {
        int32_t selected;
        int inverted_row;  // -1: none
    } cases[] = {{2, 2}, {0, 0}, {-1, -1}, {3, -1}, {255, -1}};
    for (const Case& c : cases) {
        player.selected_track = c.selected;
        for (int row = 0; row < 3; row++) {
            NMLVCUSTOMDRAW item = custom_draw(CDDS_ITEMPREPAINT, static_cast<DWORD_PTR>(row));
            EXPECT_EQ(notify(&item.nmcd.hdr), CDRF_NEWFONT) << "row " << row;
            if (row == c.inverted_row) {
                EXPECT_EQ(item.clrText, LIST_BACK) << "selected " << c.selected << " row " << row;
                EXPECT_EQ(item.clrTextBk, LIST_TEXT) << "selected " << c.selected << " row " << row;
            } else {
                EXPECT_EQ(item.clrText, RGB(1, 2, 3)) << "selected " << c.selected << " row " << row;
                EXPECT_EQ(item.clrTextBk, RGB(4, 5, 6)) << "selected " << c.selected << " row " << row;
            }
        }
    }
    for (DWORD stage : {DWORD{CDDS_POSTPAINT}, DWORD{CDDS_ITEMPOSTPAINT}, DWORD{CDDS_PREERASE},
                        DWORD{CDDS_ITEMPREPAINT | CDDS_SUBITEM}}) {
        NMLVCUSTOMDRAW other = custom_draw(stage, 0);
        EXPECT_EQ(notify(&other.nmcd.hdr), 0) << "stage " << stage;
    }
}

// The list really paints through the main window's answers: the inverted row's empty note cell
// is filled with the skin's text colour, the others with its background.
TEST_F(TrackList, PaintsTheInvertedRowInTheSwappedColours)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    HDC dc = GetDC(list);
    for (int row = 0; row < 3; row++) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        COLORREF pixel = GetPixel(dc, 300, (bounds.top + bounds.bottom) / 2);
        EXPECT_EQ(pixel, row == 2 ? LIST_TEXT : LIST_BACK) << "row " << row;
    }
    ReleaseDC(list, dc);
}

TEST_F(TrackList, NoteCellShowsThePitchClassWhilePlayingAndADashOtherwise)
{
    open_song(song_with_tracks({ONE_NOTE}));
    struct Case {
        int32_t note;
        int32_t status;
        std::string shown;
    } cases[] = {
        {0, TRACK_PLAYING, cp932::DO},         {12, TRACK_PLAYING, cp932::DO},      {72, TRACK_PLAYING, cp932::DO},
        {120, TRACK_PLAYING, cp932::DO},       {61, TRACK_PLAYING, cp932::DO + cp932::SHARP},
        {63, TRACK_PLAYING, cp932::RE_SHARP},  {66, TRACK_PLAYING, cp932::FA_SHARP},
        {71, TRACK_PLAYING, "\x83\x56"},       // シ
        {255, TRACK_PLAYING, cp932::RE_SHARP}, {60, TRACK_FINISHED, "-"},           {60, TRACK_IDLE, "-"},
    };
    for (const Case& c : cases) {
        player.tracks[0].note = c.note;
        track_list_show_note(list, 0, c.status);
        EXPECT_EQ(list_cell(list, 0, 2), c.shown) << "note " << c.note << " status " << c.status;
    }
}

TEST_F(TrackList, PlaybackShowsNotesThenADashForAFinishedTrack)
{
    // The first note starts with the track and is passed over (chords are off); the others each
    // follow a wait.
    open_song(song_with_tracks({{0x00, 0x90, 60, 100, 0x10, 0x90, 61, 100, 0x10, 0x90, 72, 100}, {0x00, 0xFF, 0x2F, 0x00}}));
    player.selected_track = 0;
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(list_cell(list, 0, 2), cp932::DO + cp932::SHARP);
    EXPECT_EQ(list_cell(list, 1, 2), "-");
    for (int tick = 0; tick < 11; tick++)
        SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(list_cell(list, 0, 2), cp932::DO);
    for (int tick = 0; tick < 11 && player.play_mode == MODE_PLAYING; tick++) {
        SendMessageA(window, WM_TIMER, 1, 0);
        pump_messages();
    }
    EXPECT_EQ(player.play_mode, MODE_STOPPED);
    EXPECT_EQ(list_cell(list, 0, 2), "-");
    // After Stop the cells keep their text.
    EXPECT_EQ(list_cell(list, 1, 2), "-");
}

TEST_F(TrackList, AMouseClickChoosesTheSoundedTrackWithoutRepaintingTheStatusPanel)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    pump_messages();
    HWND status = GetDlgItem(window, ID_STATUS);
    ValidateRect(status, nullptr);
    ValidateRect(list, nullptr);
    fake_shell.shown_texts.clear();

    click_row(0);
    EXPECT_EQ(first_selected_row(), 0);
    EXPECT_EQ(player.selected_track, 0);
    RECT dirty;
    EXPECT_FALSE(GetUpdateRect(status, &dirty, FALSE));
    pump_messages();
    EXPECT_TRUE(fake_shell.shown_texts.empty()) << "the status panel was redrawn: " << fake_shell.shown_texts.back();

    click_row(1);
    EXPECT_EQ(player.selected_track, 1);
    // The next time the panel is drawn it shows the new number (the song has no title).
    InvalidateRect(status, nullptr, FALSE);
    pump_messages();
    ASSERT_FALSE(fake_shell.shown_texts.empty());
    EXPECT_EQ(fake_shell.shown_texts.back(), "\n1 Track " + cp932::STOPPED);
}

TEST_F(TrackList, AClickMakesTheLowestSelectedRowTheSoundedTrack)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    pump_messages();
    select_rows({3, 1});
    ValidateRect(list, nullptr);
    EXPECT_EQ(click_notification(), 1);
    EXPECT_EQ(player.selected_track, 1);
    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE)) << "the list must be repainted to show the new inverted row";

    // No selected row: nothing changes.
    select_rows({});
    EXPECT_EQ(click_notification(), 0);
    EXPECT_EQ(player.selected_track, 1);
}

TEST_F(TrackList, KeyboardMovesDoNotChangeTheSoundedTrack)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    click_row(0);
    ASSERT_EQ(player.selected_track, 0);
    SetFocus(list);
    for (int i = 0; i < 2; i++) {
        SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(list, WM_KEYUP, VK_DOWN, 0xC0000001);
        pump_messages();
    }
    EXPECT_EQ(first_selected_row(), 2);
    EXPECT_EQ(player.selected_track, 0);
}

TEST_F(TrackList, NotificationsFromOtherControlsAreNotHandled)
{
    open_song(song_with_tracks({ONE_NOTE, ONE_NOTE, ONE_NOTE}));
    select_rows({0});
    for (UINT_PTR id : {UINT_PTR{ID_STATUS}, UINT_PTR{ID_PLAY}, UINT_PTR{0}, UINT_PTR{1006}}) {
        NMHDR click = {list, id, static_cast<UINT>(NM_CLICK)};
        EXPECT_EQ(notify(&click), 0) << "id " << id;
        NMLVCUSTOMDRAW prepaint = custom_draw(CDDS_PREPAINT, 0);
        prepaint.nmcd.hdr.idFrom = id;
        EXPECT_EQ(notify(&prepaint.nmcd.hdr), 0) << "id " << id;
    }
    EXPECT_EQ(player.selected_track, 2);
    // Other notifications of the list itself.
    NMHDR other = {list, ID_TRACKLIST, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(notify(&other), 0);
    other.code = static_cast<UINT>(LVN_ITEMCHANGED);
    EXPECT_EQ(notify(&other), 0);
    EXPECT_EQ(player.selected_track, 2);
}

}  // namespace
