// The library's one export, the host records it hands out, and the one application object the
// records' callbacks forward to.

#include "host/LyricsPluginApp.h"
#include "host/WinampVis.h"

namespace zor {
namespace {

CLyricsPluginApp theApp;

// The records hold char*, as the host's SDK declares them; these buffers give them writable text.
char headerDescription[] = "Maresh's Zor Lyrics plugin!!!! v2.0";
char moduleDescription[] = "Maresh Zor Lyrics plugin";

void __cdecl config(winampVisModule* thisModule) {
    theApp.Config(thisModule);
}
int __cdecl init(winampVisModule* thisModule) {
    return theApp.Init(thisModule);
}
int __cdecl render(winampVisModule* thisModule) {
    return theApp.Render(thisModule);
}
void __cdecl quit(winampVisModule* thisModule) {
    theApp.Quit(thisModule);
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
