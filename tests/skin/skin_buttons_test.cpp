// Buttons take their own mouse input and send WM_COMMAND to the host for a click.
#include <gtest/gtest.h>

#include "shell.h"
#include "skin_test_host.h"

namespace {

enum StepKind { DOWN, MOVE, UP, STEAL_CAPTURE };

struct Step {
  StepKind kind;
  int x;  // button client coordinates
  int y;
};

struct ClickCase {
  const char* what;
  Step steps[4];
  int step_count;
  int commands;
};

void button_send(HWND button, const Step& step) {
  LPARAM point = MAKELPARAM(static_cast<WORD>(step.x), static_cast<WORD>(step.y));
  switch (step.kind) {
    case DOWN:
      SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, point);
      break;
    case MOVE:
      SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, point);
      break;
    case UP:
      SendMessageA(button, WM_LBUTTONUP, 0, point);
      break;
    case STEAL_CAPTURE:
      SetCapture(GetParent(button));
      ReleaseCapture();
      break;
  }
}

class SkinButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    log.places = host_main_window_places();
    host = host_create(&log);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(shell_create_object(host, 4, SHELL_BITMAP_BUTTON, "", nullptr), 1);
    ASSERT_EQ(shell_create_object(host, 1, SHELL_TEXT_BUTTON, "\x81\x7E", nullptr), 1);
  }
  void TearDown() override {
    if (IsWindow(host)) {
      DestroyWindow(host);
    }
  }
  HostLog log = {};
  HWND host = nullptr;
};

TEST_F(SkinButtons, OnlyAPressAndReleaseInsideIsAClick) {
  // The play button is 45 x 30.
  const ClickCase cases[] = {
      {"press and release inside", {{DOWN, 5, 5}, {UP, 6, 6}}, 2, 1},
      {"release at the far corner", {{DOWN, 5, 5}, {UP, 44, 29}}, 2, 1},
      {"release to the left", {{DOWN, 5, 5}, {UP, -20, 5}}, 2, 0},
      {"release below", {{DOWN, 5, 5}, {UP, 5, 30}}, 2, 0},
      {"out and back in", {{DOWN, 5, 5}, {MOVE, 90, 5}, {MOVE, 20, 10}, {UP, 20, 10}}, 4, 1},
      {"in and out again", {{DOWN, 5, 5}, {MOVE, 20, 10}, {MOVE, 20, -40}, {UP, 20, -40}}, 4, 0},
      {"release without a press", {{MOVE, 5, 5}, {UP, 5, 5}}, 2, 0},
      {"capture taken away", {{DOWN, 5, 5}, {STEAL_CAPTURE, 0, 0}, {UP, 5, 5}}, 3, 0},
  };
  HWND button = GetDlgItem(host, 4);
  for (const ClickCase& c : cases) {
    log.commands.clear();
    for (int index = 0; index < c.step_count; ++index) {
      button_send(button, c.steps[index]);
    }
    EXPECT_EQ(static_cast<int>(log.commands.size()), c.commands) << c.what;
    EXPECT_EQ(GetCapture(), nullptr) << c.what;
  }
}

TEST_F(SkinButtons, TheCommandCarriesTheObjectIdAndTheButton) {
  for (int id : {4, 1}) {
    log.commands.clear();
    HWND button = GetDlgItem(host, id);
    button_send(button, Step{DOWN, 3, 3});
    button_send(button, Step{UP, 3, 3});
    ASSERT_EQ(log.commands.size(), 1u) << "id " << id;
    EXPECT_EQ(LOWORD(log.commands[0].wparam), id);
    EXPECT_EQ(HIWORD(log.commands[0].wparam), BN_CLICKED);
    EXPECT_EQ(reinterpret_cast<HWND>(log.commands[0].lparam), button);
  }
}

TEST_F(SkinButtons, AClickThatClosesTheHostEndsCleanly) {
  log.destroy_on_command = 1;
  HWND button = GetDlgItem(host, 1);
  button_send(button, Step{DOWN, 3, 3});
  button_send(button, Step{UP, 3, 3});
  host_pump_messages();
  EXPECT_EQ(log.commands.size(), 1u);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_FALSE(IsWindow(button));
}

TEST_F(SkinButtons, HoverAndPressRepaintTheButton) {
  HWND button = GetDlgItem(host, 4);
  UpdateWindow(host);
  RECT update = {};
  button_send(button, Step{MOVE, 5, 5});
  EXPECT_TRUE(GetUpdateRect(button, &update, FALSE)) << "hot";
  UpdateWindow(button);
  button_send(button, Step{DOWN, 5, 5});
  EXPECT_TRUE(GetUpdateRect(button, &update, FALSE)) << "pressed";
  UpdateWindow(button);
  button_send(button, Step{MOVE, 100, 5});
  EXPECT_TRUE(GetUpdateRect(button, &update, FALSE)) << "pointer left while pressed";
  UpdateWindow(button);
  button_send(button, Step{UP, 100, 5});
  EXPECT_TRUE(GetUpdateRect(button, &update, FALSE)) << "released";
}

}  // namespace
