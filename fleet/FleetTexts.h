// Every text of a fleet run: the site list's problems, the phases and results of each site, the
// reasons a site failed or stopped, and the run's summary. trvctl fleet and the Fleet window show
// the same words.
#pragma once

namespace trv::fleet::text {


// Site lists. A problem of a row or of the header goes after interchange's kCsvAt place
// ("line 4, column 2: <problem>"); the column is the field's column in the spreadsheet, from 1.
inline constexpr const char* kSiteListUnreadable = "Cannot read the site list %1: %2";
inline constexpr const char* kSiteListEmpty = "the site list names no site";
inline constexpr const char* kSiteListMissingColumn =
    "the header has no %1 column (the columns are name, port and, optionally, database)";
inline constexpr const char* kSiteListUnknownColumn =
    "%1 is not a column of a site list (the columns are name, port and, optionally, database)";
inline constexpr const char* kSiteListColumnTwice = "the header names the %1 column twice";
inline constexpr const char* kSiteNameEmpty = "the name is empty: every site needs one";
inline constexpr const char* kSiteNameTooLong = "%1 is longer than %2 characters";
inline constexpr const char* kSiteNameBadCharacter = "%1 holds '%2': a name holds only A-Z a-z 0-9 . _ -";
inline constexpr const char* kSiteNameLeadingDot = "%1 starts with '.'";
inline constexpr const char* kSiteNameTwice = "%1 is also the name on line %2";
inline constexpr const char* kSitePortEmpty =
    "the port is empty: use COM1 to COM4, a device path or tcp://HOST:PORT";
inline constexpr const char* kSitePortTwice = "%1 reaches the same device as %2 on line %3 (%4)";

// Choosing sites of a list by name.
inline constexpr const char* kSiteNotInList = "--only names no site \"%1\"";

// ---- The run (FleetRun, SiteJob) ----

// Operations, as the JSON report and the log name them.
inline constexpr const char* kOperationBackup = "backup";
inline constexpr const char* kOperationUpload = "upload";
inline constexpr const char* kOperationStatus = "status";

// A site's phase, as a table shows it.
inline constexpr const char* kPhaseWaiting = "waiting";
inline constexpr const char* kPhaseConnecting = "connecting";
inline constexpr const char* kPhaseChecking = "checking";
inline constexpr const char* kPhaseBackingUp = "backing up";
inline constexpr const char* kPhaseUploading = "uploading";
inline constexpr const char* kPhaseVerifying = "verifying";

// A site's result.
inline constexpr const char* kResultOk = "ok";
inline constexpr const char* kResultFailed = "failed";
inline constexpr const char* kResultStopped = "stopped";

// Why a site ended as it did.
inline constexpr const char* kBackedUp = "backed up";
inline constexpr const char* kUploaded = "uploaded";
inline constexpr const char* kUploadedAndVerified = "uploaded and verified";
inline constexpr const char* kAnswered = "the deskset answered: version and hardware accepted";
inline constexpr const char* kNoConnection = "no connection";
inline constexpr const char* kAttemptsRanOut = "the deskset did not answer %1 attempts";
inline constexpr const char* kTimedOut = "no result after %1 s (--timeout)";
inline constexpr const char* kStopped = "stopped";
inline constexpr const char* kStoppedBeforeStart = "stopped before it started";
inline constexpr const char* kStoppedIncomplete = "stopped: the deskset may hold an incomplete database";
inline constexpr const char* kStoppedBeforeVerify = "uploaded, not verified: stopped";
inline constexpr const char* kMayBeIncomplete = "the deskset may hold an incomplete database: upload again before use";
inline constexpr const char* kBackupFailed = "backup failed, nothing was uploaded: %1";
inline constexpr const char* kBackupNotSaved = "backup not saved";
inline constexpr const char* kVerifyDiffers = "verify failed: the deskset holds something else";
inline constexpr const char* kVerifyUnread = "verify impossible: the deskset could not be read back";
inline constexpr const char* kTraceNotWritten = "the trace file %1 cannot be written: %2";
inline constexpr const char* kFolderNotMade = "the folder %1 cannot be made";

// Events a log records of a site.
inline constexpr const char* kEventStarted = "%1 starts";
inline constexpr const char* kEventRetry = "no answer to %1 attempts: retrying (%2 left)";
inline constexpr const char* kEventLinkUp = "communication established";
inline constexpr const char* kEventBackupSaved = "backup saved to %1";
inline constexpr const char* kEventVerified = "verified: the deskset holds the uploaded database byte for byte";
inline constexpr const char* kEventLetFinish = "stop asked: this upload is sending blocks and is let finish";

// The summary: "28 of 30 desksets backed up; failed: RADIO-3 (no connection), ...".
inline constexpr const char* kSummaryBackup = "%1 of %2 %3 backed up";
inline constexpr const char* kSummaryUpload = "%1 of %2 %3 uploaded";
inline constexpr const char* kSummaryUploadVerified = "%1 of %2 %3 uploaded and verified";
inline constexpr const char* kSummaryStatus = "%1 of %2 %3 answered";
inline constexpr const char* kDesksets = "desksets";
inline constexpr const char* kDeskset = "deskset";
inline constexpr const char* kSummaryFailed = "; failed: %1";
inline constexpr const char* kSummaryStopped = "; stopped: %1";
inline constexpr const char* kSummaryEntry = "%1 (%2)";
inline constexpr const char* kSummaryLetFinish = "; the uploads that were sending blocks when stopped were let finish";


// ---- Planning an upload (UploadPlan) ----
inline constexpr const char* kSiteHasNoDatabase =
    "%1 (line %2) has no database: give one FILE for every site, or fill the database column";
inline constexpr const char* kDatabaseHasErrors =
    "%1 has %2: nothing was sent (use --force to upload it anyway)";
inline constexpr const char* kEmptyDatabase = "the file is empty";
inline constexpr const char* kUploadingWithErrors = "%1 has %2: uploading it anyway (--force)";

} // namespace trv::fleet::text
