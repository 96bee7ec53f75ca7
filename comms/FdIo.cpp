#include "comms/FdIo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <sstream>

namespace comms {

int WriteAll(int fd, const uint8_t* data, int length, int timeoutMs)
{
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int written = 0;
    while (written < length) {
        const ssize_t n = ::send(fd, data + written, length - written, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return -errno;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            return -errno;
    }
    return written;
}

int PendingBytes(int fd)
{
    int count = 0;
    if (::ioctl(fd, FIONREAD, &count) < 0)
        return -errno;
    return count;
}

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

std::vector<std::string> SplitWords(const char* text)
{
    std::vector<std::string> words;
    if (text == nullptr)
        return words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

int ParsePort(const std::string& text)
{
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return -1;
    return port;
}

} // namespace comms
