// Driving a modal dialog from inside its own message loop: a thread timer, dispatched by the
// dialog's loop, finds the dialog once it is shown and runs the test's action on it. If the
// dialog is still there a while after the action, it is cancelled and the test fails, so a
// broken action cannot leave the test program waiting for ever.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Starts watching for a dialog (class "#32770") owned by `owner`.
void dialog_driver_start(HWND owner, std::function<void(HWND dialog)> action);
// 1 once the action has run.
int dialog_driver_ran();
// Stops watching; safe to call when nothing is watched.
void dialog_driver_stop();

// Visible dialogs (class "#32770") owned by `owner`.
std::vector<HWND> owned_dialogs(HWND owner);

std::string window_text(HWND window);

// The open-file dialog's controls, by their common dialog ids.
constexpr int FILE_DIALOG_TYPE_COMBO = 0x470;  // cmb1
// Types `path` (Windows form) into the file name box and presses Open.
void file_dialog_choose(HWND dialog, const std::string& path);
// Selects filter `index` (counted from 0) as a user would, with the notifications the combo box
// sends when the user picks an entry.
void file_dialog_select_filter(HWND dialog, int index);
void file_dialog_cancel(HWND dialog);
