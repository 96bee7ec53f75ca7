#include "editors/common/NumberEdit.h"

#include "editors/common/Focus.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <algorithm>

namespace trv::editors {
namespace {

// How far one arrow action moves the value, by how long the arrow has been held (longest first).
struct Acceleration {
    std::chrono::milliseconds heldAtLeast;
    int step;
};
constexpr Acceleration kAccelerations[] = {
    {std::chrono::milliseconds(2000), 10},
    {std::chrono::milliseconds(1000), 5},
    {std::chrono::milliseconds(0), 1},
};

QToolButton* makeArrow(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus); // the arrows act on the edit, which keeps the focus
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored); // the two share the edit's height
    button->setMinimumHeight(0);
    button->setFixedWidth(16);
    button->setIconSize(QSize(8, 8));
    return button;
}

} // namespace

NumberEdit::NumberEdit(unsigned minimum, unsigned maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), edit_(new QLineEdit(this)),
      up_(makeArrow(Qt::UpArrow, this)), down_(makeArrow(Qt::DownArrow, this)),
      holdTimer_(std::make_unique<QtHoldTimer>())
{
    edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
    edit_->installEventFilter(this);
    setFocusPolicy(edit_->focusPolicy()); // so that a label's access key can give it the focus
    setFocusProxy(edit_);

    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addLayout(arrows);

    connect(up_, &QToolButton::pressed, this, [this] { beginHold(+1); });
    connect(down_, &QToolButton::pressed, this, [this] { beginHold(-1); });
    connect(up_, &QToolButton::released, this, &NumberEdit::endHold);
    connect(down_, &QToolButton::released, this, &NumberEdit::endHold);
}

NumberEdit::~NumberEdit() = default;

std::optional<unsigned> NumberEdit::value() const
{
    bool ok = false;
    const unsigned number = edit_->text().toUInt(&ok);
    return ok ? std::optional<unsigned>(number) : std::nullopt;
}

void NumberEdit::setValue(unsigned value)
{
    edit_->setText(QString::number(value));
}

void NumberEdit::stepBy(int delta)
{
    const long long current = value().value_or(minimum_);
    const long long next = std::clamp<long long>(current + delta, minimum_, maximum_);
    setValue(static_cast<unsigned>(next));
}

void NumberEdit::focusWithTextSelected()
{
    editors::focusWithTextSelected(edit_);
}

int NumberEdit::stepAfter(std::chrono::milliseconds held)
{
    for (const Acceleration& a : kAccelerations)
        if (held >= a.heldAtLeast)
            return a.step;
    return 1;
}

void NumberEdit::setHoldTimer(std::unique_ptr<HoldTimer> timer)
{
    if (holdTimer_)
        holdTimer_->stop();
    holdTimer_ = std::move(timer);
}

void NumberEdit::beginHold(int direction)
{
    stepBy(direction); // a click steps at once; holding the arrow repeats, faster the longer it is held
    holdTimer_->start(kRepeatDelay, kRepeatInterval,
                      [this, direction] { stepBy(direction * stepAfter(holdTimer_->held())); });
}

void NumberEdit::endHold()
{
    holdTimer_->stop();
}

bool NumberEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace trv::editors
