#include "editors/common/ColoredStatic.h"

#include <QPainter>

namespace trv::editors {

ColoredStatic::ColoredStatic(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColoredStatic::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void ColoredStatic::setColors(const QColor& text, const QColor& background)
{
    textColor_ = text;
    background_ = background;
    update();
}

QColor ColoredStatic::textColor() const
{
    return textColor_.isValid() ? textColor_ : palette().color(QPalette::ButtonText);
}

QColor ColoredStatic::backgroundColor() const
{
    return background_.isValid() ? background_ : palette().color(QPalette::Button);
}

QSize ColoredStatic::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text_) + metrics.averageCharWidth(), metrics.height()};
}

void ColoredStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
    painter.setPen(textColor());
    painter.drawText(rect(), Qt::AlignCenter, text_);
}

} // namespace trv::editors
