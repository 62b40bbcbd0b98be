#pragma once

#include <string>
#include <vector>

namespace zor::hostsim {

struct HostOptions {
    std::string pluginPath;   // empty: vis_zorlyrics.dll beside hostsim.exe
    bool modernSkin = false;  // the embed function creates the frame inside a host window
    bool oldHost = false;     // IPC_GET_EMBEDIF answers 0, as before host version 5
    bool realtime = false;    // run waits in real time between render calls
    bool help = false;        // --help: print the usage and do nothing else
    std::string scriptPath;
};

// Throws ScriptError on an unknown option or a missing or extra script argument.
HostOptions parseArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "usage: hostsim.exe [--plugin DLL] [--modern-skin] [--old-host] [--realtime] SCRIPT";

// What --help prints after the usage line.
inline constexpr const char* kHelp =
    "Loads the Winamp visualization plug-in DLL (default: vis_zorlyrics.dll beside hostsim)\n"
    "and runs SCRIPT, one command a line, '#' starting a comment:\n"
    "  song PATH [TITLE]          meta PATH KEY [VALUE]      select N      caption TEXT\n"
    "  play | pause | stop        seek MS                    init          config\n"
    "  run MS                     key NAME[+SHIFT][+CTRL][+ALT]\n"
    "  click ID|frame             dblclick ID|frame          answer BUTTON dialog-text TEXT\n"
    "  dump                       shot FILE                  sleep MS\n"
    "  hold PATH read|write|edit|off                         gdi           header        quit\n"
    "  cat PATH                   rect ID|frame              move ID\n"
    "  moveframe X Y W H          closeframe                 showframe\n"
    "  env NAME [VALUE]           file PATH TEXT             dialog STEP...\n"
    "  config-live MS SONG_MS: Config from the main thread while the visualization thread\n"
    "    keeps rendering and playing for MS (and until Config returns), selecting the next\n"
    "    song every SONG_MS (0: never); a render call on the main thread meanwhile prints\n"
    "    \"overlap: ...\" and fails the run\n"
    "  config-in-render: Config from the main thread while it answers the playback-time\n"
    "    request of the next render call, so that the configuration runs inside that call\n"
    "  dialog song N: a dialog step that selects playlist entry N while the dialog is open\n"
    "  wav PATH RATE BITS CHANNELS SILENT_MS TONE_MS   (a test sound)      audio\n"
    "  bench CALLS FILE: times Render (oscilloscope on and off, a song change, one host\n"
    "    request) against floors measured alike; writes Google Benchmark JSON to FILE\n"
    "A WAV file beside a song (Song.mp3 -> Song.wav; 8- or 16-bit PCM, mono or stereo)\n"
    "is the audio the plug-in sees while it plays; without one, a tone.\n"
    "Exit status: 0 when the script ran to its end with every box answered, 1 for a run-time\n"
    "failure or an unanswered box, 2 for bad arguments or a bad script.";

}  // namespace zor::hostsim
