#include "app/ShellArt.h"

#include "app/ShellTexts.h"
#include "platform/AppTexts.h"

#include <QApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

#include <functional>

namespace trv::app {
namespace {

constexpr int kCell = 16;
const QColor kInk(0x33, 0x3d, 0x4a);
const QColor kAccent(0x1f, 0x6f, 0xc5);

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// An icon drawn in code at whatever size and pixel density it is shown, so it stays sharp on
// high-density screens. draw paints into the rectangle it is given.
class PaintedIconEngine : public QIconEngine {
public:
    using Draw = std::function<void(QPainter&, const QRectF&)>;
    explicit PaintedIconEngine(Draw draw) : draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture = transparentPixmap(size);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        draw_(p, QRectF(QPointF(0, 0), QSizeF(size)));
        p.end();
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            return QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        (void)state;
        return picture;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new PaintedIconEngine(draw_); }

private:
    Draw draw_;
};

// A painted icon whose drawing is laid out on a grid of design x design units.
QIcon paintedIcon(QSizeF design, std::function<void(QPainter&)> draw)
{
    return QIcon(new PaintedIconEngine([design, draw](QPainter& p, const QRectF& r) {
        p.translate(r.topLeft());
        p.scale(r.width() / design.width(), r.height() / design.height());
        draw(p);
    }));
}

// The deskset: a console with a display and a row of keys.
void drawDeskset(QPainter& p, const QRectF& r)
{
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = r.width() / 16.0;
    QPainterPath body;
    body.addRoundedRect(QRectF(r.left() + u, r.top() + 3 * u, 14 * u, 11 * u), 2 * u, 2 * u);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, QColor(0x8a, 0x96, 0xa6));
    shade.setColorAt(1, QColor(0x4d, 0x58, 0x66));
    p.setPen(QPen(kInk, u * 0.8));
    p.setBrush(shade);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xe0, 0xa8));
    p.drawRect(QRectF(r.left() + 3 * u, r.top() + 5 * u, 10 * u, 3 * u));
    p.setBrush(QColor(0xee, 0xf1, 0xf4));
    for (int k = 0; k < 4; ++k)
        p.drawRect(QRectF(r.left() + (3 + 2.6 * k) * u, r.top() + 10 * u, 1.8 * u, 1.8 * u));
}

// A small window: grey title when closed, accent title when open (with lines of text and a
// thick accent frame, to stand out at a glance), faded when disabled. Drawn on a 16 x 16 grid.
void drawStateImage(QPainter& p, TreeState state)
{
    const bool disabled = state == TreeState::Disabled;
    const bool open = state == TreeState::Open;
    const QColor frame = disabled ? QColor(0xa8, 0xad, 0xb3) : open ? kAccent : kInk;
    const QColor title = open ? kAccent : QColor(0xb9, 0xc0, 0xc8);
    p.setPen(QPen(frame, open ? 1.6 : 1.0));
    p.setBrush(disabled ? QColor(0xf0, 0xf0, 0xf0) : Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 12, 11));
    p.fillRect(QRectF(2.5, 3.5, 10, 3), disabled ? QColor(0xdd, 0xdd, 0xdd) : title);
    if (open) {
        p.setPen(QPen(kAccent, 1.2));
        p.drawLine(QPointF(4, 9), QPointF(11, 9));
        p.drawLine(QPointF(4, 11.5), QPointF(9.5, 11.5));
    }
}

// Overlay: a "not available" sign in the lower left corner of the item image.
void drawOverlay(QPainter& p, qreal x)
{
    const QRectF sign(x, 7, 9, 9);
    p.setPen(QPen(QColor(0xc4, 0x2b, 0x1c), 1.6));
    p.setBrush(Qt::white);
    p.drawEllipse(sign.adjusted(0.8, 0.8, -0.8, -0.8));
    p.drawLine(QPointF(sign.left() + 2.4, sign.bottom() - 2.4),
               QPointF(sign.right() - 2.4, sign.top() + 2.4));
}

