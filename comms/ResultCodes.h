// Result codes, event codes and notification codes of the communications library.
#pragma once

#include <iosfwd>
#include <string>

namespace comms {

// Results of the public operations of Nimb and of the transports' constructors (0 is success),
// each name with its value, in one list that the enum and ResultName are both made from. The
// values are those the library has always returned.
//   Nothing: Send: length not positive; Receive: nothing waiting.
//   TooLong: Send: above the maximum; Receive: buffer too short.
//   NoParamText .. UnknownMode and WakeSignal: constructor results of the socket and multicast
//   transports; SocketLibrary has no counterpart on POSIX (sockets need no start-up), WakeSignal:
//   the descriptor that wakes a socket transport's connection thread could not be created.
#define COMMS_RESULTS(X)                                                                                     \
    X(Ok, 0)                                                                                                 \
    X(AlreadyConnected, -10001)                                                                              \
    X(NoSession, -10002)                                                                                     \
    X(Layer1OpenFailed, -10003)                                                                              \
    X(UnknownLayer1, -10004)                                                                                 \
    X(UnknownLayer2, -10005)                                                                                 \
    X(CommLinkThreadFailed, -10006)                                                                          \
    X(ConnectException, -10007)                                                                              \
    X(NotConnected, -10008)                                                                                  \
    X(Nothing, -10009)                                                                                       \
    X(TooLong, -10010)                                                                                       \
    X(NoParamText, -10011)                                                                                   \
    X(SocketLibrary, -10012)                                                                                 \
    X(InvalidAddress, -10013)                                                                                \
    X(FieldCount, -10014)                                                                                    \
    X(ClientKind, -10015)                                                                                    \
    X(UnknownMode, -10016)                                                                                   \
    X(BadBuffer, -10017)                                                                                     \
    X(StoreFailed, -10018)                                                                                   \
    X(DisconnectException, -10019)                                                                           \
    X(NoSessionThread, -10020)                                                                               \
    X(WakeSignal, -10021)

enum class Result : int {
#define COMMS_RESULT_ENUMERATOR(name, value) name = value,
    COMMS_RESULTS(COMMS_RESULT_ENUMERATOR)
#undef COMMS_RESULT_ENUMERATOR
};

// The number of a result, as callers that print or compare codes see it.
constexpr int ResultValue(Result result)
{
    return static_cast<int>(result);
}

// "Layer1OpenFailed"; "Unknown" for a value that is no result of the library.
const char* ResultName(Result result);
// "Layer1OpenFailed (-10003)".
std::string ResultText(Result result);
// GoogleTest and stream output print the name and the number.
std::ostream& operator<<(std::ostream& out, Result result);

// Codes put on the EventQueue (code, value).
inline constexpr int kEventPortOpenFailed = 1;
inline constexpr int kEventSerialDefaultsTaken = 10;
inline constexpr int kEventCommLinkThreadFailed = 0x2000;
inline constexpr int kEventUnknownLayer1 = 0x2001;
inline constexpr int kEventUnknownLayer2 = 0x2002;
inline constexpr int kEventPayloadRefused = 0x2004;
inline constexpr int kEventReceiveStoreFailed = 0x2005;

// Codes put on the NotifyQueue by the acknowledged frame link.
inline constexpr int kNotifyCrcFailed = 0x1000;
inline constexpr int kNotifyFrameIncomplete = 0x1001;

// Layer1 transport types accepted by Nimb::Connect.
inline constexpr int kLayer1Serial = 0;
inline constexpr int kLayer1Pipe = 1;
inline constexpr int kLayer1Socket = 2;
inline constexpr int kLayer1SharedMemory = 3;
inline constexpr int kLayer1Modem = 4;
inline constexpr int kLayer1Multicast = 5;

// Layer2 link protocol types: 0 is the acknowledged frame link; 1 to 18 are further protocols.
inline constexpr int kLayer2AckFrame = 0;
inline constexpr int kLayer2LastType = 18;

} // namespace comms
