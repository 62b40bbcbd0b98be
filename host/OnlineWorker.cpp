// The network thread of the plug-in: a queue of one request at a time, the transport it runs on
// and the memory of misses, all shared with the thread so that it may outlive a stop().
#include "host/OnlineWorker.h"

#include <condition_variable>
#include <ctime>
#include <deque>
#include <map>
#include <mutex>

#include "diag/TraceLog.h"
#include "lyrics/online/MissMemory.h"
#include "lyrics/platform/Win32HttpTransport.h"

namespace zor {

namespace {

// How long stop() waits for the thread. Closing the request handle under a blocked call ends
// it at once on Windows; wine's WinHTTP finishes the blocked receive first (until the answer
// goes on or the time allowed ends). A thread still busy after this is left to end on its own,
// which is safe: it holds the library and its share of the state.
constexpr DWORD kStopWaitMs = 250;

}  // namespace

struct OnlineWorker::Request {
    OnlineJobKind kind = OnlineJobKind::Find;
    std::uint32_t generation = 0;
    OnlineSong song;
    TrackSignature signature;
    PublishJob publish;
    std::string server;
    std::string missFile;
    HWND window = nullptr;
    UINT message = 0;
    std::shared_ptr<CancelFlag> cancel;
};

namespace {
using Job = OnlineWorker::Request;
}  // namespace

struct OnlineWorker::Shared {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Job> jobs;
    bool stopping = false;
    std::shared_ptr<CancelFlag> current;  // the cancel flag of the job under way
    bool requestUnderWay = false;         // that job talks to the network
    std::map<std::uint32_t, OnlineAnswer> answers;
    WinHttpTransport transport;

    // The thread's alone.
    std::unique_ptr<FileSystem> files = newPlatformFileSystem();
    std::unique_ptr<MissMemory> misses;

    MissMemory& missesAt(const std::string& path) {
        if (!misses || misses->path() != path) {
            misses = std::make_unique<MissMemory>(*files, path);
        }
        return *misses;
    }

    // Under lock: cancels the job under way and drops the waiting requests (not the chores).
    void cancelRequests() {
        if (current) {
            current->store(true);
        }
        for (auto job = jobs.begin(); job != jobs.end();) {
            job = job->kind == OnlineJobKind::Forget ? std::next(job) : jobs.erase(job);
        }
    }
};

namespace {

OnlineAnswer runJob(OnlineWorker::Shared& shared, const Job& job) {
    OnlineAnswer answer;
    answer.kind = job.kind;
    answer.generation = job.generation;
    switch (job.kind) {
        case OnlineJobKind::Find: {
            MissMemory& misses = shared.missesAt(job.missFile);
            OnlineLookup lookup(shared.transport, *shared.files, job.server, &misses);
            answer.outcome = lookup.find(job.song, *job.cancel, std::time(nullptr));
            break;
        }
        case OnlineJobKind::Search: {
            OnlineLookup lookup(shared.transport, *shared.files, job.server);
            answer.listing = lookup.search(job.signature, *job.cancel);
            break;
        }
        case OnlineJobKind::Forget:
            shared.missesAt(job.missFile).forget(job.song.path);
            break;
        case OnlineJobKind::Publish: {
            Publisher publisher(shared.transport, job.server, proofOfWorkThreads());
            answer.published = publisher.publish(job.publish.track, job.publish.text, *job.cancel,
                                                 *job.publish.hashes);
            break;
        }
    }
    return answer;
}

void runJobs(OnlineWorker::Shared& shared) {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> guard(shared.lock);
            shared.wake.wait(guard, [&] { return shared.stopping || !shared.jobs.empty(); });
            if (shared.stopping) {
                return;
            }
            job = std::move(shared.jobs.front());
            shared.jobs.pop_front();
            shared.current = job.cancel;
            shared.requestUnderWay = job.kind != OnlineJobKind::Forget;
        }
        OnlineAnswer answer = runJob(shared, job);
        {
            const std::lock_guard<std::mutex> guard(shared.lock);
            shared.current.reset();
            shared.requestUnderWay = false;
            if (job.kind == OnlineJobKind::Forget || job.cancel->load() || shared.stopping) {
                continue;  // abandoned: nobody waits for this answer
            }
            shared.answers[job.generation] = std::move(answer);
        }
        if (::PostMessageW(job.window, job.message, job.generation, 0) == FALSE) {
            const std::lock_guard<std::mutex> guard(shared.lock);
            shared.answers.erase(job.generation);  // the window is gone
        }
    }
}

// What CreateThread hands the thread: its share of the state and its hold on the library.
struct ThreadStart {
    std::shared_ptr<OnlineWorker::Shared> shared;
    HMODULE library = nullptr;
};

DWORD WINAPI workerMain(void* parameter) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    const HMODULE library = start->library;
    try {
        runJobs(*start->shared);
    } catch (const std::exception& error) {
        traceLine(std::string("online worker: ") + error.what());
    } catch (...) {
        traceLine("online worker: unknown exception");
    }
    start.reset();  // the last share may be this one: freed while the library's code is there
    ::FreeLibraryAndExitThread(library, 0);
}

}  // namespace

OnlineWorker::OnlineWorker() = default;

