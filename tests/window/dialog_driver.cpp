#include "dialog_driver.h"

#include <gtest/gtest.h>

namespace {

struct DialogDriver {
    HWND owner;
    std::function<void(HWND)> action;
    UINT_PTR timer;
    int ran;
    int ticks_waiting;  // before the dialog appeared
    int ticks_after;    // since the action ran with the dialog still there
};
DialogDriver driver;

constexpr int DRIVER_PERIOD_MS = 50;
constexpr int DRIVER_GIVE_UP_TICKS = 200;  // about 10 s

struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_owned_dialog(HWND window, LPARAM lparam)
{
    OwnedSearch* search = reinterpret_cast<OwnedSearch*>(lparam);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::string(class_name) == "#32770" && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner)
        search->found.push_back(window);
    return TRUE;
}

void CALLBACK dialog_driver_tick(HWND, UINT, UINT_PTR, DWORD)
{
    std::vector<HWND> dialogs = owned_dialogs(driver.owner);
    if (!driver.ran) {
        if (dialogs.empty()) {
            if (++driver.ticks_waiting > DRIVER_GIVE_UP_TICKS) {
                ADD_FAILURE() << "no dialog appeared";
                dialog_driver_stop();
            }
            return;
        }
        driver.ran = 1;
        driver.action(dialogs.front());
        return;
    }
    if (dialogs.empty()) {
        dialog_driver_stop();
        return;
    }
    if (++driver.ticks_after > DRIVER_GIVE_UP_TICKS / 4) {
        ADD_FAILURE() << "the dialog stayed open after the test's action; cancelling it";
        for (HWND dialog : dialogs)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

}  // namespace

std::vector<HWND> owned_dialogs(HWND owner)
{
    OwnedSearch search{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), collect_owned_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void dialog_driver_start(HWND owner, std::function<void(HWND dialog)> action)
{
    dialog_driver_stop();
    driver = DialogDriver{owner, std::move(action), 0, 0, 0, 0};
    driver.timer = SetTimer(nullptr, 0, DRIVER_PERIOD_MS, dialog_driver_tick);
}

int dialog_driver_ran()
{
    return driver.ran;
}

void dialog_driver_stop()
{
    if (driver.timer != 0)
        KillTimer(nullptr, driver.timer);
    driver.timer = 0;
}

std::string window_text(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The name box is an edit (edt1) in older layouts and a combo box (cmb13) in newer ones.
static HWND file_dialog_name_box(HWND dialog)
{
    HWND box = GetDlgItem(dialog, 0x480);
    return box != nullptr ? box : GetDlgItem(dialog, 0x47C);
}

void file_dialog_choose(HWND dialog, const std::string& path)
{
    HWND box = file_dialog_name_box(dialog);
    ASSERT_NE(box, nullptr);
    SetWindowTextA(box, path.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void file_dialog_select_filter(HWND dialog, int index)
{
    HWND combo = GetDlgItem(dialog, FILE_DIALOG_TYPE_COMBO);
    ASSERT_NE(combo, nullptr);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FILE_DIALOG_TYPE_COMBO, notification), reinterpret_cast<LPARAM>(combo));
}

void file_dialog_cancel(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}
