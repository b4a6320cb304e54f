// Every id of the program, grouped by kind. Included by the sources and by the resource script,
// so it holds nothing but #defines.
#ifndef TONKLE_IDS_H
#define TONKLE_IDS_H

// Main window objects; the buttons' ids are also their command ids.
#define ID_CLOSE 1
#define ID_CAPTION 2
#define ID_SETTINGS 3
#define ID_PLAY 4
#define ID_STATUS 5
#define ID_TRACKLIST 6
#define ID_STOP 7
#define ID_LISTFRAME 8
#define ID_OPEN 9

// Dialog templates of the settings sheet's pages.
#define IDD_OPTIONS_PAGE 102
#define IDD_ABOUT_PAGE 103

// Icons. The settings sheet asks for IDI_SETTINGS, which the program does not carry.
#define IDI_APP 107
#define IDI_SETTINGS 138

// Bitmaps of the picture buttons.
#define IDB_SETTINGS 132
#define IDB_PLAY 133
#define IDB_STOP 136
#define IDB_OPEN 139

// Controls of the settings pages.
#define IDC_COPYRIGHT_TEXT 1004
#define IDC_VERSION_TEXT 1005
#define IDC_WEB_LINK 1006
#define IDC_EVEN_TEMPO 1007
#define IDC_PLAY_CHORDS 1009

#endif
