#include "tools/hostsim/BenchRunner.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/InputDriver.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/PluginWindows.h"

namespace zor::hostsim {
namespace {

constexpr int kLyricsListId = 1031;
constexpr int kPreciseTimingBox = 1060;
constexpr int kOscPaneId = 1033;
constexpr int kOscWidth = 152;
constexpr int kOscHeight = 50;
constexpr COLORREF kFloorBackground = 0x474149;
constexpr COLORREF kFloorTrace = 0xBAD8D6;
// Where the floor's window stands: off the plug-in's frame, so neither covers the other.
constexpr int kFloorWindowX = 1100;
constexpr int kFloorWindowY = 0;
constexpr int kWarmupCalls = 100;
constexpr int kCountingCalls = 100;
constexpr int kSpreadBlocks = 10;
constexpr int kMaxCallsToLoad = 20;
constexpr int kCaptionBuffer = 512;
constexpr int kTitleStripId = 1309;
constexpr int kRequestStateWaitMs = 5000;
constexpr int kRequestStatePollMs = 20;
constexpr double kPercentile = 0.99;
constexpr int kPublishWaitMs = 10000;
constexpr int kHashRateSpanMs = 10000;
constexpr int kHashRateWaitMs = 60000;
constexpr int kHashRatePollMs = 10;

class Ticks {
  public:
    Ticks() { QueryPerformanceFrequency(&frequency); }
    static LONGLONG now() {
        LARGE_INTEGER value;
        QueryPerformanceCounter(&value);
        return value.QuadPart;
    }
    double micros(LONGLONG start, LONGLONG end) const {
        return static_cast<double>(end - start) * 1e6 / static_cast<double>(frequency.QuadPart);
    }
    template <typename Task>
    double time(Task&& task) const {
        const LONGLONG start = now();
        task();
        return micros(start, now());
    }

