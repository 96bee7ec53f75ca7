// Every text the transfer module shows its user, and the fixed names it uses.
#pragma once

namespace trv::transfer::text {

// Message boxes of the deskset exchange.
inline constexpr const char* kWrongVersion = "ERROR : Wrong database version";
inline constexpr const char* kWrongHardware = "ERROR : Wrong hardware ID";
inline constexpr const char* kUnknownRequest = "ERROR : Unknown request from the Deskset";

// Connection attempts.
inline constexpr const char* kUnableToConnect = "TRV is unable to establish connection with the deskset.";
inline constexpr const char* kRetryQuestion =
    "TRV is presently unable to establish connection with the deskset.\n\n"
    "Please verify the following:\n"
    "1) Do you have the right COM port set in the TRV for your computer?\n"
    "2) Is the cable properly connected between computer and deskset?\n"
    "3) Is the deskset in the configuration mode? If not, simultaneously press \n"
    "and hold the Main Transmit, Speaker and * buttons until the Busy and \n"
    "Transmit LEDs blink, then release. The display should briefly show \n"
    "\"entering configuration mode\".\n\n"
    "Do you want TRV to automatically retry to connect with the deskset?";

// Each connection attempt: port name, its device, attempt, attempts of a series.
inline constexpr const char* kConnectingAttempt = "Connecting to the deskset on %1 (%2), attempt %3 of %4.";

// Port targets (trvctl --port, a COM port's mapping).
inline constexpr const char* kUnknownPort =
    "Unknown port '%1': use COM1 to COM4, a device path or tcp://HOST:PORT.";
inline constexpr const char* kUnknownMapping = "Not a device: '%1' (use a device path or tcp://HOST:PORT).";
inline constexpr const char* kNotADevice = "Not a device: '%1' is a file, not a character device.";
inline constexpr const char* kBadTcpAddress = "Not a device server address: '%1' (use tcp://HOST:PORT).";

// Details of kUnableToConnect: the port, its device and why the device could not be opened.
inline constexpr const char* kPortIsDevice = "%1 is the device %2.";
inline constexpr const char* kPortMissing =
    "The device %1 does not exist. Plug the adapter in, or map the COM port to the right device "
    "in Options > COM Port.";
inline constexpr const char* kPortNoPermissionGroup =
    "You have no permission to open %1: add your user to the %2 group and log in again.";
inline constexpr const char* kPortNoPermission = "You have no permission to open %1.";
inline constexpr const char* kPortBusyBy = "%1 is in use by %2.";
inline constexpr const char* kPortBusy = "%1 is in use by another program.";
inline constexpr const char* kPortHolder = "%1 (process %2)";
inline constexpr const char* kPortOtherError = "%1 cannot be opened: %2.";

// Status bar.
inline constexpr const char* kIdlePrompt = "For Help, press F1";
inline constexpr const char* kLinkEstablished = "Communication established with deskset.";
inline constexpr const char* kLinkLost = "Communication with deskset has been lost.";

// Progress window.
inline constexpr const char* kDownloading = "Downloading data...";
inline constexpr const char* kUploading = "Uploading data...";
inline constexpr const char* kCompleted = "(Completed)";
inline constexpr const char* kIncomplete = "(Error! Transfer was incomplete)";
inline constexpr const char* kDisconnected = "ERROR : Disconnected with the Deskset";
inline constexpr const char* kCommunicationError = "Communication error with deskset";
// The session's own idle time-out (trvctl): %1 is the limit in seconds.
inline constexpr const char* kNoAnswer = "No answer from the deskset for %1 s.";

// Commands refused while editor windows are open (the shell checks this before starting).
inline constexpr const char* kCloseWindowsBeforeDownload = "You must close all windows before downloading.";
inline constexpr const char* kCloseWindowsBeforeUpload = "You must close all windows before uploading.";

// Name given to a downloaded database.
inline constexpr const char* kDownloadName = "download.ddb";

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
