// The settings sheet, driven from inside its modal loop: the options page, the version page and
// its link, and what painting the link leaves behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstring>

#include "app_state.h"
#include "app_window.h"
#include "cp932_texts.h"
#include "dialog_driver.h"
#include "ids.h"
#include "player_state.h"
#include "settings_sheet.h"
#include "window_fixture.h"

namespace {

constexpr int ID_APPLY = 0x3021;

class SettingsSheet : public ::testing::Test {
protected:
    void SetUp() override { window = main_window_open(); }
    void TearDown() override
    {
        dialog_driver_stop();
        app_use_real_platform();
        main_window_close(window);
        player_reset();
    }
    // Runs the Settings command with `action` driving the sheet.
    LRESULT settings_with(std::function<void(HWND)> action)
    {
        dialog_driver_start(window, std::move(action));
        LRESULT result = SendMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
        EXPECT_EQ(dialog_driver_ran(), 1) << "the settings sheet never appeared";
        dialog_driver_stop();
        return result;
    }
    HWND window = nullptr;
};

HWND current_page(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
}

std::string tab_text(HWND sheet, int index)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST_F(SettingsSheet, OpensOnTheOptionsPageShowingTheCurrentOptions)
{
    for (int even_tempo : {0, 1}) {
        for (int play_chords : {0, 1}) {
            player.even_tempo = even_tempo;
            player.play_chords = play_chords;
            EXPECT_EQ(settings_with([&](HWND sheet) {
                          EXPECT_EQ(window_text(sheet), cp932::SETTINGS_CAPTION);
                          HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
                          EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
                          EXPECT_EQ(tab_text(sheet, 0), "\x83\x74\x83\x40\x83\x43\x83\x8B");  // ファイル
                          EXPECT_EQ(tab_text(sheet, 1),  // バージョン情報
                                    "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1");
                          HWND page = current_page(sheet);
                          EXPECT_EQ(IsDlgButtonChecked(page, IDC_EVEN_TEMPO), even_tempo ? BST_CHECKED : BST_UNCHECKED);
                          EXPECT_EQ(IsDlgButtonChecked(page, IDC_PLAY_CHORDS), play_chords ? BST_CHECKED : BST_UNCHECKED);
                          EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, ID_APPLY)));
                          click(GetDlgItem(sheet, IDCANCEL));
                      }),
                      1);
            EXPECT_EQ(player.even_tempo, even_tempo);
            EXPECT_EQ(player.play_chords, play_chords);
        }
    }
    EXPECT_EQ(app.settings_busy, 0);
}

TEST_F(SettingsSheet, OkAndApplySetTheOptionsAndCancelDoesNot)
{
    struct Case {
        const char* name;
        int even_tempo, play_chords;  // before
        std::vector<int> boxes;        // clicked
        std::vector<int> buttons;      // pressed, in order
        int expected_even_tempo, expected_play_chords;
    } cases[] = {
        {"OK after unchecking", 1, 1, {IDC_EVEN_TEMPO}, {IDOK}, 0, 1},
        {"OK after checking both", 0, 0, {IDC_EVEN_TEMPO, IDC_PLAY_CHORDS}, {IDOK}, 1, 1},
        {"Cancel", 0, 1, {IDC_EVEN_TEMPO, IDC_PLAY_CHORDS}, {IDCANCEL}, 0, 1},
        {"Apply then Cancel", 1, 0, {IDC_PLAY_CHORDS}, {ID_APPLY, IDCANCEL}, 1, 1},
        {"Apply, change again, Cancel", 0, 0, {IDC_EVEN_TEMPO}, {ID_APPLY, IDC_EVEN_TEMPO, IDCANCEL}, 1, 0},
    };
    for (const Case& c : cases) {
        player.even_tempo = c.even_tempo;
        player.play_chords = c.play_chords;
        settings_with([&](HWND sheet) {
            HWND page = current_page(sheet);
            for (int box : c.boxes)
                click(GetDlgItem(page, box));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, ID_APPLY))) << c.name << ": a click enables Apply";
            for (int button : c.buttons) {
                if (button == IDC_EVEN_TEMPO || button == IDC_PLAY_CHORDS) {
                    click(GetDlgItem(page, button));
                    continue;
                }
                if (button == ID_APPLY) {
                    click(GetDlgItem(sheet, ID_APPLY));
                    EXPECT_EQ(player.even_tempo, c.expected_even_tempo) << c.name << ": applied at once";
                    EXPECT_EQ(player.play_chords, c.expected_play_chords) << c.name << ": applied at once";
                    continue;
                }
                click(GetDlgItem(sheet, button));
            }
        });
        EXPECT_EQ(player.even_tempo, c.expected_even_tempo) << c.name;
        EXPECT_EQ(player.play_chords, c.expected_play_chords) << c.name;
    }
}

