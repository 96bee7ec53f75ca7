// The simulator's wire model, wire tap and command line, without any I/O.
#include "tools/desksetsim/WireModel.h"
#include "tools/desksetsim/SimOptions.h"
#include "tools/desksetsim/WireTap.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>

namespace desksetsim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

const std::vector<uint8_t> kHeartbeat = {0x03, 0x00, 0x00, 0xD6, 0x57};
const std::vector<uint8_t> kData0101 = {0x04, 0x00, 0x02, 0x01, 0x01, 0xA0, 0x71};

TEST(ByteTimeline, BytesFollowEachOtherTenBitTimesApart)
{
    ByteTimeline line(19200);
    EXPECT_TRUE(line.Paced());
    EXPECT_EQ(line.ByteTime().count(), 520834); // 10 / 19200 s, rounded up: never faster
    const SteadyTime t0{milliseconds(1000)};
    // A burst: each byte arrives one byte time after the one before.
    SteadyTime previous = t0;
    for (int i = 0; i < 10; ++i) {
        const SteadyTime arrival = line.Schedule(t0);
        EXPECT_EQ(arrival - previous, line.ByteTime());
        previous = arrival;
    }
    // After a pause the line is idle again: the next byte takes one byte time from hand-over.
    const SteadyTime later = previous + milliseconds(50);
    EXPECT_EQ(line.Schedule(later), later + line.ByteTime());
    // A byte handed over while the line is still busy waits for it.
    const SteadyTime busy = line.Schedule(later);
    EXPECT_EQ(busy, later + 2 * line.ByteTime());

    line.Reset();
    EXPECT_EQ(line.Schedule(t0), t0 + line.ByteTime());
}

TEST(ByteTimeline, RateZeroDeliversAtOnce)
{
    ByteTimeline ideal(0);
    EXPECT_FALSE(ideal.Paced());
    const SteadyTime t{milliseconds(5)};
    EXPECT_EQ(ideal.Schedule(t), t);
    EXPECT_EQ(ideal.Schedule(t), t);
    EXPECT_EQ(ByteTimeline(9600).ByteTime().count(), 1041667);
}

struct Collected {
    std::vector<WireFrame> frames;
    FrameSplitter splitter{1200, [this](const WireFrame& f) { frames.push_back(f); }};
};

TEST(FrameSplitter, SplitsBackToBackFramesAndChecksTheirCrc)
{
    Collected c;
    std::vector<uint8_t> stream = kHeartbeat;
    stream.insert(stream.end(), kData0101.begin(), kData0101.end());
    // Fed in awkward pieces.
    c.splitter.Feed(stream.data(), 4, 0);
    c.splitter.Feed(stream.data() + 4, 5, 1);
    c.splitter.Feed(stream.data() + 9, static_cast<int>(stream.size()) - 9, 2);
    ASSERT_EQ(c.frames.size(), 2u);
    EXPECT_EQ(c.frames[0].bytes, kHeartbeat);
    EXPECT_EQ(c.frames[0].kind, WireFrame::Kind::kValid);
    EXPECT_EQ(c.frames[1].bytes, kData0101);
    EXPECT_EQ(c.frames[1].kind, WireFrame::Kind::kValid);

    std::vector<uint8_t> damaged = kData0101;
    damaged[4] ^= 0x10;
    c.splitter.Feed(damaged.data(), static_cast<int>(damaged.size()), 3);
    ASSERT_EQ(c.frames.size(), 3u);
    EXPECT_EQ(c.frames[2].kind, WireFrame::Kind::kCrcError);
    EXPECT_EQ(c.frames[2].bytes, damaged);
}

TEST(FrameSplitter, GivesUpOversizedAndStalledFrames)
{
    Collected c;
    const std::vector<uint8_t> oversized = {0x04, 0x01, 0xFB};
    c.splitter.Feed(oversized.data(), 3, 0);
    ASSERT_EQ(c.frames.size(), 1u);
    EXPECT_EQ(c.frames[0].kind, WireFrame::Kind::kBadLength);

    // Half a frame, then silence past the completion time-out: the next byte starts anew.
    c.splitter.Feed(kData0101.data(), 3, 100);
    c.splitter.Expire(1300);
    EXPECT_EQ(c.frames.size(), 1u) << "exactly at the time-out the frame is still waited for";
    c.splitter.Feed(kHeartbeat.data(), static_cast<int>(kHeartbeat.size()), 1301);
    ASSERT_EQ(c.frames.size(), 3u);
    EXPECT_EQ(c.frames[1].kind, WireFrame::Kind::kIncomplete);
    EXPECT_EQ(c.frames[1].bytes, (std::vector<uint8_t>{0x04, 0x00, 0x02}));
    EXPECT_EQ(c.frames[2].bytes, kHeartbeat);
}

TEST(FrameFaults, NoFaultsLeaveFramesAlone)
{
    FrameFaults none({.seed = 1});
    const FrameFaults::Outcome out = none.Apply(kData0101.data(), 7);
    EXPECT_EQ(out.bytes, kData0101);
    EXPECT_TRUE(out.note.empty());
}

