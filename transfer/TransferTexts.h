// Every text the transfer module shows its user, and the fixed names it uses.
#pragma once

#include <QLatin1StringView>

namespace trv::transfer::text {

using namespace Qt::StringLiterals;

// Message boxes of the deskset exchange.
inline constexpr QLatin1StringView kWrongVersion = "ERROR : Wrong database version"_L1;
inline constexpr QLatin1StringView kWrongHardware = "ERROR : Wrong hardware ID"_L1;
inline constexpr QLatin1StringView kUnknownRequest = "ERROR : Unknown request from the Deskset"_L1;

// Connection attempts.
inline constexpr QLatin1StringView kUnableToConnect =
    "TRV is unable to establish connection with the deskset."_L1;
inline constexpr QLatin1StringView kRetryQuestion =
    "TRV is presently unable to establish connection with the deskset.\n\n"
    "Please verify the following:\n"
    "1) Do you have the right COM port set in the TRV for your computer?\n"
    "2) Is the cable properly connected between computer and deskset?\n"
    "3) Is the deskset in the configuration mode? If not, simultaneously press \n"
    "and hold the Main Transmit, Speaker and * buttons until the Busy and \n"
    "Transmit LEDs blink, then release. The display should briefly show \n"
    "\"entering configuration mode\".\n\n"
    "Do you want TRV to automatically retry to connect with the deskset?"_L1;

// Each connection attempt: port name, its device, attempt, attempts of a series.
inline constexpr QLatin1StringView kConnectingAttempt =
    "Connecting to the deskset on %1 (%2), attempt %3 of %4."_L1;

// Port targets (trvctl --port, a COM port's mapping).
inline constexpr QLatin1StringView kUnknownPort =
    "Unknown port '%1': use COM1 to COM4, a device path or tcp://HOST:PORT."_L1;
inline constexpr QLatin1StringView kUnknownMapping =
    "Not a device: '%1' (use a device path or tcp://HOST:PORT)."_L1;
inline constexpr QLatin1StringView kNotADevice = "Not a device: '%1' is a file, not a character device."_L1;
inline constexpr QLatin1StringView kBadTcpAddress =
    "Not a device server address: '%1' (use tcp://HOST:PORT)."_L1;

// Details of kUnableToConnect: the port, its device and why the device could not be opened.
inline constexpr QLatin1StringView kPortIsDevice = "%1 is the device %2."_L1;
inline constexpr QLatin1StringView kPortMissing =
    "The device %1 does not exist. Plug the adapter in, or map the COM port to the right device "
    "in Options > COM Port."_L1;
inline constexpr QLatin1StringView kPortNoPermissionGroup =
    "You have no permission to open %1: add your user to the %2 group and log in again."_L1;
inline constexpr QLatin1StringView kPortNoPermission = "You have no permission to open %1."_L1;
inline constexpr QLatin1StringView kPortBusyBy = "%1 is in use by %2."_L1;
inline constexpr QLatin1StringView kPortBusy = "%1 is in use by another program."_L1;
inline constexpr QLatin1StringView kPortHolder = "%1 (process %2)"_L1;
inline constexpr QLatin1StringView kPortOtherError = "%1 cannot be opened: %2."_L1;

// Status bar.
inline constexpr QLatin1StringView kIdlePrompt = "For Help, press F1"_L1;
inline constexpr QLatin1StringView kLinkEstablished = "Communication established with deskset."_L1;
inline constexpr QLatin1StringView kLinkLost = "Communication with deskset has been lost."_L1;

// Progress window.
inline constexpr QLatin1StringView kDownloading = "Downloading data..."_L1;
inline constexpr QLatin1StringView kUploading = "Uploading data..."_L1;
inline constexpr QLatin1StringView kCompleted = "(Completed)"_L1;
inline constexpr QLatin1StringView kIncomplete = "(Error! Transfer was incomplete)"_L1;
inline constexpr QLatin1StringView kDisconnected = "ERROR : Disconnected with the Deskset"_L1;
inline constexpr QLatin1StringView kCommunicationError = "Communication error with deskset"_L1;
// The session's own idle time-out (trvctl): %1 is the limit in seconds.
inline constexpr QLatin1StringView kNoAnswer = "No answer from the deskset for %1 s."_L1;

// Commands refused while editor windows are open (the shell checks this before starting).
inline constexpr QLatin1StringView kCloseWindowsBeforeDownload =
    "You must close all windows before downloading."_L1;
inline constexpr QLatin1StringView kCloseWindowsBeforeUpload =
    "You must close all windows before uploading."_L1;

// Name given to a downloaded database.
inline constexpr QLatin1StringView kDownloadName = "download.ddb"_L1;

// Communication trace (trvctl --trace, Help > "Save communication log...").
namespace trace {
inline constexpr const char* kDownloadSession = "Download Database";
inline constexpr const char* kUploadSession = "Upload Database";
inline constexpr const char* kCheckSession = "Check Deskset";
inline constexpr const char* kLegend = "TX: sent by the tool, RX: received from the deskset";
inline constexpr const char* kSent = "TX";
inline constexpr const char* kReceived = "RX";
inline constexpr const char* kConnectRequest = "connect request";
inline constexpr const char* kConnectConfirm = "connect confirm";
inline constexpr const char* kAcknowledgement = "acknowledgement #";
inline constexpr const char* kHeartbeat = "heartbeat";
inline constexpr const char* kData = "data #";
inline constexpr const char* kUnknownFrame = "unknown frame type ";
inline constexpr const char* kFragments[] = {"", "first fragment", "middle fragment", "last fragment"};
inline constexpr const char* kCrcError = "damaged frame (CRC error)";
inline constexpr const char* kBadLength = "damaged frame (length above 250)";
inline constexpr const char* kIncomplete = "incomplete frame (the rest did not arrive)";
inline constexpr const char* kVersionRequest = "version request";
inline constexpr const char* kVersion = "version ";
inline constexpr const char* kHardwareCheck = "hardware check";
inline constexpr const char* kHardwareResult = "hardware result ";
inline constexpr const char* kHardwareMatch = " (match)";
inline constexpr const char* kHardwareMismatch = " (no match)";
inline constexpr const char* kDownloadRequest = "download request";
inline constexpr const char* kDownloadBlock = "download block";
inline constexpr const char* kUploadBlock = "upload block";
inline constexpr const char* kOffset = ", offset ";
inline constexpr const char* kBytes = " bytes";
inline constexpr const char* kEndMessages[] = {"upload complete", "upload incomplete", "download complete",
                                               "download failed"};
inline constexpr const char* kMessageType = "message type ";
inline constexpr const char* kLinkUp = "link up";
inline constexpr const char* kLinkDown = "link down";
inline constexpr const char* kConnecting = "connecting to ";
} // namespace trace

} // namespace trv::transfer::text