  private:
    LARGE_INTEGER frequency{};
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

// The spread of the medians of consecutive blocks, as repetitions of a benchmark would show it.
double blockSpread(const std::vector<double>& values) {
    const std::size_t block = values.size() / kSpreadBlocks;
    if (block == 0) {
        return 0;
    }
    std::vector<double> medians;
    for (int i = 0; i < kSpreadBlocks; ++i) {
        const auto start =
            values.begin() + static_cast<std::ptrdiff_t>(block * static_cast<std::size_t>(i));
        medians.push_back(percentile(
            std::vector<double>(start, start + static_cast<std::ptrdiff_t>(block)), 0.5));
    }
    double mean = 0;
    for (double m : medians) {
        mean += m;
    }
    mean /= static_cast<double>(medians.size());
    double variance = 0;
    for (double m : medians) {
        variance += (m - mean) * (m - mean);
    }
    variance /= static_cast<double>(medians.size() - 1);
    return mean > 0 ? std::sqrt(variance) / mean : 0;
}

std::string micros(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f us", value);
    return text;
}

// One row of the table: per-call times of the figure and of its floor.
struct Job {
    std::string name;
    std::string figureLabel;
    std::string floorLabel;
    std::vector<double> figure;
    std::vector<double> floor;
    double goalRatio = 0;        // figure at most this many floors
    double goalMicros = 0;       // figure median at most this
    double hashesPerSecond = 0;  // the plug-in's proof of work, measured beside the figure
};

std::string jsonText(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

void writeEntry(std::ostream& out, const Job& job, int family, bool isFigure, const char* kind,
                double value, bool last) {
    const std::string runName = job.name + (isFigure ? "/figure" : "/floor");
    out << "    {\"name\": " << jsonText(runName + "_" + kind)
        << ", \"run_name\": " << jsonText(runName)
        << ", \"run_type\": \"aggregate\", \"aggregate_name\": \"" << kind
        << "\", \"family_index\": " << family << ", \"repetitions\": " << kSpreadBlocks
        << ", \"real_time\": " << value << ", \"cpu_time\": " << value
        << ", \"time_unit\": \"us\", \"label\": "
        << jsonText(isFigure ? job.figureLabel : job.floorLabel);
    if (isFigure && job.goalRatio > 0) {
        out << ", \"goal_ratio\": " << job.goalRatio;
    }
    if (isFigure && job.goalMicros > 0) {
        out << ", \"goal_us\": " << job.goalMicros;
    }
    if (isFigure && job.hashesPerSecond > 0) {
        out << ", \"hashes_per_s\": " << job.hashesPerSecond;
    }
    out << "}" << (last ? "\n" : ",\n");
}

void writeJson(const std::string& path, const std::vector<Job>& jobs) {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    std::ostringstream out;
    out << "{\n  \"context\": {\"executable\": \"hostsim.exe\", \"num_cpus\": "
        << system.dwNumberOfProcessors << ", \"time\": \"QueryPerformanceCounter\"},\n"
        << "  \"benchmarks\": [\n";
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const Job& job = jobs[i];
        const int family = static_cast<int>(i);
        for (const bool isFigure : {true, false}) {
            const std::vector<double>& values = isFigure ? job.figure : job.floor;
            writeEntry(out, job, family, isFigure, "median", percentile(values, 0.5), false);
            writeEntry(out, job, family, isFigure, "p99", percentile(values, kPercentile), false);
            writeEntry(out, job, family, isFigure, "cv", blockSpread(values),
                       !isFigure && i + 1 == jobs.size());
        }
    }
    out << "  ]\n}\n";
    std::ofstream file(filePath(path), std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
        throw HostError("bench: cannot write " + path);
    }
}

void printJob(const Job& job) {
    printLine("bench " + job.name + " figure median=" + micros(percentile(job.figure, 0.5)) +
              " p99=" + micros(percentile(job.figure, kPercentile)) +
              " floor median=" + micros(percentile(job.floor, 0.5)) +
              " p99=" + micros(percentile(job.floor, kPercentile)));
}

// hostsim drawing what one oscilloscope frame needs: the surface filled, two traces of 151
// segments and one copy to a window on the screen. Lives on the visualization thread.
class DrawingFloor {
  public:
    DrawingFloor() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ZorBenchFloor";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"ZorBenchFloor", L"",
                                 WS_POPUP, kFloorWindowX, kFloorWindowY, kOscWidth, kOscHeight,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        // Shown without taking the activation, which would take the plug-in's keys with it.
        ShowWindow(window, SW_SHOWNOACTIVATE);
        HDC screen = GetDC(window);
        memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kOscWidth, kOscHeight);
        ReleaseDC(window, screen);
        background = CreateSolidBrush(kFloorBackground);
        pen = CreatePen(PS_SOLID, 1, kFloorTrace);
        if (window == nullptr || memory == nullptr || bitmap == nullptr) {
            release();
            throw HostError("bench: cannot make the drawing floor's window and surface");
        }
        oldBitmap = SelectObject(memory, bitmap);
        oldPen = SelectObject(memory, pen);
    }
    ~DrawingFloor() { release(); }
    DrawingFloor(const DrawingFloor&) = delete;
    DrawingFloor& operator=(const DrawingFloor&) = delete;

    HWND handle() const { return window; }

