// The names that the launcher, its window and launcher-settings all spell the
// same way: an install's settings files with the sections and keys the launcher
// reads from them, the player's files, and the built-in window title. Here, in
// the settings class's folder, because every other part builds on it. Portable:
// no Windows header.
//
// A name that is also needed as wide text is spelled once, in a macro, and both
// forms are made from that spelling (L"" before a narrow literal makes it wide).
#pragma once

// ServerInfo.ini: the launch page's address and the window caption.
constexpr char kServerInfoFile[] = "ServerInfo.ini";
constexpr char kServerInfoSection[] = "default";
constexpr char kLaunchUrlKey[] = "resourceURL";
constexpr char kCaptionKey[] = "ClientWndCaption";

// window.ini: the size of the window's client area.
constexpr char kWindowFile[] = "window.ini";
constexpr char kWindowSection[] = "SYSTEM";
constexpr char kClientWidthKey[] = "SCREENWIDTH";
constexpr char kClientHeightKey[] = "SCREENHEIGHT";

// The game's player, and the pending update that takes its place at a start.
#define LAUNCHER_PLAYER_FILE "Velmora.exe"
constexpr char kPlayerFile[] = LAUNCHER_PLAYER_FILE;
constexpr wchar_t kPlayerFileWide[] = L"" LAUNCHER_PLAYER_FILE;
constexpr char kPendingPlayerFile[] = "Velmora_.exe";

// The window's title when ServerInfo.ini gives no caption. The macro also
// gives the caption buffer its first contents.
#define LAUNCHER_BUILT_IN_CAPTION "Tarnhold"
constexpr char kBuiltInCaption[] = LAUNCHER_BUILT_IN_CAPTION;
constexpr wchar_t kBuiltInCaptionWide[] = L"" LAUNCHER_BUILT_IN_CAPTION;
