// Trace texts of the pipe, socket, shared-memory, modem and multicast transports.
#pragma once

namespace comms::texts {

inline constexpr const char* kPipeIoPending = "(Layer1) io pending PipeConnectThread\n";
inline constexpr const char* kPipeConnected = "(Layer1) pipe is connected\n";
inline constexpr const char* kPipeBadName =
    "(PipeLayer1)  error: pipe name must begin with two backslashes\n";
inline constexpr const char* kPipeNameTooLong = "(PipeLayer1)  error: pipe name too long for a socket path\n";
inline constexpr const char* kPipeFolderUnsafe =
    "(PipeLayer1)  error: pipe folder is not a private folder of this user\n";
inline constexpr const char* kPipeInUse = "(PipeLayer1)  error: another server holds this pipe name\n";
inline constexpr const char* kPipeFailed = "(PipeLayer1)  error: pipe failed, closed\n";

inline constexpr const char* kSocketConnected = "(SocketLayer1)  connected\n";
inline constexpr const char* kSocketClientAccepted = "(SocketLayer1)  client accepted\n";
inline constexpr const char* kSocketPeerClosed = "(SocketLayer1)  peer closed the connection\n";
inline constexpr const char* kSocketServerFailed =
    "(SocketLayer1)  error: server socket could not be set up\n";

inline constexpr const char* kSharedMemoryFailed =
    "(SharedMemoryLayer1)  error: mapping could not be opened\n";
inline constexpr const char* kSharedMemoryCorrupt = "(SharedMemoryLayer1)  error: ring header out of range\n";
inline constexpr const char* kSharedMemoryStuck = "(SharedMemoryLayer1)  error: busy flag held too long\n";

inline constexpr const char* kModemHangUp = "(CModemLayer1) HangUp\n";
inline constexpr const char* kModemHeartBeat = "(CModemLayer1) Sending HeartBeat\n";
inline constexpr const char* kModemInit = "(CModemLayer1) Sending Init String\n";
inline constexpr const char* kModemDialing = "(CModemLayer1) Dialing\n";
inline constexpr const char* kModemAnswering = "(CModemLayer1) Answering\n";
inline constexpr const char* kModemTimeout = "(CModemLayer1) Timeout waiting for OK\n";

inline constexpr const char* kMulticastOversized = "(MulticastLayer1)  datagram above 1472 bytes cut\n";
inline constexpr const char* kMulticastQueueFull =
    "(MulticastLayer1)  receive queue full, datagram dropped\n";

} // namespace comms::texts
