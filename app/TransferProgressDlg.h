// The transfer progress window: modal, without a title bar, with one text line, a progress bar
// over 0..16400 and a button that appears when the session has ended.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace trv::app {

class TransferProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRange = 16400;
    static constexpr int kStep = 100;

    explicit TransferProgressDlg(const QString& text, QWidget* parent = nullptr);

    // Shows the window modally without blocking the caller, at the first step.
    void start();

    QString text() const { return text_; }
    void setText(const QString& text);
    int position() const;
    void setPosition(int position);
    void step();

    // The session has ended: the text line and the button ("Ok" or "Cancel") that closes the window.
    void end(const QString& text, bool cancelCaption);
    bool hasEnded() const;

    QPushButton* button() const { return button_; }
    QLabel* textLine() const { return line_; }
    QProgressBar* bar() const { return bar_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString text_;
    QLabel* line_;
    QProgressBar* bar_;
    QPushButton* button_;
};

} // namespace trv::app
