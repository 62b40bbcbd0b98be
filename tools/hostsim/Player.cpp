#include "tools/hostsim/Player.h"

#include <utility>

#include "tools/hostsim/HostText.h"

namespace zor::hostsim {

const Player::Entry* Player::entryAt(long index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return nullptr;
    }
    return &entries[static_cast<std::size_t>(index)];
}

void Player::addSong(std::string path, std::string title) {
    Entry entry{std::move(path), std::move(title), {}, {}, {}, {}};
    entry.widePath = toWide(entry.path);
    entry.wideTitle = toWide(entry.title);
    entry.ansiPath = toAnsi(entry.path);
    entry.ansiTitle = toAnsi(entry.title);
    entries.push_back(std::move(entry));
}

void Player::stop() {
    state = kStopped;
    positionMs = 0;
}

void Player::advance(int ms) {
    if (state == kPlaying) {
        positionMs += ms;
    }
}

}  // namespace zor::hostsim
