// Painting: panels ask the host for their content, the background and the text land where they
// should, and repainting holds on to no GDI objects.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "gdi_objects.h"
#include "shell.h"
#include "skin_test_host.h"

namespace {

const COLORREF UNPAINTED = RGB(255, 0, 255);

// A 32-bit top-down bitmap in a memory device context, first filled with UNPAINTED.
struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  DWORD* pixels;
  int width;
  int height;
};

Canvas canvas_create(int width, int height) {
  Canvas canvas = {};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  canvas.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  canvas.dc = CreateCompatibleDC(nullptr);
  canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
  canvas.pixels = static_cast<DWORD*>(bits);
  canvas.width = width;
  canvas.height = height;
  for (int index = 0; index < width * height; ++index) {
    canvas.pixels[index] = 0x00FF00FF;
  }
  return canvas;
}

void canvas_destroy(Canvas* canvas) {
  SelectObject(canvas->dc, canvas->previous);
  DeleteDC(canvas->dc);
  DeleteObject(canvas->bitmap);
}

COLORREF canvas_pixel(const Canvas& canvas, int x, int y) {
  DWORD bgr = canvas.pixels[y * canvas.width + x];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// The bounding box of the pixels that are no longer UNPAINTED; empty if there are none.
RECT canvas_ink_box(const Canvas& canvas) {
  RECT box = {canvas.width, canvas.height, 0, 0};
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      if (canvas_pixel(canvas, x, y) != UNPAINTED) {
        box.left = x < box.left ? x : box.left;
        box.top = y < box.top ? y : box.top;
        box.right = x + 1 > box.right ? x + 1 : box.right;
        box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
      }
    }
  }
  return box;
}

// Rows with ink, as runs of [top, bottom).
std::vector<std::pair<int, int>> canvas_ink_bands(const Canvas& canvas) {
  std::vector<std::pair<int, int>> bands;
  int band_top = -1;
  for (int y = 0; y <= canvas.height; ++y) {
    bool ink = false;
    for (int x = 0; y < canvas.height && x < canvas.width && !ink; ++x) {
      ink = canvas_pixel(canvas, x, y) != UNPAINTED;
    }
    if (ink && band_top < 0) {
      band_top = y;
    } else if (!ink && band_top >= 0) {
      bands.emplace_back(band_top, y);
      band_top = -1;
    }
  }
  return bands;
}

class SkinPaint : public HostedSkinTest {
 protected:
  void TearDown() override {
    HostedSkinTest::TearDown();
    // The host owns the bitmap, and deletes it once the button is gone.
    if (bitmap != nullptr) {
      DeleteObject(bitmap);
    }
  }
  void create_main_window_objects() {
    ASSERT_EQ(shell_create_object(host, 2, SHELL_CAPTION, "Tonkle", nullptr), 1);
    ASSERT_EQ(shell_create_object(host, 1, SHELL_TEXT_BUTTON, "\x81\x7E", nullptr), 1);
    ASSERT_EQ(shell_create_object(host, 5, SHELL_PANEL, "", nullptr), 1);
    ASSERT_EQ(shell_create_object(host, 4, SHELL_BITMAP_BUTTON, "", play_bitmap()), 1);
    ASSERT_EQ(shell_create_object(host, 7, SHELL_BITMAP_BUTTON, "", nullptr), 1);
    ASSERT_EQ(shell_create_object(host, 8, SHELL_PANEL, "", nullptr), 1);
  }
  // A 45 x 30 picture: a dark square on a light background.
  HBITMAP play_bitmap() {
    if (bitmap == nullptr) {
      HDC screen = GetDC(nullptr);
      bitmap = CreateCompatibleBitmap(screen, 45, 30);
      ReleaseDC(nullptr, screen);
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ previous = SelectObject(dc, bitmap);
      RECT all = {0, 0, 45, 30};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      RECT square = {15, 8, 30, 22};
      FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      SelectObject(dc, previous);
      DeleteDC(dc);
    }
    return bitmap;
  }
  HBITMAP bitmap = nullptr;
};

