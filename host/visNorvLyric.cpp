// The library's one export, the host records it hands out, and the one application object the
// records' callbacks forward to.

#include "framework/EntryGuard.h"
#include "host/LyricsPluginApp.h"
#include "host/WinampVis.h"

namespace zor {
namespace {

CLyricsPluginApp theApp;

// The records hold char*, as the host's SDK declares them; these buffers give them writable text.
char headerDescription[] = "Maresh's Zor Lyrics plugin!!!! v2.0";
char moduleDescription[] = "Maresh Zor Lyrics plugin";

// The host calls these; nothing thrown may reach it. A failed Init answers 1, a failed Render 0.
void __cdecl config(winampVisModule* thisModule) {
    fw::guardEntry(
        "Config", [&] { theApp.Config(thisModule); }, [] {});
}
int __cdecl init(winampVisModule* thisModule) {
    return fw::guardEntry(
        "Init", [&] { return theApp.Init(thisModule); }, [] { return 1; });
}
int __cdecl render(winampVisModule* thisModule) {
    return fw::guardEntry(
        "Render", [&] { return theApp.Render(thisModule); }, [] { return 0; });
}
void __cdecl quit(winampVisModule* thisModule) {
    fw::guardEntry(
        "Quit", [&] { theApp.Quit(thisModule); }, [] {});
}

winampVisModule visModuleRecord = {
    moduleDescription,
    nullptr,  // hwndParent: the host fills it
    nullptr,  // hDllInstance: the host fills it
    0,        // sRate
    0,        // nCh
    25,       // latencyMs
    25,       // delayMs
    2,        // spectrumNch
    2,        // waveformNch
    {},       // spectrumData
    {},       // waveformData
    config,
    init,
    render,
    quit,
    nullptr,  // userData
};

winampVisModule* __cdecl getModule(int which) {
    return which == 0 ? &visModuleRecord : nullptr;
}

winampVisHeader visHeaderRecord = {kVisHeaderVersion, headerDescription, getModule};

}  // namespace

CLyricsPluginApp& pluginApp() {
    return theApp;
}

}  // namespace zor

extern "C" __declspec(dllexport) zor::winampVisHeader* __cdecl winampVisGetHeader() {
    return &zor::visHeaderRecord;
}