TEST_F(SettingsSheet, ASecondSettingsCommandWhileOpenDoesNothing)
{
    LRESULT second = 0;
    int busy_while_open = 0;
    settings_with([&](HWND sheet) {
        busy_while_open = app.settings_busy;
        second = SendMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
        EXPECT_EQ(owned_dialogs(window).size(), 1u);
        click(GetDlgItem(sheet, IDCANCEL));
    });
    EXPECT_EQ(second, 1);
    EXPECT_EQ(busy_while_open, 1);
    EXPECT_EQ(app.settings_busy, 0);
    // And it opens again once closed.
    settings_with([&](HWND sheet) { click(GetDlgItem(sheet, IDCANCEL)); });
}

TEST_F(SettingsSheet, VersionPageShowsTheProgramsVersionResource)
{
    settings_with([&](HWND sheet) {
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        HWND page = current_page(sheet);
        char text[256];
        GetDlgItemTextA(page, IDC_VERSION_TEXT, text, sizeof text);
        EXPECT_STREQ(text, "TONKLE PLAYER Ver.3.4\n");
        GetDlgItemTextA(page, IDC_COPYRIGHT_TEXT, text, sizeof text);
        EXPECT_STREQ(text, "Copyright (C) 2026 The Tonkle developers");
        GetDlgItemTextA(page, IDC_WEB_LINK, text, sizeof text);
        EXPECT_STREQ(text, WEB_SITE_NAME);
        EXPECT_GT(std::strlen(WEB_SITE_NAME), 0u);
        click(GetDlgItem(sheet, IDOK));
    });
}

struct ShellCall {
    HWND owner;
    std::string verb, file;
    bool no_parameters, no_folder;
    int show;
};
std::vector<ShellCall> shell_calls;

HINSTANCE WINAPI recording_shell_execute(HWND owner, const char* verb, const char* file, const char* parameters,
                                         const char* folder, int show)
{
    shell_calls.push_back({owner, verb != nullptr ? verb : "", file != nullptr ? file : "", parameters == nullptr,
                           folder == nullptr, show});
    return reinterpret_cast<HINSTANCE>(33);
}

TEST_F(SettingsSheet, TheLinkIsABlueUnderlinedHandThatOpensTheWebPage)
{
    shell_calls.clear();
    app.platform.shell_execute = recording_shell_execute;
    HFONT link_font = nullptr;
    settings_with([&](HWND sheet) {
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        HWND page = current_page(sheet);
        HWND link = GetDlgItem(page, IDC_WEB_LINK);
        ASSERT_NE(link, nullptr);

        HDC dc = GetDC(link);
        for (int paint = 0; paint < 3; paint++) {
            LRESULT brush = SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
            HFONT font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
            if (paint == 0)
                link_font = font;
            EXPECT_EQ(font, link_font) << "a new font for every paint";
            LOGFONTA described{};
            ASSERT_EQ(GetObjectA(font, sizeof described, &described), static_cast<int>(sizeof described));
            EXPECT_TRUE(described.lfUnderline);
            EXPECT_EQ(described.lfHeight, 12);
            EXPECT_FALSE(described.lfItalic);
            EXPECT_EQ(described.lfCharSet, SHIFTJIS_CHARSET);
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        }
        ReleaseDC(link, dc);
        // Every other static gets the same hollow brush and keeps its colours.
        for (int id : {IDC_VERSION_TEXT, IDC_COPYRIGHT_TEXT}) {
            HWND other = GetDlgItem(page, id);
            HDC other_dc = GetDC(other);
            SetTextColor(other_dc, RGB(1, 2, 3));
            EXPECT_EQ(SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(other_dc), reinterpret_cast<LPARAM>(other)),
                      reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
            EXPECT_EQ(GetTextColor(other_dc), RGB(1, 2, 3));
            ReleaseDC(other, other_dc);
        }

        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // the arrow
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        EXPECT_EQ(SendMessageA(page, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // the hand
        EXPECT_EQ(GetWindowLongPtrA(page, DWLP_MSGRESULT), 1);
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
        SendMessageA(page, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_VERSION_TEXT)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));

        // A mouse click on the link, then other notifications of it; the version text is no link.
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(shell_calls.size(), 1u);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_WEB_LINK, STN_DBLCLK), reinterpret_cast<LPARAM>(link));
        EXPECT_EQ(shell_calls.size(), 2u);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_VERSION_TEXT, STN_CLICKED), 0);
        click(GetDlgItem(sheet, IDCANCEL));
    });
    ASSERT_EQ(shell_calls.size(), 2u);
    for (const ShellCall& call : shell_calls) {
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.file, WEB_ADDRESS);
        EXPECT_EQ(call.file.rfind("https://", 0), 0u);
        EXPECT_TRUE(call.no_parameters);
        EXPECT_TRUE(call.no_folder);
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
    // The page's font goes with the page.
    ASSERT_NE(link_font, nullptr);
    EXPECT_EQ(GetObjectType(link_font), 0u);
}

