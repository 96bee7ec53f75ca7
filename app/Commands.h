// Command identifiers of the main window and the table that describes each command: its menu
// text, its status-bar prompt with the tool tip after the line break, and its default key.
#pragma once

#include <QKeySequence>

#include <span>

namespace trv::app {

namespace cmd {
inline constexpr int kComPort = 32771;
inline constexpr int kShortcuts = 32773;
inline constexpr int kDownload = 32777;
inline constexpr int kUpload = 32778;
inline constexpr int kNewDatabase = 32788;
inline constexpr int kCloseDatabase = 32791;
inline constexpr int kViewDeskset = 32800;
inline constexpr int kViewConfigTree = 32801;
inline constexpr int kViewChannel1 = 32802;
inline constexpr int kViewChannel2 = 32803;
inline constexpr int kViewChannel3 = 32804;
inline constexpr int kViewChannel4 = 32805;
inline constexpr int kViewSpeedPaging = 32806;
inline constexpr int kViewButtons = 32807;
inline constexpr int kViewPagingFormats = 32808;
inline constexpr int kViewCustomTones = 32809;
inline constexpr int kViewPttAliases = 32810;
inline constexpr int kBackupBeforeUpload = 32812; // Options: download a backup before each upload
inline constexpr int kVerifyAfterUpload = 32813;  // Options: read back and compare after each upload
inline constexpr int kSaveCommunicationLog = 32814;
inline constexpr int kCheckDatabase = 32820; // File: the Check Database window
inline constexpr int kFleet = 32821;         // File: the Fleet window over a site list's desksets
inline constexpr int kImportTable = 32830;   // File: replace a record table with the rows of a CSV file
inline constexpr int kExportTable = 32831;   // File: write a record table to a CSV file
inline constexpr int kExportPdf = 32815;     // File: the configuration sheet as a PDF file
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrint = 57607; // File: the configuration sheet on a printer
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFile1 = 57616; // up to 57619
inline constexpr int kRecentFileCount = 4;
inline constexpr int kCascade = 57650;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kContextHelp = 57669; // Shift+F1
inline constexpr int kHelp = 57670;        // F1
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// The editor commands the tree and the View menu post are the editors' catalogue's
// (editors/EditorCatalog.h).
} // namespace cmd

struct CommandInfo {
    int id;
    const char* menuText;
    const char* prompt; // status bar text, "\n", tool tip
    QKeyCombination defaultKey;
};

// Every command that has an action of its own (the recent-file entries are built from the list).
std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(int id);

// Status-bar part and tool-tip part of a prompt.
QString promptStatusText(const CommandInfo& info);
QString promptToolTip(const CommandInfo& info);

} // namespace trv::app
