// Result codes, event codes and notification codes of the communications library.
#pragma once

#include <iosfwd>
#include <string>

namespace comms {

// Results of the public operations of Nimb and of the transports' constructors (0 is success).
// The values are those the library has always returned; ResultName gives each its name.
enum class Result : int {
    Ok = 0,
    AlreadyConnected = -10001,
    NoSession = -10002,
    Layer1OpenFailed = -10003,
    UnknownLayer1 = -10004,
    UnknownLayer2 = -10005,
    CommLinkThreadFailed = -10006,
    ConnectException = -10007,
    NotConnected = -10008,
    Nothing = -10009, // Send: length not positive; Receive: nothing waiting
    TooLong = -10010, // Send: above the maximum; Receive: buffer too short
    // -10011 to -10016 and -10021: constructor results of the socket and multicast transports.
    NoParamText = -10011,
    SocketLibrary = -10012, // no counterpart on POSIX: sockets need no start-up
    InvalidAddress = -10013,
    FieldCount = -10014,
    ClientKind = -10015,
    UnknownMode = -10016,
    BadBuffer = -10017,
    StoreFailed = -10018,
    DisconnectException = -10019,
    NoSessionThread = -10020,
    // The descriptor that wakes a socket transport's connection thread could not be created.
    WakeSignal = -10021,
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
