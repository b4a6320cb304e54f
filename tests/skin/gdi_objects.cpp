#include "gdi_objects.h"

#include <windows.h>
#include <winternl.h>

#include <stdint.h>

namespace {

// One entry of the GDI handle table as the PEB shows it on 64-bit Windows and on Wine.
struct GdiHandleEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry layout");

constexpr int GDI_HANDLE_TABLE_SIZE = 0x10000;
// GdiSharedHandleTable's place in the 64-bit PEB.
constexpr size_t PEB_GDI_TABLE_OFFSET = 0xF8;

long gdi_table_entries_in_use() {
#ifdef _WIN64
  PROCESS_BASIC_INFORMATION basic = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return -1;
  }
  const char* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  const GdiHandleEntry* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + PEB_GDI_TABLE_OFFSET);
  if (table == nullptr) {
    return -1;
  }
  long count = 0;
  for (int index = 0; index < GDI_HANDLE_TABLE_SIZE; ++index) {
    if (table[index].type != 0) {
      count += 1;
    }
  }
  return count;
#else
  return -1;
#endif
}

}  // namespace

long gdi_objects_in_use() {
  SetLastError(0);
  DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
    return static_cast<long>(count);
  }
  return gdi_table_entries_in_use();
}
