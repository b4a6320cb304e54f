// The program's resources, read back from this test program, which links the same resource
// object: pictures, icon, manifest, version information and the settings sheet's pages.
#include <gtest/gtest.h>
#include <string.h>
#include <wctype.h>

#include <string>
#include <vector>

#include <windows.h>

#include "ids.h"

namespace {

const WORD JAPANESE = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

HMODULE self() { return GetModuleHandleA(nullptr); }

std::string resource_bytes(LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceExA(self(), type, name, JAPANESE);
  if (found == nullptr) {
    return {};
  }
  const char* data = static_cast<const char*>(LockResource(LoadResource(self(), found)));
  return std::string(data, SizeofResource(self(), found));
}

std::string hex(const std::string& bytes) {
  std::string out;
  char cell[4];
  for (unsigned char byte : bytes) {
    snprintf(cell, sizeof cell, "%02X ", byte);
    out += cell;
  }
  return out;
}

TEST(Resources, ButtonBitmapsHaveTheirSizesAndAPictureOnTheFaceColour) {
  struct Case {
    int id;
    int width;
    int height;
  };
  const Case cases[] = {{IDB_SETTINGS, 30, 30}, {IDB_PLAY, 45, 30}, {IDB_STOP, 45, 30}, {IDB_OPEN, 30, 30}};
  COLORREF first_background = CLR_INVALID;
  for (const Case& c : cases) {
    HBITMAP bitmap = LoadBitmapA(self(), MAKEINTRESOURCEA(c.id));
    ASSERT_NE(bitmap, nullptr) << c.id;
    BITMAP info = {};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, c.width) << c.id;
    EXPECT_EQ(info.bmHeight, c.height) << c.id;
    // All pictures share one background colour, the one the skin draws transparent, and the
    // picture itself covers a fair part of the image.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    COLORREF background = GetPixel(dc, 0, 0);
    int drawn = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        drawn += GetPixel(dc, x, y) != background ? 1 : 0;
      }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    if (first_background == CLR_INVALID) {
      first_background = background;
    }
    EXPECT_EQ(background, first_background) << c.id;
    EXPECT_GT(drawn, c.width * c.height / 20) << c.id;
    EXPECT_LT(drawn, c.width * c.height * 3 / 4) << c.id;
  }
}

#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE color_count;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(Resources, AppIconHoldsThreeImages) {
  std::string group = resource_bytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP));
  ASSERT_GE(group.size(), sizeof(IconGroupHeader));
  const IconGroupHeader* header = reinterpret_cast<const IconGroupHeader*>(group.data());
  ASSERT_EQ(header->count, 3);
  ASSERT_EQ(group.size(), sizeof(IconGroupHeader) + 3 * sizeof(IconGroupEntry));
  const IconGroupEntry* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
  struct Expected {
    int size;
    int color_count;
    int bit_count;
  };
  const Expected expected[] = {{16, 16, 4}, {32, 0, 8}, {32, 0, 32}};
  for (int index = 0; index < 3; ++index) {
    const IconGroupEntry& entry = entries[index];
    EXPECT_EQ(entry.width, expected[index].size) << index;
    EXPECT_EQ(entry.height, expected[index].size) << index;
    EXPECT_EQ(entry.color_count, expected[index].color_count) << index;
    EXPECT_EQ(entry.bit_count, expected[index].bit_count) << index;
    // The image itself says the same.
    std::string image = resource_bytes(RT_ICON, MAKEINTRESOURCEA(entry.id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << index;
    const BITMAPINFOHEADER* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(bitmap->biWidth, expected[index].size) << index;
    EXPECT_EQ(bitmap->biHeight, 2 * expected[index].size) << index;
    EXPECT_EQ(bitmap->biBitCount, expected[index].bit_count) << index;
    EXPECT_EQ(image.size(), entry.bytes) << index;
  }
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(self(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << size;
    DestroyIcon(icon);
  }
}

TEST(Resources, ManifestAsksForCommonControlsSix) {
  std::string manifest = resource_bytes(RT_MANIFEST, MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty());
  size_t dependency = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(dependency, std::string::npos);
  size_t end = manifest.find("/>", dependency);
  size_t start = manifest.rfind("<assemblyIdentity", dependency);
  ASSERT_NE(end, std::string::npos);
  std::string identity = manifest.substr(start, end - start);
  EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
  EXPECT_NE(identity.find("processorArchitecture=\"*\""), std::string::npos) << identity;
  EXPECT_NE(identity.find("type=\"win32\""), std::string::npos) << identity;
}

TEST(Resources, EveryResourceIsJapanese) {
  struct Walk {
    static BOOL CALLBACK language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
      reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
      return TRUE;
    }
    static BOOL CALLBACK name(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
      EnumResourceLanguagesA(module, type, name, language, found);
      return TRUE;
    }
    static BOOL CALLBACK type(HMODULE module, LPSTR type, LONG_PTR found) {
      EnumResourceNamesA(module, type, name, found);
      return TRUE;
    }
  };
  std::vector<WORD> languages;
  EnumResourceTypesA(self(), Walk::type, reinterpret_cast<LONG_PTR>(&languages));
  // Icon images and group, four bitmaps, manifest, two dialogs, version.
  EXPECT_GE(languages.size(), 11u);
  for (WORD language : languages) {
    EXPECT_EQ(language, JAPANESE);
  }
}

std::string version_string(const std::vector<char>& block, const char* name) {
  std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || value == nullptr) {
    return "(missing)";
  }
  return value;
}

