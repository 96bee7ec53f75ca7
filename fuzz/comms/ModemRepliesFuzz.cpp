// Runs the modem dialogue over an in-memory line with arbitrary modem replies and time steps.
// Input: [mode][text 0-terminated: init string][text 0-terminated: number], then records [op][...]:
//   op % 4 == 0: [n][n bytes]   bytes from the modem
//   op % 4 == 1: [lo][hi]       the clock moves on lo + 256 * hi milliseconds
//   op % 4 == 2: [n]            the link writes n bytes of its own
//   op % 4 == 3:                the link reads
// Checked: no crash or hang; until CONNECT every read gives no data and the modem receives only
// its commands, never the link's bytes; after it, the link's bytes pass unchanged.
#include "comms/CModemLayer1.h"
#include "comms/Clock.h"
#include "comms/Layer1.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class ModemLine final : public comms::Layer1 {
public:
    int IsAttached() override { return 1; }
    int BaudRate() override { return 9600; }
    int FreeRoom() override { return 4096; }
    int BytesWaiting() override { return static_cast<int>(fromModem.size()); }
    int Open() override { return 0; }
    void Close() override {}
    int Write(const uint8_t* data, int length) override
    {
        writes.emplace_back(data, data + length);
        return length;
    }
    int Read(uint8_t* buffer, int max) override
    {
        const int count = std::min<int>(max, static_cast<int>(fromModem.size()));
        std::copy_n(fromModem.begin(), count, buffer);
        fromModem.erase(fromModem.begin(), fromModem.begin() + count);
        return count;
    }

    std::deque<uint8_t> fromModem;
    std::vector<Bytes> writes;
};

bool IsCommand(const Bytes& write, const std::string& init, const std::string& number)
{
    const std::string text(write.begin(), write.end());
    return text == "+" || text == "ATH0\r" || text == "ATE\r" || text == "ATA\r" ||
           text == "AT" + init + "\r" || text == "ATD" + number + "\r";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t at = 0;
    auto byte = [&] { return at < size ? data[at++] : uint8_t{0}; };
    auto word = [&] {
        std::string text;
        for (uint8_t c; at < size && (c = data[at++]) != 0;)
            if (c > ' ' && text.size() < 40) // one blank-free word of the parameter text
                text += static_cast<char>(c);
        return text;
    };
    const bool answer = (byte() & 1) != 0;
    const std::string init = word();
    const std::string number = word();
    const std::string params =
        "1 8 0 0 9600 INIT:" + init + " DIAL:" + number + " MODE:" + (answer ? "A" : "D");

    comms::ManualClock clock;
    auto line = std::make_unique<ModemLine>();
    ModemLine& modem = *line;
    comms::CModemLayer1 layer(params.c_str(), std::move(line), clock, [](uint32_t) {});
    if (layer.Open() != 0 || layer.InitString() != init || layer.Number() != number ||
        layer.AnswerMode() != answer)
        std::abort();

    const uint8_t own[] = {0xA5, 0x5A, 0x00, 0xFF};
    std::array<uint8_t, 300> buffer;
    size_t checkedWrites = 0;
    while (at < size) {
        const uint8_t op = byte();
        const bool onLine = layer.CurrentStage() == comms::CModemLayer1::Stage::OnLine;
        switch (op % 4) {
        case 0: {
            const size_t n = std::min<size_t>(byte(), size - at);
            modem.fromModem.insert(modem.fromModem.end(), data + at, data + at + n);
            at += n;
            break;
        }
        case 1: {
            const uint32_t lo = byte();
            clock.Advance(lo + 256u * byte());
            break;
        }
        case 2: {
            const int n = std::min<int>(byte(), sizeof own);
            if (layer.Write(own, n) != n)
                std::abort();
            if (onLine && n > 0 && modem.writes.back() != Bytes(own, own + n))
                std::abort();
            if (onLine)
                checkedWrites = modem.writes.size();
            break;
        }
        case 3: {
            const int got = layer.Read(buffer.data(), static_cast<int>(buffer.size()));
            if (got < 0 || got > static_cast<int>(buffer.size()) || (!onLine && got != 0))
                std::abort();
            break;
        }
        }
        if (layer.CurrentStage() != comms::CModemLayer1::Stage::OnLine || !onLine) {
            // Off line (or going on line in this step): everything written was a modem command.
            for (; checkedWrites < modem.writes.size(); ++checkedWrites)
                if (!IsCommand(modem.writes[checkedWrites], init, number))
                    std::abort();
        }
    }
    layer.Close();
    return 0;
}
