#include "tools/desksetsim/Simulator.h"

#include "comms/AckFrameLayer2.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "tools/desksetsim/DesksetLayer1.h"
#include "tools/desksetsim/DesksetNimb.h"
#include "tools/desksetsim/FrameLog.h"
#include "tools/desksetsim/LineRelay.h"
#include "tools/desksetsim/SimPort.h"
#include "tools/desksetsim/SimTexts.h"
#include "tools/desksetsim/WireTap.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <mutex>
#include <utility>

namespace desksetsim {

namespace {

// What the threads of the simulator tell its main loop.
class Mailbox {
public:
    // kToolReopened: the tool opened the port again while its session ran, ending it.
    enum class Kind { kSessionEnded, kToolOpened, kToolReopened, kPortFailed };
    struct Letter {
        Kind kind;
        std::string text;
    };

    Mailbox() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~Mailbox()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Fd() const { return fd_; }

    void Post(Kind kind, std::string text = {})
    {
        {
            std::lock_guard lock(mutex_);
            letters_.push_back({kind, std::move(text)});
        }
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
    }

    std::deque<Letter> TakeAll()
    {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(fd_, &count, sizeof count);
        std::lock_guard lock(mutex_);
        return std::exchange(letters_, {});
    }

private:
    int fd_;
    std::mutex mutex_;
    std::deque<Letter> letters_;
};

} // namespace

Simulator::Simulator(const SimOptions& options, std::FILE* out, std::FILE* err)
    : options_(options), out_(out), err_(err)
{
}

void Simulator::Status(const std::string& text)
{
    std::fprintf(err_, "%s%s\n", texts::kProgram, text.c_str());
    std::fflush(err_);
}

int Simulator::Run(int stopFd)
{
    // The database the deskset holds.
    trv::db::Image image{};
    if (options_.imagePath.empty()) {
        trv::db::newDatabase(image);
    } else if (const trv::db::FileResult loaded = trv::db::loadDatabase(options_.imagePath, image);
               !loaded.ok) {
        Status(texts::kCannotOpenImage + options_.imagePath + ": " + loaded.message);
        return 1;
    }

    FrameLog log;
    if (!options_.logPath.empty() && !log.Open(options_.logPath)) {
        Status(texts::kCannotOpenLog + options_.logPath + ": " + std::strerror(errno));
        return 1;
    }
    log.Line(texts::kLogStart);

    std::string error;
    std::unique_ptr<SimPort> port = options_.devicePath.empty()
                                        ? SimPort::CreatePty(&error)
                                        : SimPort::OpenDevice(options_.devicePath, options_.baudRate, &error);
    if (!port) {
        Status((options_.devicePath.empty() ? std::string(texts::kCannotCreatePty)
                                            : texts::kCannotOpenDevice + options_.devicePath + ": ") +
               error);
        return 1;
    }

    // The link chooses its timers from the rate of the line it runs on.
    const int linkBaud = options_.lineRate > 0 ? options_.lineRate : options_.baudRate;
    const uint32_t completionMs = comms::AckFrameTimersFor(linkBaud, false).completionMs;

    Mailbox mailbox;
    LineRelay relay(*port, options_.lineRate,
                    {[&](const char* reason) { mailbox.Post(Mailbox::Kind::kSessionEnded, reason); },
                     [&](bool endedSession) {
                         if (endedSession)
                             mailbox.Post(Mailbox::Kind::kToolReopened, texts::kPeerReopened);
                         else
                             mailbox.Post(Mailbox::Kind::kToolOpened, texts::kPeerOpened);
                     },
                     [&](const std::string& why) { mailbox.Post(Mailbox::Kind::kPortFailed, why); }});
    if (!relay.Start(&error)) {
        Status(texts::kCannotOpenDevice + port->Path() + ": " + error);
        return 1;
    }

    WireTap tap({options_.byteFlipProbability, options_.frameCorruptProbability, options_.dropProbability,
                 options_.seed},
                options_.silent, log.IsOpen() ? &log : nullptr, completionMs);
    SimulatedDeskset deskset(options_.profile, image);
    auto status = [&](const std::string& text) {
        Status(text);
        log.Line(text);
    };
    DesksetNimb nimb(deskset, tap, options_.saveUploadPath,
                     {[&](DesksetNimb::LinkEvent event) {
                          if (event == DesksetNimb::LinkEvent::kDown)
                              mailbox.Post(Mailbox::Kind::kSessionEnded);
                      },
                      status});

    // The deskset waits to be called: the tool's heartbeat opens the link. Only when it has
    // just seen the tool open the port does it call at once, so the link is up within
    // milliseconds. Either way it never sends a heartbeat that could cross the tool's first
    // one, which the tool would answer with a connect request, ending a link the deskset has
    // already taken as open.
    const std::string waitingLink = comms::kOptionAwaitCall;
    const std::string callingLink = waitingLink + " " + comms::kOptionCallAtOnce;
    auto connect = [&](bool call) -> bool {
        const int fd = relay.OpenLink();
        const comms::Result result =
            fd < 0 ? comms::Result::Layer1OpenFailed
                   : nimb.Connect(comms::kLayer2AckFrame, (call ? callingLink : waitingLink).c_str(),
                                  std::make_unique<DesksetLayer1>(fd, linkBaud, tap));
        if (result != comms::Result::Ok) {
            Status(texts::kCannotConnect + comms::ResultText(result));
            return false;
        }
        return true;
    };
    if (!connect(false))
        return 1;
    // Announced once the deskset is ready to answer.
    std::fprintf(out_, "%s%s\n", port->IsPty() ? texts::kPtyLine : texts::kDeviceLine, port->Path().c_str());
    std::fflush(out_);

    int exitCode = 0;
    for (bool running = true; running;) {
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {mailbox.Fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (fds[0].revents != 0)
            break;
        if (fds[1].revents == 0)
            continue;
        // Letters that came together need one new link, made for the last of them.
        bool restart = false;
        bool call = false;
        for (const Mailbox::Letter& letter : mailbox.TakeAll()) {
            if (letter.kind == Mailbox::Kind::kPortFailed) {
                Status(texts::kDeviceFailed + letter.text);
                exitCode = 1;
                running = false;
                break;
            }
            if (!letter.text.empty())
                status(letter.text);
            // The tool opening the port ends no session.
            if (options_.once && letter.kind != Mailbox::Kind::kToolOpened) {
                running = false;
                break;
            }
            restart = true;
            call = letter.kind != Mailbox::Kind::kSessionEnded;
        }
        if (running && restart) {
            // The next session starts with a fresh link.
            nimb.Disconnect();
            nimb.StartSession();
            if (!connect(call)) {
                exitCode = 1;
                running = false;
            }
        }
    }
    nimb.Shutdown();
    relay.Stop();
    return exitCode;
}

} // namespace desksetsim
