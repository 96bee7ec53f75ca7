#include "editors/buttons/CUniButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace trv::editors {

namespace {
constexpr qreal kBevel = 2;
}

CUniButton::CUniButton(QWidget* parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover); // repaints as the pointer enters and leaves
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QColor CUniButton::faceColor() const
{
    if (isDown())
        return kPressedColor;
    if (underMouse())
        return kHoverColor;
    return palette().color(QPalette::Button);
}

QSize CUniButton::sizeHint() const
{
    const int side = fontMetrics().height() * 2;
    return {side, side};
}

bool CUniButton::hitButton(const QPoint& pos) const
{
    const QPointF d = QPointF(pos) - QRectF(rect()).center();
    const qreal rx = width() / 2.0;
    const qreal ry = height() / 2.0;
    return (d.x() * d.x()) / (rx * rx) + (d.y() * d.y()) / (ry * ry) <= 1.0;
}

// The second press of a double click is one more press, so it ends in one more click.
void CUniButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CUniButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(faceColor());
    p.drawEllipse(disc);

    // Raised: light from the top left; pressed: the other way round.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QRectF bevel = disc.adjusted(kBevel / 2, kBevel / 2, -kBevel / 2, -kBevel / 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(isDown() ? dark : light, kBevel));
    p.drawArc(bevel, 45 * 16, 180 * 16);
    p.setPen(QPen(isDown() ? light : dark, kBevel));
    p.drawArc(bevel, 225 * 16, 180 * 16);
    p.setPen(QPen(palette().color(QPalette::Shadow), 1));
    p.drawEllipse(disc);

    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        p.drawEllipse(disc.adjusted(4, 4, -4, -4));
    }
}

} // namespace trv::editors
