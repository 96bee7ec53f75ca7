// User-visible texts of the application shell, in one place.
#pragma once

#include <QLatin1StringView>

namespace trv::app::text {

using namespace Qt::StringLiterals;

// Document template: no window title, document name, new document name, filter, extension,
// registered file type and its display name.
inline constexpr QLatin1StringView kDocTemplate =
    "\nTRV\nNew\nTRV Files (*.ddb)\n.ddb\nTRV.Database\nTRV Database"_L1;

// Caption: title + "  - [" + name + "]".
inline constexpr QLatin1StringView kCaptionOpen = "  - ["_L1;
inline constexpr QLatin1StringView kCaptionClose = "]"_L1;

// Close database request and the refusals while editor windows are open.
inline constexpr QLatin1StringView kSavePrompt = "Save changes to %1?"_L1;
inline constexpr QLatin1StringView kCloseQuestion =
    "This action will close the current database. OK to continue?"_L1;
inline constexpr QLatin1StringView kCloseWindowsToSave = "You must close all windows before saving."_L1;
// (The refusals of Download and Upload, the idle prompt and the link texts are the transfer
// module's: transfer/TransferTexts.h.)

// File > Import Table... and Export Table...
inline constexpr QLatin1StringView kImportTableCaption = "Import Table"_L1;
inline constexpr QLatin1StringView kExportTableCaption = "Export Table"_L1;
inline constexpr QLatin1StringView kTableChoiceLabel = "&Table:"_L1;
inline constexpr QLatin1StringView kTableFilter = "CSV files (*.csv);;All files (*)"_L1;
inline constexpr QLatin1StringView kTableNotImported = "%1\n\nNothing was changed."_L1;
inline constexpr QLatin1StringView kTableImportWarnings =
    "The table was imported. The database check warns:\n\n%1"_L1;
inline constexpr QLatin1StringView kTableFileNotRead = "The file %1 cannot be read: %2"_L1;
inline constexpr QLatin1StringView kTableFileNotWritten = "The file %1 cannot be written: %2"_L1;

// Status bar.
inline constexpr QLatin1StringView kIndicatorCaps = "CAP"_L1;
inline constexpr QLatin1StringView kIndicatorNum = "NUM"_L1;
inline constexpr QLatin1StringView kIndicatorScroll = "SCRL"_L1;

// Menus.
inline constexpr QLatin1StringView kMenuFile = "&File"_L1;
inline constexpr QLatin1StringView kMenuOptions = "&Options"_L1;
inline constexpr QLatin1StringView kMenuView = "&View"_L1;
inline constexpr QLatin1StringView kMenuWindow = "&Window"_L1;
inline constexpr QLatin1StringView kMenuHelp = "&Help"_L1;
inline constexpr QLatin1StringView kRecentFilePlaceholder = "Recent File"_L1;
inline constexpr QLatin1StringView kRecentFilePrompt = "Open this database"_L1;
inline constexpr QLatin1StringView kToolbarTitle = "Standard"_L1;

// Configuration tree: the folder of the paging windows (the editor windows' items are the
// editors' catalogue's, editors/EditorCatalog.h).
inline constexpr QLatin1StringView kTreeWindowName = "Docking Tree Window"_L1;
inline constexpr QLatin1StringView kTreePaging = "Paging"_L1;

// File > Print, Print Preview and Export as PDF: the configuration sheet.
inline constexpr QLatin1StringView kPdfFilter = "PDF Files (*.pdf)"_L1;
inline constexpr QLatin1StringView kExportPdfCaption = "Export as PDF"_L1;
inline constexpr QLatin1StringView kSheetNotPrinted = "The configuration sheet could not be printed."_L1;

// Serial port dialog.
inline constexpr QLatin1StringView kComPortCaption = "COM Port"_L1;
inline constexpr QLatin1StringView kComPortLabel =
    "&Select the serial port that is\nconnected to your equipment"_L1;
inline constexpr QLatin1StringView kComPortClose = "Close"_L1;
inline constexpr QLatin1StringView kComPortRequired = "You must select a COM port to continue."_L1;
// The devices behind the ports, and the mapping of the chosen port to an adapter.
inline constexpr QLatin1StringView kComPortDevices = "Devices"_L1;
inline constexpr QLatin1StringView kComPortColumnPort = "Port"_L1;
inline constexpr QLatin1StringView kComPortColumnDevice = "Device"_L1;
inline constexpr QLatin1StringView kComPortColumnAdapter = "Adapter"_L1;
inline constexpr QLatin1StringView kComPortNoAdapter = "No adapter"_L1;
inline constexpr QLatin1StringView kComPortSerialNumber = ", serial number %1"_L1;
inline constexpr QLatin1StringView kComPortFromEnvironment = "%1 (set by $TRV_%2)"_L1;
inline constexpr QLatin1StringView kComPortDeviceFor = "&Device for %1:"_L1;
inline constexpr QLatin1StringView kComPortDevice = "&Device:"_L1; // no port chosen
inline constexpr QLatin1StringView kComPortBuiltIn = "Built-in port (%1)"_L1;
inline constexpr QLatin1StringView kComPortAbsent = "%1 (not present)"_L1;

// Status bar while connecting: after the attempt's text (transfer::connectingText).
inline constexpr QLatin1StringView kPressEscToStop = " Press Esc to stop."_L1;
inline constexpr QLatin1StringView kNoPortChosen = "no port chosen"_L1;

// About box.
inline constexpr QLatin1StringView kAboutCaption = "About TRV"_L1;
inline constexpr QLatin1StringView kAboutProgram = "TRV deskset configuration tool"_L1;
inline constexpr QLatin1StringView kAboutVersion = "Version R01.02.00"_L1;
inline constexpr QLatin1StringView kAboutOk = "OK"_L1;

// Command line (trv --help).
inline constexpr QLatin1StringView kProgramName = "trv"_L1;
inline constexpr QLatin1StringView kCommandLineDescription = // %1: the application title
    "%1: create, edit, save and open deskset databases (.ddb files), and download them from\n"
    "and upload them to a deskset over a serial cable."_L1;
inline constexpr QLatin1StringView kFileArgument = "FILE"_L1;
inline constexpr QLatin1StringView kFileArgumentHelp =
    "the .ddb database to open at start (default: none)"_L1;
inline constexpr QLatin1StringView kHelpOptionHelp = "Print this help and exit."_L1;
inline constexpr QLatin1StringView kVersionOptionHelp = "Print the version and exit."_L1;
inline constexpr QLatin1StringView kCommandLineFooter =
    "\nQt's own options (-platform, -style, -display and the others) are accepted as well.\n"
    "Exit status: 0 the program ended normally, 1 the database named could not be opened,\n"
    "2 wrong usage.\n"_L1;
inline constexpr QLatin1StringView kUsageError = "trv: %1\nRun 'trv --help' for the options."_L1;
inline constexpr QLatin1StringView kTooManyFiles =
    "only one database can be opened at a time; %1 were named."_L1;

// Splash window.
inline constexpr QLatin1StringView kSplashSubtitle = "Deskset configuration"_L1;

// Keyboard shortcut dialogs.
inline constexpr QLatin1StringView kShortcutKeysCaption = "Shortcut Keys"_L1;
inline constexpr QLatin1StringView kAssignShortcutCaption = "Assign Shortcut"_L1;
inline constexpr QLatin1StringView kShortcutCommand = "Command"_L1;
inline constexpr QLatin1StringView kShortcutKeys = "Keys"_L1;
inline constexpr QLatin1StringView kShortcutAssign = "&Assign..."_L1;
inline constexpr QLatin1StringView kShortcutRemove = "&Remove"_L1;
inline constexpr QLatin1StringView kShortcutResetAll = "Reset A&ll"_L1; // Alt+A is "&Assign..."
inline constexpr QLatin1StringView kAssignPrompt = "Press the new shortcut key for:"_L1;
inline constexpr QLatin1StringView kAssignInUse =
    "The key %1 is assigned to \"%2\". Assign it to \"%3\" instead?"_L1;

// Check Database window and the upload's check.
inline constexpr QLatin1StringView kCheckCaption = "Check Database"_L1;
inline constexpr QLatin1StringView kCheckSeverity = "Severity"_L1;
inline constexpr QLatin1StringView kCheckArea = "Area"_L1;
inline constexpr QLatin1StringView kCheckField = "Field"_L1;
inline constexpr QLatin1StringView kCheckProblem = "Problem"_L1;
inline constexpr QLatin1StringView kCheckHint =
    "Press Enter or double-click a problem to open its window."_L1;
inline constexpr QLatin1StringView kCheckClose = "Close"_L1;
inline constexpr QLatin1StringView kUploadWithErrors = "The database has %1.\nUpload it anyway?"_L1;

// File > Fleet...: the Fleet window over a site list's desksets.
inline constexpr QLatin1StringView kFleetCaption = "Fleet"_L1;
inline constexpr QLatin1StringView kFleetListLabel = "Site &list:"_L1;
inline constexpr QLatin1StringView kFleetNoList = "(no site list open)"_L1;
inline constexpr QLatin1StringView kFleetOpenList = "&Open..."_L1;
inline constexpr QLatin1StringView kFleetBackupLabel = "Backup &folder:"_L1;
inline constexpr QLatin1StringView kFleetChooseFolder = "&Choose..."_L1;
inline constexpr QLatin1StringView kFleetBackUpAll = "&Back Up All"_L1;
inline constexpr QLatin1StringView kFleetUpload = "&Upload..."_L1;
inline constexpr QLatin1StringView kFleetStatus = "&Status"_L1;
inline constexpr QLatin1StringView kFleetStop = "S&top"_L1;
inline constexpr QLatin1StringView kFleetClose = "Close"_L1;
inline constexpr QLatin1StringView kFleetHint = "Select rows to limit a run to those desksets."_L1;
inline constexpr QLatin1StringView kFleetColumnName = "Name"_L1;
inline constexpr QLatin1StringView kFleetColumnPort = "Port"_L1;
inline constexpr QLatin1StringView kFleetColumnState = "State"_L1;
inline constexpr QLatin1StringView kFleetColumnProgress = "Progress"_L1;
inline constexpr QLatin1StringView kFleetColumnResult = "Last result"_L1;
inline constexpr QLatin1StringView kFleetColumnTime = "Time"_L1;
inline constexpr QLatin1StringView kFleetPortDevice = "%1 (%2)"_L1; // COM1 (/dev/ttyUSB0)
inline constexpr QLatin1StringView kFleetAttempt = "attempt %1"_L1;
inline constexpr QLatin1StringView kFleetListFilter = "Site lists (*.csv);;All files (*)"_L1;
inline constexpr QLatin1StringView kFleetListRefused = "The site list %1 cannot be used:\n\n%2"_L1;
inline constexpr QLatin1StringView kFleetSites = "%1 desksets in %2"_L1; // the list's line above the table
inline constexpr QLatin1StringView kFleetRunActive =
    "A fleet run is active. Wait for it to end or stop it first."_L1;
inline constexpr QLatin1StringView kFleetMainTransfer =
    "A download or upload is running in the main window."_L1;
inline constexpr QLatin1StringView kFleetOpenDatabaseQuestion =
    "Send the open database %1 to every deskset of the run?\n\n"
    "Yes sends the open database, copied once now; No sends each site's own database from the list."_L1;
inline constexpr QLatin1StringView kFleetUploadRefused = "Nothing was sent:\n\n%1"_L1;
inline constexpr QLatin1StringView kFleetOwnDatabasesWithErrors =
    "The sites' databases have errors (Show Details lists them).\nUpload them anyway?"_L1;
inline constexpr QLatin1StringView kFleetChooseFolderCaption = "Backup folder of the Fleet window"_L1;
inline constexpr QLatin1StringView kFleetLogNotWritten =
    "The run's log %1 cannot be written: %2\n\nNothing was started."_L1;
inline constexpr QLatin1StringView kFleetRunning = "%1: %2 of %3 desksets ended"_L1; // operation, counts
inline constexpr QLatin1StringView kFleetStopping =
    "Stopping: nothing new starts; uploads sending blocks are let finish. Press Stop again to stop them too."_L1;
inline constexpr QLatin1StringView kFleetStoppingAll = "Stopping every deskset, uploads too."_L1;
inline constexpr QLatin1StringView kFleetLogSaved = "%1 (log: %2)"_L1; // summary, log file
inline constexpr QLatin1StringView kFleetCloseQuestion =
    "A fleet run is active. Stop it?\n\nUploads that are sending blocks are let finish; the window closes "
    "when the run has ended."_L1;

// Help window.
inline constexpr QLatin1StringView kHelpCaption = "TRV Help"_L1;
inline constexpr QLatin1StringView kHelpFileName = "Trv.HLP"_L1;
inline constexpr QLatin1StringView kHelpContentsLink = "&Contents"_L1;

// Transfer progress window.
inline constexpr QLatin1StringView kProgressOk = "Ok"_L1;
inline constexpr QLatin1StringView kProgressCancel = "Cancel"_L1;

// Safe uploads and the communication log (the shared texts are in transfer/SafeUpload.h).
inline constexpr QLatin1StringView kBackupFolder = "backups"_L1; // in the settings folder
inline constexpr QLatin1StringView kNoCommunicationLog = "There is no communication to save yet."_L1;
inline constexpr QLatin1StringView kLogNotSaved = "The communication log could not be saved: %1"_L1;
inline constexpr QLatin1StringView kLogFilter = "Text files (*.txt);;All files (*)"_L1;
inline constexpr QLatin1StringView kLogName = "communication-log.txt"_L1;

} // namespace trv::app::text
