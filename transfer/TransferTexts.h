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

// Commands refused while editor windows are open (the shell checks this before starting).
inline constexpr const char* kCloseWindowsBeforeDownload = "You must close all windows before downloading.";
inline constexpr const char* kCloseWindowsBeforeUpload = "You must close all windows before uploading.";

// Name given to a downloaded database.
inline constexpr const char* kDownloadName = "download.ddb";

} // namespace trv::transfer::text
