// Base of the editors' modal dialogs (an alias, a speed page, a paging format, a button): a help
// context for F1, OK that commits only when the dialog's own checks pass, Cancel that discards.
// run() shows the dialog modally; a test installs a hook that drives the dialog instead, the same
// way message boxes are answered in tests.
#pragma once

#include "editors/common/Bindings.h"
#include "editors/common/EditorHost.h"

#include <QDialog>

#include <functional>

class QDialogButtonBox;

namespace trv::editors {

class EditorDialog : public QDialog {
    Q_OBJECT
public:
    EditorDialog(EditorHost& host, int helpContext, QWidget* parent);

    // Shows the dialog modally (or hands it to the test hook) and returns Accepted or Rejected.
    int run();

    // While a hook is set, run() shows the dialog without a modal loop, calls the hook (which
    // drives the controls and presses OK or Cancel) and then returns the result; a dialog the hook
    // left open counts as cancelled. Returns the previous hook.
    using Hook = std::function<void(EditorDialog&)>;
    static Hook setHook(Hook hook);

    int helpContext() const { return helpContext_; }

protected:
    // Checks and writes; false keeps the dialog open (after the dialog pointed out the refusal).
    virtual bool commit() = 0;
    // "OK" and "Cancel", wired to commit() and reject(), for the dialog's layout.
    QDialogButtonBox* okCancelButtons();
    // Shows the refusal and points at its control; the dialog stays open.
    void refuse(const Refusal& refusal);
    EditorHost& host() const { return host_; }

    bool event(QEvent* event) override;            // claims F1 before any application shortcut
    void keyPressEvent(QKeyEvent* event) override; // F1 opens the dialog's help context

private:
    EditorHost& host_;
    int helpContext_;
};

} // namespace trv::editors
