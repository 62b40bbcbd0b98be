// Storing lyrics into songs through TagLib: everything else in the song stays, the audio is not
// touched, and a song that cannot be read in full is refused without a byte changed.
#include <gtest/gtest.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/privateframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "SongFixtures.h"
#include "TagLibFixtures.h"
#include "lyrics/platform/FileSystem.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongLyrics.h"

namespace zor {
namespace {

using namespace TagLib;
using taglibfixtures::readBytes;
using taglibfixtures::writeBytes;
using test::TempFolder;

const std::string kText = "[00:01.00]Première ligne\r\n\r\n[00:02.00]歌";

ByteVector bytesOf(const std::string& text) {
    return ByteVector(text.data(), static_cast<unsigned int>(text.size()));
}

std::string readLyrics(const std::string& path) {
    return readSongTagLyrics(platformFileSystem(), path).value_or("<none>");
}

TEST(SongStore, Id3v24KeepsItsVersionAndEveryOtherFrame) {
    TempFolder dir;
    const std::string path = dir / "Song.mp3";
    const std::string before = taglibfixtures::mp3WithTag([](ID3v2::Tag& tag) {
        auto* title = new ID3v2::TextIdentificationFrame("TIT2", String::UTF8);
        title->setText(String("Titel ü", String::UTF8));
        tag.addFrame(title);
        auto* picture = new ID3v2::AttachedPictureFrame;
        picture->setMimeType("image/png");
        picture->setPicture(bytesOf(mp3fixtures::audio(900)));
        tag.addFrame(picture);
        tag.addFrame(new ID3v2::UserTextIdentificationFrame("MusicBrainz Album Id",
                                                            StringList("0123-abcd")));
        auto* priv = new ID3v2::PrivateFrame;
        priv->setOwner("owner@example");
        priv->setData(bytesOf(std::string("\0\1\2\3", 4)));
        tag.addFrame(priv);
        for (const char* old : {"old one", "old two"}) {
            auto* lyrics = new ID3v2::UnsynchronizedLyricsFrame(String::Latin1);
            lyrics->setText(old);
            tag.addFrame(lyrics);
        }
    });
    writeBytes(path, before + mp3fixtures::id3v1Tag());

    const Id3StoreOutcome outcome = storeLyricsInSong(path, kText);

    ASSERT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
    const std::string after = readBytes(path);
    EXPECT_EQ(audioOf(after), audioOf(before + mp3fixtures::id3v1Tag()));
    EXPECT_EQ(after.substr(after.size() - 128), mp3fixtures::id3v1Tag());
    MPEG::File file(path.c_str(), false);
    ID3v2::Tag* tag = file.ID3v2Tag(false);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->header()->majorVersion(), 4u);
    ASSERT_EQ(tag->frameList("USLT").size(), 1u);
    EXPECT_EQ(tag->frameList("USLT").front()->toString().to8Bit(true), kText);
    EXPECT_EQ(tag->frameList("TIT2").front()->toString().to8Bit(true), "Titel ü");
    ASSERT_EQ(tag->frameList("APIC").size(), 1u);
    const auto* picture =
        dynamic_cast<ID3v2::AttachedPictureFrame*>(tag->frameList("APIC").front());
    EXPECT_EQ(picture->picture(), bytesOf(mp3fixtures::audio(900)));
    auto* userText = ID3v2::UserTextIdentificationFrame::find(tag, "MusicBrainz Album Id");
    ASSERT_NE(userText, nullptr);
    EXPECT_EQ(userText->fieldList().back(), "0123-abcd");
    ASSERT_EQ(tag->frameList("PRIV").size(), 1u);
}

TEST(SongStore, FlacKeepsItsPictureBlockAndComments) {
    TempFolder dir;
    const std::string path = dir / "Song.flac";
    writeBytes(path, songfixtures::flacSong(5000));
    {
        FLAC::File file(path.c_str(), false);
        auto* picture = new FLAC::Picture;
        picture->setMimeType("image/jpeg");
        picture->setData(bytesOf(mp3fixtures::audio(700)));
        file.addPicture(picture);
        file.xiphComment(true)->addField("TITLE", "Titel");
        file.xiphComment(true)->addField("LYRICS", "old lyrics");
        ASSERT_TRUE(file.save());
    }
    const std::string before = readBytes(path);

    const Id3StoreOutcome outcome = storeLyricsInSong(path, kText);

    ASSERT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
    EXPECT_EQ(readLyrics(path), kText);
    FLAC::File file(path.c_str(), false);
    ASSERT_EQ(file.pictureList().size(), 1u);
    EXPECT_EQ(file.pictureList().front()->data(), bytesOf(mp3fixtures::audio(700)));
    EXPECT_EQ(file.xiphComment()->fieldListMap()["TITLE"], StringList("Titel"));
    EXPECT_EQ(file.xiphComment()->fieldListMap()["LYRICS"].size(), 1u);
    const std::string after = readBytes(path);
    const std::string audio = before.substr(before.find("\xFF\xF8"));
    EXPECT_EQ(after.substr(after.size() - audio.size()), audio);
}

TEST(SongStore, OggOpusAndM4aTakeTheLyrics) {
    TempFolder dir;
    const std::vector<std::pair<std::string, std::string>> songs = {
        {"Song.ogg", songfixtures::oggVorbisSong()},
        {"Song.opus", songfixtures::opusSong()},
        {"Opus.ogg", songfixtures::opusSong()},
        {"Song.m4a", songfixtures::m4aSong()},
    };
    for (const auto& [name, bytes] : songs) {
        SCOPED_TRACE(name);
        const std::string path = dir / name;
        writeBytes(path, bytes);
        const Id3StoreOutcome outcome = storeLyricsInSong(path, kText);
        ASSERT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
        EXPECT_EQ(readLyrics(path), kText);
        // Stored twice, still one copy.
        ASSERT_EQ(storeLyricsInSong(path, "again").result, Id3StoreResult::Stored);
        EXPECT_EQ(readLyrics(path), "again");
    }
    // The media data moved behind the grown metadata; its chunk offset followed it.
    const std::string m4a = readBytes(dir / "Song.m4a");
    const auto stco = m4a.find("stco");
    ASSERT_NE(stco, std::string::npos);
    std::size_t offset = 0;
    for (int i = 0; i < 4; ++i) {
        offset = (offset << 8) | static_cast<unsigned char>(m4a[stco + 12 + i]);
    }
    EXPECT_EQ(m4a.substr(offset, 100), mp3fixtures::audio(3000).substr(0, 100));
}

TEST(SongStore, ASongThatCannotBeReadInFullIsRefusedUntouched) {
    using namespace mp3fixtures;
    // A frame without a body ends TagLib's reading of the tag: the frames after it would be lost.
    const std::string emptyFrame =
        id3v2Tag(4, id3Frame("TIT2", textFrameBody("T"), 4) + id3Frame("TPE1", "", 4) +
                        id3Frame("TALB", textFrameBody("Album"), 4)) +
        audio(2000);
    std::string brokenFlac = songfixtures::flacSong();
    brokenFlac[5] = '\x7F';  // the STREAMINFO block claims more bytes than the file has
    std::string brokenOgg = songfixtures::oggVorbisSong();
    brokenOgg.erase(brokenOgg.size() - 100, 50);  // pages that no longer chain
    const std::vector<std::pair<std::string, std::string>> songs = {
        {"Frames.mp3", emptyFrame},  {"Broken.flac", brokenFlac},
        {"Broken.ogg", brokenOgg},   {"Cut.m4a", songfixtures::m4aSong().substr(0, 60)},
        {"Noise.opus", audio(3000)}, {"Empty.flac", ""},
    };
    TempFolder dir;
    for (const auto& [name, bytes] : songs) {
        SCOPED_TRACE(name);
        const std::string path = dir / name;
        writeBytes(path, bytes);
        const Id3StoreOutcome outcome = storeLyricsInSong(path, kText);
        EXPECT_EQ(outcome.result, Id3StoreResult::Refused) << outcome.message;
        EXPECT_NE(outcome.message.find("cannot be read in full"), std::string::npos)
            << outcome.message;
        EXPECT_EQ(readBytes(path), bytes);
    }
}

TEST(SongStore, NothingToStoreAndMissingSongs) {
    TempFolder dir;
    const std::string path = dir / "Song.flac";
    writeBytes(path, songfixtures::flacSong());
    EXPECT_EQ(storeLyricsInSong(path, "").result, Id3StoreResult::NothingToStore);
    EXPECT_EQ(readBytes(path), songfixtures::flacSong());
    const Id3StoreOutcome missing = storeLyricsInSong(dir / "None.flac", kText);
    EXPECT_EQ(missing.result, Id3StoreResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir / "None.flac"));
    EXPECT_EQ(storeLyricsInSong(dir / "Song.wav", kText).result, Id3StoreResult::Failed);  // none
}

}  // namespace
}  // namespace zor
