// The splash window: a borderless picture centred on the screen. It closes after its period, or
// as soon as any key or mouse button is pressed anywhere in the program (that press is swallowed).
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace trv::app {

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultPeriodMs = 3000;

    explicit CSplashWnd(int periodMs = kDefaultPeriodMs, QWidget* parent = nullptr);
    ~CSplashWnd() override;

    // Shows the splash and starts its timer.
    void start();
    // Closes the splash and emits closed() once.
    void finish();
    bool isFinished() const { return finished_; }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap picture_;
    QTimer timer_;
    bool finished_ = false;
};

} // namespace trv::app