TEST(FrameFaults, CorruptFlipsExactlyOneBitAndDropRemovesOneByte)
{
    FrameFaults corrupt({.frameCorruptProbability = 1.0, .seed = 7});
    for (int i = 0; i < 50; ++i) {
        const FrameFaults::Outcome out = corrupt.Apply(kData0101.data(), 7);
        ASSERT_EQ(out.bytes.size(), 7u);
        int flipped = 0;
        for (size_t k = 0; k < 7; ++k)
            flipped += std::popcount(static_cast<unsigned>(out.bytes[k] ^ kData0101[k]));
        EXPECT_EQ(flipped, 1);
        EXPECT_NE(out.note.find("flipped"), std::string::npos);
    }
    FrameFaults drop({.dropProbability = 1.0, .seed = 7});
    const FrameFaults::Outcome out = drop.Apply(kData0101.data(), 7);
    EXPECT_EQ(out.bytes.size(), 6u);
    EXPECT_NE(out.note.find("dropped"), std::string::npos);
}

TEST(FrameFaults, ProbabilityIsPerFrameAndTheSeedRepeatsARun)
{
    auto count = [](uint32_t seed, std::vector<std::string>* notes) {
        FrameFaults faults({.frameCorruptProbability = 0.1, .seed = seed});
        int hit = 0;
        for (int i = 0; i < 2000; ++i) {
            const FrameFaults::Outcome out = faults.Apply(kData0101.data(), 7);
            if (!out.note.empty())
                ++hit;
            if (notes)
                notes->push_back(out.note);
        }
        return hit;
    };
    const int hits = count(5, nullptr);
    EXPECT_GT(hits, 140);
    EXPECT_LT(hits, 260);
    std::vector<std::string> first, second, other;
    count(11, &first);
    count(11, &second);
    count(12, &other);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
}

// The noisy line: each byte on its own has one bit flipped with the probability, so long frames
// are damaged more often than short ones, and a probability of 1 damages every byte once.
TEST(FrameFaults, ByteFlipsArePerByte)
{
    FrameFaults every({.byteFlipProbability = 1.0, .seed = 3});
    const FrameFaults::Outcome all = every.Apply(kData0101.data(), 7);
    for (size_t k = 0; k < 7; ++k)
        EXPECT_EQ(std::popcount(static_cast<unsigned>(all.bytes[k] ^ kData0101[k])), 1) << k;

    FrameFaults noisy({.byteFlipProbability = 0.01, .seed = 3});
    const std::vector<uint8_t> longFrame(250, 0x55);
    int flippedBits = 0;
    for (int i = 0; i < 400; ++i) {
        const FrameFaults::Outcome out = noisy.Apply(longFrame.data(), 250);
        for (size_t k = 0; k < longFrame.size(); ++k)
            flippedBits += std::popcount(static_cast<unsigned>(out.bytes[k] ^ longFrame[k]));
    }
    EXPECT_GT(flippedBits, 800); // 100,000 bytes at 1 %: about 1,000
    EXPECT_LT(flippedBits, 1200);
}

TEST(WireTap, SilenceDropsBothDirectionsAndLogsIt)
{
    WireTap tap({}, true, nullptr, 1200);
    EXPECT_TRUE(tap.Silent());
    EXPECT_TRUE(tap.Outgoing(kHeartbeat.data(), 5).empty());
    EXPECT_FALSE(tap.Incoming(kHeartbeat.data(), 5));
    tap.NewSession();
    EXPECT_TRUE(tap.Silent()) << "--silent lasts for every session";
}

TEST(WireTap, StopAfterCountsNewDataFramesOnly)
{
    WireTap tap({}, false, nullptr, 1200);
    tap.SilenceAfterDataFrames(2);
    std::vector<uint8_t> frame = kData0101;
    EXPECT_FALSE(tap.Outgoing(frame.data(), 7).empty());
    EXPECT_FALSE(tap.Outgoing(frame.data(), 7).empty()) << "a retransmission is not a new block";
    EXPECT_FALSE(tap.Outgoing(kHeartbeat.data(), 5).empty()) << "control frames do not count";
    frame[1] = 1;
    EXPECT_FALSE(tap.Outgoing(frame.data(), 7).empty()) << "the second block still goes out";
    EXPECT_TRUE(tap.Silent());
    EXPECT_TRUE(tap.Outgoing(kHeartbeat.data(), 5).empty());
    EXPECT_FALSE(tap.Incoming(kHeartbeat.data(), 5));
    tap.NewSession();
    EXPECT_FALSE(tap.Silent());
    EXPECT_TRUE(tap.Incoming(kHeartbeat.data(), 5));
}

