// The host's skinned background, and the same background behind a child's transparent parts.
#ifndef TONKLE_SKIN_BACKGROUND_H
#define TONKLE_SKIN_BACKGROUND_H

#include <windows.h>

// Paints, over the child's whole client area, the part of the host's background that lies
// beneath it, so that rounded corners and captions blend into the host.
void skin_background_fill_under(HDC dc, HWND child);

#endif
