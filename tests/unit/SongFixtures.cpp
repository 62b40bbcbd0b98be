#include "SongFixtures.h"

#include <array>
#include <cstdint>

#include "Mp3Fixtures.h"

namespace zor::songfixtures {

namespace {

std::string littleEndian(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string bigEndian(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// Ogg's checksum: CRC-32 with polynomial 0x04C11DB7, not reflected, starting from zero.
std::uint32_t oggCrc(const std::string& page) {
    std::uint32_t crc = 0;
    for (const char c : page) {
        crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ 0x04C11DB7U : crc << 1;
        }
    }
    return crc;
}

constexpr std::uint32_t kSerial = 0x5A4F52;

std::string audioPacket(std::size_t index) {
    return mp3fixtures::audio(300 + 37 * index).substr(0, 200 + 11 * index);
}

// The header pages (granule 0), then one audio packet a page, the last page ending the stream.
std::string oggSong(const std::vector<std::vector<std::string>>& headerPages,
                    std::size_t audioPackets) {
    std::string song;
    std::uint32_t sequence = 0;
    for (const auto& packets : headerPages) {
        song += oggPage(sequence, 0, sequence == 0 ? 0x02 : 0x00, packets);
        ++sequence;
    }
    for (std::size_t i = 0; i < audioPackets; ++i) {
        const unsigned char flags = i + 1 == audioPackets ? 0x04 : 0x00;
        song += oggPage(sequence++, 960 * (i + 1), flags, {audioPacket(i)});
    }
    return song;
}

std::string box(const std::string& type, const std::string& payload) {
    return bigEndian(8 + payload.size(), 4) + type + payload;
}

std::string guid(const char* bytes) {
    return std::string(bytes, 16);
}

std::string asfObject(const std::string& id, const std::string& payload) {
    return id + littleEndian(24 + payload.size(), 8) + payload;
}

// UTF-16LE with its terminating NUL, as ASF keeps names and text.
std::string utf16(const std::u16string& text) {
    std::string out;
    for (const char16_t unit : text + u'\0') {
        out += littleEndian(unit, 2);
    }
    return out;
}

}  // namespace

std::string flacSong(std::size_t audioSize) {
    // STREAMINFO: block sizes 4096, frame sizes unknown, 44.1 kHz, one channel, 16 bits.
    std::string info = bigEndian(4096, 2) + bigEndian(4096, 2) + bigEndian(0, 3) + bigEndian(0, 3);
    info += bigEndian(
        (std::uint64_t{44100} << 44) | (std::uint64_t{0} << 41) | (std::uint64_t{15} << 36) | 44100,
        8);
    info += std::string(16, '\x11');  // MD5 of the audio
    const std::string header = std::string(1, '\x80') + bigEndian(info.size(), 3);  // last block
    return "fLaC" + header + info + "\xFF\xF8" + mp3fixtures::audio(audioSize);
}

std::string oggPage(std::uint32_t sequence, std::uint64_t granule, unsigned char flags,
                    const std::vector<std::string>& packets) {
    std::string lacing;
    std::string body;
    for (const std::string& packet : packets) {
        std::size_t left = packet.size();
        while (left >= 255) {
            lacing += '\xFF';
            left -= 255;
        }
        lacing += static_cast<char>(left);
        body += packet;
    }
    std::string page = "OggS" + std::string(1, '\0') + static_cast<char>(flags) +
                       littleEndian(granule, 8) + littleEndian(kSerial, 4) +
                       littleEndian(sequence, 4) + std::string(4, '\0') +
                       static_cast<char>(lacing.size()) + lacing + body;
    const std::string crc = littleEndian(oggCrc(page), 4);
    page.replace(22, 4, crc);
    return page;
}

std::string oggVorbisSong(std::size_t audioPackets) {
    const std::string identification = "\x01vorbis" + littleEndian(0, 4) + "\x01" +
                                       littleEndian(44100, 4) + littleEndian(0, 4) +
                                       littleEndian(128000, 4) + littleEndian(0, 4) + "\xB8\x01";
    const std::string comment =
        "\x03vorbis" + littleEndian(4, 4) + "test" + littleEndian(0, 4) + "\x01";
    const std::string setup = "\x05vorbis" + mp3fixtures::audio(120);
    return oggSong({{identification}, {comment, setup}}, audioPackets);
}

std::string opusSong(std::size_t audioPackets) {
    const std::string head = "OpusHead\x01\x01" + littleEndian(312, 2) + littleEndian(48000, 4) +
                             littleEndian(0, 2) + std::string(1, '\0');
    const std::string tags = "OpusTags" + littleEndian(4, 4) + "test" + littleEndian(0, 4);
    return oggSong({{head}, {tags}}, audioPackets);
}

std::string m4aSong(std::size_t audioSize) {
    const std::string ftyp = box("ftyp", "M4A " + bigEndian(0, 4) + "M4A mp42isom");
    std::string mvhd = bigEndian(0, 4) + bigEndian(0, 8) + bigEndian(1000, 4) + bigEndian(1000, 4) +
                       bigEndian(0x00010000, 4) + bigEndian(0x0100, 2) + std::string(10, '\0');
    for (const std::uint32_t m : {0x00010000U, 0U, 0U, 0U, 0x00010000U, 0U, 0U, 0U, 0x40000000U}) {
        mvhd += bigEndian(m, 4);
    }
    mvhd += std::string(24, '\0') + bigEndian(2, 4);
    // The chunk offset points at the first byte of the media data, after ftyp and moov.
    auto moovFor = [&](std::uint32_t chunkOffset) {
        const std::string stco =
            box("stco", bigEndian(0, 4) + bigEndian(1, 4) + bigEndian(chunkOffset, 4));
        return box("moov",
                   box("mvhd", mvhd) + box("trak", box("mdia", box("minf", box("stbl", stco)))));
    };
    const std::size_t moovSize = moovFor(0).size();
    const std::string moov = moovFor(static_cast<std::uint32_t>(ftyp.size() + moovSize + 8));
    return ftyp + moov + box("mdat", mp3fixtures::audio(audioSize));
}

std::string asfSong(const std::u16string& lyrics, std::uint16_t claimedCount) {
    const std::string name = utf16(u"WM/Lyrics");
    const std::string value = utf16(lyrics);
    const std::string attribute = littleEndian(name.size(), 2) + name + littleEndian(0, 2) +
                                  littleEndian(value.size(), 2) + value;
    const std::string objects =
        asfObject(guid("\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65"),
                  std::string(80, '\0')) +
        asfObject(guid("\x91\x07\xDC\xB7\xB7\xA9\xCF\x11\x8E\xE6\x00\xC0\x0C\x20\x53\x65"),
                  std::string(78, '\0')) +
        asfObject(guid("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50"),
                  littleEndian(claimedCount, 2) + attribute);
    const std::string header =
        guid("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C") +
        littleEndian(30 + objects.size(), 8) + littleEndian(3, 4) + "\x01\x02" + objects;
    return header + mp3fixtures::audio(2000);
}

}  // namespace zor::songfixtures