QIcon transferIcon(bool down)
{
    return paintedIcon({16, 16}, [down](QPainter& p) {
        drawDeskset(p, QRectF(0, 4, 12, 12));
        QPainterPath arrow;
        const qreal x = 12;
        if (down) { // from the deskset into the tool: arrow pointing down
            arrow.moveTo(x - 3.5, 8);
            arrow.lineTo(x + 3.5, 8);
            arrow.lineTo(x, 12.5);
            arrow.closeSubpath();
            arrow.addRect(QRectF(x - 1.4, 1, 2.8, 7.2));
        } else {
            arrow.moveTo(x - 3.5, 5.5);
            arrow.lineTo(x + 3.5, 5.5);
            arrow.lineTo(x, 1);
            arrow.closeSubpath();
            arrow.addRect(QRectF(x - 1.4, 5.3, 2.8, 7.2));
        }
        p.setPen(QPen(QColor(0x0f, 0x4a, 0x8a), 0.8));
        p.setBrush(down ? QColor(0x2e, 0x9d, 0x4f) : kAccent);
        p.drawPath(arrow.simplified());
    });
}

} // namespace

QIcon applicationIcon()
{
    return paintedIcon({16, 16}, [](QPainter& p) { drawDeskset(p, QRectF(0, 0, 16, 16)); });
}

QPixmap splashPicture(qreal pixelRatio)
{
    const QSize size(440, 260);
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x17, 0x3f, 0x6e));
    sky.setColorAt(1, QColor(0x0b, 0x1f, 0x38));
    p.fillRect(QRect(QPoint(), size), sky);
    // Radio waves behind the deskset.
    p.setPen(QPen(QColor(255, 255, 255, 40), 3));
    for (int k = 1; k <= 4; ++k)
        p.drawEllipse(QPointF(340, 120), 30.0 * k, 30.0 * k);
    drawDeskset(p, QRectF(290, 70, 100, 100));

    QFont title = p.font();
    title.setPixelSize(54);
    title.setBold(true);
    p.setPen(Qt::white);
    p.setFont(title);
    p.drawText(QRect(32, 40, 260, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TRV"));
    QFont line = p.font();
    line.setPixelSize(18);
    line.setBold(false);
    p.setFont(line);
    p.drawText(QRect(34, 110, 260, 26), Qt::AlignLeft | Qt::AlignVCenter, trv::text::kAppTitle);
    p.setPen(QColor(0xb8, 0xcc, 0xe4));
    p.drawText(QRect(34, 136, 260, 26), Qt::AlignLeft | Qt::AlignVCenter, text::kSplashSubtitle);
    QFont small = p.font();
    small.setPixelSize(12);
    p.setFont(small);
    p.drawText(QRect(34, size.height() - 40, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, text::kAboutVersion);
    p.setPen(QColor(255, 255, 255, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(0.5, 0.5), QSizeF(size) - QSizeF(1, 1)));
    p.end();
    return pixmap;
}

QSize treeIconSize()
{
    return {2 * kCell + 2, kCell};
}

QColor openItemTint()
{
    return {0xd6, 0xe6, 0xf8};
}

QIcon treeItemIcon(TreeState state)
{
    const QSize size = treeIconSize();
    return paintedIcon(size, [state](QPainter& p) {
        drawStateImage(p, state);
        drawDeskset(p, QRectF(kCell + 2, 0, kCell, kCell));
        if (state == TreeState::Disabled)
            drawOverlay(p, kCell + 1);
    });
}

QIcon helpIcon()
{
    return paintedIcon({16, 16}, [](QPainter& p) {
        const QRectF disc(1, 1, 14, 14);
        QLinearGradient shade(disc.topLeft(), disc.bottomLeft());
        shade.setColorAt(0, QColor(0x4a, 0x92, 0xde));
        shade.setColorAt(1, kAccent.darker(115));
        p.setPen(QPen(kAccent.darker(140), 1));
        p.setBrush(shade);
        p.drawEllipse(disc);
        QFont font;
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon downloadIcon()
{
    return transferIcon(true);
}

QIcon uploadIcon()
{
    return transferIcon(false);
}

} // namespace trv::app
