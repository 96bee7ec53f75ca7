// The Check Database window: every problem the rules of a valid database find in the image as it
// stands, refreshed whenever the image changes. A tool window of the shell, not an editor window:
// it stands outside the workspace (kept above the main window, so the list stays in sight while
// the technician works through it), blocks no command and closes with the database. Enter or a
// double click on a problem opens the window that edits its field.
#pragma once

#include "database/Rules.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace trv::editors {
struct EditorDescriptor;
}

namespace trv::app {

// Where a problem's field is edited: the editor window and the record of its table; nothing for
// bytes no editor shows.
struct ProblemPlace {
    const editors::EditorDescriptor* editor;
    int record;
};
std::optional<ProblemPlace> placeOf(const db::Problem& problem);

class CheckDatabaseWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 190;

    // open asks the shell to open the editor window of a place; showHelp opens a help context.
    CheckDatabaseWindow(std::function<void(const ProblemPlace&)> open, std::function<void(int)> showHelp,
                        QWidget* parent);

    // Runs the rules again on the open database.
    void refresh();

    QTreeWidget* list() const { return list_; }
    QLabel* summary() const { return summary_; }
    const std::vector<db::Problem>& problems() const { return problems_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openItem(QTreeWidgetItem* item);

    std::function<void(const ProblemPlace&)> open_;
    std::function<void(int)> showHelp_;
    QLabel* summary_;
    QTreeWidget* list_;
    std::vector<db::Problem> problems_;
};

} // namespace trv::app