    // The traces lie where the plug-in's would: channel 1 above channel 0.
    void draw(const unsigned char (*waveform)[576]) {
        const RECT all{0, 0, kOscWidth, kOscHeight};
        FillRect(memory, &all, background);
        for (int channel = 0; channel < 2; ++channel) {
            const int offset = channel == 0 ? 10 : -50;
            for (int x = 0; x < kOscWidth; ++x) {
                const int value = (channel * 256 + waveform[channel][x]) ^ 0x80;
                points[static_cast<std::size_t>(x)] = POINT{x, (value >> 1) / 3 + offset};
            }
            Polyline(memory, points.data(), kOscWidth);
        }
        HDC screen = GetDC(window);
        BitBlt(screen, 0, 0, kOscWidth, kOscHeight, memory, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    }

  private:
    void release() {
        if (memory != nullptr) {
            SelectObject(memory, oldBitmap);
            SelectObject(memory, oldPen);
            DeleteDC(memory);
        }
        for (HGDIOBJ object : {static_cast<HGDIOBJ>(bitmap), static_cast<HGDIOBJ>(background),
                               static_cast<HGDIOBJ>(pen)}) {
            if (object != nullptr) {
                DeleteObject(object);
            }
        }
        if (window != nullptr) {
            DestroyWindow(window);
        }
        memory = nullptr;
        bitmap = nullptr;
        background = nullptr;
        pen = nullptr;
        window = nullptr;
    }

    HWND window = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HBRUSH background = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    HGDIOBJ oldPen = nullptr;
    std::array<POINT, kOscWidth> points{};
};

// What the host main window receives, counted while installed in front of its procedure.
class RequestCounter {
  public:
    explicit RequestCounter(HWND host) : window(host) {
        current = this;
        previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingProc)));
    }
    ~RequestCounter() {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        current = nullptr;
    }
    RequestCounter(const RequestCounter&) = delete;
    RequestCounter& operator=(const RequestCounter&) = delete;

    int total() const { return requests; }
    // "IPC 125 x1, ..., WM_GETTEXT x1" per call.
    std::string breakdown(int calls) const {
        std::string text;
        for (const auto& [name, count] : byKind) {
            char part[64];
            std::snprintf(part, sizeof part, "%s%s x%.4g", text.empty() ? "" : ", ", name.c_str(),
                          static_cast<double>(count) / calls);
            text += part;
        }
        return text;
    }

  private:
    static LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        RequestCounter& self = *current;
        if (message == WM_USER) {
            self.count("IPC " + std::to_string(static_cast<long long>(lParam)));
        } else if (message == WM_GETTEXT) {
            self.count("WM_GETTEXT");
        } else if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
            self.count("command " + std::to_string(LOWORD(wParam)));
        }
        return CallWindowProcW(self.previous, window, message, wParam, lParam);
    }
    void count(const std::string& kind) {
        ++requests;
        ++byKind[kind];
    }

    static inline RequestCounter* current = nullptr;
    HWND window;
    WNDPROC previous = nullptr;
    int requests = 0;
    std::map<std::string, int> byKind;
};

double readWholeFile(const Ticks& ticks, const std::string& path) {
    static std::array<char, std::size_t{64} * 1024> block;
    const std::wstring widePath = toWide(path);
    return ticks.time([&] {
        HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return;
        }
        DWORD got = 0;
        while (ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
               got > 0) {
        }
        CloseHandle(file);
    });
}

std::string stemOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash)
               ? path.substr(0, dot)
               : path;
}

std::string lyricsFileOf(const std::string& songPath) {
    for (const char* extension : {".lrc", ".txt"}) {
        const std::string candidate = stemOf(songPath) + extension;
        if (GetFileAttributesW(toWide(candidate).c_str()) != INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
    }
    throw HostError("bench: " + songPath + " has no LRC or TXT file beside it");
}

}  // namespace

// Reaches into the session as its own steps do; declared a friend of HostSession.
class BenchRunner {
  public:
    BenchRunner(HostSession& hostSession, int benchCalls)
        : session(hostSession), calls(benchCalls) {}

