// The captions of the sounds and the length of a WAV file, which times them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/sound_files.h"
#include "core/wav_length.h"

namespace ardentix {
namespace {

std::string u32(uint32_t v) {
    return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}

// A format chunk of 16 bytes giving bytesPerSecond (the rest as a mono 16-bit file has it).
std::string fmt(uint32_t bytesPerSecond) {
    return "fmt " + u32(16) + std::string("\x01\x00\x01\x00", 4) + u32(bytesPerSecond / 2) +
           u32(bytesPerSecond) + std::string("\x02\x00\x10\x00", 4);
}

std::string wav(const std::string& chunks) {
    return "RIFF" + u32(uint32_t(chunks.size() + 4)) + "WAVE" + chunks;
}

TEST(WavLength, DataOverBytesASecondRoundedUp) {
    EXPECT_EQ(WavMillis(wav(fmt(44100) + "data" + u32(44100))), 1000);
    EXPECT_EQ(WavMillis(wav(fmt(44100) + "data" + u32(44101))), 1001);
    EXPECT_EQ(WavMillis(wav(fmt(44100) + "data" + u32(44099))), 1000);
    EXPECT_EQ(WavMillis(wav(fmt(44100) + "data" + u32(0))), 0);
    // Chunks before the data are passed over, an odd one with its pad byte.
    EXPECT_EQ(WavMillis(wav(fmt(1000) + "LIST" + u32(3) + "abc" + '\0' + "data" + u32(2500))),
              2500);
    // The longest a sound may be, and one millisecond more.
    EXPECT_EQ(WavMillis(wav(fmt(1000) + "data" + u32(600000))), 600000);
    EXPECT_EQ(WavMillis(wav(fmt(1000) + "data" + u32(600001))), std::nullopt);
}

TEST(WavLength, NothingForWhatIsNotAWavFile) {
    const std::string good = wav(fmt(44100) + "data" + u32(100));
    EXPECT_EQ(WavMillis(""), std::nullopt);
    EXPECT_EQ(WavMillis("RIFF" + u32(4) + "AVI "), std::nullopt);
    EXPECT_EQ(WavMillis(wav("data" + u32(100))), std::nullopt);           // no format
    EXPECT_EQ(WavMillis(wav(fmt(0) + "data" + u32(100))), std::nullopt);  // no rate
    EXPECT_EQ(WavMillis(wav("fmt " + u32(8) + "12345678" + "data" + u32(1))), std::nullopt);
    // Cut within the data chunk's header, and right after it.
    EXPECT_EQ(WavMillis(good.substr(0, good.size() - 1)), std::nullopt);
    EXPECT_EQ(WavMillis(good), 3);
    // A chunk that claims more than there is.
    EXPECT_EQ(WavMillis(wav(fmt(44100) + "LIST" + u32(1000) + "data" + u32(100))), std::nullopt);
}

TEST(SoundCaptions, VoiceToneOrBoth) {
    EXPECT_EQ(SoundCaption("standcle.wav"), "[voice] Stand clear.");
    EXPECT_EQ(SoundCaption("SWEEP.wav"), "[tone] Charging");
    EXPECT_EQ(SoundCaption("bepclear.wav"), "[tone] Beep [voice] Stand clear.");
    // Names without regard to case, as the program's files.
    EXPECT_EQ(SoundCaption("click.wav"), "[tone] Shock");
    EXPECT_EQ(SoundCaption("connectE.wav"), "[voice] Connect electrodes.");
    EXPECT_EQ(SoundCaption("nothing.wav"), "");
    // Every sound the program plays has one.
    for (const std::string& name : AllSoundFileNames())
        EXPECT_NE(SoundCaption(name), "") << name;
}

}  // namespace
}  // namespace ardentix
