#include "editors/buttons/DesksetPicture.h"

#include "editors/buttons/ButtonTexts.h"
#include "editors/buttons/CUniButton.h"
#include "editors/common/ColoredStatic.h"
#include "sheet/DesksetArt.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace trv::editors {

namespace btext = buttons::text;
namespace art = sheet::art;

namespace {
constexpr qreal kFontHeightAtDesignSize = 16; // a larger system font draws the picture larger
} // namespace

DesksetPicture::DesksetPicture(QWidget* parent) : QWidget(parent)
{
    for (int k = 0; k < kButtons; ++k) {
        // Tab order follows the table: down each column, then the next column.
        buttons_[k] = new CUniButton(this);
        buttons_[k]->setAccessibleName(QString(btext::kButtonName).arg(k + 1));
        connect(buttons_[k], &CUniButton::clicked, this, [this, k] { emit buttonClicked(k); });
        labels_[k] = new ColoredStatic(QString(), this);
        labels_[k]->setColors(art::labelTextColor(), art::labelBackgroundColor());
    }
    for (int k = 0; k < kChannelKeys; ++k) {
        channelKeys_[k] = new ColoredStatic(btext::kChannelKeys[k], this);
        channelKeys_[k]->setColors(art::channelKeyTextColor(), art::channelKeyColor(k));
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void DesksetPicture::setMultiChannel(bool multiChannel)
{
    multiChannel_ = multiChannel;
    for (ColoredStatic* key : channelKeys_)
        key->setVisible(multiChannel);
    update();
}

qreal DesksetPicture::fontScale() const
{
    return std::max<qreal>(1.0, fontMetrics().height() / kFontHeightAtDesignSize);
}

QSize DesksetPicture::sizeHint() const
{
    return (art::kDesignSize * fontScale()).toSize();
}

QSize DesksetPicture::minimumSizeHint() const
{
    return sizeHint();
}

QTransform DesksetPicture::designToWidget() const
{
    const qreal scale = std::min(width() / art::kDesignSize.width(), height() / art::kDesignSize.height());
    QTransform t;
    t.translate((width() - art::kDesignSize.width() * scale) / 2,
                (height() - art::kDesignSize.height() * scale) / 2);
    t.scale(scale, scale);
    return t;
}

void DesksetPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void DesksetPicture::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void DesksetPicture::placeChildren()
{
    const QTransform t = designToWidget();
    QFont labelFont = font();
    labelFont.setPixelSize(std::max(1, qRound(art::kLabelFontSize * t.m11())));
    labelFont.setBold(true);
    for (int k = 0; k < kButtons; ++k) {
        buttons_[k]->setGeometry(t.mapRect(art::buttonRect(k)).toRect());
        labels_[k]->setGeometry(t.mapRect(art::labelRect(k)).toRect());
        labels_[k]->setFont(labelFont);
    }
    for (int k = 0; k < kChannelKeys; ++k) {
        channelKeys_[k]->setGeometry(t.mapRect(art::channelKeyRect(k)).toRect());
        channelKeys_[k]->setFont(labelFont);
    }
}

void DesksetPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(designToWidget());
    art::paintBody(p, multiChannel_, font());
}

} // namespace trv::editors
