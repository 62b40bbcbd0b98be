#pragma once

// The one place the public service is named. Nothing but the plug-in's setting default and the
// command-line companion's default may use it; tests always give a server on this machine.
namespace zor {

inline constexpr const char* kDefaultOnlineServer = "https://lrclib.net";

// How this client names itself to the service.
inline constexpr const char* kOnlineClientName = "ZorLyrics";
inline constexpr const char* kOnlineClientVersion = "2.0";

}  // namespace zor