    void run(const std::string& jsonPath) {
        check();
        session.visThread().run([this] { floorDrawing = std::make_unique<DrawingFloor>(); });
        std::vector<Job> jobs;
        try {
            for (int i = 0; i < kWarmupCalls; ++i) {
                steadyCall(nullptr);
            }
            const std::string requests = countRequests();
            requireOscilloscope(true);
            jobs.push_back(oscilloscopeOn());
            toggleOscilloscope();
            requireOscilloscope(false);
            jobs.push_back(oscilloscopeOff(requests));
            toggleOscilloscope();
            jobs.push_back(songChange());
            jobs.push_back(hostRequest());
            if (session.playerState.playlist().size() > 2) {
                jobs.push_back(preciseTiming());
            }
        } catch (...) {
            session.visThread().run([this] { floorDrawing.reset(); });
            throw;
        }
        session.visThread().run([this] { floorDrawing.reset(); });
        for (const Job& job : jobs) {
            printJob(job);
        }
        writeJson(jsonPath, jobs);
        printLine("bench written to " + jsonPath);
    }

    // The steady call on a song whose online request is out (the server stalls it) against the
    // same call on a song the memory of misses keeps from being asked about: blocks of each in
    // turn, each song change starting a fresh request for the first.
    void runOnline(const std::string& jsonPath) {
        requirePlaying("bench-online");
        if (session.playerState.playlist().size() != 2) {
            throw HostError(
                "bench-online: the playlist needs two songs without lyrics, the "
                "second one remembered as a miss");
        }
        Job job{"render_online",
                "steady Render, online request out",
                "steady Render, no request (a remembered miss)",
                {},
                {},
                1.1,
                0};
        alternateBlocks(
            job,
            [&](bool asking) {
                session.select(asking ? 0 : 1);
                for (int i = 0; i < kWarmupCalls / 10; ++i) {
                    steadyCall(nullptr);  // the song change settling
                }
                awaitRequestState(asking);
            },
            [&](bool asking) { requireRequestOut(asking, "after"); });
        writeJob(job, jsonPath);
    }

    // The steady call while a publish solves its proof of work (against a challenge no hash
    // meets, so it runs until cancelled) against the same call with none: blocks of each in
    // turn, each publish started with SHIFT+F9 and its dialog's Publish, and ended with ESC.
    // Then the plug-in's hashes per second, from the count the title strip shows.
    void runPublish(const std::string& jsonPath) {
        requirePlaying("bench-publish");
        Job job{"render_publish",
                "steady Render, a publish solving",
                "steady Render, no publish",
                {},
                {},
                1.1,
                0};
        alternateBlocks(
            job,
            [&](bool solving) {
                if (solving) {
                    startPublish();
                }
                for (int i = 0; i < kWarmupCalls / 10; ++i) {
                    steadyCall(nullptr);
                }
                requirePublishing(solving, "before");
            },
            [&](bool solving) {
                requirePublishing(solving, "after");
                if (solving) {
                    cancelPublish();
                }
            });
        job.hashesPerSecond = measureHashRate();
        char rate[64];
        std::snprintf(rate, sizeof rate, "%.2f M/s", job.hashesPerSecond / 1e6);
        printLine(std::string("bench publish hashes in the plug-in ") + rate);
        writeJob(job, jsonPath);
    }

  private:
    struct Pair {
        double figure = 0;
        double floor = 0;
    };

    void requirePlaying(const std::string& command) const {
        session.requireRunning(command.c_str());
        if (session.visModule->Render == nullptr) {
            throw HostError(command + ": the module has no Render function");
        }
        if (session.playerState.playingState() != 1) {
            throw HostError(command + ": the player must be playing");
        }
    }

    // Blocks of steady calls, the figure's and the floor's in turn; enter(figure) sets a
    // block's state up and checks it, leave(figure) checks it again and ends it.
    void alternateBlocks(Job& job, const std::function<void(bool)>& enter,
                         const std::function<void(bool)>& leave) {
        constexpr int kBlocks = 2 * kSpreadBlocks;
        const int perBlock = std::max(1, calls / kBlocks);
        for (int block = 0; block < kBlocks; ++block) {
            const bool figure = block % 2 == 0;
            enter(figure);
            for (int i = 0; i < perBlock; ++i) {
                (figure ? job.figure : job.floor).push_back(steadyCall(nullptr).figure);
            }
            leave(figure);
        }
    }

