// Names matched without regard to letter case on POSIX, and the folder lists kept between lookups:
// whatever changes in a folder between two lookups must be seen by the second.
#ifndef _WIN32
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Fakes.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {
namespace {

using test::TempFolder;

// Sets a folder's modification time; an old time lets the file system keep the folder's list.
void stampFolder(const std::string& folder, timespec when) {
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

timespec hourAgo() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec -= 3600;
    return now;
}

std::string contentOf(FileSystem& files, const std::string& path) {
    const auto file = files.openShared(path);
    if (!file) {
        return "<none>";
    }
    std::string text(static_cast<std::size_t>(file->size()), '\0');
    const std::int64_t n = file->read(text.data(), text.size());
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

TEST(PosixFileSystem, NamesMatchWithoutRegardToCase) {
    FileSystem& files = platformFileSystem();
    TempFolder dir;
    dir.write("song.lrc", "lower");
    dir.write("Both.LRC", "exact");
    dir.write("both.lrc", "other");
    stampFolder(dir.path().string(), hourAgo());

    for (int pass = 0; pass < 2; ++pass) {  // the second pass answers from the kept list
        SCOPED_TRACE(pass);
        EXPECT_EQ(files.resolve(dir / "Song.LRC"), dir / "song.lrc");
        EXPECT_EQ(contentOf(files, dir / "SONG.lrc"), "lower");
        EXPECT_EQ(files.resolve(dir / "Both.LRC"), dir / "Both.LRC");  // as written wins
        EXPECT_EQ(contentOf(files, dir / "both.lrc"), "other");
        EXPECT_EQ(files.resolve(dir / "Missing.LRC"), dir / "Missing.LRC");
        EXPECT_EQ(files.openShared(dir / "Missing.LRC"), nullptr);
        EXPECT_EQ(files.lastError(), ENOENT);
        EXPECT_EQ(files.openShared(dir / "nofolder/Song.LRC"), nullptr);
        EXPECT_EQ(files.lastError(), ENOENT);
        EXPECT_EQ(files.resolve(dir / "nofolder/Song.LRC"), dir / "nofolder/Song.LRC");
    }
}

TEST(PosixFileSystem, ChangesBetweenLookupsAreSeen) {
    struct Case {
        const char* name;
        bool songBefore;  // whether "song.lrc" is there for the first lookup
        std::function<void(const TempFolder&)> change;
        const char* expectedResolve;  // of "Song.LRC"
        const char* expectedContent;
    };
    const std::vector<Case> cases = {
        {"added", false, [](const TempFolder& d) { d.write("SONG.lrc", "new"); }, "SONG.lrc",
         "new"},
        {"renamed", false,
         [](const TempFolder& d) {
             ASSERT_EQ(std::rename((d / "old.lrc").c_str(), (d / "song.LRC").c_str()), 0);
         },
         "song.LRC", "old"},
        {"removed", true,
         [](const TempFolder& d) { ASSERT_EQ(std::remove((d / "song.lrc").c_str()), 0); },
         "Song.LRC", "<none>"},
        {"replaced by another spelling", true,
         [](const TempFolder& d) {
             ASSERT_EQ(std::rename((d / "old.lrc").c_str(), (d / "SONG.LRC").c_str()), 0);
             ASSERT_EQ(std::remove((d / "song.lrc").c_str()), 0);
         },
         "SONG.LRC", "old"},
    };
    FileSystem& files = platformFileSystem();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.write("old.lrc", "old");
        if (c.songBefore) {
            dir.write("song.lrc", "before");
        }
        stampFolder(dir.path().string(), hourAgo());
        files.resolve(dir / "Song.LRC");  // lists the folder and keeps the list
        contentOf(files, dir / "Song.LRC");

        c.change(dir);

        EXPECT_EQ(files.resolve(dir / "Song.LRC"), dir / c.expectedResolve);
        EXPECT_EQ(contentOf(files, dir / "Song.LRC"), c.expectedContent);
    }
}

// A file system's clock is coarse: a file added right after a listing may leave the folder's time
// unchanged. A list taken that soon after the folder changed must not be relied on.
TEST(PosixFileSystem, ChangeWithinTheClockTickIsSeen) {
    FileSystem& files = platformFileSystem();
    TempFolder dir;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    stampFolder(dir.path().string(), now);
    EXPECT_EQ(files.openShared(dir / "Song.LRC"), nullptr);

    dir.write("song.lrc", "new");
    stampFolder(dir.path().string(), now);  // as a coarse clock would leave it

    EXPECT_EQ(files.resolve(dir / "Song.LRC"), dir / "song.lrc");
    EXPECT_EQ(contentOf(files, dir / "Song.LRC"), "new");
}

// One lookup asks the system about each folder once; what it learnt ends with it, and another
// thread's lookup learns for itself.
TEST(PosixFileSystem, ALookupMomentEndsWithWhatItLearnt) {
    FileSystem& files = platformFileSystem();
    TempFolder dir;
    dir.write("music/song.mp3", "song");
    stampFolder((dir / "music"), hourAgo());
    const std::string inSubfolder = dir / "music/Lyrics/Song.LRC";
    {
        const FileSystem::LookupMoment moment(files);
        {
            const FileSystem::LookupMoment nested(files);
            EXPECT_EQ(contentOf(files, inSubfolder), "<none>");
            EXPECT_EQ(contentOf(files, dir / "music/Song.LRC"), "<none>");
        }
        dir.write("music/Lyrics/song.lrc", "added");
        dir.write("music/song.lrc", "beside");
        std::thread([&] {
            const FileSystem::LookupMoment own(files);
            EXPECT_EQ(contentOf(files, inSubfolder), "added");
        }).join();
        // Within the moment, the folders read as they were at its first look.
        EXPECT_EQ(contentOf(files, inSubfolder), "<none>");
        EXPECT_EQ(contentOf(files, dir / "music/Song.LRC"), "<none>");
    }
    EXPECT_EQ(contentOf(files, inSubfolder), "added");
    EXPECT_EQ(contentOf(files, dir / "music/Song.LRC"), "beside");
}

TEST(PosixFileSystem, FolderReplacedByAnotherIsSeen) {
    FileSystem& files = platformFileSystem();
    TempFolder dir;
    const std::string folder = dir / "music";
    dir.write("music/song.lrc", "first");
    dir.write("other/SONG.LRC", "second");
    stampFolder(folder, hourAgo());
    EXPECT_EQ(contentOf(files, folder + "/Song.LRC"), "first");

    // The same name with the same time, but another folder.
    ASSERT_EQ(std::rename(folder.c_str(), (dir / "gone").c_str()), 0);
    ASSERT_EQ(std::rename((dir / "other").c_str(), folder.c_str()), 0);
    stampFolder(folder, hourAgo());
    EXPECT_EQ(files.resolve(folder + "/Song.LRC"), folder + "/SONG.LRC");
    EXPECT_EQ(contentOf(files, folder + "/Song.LRC"), "second");
}

// Lookups from several threads while the folders change under them; run under the sanitizers.
TEST(PosixFileSystem, LookupsFromSeveralThreads) {
    FileSystem& files = platformFileSystem();
    TempFolder dir;
    for (int f = 0; f < 20; ++f) {
        dir.write(std::to_string(f) + "/song.lrc", "lyrics");
        stampFolder(dir / std::to_string(f), hourAgo());
    }
    std::atomic<int> wrongAnswers{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            for (int i = 0; i < 400; ++i) {
                const std::string folder = dir / std::to_string((i * 7 + t) % 20);
                if (files.resolve(folder + "/Song.LRC") != folder + "/song.lrc") {
                    ++wrongAnswers;
                }
                files.resolve(folder + "/Added" + std::to_string(i % 5) + ".LRC");
            }
        });
    }
    for (int i = 0; i < 100; ++i) {
        dir.write(std::to_string(i % 20) + "/added" + std::to_string(i % 5) + ".lrc", "x");
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(wrongAnswers.load(), 0);
    for (int f = 0; f < 20; ++f) {
        const std::string folder = dir / std::to_string(f);
        for (int a = 0; a < 5; ++a) {
            const std::string added = "/added" + std::to_string(a) + ".lrc";
            const bool exists = ::access((folder + added).c_str(), F_OK) == 0;
            EXPECT_EQ(files.resolve(folder + "/Added" + std::to_string(a) + ".LRC"),
                      exists ? folder + added : folder + "/Added" + std::to_string(a) + ".LRC");
        }
    }
}

}  // namespace
}  // namespace zor
#endif