OnlineWorker::~OnlineWorker() {
    stop();
}

void OnlineWorker::startThread() {
    shared_ = std::make_shared<Shared>();
    HMODULE library = nullptr;
    // The thread's own reference on the library, given back as the thread ends.
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                             reinterpret_cast<LPCWSTR>(&workerMain), &library) == FALSE) {
        return;
    }
    auto start = std::make_unique<ThreadStart>(ThreadStart{shared_, library});
    thread_ = ::CreateThread(nullptr, 0, workerMain, start.get(), 0, nullptr);
    if (thread_ == nullptr) {
        ::FreeLibrary(library);
        return;
    }
    static_cast<void>(start.release());  // the thread owns it now
}

// A thread whose request was cancelled but whose transfer has not ended yet is left to end on
// its own, and a fresh one takes the next request: a stalled server never holds up the next
// song. The chores still queued go over to the fresh thread.
void OnlineWorker::leaveBusyThread() {
    if (thread_ == nullptr) {
        return;
    }
    std::deque<Job> chores;
    {
        const std::lock_guard<std::mutex> guard(shared_->lock);
        if (!shared_->requestUnderWay) {
            return;
        }
        shared_->stopping = true;
        shared_->cancelRequests();
        chores.swap(shared_->jobs);
        shared_->answers.clear();
        shared_->wake.notify_one();
    }
    shared_->transport.abort();
    ::CloseHandle(thread_);
    thread_ = nullptr;
    startThread();
    if (thread_ != nullptr) {
        const std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->jobs = std::move(chores);
        shared_->wake.notify_one();
    }
}

std::uint32_t OnlineWorker::queue(Request request) {
    const bool chore = request.kind == OnlineJobKind::Forget;
    if (!chore) {
        leaveBusyThread();
    }
    if (thread_ == nullptr) {
        startThread();
        if (thread_ == nullptr) {
            return 0;
        }
    }
    const std::lock_guard<std::mutex> guard(shared_->lock);
    if (!chore) {
        shared_->cancelRequests();
    }
    request.generation = ++lastGeneration_;
    if (request.generation == 0) {
        request.generation = ++lastGeneration_;  // 0 stands for none
    }
    request.cancel = std::make_shared<CancelFlag>(false);
    const std::uint32_t generation = request.generation;
    shared_->jobs.push_back(std::move(request));
    shared_->wake.notify_one();
    if (!chore) {
        shared_->transport.abort();  // the cancelled transfer ends now, not at its timeout
    }
    return generation;
}

namespace {

// A request whose answer goes to window as message.
OnlineWorker::Request answeredRequest(OnlineJobKind kind, const std::string& server, HWND window,
                                      UINT message) {
    OnlineWorker::Request request;
    request.kind = kind;
    request.server = server;
    request.window = window;
    request.message = message;
    return request;
}

}  // namespace

std::uint32_t OnlineWorker::find(const OnlineSong& song, const std::string& server,
                                 const std::string& missFile, HWND window, UINT message) {
    Request request = answeredRequest(OnlineJobKind::Find, server, window, message);
    request.song = song;
    request.missFile = missFile;
    return queue(std::move(request));
}

std::uint32_t OnlineWorker::search(const TrackSignature& signature, const std::string& server,
                                   HWND window, UINT message) {
    Request request = answeredRequest(OnlineJobKind::Search, server, window, message);
    request.signature = signature;
    return queue(std::move(request));
}

std::uint32_t OnlineWorker::publish(PublishJob job, const std::string& server, HWND window,
                                    UINT message) {
    Request request = answeredRequest(OnlineJobKind::Publish, server, window, message);
    request.publish = std::move(job);
    return queue(std::move(request));
}

void OnlineWorker::forget(const std::string& songPath, const std::string& missFile) {
    Request request;
    request.kind = OnlineJobKind::Forget;
    request.song.path = songPath;
    request.missFile = missFile;
    queue(std::move(request));
}

void OnlineWorker::abandon() {
    leaveBusyThread();
    if (!shared_) {
        return;
    }
    {
        const std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->cancelRequests();
        shared_->answers.clear();
    }
    shared_->transport.abort();
}

std::optional<OnlineAnswer> OnlineWorker::take(std::uint32_t generation) {
    if (!shared_) {
        return std::nullopt;
    }
    const std::lock_guard<std::mutex> guard(shared_->lock);
    const auto found = shared_->answers.find(generation);
    if (found == shared_->answers.end()) {
        return std::nullopt;
    }
    OnlineAnswer answer = std::move(found->second);
    shared_->answers.erase(shared_->answers.begin(), std::next(found));
    return answer;
}

void OnlineWorker::stop() {
    if (thread_ == nullptr) {
        shared_.reset();
        return;
    }
    {
        const std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->stopping = true;
        shared_->cancelRequests();
        shared_->jobs.clear();
        shared_->answers.clear();
        shared_->wake.notify_one();
    }
    shared_->transport.abort();
    if (::WaitForSingleObject(thread_, kStopWaitMs) != WAIT_OBJECT_0) {
        traceLine("online worker: left to end on its own");
    }
    ::CloseHandle(thread_);
    thread_ = nullptr;
    shared_.reset();
}

}  // namespace zor