    void writeJob(Job& job, const std::string& jsonPath) {
        addPercentiles(job);
        printJob(job);
        writeJson(jsonPath, {job});
        printLine("bench written to " + jsonPath);
    }

    void check() const {
        requirePlaying("bench");
        if (session.playerState.playlist().size() < 2) {
            throw HostError("bench: the playlist needs two songs with lyrics");
        }
    }

    // One render call as `run` makes it, timed; then the floor task, timed the same way.
    Pair steadyCall(const std::function<void()>& floorTask) {
        session.playerState.advance(session.renderStepMs());
        return renderCall(floorTask);
    }

    Pair renderCall(const std::function<void()>& floorTask) {
        winampVisModule* m = session.visModule;
        const Player::Entry* entry =
            session.playerState.entryAt(session.playerState.listPosition());
        const std::string songPath = entry == nullptr ? std::string() : entry->path;
        const int positionMs = session.playerState.clockMs();
        Pair times;
        session.visThread().run([&] {
            session.audio->fill(songPath, positionMs, true,
                                VisData{m->spectrumData, m->waveformData});
            times.figure = ticks.time([m] { m->Render(m); });
            if (floorTask) {
                times.floor = ticks.time(floorTask);
            }
        });
        session.settle();
        return times;
    }

    std::string countRequests() {
        RequestCounter counter(session.mainWindow.handle());
        for (int i = 0; i < kCountingCalls; ++i) {
            steadyCall(nullptr);
        }
        requestsPerCall = static_cast<double>(counter.total()) / kCountingCalls;
        char text[32];
        std::snprintf(text, sizeof text, "%.4g", requestsPerCall);
        printLine("bench requests per steady Render: " + std::string(text) + " (" +
                  counter.breakdown(kCountingCalls) + ")");
        return text;
    }

    int oscPaneWidth() {
        HWND pane = controlWithId(session.visThread().threadId(), kOscPaneId);
        RECT rect{};
        if (pane == nullptr || !GetWindowRect(pane, &rect)) {
            return 0;
        }
        return rect.right - rect.left;
    }

    void requireOscilloscope(bool on) {
        if ((oscPaneWidth() > 0) != on) {
            throw HostError(on ? "bench: the oscilloscope is off; start with ShowMenu=1 and "
                                 "ShowOsciloscope=1"
                               : "bench: SHIFT+F2 did not switch the oscilloscope off");
        }
    }

    void toggleOscilloscope() {
        KeyPress press;
        press.virtualKey = VK_F2;
        press.shift = true;
        session.key(press);
    }

    Job oscilloscopeOn() {
        Job job{"render_osc_on",
                "steady Render, oscilloscope on",
                "hostsim: fill 152x50, 2 polylines of 151, 1 copy",
                {},
                {},
                2,
                0};
        const winampVisModule* m = session.visModule;
        for (int i = 0; i < calls; ++i) {
            const Pair times = steadyCall([this, m] { floorDrawing->draw(m->waveformData); });
            job.figure.push_back(times.figure);
            job.floor.push_back(times.floor);
        }
        addPercentiles(job);
        return job;
    }

    Job oscilloscopeOff(const std::string& requests) {
        Job job{"render_osc_off",
                "steady Render, oscilloscope off",
                "its " + requests + " host requests alone",
                {},
                {},
                0,
                30};
        HWND host = session.mainWindow.handle();
        for (int i = 0; i < calls; ++i) {
            const Pair times = steadyCall([host] {
                const LRESULT index = SendMessageW(host, WM_USER, 0, IPC_GETLISTPOS);
                SendMessageW(host, WM_USER, static_cast<WPARAM>(index), IPC_GETPLAYLISTFILEW);
                SendMessageW(host, WM_USER, static_cast<WPARAM>(index), IPC_GETPLAYLISTTITLEW);
                std::array<wchar_t, kCaptionBuffer> caption{};
                SendMessageW(host, WM_GETTEXT, kCaptionBuffer - 1,
                             reinterpret_cast<LPARAM>(caption.data()));
                SendMessageW(host, WM_USER, 0, IPC_GETOUTPUTTIME);
            });
            job.figure.push_back(times.figure);
            job.floor.push_back(times.floor);
        }
        addPercentiles(job);
        return job;
    }

