#pragma once

// The host's IPC_GETVERSION answer, 0xM0VV: the major version in the top digit and the minor
// version as two decimal digits in the low byte, so 0x5013 is 5.13 and 0x5030 is 5.3 (5.30).
// Versions are compared by those digits, which keeps 5.13 below 5.3.
namespace zor {

struct HostVersion {
    unsigned major;
    unsigned minorHundredths;  // 5.13 -> 13, 5.3 -> 30, 5.66 -> 66
};

constexpr HostVersion decodeHostVersion(unsigned answer) {
    return HostVersion{(answer >> 12) & 0xFu, ((answer >> 4) & 0xFu) * 10 + (answer & 0xFu)};
}

constexpr bool hostVersionAtLeast(unsigned answer, HostVersion wanted) {
    const HostVersion have = decodeHostVersion(answer);
    return have.major > wanted.major ||
           (have.major == wanted.major && have.minorHundredths >= wanted.minorHundredths);
}

// The wide playlist requests (IPC_GETPLAYLISTFILEW, IPC_GETPLAYLISTTITLEW) came with 5.3, the
// wide extended file information (IPC_GET_EXTENDED_FILE_INFOW) with 5.13.
inline constexpr HostVersion kWidePlaylistVersion{5, 30};
inline constexpr HostVersion kWideFileInfoVersion{5, 13};

constexpr bool hostHasWidePlaylist(unsigned answer) {
    return hostVersionAtLeast(answer, kWidePlaylistVersion);
}
constexpr bool hostHasWideFileInfo(unsigned answer) {
    return hostVersionAtLeast(answer, kWideFileInfoVersion);
}

// The minor version is always two digits: 5.3 is 0x5030 (not 0x5003) and comes after 5.13.
static_assert(!hostHasWidePlaylist(0x5013) && hostHasWideFileInfo(0x5013), "5.13");
static_assert(!hostHasWidePlaylist(0x5012) && !hostHasWideFileInfo(0x5012), "5.12");
static_assert(hostHasWidePlaylist(0x5030) && hostHasWideFileInfo(0x5030), "5.3");
static_assert(!hostHasWidePlaylist(0x5029), "5.29");
static_assert(hostHasWidePlaylist(0x5066) && hostHasWideFileInfo(0x5066), "5.66");
static_assert(!hostHasWidePlaylist(0x2095) && !hostHasWideFileInfo(0x2095), "2.95");
static_assert(!hostHasWidePlaylist(0) && !hostHasWideFileInfo(0), "no answer");

}  // namespace zor
