// The deskset picture as vector art in a fixed design space: the housing, display, speaker, button
// field, channel panel (multi-channel) or volume panel (single channel), keypad and handset rest.
// The buttons window paints it under its button and label widgets, placed at the rectangles below;
// the configuration sheet paints the whole face, buttons and labels included, with no widgets.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>

class QFont;
class QPainter;

namespace trv::sheet::art {

inline constexpr int kColumns = 3;
inline constexpr int kRows = 6;
inline constexpr int kButtons = kColumns * kRows;
inline constexpr int kChannelKeys = 8;

// The design space; every rectangle below is in its units.
inline constexpr QSizeF kDesignSize(456, 465);
// The label font's pixel size in design units.
inline constexpr qreal kLabelFontSize = 12;

// Programmable button k: column k / 6, row k % 6; its label strip lies to its right.
QRectF buttonRect(int k);
QRectF labelRect(int k);
// Channel keys in picture order: Tx 4, Sel 4, Tx 3, ... Sel 1.
QRectF channelKeyRect(int k);

QColor labelTextColor();
QColor labelBackgroundColor();
QColor channelKeyTextColor();
QColor channelKeyColor(int k);

// The housing and everything printed on it, without the buttons, their labels and the channel
// keys (the buttons window shows those as widgets). `font` is the family the keypad digits use.
void paintBody(QPainter& p, bool multiChannel, const QFont& font);

// The whole face as the buttons window shows it: the body, then each button (with its number, 1
// to 18, as the sheet's button table counts them), its label and, on a multi-channel deskset,
// the channel keys with their names.
void paintFace(QPainter& p, bool multiChannel, const std::array<QString, kButtons>& labels,
               const QFont& font);

// The face drawn into an image `scale` times the design size (white round the housing).
QImage faceImage(bool multiChannel, const std::array<QString, kButtons>& labels, const QFont& font,
                 qreal scale);

} // namespace trv::sheet::art
