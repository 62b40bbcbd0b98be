// The library's one export and the host records it hands out.

#include "host/WinampVis.h"

namespace zor {
namespace {

// The records hold char*, as the host's SDK declares them; these buffers give them writable text.
char headerDescription[] = "Maresh's Zor Lyrics plugin!!!! v2.0";
char moduleDescription[] = "Maresh Zor Lyrics plugin";

// No-ops until the application object that owns the plug-in's state takes these calls over.
void __cdecl config(winampVisModule* /*thisModule*/) {}
int __cdecl init(winampVisModule* /*thisModule*/) {
    return 0;
}
int __cdecl render(winampVisModule* /*thisModule*/) {
    return 0;
}
void __cdecl quit(winampVisModule* /*thisModule*/) {}

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
}  // namespace zor

extern "C" __declspec(dllexport) zor::winampVisHeader* __cdecl winampVisGetHeader() {
    return &zor::visHeaderRecord;
}
