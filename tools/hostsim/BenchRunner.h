#pragma once

#include <string>

namespace zor::hostsim {

class HostSession;

// `bench CALLS FILE`: times the plug-in's Render call on the visualization thread and writes the
// figures, each beside a floor measured the same way in the same run, to FILE in Google
// Benchmark's JSON form (medians, in microseconds, with the spread as "cv"):
//   render_osc_on       steady Render, oscilloscope on  / hostsim drawing what one frame needs
//   render_osc_off      steady Render, oscilloscope off / the host requests of one Render alone
//   render_song_change  Render that loads the other song / reading that song's lyrics file
//   render_ipc          one host request from the vis thread / a message to a window of its own
// Steady means playing, no song change, the clock moving delayMs a call as `run` moves it. The
// oscilloscope is switched with SHIFT+F2 and must be on at the start; the playlist needs two
// songs whose lyrics differ in line count (LRC or TXT beside each). Prints one line per job.
void runBench(HostSession& session, int calls, const std::string& jsonPath);

// `bench-online CALLS FILE`: the steady Render call on the first song, without lyrics, while its
// online request is out (a server that never finishes its answer), against the same call on the
// second, also without lyrics but remembered as a miss, so that nothing is asked; blocks of each
// in turn, written as the job render_online. The title strip must show the search at the start
// and end of every block of the first song and no online notice in those of the second.
void runOnlineBench(HostSession& session, int calls, const std::string& jsonPath);

// `bench-publish CALLS FILE`: the steady Render call while a publish solves its proof of work
// (the stand-in's challenge must be one no hash meets) against the same call with none, in
// blocks of each in turn, written as the job render_publish; its figure carries the plug-in's
// hashes per second, read off the title strip's count afterwards. The playing song's lyrics
// must have time tags.
void runPublishBench(HostSession& session, int calls, const std::string& jsonPath);

}  // namespace zor::hostsim
