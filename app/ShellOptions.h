// What a start of the shell can be given from outside: timer periods and the services that
// tests replace (file dialogs, keyboard lock states).
#pragma once

#include "app/CSplashWnd.h"
#include "app/KeyboardLocks.h"
#include "interchange/TableCsv.h"
#include "transfer/TransferSession.h"

#include <QString>

#include <functional>

class QPrinter;
class QPrintPreviewDialog;
#include <optional>

namespace trv::app {

struct ShellOptions {
    int splashMs = CSplashWnd::kDefaultPeriodMs;
    int lockPollMs = KeyboardLocks::kDefaultPollMs;
    LockSource lockSource = readKeyboardLeds;
    // Connect retry, upload progress and watchdog periods; unset: the session's own.
    std::optional<transfer::TransferSession::Periods> transferPeriods;

    // File dialogs; an empty result means the user cancelled. Unset: the standard dialogs.
    std::function<QString()> chooseOpenPath;
    std::function<QString(const QString& proposedPath)> chooseSavePath;
    // The file for Help > "Save communication log..."; empty: cancelled. Unset: the standard dialog.
    std::function<QString()> chooseLogPath;
    // File > Import Table / Export Table: the table (nullopt: cancelled), then the CSV file to read
    // or write (empty: cancelled; an export proposes a path). Unset: a list dialog, then the
    // standard file dialogs.
    std::function<std::optional<interchange::CsvTableKind>(bool import)> chooseTable;
    std::function<QString(bool import, const QString& proposedPath)> chooseTablePath;

    // The Fleet window: the site list to open (offered the folder of the last one) and the backup
    // folder (offered the current one); empty: cancelled. Unset: the standard dialogs.
    std::function<QString(const QString& folder)> chooseSiteList;
    std::function<QString(const QString& current)> chooseBackupFolder;

    // File > Print: answers the print dialog for the printer it was given (true: Print, false:
    // Cancel). Unset: the standard print dialog.
    std::function<bool(QPrinter& printer)> answerPrintDialog;
    // File > Print Preview: shows the preview dialog and returns when it is closed. Unset: exec().
    std::function<void(QPrintPreviewDialog& preview)> runPrintPreview;
    // File > Export as PDF: the file to write; empty: cancelled. Unset: the standard dialog.
    std::function<QString(const QString& proposedPath)> choosePdfPath;
};

} // namespace trv::app
