// Base of the list windows (paging formats, speed paging, custom paging tones, PTT ID aliases): a
// prompt, a list of the table's records in use, "&Add", "&Edit", "&Delete" and "Close". The base
// fills the list, keeps the enabling rule (Add only below the table's capacity; a placeholder row and
// no Edit or Delete while the list is empty), treats a double click as Edit and asks the shared
// delete question. Each window supplies its rows and its own Add, Edit and Delete steps; its
// dialogs write the image at once on their OK.
#pragma once

#include "editors/common/EditorView.h"

#include <QStringList>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace trv::editors {

class ListWindow : public EditorView {
    Q_OBJECT
public:
    struct Column {
        QString title;
        int width; // pixels at 100 % display scale
    };
    struct Setup {
        QString title;  // window title
        QString prompt; // the text above the list
        std::vector<Column> columns;
        int capacity;        // rows at which "&Add" is disabled
        QString placeholder; // the row an empty list shows
    };

    ListWindow(EditorHost& host, Setup setup, QWidget* parent = nullptr);

    // Fills the list, selects its first row and places the frame.
    void initialFill() override;
    // Another window changed the image: refill and select the last row.
    void imageChanged(const ImageChange& change) override;

    QTreeWidget* list() const { return list_; }
    // Selects the row that shows this record; false when no row shows it (a free record).
    bool selectRecord(int record);
    // The record of the selected row, or -1 (no selection, or the placeholder).
    int selectedRecord() const;

protected:
    // One row: its column texts and the record it shows.
    struct Row {
        QStringList texts;
        int record;
    };
    virtual std::vector<Row> rows() const = 0;
    virtual void add() = 0;
    virtual void edit(int record) = 0;
    // Called after the user agreed to delete; writes the image. False when nothing was deleted.
    virtual bool remove(int record) = 0;
    // Checks that run before the delete question (references to the record); false stops.
    virtual bool mayRemove(int /*record*/) { return true; }

    // Refills the list and applies the enabling rule, then selects a row (clamped to the list).
    void refill(int selectRow);
    static constexpr int kLastRow = -1;
    int selectedRow() const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<Row>& shownRows() const { return rows_; }
    void selectRow(int row);

    QPushButton* addButton() const { return add_; }

private:
    void onDelete();
    void onEdit();

    Setup setup_;
    std::vector<Row> rows_;
    QTreeWidget* list_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* close_;
};

} // namespace trv::editors