TEST(Resources, VersionInformation) {
  char path[MAX_PATH] = "";
  ASSERT_NE(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_NE(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  struct Case {
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {"FileDescription", "TONKLE PLAYER"},
      {"FileVersion", "3, 4, 0, 2"},
      {"ProductVersion", "3, 4, 0, 2"},
      {"OriginalFilename", "tonkle.exe"},
      {"LegalCopyright", "Copyright (C) 2026 The Tonkle developers"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(version_string(block, c.name), c.value) << c.name;
  }
  // The about page reads the version with "%d,%d,%d,%d"; the blanks must not stop it.
  int numbers[4] = {};
  EXPECT_EQ(sscanf(version_string(block, "FileVersion").c_str(), "%d,%d,%d,%d", &numbers[0], &numbers[1],
                   &numbers[2], &numbers[3]),
            4);
  EXPECT_EQ(numbers[0], 3);
  EXPECT_EQ(numbers[1], 4);

  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04B0);

  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030004u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00030004u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// ---------------------------------------------------------------------------------------------
// Dialog templates, read field by field.

struct TemplateItem {
  DWORD style;
  short x, y, cx, cy;
  DWORD id;
  std::wstring class_name;  // empty when the class is an atom
  WORD class_atom;
  std::wstring text;
};

struct TemplateDialog {
  DWORD style;
  short cx, cy;
  std::wstring caption;
  WORD point_size;
  WORD weight;
  BYTE italic;
  BYTE charset;
  std::wstring face;
  std::vector<TemplateItem> items;
};

struct TemplateReader {
  const BYTE* at;
  const BYTE* end;
};

template <typename T>
T template_read(TemplateReader* reader) {
  T value = {};
  if (reader->at + sizeof(T) <= reader->end) {
    memcpy(&value, reader->at, sizeof(T));
    reader->at += sizeof(T);
  } else {
    reader->at = reader->end;
  }
  return value;
}

std::wstring template_read_string(TemplateReader* reader) {
  std::wstring text;
  for (WCHAR c = template_read<WCHAR>(reader); c != 0 && reader->at < reader->end; c = template_read<WCHAR>(reader)) {
    text += c;
  }
  return text;
}

// A name that is either an ordinal (0xFFFF, value) or a string.
void template_read_name(TemplateReader* reader, std::wstring* text, WORD* ordinal) {
  WORD first = template_read<WORD>(reader);
  *ordinal = 0;
  text->clear();
  if (first == 0xFFFF) {
    *ordinal = template_read<WORD>(reader);
  } else if (first != 0) {
    *text += static_cast<WCHAR>(first);
    *text += template_read_string(reader);
  }
}

void template_align(TemplateReader* reader, const BYTE* base) {
  while ((reader->at - base) % 4 != 0 && reader->at < reader->end) {
    reader->at += 1;
  }
}

bool template_parse(const std::string& bytes, TemplateDialog* dialog) {
  const BYTE* base = reinterpret_cast<const BYTE*>(bytes.data());
  TemplateReader reader = {base, base + bytes.size()};
  if (template_read<WORD>(&reader) != 1 || template_read<WORD>(&reader) != 0xFFFF) {
    return false;
  }
  template_read<DWORD>(&reader);  // help id
  template_read<DWORD>(&reader);  // extended style
  dialog->style = template_read<DWORD>(&reader);
  WORD count = template_read<WORD>(&reader);
  template_read<short>(&reader);
  template_read<short>(&reader);
  dialog->cx = template_read<short>(&reader);
  dialog->cy = template_read<short>(&reader);
  std::wstring name;
  WORD ordinal = 0;
  template_read_name(&reader, &name, &ordinal);  // menu
  template_read_name(&reader, &name, &ordinal);  // class
  dialog->caption = template_read_string(&reader);
  if (dialog->style & DS_SETFONT) {
    dialog->point_size = template_read<WORD>(&reader);
    dialog->weight = template_read<WORD>(&reader);
    dialog->italic = template_read<BYTE>(&reader);
    dialog->charset = template_read<BYTE>(&reader);
    dialog->face = template_read_string(&reader);
  }
  for (int index = 0; index < count; ++index) {
    template_align(&reader, base);
    TemplateItem item = {};
    template_read<DWORD>(&reader);  // help id
    template_read<DWORD>(&reader);  // extended style
    item.style = template_read<DWORD>(&reader);
    item.x = template_read<short>(&reader);
    item.y = template_read<short>(&reader);
    item.cx = template_read<short>(&reader);
    item.cy = template_read<short>(&reader);
    item.id = template_read<DWORD>(&reader);
    template_read_name(&reader, &item.class_name, &item.class_atom);
    WORD text_ordinal = 0;
    template_read_name(&reader, &item.text, &text_ordinal);
    WORD extra = template_read<WORD>(&reader);
    reader.at += extra;
    dialog->items.push_back(item);
  }
  return reader.at <= reader.end;
}

std::string code_page_932(const std::wstring& text) {
  char bytes[256] = "";
  int length = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes, sizeof bytes,
                                   nullptr, nullptr);
  return std::string(bytes, length > 0 ? length : 0);
}

const WORD BUTTON_ATOM = 0x0080;
const WORD STATIC_ATOM = 0x0082;

// A template names a predefined class by its atom or by its name; both make the same control.
std::wstring template_class(const TemplateItem& item) {
  if (item.class_atom == BUTTON_ATOM) {
    return L"button";
  }
  if (item.class_atom == STATIC_ATOM) {
    return L"static";
  }
  std::wstring name = item.class_name;
  for (WCHAR& c : name) {
    c = static_cast<WCHAR>(towlower(c));
  }
  return name;
}
const DWORD CHECK_BOX = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD LABEL = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

struct ExpectedItem {
  int id;
  WORD class_atom;
  DWORD style;
  short x, y, cx, cy;
  const char* text;  // code page 932
};

struct ExpectedPage {
  int id;
  const char* caption;  // code page 932
  std::vector<ExpectedItem> items;
};

const ExpectedPage PAGES[] = {
    // "ファイル": "テンポを一定にする", "和音を再生する"
    {IDD_OPTIONS_PAGE,
     "\x83\x74\x83\x40\x83\x43\x83\x8B",
     {{IDC_EVEN_TEMPO, BUTTON_ATOM, CHECK_BOX, 12, 24, 72, 10,
       "\x83\x65\x83\x93\x83\x7C\x82\xF0\x88\xEA\x92\xE8\x82\xC9\x82\xB7\x82\xE9"},
      {IDC_PLAY_CHORDS, BUTTON_ATOM, CHECK_BOX, 12, 6, 63, 10, "\x98\x61\x89\xB9\x82\xF0\x8D\xC4\x90\xB6\x82\xB7\x82\xE9"}}},
    // "バージョン情報"
    {IDD_ABOUT_PAGE,
     "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1",
     {{IDC_VERSION_TEXT, STATIC_ATOM, LABEL, 12, 18, 119, 8, "tonkle Version 1.0"},
      {IDC_COPYRIGHT_TEXT, STATIC_ATOM, LABEL, 12, 30, 119, 8, "program"},
      {IDC_WEB_LINK, STATIC_ATOM, LABEL | SS_NOTIFY, 12, 54, 119, 8, "web"}}},
};

TEST(Resources, SettingsPagesMatchTheirLayout) {
  for (const ExpectedPage& page : PAGES) {
    TemplateDialog dialog = {};
    ASSERT_TRUE(template_parse(resource_bytes(RT_DIALOG, MAKEINTRESOURCEA(page.id)), &dialog)) << page.id;
    EXPECT_EQ(dialog.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog.cx, 198);
    EXPECT_EQ(dialog.cy, 106);
    EXPECT_EQ(hex(code_page_932(dialog.caption)), hex(page.caption)) << page.id;
    EXPECT_EQ(dialog.point_size, 10);
    EXPECT_EQ(dialog.weight, 400);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 128);
    EXPECT_EQ(dialog.face, L"MS UI Gothic");
    ASSERT_EQ(dialog.items.size(), page.items.size()) << page.id;
    for (size_t index = 0; index < page.items.size(); ++index) {
      const TemplateItem& item = dialog.items[index];
      const ExpectedItem& expected = page.items[index];
      EXPECT_EQ(static_cast<int>(item.id), expected.id) << page.id << " item " << index;
      EXPECT_EQ(template_class(item), expected.class_atom == BUTTON_ATOM ? L"button" : L"static") << expected.id;
      EXPECT_EQ(item.style, expected.style) << expected.id;
      EXPECT_EQ(item.x, expected.x) << expected.id;
      EXPECT_EQ(item.y, expected.y) << expected.id;
      EXPECT_EQ(item.cx, expected.cx) << expected.id;
      EXPECT_EQ(item.cy, expected.cy) << expected.id;
      EXPECT_EQ(hex(code_page_932(item.text)), hex(expected.text)) << expected.id;
    }
  }
}

INT_PTR CALLBACK page_proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

TEST(Resources, PageTextsReachTheAnsiFunctionsAsCodePage932) {
  ASSERT_EQ(GetACP(), 932u) << "run with a Japanese ANSI code page";
  for (const ExpectedPage& page : PAGES) {
    HWND dialog = CreateDialogParamA(self(), MAKEINTRESOURCEA(page.id), nullptr, page_proc, 0);
    ASSERT_NE(dialog, nullptr) << page.id;
    char text[256] = "";
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_EQ(hex(text), hex(page.caption)) << page.id;
    for (const ExpectedItem& item : page.items) {
      GetDlgItemTextA(dialog, item.id, text, sizeof text);
      EXPECT_EQ(hex(text), hex(item.text)) << item.id;
    }
    DestroyWindow(dialog);
  }
}

}  // namespace
