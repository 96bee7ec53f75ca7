#include "app/ShellArt.h"

#include "app/ShellTexts.h"
#include "platform/AppTexts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

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

// A small window: grey title when closed, accent title when open, faded when disabled.
QPixmap stateImage(TreeState state)
{
    QPixmap pixmap = transparentPixmap({kCell, kCell});
    QPainter p(&pixmap);
    const bool disabled = state == TreeState::Disabled;
    const QColor frame = disabled ? QColor(0xa8, 0xad, 0xb3) : kInk;
    const QColor title = state == TreeState::Open ? kAccent : QColor(0xb9, 0xc0, 0xc8);
    p.setPen(frame);
    p.setBrush(disabled ? QColor(0xf0, 0xf0, 0xf0) : Qt::white);
    p.drawRect(2, 3, 11, 10);
    p.fillRect(3, 4, 10, 3, disabled ? QColor(0xdd, 0xdd, 0xdd) : title);
    if (state == TreeState::Open) {
        p.setPen(QPen(kAccent, 1));
        p.drawLine(5, 9, 10, 9);
        p.drawLine(5, 11, 9, 11);
    }
    p.end();
    return pixmap;
}

// Overlay: a "not available" sign in the lower left corner of the item image.
void drawOverlay(QPainter& p, int x)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sign(x, 7, 9, 9);
    p.setPen(QPen(QColor(0xc4, 0x2b, 0x1c), 1.6));
    p.setBrush(Qt::white);
    p.drawEllipse(sign.adjusted(0.8, 0.8, -0.8, -0.8));
    p.drawLine(QPointF(sign.left() + 2.4, sign.bottom() - 2.4),
               QPointF(sign.right() - 2.4, sign.top() + 2.4));
}

QIcon transferIcon(bool down)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap = transparentPixmap({size, size});
        QPainter p(&pixmap);
        drawDeskset(p, QRectF(0, size * 0.25, size * 0.75, size * 0.75));
        const qreal u = size / 16.0;
        QPainterPath arrow;
        const qreal x = 12 * u;
        if (down) { // from the deskset into the tool: arrow pointing down
            arrow.moveTo(x - 3.5 * u, 8 * u);
            arrow.lineTo(x + 3.5 * u, 8 * u);
            arrow.lineTo(x, 12.5 * u);
            arrow.closeSubpath();
            arrow.addRect(QRectF(x - 1.4 * u, 1 * u, 2.8 * u, 7.2 * u));
        } else {
            arrow.moveTo(x - 3.5 * u, 5.5 * u);
            arrow.lineTo(x + 3.5 * u, 5.5 * u);
            arrow.lineTo(x, 1 * u);
            arrow.closeSubpath();
            arrow.addRect(QRectF(x - 1.4 * u, 5.3 * u, 2.8 * u, 7.2 * u));
        }
        p.setPen(QPen(QColor(0x0f, 0x4a, 0x8a), 0.8 * u));
        p.setBrush(down ? QColor(0x2e, 0x9d, 0x4f) : kAccent);
        p.drawPath(arrow.simplified());
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap = transparentPixmap({size, size});
        QPainter p(&pixmap);
        drawDeskset(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap splashPicture()
{
    const QSize size(440, 260);
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x17, 0x3f, 0x6e));
    sky.setColorAt(1, QColor(0x0b, 0x1f, 0x38));
    p.fillRect(pixmap.rect(), sky);
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
    p.drawText(QRect(34, 110, 260, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(trv::text::kAppTitle));
    p.setPen(QColor(0xb8, 0xcc, 0xe4));
    p.drawText(QRect(34, 136, 260, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(text::kSplashSubtitle));
    QFont small = p.font();
    small.setPixelSize(12);
    p.setFont(small);
    p.drawText(QRect(34, size.height() - 40, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(text::kAboutVersion));
    p.setPen(QColor(255, 255, 255, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    p.end();
    return pixmap;
}

QSize treeIconSize()
{
    return {2 * kCell + 2, kCell};
}

QIcon treeItemIcon(TreeState state)
{
    QPixmap pixmap = transparentPixmap(treeIconSize());
    QPainter p(&pixmap);
    p.drawPixmap(0, 0, stateImage(state));
    drawDeskset(p, QRectF(kCell + 2, 0, kCell, kCell));
    if (state == TreeState::Disabled)
        drawOverlay(p, kCell + 1);
    p.end();
    return QIcon(pixmap);
}

QIcon helpIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap = transparentPixmap({size, size});
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
        QLinearGradient shade(disc.topLeft(), disc.bottomLeft());
        shade.setColorAt(0, QColor(0x4a, 0x92, 0xde));
        shade.setColorAt(1, kAccent.darker(115));
        p.setPen(QPen(kAccent.darker(140), size / 16.0));
        p.setBrush(shade);
        p.drawEllipse(disc);
        QFont font;
        font.setPixelSize(qRound(size * 0.7));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
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
