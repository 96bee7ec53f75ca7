#include "sheet/DesksetArt.h"

#include "editors/buttons/ButtonTexts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace trv::sheet::art {

namespace {

constexpr QRectF kBody(6, 6, 444, 453);
constexpr QRectF kDisplay(24, 24, 250, 56);
constexpr QRectF kSpeaker(290, 24, 142, 56);
constexpr QRectF kButtonField(18, 98, 262, 312);
constexpr QRectF kRightPanel(288, 98, 148, 312);
constexpr QRectF kHandsetRest(20, 420, 416, 30);

// Button centres and label strips.
constexpr qreal kButtonDiameter = 28;
constexpr qreal kFirstColumnX = 38, kColumnPitch = 86;
constexpr qreal kFirstRowY = 126, kRowPitch = 51;
constexpr QSizeF kLabelSize(46, 20);
constexpr qreal kLabelGap = 4;

// Channel keys: a Tx and a Sel key per channel, channel 4 at the top.
constexpr QSizeF kChannelKeySize(62, 26);
constexpr qreal kTxKeyX = 296, kSelKeyX = 364, kFirstKeyY = 110, kKeyPitch = 40;

// The paging keypad under the channel keys.
constexpr QSizeF kPadKeySize(36, 22);
constexpr qreal kPadX = 302, kPadY = 276, kPadPitchX = 42, kPadPitchY = 31;
constexpr const char* kPadKeys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"};

const QColor kLabelText(17, 17, 17);
const QColor kLabelBackground(239, 233, 214);
const QColor kTxKey(168, 50, 50);
const QColor kSelKey(79, 89, 102);
const QColor kKeyText(250, 250, 250);
const QColor kButtonFace(0xd8, 0xd6, 0xd0);
const QColor kButtonNumber(0x40, 0x40, 0x40);
constexpr qreal kButtonNumberSize = 11;

QPointF buttonCentre(int k)
{
    return {kFirstColumnX + kColumnPitch * (k / kRows), kFirstRowY + kRowPitch * (k % kRows)};
}

void fillRounded(QPainter& p, const QRectF& r, qreal radius, const QBrush& brush, const QColor& edge)
{
    p.setBrush(brush);
    p.setPen(QPen(edge, 1.5));
    p.drawRoundedRect(r, radius, radius);
}

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void drawHousing(QPainter& p)
{
    fillRounded(p, kBody.translated(3, 4), 18, QColor(0, 0, 0, 50), Qt::transparent); // shadow
    fillRounded(p, kBody, 18, vertical(kBody, QColor(0x5a, 0x60, 0x69), QColor(0x33, 0x37, 0x3d)),
                QColor(0x1e, 0x21, 0x26));
    // The lighter top edge of the housing.
    p.setPen(QPen(QColor(255, 255, 255, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kBody.adjusted(3, 3, -3, -3), 15, 15);
}

void drawDisplayAndSpeaker(QPainter& p)
{
    fillRounded(p, kDisplay.adjusted(-4, -4, 4, 4), 8, QColor(0x15, 0x17, 0x1a), QColor(0x0c, 0x0d, 0x0f));
    fillRounded(p, kDisplay, 4, vertical(kDisplay, QColor(0xae, 0xd3, 0xa4), QColor(0x82, 0xab, 0x7a)),
                QColor(0x4c, 0x63, 0x48));
    // Two faint rows of character cells.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5c, 0x7d, 0x56, 70));
    for (int row = 0; row < 2; ++row) {
        for (int cell = 0; cell < 20; ++cell)
            p.drawRect(QRectF(kDisplay.left() + 10 + cell * 11.5, kDisplay.top() + 9 + row * 21, 9, 15));
    }

    fillRounded(p, kSpeaker, 8, QColor(0x2a, 0x2d, 0x32), QColor(0x1b, 0x1d, 0x21));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x15, 0x16, 0x19));
    for (int slot = 0; slot < 6; ++slot)
        p.drawRoundedRect(
            QRectF(kSpeaker.left() + 12, kSpeaker.top() + 8 + slot * 7.5, kSpeaker.width() - 24, 3.5), 1.75,
            1.75);
}

void drawButtonField(QPainter& p)
{
    fillRounded(p, kButtonField, 8, QColor(0x2c, 0x30, 0x36), QColor(0x1b, 0x1d, 0x21));
    // A recessed ring round each button hole.
    p.setPen(QPen(QColor(0x16, 0x18, 0x1b), 2));
    p.setBrush(QColor(0x20, 0x23, 0x28));
    for (int k = 0; k < kButtons; ++k)
        p.drawEllipse(buttonRect(k).adjusted(-3, -3, 3, 3));
    // The label strips sit in a frame.
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < kButtons; ++k)
        p.drawRect(labelRect(k).adjusted(-1, -1, 1, 1));
}

