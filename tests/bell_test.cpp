#include "core/bridge.h"
#include "display/bell.h"
#include "formats/aiff.h"
#include "formats/binaryfile.h"
#include "platform/audioloader.h"
#include "tests/support/tempresources.h"
#include "tests/support/testing.h"

#include <cmath>
#include <fstream>

namespace {

void putbe(Bytes& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// One chunk with its header and, for an odd length, its pad byte.
Bytes chunk(const std::string& id, const Bytes& body, bool pad = true) {
    Bytes out(id.begin(), id.end());
    putbe(out, body.size(), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) {
        out.push_back(0);
    }
    return out;
}

Bytes form(const std::vector<Bytes>& chunks) {
    Bytes body = {'A', 'I', 'F', 'F'};
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    return chunk("FORM", body);
}

Bytes common(int64_t channels, uint32_t frames, int64_t bits, uint32_t rate) {
    Bytes body;
    putbe(body, static_cast<uint16_t>(channels), 2);
    putbe(body, frames, 4);
    putbe(body, static_cast<uint16_t>(bits), 2);
    const auto rate80 = formats::extendedfromrate(rate);
    body.insert(body.end(), rate80.begin(), rate80.end());
    return chunk("COMM", body);
}

Bytes sounddata(const Bytes& samples, uint32_t offset = 0) {
    Bytes body;
    putbe(body, offset, 4);
    putbe(body, 0, 4);
    body.insert(body.end(), offset, 0xEE);
    body.insert(body.end(), samples.begin(), samples.end());
    return chunk("SSND", body);
}

// The sound this build generated.
Bytes generatedbell() {
    return formats::getbinaryfromfile(std::string(QV_DATA_DIR) + "/sysbeep.aif");
}

double extended(const Bytes& bytes) {
    return formats::extendedtodouble(std::span<const uint8_t, 10>(bytes.data(), 10));
}

using S = formats::AiffStatus;

S status(const Bytes& bytes) {
    return formats::parseaiff(bytes).status;
}

const Bytes pcm = {0, 1, 0, 2};
const Bytes good = form({common(1, 2, 16, 8000), sounddata(pcm)});

// The good file with the bytes written over it from the given position.
Bytes patched(size_t at, const Bytes& bytes) {
    Bytes copy = good;
    std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<ptrdiff_t>(at));
    return copy;
}

} // namespace

// A bell: silent at both ends, loud soon after the start; every shorter file fails.
TEST(AiffReader, ReadsTheGeneratedBellAndFailsOnEveryTruncation) {
    const Bytes whole = generatedbell();
    const formats::AiffSound sound = formats::parseaiff(whole);
    ASSERT_EQ(sound.status, S::Ok);
    EXPECT_EQ(std::tie(sound.channels, sound.samplerate, sound.bits), std::tuple(1, 44100, 16));
    EXPECT_EQ(sound.samples.size(), 6615u); // 0.15 s
    const auto loudest = std::max_element(sound.samples.begin(), sound.samples.end());
    EXPECT_GT(*loudest, 8000);
    EXPECT_LT(loudest - sound.samples.begin(), 441);
    EXPECT_EQ((std::vector<int>{sound.samples.front(), sound.samples.back()}), (std::vector{0, 0}));
    for (size_t length = 0; length < whole.size(); ++length) {
        const formats::AiffSound s = formats::parseaiff(std::span(whole).first(length));
        ASSERT_NE(s.status, S::Ok) << length;
        ASSERT_TRUE(s.samples.empty());
    }
}

