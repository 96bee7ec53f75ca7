#include "editors/channel/ChanCfgFV.h"

#include "database/Layout.h"
#include "editors/channel/ChanWizard.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/common/WizardPage.h"

#include <QBoxLayout>

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
}

QString ChanCfgFV::treeLabel() const
{
    if (channel_ < 0 || channel_ >= db::kChannels.count)
        return {};
    return QString::fromLatin1(text::kTreeItems[channel_]);
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
