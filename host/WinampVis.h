#pragma once

// The records and messages of the Winamp visualization interface, laid out as the host's 32-bit
// SDK lays them out. The host reads these records directly, so field order and sizes are fixed.

#include <windows.h>

#include <cstddef>

namespace zor {

struct winampVisModule;

struct winampVisHeader {
    int version;
    char* description;
    winampVisModule*(__cdecl* getModule)(int which);
};

struct winampVisModule {
    char* description;
    HWND hwndParent;
    HINSTANCE hDllInstance;
    int sRate;
    int nCh;
    int latencyMs;
    int delayMs;
    int spectrumNch;
    int waveformNch;
    unsigned char spectrumData[2][576];
    unsigned char waveformData[2][576];
    void(__cdecl* Config)(winampVisModule* thisModule);
    int(__cdecl* Init)(winampVisModule* thisModule);
    int(__cdecl* Render)(winampVisModule* thisModule);
    void(__cdecl* Quit)(winampVisModule* thisModule);
    void* userData;
};

// Handed to the host's embed function, which creates the frame at r and stores it in me.
struct embedWindowState {
    HWND me;
    int flags;
    RECT r;
    void* user_ptr;
    int extra_data[64];
};

using EmbedWindowFunction = HWND(__cdecl*)(embedWindowState* state);

// IPC_GET_EXTENDED_FILE_INFO's argument: the host writes at most retlen characters into ret.
struct extendedFileInfoStruct {
    const char* filename;
    const char* metadata;
    char* ret;
    std::size_t retlen;
};

// IPC_GET_EXTENDED_FILE_INFOW's argument: the same record with UTF-16 texts; retlen counts
// characters.
struct extendedFileInfoStructW {
    const wchar_t* filename;
    const wchar_t* metadata;
    wchar_t* ret;
    std::size_t retlen;
};

using winampVisGetHeaderFunction = winampVisHeader*(__cdecl*)();

inline constexpr int kVisHeaderVersion = 0x101;
inline constexpr int kVisDataLength = 576;

// Requests to the host main window: message WM_USER, the IPC number as lParam.
inline constexpr int IPC_GETVERSION = 0;
inline constexpr int IPC_ISPLAYING = 104;
inline constexpr int IPC_GETOUTPUTTIME = 105;
inline constexpr int IPC_JUMPTOTIME = 106;
inline constexpr int IPC_GETLISTPOS = 125;
inline constexpr int IPC_GETPLAYLISTFILE = 211;
inline constexpr int IPC_GETPLAYLISTTITLE = 212;
inline constexpr int IPC_GET_EXTENDED_FILE_INFO = 290;
// The wide forms (UTF-16 texts) of hosts from 5.3 on (file info: from 5.13 on); see HostVersion.h.
inline constexpr int IPC_GETPLAYLISTTITLEW = 213;
inline constexpr int IPC_GETPLAYLISTFILEW = 214;
inline constexpr int IPC_GET_EXTENDED_FILE_INFOW = 3026;
inline constexpr int IPC_GET_EMBEDIF = 505;
inline constexpr int IPC_SETVISWND = 611;

// Host commands: Play as WM_COMMAND, the file-information box as a posted WM_SYSCOMMAND.
inline constexpr int kWinampPlayCommand = 40045;
inline constexpr int kWinampFileInfoCommand = 40188;

#if defined(_WIN32) && !defined(_WIN64)
// The host reads these records by offset; a layout change would break every host.
static_assert(sizeof(winampVisModule) == 2360, "winampVisModule layout");
static_assert(offsetof(winampVisModule, waveformData) == 1188, "waveformData offset");
static_assert(offsetof(winampVisModule, Config) == 2340, "Config offset");
static_assert(sizeof(embedWindowState) == 284, "embedWindowState layout");
static_assert(sizeof(extendedFileInfoStruct) == 16, "extendedFileInfoStruct layout");
static_assert(sizeof(extendedFileInfoStructW) == 16, "extendedFileInfoStructW layout");
static_assert(offsetof(extendedFileInfoStructW, ret) == 8, "extendedFileInfoStructW ret offset");
static_assert(offsetof(extendedFileInfoStructW, retlen) == 12,
              "extendedFileInfoStructW retlen offset");
static_assert(sizeof(wchar_t) == 2, "the host's wide texts are UTF-16");
#endif

}  // namespace zor
