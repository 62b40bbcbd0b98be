#pragma once

#include <string>

#include "lyrics/online/LyricsRecord.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {

enum class FoundSaveStatus {
    Saved,     // written at path
    Exists,    // a file is already at path; it was left as it was
    NoName,    // the song path gives no file name (a stream address)
    NoLyrics,  // the record holds no lyrics (instrumental, or empty)
    Failed,    // no place took the file; error is the system's code
};

struct FoundSaveOutcome {
    FoundSaveStatus status = FoundSaveStatus::Failed;
    std::string path;
    int error = 0;
};

// Puts a record found online where the lookup looks first: the alternative folder when one is
// set, else beside the song; when that place takes no new file, beside the song. Synced lyrics
// become Song.LRC, plain lyrics Song.TXT, written as a new lyrics file is: CR LF line ends, the
// ANSI code page while the text fits it, else UTF-8 with a byte-order mark. Through a temporary
// file, so a failure leaves nothing half written.
class FoundLyricsSaver {
  public:
    explicit FoundLyricsSaver(FileSystem& files) : files_(files) {}

    // An existing file is never replaced unless replaceExisting (the user was asked).
    FoundSaveOutcome save(const LyricsRecord& record, const std::string& songPath,
                          const std::string& alternativeFolder, bool replaceExisting = false);

    // The file a save would write first, and its extension ("LRC" or "TXT"); empty path for a
    // record without lyrics or a song path that names no file.
    std::string targetFor(const LyricsRecord& record, const std::string& songPath,
                          const std::string& alternativeFolder) const;

  private:
    FileSystem& files_;
};

}  // namespace zor
