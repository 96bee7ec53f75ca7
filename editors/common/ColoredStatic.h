// A static text whose text and background colours can be set; an invalid QColor selects the system
// button-text and button-face colours. It fills its whole rectangle with the background colour.
#pragma once

#include <QColor>
#include <QWidget>

namespace trv::editors {

class ColoredStatic : public QWidget {
    Q_OBJECT
public:
    explicit ColoredStatic(const QString& text = {}, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void setColors(const QColor& text, const QColor& background);
    QColor textColor() const;
    QColor backgroundColor() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor textColor_;
    QColor background_;
};

} // namespace trv::editors