    int lyricsCount() {
        HWND list = controlWithId(session.visThread().threadId(), kLyricsListId);
        return list == nullptr ? -1 : static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    }

    // Selects the entry and renders until its lyrics are in the list: the time of those calls,
    // and how many it took.
    Pair changeTo(int entry, int expectedCount, const std::string& lyricsFile, int& renderCalls) {
        session.select(entry);
        Pair total;
        renderCalls = 0;
        int count = -1;
        do {
            const bool first = renderCalls == 0;
            const Pair times = renderCall(first ? std::function<void()>([&] {
                total.floor = readWholeFile(ticks, lyricsFile);
            })
                                                : std::function<void()>());
            total.figure += times.figure;
            ++renderCalls;
            session.visThread().run([&] { count = lyricsCount(); });
            // Learning the count (expected -1), the list after the first call is taken.
        } while (expectedCount >= 0 && count != expectedCount && renderCalls < kMaxCallsToLoad);
        if (count != expectedCount && expectedCount >= 0) {
            throw HostError("bench: the lyrics of entry " + std::to_string(entry) +
                            " did not load within " + std::to_string(kMaxCallsToLoad) + " calls");
        }
        lastCount = count;
        return total;
    }

    Job songChange() {
        const int from = session.playerState.listPosition() == 1 ? 1 : 0;
        const int to = 1 - from;
        const std::array<int, 2> entries{from, to};
        std::array<std::string, 2> files;
        std::array<int, 2> counts{};
        for (std::size_t i = 0; i < 2; ++i) {
            files[i] = lyricsFileOf(session.playerState.entryAt(entries[i])->path);
        }
        int renderCalls = 0;
        // Learn each song's line count: to the other song and back.
        {
            RequestCounter counter(session.mainWindow.handle());
            changeTo(to, -1, files[1], renderCalls);
            counts[1] = lastCount;
            changeTo(from, -1, files[0], renderCalls);
            counts[0] = lastCount;
            printLine("bench requests per song change: " + counter.breakdown(2));
        }
        if (counts[0] == counts[1]) {
            throw HostError("bench: the two songs' lyrics must differ in line count (both " +
                            std::to_string(counts[0]) + ")");
        }
        const int changes = std::max(kSpreadBlocks * 2, calls / 20);
        int mostCalls = 0;
        Job job{"render_song_change", "", "open, read, close its LRC", {}, {}, 0, 0};
        for (int i = 0; i < changes; ++i) {
            const std::size_t target = (i % 2 == 0) ? 1 : 0;
            const Pair times =
                changeTo(entries[target], counts[target], files[target], renderCalls);
            mostCalls = std::max(mostCalls, renderCalls);
            job.figure.push_back(times.figure);
            job.floor.push_back(times.floor);
            // A few steady calls between the changes, as a song plays for a while.
            for (int k = 0; k < 3; ++k) {
                steadyCall(nullptr);
            }
        }
        job.figureLabel = "song change to its lyrics in the list, " + std::to_string(mostCalls) +
                          " call" + (mostCalls == 1 ? "" : "s");
        addPercentiles(job);
        return job;
    }

