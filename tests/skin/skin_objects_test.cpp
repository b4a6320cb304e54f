// Creating the skin's objects: child windows with the host's ids, placed where the host says.
#include <gtest/gtest.h>
#include <string.h>

#include "shell.h"
#include "skin_test_host.h"

namespace {

struct ObjectPlan {
  int id;
  int kind;
  const char* text;
};

// The objects of the program's main window, in the order it creates them. "×" and the title
// "トンクル♪プレーヤー" in code page 932.
const ObjectPlan MAIN_WINDOW_OBJECTS[] = {
    {2, SHELL_CAPTION, "\x83\x67\x83\x93\x83\x4E\x83\x8B\x81\xF4\x83\x76\x83\x8C\x81\x5B\x83\x84\x81\x5B"},
    {1, SHELL_TEXT_BUTTON, "\x81\x7E"},
    {5, SHELL_PANEL, ""},
    {3, SHELL_BITMAP_BUTTON, ""},
    {9, SHELL_BITMAP_BUTTON, ""},
    {4, SHELL_BITMAP_BUTTON, ""},
    {7, SHELL_BITMAP_BUTTON, ""},
    {8, SHELL_PANEL, ""},
};

using SkinObjects = HostedSkinTest;

TEST_F(SkinObjects, MainWindowObjectsAreChildrenPlacedWhereTheHostSays) {
  for (const ObjectPlan& plan : MAIN_WINDOW_OBJECTS) {
    EXPECT_EQ(shell_create_object(host, plan.id, plan.kind, plan.text, nullptr), 1) << "id " << plan.id;
  }
  for (const HostPlace& place : log.places) {
    HWND child = GetDlgItem(host, place.id);
    ASSERT_NE(child, nullptr) << "id " << place.id;
    EXPECT_EQ(GetParent(child), host);
    EXPECT_EQ(GetDlgCtrlID(child), place.id);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(child)) << "id " << place.id;
    RECT rect = host_child_rect(child);
    EXPECT_TRUE(EqualRect(&rect, &place.rect))
        << "id " << place.id << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
  }
}

TEST_F(SkinObjects, AnObjectTheHostDoesNotPlaceStaysHidden) {
  // The test host has no place for ids 6 and 42.
  for (int id : {6, 42}) {
    EXPECT_EQ(shell_create_object(host, id, SHELL_PANEL, "", nullptr), 1);
    HWND child = GetDlgItem(host, id);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(IsWindowVisible(child)) << "id " << id;
  }
}

TEST_F(SkinObjects, TheCaptionKeepsItsOwnCopyOfTheText) {
  const char title[] = "\x83\x67\x83\x93\x83\x4E\x83\x8B\x81\xF4\x83\x76\x83\x8C\x81\x5B\x83\x84\x81\x5B";
  char caller_buffer[256];
  strcpy(caller_buffer, title);
  ASSERT_EQ(shell_create_object(host, 2, SHELL_CAPTION, caller_buffer, nullptr), 1);
  memset(caller_buffer, 'X', sizeof caller_buffer - 1);
  caller_buffer[sizeof caller_buffer - 1] = '\0';
  char shown[256] = "";
  GetWindowTextA(GetDlgItem(host, 2), shown, sizeof shown);
  EXPECT_STREQ(shown, title);
}

TEST_F(SkinObjects, RefusesBadRequests) {
  ASSERT_EQ(shell_create_object(host, 5, SHELL_PANEL, "", nullptr), 1);
  struct Case {
    const char* what;
    HWND host;
    int id;
    int kind;
  };
  const Case cases[] = {
      {"no host", nullptr, 3, SHELL_BITMAP_BUTTON},
      {"a host that is not a window", reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), 3, SHELL_BITMAP_BUTTON},
      {"an unknown kind", host, 3, 3},
      {"no kind", host, 3, 0},
      {"an id already taken", host, 5, SHELL_BITMAP_BUTTON},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shell_create_object(c.host, c.id, c.kind, "", nullptr), 0) << c.what;
  }
  EXPECT_EQ(GetDlgItem(host, 3), nullptr);
}

TEST_F(SkinObjects, NullTextAndNullBitmapAreAccepted) {
  EXPECT_EQ(shell_create_object(host, 2, SHELL_CAPTION, nullptr, nullptr), 1);
  EXPECT_EQ(shell_create_object(host, 4, SHELL_BITMAP_BUTTON, nullptr, nullptr), 1);
  EXPECT_TRUE(UpdateWindow(host));
  EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(host, 2)), 0);
}

TEST_F(SkinObjects, CaptionAndPanelsLetDragsThroughButButtonsDoNot) {
  for (const ObjectPlan& plan : MAIN_WINDOW_OBJECTS) {
    ASSERT_EQ(shell_create_object(host, plan.id, plan.kind, plan.text, nullptr), 1);
  }
  struct Case {
    int id;
    LRESULT expected;
  };
  const Case cases[] = {{2, HTTRANSPARENT}, {5, HTTRANSPARENT}, {8, HTTRANSPARENT}, {1, HTCLIENT},
                        {3, HTCLIENT},      {4, HTCLIENT},      {7, HTCLIENT},      {9, HTCLIENT}};
  for (const Case& c : cases) {
    HWND child = GetDlgItem(host, c.id);
    RECT rect = {};
    GetWindowRect(child, &rect);
    LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_EQ(SendMessageA(child, WM_NCHITTEST, 0, centre), c.expected) << "id " << c.id;
  }
}

TEST(SkinColors, KnownIdsHaveReadableColoursUnknownIdsNone) {
  COLORREF text = shell_get_color(SHELL_COLOR_TEXT);
  COLORREF back = shell_get_color(SHELL_COLOR_BACK);
  ASSERT_NE(text, CLR_INVALID);
  ASSERT_NE(back, CLR_INVALID);
  // Text on the background must stand out: compare their brightness.
  auto brightness = [](COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; };
  EXPECT_GT(brightness(back) - brightness(text), 125);
  for (int unknown : {0, 0x103, 0x105, 0x304, -1}) {
    EXPECT_EQ(shell_get_color(unknown), CLR_INVALID) << unknown;
  }
}

}  // namespace
