// Small descriptor helpers shared by the stream transports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace comms {

// Writes all of data to a non-blocking stream descriptor, waiting for room at most
// timeoutMs in all. Returns the bytes written (short when the time ran out), or -errno
// when the descriptor failed.
int WriteAll(int fd, const uint8_t* data, int length, int timeoutMs);

// Bytes that can be read at once (FIONREAD), or -errno when the query fails.
int PendingBytes(int fd);

// Switches O_NONBLOCK on; false on failure.
bool SetNonBlocking(int fd);

// The blank-separated words of a parameter text (null gives none).
std::vector<std::string> SplitWords(const char* text);

// Parses a decimal port number 1..65535; -1 when the text is not one.
int ParsePort(const std::string& text);

} // namespace comms