int gdi_objects()
{
    return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

// The fonts the link was really painted with, seen from a subclass of the page.
WNDPROC page_proc = nullptr;
HWND painted_link = nullptr;
std::vector<HFONT> link_paint_fonts;

LRESULT CALLBACK watching_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    LRESULT result = CallWindowProcA(page_proc, page, message, wparam, lparam);
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lparam) == painted_link)
        link_paint_fonts.push_back(static_cast<HFONT>(GetCurrentObject(reinterpret_cast<HDC>(wparam), OBJ_FONT)));
    return result;
}

TEST_F(SettingsSheet, RepaintingTheVersionPageLeavesNoGdiObjectsBehind)
{
    // The count is only worth comparing where the platform really counts (Wine answers 0).
    int before_brushes = gdi_objects();
    HBRUSH brushes[20];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    bool counted = gdi_objects() >= before_brushes + 20;
    for (HBRUSH brush : brushes)
        DeleteObject(brush);

    int before = 0, after = 0;
    link_paint_fonts.clear();
    settings_with([&](HWND sheet) {
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        HWND page = current_page(sheet);
        painted_link = GetDlgItem(page, IDC_WEB_LINK);
        page_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watching_page_proc)));
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        before = gdi_objects();
        for (int paint = 0; paint < 300; paint++)
            RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        after = gdi_objects();
        SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(page_proc));
        click(GetDlgItem(sheet, IDOK));
    });
    if (counted) {
        EXPECT_LE(after, before + 5);
    }
    ASSERT_GE(link_paint_fonts.size(), 300u);
    for (HFONT font : link_paint_fonts)
        ASSERT_EQ(font, link_paint_fonts.front()) << "the link was painted with a new font";
    EXPECT_EQ(GetObjectType(link_paint_fonts.front()), 0u) << "the link's font outlived the page";
}

TEST(AboutVersion, ReadsTheProgramsOwnVersionResource)
{
    char module_path[MAX_PATH];
    GetModuleFileNameA(nullptr, module_path, sizeof module_path);
    AboutVersion version;
    about_version_read(module_path, &version);
    EXPECT_STREQ(version.description, "TONKLE PLAYER");
    EXPECT_STREQ(version.copyright, "Copyright (C) 2026 The Tonkle developers");
    EXPECT_EQ(version.numbers[0], 3);
    EXPECT_EQ(version.numbers[1], 4);
    EXPECT_EQ(version.numbers[2], 0);
    EXPECT_EQ(version.numbers[3], 2);
}

TEST(AboutVersion, WithoutVersionInformationABlankVersionZeroAndNoCopyright)
{
    std::string plain = write_song_file({'n', 'o', ' ', 'v', 'e', 'r', 's', 'i', 'o', 'n'});
    for (const std::string& path : {plain, std::string("Z:\\no\\such\\file.exe")}) {
        AboutVersion version;
        std::memset(&version, 'x', sizeof version);
        about_version_read(path.c_str(), &version);
        char line[TEXT_SIZE];
        about_version_line(&version, line, sizeof line);
        EXPECT_STREQ(line, " Ver.0.0\n") << path;
        EXPECT_STREQ(version.copyright, "") << path;
    }
    DeleteFileA(plain.c_str());
}

// One node of a version resource: length, value length, type, key, value, children, each part
// aligned to 4 bytes.
std::vector<unsigned char> version_node(const std::wstring& key, const std::vector<unsigned char>& value,
                                        WORD value_length, WORD type, const std::vector<std::vector<unsigned char>>& children)
{
    std::vector<unsigned char> node(6);
    for (wchar_t c : key + L'\0') {
        node.push_back(static_cast<unsigned char>(c & 0xFF));
        node.push_back(static_cast<unsigned char>(c >> 8));
    }
    auto align = [&node] { node.resize((node.size() + 3) & ~size_t{3}); };
    align();
    node.insert(node.end(), value.begin(), value.end());
    for (const std::vector<unsigned char>& child : children) {
        align();
        node.insert(node.end(), child.begin(), child.end());
    }
    WORD header[3] = {static_cast<WORD>(node.size()), value_length, type};
    std::memcpy(node.data(), header, sizeof header);
    return node;
}

std::vector<unsigned char> version_string(const std::wstring& name, const std::wstring& text)
{
    std::vector<unsigned char> value;
    for (wchar_t c : text + L'\0') {
        value.push_back(static_cast<unsigned char>(c & 0xFF));
        value.push_back(static_cast<unsigned char>(c >> 8));
    }
    return version_node(name, value, static_cast<WORD>(text.size() + 1), 1, {});
}

