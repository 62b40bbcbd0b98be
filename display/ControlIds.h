#pragma once

// Control ids of the plug-in window's children and the icons of its buttons.
namespace zor {

inline constexpr unsigned kLyricsListId = 1031;
inline constexpr unsigned kEditListId = 1032;
inline constexpr unsigned kOscWndId = 1033;
inline constexpr unsigned kToolbarId = 1310;
inline constexpr unsigned kTitleStripId = 1309;

inline constexpr unsigned kTagsButtonId = 1237;
inline constexpr unsigned kHelpButtonId = 1238;
inline constexpr unsigned kEditorButtonId = 1239;
inline constexpr unsigned kRefreshButtonId = 1240;
inline constexpr unsigned kConfigButtonId = 1241;
inline constexpr unsigned kSongInfoButtonId = 1242;

inline constexpr int kRefreshIcon = 1401;
inline constexpr int kTagsIcon = 1403;
inline constexpr int kEditorIcon = 1404;
inline constexpr int kHelpIcon = 1405;
inline constexpr int kSongInfoIcon = 1406;
inline constexpr int kConfigIcon = 1407;
inline constexpr int kSaveIcon = 1408;

}  // namespace zor