// Big-endian 16-bit stereo, after an odd-length chunk and its pad, with SSND before COMM; 8-bit
// samples are signed, 24 keep their top 16 bits, 12 are left-justified in two bytes. Sample rates
// are 80-bit extended numbers.
TEST(AiffReader, SampleSizesLayoutAndRates) {
    const Bytes pcm16 = {0x01, 0x02, 0xFF, 0xFE, 0x7F, 0xFF, 0x80, 0x00};
    formats::AiffSound s = formats::parseaiff(
        form({chunk("ANNO", {'h', 'i', '!'}), sounddata(pcm16, 3), common(2, 2, 16, 22050)}));
    ASSERT_EQ(s.status, S::Ok);
    EXPECT_EQ(std::tie(s.channels, s.samplerate), std::tuple(2, 22050));
    EXPECT_EQ(s.samples, (std::vector<int16_t>{0x0102, -2, 32767, -32768}));
    s = formats::parseaiff(form({common(1, 3, 8, 8000), sounddata({0x80, 0x7F, 0x01})}));
    EXPECT_EQ(s.samples, (std::vector<int16_t>{-32768, 0x7F00, 0x0100}));
    s = formats::parseaiff(
        form({common(1, 2, 24, 8000), sounddata({0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF})}));
    EXPECT_EQ(s.samples, (std::vector<int16_t>{0x1234, -1}));
    s = formats::parseaiff(form({common(1, 1, 12, 8000), sounddata({0x7B, 0xC0})}));
    EXPECT_EQ(s.bits, 12);
    EXPECT_EQ(s.samples, (std::vector<int16_t>{0x7BC0}));
    // The pad byte of the last chunk may be missing although FORM counts it.
    Bytes nopad = form({common(1, 1, 8, 8000), chunk("SSND", {0, 0, 0, 0, 0, 0, 0, 0, 9}, false)});
    nopad[7] += 1;
    EXPECT_EQ(formats::parseaiff(nopad).samples, (std::vector<int16_t>{0x0900}));
    const std::vector<std::pair<uint32_t, Bytes>> rates = {
        {44100, {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {8000, {0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0}},
        {22050, {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {1, {0x3F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0}},
        {4294967295, {0x40, 0x1E, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
    for (const auto& [rate, bytes] : rates) {
        SCOPED_TRACE(rate);
        EXPECT_EQ(extended(bytes), rate);
        const auto encoded = formats::extendedfromrate(rate);
        EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), bytes);
    }
    EXPECT_EQ(extended({0xC0, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}), -44100);
    EXPECT_EQ(extended({0x40, 0x0E, 0xAC, 0x44, 0x80, 0, 0, 0, 0, 0}), 44100.5);
    EXPECT_TRUE(std::isinf(extended({0x7F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(std::isnan(extended({0x7F, 0xFF, 0xC0, 0, 0, 0, 0, 0, 0, 0})));
}

// Channels 1 ... 64, sample sizes 1 ... 32 and rates 1 ... 1,000,000 frames a second are played:
// the limits and one past them.
TEST(AiffReader, CorruptHeadersFailAndOnlyPlayableSoundsAreSupported) {
    EXPECT_EQ(status(patched(8, {'A', 'I', 'F', 'C'})), S::NotAiff);
    EXPECT_EQ(status({'F', 'O', 'R', 'M', 0, 0, 0, 2, 'A', 'I', 'F', 'F'}), S::NotAiff);
    EXPECT_EQ(status(form({sounddata(pcm)})), S::NoCommonChunk);
    EXPECT_EQ(status(form({common(1, 2, 16, 8000)})), S::NoSoundData);
    // Too short a COMM, too few frames, SSND without its header, an offset past the samples and a
    // COMM length of 2^32 - 1 all run past the end.
    for (const Bytes& bytes :
         {form({chunk("COMM", Bytes(17, 1)), sounddata(pcm)}),
          form({common(1, 3, 16, 8000), sounddata(pcm)}),
          form({common(1, 2, 16, 8000), chunk("SSND", {0, 0, 0})}), patched(good.size() - 9, {5}),
          patched(16, {0xFF, 0xFF, 0xFF, 0xFF})}) {
        EXPECT_EQ(status(bytes), S::Truncated);
    }
    const std::tuple<int, int, S> sizes[] = {{64, 16, S::Ok},         {65, 16, S::Unsupported},
                                             {0, 16, S::Unsupported}, {-1, 16, S::Unsupported},
                                             {1, 1, S::Ok},           {1, 0, S::Unsupported},
                                             {1, 32, S::Ok},          {1, 33, S::Unsupported}};
    for (auto [channels, bits, expected] : sizes) {
        EXPECT_EQ(status(form({common(channels, 1, bits, 8000), sounddata(Bytes(256, 1))})),
                  expected)
            << channels << " channels of " << bits << " bits";
    }
    // The rate's first bytes, written over 8000: 1,000,000, 1,000,001, 1, just below 1, infinite,
    // NaN and zero.
    const std::pair<Bytes, S> ratebytes[] = {{{0x40, 0x12, 0xF4, 0x24, 0x00}, S::Ok},
                                             {{0x40, 0x12, 0xF4, 0x24, 0x10}, S::Unsupported},
                                             {{0x3F, 0xFF, 0x80, 0x00}, S::Ok},
                                             {{0x3F, 0xFE, 0xFF, 0xFF}, S::Unsupported},
                                             {{0x7F, 0xFF, 0x80}, S::Unsupported},
                                             {{0x7F, 0xFF, 0xC0}, S::Unsupported},
                                             {{0, 0, 0}, S::Unsupported}};
    for (const auto& [rate, expected] : ratebytes) {
        EXPECT_EQ(status(patched(28, rate)), expected) << int{rate[0]} << " " << int{rate[2]};
    }
}

TEST(Bell, NoAudioDeviceLogsOnceAndBeeps) {
    if (core::onmain([] { return platform::soundhasoutput(); })) {
        GTEST_SKIP() << "this machine has an audio output";
    }
    setuptoolkit();
    LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(runprogram(
        [] {
            display::bell();
            display::bell();
            core::onmain([] { display::bell(); }); // from the main thread itself
            EXPECT_FALSE(platform::soundisplaying());
        },
        10000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    // The sound thread answers on its own time.
    EXPECT_TRUE(waitfor([&] { return !log.lines().empty(); }));
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"bell: No audio output device, using the platform beep."});
}

TEST(Bell, MissingSoundBeepsWithoutTryingTheAudioOutput) {
    TemporaryResources resources(false);
    setuptoolkit();
    LogCapture log;
    ASSERT_TRUE(runprogram([&] {
        display::bell();
        resources.write("sysbeep.aif", generatedbell()); // looked up once: not used
        display::bell();
    }));
    EXPECT_TRUE(log.lines().empty());
}

TEST(Bell, AnUnplayableSoundIsNamedOnceAndTheBuiltInCopyServes) {
    TemporaryResources resources;
    resources.write("sysbeep.aif", {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'A', 'I', 'F', 'F'});
    setuptoolkit();
    LogCapture log;
    ASSERT_TRUE(runprogram([] {
        display::bell();
        display::bell();
    }));
    // The built-in sound then goes to the audio output, which may say it has no device.
    const Lines lines = log.lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find(".aif") != line.npos; }),
              1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "bell: " + resources.resource("sysbeep.aif").string() +
                                 " is not a playable sound, using the built-in copy.");
}

// Whether a file whose path contains part is mapped into this process.
bool mapped(const std::string& part) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(AudioModule, IsLoadedWithTheFirstSoundNotAtStart) {
    setuptoolkit();
    EXPECT_FALSE(mapped("libQt6Multimedia"));
    EXPECT_FALSE(mapped("quorvinthal/audio.so"));
    core::onmain([] { return platform::soundhasoutput(); });
    EXPECT_TRUE(mapped("quorvinthal/audio.so"));
    EXPECT_TRUE(mapped("libQt6Multimedia"));
}

TEST(AudioModule, IsLookedForBesideTheLibraryOrTheProgramsLibraryFolderThenWhereBuiltFor) {
    namespace fs = std::filesystem;
    using Paths = std::vector<fs::path>;
    const fs::path module = "quorvinthal/audio.so";
    const fs::path libdir = fs::path("/opt/q") / QV_INSTALL_LIBDIR;
    const fs::path installed = fs::path(QV_INSTALL_FULL_LIBDIR) / module;
    EXPECT_EQ(platform::audiomodulecandidates(libdir / "libquorvinthal.so.1"),
              (Paths{libdir / module, installed}));
    EXPECT_EQ(platform::audiomodulecandidates("/opt/q/bin/chart"),
              (Paths{libdir / module, installed}));
    EXPECT_EQ(platform::audiomodulecandidates(""), Paths{installed});
    EXPECT_EQ(platform::audiomodulecandidates(installed.parent_path().parent_path() /
                                              "libquorvinthal.so.1"),
              Paths{installed});
}