TEST_F(SkinPaint, EveryRepaintOfAPanelAsksTheHostForItsContent) {
  create_main_window_objects();
  UpdateWindow(host);
  HWND panel = GetDlgItem(host, 5);
  for (int round = 0; round < 3; ++round) {
    log.draws.clear();
    // The host's way to refresh the status panel: invalidate it without erasing.
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    ASSERT_EQ(log.draws.size(), 1u) << "round " << round;
    const HostDrawRequest& request = log.draws[0];
    EXPECT_EQ(request.id, 5);
    EXPECT_EQ(request.dc_window, panel);
    RECT client = {};
    GetClientRect(panel, &client);
    EXPECT_TRUE(EqualRect(&request.rect, &client));
    EXPECT_EQ(request.rect.right - request.rect.left, 380);
    EXPECT_EQ(request.rect.bottom - request.rect.top, 45);
    // The panel has painted its background before the request.
    EXPECT_EQ(request.center_pixel, shell_get_color(SHELL_COLOR_BACK));
  }
}

TEST_F(SkinPaint, APanelLeavesTheHostsControlsInsideItAlone) {
  create_main_window_objects();
  // Like the program's track list: created after the frame, inside it.
  HWND list = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 12, 37, 376, 156, host,
                              reinterpret_cast<HMENU>(6), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  UpdateWindow(host);
  HWND frame = GetDlgItem(host, 8);
  for (POINT probe : {POINT{200, 100}, POINT{11, 36}}) {
    log.probe_in_host = probe;
    log.draws.clear();
    InvalidateRect(frame, nullptr, FALSE);
    UpdateWindow(frame);
    ASSERT_EQ(log.draws.size(), 1u);
    EXPECT_EQ(log.draws[0].id, 8);
    bool inside_list = probe.x >= 12 && probe.x < 388 && probe.y >= 37 && probe.y < 193;
    EXPECT_EQ(log.draws[0].probe_visible, inside_list ? 0 : 1) << probe.x << "," << probe.y;
  }
}

TEST_F(SkinPaint, BackgroundCoversTheWholeClientArea) {
  Canvas canvas = canvas_create(400, 300);
  EXPECT_EQ(shell_show_background(canvas.dc, host), 1);
  RECT box = canvas_ink_box(canvas);
  RECT expected = {0, 0, 400, 300};
  EXPECT_TRUE(EqualRect(&box, &expected));
  int unpainted = 0;
  for (int index = 0; index < 400 * 300; ++index) {
    unpainted += canvas.pixels[index] == 0x00FF00FF ? 1 : 0;
  }
  EXPECT_EQ(unpainted, 0);
  // A border sets the window off from what lies behind it.
  EXPECT_NE(canvas_pixel(canvas, 0, 150), canvas_pixel(canvas, 200, 150));
  EXPECT_EQ(shell_show_background(nullptr, host), 0);
  EXPECT_EQ(shell_show_background(canvas.dc, nullptr), 0);
  canvas_destroy(&canvas);
}

TEST(SkinText, LinesAreSplitAndPlacedByStyle) {
  struct Case {
    const char* what;
    const char* text;
    int style;
    int bands;
    bool centred_vertically;
    bool starts_left;
    bool centred_horizontally;
  };
  const Case cases[] = {
      {"one line, middle", "MMMM", SHELL_TEXT_MIDDLE, 1, true, true, false},
      {"two lines, middle", "MMMM\nMMMM", SHELL_TEXT_MIDDLE, 2, true, true, false},
      {"two lines, top", "MMMM\nMMMM", SHELL_TEXT_LEFT, 2, false, true, false},
      {"centred", "MM", SHELL_TEXT_CENTER | SHELL_TEXT_MIDDLE, 1, true, false, true},
      {"carriage return before the break", "MMMM\r\nMMMM", SHELL_TEXT_MIDDLE, 2, true, true, false},
      {"percent signs and ampersands as they are", "100%s&&\n%d%n", SHELL_TEXT_MIDDLE, 2, true, true, false},
      // "停止中" in code page 932.
      {"Japanese", "\x92\xE2\x8E\x7E\x92\x86", SHELL_TEXT_MIDDLE, 1, true, true, false},
  };
  const RECT rect = {20, 10, 220, 70};
  for (const Case& c : cases) {
    Canvas canvas = canvas_create(240, 80);
    ASSERT_EQ(shell_show_text(canvas.dc, c.text, &rect, c.style), 1) << c.what;
    RECT box = canvas_ink_box(canvas);
    ASSERT_LT(box.left, box.right) << c.what << ": nothing drawn";
    EXPECT_GE(box.left, rect.left) << c.what;
    EXPECT_LE(box.right, rect.right) << c.what;
    EXPECT_GE(box.top, rect.top) << c.what;
    EXPECT_LE(box.bottom, rect.bottom) << c.what;
    EXPECT_EQ(static_cast<int>(canvas_ink_bands(canvas).size()), c.bands) << c.what;
    int above = box.top - rect.top;
    int below = rect.bottom - box.bottom;
    if (c.centred_vertically) {
      EXPECT_LE(abs(above - below), 8) << c.what << ": " << above << " above, " << below << " below";
    } else {
      EXPECT_LE(above, 4) << c.what;
    }
    if (c.starts_left) {
      EXPECT_LE(box.left - rect.left, 3) << c.what;
    }
    if (c.centred_horizontally) {
      EXPECT_LE(abs((box.left - rect.left) - (rect.right - box.right)), 4) << c.what;
    }
    canvas_destroy(&canvas);
  }
}

