// The program's texts as the code page 932 bytes that must reach the platform, written as
// bytes so that the tests do not depend on how the program's sources are converted.
#pragma once

#include <string>

namespace cp932 {
const std::string UNTITLED = "\x96\xBC\x8F\xCC\x96\xA2\x92\xE8";   // 名称未定
const std::string STOPPED = "\x92\xE2\x8E\x7E\x92\x86";            // 停止中
const std::string PLAYING = "\x8D\xC4\x90\xB6\x92\x86";            // 再生中
const std::string WINDOW_TITLE =                                   // トンクル♪プレーヤー
    "\x83\x67\x83\x93\x83\x4E\x83\x8B\x81\xF4\x83\x76\x83\x8C\x81\x5B\x83\x84\x81\x5B";
const std::string CROSS = "\x81\x7E";                              // ×
const std::string LENGTH_HEADING = "\x92\xB7\x82\xB3";             // 長さ
const std::string NOTE_HEADING = "\x81\xF4";                       // ♪
const std::string OPEN_DIALOG_TITLE =                              // ファイルを開く
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD";
const std::string SETTINGS_CAPTION = "\x90\xDD\x92\xE8";           // 設定
const std::string DO = "\x83\x68";                                 // ド
const std::string SHARP = "\x81\x94";                              // ＃
const std::string REFUSAL_START =                                  // Windows 9x/MEを検出しました。
    "Windows 9x/ME\x82\xF0\x8C\x9F\x8F\x6F\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42\n";
const std::string OTHER_FILTER = "\x82\xBB\x82\xCC\x91\xBC";        // その他
const std::string MIDI_FILTER = "MIDI\x83\x74\x83\x40\x83\x43\x83\x8B(*.mid)";  // MIDIファイル(*.mid)
const std::string HYOU = "\x95\x5C";                             // 表: 0x5C as second byte
const std::string SO = "\x83\x5C";                               // ソ: 0x5C as second byte
const std::string SAKURA = "\x82\xB3\x82\xAD\x82\xE7";           // さくら
const std::string RE_SHARP = "\x83\x8C\x81\x94";                 // レ＃
const std::string FA_SHARP = "\x83\x74\x83\x40\x81\x94";         // ファ＃
}  // namespace cp932
