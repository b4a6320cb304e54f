// A stand-in for the skin library that records what the main window asks of it and plays the
// library's part of the contract: objects become child windows with their ids, placed by asking
// the host, and panels ask the host for their content on every repaint.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ShellObjectCall {
    int id;
    int kind;
    std::string text;
    HBITMAP bitmap;
    int placed;  // the host's answer to the place request
    RECT rect;
};

struct FakeShell {
    std::vector<ShellObjectCall> objects;
    std::vector<std::string> shown_texts;  // every shell_show_text, in order
    std::vector<RECT> shown_text_rects;
    int background_paints;
    int draw_requests;  // SHELLM_DRAW requests the panels sent
    int last_draw_result;
};

extern FakeShell fake_shell;
void fake_shell_clear();
