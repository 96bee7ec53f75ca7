#include "editors/common/EditorDialog.h"

#include "editors/common/EditorTexts.h"
#include "editors/common/HelpKey.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>

namespace trv::editors {

namespace {
EditorDialog::Hook& dialogHook()
{
    static EditorDialog::Hook hook;
    return hook;
}
} // namespace

EditorDialog::EditorDialog(EditorHost& host, int helpContext, QWidget* parent)
    : QDialog(parent), host_(host), helpContext_(helpContext)
{
}

EditorDialog::Hook EditorDialog::setHook(Hook hook)
{
    return std::exchange(dialogHook(), std::move(hook));
}

int EditorDialog::run()
{
    if (!dialogHook())
        return exec();
    setResult(Rejected);
    show();
    dialogHook()(*this);
    if (isVisible())
        reject();
    return result();
}

QDialogButtonBox* EditorDialog::okCancelButtons()
{
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(text::kOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(text::kCancel, QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (commit())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void EditorDialog::refuse(const Refusal& refusal)
{
    showRefusal(refusal, this);
}

bool EditorDialog::event(QEvent* event)
{
    if (claimsHelpKey(event))
        return true;
    return QDialog::event(event);
}

void EditorDialog::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event)) {
        host_.showHelp(helpContext_);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace trv::editors
