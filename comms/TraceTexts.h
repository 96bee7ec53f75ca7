// Every trace text of the library, in one place.
#pragma once

namespace comms::texts {

inline constexpr const char* kUnknownLayer1 = "(Nimb::Connect)  error: unknown Layer1\n";
inline constexpr const char* kUnknownLayer2 = "(Nimb::Connect)  error: unknown Layer2\n";
inline constexpr const char* kConnectException = "(Nimb::Connect)  error: exception while connecting\n";
inline constexpr const char* kCommLinkThreadFailed =
    "(Nimb::Connect)  error: comm-link thread could not be started\n";
inline constexpr const char* kDisconnectException =
    "(Nimb::Disconnect)  error: exception while disconnecting\n";
inline constexpr const char* kCommLinkStoppedLate = "(Nimb::Disconnect)  comm-link thread stopped late\n";
inline constexpr const char* kSessionStoppedLate = "(Nimb::~Nimb)  session thread stopped late\n";
inline constexpr const char* kReassemblyOverflow =
    "(Session::Pull)  error: reassembled message too long, dropped\n";
inline constexpr const char* kMessageTooLong =
    "(Session::Pull)  error: whole message longer than the maximum, dropped\n";
inline constexpr const char* kOrphanFragment =
    "(Session::Pull)  error: fragment without a first fragment, dropped\n";
inline constexpr const char* kCrcFailed = "(AckFrameLayer2)  CRC error, frame dropped";
inline constexpr const char* kLengthTooLarge = "(AckFrameLayer2)  length above 250, frame dropped";
inline constexpr const char* kFrameIncomplete = "(AckFrameLayer2)  frame not completed in time, dropped\n";
inline constexpr const char* kLinkLostRetries =
    "(AckFrameLayer2)  link lost: no acknowledgement after 5 transmissions\n";
inline constexpr const char* kLinkLostReadFailure = "(AckFrameLayer2)  link lost: transport read failed\n";
inline constexpr const char* kLinkLostPeerRestart =
    "(AckFrameLayer2)  link lost: connect request from the connected peer\n";
inline constexpr const char* kLinkUp = "(AckFrameLayer2)  link up\n";

} // namespace comms::texts