// A copy of this program whose version resource holds a 301-character description and a
// 300-character copyright line.
std::string module_with_overlong_version()
{
    char module_path[MAX_PATH];
    GetModuleFileNameA(nullptr, module_path, sizeof module_path);
    std::string copy = write_song_file({}, "tonkle-overlong-version.exe");
    if (!CopyFileA(module_path, copy.c_str(), FALSE))
        return "";
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = (7u << 16) | 8u;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;
    std::vector<unsigned char> fixed_bytes(sizeof fixed);
    std::memcpy(fixed_bytes.data(), &fixed, sizeof fixed);
    std::wstring description = L"A" + std::wstring(150, L'\x8868');  // A and 150 × 表
    std::vector<unsigned char> strings = version_node(
        L"StringFileInfo", {}, 0, 1,
        {version_node(L"040904b0", {}, 0, 1,
                      {version_string(L"FileDescription", description), version_string(L"FileVersion", L"7, 8, 9, 10"),
                       version_string(L"LegalCopyright", std::wstring(300, L'c'))})});
    std::vector<unsigned char> translation = {0x09, 0x04, 0xB0, 0x04};
    std::vector<unsigned char> vars = version_node(L"VarFileInfo", {}, 0, 1, {version_node(L"Translation", translation, 4, 0, {})});
    std::vector<unsigned char> root = version_node(L"VS_VERSION_INFO", fixed_bytes, sizeof fixed, 0, {strings, vars});
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    if (update == nullptr)
        return "";
    UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
                    root.data(), static_cast<DWORD>(root.size()));
    if (!EndUpdateResourceA(update, FALSE))
        return "";
    return copy;
}

TEST(AboutVersion, OverlongVersionValuesAreShortenedOnReading)
{
    std::string module = module_with_overlong_version();
    ASSERT_FALSE(module.empty()) << "could not write the version resource";
    AboutVersion version;
    about_version_read(module.c_str(), &version);
    DeleteFileA(module.c_str());
    std::string description = version.description;
    EXPECT_EQ(description.size(), 255u);
    std::string expected = "A";
    while (expected.size() < 255)
        expected += cp932::HYOU;
    EXPECT_EQ(description, expected);
    EXPECT_EQ(std::string(version.copyright), std::string(255, 'c'));
    EXPECT_EQ(version.numbers[0], 7);
    EXPECT_EQ(version.numbers[1], 8);
    EXPECT_EQ(version.numbers[2], 9);
    EXPECT_EQ(version.numbers[3], 10);
    char line[TEXT_SIZE];
    about_version_line(&version, line, sizeof line);
    std::string shown = line;
    ASSERT_LT(shown.size(), static_cast<size_t>(TEXT_SIZE));
    ASSERT_GT(shown.size(), 9u);
    EXPECT_EQ(shown.substr(shown.size() - 9), " Ver.7.8\n");
    EXPECT_EQ((shown.size() - 9) % 2, 1u) << "a double-byte character was cut";
}

// A description too long for the line is shortened on a character boundary; the version numbers
// and the line break are always there and nothing is written past the buffer.
TEST(AboutVersion, AnOverlongDescriptionIsShortenedNeverOverflowing)
{
    AboutVersion version{};
    std::string description = "A";
    while (description.size() < sizeof version.description - 1)
        description += cp932::HYOU;
    std::memcpy(version.description, description.c_str(), description.size() + 1);
    version.numbers[0] = -2147483647 - 1;
    version.numbers[1] = 2147483647;
    const std::string numbers = " Ver.-2147483648.2147483647\n";
    for (int capacity : {256, 100, 40, 29, 28, 10, 2, 1, 0}) {
        char buffer[300];
        std::memset(buffer, '#', sizeof buffer);
        about_version_line(&version, buffer, capacity);
        for (int i = capacity; i < static_cast<int>(sizeof buffer); i++)
            ASSERT_EQ(buffer[i], '#') << "capacity " << capacity << ": byte " << i << " written";
        if (capacity == 0)
            continue;
        std::string line(buffer);
        ASSERT_LT(line.size(), static_cast<size_t>(capacity)) << "capacity " << capacity;
        if (capacity > static_cast<int>(numbers.size())) {
            ASSERT_GE(line.size(), numbers.size());
            EXPECT_EQ(line.substr(line.size() - numbers.size()), numbers) << "capacity " << capacity;
            std::string shown = line.substr(0, line.size() - numbers.size());
            EXPECT_EQ(description.compare(0, shown.size(), shown), 0);
            if (!shown.empty()) {
                EXPECT_EQ(shown.size() % 2, 1u) << "capacity " << capacity << ": a double-byte character was cut";
            }
        }
    }
}

}  // namespace
