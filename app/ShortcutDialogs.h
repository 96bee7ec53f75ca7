// "Shortcut Keys" lists every command with its key and lets the user change the table;
// "Assign Shortcut" reads one new key for one command.
#pragma once

#include "app/ShortcutTable.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class QPushButton;
class QTreeWidget;

namespace trv::app {

// Help contexts of the two dialogs.
inline constexpr int kShortcutKeysHelpContext = 139;
inline constexpr int kAssignShortcutHelpContext = 83;

using HelpRequest = std::function<void(int context)>;

// The field of "Assign Shortcut": it holds one key combination. Each combination pressed replaces
// the one shown; Backspace or Delete without a modifier clears the field. Tab and Shift+Tab move the
// focus, and Enter, Escape and F1 without a modifier stay the dialog's keys (OK, Cancel, help).
class ShortcutKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ShortcutKeyEdit(const QKeySequence& key, QWidget* parent = nullptr);

    QKeySequence key() const { return key_; }
    void setKey(const QKeySequence& key);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QKeySequence key_;
};

class AssignShortcutDlg : public QDialog {
    Q_OBJECT
public:
    AssignShortcutDlg(const QString& commandName, const QKeySequence& current, HelpRequest help,
                      QWidget* parent = nullptr);

    ShortcutKeyEdit* keyEdit() const { return edit_; }
    QKeySequence key() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ShortcutKeyEdit* edit_;
    HelpRequest help_;
};

class ShortcutKeysDlg : public QDialog {
    Q_OBJECT
public:
    ShortcutKeysDlg(const ShortcutTable& table, HelpRequest help, QWidget* parent = nullptr);

    const ShortcutTable& table() const { return table_; }
    QTreeWidget* commandList() const { return list_; }
    QPushButton* assignButton() const { return assign_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* resetButton() const { return reset_; }

    // Gives the selected command the key; a command that had it loses it (after the user agrees).
    bool assign(int command, const QKeySequence& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();
    int selectedCommand() const;
    void onAssign();
    void onRemove();
    void onReset();

    ShortcutTable table_;
    HelpRequest help_;
    QTreeWidget* list_;
    QPushButton* assign_;
    QPushButton* remove_;
    QPushButton* reset_;
};

// The menu text without its mnemonic marker ("&Save Database" -> "Save Database").
QString plainCommandName(int command);

} // namespace trv::app
