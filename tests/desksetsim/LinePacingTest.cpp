// desksetsim --line-rate: bytes cross the pseudo-terminal no faster than a real 8N1 line of
// that rate would carry them, in both directions. Measured at the tool's transport; every
// check is one-sided, since scheduling can only make bytes later, never earlier.
#include "SimHarness.h"

#include "comms/ResultCodes.h"
#include "tools/desksetsim/SimulatedDeskset.h"

#include <gtest/gtest.h>

#include <iostream>

namespace desksetsim::testing {
namespace {

constexpr int kLineRate = 19200;
// Ten bit times per byte.
constexpr double kByteSeconds = 10.0 / kLineRate;
// What the clocks of the measurement itself may take away: one byte time.
constexpr double kToleranceBytes = 1.0;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The frames the tool writes are whole: the first write carrying a data frame (type 4) whose
// payload is the message at or after `from`.
const WireEvent* FindDataWrite(const std::vector<WireEvent>& events, uint8_t messageType,
                               Clock::time_point from)
{
    for (const WireEvent& e : events) {
        if (e.written && e.time >= from && e.bytes.size() >= 5 && e.bytes[0] == 4 &&
            e.bytes[4] == messageType)
            return &e;
    }
    return nullptr;
}
// The result points into `events`: a temporary vector would be gone before it is used.
const WireEvent* FindDataWrite(std::vector<WireEvent>&&, uint8_t, Clock::time_point) = delete;

TEST(LinePacing, DownloadAtLineRateTakesNoLessThanTheLineTime)
{
    SimProcess sim({"--line-rate", std::to_string(kLineRate)});
    ASSERT_FALSE(sim.PtyPath().empty());
    ToolNimb tool;
    RecordingSerial* recorder = nullptr;
    ASSERT_EQ(tool.ConnectRecording(sim.PtyPath(), &recorder), comms::Result::Ok);
    ASSERT_TRUE(tool.WaitForLink(10000));

    // A round trip: the 7-byte request frame must reach the simulator (incoming pacing),
    // then its 5-byte acknowledgement and the 23-byte reply frame must come back.
    const Clock::time_point beforeVersion = Clock::now();
    ASSERT_EQ(tool.SendMessage(kTypeVersion), comms::Result::Ok);
    ASSERT_EQ(tool.NextMessage(10000).size(), 18u);
    const Clock::time_point versionArrived = tool.LastReceiveTime();
    const std::vector<WireEvent> versionEvents = recorder->Events();
    const WireEvent* versionWrite = FindDataWrite(versionEvents, kTypeVersion, beforeVersion);
    ASSERT_NE(versionWrite, nullptr);
    const double roundTripBytes = 7 + 5 + 23;
    EXPECT_GE(Seconds(versionArrived - versionWrite->time),
              (roundTripBytes - kToleranceBytes) * kByteSeconds);

    ASSERT_EQ(tool.SendMessage(kTypeHardware), comms::Result::Ok);
    ASSERT_EQ(tool.NextMessage(10000).size(), 3u);

    const Clock::time_point beforeDownload = Clock::now();
    ASSERT_EQ(tool.SendMessage(kTypeDownloadBlock, {0}), comms::Result::Ok);
    for (int block = 0; block < kBlockCount; ++block)
        ASSERT_EQ(tool.NextMessage(10000).at(1), kTypeDownloadBlock) << block;
    ASSERT_EQ(tool.NextMessage(10000), (Bytes{1, kTypeDownloadComplete}));
    const Clock::time_point finished = tool.LastReceiveTime();

    const std::vector<WireEvent> events = recorder->Events();
    const WireEvent* request = FindDataWrite(events, kTypeDownloadBlock, beforeDownload);
    ASSERT_NE(request, nullptr);
    const Clock::time_point start = request->time;

    // The exchange ends with the read that completed the type 7 frame.
    Clock::time_point end = start;
    for (const WireEvent& e : events) {
        if (!e.written && e.time <= finished)
            end = std::max(end, e.time);
    }

    // Bytes from the deskset never arrive faster than one per byte time: by any read, no more
    // have come than the line could carry since the 8-byte request reached the deskset.
    double fromDeskset = 0;
    double fromTool = 0;
    for (const WireEvent& e : events) {
        if (e.time < start || e.time > end)
            continue;
        if (e.written) {
            if (&e != request && e.time < end)
                fromTool += static_cast<double>(e.bytes.size());
            continue;
        }
        fromDeskset += static_cast<double>(e.bytes.size());
        const double lineBytes = Seconds(e.time - start) / kByteSeconds - 8;
        ASSERT_LE(fromDeskset, lineBytes + kToleranceBytes)
            << "bytes arrived faster than the line carries them";
    }
    // The acknowledgement of the request, 163 block frames of 109 bytes, one of 93, and type 7.
    EXPECT_EQ(fromDeskset, 5 + 163 * 109 + 93 + 7) << "every frame crossed the line once";

    // Stop-and-wait: each block frame leaves only after the acknowledgement of the one before
    // has arrived, so the whole exchange takes at least the line time of all its bytes.
    const double elapsed = Seconds(end - start);
    const double lineTime = (8 + fromDeskset + fromTool) * kByteSeconds;
    EXPECT_GE(elapsed, lineTime - kToleranceBytes * kByteSeconds);
    EXPECT_GE(elapsed, trv::db::kImageSize * kByteSeconds) << "16384 image bytes cannot cross faster";
    std::cout << "download at " << kLineRate << " baud: " << elapsed << " s, line time " << lineTime
              << " s, ratio " << elapsed / lineTime << "\n";
    RecordProperty("DownloadSeconds", std::to_string(elapsed));
    RecordProperty("LineSeconds", std::to_string(lineTime));
}

} // namespace
} // namespace desksetsim::testing