    Job hostRequest() {
        Job job{"render_ipc",
                "one host request from the vis thread",
                "a message to a window of its own thread",
                {},
                {},
                0,
                0};
        HWND host = session.mainWindow.handle();
        HWND own = nullptr;
        constexpr int kBatch = 100;
        for (int done = 0; done < calls; done += kBatch) {
            session.visThread().run([&] {
                own = floorDrawing->handle();
                for (int i = 0; i < kBatch && done + i < calls; ++i) {
                    job.figure.push_back(
                        ticks.time([host] { SendMessageW(host, WM_USER, 0, IPC_GETLISTPOS); }));
                    job.floor.push_back(
                        ticks.time([own] { SendMessageW(own, WM_USER, 0, IPC_GETLISTPOS); }));
                }
            });
        }
        addPercentiles(job);
        return job;
    }

    // The steady call with precise timing on, the word-timed line of the third song wiped on
    // every call, against the same song with it off: blocks of each in turn, switched through
    // the configuration dialog's "Precise timing" box as a user would.
    Job preciseTiming() {
        const std::string file = lyricsFileOf(session.playerState.entryAt(2)->path);
        int renderCalls = 0;
        changeTo(2, -1, file, renderCalls);
        Job job{"render_precise",
                "steady Render, precise timing, word-timed line wiped",
                "steady Render, precise timing off",
                {},
                {},
                1.2,
                0};
        constexpr int kBlocks = 2 * kSpreadBlocks;
        const int perBlock = std::max(1, calls / kBlocks);
        bool precise = false;
        for (int block = 0; block < kBlocks; ++block) {
            if (block > 0) {
                togglePreciseTiming();
                precise = !precise;
            }
            for (int i = 0; i < kWarmupCalls / 10; ++i) {
                steadyCall(nullptr);  // the reload after the dialog, and the wipe settling
            }
            for (int i = 0; i < perBlock; ++i) {
                (precise ? job.figure : job.floor).push_back(steadyCall(nullptr).figure);
            }
        }
        if (precise) {
            togglePreciseTiming();
        }
        addPercentiles(job);
        return job;
    }

    void togglePreciseTiming() {
        session.boxes().queueStep("press " + std::to_string(kPreciseTimingBox));
        session.boxes().queueAnswer("OK");
        KeyPress press;
        press.virtualKey = VK_F12;
        session.key(press);
    }

    std::vector<double> steadyTimes() {
        for (int i = 0; i < kWarmupCalls; ++i) {
            steadyCall(nullptr);
        }
        std::vector<double> times;
        for (int i = 0; i < calls; ++i) {
            times.push_back(steadyCall(nullptr).figure);
        }
        return times;
    }

    // The first line of the title strip: the online step's notice while it has one.
    std::wstring titleStripFirstLine() {
        std::wstring text;
        session.visThread().run([&] {
            HWND strip = controlWithId(session.visThread().threadId(), kTitleStripId);
            std::array<wchar_t, kCaptionBuffer> buffer{};
            if (strip != nullptr) {
                GetWindowTextW(strip, buffer.data(), kCaptionBuffer);
            }
            text = buffer.data();
        });
        return text.substr(0, text.find(L'\n'));
    }

    bool publishing() { return titleStripFirstLine().rfind(L"Publishing to lrclib.net", 0) == 0; }

    void pressKey(WORD key, bool shift) {
        KeyPress press;
        press.virtualKey = key;
        press.shift = shift;
        session.key(press);
    }

    // Waits, rendering as the host would, until the title strip says whether a publish runs.
    void awaitPublishing(bool running) {
        for (int waited = 0; waited < kPublishWaitMs && publishing() != running;
             waited += kRequestStatePollMs) {
            session.sleep(kRequestStatePollMs);
            steadyCall(nullptr);
        }
    }

    void startPublish() {
        session.boxes().queueAnswer("Publish");
        pressKey(VK_F9, true);
        awaitPublishing(true);
    }

    void cancelPublish() {
        pressKey(VK_ESCAPE, false);
        awaitPublishing(false);
    }

