// A round push button drawn over the deskset picture: button face colour at rest, darker green
// while the pointer is over it, green while pressed, with a 2-pixel bevel. Only the disc answers
// the mouse. A double click acts as a single click.
#pragma once

#include <QAbstractButton>

namespace trv::editors {

class CUniButton : public QAbstractButton {
    Q_OBJECT
public:
    static inline const QColor kPressedColor{20, 200, 20};
    static inline const QColor kHoverColor{10, 160, 10};

    explicit CUniButton(QWidget* parent = nullptr);

    // The colour the disc is drawn in now.
    QColor faceColor() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace trv::editors
