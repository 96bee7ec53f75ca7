#include "app/KeyboardLocks.h"

#include "app/ShellTexts.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>

namespace trv::app {
namespace {

bool ledOn(const QString& suffix)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    for (const QString& name : leds.entryList({QStringLiteral("*::") + suffix}, QDir::Dirs | QDir::System)) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

QLabel* indicator(QStatusBar* bar, QLatin1StringView text)
{
    auto* label = new QLabel(bar);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    // Wide enough for the text, whether or not it shows.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
    label->setProperty("indicatorText", QString::fromLatin1(text));
    bar->addPermanentWidget(label);
    return label;
}

void show(QLabel* label, bool on)
{
    label->setText(on ? label->property("indicatorText").toString() : QString());
}

} // namespace

LockStates readKeyboardLeds()
{
    return {ledOn(QStringLiteral("capslock")), ledOn(QStringLiteral("numlock")),
            ledOn(QStringLiteral("scrolllock"))};
}

KeyboardLocks::KeyboardLocks(QStatusBar* bar, LockSource source, int pollMs)
    : QObject(bar), source_(std::move(source)), caps_(indicator(bar, text::kIndicatorCaps)),
      num_(indicator(bar, text::kIndicatorNum)), scroll_(indicator(bar, text::kIndicatorScroll))
{
    connect(&poll_, &QTimer::timeout, this, &KeyboardLocks::refresh);
    poll_.start(pollMs);
    refresh();
}

void KeyboardLocks::refresh()
{
    const LockStates states = source_ ? source_() : LockStates{};
    show(caps_, states.caps);
    show(num_, states.num);
    show(scroll_, states.scroll);
}

} // namespace trv::app