TEST(SkinText, UsesTheTextColourOnATransparentBackgroundAndRestoresTheContext) {
  Canvas canvas = canvas_create(240, 80);
  HFONT own_font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  SelectObject(canvas.dc, own_font);
  SetTextColor(canvas.dc, RGB(1, 2, 3));
  SetBkMode(canvas.dc, OPAQUE);
  const RECT rect = {0, 0, 240, 80};
  ASSERT_EQ(shell_show_text(canvas.dc, "MMMMMMMM", &rect, SHELL_TEXT_MIDDLE), 1);
  // Opaque text would have filled a whole cell; transparent text leaves gaps between strokes,
  // and its darkest pixels are the text colour.
  RECT box = canvas_ink_box(canvas);
  int unpainted_in_box = 0;
  bool text_colour_found = false;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      COLORREF pixel = canvas_pixel(canvas, x, y);
      unpainted_in_box += pixel == UNPAINTED ? 1 : 0;
      text_colour_found = text_colour_found || pixel == shell_get_color(SHELL_COLOR_TEXT);
    }
  }
  EXPECT_GT(unpainted_in_box, 0);
  EXPECT_TRUE(text_colour_found);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), own_font);
  EXPECT_EQ(GetTextColor(canvas.dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
  EXPECT_EQ(shell_show_text(nullptr, "x", &rect, 4), 0);
  EXPECT_EQ(shell_show_text(canvas.dc, nullptr, &rect, 4), 0);
  EXPECT_EQ(shell_show_text(canvas.dc, "x", nullptr, 4), 0);
  canvas_destroy(&canvas);
}

TEST(SkinText, LinesBelowTheRectangleAreNotDrawn) {
  Canvas canvas = canvas_create(240, 80);
  const RECT rect = {0, 0, 240, 16};
  ASSERT_EQ(shell_show_text(canvas.dc, "MMMM\nMMMM\nMMMM\nMMMM", &rect, SHELL_TEXT_MIDDLE), 1);
  RECT box = canvas_ink_box(canvas);
  EXPECT_LE(box.bottom, rect.bottom);
  canvas_destroy(&canvas);
}

TEST_F(SkinPaint, RepaintingHoldsOnToNoGdiObjects) {
  create_main_window_objects();
  HWND play = GetDlgItem(host, 4);
  HWND close = GetDlgItem(host, 1);
  auto repaint_all = [&](int rounds) {
    for (int round = 0; round < rounds; ++round) {
      // Each looks of the buttons in turn: normal, hot, pressed.
      for (HWND button : {play, close}) {
        SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
      }
      RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      const RECT rect = {0, 0, 100, 40};
      HDC dc = GetDC(host);
      shell_show_text(dc, "a\nb", &rect, SHELL_TEXT_MIDDLE);
      shell_show_background(dc, host);
      ReleaseDC(host, dc);
    }
  };
  repaint_all(5);
  host_pump_messages();
  long before = gdi_objects_in_use();
  ASSERT_GT(before, 0) << "no way to count GDI objects here";
  repaint_all(300);
  host_pump_messages();
  long after = gdi_objects_in_use();
  EXPECT_LE(after - before, 5) << before << " before, " << after << " after";
}

}  // namespace
