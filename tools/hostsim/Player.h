#pragma once

#include <deque>
#include <string>

namespace zor::hostsim {

// The player the host simulates: a playlist, the position in it and the playback clock. The
// clock is simulated: it moves only when the script runs the host (run), never by itself.
class Player {
  public:
    // The texts in every form the host hands out: UTF-8 as given, UTF-16 for the wide
    // requests, the ANSI code page for the old ones.
    struct Entry {
        std::string path;
        std::string title;
        std::wstring widePath;
        std::wstring wideTitle;
        std::string ansiPath;
        std::string ansiTitle;
    };

    // A deque, so that the texts handed to the plug-in stay where they are when songs are added.
    const std::deque<Entry>& playlist() const { return entries; }
    const Entry* entryAt(long index) const;
    void addSong(std::string path, std::string title);

    int listPosition() const { return position; }
    void select(int index) { position = index; }

    // IPC_ISPLAYING's answer: 1 playing, 3 paused, 0 stopped.
    int playingState() const { return state; }
    void play() { state = kPlaying; }
    void pause() { state = kPaused; }
    // Stopping rewinds, as a player's stop button does.
    void stop();
    void seek(int ms) { positionMs = ms; }
    // The clock runs only while playing.
    void advance(int ms);
    // IPC_GETOUTPUTTIME's answer: -1 while stopped.
    int outputTime() const { return state == kStopped ? -1 : positionMs; }
    int clockMs() const { return positionMs; }

  private:
    static constexpr int kStopped = 0;
    static constexpr int kPlaying = 1;
    static constexpr int kPaused = 3;

    std::deque<Entry> entries;
    int position = 0;
    int state = kStopped;
    int positionMs = 0;
};

}  // namespace zor::hostsim
