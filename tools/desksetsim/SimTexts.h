// Every text desksetsim prints, in one place.
#pragma once

namespace desksetsim::texts {

inline constexpr const char* kUsage = R"(Usage: desksetsim [--pty | --device PATH] [options]

A deskset at the far end of a serial cable: it runs the acknowledged frame link and answers
the transfer messages of the configuration tool, so that downloads and uploads can be tried,
tested and measured without hardware.

Port (one of):
  --pty                 create a new pseudo-terminal (the default); the first line printed
                        is "PTY <path>": point the tool's COM port at that path
                        (e.g. TRV_COM1=<path>)
  --device PATH         use a real serial port, 8 data bits, no parity, one stop bit,
                        opened exclusively; the first line printed is "DEVICE <path>"
  --baud N              line rate of --device (default 19200)
  --once                end when the first session ends (the tool closes the port or
                        the link is lost) instead of waiting for the next one

Deskset:
  --version-text TEXT   version text sent in answer to type 1 (default "VXR DESKSET V001";
                        at most 248 characters; any other length is sent as given)
  --hw-id N             hardware identity result sent in answer to type 2, 0 to 255
                        (default 0, the matching hardware)
  --image FILE          the .ddb database the deskset holds and sends on a download
                        (default: a new database)
  --save-upload FILE    write every completed upload to FILE
  --fail-upload         answer a completed upload with type 6 (not completed) instead of 5
  --store-altered OFFSET  store every completed upload with the byte at image OFFSET
                        (0 to 16383, decimal or 0x hexadecimal) inverted, yet answer type 5:
                        a deskset whose memory fails, for checking a tool's verify

A completed, successful upload replaces the database the deskset holds, so a later
download returns it.

The deskset waits for the tool to call it (the tool's first heartbeat, 3 s after it opens
the port). On a pseudo-terminal it sees the tool open the port and calls the tool at once
instead, so the link is up within milliseconds.

Faults:
  --silent              never answer the link (bytes from the tool are read and dropped)
  --no-end              send or take all blocks but no type 7 (download) or 5/6 (upload)
  --stop-after N        go silent after N blocks of a download or an upload
  --unknown-type T      send a message of type T (0 to 255) right after the version reply
  --corrupt P           flip one bit of one byte in each frame sent, with probability P
  --drop P              drop one byte of each frame sent, with probability P
                        (P from 0 to 1; the link's CRC and retransmissions must recover)
  --seed N              seed of the fault generator (default 1: runs repeat exactly)

Timing and diagnostics:
  --line-rate BAUD      pace both directions like a real 8N1 line of that rate: bytes leave
                        no faster than one per 10 bit times, and bytes from the tool reach
                        the link no earlier than they could have arrived
  --log FILE            write every frame in both directions to FILE: milliseconds since
                        start, direction (TX = sent by the deskset, RX = received), bytes
                        in hexadecimal, and what happened to the frame
  --help                show this text
  --version             print the version

Stop with Ctrl+C (SIGINT) or SIGTERM.
)";

inline constexpr const char* kPtyLine = "PTY ";
inline constexpr const char* kDeviceLine = "DEVICE ";
inline constexpr const char* kProgram = "desksetsim: ";
inline constexpr const char* kUnknownOption = "unknown option ";
inline constexpr const char* kMissingValue = "missing value for ";
inline constexpr const char* kBadValue = "invalid value for ";
inline constexpr const char* kPortTwice = "--pty and --device cannot be used together";
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