TEST(WireTap, LogsEveryFrameWithItsFate)
{
    const std::string path = ::testing::TempDir() + "wiretap.log";
    FrameLog log;
    ASSERT_TRUE(log.Open(path));
    {
        WireTap tap({1.0, 0.0, 3}, false, &log, 1200);
        tap.Outgoing(kData0101.data(), 7);
        tap.Incoming(kHeartbeat.data(), 3);
        tap.Incoming(kHeartbeat.data() + 3, 2);
        std::vector<uint8_t> bad = kHeartbeat;
        bad[3] ^= 1;
        tap.Incoming(bad.data(), 5);
    }
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find(" ms  TX  04 00 02 01 01 A0 71  (bit "), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(" ms  RX  03 00 00 D6 57"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[1].find('('), std::string::npos);
    EXPECT_NE(lines[2].find(" ms  RX  03 00 00 D7 57  (CRC error)"), std::string::npos) << lines[2];
}

TEST(SimOptions, DefaultsAndEveryOption)
{
    const ParsedOptions none = ParseSimOptions({});
    EXPECT_TRUE(none.error.empty());
    EXPECT_TRUE(none.options.devicePath.empty());
    EXPECT_EQ(none.options.baudRate, 19200);
    EXPECT_EQ(none.options.profile.versionText, "VXR DESKSET V001");
    EXPECT_EQ(none.options.profile.hardwareId, 0);
    EXPECT_EQ(none.options.lineRate, 0);
    EXPECT_EQ(none.options.seed, 1u);

    const ParsedOptions all = ParseSimOptions({"--device",
                                               "/dev/ttyUSB0",
                                               "--baud",
                                               "9600",
                                               "--once",
                                               "--version-text",
                                               "X",
                                               "--hw-id",
                                               "3",
                                               "--image",
                                               "a.ddb",
                                               "--save-upload",
                                               "b.ddb",
                                               "--fail-upload",
                                               "--silent",
                                               "--no-end",
                                               "--stop-after",
                                               "12",
                                               "--unknown-type",
                                               "9",
                                               "--corrupt",
                                               "0.125",
                                               "--corrupt-frames",
                                               "0.25",
                                               "--drop",
                                               "0.5",
                                               "--seed",
                                               "42",
                                               "--line-rate",
                                               "4800",
                                               "--log",
                                               "l.txt"});
    ASSERT_TRUE(all.error.empty()) << all.error;
    const SimOptions& o = all.options;
    EXPECT_EQ(o.devicePath, "/dev/ttyUSB0");
    EXPECT_EQ(o.baudRate, 9600);
    EXPECT_TRUE(o.once);
    EXPECT_EQ(o.profile.versionText, "X");
    EXPECT_EQ(o.profile.hardwareId, 3);
    EXPECT_EQ(o.imagePath, "a.ddb");
    EXPECT_EQ(o.saveUploadPath, "b.ddb");
    EXPECT_TRUE(o.profile.failUpload);
    EXPECT_TRUE(o.silent);
    EXPECT_TRUE(o.profile.noEnd);
    EXPECT_EQ(o.profile.stopAfterBlocks, 12);
    EXPECT_EQ(o.profile.unknownType, 9);
    EXPECT_DOUBLE_EQ(o.byteFlipProbability, 0.125);
    EXPECT_DOUBLE_EQ(o.frameCorruptProbability, 0.25);
    EXPECT_DOUBLE_EQ(o.dropProbability, 0.5);
    EXPECT_EQ(o.seed, 42u);
    EXPECT_EQ(o.lineRate, 4800);
    EXPECT_EQ(o.logPath, "l.txt");

    EXPECT_TRUE(ParseSimOptions({"--help"}).options.help);
    EXPECT_FALSE(ParseSimOptions({"--version-text", std::string(249, 'x')}).error.empty());
    EXPECT_FALSE(ParseSimOptions({"--seed", "-1"}).error.empty());
    EXPECT_FALSE(ParseSimOptions({"--line-rate", "0"}).error.empty());
    EXPECT_FALSE(ParseSimOptions({"--drop", "nan"}).error.empty());
    EXPECT_FALSE(ParseSimOptions({"--device", ""}).error.empty());
}

// Probabilities are plain decimal numbers from 0 to 1; a value too small for a double is 0.
TEST(SimOptions, ProbabilitiesAreDecimalNumbersFromZeroToOne)
{
    const struct {
        const char* text;
        double value; // -1: refused
    } cases[] = {{"0", 0.0},      {"1", 1.0},     {"0.25", 0.25}, {"1e-6", 1e-6}, {"1e-320", 1e-320},
                 {"1e-400", 0.0}, {"0x1p-3", -1}, {"0x0", -1},    {"+0.5", -1},   {" 0.5", -1},
                 {"0.5 ", -1},    {"1.0001", -1}, {"-0.1", -1},   {"inf", -1},    {"nan", -1},
                 {"1e400", -1},   {"", -1},       {"5%", -1}};
    for (const auto& c : cases) {
        const ParsedOptions parsed = ParseSimOptions({"--corrupt", c.text});
        if (c.value < 0) {
            EXPECT_FALSE(parsed.error.empty()) << c.text;
        } else {
            ASSERT_TRUE(parsed.error.empty()) << c.text << ": " << parsed.error;
            EXPECT_DOUBLE_EQ(parsed.options.byteFlipProbability, c.value) << c.text;
        }
    }
}

} // namespace
} // namespace desksetsim
