#include "app/ComPortDialog.h"

#include "app/Registry.h"
#include "app/ShellTexts.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trv::app {

ComPortDialog::ComPortDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QString::fromLatin1(text::kComPortCaption));
    setObjectName(QStringLiteral("ComPortDialog"));

    auto* group = new QGroupBox(this);
    auto* label = new QLabel(QString::fromLatin1(text::kComPortLabel), group);
    ports_ = new QComboBox(group);
    ports_->setObjectName(QStringLiteral("portList"));
    for (int n = 1; n <= kComPortCount; ++n)
        ports_->addItem(QStringLiteral("COM%1").arg(n));
    label->setBuddy(ports_);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(label);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(ports_);
    listRow->addStretch();
    groupLayout->addLayout(listRow);

    close_ = new QPushButton(QString::fromLatin1(text::kComPortClose), this);
    close_->setDefault(true);
    close_->setAutoDefault(true);
    connect(close_, &QPushButton::clicked, this, &ComPortDialog::onClose);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Entry n - 1 for a stored "COMn"; nothing selected when no port is stored.
    const int stored = Registry::comPortNumber();
    ports_->setCurrentIndex(stored >= 1 && stored <= kComPortCount ? stored - 1 : -1);
}

void ComPortDialog::onClose()
{
    const int index = ports_->currentIndex();
    if (index < 0) {
        platform::showMessage(QString::fromLatin1(text::kComPortRequired), platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation, this);
        return;
    }
    Registry::setComPort(index + 1);
    accept();
}

} // namespace trv::app
