// The Fleet window (File > Fleet...): the desksets of a site list in a table, and runs that back
// them all up, upload to them or check them, each deskset its own session (fleet/FleetRun.h). A
// tool window of the shell, never an editor window: a top-level window of its own that blocks
// nothing and never counts among the editor windows. Each run's lines, as trvctl fleet prints
// them, and its summary go to <list name>-<yyyyMMdd-HHmmss>.log beside the list.
#pragma once

#include "app/RecentFileList.h"
#include "fleet/FleetRun.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QFile;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace trv::fleet {
class RunLog;
}

namespace trv::app {

class FleetTableModel;

// What the window needs of the shell.
struct FleetHost {
    // A download or upload of the main window is under way.
    std::function<bool()> mainTransferRunning;
    std::function<bool()> databaseOpen;
    std::function<bool()> editorWindowsOpen;
    // The upload's question when the rules find errors in the open database; true: send it.
    std::function<bool()> mayUploadDespiteErrors;
    std::function<QString()> databaseName; // the open database's path or name
    std::function<void(int context)> showHelp;
    // Dialogs: the site list to open, the backup folder (empty: cancelled).
    std::function<QString(const QString& folder)> chooseSiteList;
    std::function<QString(const QString& current)> chooseBackupFolder;
};

class FleetWindow : public QWidget, private fleet::FleetObserver {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 191;

    FleetWindow(FleetHost host, QWidget* parent);
    ~FleetWindow() override;

    // Opens a site list; false after saying why it cannot be used (the previous list stays).
    bool openList(const QString& path);
    const QString& listPath() const { return listPath_; }
    QString backupFolder() const;

    // A run is under way (the main window's Download and Upload wait for its end).
    bool runActive() const { return run_ && run_->running(); }
    const fleet::FleetRun* run() const { return run_.get(); }
    // The log of the last run.
    const QString& logPath() const { return logPath_; }

    FleetTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    QPushButton* backUpButton() const { return backUp_; }
    QPushButton* uploadButton() const { return upload_; }
    QPushButton* statusButton() const { return status_; }
    QPushButton* stopButton() const { return stop_; }
    QLabel* summary() const { return summary_; }

signals:
    // Every deskset of the run has ended and the log is complete.
    void runFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // FleetObserver
    void siteChanged(int index, const fleet::SiteProgress& progress) override;
    void siteEvent(int index, const QString& text) override;
    void siteEnded(int index, const fleet::SiteOutcome& outcome) override;
    void runEnded() override;

    void chooseList();
    void chooseBackupFolder();
    void showRecentLists();
    void startRun(fleet::Operation operation);
    // The rows the run is for: the selected ones, else all; and their sites.
    std::vector<int> runRows() const;
    // The upload's tasks, or nothing after saying why (or after the user cancelled).
    std::optional<std::vector<fleet::SiteTask>> uploadTasks(const std::vector<fleet::Site>& sites);
    bool openLog();
    void writeLog(const QString& line);
    void stopRun();
    void updateState();
    void refuse(const QString& text);

    FleetHost host_;
    RecentFileList recentLists_;
    FleetTableModel* model_;
    QComboBox* lists_;
    QLabel* listInfo_;
    QLineEdit* folder_;
    QTableView* table_;
    QPushButton* openList_;
    QPushButton* chooseFolder_;
    QPushButton* backUp_;
    QPushButton* upload_;
    QPushButton* status_;
    QPushButton* stop_;
    QLabel* summary_;
    QString listPath_;
    QString logPath_;
    std::unique_ptr<fleet::FleetRun> run_;
    std::unique_ptr<fleet::RunLog> log_;
    std::unique_ptr<QFile> logFile_;
    bool closeWhenEnded_ = false;
};

} // namespace trv::app
