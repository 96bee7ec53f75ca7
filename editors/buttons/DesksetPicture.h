// The picture of the deskset, drawn by the deskset art (sheet/DesksetArt.h) scaled to the widget,
// with the 18 programmable buttons (three columns of six, each with its short label to its right)
// and, on a multi-channel deskset, the eight channel keys laid over it. Buttons, labels and the
// drawing scale together, so the picture reads the same at any display scale.
#pragma once

#include "sheet/DesksetArt.h"

#include <QTransform>
#include <QWidget>

#include <array>

namespace trv::editors {

class CUniButton;
class ColoredStatic;

class DesksetPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = sheet::art::kColumns;
    static constexpr int kRows = sheet::art::kRows;
    static constexpr int kButtons = sheet::art::kButtons;
    static constexpr int kChannelKeys = sheet::art::kChannelKeys;

    explicit DesksetPicture(QWidget* parent = nullptr);

    // The single-channel deskset has no channel keys and a different right-hand panel.
    void setMultiChannel(bool multiChannel);
    bool multiChannel() const { return multiChannel_; }

    CUniButton* button(int k) const { return buttons_[k]; }
    ColoredStatic* label(int k) const { return labels_[k]; }
    ColoredStatic* channelKey(int k) const { return channelKeys_[k]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void buttonClicked(int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Design space to widget: uniform scale, centred.
    QTransform designToWidget() const;
    // How much larger than the design size the picture is drawn for the current font.
    qreal fontScale() const;
    void placeChildren();

    bool multiChannel_ = true;
    std::array<CUniButton*, kButtons> buttons_{};
    std::array<ColoredStatic*, kButtons> labels_{};
    std::array<ColoredStatic*, kChannelKeys> channelKeys_{};
};

} // namespace trv::editors
