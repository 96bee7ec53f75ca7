// "COM Port": chooses the serial port that is connected to the deskset. "Close" stores the choice;
// the close box and Escape leave the stored setting as it was.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace trv::app {

class ComPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortDialog(QWidget* parent = nullptr);

    QComboBox* portList() const { return ports_; }
    QPushButton* closeButton() const { return close_; }

private:
    void onClose();

    QComboBox* ports_;
    QPushButton* close_;
};

} // namespace trv::app