void drawChannelPanel(QPainter& p)
{
    fillRounded(p, kRightPanel, 8, QColor(0x2c, 0x30, 0x36), QColor(0x1b, 0x1d, 0x21));
    // Key wells under the channel key faces, and a status lamp between each channel's keys.
    p.setPen(QPen(QColor(0x16, 0x18, 0x1b), 2));
    p.setBrush(QColor(0x20, 0x23, 0x28));
    for (int k = 0; k < kChannelKeys; ++k)
        p.drawRoundedRect(channelKeyRect(k).adjusted(-3, -3, 3, 3), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6e, 0xd0, 0x5a));
    for (int channel = 0; channel < kChannelKeys / 2; ++channel)
        p.drawEllipse(QPointF((kTxKeyX + kChannelKeySize.width() + kSelKeyX) / 2,
                              kFirstKeyY + kKeyPitch * channel + kChannelKeySize.height() + 5.5),
                      2.5, 2.5);
}

void drawSingleChannelPanel(QPainter& p)
{
    fillRounded(p, kRightPanel, 8, QColor(0x2c, 0x30, 0x36), QColor(0x1b, 0x1d, 0x21));
    // Volume knob with its pointer and scale.
    const QPointF knob(kRightPanel.center().x(), 156);
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 1.5));
    for (int tick = 0; tick <= 10; ++tick) {
        QTransform r;
        r.translate(knob.x(), knob.y());
        r.rotate(-135 + tick * 27);
        p.drawLine(r.map(QLineF(0, -36, 0, -41)));
    }
    QRadialGradient face(knob - QPointF(8, 8), 40);
    face.setColorAt(0, QColor(0x7a, 0x80, 0x89));
    face.setColorAt(1, QColor(0x26, 0x29, 0x2e));
    p.setBrush(face);
    p.setPen(QPen(QColor(0x14, 0x16, 0x19), 2));
    p.drawEllipse(knob, 30, 30);
    p.setPen(QPen(QColor(0xee, 0xee, 0xee), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(knob, knob + QPointF(-14, -18));
    // The transmit bar.
    const QRectF bar(kRightPanel.left() + 14, 214, kRightPanel.width() - 28, 32);
    fillRounded(p, bar.adjusted(-3, -3, 3, 3), 7, QColor(0x20, 0x23, 0x28), QColor(0x16, 0x18, 0x1b));
    fillRounded(p, bar, 5, vertical(bar, kTxKey.lighter(125), kTxKey.darker(120)), kTxKey.darker(160));
}

void drawKeypad(QPainter& p, const QFont& font)
{
    QFont digits = font;
    digits.setPixelSize(12);
    digits.setBold(true);
    p.setFont(digits);
    for (int key = 0; key < 12; ++key) {
        const QRectF r(QPointF(kPadX + kPadPitchX * (key % 3), kPadY + kPadPitchY * (key / 3)), kPadKeySize);
        fillRounded(p, r, 4, vertical(r, QColor(0xe6, 0xe3, 0xda), QColor(0xbf, 0xbb, 0xb0)),
                    QColor(0x14, 0x16, 0x19));
        p.setPen(QColor(0x22, 0x22, 0x22));
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(kPadKeys[key]));
    }
}

