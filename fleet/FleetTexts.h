// Every text of a fleet run: the site list's problems, the phases and results of each site, the
// reasons a site failed or stopped, and the run's summary. trvctl fleet and the Fleet window show
// the same words.
#pragma once

#include <QLatin1StringView>

namespace trv::fleet::text {

using namespace Qt::StringLiterals;

// Site lists. A problem of a row or of the header goes after interchange's kCsvAt place
// ("line 4, column 2: <problem>"); the column is the field's column in the spreadsheet, from 1.
inline constexpr QLatin1StringView kSiteListUnreadable = "Cannot read the site list %1: %2"_L1;
inline constexpr QLatin1StringView kSiteListEmpty = "the site list names no site"_L1;
inline constexpr QLatin1StringView kSiteListMissingColumn =
    "the header has no %1 column (the columns are name, port and, optionally, database)"_L1;
inline constexpr QLatin1StringView kSiteListUnknownColumn =
    "%1 is not a column of a site list (the columns are name, port and, optionally, database)"_L1;
inline constexpr QLatin1StringView kSiteListColumnTwice = "the header names the %1 column twice"_L1;
inline constexpr QLatin1StringView kSiteNameEmpty = "the name is empty: every site needs one"_L1;
inline constexpr QLatin1StringView kSiteNameTooLong = "%1 is longer than %2 characters"_L1;
inline constexpr QLatin1StringView kSiteNameBadCharacter =
    "%1 holds '%2': a name holds only A-Z a-z 0-9 . _ -"_L1;
inline constexpr QLatin1StringView kSiteNameLeadingDot = "%1 starts with '.'"_L1;
inline constexpr QLatin1StringView kSiteNameTwice = "%1 is also the name on line %2"_L1;
inline constexpr QLatin1StringView kSitePortEmpty =
    "the port is empty: use COM1 to COM4, a device path or tcp://HOST:PORT"_L1;
inline constexpr QLatin1StringView kSitePortTwice = "%1 reaches the same device as %2 on line %3 (%4)"_L1;

// Choosing sites of a list by name.
inline constexpr QLatin1StringView kSiteNotInList = "--only names no site \"%1\""_L1;

// ---- The run (FleetRun, SiteJob) ----

// Operations, as the JSON report and the log name them.
inline constexpr QLatin1StringView kOperationBackup = "backup"_L1;
inline constexpr QLatin1StringView kOperationUpload = "upload"_L1;
inline constexpr QLatin1StringView kOperationStatus = "status"_L1;

// A site's phase, as a table shows it.
inline constexpr QLatin1StringView kPhaseWaiting = "waiting"_L1;
inline constexpr QLatin1StringView kPhaseConnecting = "connecting"_L1;
inline constexpr QLatin1StringView kPhaseChecking = "checking"_L1;
inline constexpr QLatin1StringView kPhaseBackingUp = "backing up"_L1;
inline constexpr QLatin1StringView kPhaseUploading = "uploading"_L1;
inline constexpr QLatin1StringView kPhaseVerifying = "verifying"_L1;

// A site's result.
inline constexpr QLatin1StringView kResultOk = "ok"_L1;
inline constexpr QLatin1StringView kResultFailed = "failed"_L1;
inline constexpr QLatin1StringView kResultStopped = "stopped"_L1;

// Why a site ended as it did.
inline constexpr QLatin1StringView kBackedUp = "backed up"_L1;
inline constexpr QLatin1StringView kUploaded = "uploaded"_L1;
inline constexpr QLatin1StringView kUploadedAndVerified = "uploaded and verified"_L1;
inline constexpr QLatin1StringView kAnswered = "the deskset answered: version and hardware accepted"_L1;
inline constexpr QLatin1StringView kNoConnection = "no connection"_L1;
inline constexpr QLatin1StringView kAttemptsRanOut = "the deskset did not answer %1 attempts"_L1;
inline constexpr QLatin1StringView kTimedOut = "no result after %1 s (--timeout)"_L1;
inline constexpr QLatin1StringView kStopped = "stopped"_L1;
inline constexpr QLatin1StringView kStoppedBeforeStart = "stopped before it started"_L1;
inline constexpr QLatin1StringView kStoppedIncomplete =
    "stopped: the deskset may hold an incomplete database"_L1;
inline constexpr QLatin1StringView kStoppedBeforeVerify = "uploaded, not verified: stopped"_L1;
inline constexpr QLatin1StringView kMayBeIncomplete =
    "the deskset may hold an incomplete database: upload again before use"_L1;
inline constexpr QLatin1StringView kBackupFailed = "backup failed, nothing was uploaded: %1"_L1;
inline constexpr QLatin1StringView kBackupNotSaved = "backup not saved"_L1;
inline constexpr QLatin1StringView kVerifyDiffers = "verify failed: the deskset holds something else"_L1;
inline constexpr QLatin1StringView kVerifyUnread = "verify impossible: the deskset could not be read back"_L1;
inline constexpr QLatin1StringView kTraceNotWritten = "the trace file %1 cannot be written: %2"_L1;
inline constexpr QLatin1StringView kFolderNotMade = "the folder %1 cannot be made"_L1;

// Events a log records of a site.
inline constexpr QLatin1StringView kEventStarted = "%1 starts"_L1;
inline constexpr QLatin1StringView kEventRetry = "no answer to %1 attempts: retrying (%2 left)"_L1;
inline constexpr QLatin1StringView kEventLinkUp = "communication established"_L1;
inline constexpr QLatin1StringView kEventBackupSaved = "backup saved to %1"_L1;
inline constexpr QLatin1StringView kEventVerified =
    "verified: the deskset holds the uploaded database byte for byte"_L1;
inline constexpr QLatin1StringView kEventLetFinish =
    "stop asked: this upload is sending blocks and is let finish"_L1;

// The summary: "28 of 30 desksets backed up; failed: RADIO-3 (no connection), ...".
inline constexpr QLatin1StringView kSummaryBackup = "%1 of %2 %3 backed up"_L1;
inline constexpr QLatin1StringView kSummaryUpload = "%1 of %2 %3 uploaded"_L1;
inline constexpr QLatin1StringView kSummaryUploadVerified = "%1 of %2 %3 uploaded and verified"_L1;
inline constexpr QLatin1StringView kSummaryStatus = "%1 of %2 %3 answered"_L1;
inline constexpr QLatin1StringView kDesksets = "desksets"_L1;
inline constexpr QLatin1StringView kDeskset = "deskset"_L1;
inline constexpr QLatin1StringView kSummaryFailed = "; failed: %1"_L1;
inline constexpr QLatin1StringView kSummaryStopped = "; stopped: %1"_L1;
inline constexpr QLatin1StringView kSummaryEntry = "%1 (%2)"_L1;
inline constexpr QLatin1StringView kSummaryLetFinish =
    "; the uploads that were sending blocks when stopped were let finish"_L1;

// ---- Planning an upload (UploadPlan) ----
inline constexpr QLatin1StringView kSiteHasNoDatabase =
    "%1 (line %2) has no database: give one FILE for every site, or fill the database column"_L1;
inline constexpr QLatin1StringView kDatabaseHasErrors =
    "%1 has %2: nothing was sent (use --force to upload it anyway)"_L1;
inline constexpr QLatin1StringView kEmptyDatabase = "the file is empty"_L1;
inline constexpr QLatin1StringView kUploadingWithErrors = "%1 has %2: uploading it anyway (--force)"_L1;

} // namespace trv::fleet::text
