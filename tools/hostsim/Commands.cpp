#include "tools/hostsim/Commands.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "tools/hostsim/BenchRunner.h"
#include "tools/hostsim/DialogSteps.h"
#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/InputDriver.h"
#include "tools/hostsim/Probes.h"
#include "tools/hostsim/WavFile.h"

namespace zor::hostsim {
namespace {

using Arguments = CommandArguments;

// A whole decimal number within int, or nothing.
bool parseNumber(const std::string& text, long& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= INT_MIN && value <= INT_MAX;
}

int numberArgument(const std::string& text) {
    long value = 0;
    parseNumber(text, value);  // checked when the script was read
    return static_cast<int>(value);
}

std::string optionalArgument(const Arguments& arguments, std::size_t index) {
    return index < arguments.size() ? arguments[index] : std::string();
}

std::string checkNonNegative(const Arguments& arguments) {
    long value = 0;
    if (!parseNumber(arguments[0], value) || value < 0) {
        return "\"" + arguments[0] + "\" is not a number of 0 or more";
    }
    return std::string();
}

std::string checkNonNegativeNumbers(const Arguments& arguments) {
    long value = 0;
    for (const std::string& argument : arguments) {
        if (!parseNumber(argument, value) || value < 0) {
            return "\"" + argument + "\" is not a number of 0 or more";
        }
    }
    return std::string();
}

std::string checkKey(const Arguments& arguments) {
    return parseKey(arguments[0]) ? std::string() : "unknown key \"" + arguments[0] + "\"";
}

std::string checkControl(const Arguments& arguments) {
    long value = 0;
    if (arguments[0] == "frame" || (parseNumber(arguments[0], value) && value >= 0)) {
        return std::string();
    }
    return "\"" + arguments[0] + "\" is neither a control id nor frame";
}

std::string checkNumbers(const Arguments& arguments) {
    long value = 0;
    for (const std::string& argument : arguments) {
        if (!parseNumber(argument, value)) {
            return "\"" + argument + "\" is not a number";
        }
    }
    return std::string();
}

// wav PATH RATE BITS CHANNELS SILENT_MS TONE_MS
std::string checkWav(const Arguments& arguments) {
    long value = 0;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!parseNumber(arguments[i], value) || value < 0) {
            return "\"" + arguments[i] + "\" is not a number of 0 or more";
        }
    }
    const long bits = numberArgument(arguments[2]);
    const long channels = numberArgument(arguments[3]);
    if (numberArgument(arguments[1]) < 8 || (bits != 8 && bits != 16) ||
        (channels != 1 && channels != 2)) {
        return "wav needs a rate of 8 or more, 8 or 16 bits and 1 or 2 channels";
    }
    return std::string();
}

std::string checkHold(const Arguments& arguments) {
    const std::string& how = arguments[1];
    if (how == "read" || how == "write" || how == "edit" || how == "off") {
        return std::string();
    }
    return "hold needs read, write, edit or off, not \"" + how + "\"";
}

int controlArgument(const std::string& text) {
    return text == "frame" ? HostSession::kFrameControl : numberArgument(text);
}

void hold(HostSession& session, const Arguments& arguments) {
    const std::string& how = arguments[1];
    if (how == "off") {
        session.holds().release(arguments[0]);
    } else {
        const FileHolds::Sharing sharing = how == "read"    ? FileHolds::Sharing::readOnly
                                           : how == "write" ? FileHolds::Sharing::readWriteDelete
                                                            : FileHolds::Sharing::editing;
        session.holds().hold(arguments[0], sharing);
    }
}

