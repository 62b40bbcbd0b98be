#pragma once

#include <string>
#include <vector>

namespace zor::hostsim {

struct HostOptions {
    std::string pluginPath;   // empty: vis_zorlyrics.dll beside hostsim.exe
    bool modernSkin = false;  // the embed function creates the frame inside a host window
    bool oldHost = false;     // IPC_GET_EMBEDIF answers 0, as before host version 5
    bool ansiHost = false;    // only the ANSI requests are answered, as before host version 5.3
    bool realtime = false;    // run waits in real time between render calls
    bool help = false;        // --help: print the usage and do nothing else
    std::string scriptPath;
};

// Throws ScriptError on an unknown option or a missing or extra script argument.
HostOptions parseArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "usage: hostsim.exe [--plugin DLL] [--modern-skin] [--old-host] [--ansi-host] [--realtime] "
    "SCRIPT";

// IPC_GETVERSION's answers: a 5.66 host, one before the wide requests (5.12) and one before
// the embed function (2.95).
inline constexpr unsigned kHostVersion = 0x5066;
inline constexpr unsigned kAnsiHostVersion = 0x5012;
inline constexpr unsigned kOldHostVersion = 0x2095;

// What --help prints after the usage line.
inline constexpr const char* kHelp =
    "Loads the Winamp visualization plug-in DLL (default: vis_zorlyrics.dll beside hostsim)\n"
    "and runs SCRIPT (UTF-8), one command a line, '#' starting a comment:\n"
    "  song PATH [TITLE]          meta PATH KEY [VALUE]      select N      caption TEXT\n"
    "  play | pause | stop        seek MS                    init          config\n"
    "  run MS                     key NAME[+SHIFT][+CTRL][+ALT]\n"
    "  click ID|frame             dblclick ID|frame          answer BUTTON dialog-text TEXT\n"
    "  dump                       shot FILE                  sleep MS\n"
    "  hold PATH read|write|edit|off                         gdi           header        quit\n"
    "  cat PATH                   rect ID|frame              move ID       text ID\n"
    "  moveframe X Y W H          closeframe                 showframe\n"
    "  env NAME [VALUE]           file PATH TEXT             dialog STEP...\n"
    "  wait ID TEXT: pumps until control ID's text holds TEXT (10 s at most)\n"
    "  config-live MS SONG_MS: Config from the main thread while the visualization thread\n"
    "    keeps rendering and playing for MS (and until Config returns), selecting the next\n"
    "    song every SONG_MS (0: never); a render call on the main thread meanwhile prints\n"
    "    \"overlap: ...\" and fails the run\n"
    "  config-in-render: Config from the main thread while it answers the playback-time\n"
    "    request of the next render call, so that the configuration runs inside that call\n"
    "  dialog song N: a dialog step that selects playlist entry N while the dialog is open\n"
    "  dialog wait ID TEXT | items ID | pick ID N: wait (10 s at most) for a control's text\n"
    "    to hold TEXT; print a list box's items; select item N as a click would\n"
    "  wav PATH RATE BITS CHANNELS SILENT_MS TONE_MS   (a test sound)      audio\n"
    "  bench CALLS FILE: times Render (oscilloscope on and off, a song change, one host\n"
    "    request) against floors measured alike; writes Google Benchmark JSON to FILE\n"
    "  bench-online CALLS FILE: times Render on song 0 while its online request is out (a\n"
    "    stalled server) against song 1, a remembered miss; JSON to FILE as bench does\n"
    "  bench-publish CALLS FILE: times Render while a publish solves a challenge no hash\n"
    "    meets against Render with none, then the plug-in's hashes per second; JSON to FILE\n"
    "Keys: F1...F12, RETURN, END, UP, DOWN, LEFT, RIGHT, INSERT, DELETE, ESCAPE, SPACE, [, ],\n"
    "a letter or a digit.\n"
    "The host answers IPC_GETVERSION as 5.66 (0x5066) and both the wide requests (213, 214,\n"
    "3026) and the ANSI ones (211, 212, 290; '?' for what the ANSI code page cannot hold).\n"
    "--ansi-host answers as 5.12 (0x5012): the ANSI requests only. --old-host answers as 2.95\n"
    "(0x2095): IPC_GET_EMBEDIF 0 and the ANSI requests only. All output is UTF-8.\n"
    "A WAV file beside a song (Song.mp3 -> Song.wav; 8- or 16-bit PCM, mono or stereo)\n"
    "is the audio the plug-in sees while it plays; without one, a tone.\n"
    "Exit status: 0 when the script ran to its end with every box answered, 1 for a run-time\n"
    "failure or an unanswered box, 2 for bad arguments or a bad script.";

}  // namespace zor::hostsim
