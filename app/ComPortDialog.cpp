#include "app/ComPortDialog.h"

#include "app/Registry.h"
#include "app/ShellTexts.h"
#include "comms/LinkSettings.h"
#include "platform/MachineSettings.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace trv::app {
namespace {

using platform::SerialAdapter;

QString portName(int port)
{
    return platform::MachineSettings::portName(port);
}

QString builtInDevice(int port)
{
    return QString::fromStdString(comms::DefaultComDevice(port));
}

// The device as the table and the list show it: marked when no such node exists.
QString markedDevice(const platform::ComPortDevice& resolved)
{
    return resolved.remote || resolved.present ? resolved.device
                                               : QString(text::kComPortAbsent).arg(resolved.device);
}

QString adapterText(const SerialAdapter* adapter)
{
    if (!adapter || !adapter->isAdapter())
        return text::kComPortNoAdapter;
    QStringList parts;
    for (const QString& part : {adapter->manufacturer, adapter->product})
        if (!part.isEmpty() && !parts.contains(part))
            parts << part;
    QString shown = parts.join(QLatin1Char(' '));
    if (!adapter->serialNumber.isEmpty())
        shown += QString(text::kComPortSerialNumber).arg(adapter->serialNumber);
    return shown;
}

} // namespace

ComPortDialog::ComPortDialog(QWidget* parent, const platform::AdapterSource& adapters)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      adapters_(adapters ? adapters() : std::vector<SerialAdapter>{})
{
    setWindowTitle(text::kComPortCaption);
    setObjectName(QStringLiteral("ComPortDialog"));

    auto* group = new QGroupBox(this);
    auto* label = new QLabel(text::kComPortLabel, group);
    ports_ = new QComboBox(group);
    ports_->setObjectName(QStringLiteral("portList"));
    for (int n = 1; n <= kComPortCount; ++n)
        ports_->addItem(portName(n));
    label->setBuddy(ports_);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(label);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(ports_);
    listRow->addStretch();
    groupLayout->addLayout(listRow);

    // Which device each COMn opens and what is behind it.
    auto* devicesGroup = new QGroupBox(text::kComPortDevices, this);
    table_ = new QTreeWidget(devicesGroup);
    table_->setObjectName(QStringLiteral("deviceTable"));
    table_->setRootIsDecorated(false);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setHeaderLabels(
        {text::kComPortColumnPort, text::kComPortColumnDevice, text::kComPortColumnAdapter});
    table_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->header()->setStretchLastSection(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int n = 1; n <= kComPortCount; ++n)
        new QTreeWidgetItem(table_, {portName(n)});
    deviceLabel_ = new QLabel(devicesGroup);
    devices_ = new QComboBox(devicesGroup);
    devices_->setObjectName(QStringLiteral("deviceList"));
    devices_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    deviceLabel_->setBuddy(devices_);
    auto* devicesLayout = new QVBoxLayout(devicesGroup);
    devicesLayout->addWidget(table_);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(deviceLabel_);
    deviceRow->addWidget(devices_, 1);
    devicesLayout->addLayout(deviceRow);

    close_ = new QPushButton(text::kComPortClose, this);
    close_->setDefault(true);
    close_->setAutoDefault(true);
    connect(close_, &QPushButton::clicked, this, &ComPortDialog::onClose);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(devicesGroup);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ports_, &QComboBox::currentIndexChanged, this, &ComPortDialog::onPortSelected);
    connect(devices_, &QComboBox::activated, this, &ComPortDialog::onDeviceChosen);

    // Entry n - 1 for a stored "COMn"; nothing selected when no port is stored.
    const int stored = Registry::comPortNumber();
    ports_->setCurrentIndex(stored >= 1 && stored <= kComPortCount ? stored - 1 : -1);
    fillTable();
    onPortSelected();
    fitTable();
}

void ComPortDialog::fitTable()
{
    // Every row and column in view, as wide as the screen allows (long names elide in the middle).
    int width = 2 * table_->frameWidth();
    for (int column = 0; column < table_->columnCount(); ++column) {
        table_->resizeColumnToContents(column);
        width += table_->header()->sectionSize(column);
    }
    const int room = screen() ? screen()->availableGeometry().width() * 4 / 5 : width;
    table_->setFixedWidth(std::min(width, room));
    table_->setFixedHeight(table_->header()->sizeHint().height() + 2 * table_->frameWidth() +
                           kComPortCount * table_->sizeHintForRow(0));
}

platform::ComPortDevice ComPortDialog::resolved(int port) const
{
    const auto it = pending_.find(port);
    return platform::MachineSettings::resolveComPort(
        port, it != pending_.end() ? it->second : platform::MachineSettings::storedDevice(port));
}

QString ComPortDialog::deviceOf(int port) const
{
    return resolved(port).device;
}

void ComPortDialog::fillTable()
{
    for (int n = 1; n <= kComPortCount; ++n) {
        QTreeWidgetItem* row = table_->topLevelItem(n - 1);
        const platform::ComPortDevice port = resolved(n);
        const QString& device = port.device;
        const SerialAdapter* adapter = platform::findAdapter(adapters_, device);
        row->setText(1, port.source != platform::DeviceSource::Environment
                            ? markedDevice(port)
                            : QString(text::kComPortFromEnvironment).arg(markedDevice(port), portName(n)));
        row->setText(2, adapterText(adapter));
        row->setToolTip(2, adapter ? adapter->byIdPath : QString());
        row->setToolTip(1, device);
    }
}

void ComPortDialog::onPortSelected()
{
    const int port = ports_->currentIndex() + 1;
    devices_->clear();
    deviceLabel_->setEnabled(port >= 1);
    devices_->setEnabled(port >= 1 && resolved(port).source != platform::DeviceSource::Environment);
    if (port < 1) {
        deviceLabel_->setText(text::kComPortDevice);
        return;
    }
    deviceLabel_->setText(QString(text::kComPortDeviceFor).arg(portName(port)));
    devices_->addItem(QString(text::kComPortBuiltIn).arg(builtInDevice(port)), QString());
    for (const SerialAdapter& adapter : adapters_) {
        if (adapter.device == builtInDevice(port) && !adapter.isAdapter())
            continue; // the built-in entry already stands for it
        const QString shown = adapter.isAdapter()
                                  ? QStringLiteral("%1 - %2").arg(adapterText(&adapter), adapter.device)
                                  : adapter.device;
        devices_->addItem(shown, adapter.stableName());
        devices_->setItemData(devices_->count() - 1, adapter.stableName(), Qt::ToolTipRole);
    }
    // The present mapping, also when its device is not plugged in now.
    const platform::ComPortDevice mapped = resolved(port);
    const QString& current = mapped.device;
    int index = -1;
    if (current == builtInDevice(port))
        index = 0;
    else if (const SerialAdapter* adapter = platform::findAdapter(adapters_, current))
        index = devices_->findData(adapter->stableName());
    if (index < 0) {
        devices_->addItem(markedDevice(mapped), current);
        index = devices_->count() - 1;
    }
    devices_->setCurrentIndex(index);
}

void ComPortDialog::onDeviceChosen()
{
    const int port = ports_->currentIndex() + 1;
    if (port < 1)
        return;
    pending_[port] = devices_->currentData().toString();
    fillTable();
}

void ComPortDialog::onClose()
{
    const int index = ports_->currentIndex();
    if (index < 0) {
        platform::showMessage(text::kComPortRequired, platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation, this);
        return;
    }
    Registry::setComPort(index + 1);
    for (const auto& [port, device] : pending_)
        platform::MachineSettings::storeDevice(port, device);
    accept();
}

} // namespace trv::app
