// Result codes, event codes and notification codes of the communications library.
#pragma once

namespace comms {

// Results of the public operations of Nimb (0 is success).
inline constexpr int kOk = 0;
inline constexpr int kErrAlreadyConnected = -10001;
inline constexpr int kErrNoSession = -10002;
inline constexpr int kErrLayer1OpenFailed = -10003;
inline constexpr int kErrUnknownLayer1 = -10004;
inline constexpr int kErrUnknownLayer2 = -10005;
inline constexpr int kErrCommLinkThreadFailed = -10006;
inline constexpr int kErrConnectException = -10007;
inline constexpr int kErrNotConnected = -10008;
inline constexpr int kErrNothing = -10009; // Send: length not positive; Receive: nothing waiting
inline constexpr int kErrTooLong = -10010; // Send: above the maximum; Receive: buffer too short
// -10011 to -10016 and -10021 belong to the socket transport.
inline constexpr int kErrSocketFirst = -10011;
inline constexpr int kErrSocketLast = -10016;
inline constexpr int kErrSocketExtra = -10021;
inline constexpr int kErrBadBuffer = -10017;
inline constexpr int kErrStoreFailed = -10018;
inline constexpr int kErrDisconnectException = -10019;
inline constexpr int kErrNoSessionThread = -10020;

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
