#include <string.h>

#include "shell.h"
#include "skin_theme.h"

namespace {

// Most lines this draws; more would not fit any panel of the skin anyway.
constexpr int MAX_LINES = 64;
// Extra space between lines when the rectangle has room for it.
constexpr int PREFERRED_LINE_GAP_PX = 4;

struct TextLine {
  const char* start;
  int length;
};

int text_split_lines(const char* text, TextLine* lines, int max_lines) {
  int count = 0;
  const char* start = text;
  while (count < max_lines) {
    const char* end = strchr(start, '\n');
    int length = end == nullptr ? static_cast<int>(strlen(start)) : static_cast<int>(end - start);
    // A "\r\n" line break leaves no visible carriage return behind.
    if (length > 0 && start[length - 1] == '\r') {
      length -= 1;
    }
    lines[count] = TextLine{start, length};
    count += 1;
    if (end == nullptr) {
      break;
    }
    start = end + 1;
  }
  return count;
}

UINT text_horizontal_format(int style) {
  if (style & SHELL_TEXT_CENTER) {
    return DT_CENTER;
  }
  if (style & SHELL_TEXT_RIGHT) {
    return DT_RIGHT;
  }
  return DT_LEFT;
}

}  // namespace

extern "C" int shell_show_text(HDC dc, const char* text, const RECT* rect, int style) {
  if (dc == nullptr || text == nullptr || rect == nullptr) {
    return 0;
  }
  TextLine lines[MAX_LINES];
  int line_count = text_split_lines(text, lines, MAX_LINES);

  HGDIOBJ previous_font = SelectObject(dc, skin_text_font());
  COLORREF previous_color = SetTextColor(dc, shell_get_color(SHELL_COLOR_TEXT));
  int previous_mode = SetBkMode(dc, TRANSPARENT);

  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  int line_height_px = metrics.tmHeight + metrics.tmExternalLeading;
  int rect_height_px = rect->bottom - rect->top;
  int gap_px = 0;
  if (line_count > 1) {
    int spare_px = rect_height_px - line_count * line_height_px;
    gap_px = spare_px / (line_count - 1);
    gap_px = gap_px < 0 ? 0 : (gap_px > PREFERRED_LINE_GAP_PX ? PREFERRED_LINE_GAP_PX : gap_px);
  }
  int block_height_px = line_count * line_height_px + (line_count - 1) * gap_px;
  int top = rect->top;
  if ((style & SHELL_TEXT_MIDDLE) && block_height_px < rect_height_px) {
    top += (rect_height_px - block_height_px) / 2;
  }

  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_TOP | text_horizontal_format(style);
  for (int index = 0; index < line_count; ++index) {
    if (top >= rect->bottom) {
      break;
    }
    // A last line that only partly fits is cut at the rectangle's bottom.
    int bottom = top + line_height_px;
    RECT line_rect = {rect->left, top, rect->right, bottom < rect->bottom ? bottom : rect->bottom};
    if (lines[index].length > 0) {
      DrawTextA(dc, lines[index].start, lines[index].length, &line_rect, format);
    }
    top += line_height_px + gap_px;
  }

  SetBkMode(dc, previous_mode);
  SetTextColor(dc, previous_color);
  SelectObject(dc, previous_font);
  return 1;
}
