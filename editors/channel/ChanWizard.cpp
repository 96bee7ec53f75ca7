#include "editors/channel/ChanWizard.h"

#include "database/CTRVDoc.h"
#include "database/Layout.h"
#include "editors/channel/CChanTalkPermitTone.h"
#include "editors/channel/ChanConfigPage.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/DtmfPages.h"
#include "editors/channel/SignalingPlanDCPage.h"
#include "editors/channel/SignalingPlanT1Page.h"
#include "editors/channel/SignalingPlanT2Page.h"
#include "editors/channel/StatAlertPage.h"
#include "editors/common/Focus.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QStackedWidget>

#include <algorithm>
#include <iterator>

namespace trv::editors::channel {

namespace {

using Code = PageCode;

template <class Page> WizardPage* make(QWidget* parent)
{
    return new Page(parent);
}

// Every page that may follow the Channel Configuration page: one entry per page class.
struct PageKind {
    Code code;
    WizardPage* (*create)(QWidget* parent);
    bool marksModified;
};
constexpr PageKind kPageKinds[] = {
    {Code::TonePlan1, make<SignalingPlanT1Page>, true},
    {Code::TonePlan2, make<SignalingPlanT2Page>, true},
    {Code::DcPlan, make<SignalingPlanDCPage>, true},
    {Code::StatAlert, make<StatAlertPage>, true},
    {Code::DtmfDecode, make<DTMFDecodePage>, false},
    {Code::DtmfSelectiveCall, make<DTMFSelectiveCallPage>, false},
    {Code::TalkPermitTone, make<CChanTalkPermitTone>, true},
};

} // namespace

ChanWizard::ChanWizard(db::CTRVDoc& document, int channel, QWidget* parent)
    : QWidget(parent), document_(document), channel_(channel), stack_(new QStackedWidget(this))
{
    config_ = new ChanConfigPage(stack_);
    slots_.push_back({config_, false});
    for (const PageKind& kind : kPageKinds)
        slots_.push_back({kind.create(stack_), kind.marksModified});
    for (const Slot& slot : slots_)
        stack_->addWidget(slot.page);
    connect(config_, &ChanConfigPage::sequenceChoiceClicked, this, &ChanWizard::rebuild);

    back_ = new QPushButton(text::kBack, this);
    next_ = new QPushButton(text::kNext, this);
    finish_ = new QPushButton(text::kFinish, this);
    cancel_ = new QPushButton(text::kCancel, this); // where a Help button would be
    for (QPushButton* button : {back_, next_, finish_, cancel_})
        button->setAutoDefault(false);
    connect(back_, &QPushButton::clicked, this, &ChanWizard::goBack);
    connect(next_, &QPushButton::clicked, this, &ChanWizard::goNext);
    connect(finish_, &QPushButton::clicked, this, &ChanWizard::finish);
    connect(cancel_, &QPushButton::clicked, this, &ChanWizard::finished);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    buttons->addWidget(finish_);
    buttons->addSpacing(12);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack_);
    layout->addLayout(buttons);
}

bool ChanWizard::validChannel() const
{
    return channel_ >= 0 && channel_ < db::kChannels.count;
}

void ChanWizard::start()
{
    if (validChannel()) {
        config_->load(db::theImage(), channel_);
        slots_[0].loaded = true;
    }
    rebuild();
    showStep(0);
}

// The later pages leave the sequence and forget what was typed on them: they load from the record
// again when they are next shown.
void ChanWizard::rebuild()
{
    sequence_.assign(1, 0);
    for (std::size_t s = 1; s < slots_.size(); ++s)
        slots_[s].loaded = false;
    for (Code code : followingPages(config_->keying(), config_->signalingType())) {
        const auto kind = std::find_if(std::begin(kPageKinds), std::end(kPageKinds),
                                       [code](const PageKind& k) { return k.code == code; });
        sequence_.push_back(1 + static_cast<int>(kind - std::begin(kPageKinds)));
    }
}

WizardPage* ChanWizard::currentPage() const
{
    return slots_[static_cast<std::size_t>(sequence_[static_cast<std::size_t>(step_)])].page;
}

std::vector<WizardPage*> ChanWizard::sequence() const
{
    std::vector<WizardPage*> pages;
    for (int s : sequence_)
        pages.push_back(slots_[static_cast<std::size_t>(s)].page);
    return pages;
}

void ChanWizard::showStep(int step)
{
    step_ = step;
    Slot& slot = slots_[static_cast<std::size_t>(sequence_[static_cast<std::size_t>(step)])];
    if (!slot.loaded && validChannel()) {
        slot.page->load(db::theImage(), channel_);
        slot.loaded = true;
    }
    stack_->setCurrentWidget(slot.page);

    // First page: Next only; last page: Back and Finish; any other: Back and Next.
    const bool last = step + 1 == static_cast<int>(sequence_.size());
    back_->setEnabled(step > 0);
    next_->setVisible(!last);
    finish_->setVisible(last);

    const int number = channel_ + 1;
    const QString suffix = slot.page->caption();
    emit captionChanged(suffix.isEmpty()
                            ? QString(text::kCaption).arg(number)
                            : QString(text::kCaptionWithPage).arg(QString::number(number), suffix));
}

bool ChanWizard::mayLeave()
{
    if (const std::optional<Refusal> refusal = currentPage()->validate()) {
        refuse(*refusal);
        return false;
    }
    return true;
}

void ChanWizard::goBack()
{
    if (step_ > 0 && mayLeave())
        showStep(step_ - 1);
}

void ChanWizard::goNext()
{
    if (step_ + 1 < static_cast<int>(sequence_.size()) && mayLeave())
        showStep(step_ + 1);
}

void ChanWizard::finish()
{
    if (step_ + 1 != static_cast<int>(sequence_.size()) || !mayLeave())
        return;
    if (validChannel()) {
        for (auto s = sequence_.rbegin(); s != sequence_.rend(); ++s) {
            const Slot& slot = slots_[static_cast<std::size_t>(*s)];
            if (!slot.loaded)
                continue; // never shown since the last rebuild: nothing of it to write
            slot.page->commit(db::theImage(), channel_);
            if (slot.marksModified)
                document_.setModified();
        }
        emit committed();
    }
    emit finished();
}

// The message first; the focus moves once the message box has gone, so that closing the box does
// not hand the focus back elsewhere.
void ChanWizard::refuse(const Refusal& refusal)
{
    platform::showMessage(refusal.message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, this);
    focusOnError_ = refusal.focus;
    QMetaObject::invokeMethod(this, &ChanWizard::focusOnError, Qt::QueuedConnection);
}

void ChanWizard::focusOnError()
{
    if (focusOnError_)
        focusWithTextSelected(focusOnError_);
}

} // namespace trv::editors::channel