    void requirePublishing(bool running, const char* when) {
        if (publishing() != running) {
            throw HostError(std::string("bench-publish: ") +
                            (running ? "no publish was" : "a publish was") + " running " + when +
                            " a block; the title strip showed \"" + toUtf8(titleStripFirstLine()) +
                            "\"");
        }
    }

    // The millions of hashes the title strip counts ("... 12 M hashes"); -1 while it shows none.
    long long millionsShown() {
        const std::wstring line = titleStripFirstLine();
        const std::size_t unit = line.find(L" M hashes");
        if (unit == std::wstring::npos) {
            return -1;
        }
        const std::size_t start = line.find_last_not_of(L"0123456789", unit - 1) + 1;
        return std::stoll(line.substr(start, unit - start));
    }

    // Hashes per second over at least kHashRateSpanMs, timed between two changes of the count
    // (the strip moves on a 250 ms timer, which bounds the error); 0 when the count never moved.
    double measureHashRate() {
        startPublish();
        long long first = -1;
        long long last = -1;
        LONGLONG firstAt = 0;
        LONGLONG lastAt = 0;
        for (int waited = 0; waited < kHashRateWaitMs; waited += kHashRatePollMs) {
            const long long shown = millionsShown();
            if (shown > last) {
                const LONGLONG now = Ticks::now();
                if (first < 0) {
                    first = shown;
                    firstAt = now;
                } else if (ticks.micros(firstAt, now) >= kHashRateSpanMs * 1000.0) {
                    last = shown;
                    lastAt = now;
                    break;
                }
                last = shown;
            }
            session.sleep(kHashRatePollMs);
        }
        cancelPublish();
        if (first < 0 || lastAt == 0) {
            return 0;
        }
        return static_cast<double>(last - first) * 1e6 / (ticks.micros(firstAt, lastAt) / 1e6);
    }

    bool requestStateIs(bool out) {
        const std::wstring line = titleStripFirstLine();
        const bool searching = line.rfind(L"Searching lrclib.net", 0) == 0;
        const bool notice = line.rfind(L"lrclib.net", 0) == 0;
        return out ? searching : !(searching || notice);
    }

    // The worker ends the previous song's request and answers from the memory of misses on its
    // own thread; render calls go on meanwhile, as the host's would.
    void awaitRequestState(bool out) {
        for (int waited = 0; waited < kRequestStateWaitMs && !requestStateIs(out);
             waited += kRequestStatePollMs) {
            session.sleep(kRequestStatePollMs);
            steadyCall(nullptr);
        }
        requireRequestOut(out, "before");
    }

    // The figure's blocks must have the request out from start to end, the floor's none.
    void requireRequestOut(bool out, const char* when) {
        if (!requestStateIs(out)) {
            const std::wstring line = titleStripFirstLine();
            throw HostError(std::string("bench-online: ") +
                            (out ? "no request was" : "a request was") + " out " + when +
                            " a block; the title strip showed \"" + toUtf8(line) + "\"");
        }
    }

    static void addPercentiles(Job& job) {
        job.figureLabel += " (p99 " + micros(percentile(job.figure, kPercentile)) + ")";
        job.floorLabel += " (p99 " + micros(percentile(job.floor, kPercentile)) + ")";
    }

    HostSession& session;
    int calls;
    Ticks ticks;
    std::unique_ptr<DrawingFloor> floorDrawing;
    double requestsPerCall = 0;
    int lastCount = -1;
};

void runBench(HostSession& session, int calls, const std::string& jsonPath) {
    BenchRunner(session, calls).run(jsonPath);
}

void runOnlineBench(HostSession& session, int calls, const std::string& jsonPath) {
    BenchRunner(session, calls).runOnline(jsonPath);
}

void runPublishBench(HostSession& session, int calls, const std::string& jsonPath) {
    BenchRunner(session, calls).runPublish(jsonPath);
}

}  // namespace zor::hostsim
