// The version page of the settings sheet: the program's name, version and copyright from its own
// version resource, and a link to its web page.
#include <cstdio>
#include <cstring>
#include <vector>

#include "app_state.h"
#include "ids.h"
#include "settings_sheet.h"
#include "text_fit.h"

const char WEB_ADDRESS[] = "https://tonkle.example/";
const char WEB_SITE_NAME[] = "トンクル ホームページ";

static const char* about_version_value(const std::vector<char>& data, const char* name)
{
    char query[128];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\040904B0\\%s", name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), query, &value, &length) || value == nullptr || length == 0)
        return nullptr;
    return static_cast<const char*>(value);
}

void about_version_read(const char* module_path, AboutVersion* version)
{
    std::memset(version, 0, sizeof *version);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(module_path, &ignored);
    if (size == 0)
        return;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(module_path, 0, size, data.data()))
        return;
    if (const char* description = about_version_value(data, "FileDescription"))
        text_fit(version->description, sizeof version->description, description);
    if (const char* numbers = about_version_value(data, "FileVersion"))
        std::sscanf(numbers, "%d,%d,%d,%d", &version->numbers[0], &version->numbers[1], &version->numbers[2],
                    &version->numbers[3]);
    if (const char* copyright = about_version_value(data, "LegalCopyright"))
        text_fit(version->copyright, sizeof version->copyright, copyright);
}

// The description is shortened, never the version numbers. A buffer of no bytes gets nothing,
// not even the terminator.
void about_version_line(const AboutVersion* version, char* out, int capacity)
{
    if (capacity <= 0)
        return;
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, " Ver.%d.%d\n", version->numbers[0], version->numbers[1]);
    int room = capacity - static_cast<int>(std::strlen(numbers));
    size_t used = text_fit(out, room > 0 ? static_cast<size_t>(room) : 1, version->description);
    text_fit(out + used, static_cast<size_t>(capacity) - used, numbers);
}

// One link font per page, made when the page starts and released when it goes, so that painting
// the link leaves nothing behind.
static HFONT about_link_font(HWND page)
{
    return reinterpret_cast<HFONT>(GetWindowLongPtrA(page, DWLP_USER));
}

static INT_PTR about_page_on_init(HWND page)
{
    HFONT font = CreateFontA(12, 0, 0, 0, 0, FALSE, TRUE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_MODERN | FIXED_PITCH, "MS UI Gothic");
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(font));
    char module_path[PATH_SIZE] = {};
    GetModuleFileNameA(nullptr, module_path, sizeof module_path);
    AboutVersion version;
    about_version_read(module_path, &version);
    char line[TEXT_SIZE];
    about_version_line(&version, line, sizeof line);
    SetDlgItemTextA(page, IDC_VERSION_TEXT, line);
    SetDlgItemTextA(page, IDC_COPYRIGHT_TEXT, version.copyright);
    SetDlgItemTextA(page, IDC_WEB_LINK, WEB_SITE_NAME);
    return 1;
}

static INT_PTR about_page_on_destroy(HWND page)
{
    DeleteObject(about_link_font(page));
    SetWindowLongPtrA(page, DWLP_USER, 0);
    return 0;
}

static INT_PTR about_page_on_set_cursor(HWND page, HWND under_cursor)
{
    if (under_cursor != GetDlgItem(page, IDC_WEB_LINK))
        return 0;
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
    return 1;
}

static INT_PTR about_page_on_command(HWND page, int id)
{
    if (id != IDC_WEB_LINK)
        return 0;
    app.platform.shell_execute(page, "open", WEB_ADDRESS, nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}

static INT_PTR about_page_on_color_static(HWND page, HDC dc, HWND control)
{
    if (control == GetDlgItem(page, IDC_WEB_LINK)) {
        SelectObject(dc, about_link_font(page));
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
    }
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR CALLBACK about_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return about_page_on_init(page);
    case WM_DESTROY: return about_page_on_destroy(page);
    case WM_SETCURSOR: return about_page_on_set_cursor(page, reinterpret_cast<HWND>(wparam));
    case WM_COMMAND: return about_page_on_command(page, LOWORD(wparam));
    case WM_CTLCOLORSTATIC:
        return about_page_on_color_static(page, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    default: return 0;
    }
}