constexpr std::array kCommands = {
    CommandEntry{"header", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.printHeader(); }},
    CommandEntry{"song", 1, 2, nullptr,
                 [](HostSession& session, const Arguments& arguments) {
                     session.addSong(arguments[0], optionalArgument(arguments, 1));
                 }},
    CommandEntry{"meta", 2, 3, nullptr,
                 [](HostSession& session, const Arguments& arguments) {
                     session.setMeta(arguments[0], arguments[1], optionalArgument(arguments, 2));
                 }},
    CommandEntry{"select", 1, 1, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     session.select(numberArgument(arguments[0]));
                 }},
    CommandEntry{
        "caption", 1, 1, nullptr,
        [](HostSession& session, const Arguments& arguments) { session.setCaption(arguments[0]); }},
    CommandEntry{"play", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.player().play(); }},
    CommandEntry{"pause", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.player().pause(); }},
    CommandEntry{"stop", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.player().stop(); }},
    CommandEntry{"seek", 1, 1, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     session.player().seek(numberArgument(arguments[0]));
                 }},
    CommandEntry{"init", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.init(); }},
    CommandEntry{"config", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.config(); }},
    CommandEntry{"config-live", 2, 2, checkNonNegativeNumbers,
                 [](HostSession& session, const Arguments& arguments) {
                     session.configLive(numberArgument(arguments[0]), numberArgument(arguments[1]));
                 }},
    CommandEntry{"config-in-render", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.configInRender(); }},
    CommandEntry{"run", 1, 1, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     session.run(numberArgument(arguments[0]));
                 }},
    CommandEntry{"key", 1, 1, checkKey,
                 [](HostSession& session, const Arguments& arguments) {
                     session.key(*parseKey(arguments[0]));
                 }},
    CommandEntry{"click", 1, 1, checkControl,
                 [](HostSession& session, const Arguments& arguments) {
                     session.click(controlArgument(arguments[0]), false);
                 }},
    CommandEntry{"dblclick", 1, 1, checkControl,
                 [](HostSession& session, const Arguments& arguments) {
                     session.click(controlArgument(arguments[0]), true);
                 }},
    CommandEntry{"answer", 1, 1, nullptr,
                 [](HostSession& session, const Arguments& arguments) {
                     session.boxes().queueAnswer(arguments[0]);
                 }},
    CommandEntry{"dialog-text", 1, 1, nullptr,
                 [](HostSession& session, const Arguments& arguments) {
                     session.boxes().queueDialogText(arguments[0]);
                 }},
    CommandEntry{"dialog", 1, 3, checkDialogStep,
                 [](HostSession& session, const Arguments& arguments) {
                     session.boxes().queueStep(dialogStepText(arguments));
                 }},
    // An environment variable of the host process, as the plug-in will see it (no VALUE:
    // removed); set before init for what the plug-in reads once.
    CommandEntry{"env", 1, 2, nullptr,
                 [](HostSession&, const Arguments& arguments) {
                     const std::string value = optionalArgument(arguments, 1);
                     SetEnvironmentVariableA(arguments[0].c_str(),
                                             arguments.size() > 1 ? value.c_str() : nullptr);
                 }},
    CommandEntry{"file", 2, 2, nullptr,
                 [](HostSession&, const Arguments& arguments) {
                     writeScriptFile(arguments[0], arguments[1]);
                 }},
    CommandEntry{"dump", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.dump(); }},
    CommandEntry{
        "shot", 1, 1, nullptr,
        [](HostSession& session, const Arguments& arguments) { session.shot(arguments[0]); }},
    CommandEntry{"sleep", 1, 1, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     session.sleep(numberArgument(arguments[0]));
                 }},
    CommandEntry{"hold", 2, 2, checkHold, hold},
    CommandEntry{"gdi", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.printGdi(); }},
    // Probes of the command tests: a file's bytes, a control's place, the screen as it is, the
    // mouse onto a control.
    CommandEntry{"cat", 1, 1, nullptr,
                 [](HostSession&, const Arguments& arguments) { printFile(arguments[0]); }},
    CommandEntry{"rect", 1, 1, checkControl,
                 [](HostSession&, const Arguments& arguments) {
                     if (arguments[0] == "frame") {
                         printFrameRect();
                     } else {
                         printControlRect(numberArgument(arguments[0]));
                     }
                 }},
    CommandEntry{"text", 1, 1, checkNonNegative,
                 [](HostSession&,
                    const Arguments& arguments) { printControlText(numberArgument(arguments[0])); }},
    // Waits, pumping, until the control's text holds TEXT (10 s at most; longer fails the
    // script) and prints `wait ID TEXT`: for what a worker of the plug-in's answers.
    CommandEntry{"wait", 2, 2, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     session.waitForText(numberArgument(arguments[0]), arguments[1]);
                 }},
    CommandEntry{"closeframe", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.showFrame(false); }},
    CommandEntry{"showframe", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.showFrame(true); }},
    CommandEntry{"moveframe", 4, 4, checkNumbers,
                 [](HostSession& session, const Arguments& arguments) {
                     session.moveFrame(numberArgument(arguments[0]), numberArgument(arguments[1]),
                                       numberArgument(arguments[2]), numberArgument(arguments[3]));
                 }},
    CommandEntry{"grab", 1, 1, nullptr,
                 [](HostSession&, const Arguments& arguments) { grabFrame(arguments[0]); }},
    CommandEntry{"move", 1, 1, checkNonNegative,
                 [](HostSession&,
                    const Arguments& arguments) { moveMouseOnto(numberArgument(arguments[0])); }},
    // The audio the plug-in sees: a WAV beside a song, what the last render call was handed,
    // and the timing of the render call itself.
    CommandEntry{"wav", 6, 6, checkWav,
                 [](HostSession&, const Arguments& arguments) {
                     writeTestWav(arguments[0], numberArgument(arguments[1]),
                                  numberArgument(arguments[2]), numberArgument(arguments[3]),
                                  numberArgument(arguments[4]), numberArgument(arguments[5]));
                 }},
    CommandEntry{"audio", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.printAudio(); }},
    CommandEntry{"bench", 2, 2, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     runBench(session, numberArgument(arguments[0]), arguments[1]);
                 }},
    CommandEntry{"bench-online", 2, 2, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     runOnlineBench(session, numberArgument(arguments[0]), arguments[1]);
                 }},
    CommandEntry{"bench-publish", 2, 2, checkNonNegative,
                 [](HostSession& session, const Arguments& arguments) {
                     runPublishBench(session, numberArgument(arguments[0]), arguments[1]);
                 }},
    CommandEntry{"quit", 0, 0, nullptr,
                 [](HostSession& session, const Arguments&) { session.quit(); }},
};

}  // namespace

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace zor::hostsim
