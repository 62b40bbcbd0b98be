#include "lyrics/online/PublishSummary.h"

#include <cmath>
#include <cstdio>

namespace zor {

namespace {

constexpr double kLongestSeconds = 24.0 * 60 * 60;

bool onlyDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string timedLinesText(int count) {
    return std::to_string(count) + (count == 1 ? " timed line" : " timed lines");
}

std::string publishPreview(const PublishText& text, int lines) {
    std::string preview;
    std::size_t start = 0;
    for (int shown = 0; shown < lines && start < text.synced.size(); ++shown) {
        std::size_t end = text.synced.find('\n', start);
        if (end == std::string::npos) {
            end = text.synced.size();
        }
        preview.append(text.synced, start, end - start);
        preview += '\n';
        start = end + 1;
    }
    return preview;
}

std::string publicSentence(const std::string& where) {
    return "These lyrics become public on " + where + ", for anyone to read and use.";
}

std::optional<double> parseSeconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
    // Nine digits keep the whole part a number a double holds exactly.
    if (!onlyDigits(whole) || !onlyDigits(fraction) || whole.size() > 9) {
        return std::nullopt;
    }
    const double seconds = std::stod(std::string(whole) + "." + std::string(fraction));
    if (!(seconds > 0) || seconds > kLongestSeconds) {
        return std::nullopt;
    }
    return seconds;
}

std::string secondsText(double seconds) {
    if (!(seconds > 0)) {
        return std::string();
    }
    const double thousandths = std::round(seconds * 1000);
    if (std::fmod(thousandths, 1000) == 0) {
        return std::to_string(static_cast<long long>(thousandths / 1000));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", thousandths / 1000);
    std::string shown = text;
    shown.erase(shown.find_last_not_of('0') + 1);
    return shown;
}

std::string publishTrackProblem(const PublishTrack& track) {
    if (track.artist.empty()) {
        return "An artist is needed";
    }
    if (track.title.empty()) {
        return "A title is needed";
    }
    if (!(track.durationSeconds > 0) || track.durationSeconds > kLongestSeconds) {
        return "The duration is a number of seconds";
    }
    return std::string();
}

}  // namespace zor
