#include "settings_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstddef>

#include "app_state.h"
#include "ids.h"

static const char SETTINGS_CAPTION[] = "設定";

// The page and header records end after the header titles and the header bitmap (the forms of
// the common controls 5.80): 48 and 52 bytes on 32-bit Windows.
constexpr UINT SETTINGS_PAGE_RECORD_SIZE = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
constexpr UINT SETTINGS_SHEET_RECORD_SIZE = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP);
static_assert(sizeof(void*) != 4 || SETTINGS_PAGE_RECORD_SIZE == 48, "page record of the first form");
static_assert(sizeof(void*) != 4 || SETTINGS_SHEET_RECORD_SIZE == 52, "sheet header of the first form");

int settings_command(HWND window)
{
    if (app.settings_busy)
        return 1;
    app.settings_busy = 1;
    settings_sheet_show(window);
    app.settings_busy = 0;
    return 1;
}

static HPROPSHEETPAGE settings_page_create(HINSTANCE instance, int template_id, DLGPROC procedure)
{
    PROPSHEETPAGEA page{};
    page.dwSize = SETTINGS_PAGE_RECORD_SIZE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(template_id);
    page.pfnDlgProc = procedure;
    return CreatePropertySheetPageA(&page);
}

// Pages are made with CreatePropertySheetPageA and passed as handles: the common controls step
// through an array of page records by the size each declares, so the short page records could
// not be passed as an array.
int settings_sheet_show(HWND owner)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    HPROPSHEETPAGE pages[2] = {settings_page_create(instance, IDD_OPTIONS_PAGE, options_page_proc),
                               settings_page_create(instance, IDD_ABOUT_PAGE, about_page_proc)};
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = SETTINGS_SHEET_RECORD_SIZE;
    sheet.dwFlags = PSH_USEHICON;
    sheet.hwndParent = owner;
    sheet.hInstance = instance;
    sheet.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETTINGS));
    sheet.pszCaption = SETTINGS_CAPTION;
    sheet.nPages = 2;
    sheet.nStartPage = 0;
    sheet.phpage = pages;
    PropertySheetA(&sheet);
    return 1;
}