void drawHandsetRest(QPainter& p)
{
    fillRounded(p, kHandsetRest, 10,
                vertical(kHandsetRest, QColor(0x26, 0x29, 0x2e), QColor(0x1a, 0x1c, 0x20)),
                QColor(0x12, 0x13, 0x16));
    // Microphone grille at the left end.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0c, 0x0d, 0x0f));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 10; ++col)
            p.drawEllipse(QPointF(kHandsetRest.left() + 16 + col * 8, kHandsetRest.top() + 8 + row * 7), 1.8,
                          1.8);
    }
}

// A raised round button lit from the top left.
void drawButton(QPainter& p, const QRectF& disc)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kButtonFace);
    p.drawEllipse(disc);
    const QRectF bevel = disc.adjusted(1, 1, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kButtonFace.lighter(130), 2));
    p.drawArc(bevel, 45 * 16, 180 * 16);
    p.setPen(QPen(kButtonFace.darker(160), 2));
    p.drawArc(bevel, 225 * 16, 180 * 16);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1));
    p.drawEllipse(disc);
}

void drawStrip(QPainter& p, const QRectF& r, const QColor& text, const QColor& background,
               const QString& label)
{
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRect(r);
    p.setPen(text);
    p.drawText(r, Qt::AlignCenter, label);
}

} // namespace

QRectF buttonRect(int k)
{
    const QPointF c = buttonCentre(k);
    return {c.x() - kButtonDiameter / 2, c.y() - kButtonDiameter / 2, kButtonDiameter, kButtonDiameter};
}

QRectF labelRect(int k)
{
    const QPointF c = buttonCentre(k);
    return {QPointF(c.x() + kButtonDiameter / 2 + kLabelGap, c.y() - kLabelSize.height() / 2), kLabelSize};
}

QRectF channelKeyRect(int k)
{
    return {QPointF(k % 2 == 0 ? kTxKeyX : kSelKeyX, kFirstKeyY + kKeyPitch * (k / 2)), kChannelKeySize};
}

QColor labelTextColor()
{
    return kLabelText;
}

QColor labelBackgroundColor()
{
    return kLabelBackground;
}

QColor channelKeyTextColor()
{
    return kKeyText;
}

QColor channelKeyColor(int k)
{
    return k % 2 == 0 ? kTxKey : kSelKey;
}

void paintBody(QPainter& p, bool multiChannel, const QFont& font)
{
    drawHousing(p);
    drawDisplayAndSpeaker(p);
    drawButtonField(p);
    if (multiChannel)
        drawChannelPanel(p);
    else
        drawSingleChannelPanel(p);
    drawKeypad(p, font);
    drawHandsetRest(p);
}

void paintFace(QPainter& p, bool multiChannel, const std::array<QString, kButtons>& labels, const QFont& font)
{
    paintBody(p, multiChannel, font);
    QFont labelFont = font;
    labelFont.setPixelSize(static_cast<int>(kLabelFontSize));
    labelFont.setBold(true);
    p.setFont(labelFont);
    QFont numberFont = labelFont;
    numberFont.setPixelSize(static_cast<int>(kButtonNumberSize));
    for (int k = 0; k < kButtons; ++k) {
        drawButton(p, buttonRect(k).adjusted(0.5, 0.5, -0.5, -0.5));
        // Paper has no pointer to show which button is which: each face carries its number.
        p.setFont(numberFont);
        p.setPen(kButtonNumber);
        p.drawText(buttonRect(k), Qt::AlignCenter, QString::number(k + 1));
        p.setFont(labelFont);
        drawStrip(p, labelRect(k), kLabelText, kLabelBackground, labels[static_cast<std::size_t>(k)]);
    }
    if (multiChannel)
        for (int k = 0; k < kChannelKeys; ++k)
            drawStrip(p, channelKeyRect(k), kKeyText, channelKeyColor(k),
                      editors::buttons::text::kChannelKeys[k]);
}

QImage faceImage(bool multiChannel, const std::array<QString, kButtons>& labels, const QFont& font,
                 qreal scale)
{
    QImage image((kDesignSize * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    paintFace(p, multiChannel, labels, font);
    return image;
}

} // namespace trv::sheet::art
