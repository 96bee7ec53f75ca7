// "COM Port": chooses the serial port that is connected to the deskset. Beside the choice it shows
// the device each COMn stands for and the adapter behind it, and lets the user map the chosen COMn
// to a detected adapter. "Close" stores the choice and the mappings; the close box and Escape
// leave the stored settings as they were.
#pragma once

#include "platform/MachineSettings.h"
#include "platform/SerialAdapters.h"

#include <QDialog>

#include <map>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace trv::app {

class ComPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortDialog(QWidget* parent = nullptr,
                           const platform::AdapterSource& adapters = platform::detectSerialAdapters);

    QComboBox* portList() const { return ports_; }
    QPushButton* closeButton() const { return close_; }
    // One row per COMn: port, device, adapter.
    QTreeWidget* deviceTable() const { return table_; }
    // The device of the selected COMn: its built-in default, then each detected port.
    QComboBox* deviceList() const { return devices_; }

    // The device COMn stands for with the mappings chosen so far.
    QString deviceOf(int port) const;

private:
    platform::ComPortDevice resolved(int port) const;
    void onClose();
    void onPortSelected();
    void onDeviceChosen();
    void fillTable();
    void fitTable();

    std::vector<platform::SerialAdapter> adapters_;
    std::map<int, QString> pending_; // COMn -> device chosen in this dialog ("" = built-in)
    QComboBox* ports_;
    QTreeWidget* table_;
    QLabel* deviceLabel_;
    QComboBox* devices_;
    QPushButton* close_;
};

} // namespace trv::app
