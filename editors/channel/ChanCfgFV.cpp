#include "editors/channel/ChanCfgFV.h"

#include "database/Layout.h"
#include "editors/channel/ChanConfigPage.h"
#include "editors/channel/ChanWizard.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/common/WizardPage.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QShortcut>

namespace trv::editors::channel {

ChanCfgFV::ChanCfgFV(EditorHost& host, QWidget* parent)
    : EditorView(host, parent), channel_(host.document().nextChannelIndex()),
      wizard_(new ChanWizard(host.document(), channel_, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wizard_);
    layout->setSizeConstraint(QLayout::SetFixedSize); // the largest page sets the window's size
    connect(wizard_, &ChanWizard::captionChanged, this, &ChanCfgFV::showCaption);
    connect(wizard_, &ChanWizard::finished, this, &ChanCfgFV::closeFrame);
    connect(wizard_, &ChanWizard::committed, this, [this] {
        this->host().notifyImageChanged({ChangedArea::Channel, {}}, this);
    });
    // Ctrl+Tab and Ctrl+Shift+Tab anywhere in the wizard move to the next editor window (both the
    // same way) instead of switching pages or focus, or the workspace's own window switching. The
    // keyboard reports Ctrl+Shift+Tab in more than one form (Tab or Backtab, with or without
    // Shift), and one press may match two of these forms: such a press is an ambiguous shortcut,
    // delivered to one of them as such, and counts the same.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        const auto next = [this] { this->host().activateNextEditor(); };
        connect(shortcut, &QShortcut::activated, this, next);
        connect(shortcut, &QShortcut::activatedAmbiguously, this, next);
    }
}

QWidget* ChanCfgFV::initialFocus() const
{
    return wizard_->configPage()->checkedKeyingButton();
}

QAbstractButton* ChanCfgFV::defaultButton() const
{
    return wizard_->nextButton()->isVisible() ? wizard_->nextButton() : wizard_->finishButton();
}

QAbstractButton* ChanCfgFV::cancelButton() const
{
    return wizard_->cancelButton();
}

bool ChanCfgFV::validChannel() const
{
    return channel_ >= 0 && channel_ < db::kChannels.count;
}

void ChanCfgFV::viewClosing()
{
    if (!validChannel())
        platform::showMessage(text::kInvalidChannel, platform::MsgButtons::Ok, platform::MsgIcon::Stop, this);
}

int ChanCfgFV::helpContext() const
{
    return wizard_->currentPage()->helpContext();
}

void ChanCfgFV::initialFill()
{
    wizard_->start();
    placeFrame(windowTitle());
}

void ChanCfgFV::showCaption(const QString& caption)
{
    setWindowTitle(caption);
    if (parentWidget())
        parentWidget()->setWindowTitle(caption);
}

} // namespace trv::editors::channel
