// The about box: program name, version and an OK button.
#pragma once

#include <QDialog>

namespace trv::app {

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

} // namespace trv::app
