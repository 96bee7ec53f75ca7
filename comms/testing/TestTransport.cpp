#include "comms/testing/TestTransport.h"

#include <fcntl.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace comms::testing {

void FaultControl::Set(const FaultSettings& settings)
{
    std::lock_guard lock(mutex_);
    settings_ = settings;
    random_.seed(settings.seed);
}

void FaultControl::SetSilent(bool silent)
{
    std::lock_guard lock(mutex_);
    silent_ = silent;
}

bool FaultControl::Silent() const
{
    std::lock_guard lock(mutex_);
    return silent_;
}

void FaultControl::Apply(const uint8_t* data, int length, std::vector<uint8_t>* out)
{
    std::lock_guard lock(mutex_);
    out->clear();
    if (silent_) {
        dropped_ += static_cast<uint64_t>(length);
        return;
    }
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<int> pattern(1, 255);
    for (int i = 0; i < length; ++i) {
        if (settings_.dropProbability > 0 && chance(random_) < settings_.dropProbability) {
            ++dropped_;
            continue;
        }
        uint8_t byte = data[i];
        if (settings_.flipProbability > 0 && chance(random_) < settings_.flipProbability) {
            byte ^= static_cast<uint8_t>(pattern(random_));
            ++changed_;
        }
        out->push_back(byte);
    }
    if (!out->empty() && settings_.corruptWriteProbability > 0 &&
        chance(random_) < settings_.corruptWriteProbability) {
        std::uniform_int_distribution<size_t> position(0, out->size() - 1);
        (*out)[position(random_)] ^= static_cast<uint8_t>(pattern(random_));
        ++changed_;
    }
}

uint64_t FaultControl::BytesDropped() const
{
    std::lock_guard lock(mutex_);
    return dropped_;
}

uint64_t FaultControl::BytesChanged() const
{
    std::lock_guard lock(mutex_);
    return changed_;
}

TestLayer1::TestLayer1(int fd, int baudRate, std::shared_ptr<FaultControl> faults)
    : fd_(fd), baudRate_(baudRate), faults_(std::move(faults))
{
}

TestLayer1::~TestLayer1()
{
    Close();
}

int TestLayer1::FreeRoom()
{
    int size = 0;
    socklen_t length = sizeof size;
    int queued = 0;
    if (fd_ < 0 || getsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &size, &length) != 0 ||
        ioctl(fd_, SIOCOUTQ, &queued) != 0) {
        return 0;
    }
    return size > queued ? size - queued : 0;
}

int TestLayer1::BytesWaiting()
{
    int waiting = 0;
    if (fd_ < 0 || ioctl(fd_, FIONREAD, &waiting) != 0)
        return 0;
    return waiting;
}

int TestLayer1::Open()
{
    if (fd_ < 0)
        return -1;
    return openResult_;
}

void TestLayer1::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

int TestLayer1::Write(const uint8_t* data, int length)
{
    if (fd_ < 0)
        return -1;
    faults_->Apply(data, length, &scratch_);
    size_t done = 0;
    while (done < scratch_.size()) {
        const ssize_t n = ::send(fd_, scratch_.data() + done, scratch_.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            broken = true;
            return -1;
        }
        done += static_cast<size_t>(n);
    }
    return length;
}

int TestLayer1::Read(uint8_t* buffer, int max)
{
    if (fd_ < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, static_cast<size_t>(max), MSG_DONTWAIT);
        if (n > 0)
            return static_cast<int>(n);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        broken = true; // the peer closed its end, or the socket failed
        return -1;
    }
}

TestTransportPair MakeTestTransportPair(int baudRate)
{
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        throw std::runtime_error("socketpair failed");
    TestTransportPair pair;
    pair.faultsA = std::make_shared<FaultControl>();
    pair.faultsB = std::make_shared<FaultControl>();
    pair.a = std::make_unique<TestLayer1>(fds[0], baudRate, pair.faultsA);
    pair.b = std::make_unique<TestLayer1>(fds[1], baudRate, pair.faultsB);
    return pair;
}

} // namespace comms::testing
