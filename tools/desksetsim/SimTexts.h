// Every text desksetsim prints, in one place.
#pragma once

namespace desksetsim::texts {

inline constexpr const char* kDescription =
    "A deskset at the far end of a serial cable: it runs the acknowledged frame link and answers\n"
    "the transfer messages of the configuration tool, so that downloads and uploads can be tried,\n"
    "tested and measured without hardware.";

inline constexpr const char* kFooter =
    "A completed, successful upload replaces the database the deskset holds, so a later\n"
    "download returns it.\n\n"
    "The deskset waits for the tool to call it (the tool's first heartbeat, 3 s after it opens\n"
    "the port). On a pseudo-terminal it sees the tool open the port and calls the tool at once\n"
    "instead, so the link is up within milliseconds.\n\n"
    "Stop with Ctrl+C (SIGINT) or SIGTERM.";

inline constexpr const char* kPortGroup = "Port (one of)";
inline constexpr const char* kDesksetGroup = "Deskset";
inline constexpr const char* kFaultsGroup =
    "Faults (P from 0 to 1; the link's CRC and retransmissions must recover)";
inline constexpr const char* kTimingGroup = "Timing and diagnostics";

inline constexpr const char* kPtyHelp =
    "create a new pseudo-terminal (the default); the first line printed is \"PTY <path>\": point "
    "the tool's COM port at that path (e.g. TRV_COM1=<path>)";
inline constexpr const char* kDeviceHelp =
    "use a real serial port, 8 data bits, no parity, one stop bit, opened exclusively; the first "
    "line printed is \"DEVICE <path>\"";
inline constexpr const char* kBaudHelp = "line rate of --device (default 19200)";
inline constexpr const char* kOnceHelp =
    "end when the first session ends (the tool closes the port or the link is lost) instead of "
    "waiting for the next one";
inline constexpr const char* kVersionTextHelp =
    "version text sent in answer to type 1 (default \"VXR DESKSET V001\"; at most 248 characters; "
    "any other length is sent as given)";
inline constexpr const char* kHwIdHelp =
    "hardware identity result sent in answer to type 2, 0 to 255 (default 0, the matching hardware)";
inline constexpr const char* kImageHelp =
    "the .ddb database the deskset holds and sends on a download (default: a new database)";
inline constexpr const char* kSaveUploadHelp = "write every completed upload to FILE";
inline constexpr const char* kFailUploadHelp =
    "answer a completed upload with type 6 (not completed) instead of 5";
inline constexpr const char* kStoreAlteredHelp =
    "store every completed upload with the byte at image OFFSET (0 to 16383, decimal or 0x "
    "hexadecimal) inverted, yet answer type 5: a deskset whose memory fails, for checking a tool's verify";
inline constexpr const char* kSilentHelp = "never answer the link (bytes from the tool are read and dropped)";
inline constexpr const char* kNoEndHelp = "send or take all blocks but no type 7 (download) or 5/6 (upload)";
inline constexpr const char* kStopAfterHelp = "go silent after N blocks of a download or an upload";
inline constexpr const char* kUnknownTypeHelp =
    "send a message of type T (0 to 255) right after the version reply";
inline constexpr const char* kCorruptHelp =
    "flip one bit of each byte sent with probability P, as a noisy line does";
inline constexpr const char* kCorruptFramesHelp =
    "flip one bit of one byte in each frame sent, with probability P";
inline constexpr const char* kDropHelp = "drop one byte of each frame sent, with probability P";
inline constexpr const char* kSeedHelp = "seed of the fault generator (default 1: runs repeat exactly)";
inline constexpr const char* kLineRateHelp =
    "pace both directions like a real 8N1 line of that rate: bytes leave no faster than one per "
    "10 bit times, and bytes from the tool reach the link no earlier than they could have arrived";
inline constexpr const char* kLogHelp =
    "write every frame in both directions to FILE: milliseconds since start, direction (TX = sent "
    "by the deskset, RX = received), bytes in hexadecimal, and what happened to the frame";
inline constexpr const char* kHelpHelp = "show this text";
inline constexpr const char* kVersionHelp = "print the version";
inline constexpr const char* kNotAProbability = "not a decimal number from 0 to 1";
inline constexpr const char* kEmptyValue = "must not be empty";

inline constexpr const char* kPtyLine = "PTY ";
inline constexpr const char* kDeviceLine = "DEVICE ";
inline constexpr const char* kProgram = "desksetsim: ";
inline constexpr const char* kVersionTooLong = "--version-text is longer than 248 characters";
inline constexpr const char* kSeeHelp = " (see --help)";
inline constexpr const char* kCannotOpenImage = "cannot use the image ";
inline constexpr const char* kCannotOpenDevice = "cannot open the serial port ";
inline constexpr const char* kCannotCreatePty = "cannot create a pseudo-terminal: ";
inline constexpr const char* kCannotOpenLog = "cannot open the log file ";
inline constexpr const char* kCannotSaveUpload = "cannot save the upload: ";
inline constexpr const char* kCannotConnect =
    "the link could not be started: "; // + "Layer1OpenFailed (-10003)"
inline constexpr const char* kDeviceFailed = "the serial port failed: ";

// Status lines on stderr.
inline constexpr const char* kLinkUp = "link up";
inline constexpr const char* kLinkDown = "link down";
inline constexpr const char* kPeerOpened = "the tool opened the port";
inline constexpr const char* kPeerClosed = "the tool closed the port";
inline constexpr const char* kPeerReopened = "the tool opened the port again";
inline constexpr const char* kUploadSaved = "upload saved to ";
inline constexpr const char* kUploadReceived = "upload received";
inline constexpr const char* kDownloadRequested = "download requested";

// Log notes.
inline constexpr const char* kLogStart = "desksetsim log: times in ms since start; TX = sent by the deskset";
inline constexpr const char* kNoteCrcError = "CRC error";
inline constexpr const char* kNoteBadLength = "length above 250";
inline constexpr const char* kNoteIncomplete = "incomplete, given up";
inline constexpr const char* kNoteSilentTx = "not sent: silent";
inline constexpr const char* kNoteSilentRx = "ignored: silent";

} // namespace desksetsim::texts
