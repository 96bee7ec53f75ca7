// User-visible texts of the application shell, in one place.
#pragma once

namespace trv::app::text {

// Document template: no window title, document name, new document name, filter, extension,
// registered file type and its display name.
inline constexpr const char* kDocTemplate = "\nTRV\nNew\nTRV Files (*.ddb)\n.ddb\nTRV.Database\nTRV Database";

// Caption: title + "  - [" + name + "]".
inline constexpr const char* kCaptionOpen = "  - [";
inline constexpr const char* kCaptionClose = "]";

// Close database request and the refusals while editor windows are open.
inline constexpr const char* kSavePrompt = "Save changes to %1?";
inline constexpr const char* kCloseQuestion = "This action will close the current database. OK to continue?";
inline constexpr const char* kCloseWindowsToSave = "You must close all windows before saving.";
// (The refusals of Download and Upload, the idle prompt and the link texts are the transfer
// module's: transfer/TransferTexts.h.)

// File > Import Table... and Export Table...
inline constexpr const char* kImportTableCaption = "Import Table";
inline constexpr const char* kExportTableCaption = "Export Table";
inline constexpr const char* kTableChoiceLabel = "&Table:";
inline constexpr const char* kTableFilter = "CSV files (*.csv);;All files (*)";
inline constexpr const char* kTableNotImported = "%1\n\nNothing was changed.";
inline constexpr const char* kTableImportWarnings = "The table was imported. The database check warns:\n\n%1";
inline constexpr const char* kTableFileNotRead = "The file %1 cannot be read: %2";
inline constexpr const char* kTableFileNotWritten = "The file %1 cannot be written: %2";

// Status bar.
inline constexpr const char* kIndicatorCaps = "CAP";
inline constexpr const char* kIndicatorNum = "NUM";
inline constexpr const char* kIndicatorScroll = "SCRL";

// Menus.
inline constexpr const char* kMenuFile = "&File";
inline constexpr const char* kMenuOptions = "&Options";
inline constexpr const char* kMenuView = "&View";
inline constexpr const char* kMenuWindow = "&Window";
inline constexpr const char* kMenuHelp = "&Help";
inline constexpr const char* kRecentFilePlaceholder = "Recent File";
inline constexpr const char* kRecentFilePrompt = "Open this database";
inline constexpr const char* kToolbarTitle = "Standard";

// Configuration tree: the folder of the paging windows (the editor windows' items are the
// editors' catalogue's, editors/EditorCatalog.h).
inline constexpr const char* kTreeWindowName = "Docking Tree Window";
inline constexpr const char* kTreePaging = "Paging";

// File > Print, Print Preview and Export as PDF: the configuration sheet.
inline constexpr const char* kPdfFilter = "PDF Files (*.pdf)";
inline constexpr const char* kExportPdfCaption = "Export as PDF";
inline constexpr const char* kSheetNotPrinted = "The configuration sheet could not be printed.";

// Serial port dialog.
inline constexpr const char* kComPortCaption = "COM Port";
inline constexpr const char* kComPortLabel = "&Select the serial port that is\nconnected to your equipment";
inline constexpr const char* kComPortClose = "Close";
inline constexpr const char* kComPortRequired = "You must select a COM port to continue.";
// The devices behind the ports, and the mapping of the chosen port to an adapter.
inline constexpr const char* kComPortDevices = "Devices";
inline constexpr const char* kComPortColumnPort = "Port";
inline constexpr const char* kComPortColumnDevice = "Device";
inline constexpr const char* kComPortColumnAdapter = "Adapter";
inline constexpr const char* kComPortNoAdapter = "No adapter";
inline constexpr const char* kComPortSerialNumber = ", serial number %1";
inline constexpr const char* kComPortFromEnvironment = "%1 (set by $TRV_%2)";
inline constexpr const char* kComPortDeviceFor = "&Device for %1:";
inline constexpr const char* kComPortDevice = "&Device:"; // no port chosen
inline constexpr const char* kComPortBuiltIn = "Built-in port (%1)";
inline constexpr const char* kComPortAbsent = "%1 (not present)";

// Status bar while connecting: after the attempt's text (transfer::connectingText).
inline constexpr const char* kPressEscToStop = " Press Esc to stop.";
inline constexpr const char* kNoPortChosen = "no port chosen";

// About box.
inline constexpr const char* kAboutCaption = "About TRV";
inline constexpr const char* kAboutProgram = "TRV deskset configuration tool";
inline constexpr const char* kAboutVersion = "Version R01.02.00";
inline constexpr const char* kAboutOk = "OK";

// Command line (trv --help).
inline constexpr const char* kProgramName = "trv";
inline constexpr const char* kCommandLineDescription = // %1: the application title
    "%1: create, edit, save and open deskset databases (.ddb files), and download them from\n"
    "and upload them to a deskset over a serial cable.";
inline constexpr const char* kFileArgument = "FILE";
inline constexpr const char* kFileArgumentHelp = "the .ddb database to open at start (default: none)";
inline constexpr const char* kHelpOptionHelp = "Print this help and exit.";
inline constexpr const char* kVersionOptionHelp = "Print the version and exit.";
inline constexpr const char* kCommandLineFooter =
    "\nQt's own options (-platform, -style, -display and the others) are accepted as well.\n"
    "Exit status: 0 the program ended normally, 1 the database named could not be opened,\n"
    "2 wrong usage.\n";
inline constexpr const char* kUsageError = "trv: %1\nRun 'trv --help' for the options.";
inline constexpr const char* kTooManyFiles = "only one database can be opened at a time; %1 were named.";

// Splash window.
inline constexpr const char* kSplashSubtitle = "Deskset configuration";

// Keyboard shortcut dialogs.
inline constexpr const char* kShortcutKeysCaption = "Shortcut Keys";
inline constexpr const char* kAssignShortcutCaption = "Assign Shortcut";
inline constexpr const char* kShortcutCommand = "Command";
inline constexpr const char* kShortcutKeys = "Keys";
inline constexpr const char* kShortcutAssign = "&Assign...";
inline constexpr const char* kShortcutRemove = "&Remove";
inline constexpr const char* kShortcutResetAll = "Reset A&ll"; // Alt+A is "&Assign..."
inline constexpr const char* kAssignPrompt = "Press the new shortcut key for:";
inline constexpr const char* kAssignInUse = "The key %1 is assigned to \"%2\". Assign it to \"%3\" instead?";

// Check Database window and the upload's check.
inline constexpr const char* kCheckCaption = "Check Database";
inline constexpr const char* kCheckSeverity = "Severity";
inline constexpr const char* kCheckArea = "Area";
inline constexpr const char* kCheckField = "Field";
inline constexpr const char* kCheckProblem = "Problem";
inline constexpr const char* kCheckHint = "Press Enter or double-click a problem to open its window.";
inline constexpr const char* kCheckClose = "Close";
inline constexpr const char* kUploadWithErrors = "The database has %1.\nUpload it anyway?";

// File > Fleet...: the Fleet window over a site list's desksets.
inline constexpr const char* kFleetCaption = "Fleet";
inline constexpr const char* kFleetListLabel = "Site &list:";
inline constexpr const char* kFleetNoList = "(no site list open)";
inline constexpr const char* kFleetOpenList = "&Open...";
inline constexpr const char* kFleetBackupLabel = "Backup &folder:";
inline constexpr const char* kFleetChooseFolder = "&Choose...";
inline constexpr const char* kFleetBackUpAll = "&Back Up All";
inline constexpr const char* kFleetUpload = "&Upload...";
inline constexpr const char* kFleetStatus = "&Status";
inline constexpr const char* kFleetStop = "S&top";
inline constexpr const char* kFleetClose = "Close";
inline constexpr const char* kFleetHint = "Select rows to limit a run to those desksets.";
inline constexpr const char* kFleetColumnName = "Name";
inline constexpr const char* kFleetColumnPort = "Port";
inline constexpr const char* kFleetColumnState = "State";
inline constexpr const char* kFleetColumnProgress = "Progress";
inline constexpr const char* kFleetColumnResult = "Last result";
inline constexpr const char* kFleetColumnTime = "Time";
inline constexpr const char* kFleetPortDevice = "%1 (%2)"; // COM1 (/dev/ttyUSB0)
inline constexpr const char* kFleetAttempt = "attempt %1";
inline constexpr const char* kFleetListFilter = "Site lists (*.csv);;All files (*)";
inline constexpr const char* kFleetListRefused = "The site list %1 cannot be used:\n\n%2";
inline constexpr const char* kFleetSites = "%1 desksets in %2"; // the list's line above the table
inline constexpr const char* kFleetRunActive = "A fleet run is active. Wait for it to end or stop it first.";
inline constexpr const char* kFleetMainTransfer = "A download or upload is running in the main window.";
inline constexpr const char* kFleetOpenDatabaseQuestion =
    "Send the open database %1 to every deskset of the run?\n\n"
    "Yes sends the open database, copied once now; No sends each site's own database from the list.";
inline constexpr const char* kFleetUploadRefused = "Nothing was sent:\n\n%1";
inline constexpr const char* kFleetOwnDatabasesWithErrors =
    "The sites' databases have errors (Show Details lists them).\nUpload them anyway?";
inline constexpr const char* kFleetChooseFolderCaption = "Backup folder of the Fleet window";
inline constexpr const char* kFleetLogNotWritten =
    "The run's log %1 cannot be written: %2\n\nNothing was started.";
inline constexpr const char* kFleetRunning = "%1: %2 of %3 desksets ended"; // operation, counts
inline constexpr const char* kFleetStopping =
    "Stopping: nothing new starts; uploads sending blocks are let finish. Press Stop again to stop them too.";
inline constexpr const char* kFleetStoppingAll = "Stopping every deskset, uploads too.";
inline constexpr const char* kFleetLogSaved = "%1 (log: %2)"; // summary, log file
inline constexpr const char* kFleetCloseQuestion =
    "A fleet run is active. Stop it?\n\nUploads that are sending blocks are let finish; the window closes "
    "when the run has ended.";

// Help window.
inline constexpr const char* kHelpCaption = "TRV Help";
inline constexpr const char* kHelpFileName = "Trv.HLP";
inline constexpr const char* kHelpContentsLink = "&Contents";

// Transfer progress window.
inline constexpr const char* kProgressOk = "Ok";
inline constexpr const char* kProgressCancel = "Cancel";

// Safe uploads and the communication log (the shared texts are in transfer/SafeUpload.h).
inline constexpr const char* kBackupFolder = "backups"; // in the settings folder
inline constexpr const char* kNoCommunicationLog = "There is no communication to save yet.";
inline constexpr const char* kLogNotSaved = "The communication log could not be saved: %1";
inline constexpr const char* kLogFilter = "Text files (*.txt);;All files (*)";
inline constexpr const char* kLogName = "communication-log.txt";

} // namespace trv::app::text
