// Codes of the pipe, socket, shared-memory, modem and multicast transports: EventQueue codes
// (value = errno where there is one) and the modem's NotifyQueue codes.
#pragma once

namespace comms {

// Constructor results of the socket and multicast transports are Result values
// (ResultCodes.h): NoParamText, InvalidAddress, FieldCount, ClientKind, UnknownMode, WakeSignal.

// EventQueue codes. Codes 2 (exception while sending or receiving), 5 (socket library not
// started) and 6 (open without a started socket library) have no cause on POSIX: nothing here
// throws and sockets need no library start-up.
inline constexpr int kEventPipeFailed = 0;       // pipe read or write failed; pipe closed
inline constexpr int kEventSocketCallFailed = 3; // send, receive, create, bind, listen
inline constexpr int kEventConnectFailed = 4;    // client connect failed; retried
inline constexpr int kEventNoOwner = 7;          // concurrent server without an owning Nimb
inline constexpr int kEventThreadFailed = 8;     // connection thread could not be started
inline constexpr int kEventCarrierLost = 9;      // modem carrier lost while on line
inline constexpr int kEventMalformedParams = 10; // parameter text malformed
inline constexpr int kEventLookupFailed = 11;    // host name look-up failed; retried
inline constexpr int kEventModemSilent = 12;     // modem never answered its keep-alive
inline constexpr int kEventPollFailed = 14;      // waiting for socket events failed
inline constexpr int kEventJoinFailed = 16;      // joining the multicast group failed
inline constexpr int kEventLeaveFailed = 17;     // leaving the multicast group failed
inline constexpr int kEventTtlFailed = 18;       // setting the multicast time-to-live failed
inline constexpr int kEventAcceptFailed = 20;    // waiting for or accepting a client failed

// NotifyQueue codes of the modem dialogue.
inline constexpr int kNotifyInitOk = 0;
inline constexpr int kNotifyDialing = 1;
inline constexpr int kNotifyBusy = 2;
inline constexpr int kNotifyNoCarrier = 3;
inline constexpr int kNotifyNoDialtone = 4;
inline constexpr int kNotifyNoAnswer = 5;
inline constexpr int kNotifyError = 6;
inline constexpr int kNotifyOther = 7;
inline constexpr int kNotifyTimeout = 8;
inline constexpr int kNotifyConnect = 9;
inline constexpr int kNotifyRing = 10;
inline constexpr int kNotifyAnswering = 11;

} // namespace comms
