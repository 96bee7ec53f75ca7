#include "app/Commands.h"

#include <QStringList>

#include <algorithm>

namespace trv::app {
namespace {

constexpr QKeyCombination kNoKey{};

const CommandInfo kCommands[] = {
    {cmd::kNewDatabase, "&New Database", "Create a new database\nNew database", Qt::CTRL | Qt::Key_N},
    {cmd::kOpen, "&Open Database...", "Open an existing database\nOpen database", Qt::CTRL | Qt::Key_O},
    {cmd::kCloseDatabase, "&Close Database", "Closes the current database\nClose the database", kNoKey},
    {cmd::kSave, "&Save Database", "Save the database\nSave database", Qt::CTRL | Qt::Key_S},
    {cmd::kSaveAs, "Save Database &As...", "Save the database under a new name\nSave database as", kNoKey},
    {cmd::kDownload, "&Download Database", "Download the database from the deskset\nDownload database",
     kNoKey},
    {cmd::kUpload, "&Upload Database", "Upload the database to the deskset\nUpload database", kNoKey},
    {cmd::kCheckDatabase, "Chec&k Database",
     "List the problems of the database: values no editor writes and broken references\nCheck database",
     kNoKey},
    {cmd::kFleet, "F&leet...", "Back up, upload or check every deskset of a site list at once\nFleet",
     kNoKey},
    {cmd::kImportTable, "&Import Table...",
     "Replace the PTT ID aliases, speed pages or custom paging tones with the rows of a CSV file\nImport "
     "table",
     kNoKey},
    {cmd::kExportTable, "Export &Table...",
     "Write the PTT ID aliases, speed pages or custom paging tones to a CSV file\nExport table", kNoKey},
    {cmd::kPrint, "&Print...", "Print the configuration sheet of the database\nPrint", Qt::CTRL | Qt::Key_P},
    {cmd::kPrintPreview, "Print Pre&view...",
     "Show the pages of the configuration sheet as they print\nPrint preview", kNoKey},
    {cmd::kExportPdf, "&Export as PDF...",
     "Write the configuration sheet of the database to a PDF file\nExport as PDF", kNoKey},
    {cmd::kExit, "E&xit", "Quit the application; prompts to save the database\nExit", kNoKey},
    {cmd::kComPort, "&COM Port...", "Select the serial port that is connected to the deskset\nCOM port",
     kNoKey},
    {cmd::kShortcuts, "&Shortcuts...", "Change the keyboard shortcuts\nShortcuts", kNoKey},
    {cmd::kBackupBeforeUpload, "&Backup Before Upload",
     "Save the deskset's database to a time-stamped file before each upload\nBackup before upload", kNoKey},
    {cmd::kVerifyAfterUpload, "&Verify After Upload",
     "Read the database back after each upload and compare it byte for byte\nVerify after upload", kNoKey},
    {cmd::kSaveCommunicationLog, "Save communication log...",
     "Save every frame of the last download or upload to a text file\nSave communication log", kNoKey},
    {cmd::kViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle toolbar", kNoKey},
    {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle status bar", kNoKey},
    {cmd::kViewConfigTree, "&Configuration Tree", "Move to the configuration tree\nConfiguration tree",
     kNoKey},
    {cmd::kViewDeskset, "&Deskset Configuration", "Open the deskset configuration\nDeskset configuration",
     kNoKey},
    {cmd::kViewChannel1, "Channel &1", "Open the configuration of channel 1\nChannel 1", kNoKey},
    {cmd::kViewChannel2, "Channel &2", "Open the configuration of channel 2\nChannel 2", kNoKey},
    {cmd::kViewChannel3, "Channel &3", "Open the configuration of channel 3\nChannel 3", kNoKey},
    {cmd::kViewChannel4, "Channel &4", "Open the configuration of channel 4\nChannel 4", kNoKey},
    {cmd::kViewButtons, "&Buttons Configuration", "Open the buttons configuration\nButtons configuration",
     kNoKey},
    {cmd::kViewPagingFormats, "Paging &Formats", "Open the paging formats\nPaging formats", kNoKey},
    {cmd::kViewSpeedPaging, "Sp&eed Paging", "Open the speed pages\nSpeed paging", kNoKey},
    {cmd::kViewCustomTones, "C&ustom Paging Tones", "Open the custom paging tones\nCustom paging tones",
     kNoKey},
    {cmd::kViewPttAliases, "PTT &ID Aliases", "Open the PTT ID aliases\nPTT ID aliases", kNoKey},
    {cmd::kCascade, "&Cascade", "Arrange the windows so they overlap\nCascade windows", kNoKey},
    {cmd::kHelpTopics, "&Help Topics", "List the help topics\nHelp topics", kNoKey},
    {cmd::kAbout, "&About TRV...", "Display program information and version number\nAbout", kNoKey},
    {cmd::kHelp, "Help", "Display help for the current task or command\nHelp", Qt::Key_F1},
    {cmd::kContextHelp, "Help on Item", "Display help for clicked on buttons, menus and windows\nHelp",
     Qt::SHIFT | Qt::Key_F1},
};

QString promptPart(const CommandInfo& info, int part)
{
    const QStringList parts = QString::fromLatin1(info.prompt).split(QLatin1Char('\n'));
    return part < parts.size() ? parts[part] : QString();
}

} // namespace

std::span<const CommandInfo> commandTable()
{
    return kCommands;
}

const CommandInfo* findCommand(int id)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& info) { return info.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

QString promptStatusText(const CommandInfo& info)
{
    return promptPart(info, 0);
}

QString promptToolTip(const CommandInfo& info)
{
    return promptPart(info, 1);
}

} // namespace trv::app
