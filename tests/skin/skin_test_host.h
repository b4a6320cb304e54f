// A host window for the skin library's tests: it places objects from a table, answers every
// hit test with HTCAPTION like the program's main window, and records the library's requests.
#ifndef TONKLE_SKIN_TEST_HOST_H
#define TONKLE_SKIN_TEST_HOST_H

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "shell.h"

struct HostPlace {
  int id;
  RECT rect;  // client coordinates
};

struct HostDrawRequest {
  int id;
  HDC dc;
  RECT rect;
  HWND dc_window;            // WindowFromDC(dc) at the time of the request
  COLORREF center_pixel;     // what the panel had already painted at its centre
  int probe_visible;         // PtVisible of the host's probe point, in the panel's coordinates
};

struct HostCommand {
  WPARAM wparam;
  LPARAM lparam;
};

struct HostLog {
  std::vector<HostPlace> places;
  std::vector<HostDrawRequest> draws;
  std::vector<HostCommand> commands;
  int destroy_on_command;    // a command destroys the host, as the close button does
  POINT probe_in_host;       // a point whose visibility in the panels' DCs is recorded
};

// The places of the program's main window on a 400 x 300 client area.
std::vector<HostPlace> host_main_window_places();

// Creates a visible 400 x 300 host whose log is log (which must outlive the window).
HWND host_create(HostLog* log);

// Dispatches every message waiting in this thread's queue.
void host_pump_messages();

// The rectangle of a child in its parent's client coordinates.
RECT host_child_rect(HWND child);

// A test with a fresh host laid out like the program's main window.
class HostedSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log.places = host_main_window_places();
    host = host_create(&log);
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override {
    if (IsWindow(host)) {
      DestroyWindow(host);
    }
  }
  HostLog log = {};
  HWND host = nullptr;
};

#endif
