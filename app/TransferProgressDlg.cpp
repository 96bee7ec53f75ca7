#include "app/TransferProgressDlg.h"

#include "app/ShellTexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace trv::app {

TransferProgressDlg::TransferProgressDlg(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), text_(text), line_(new QLabel(text, this)),
      bar_(new QProgressBar(this)), button_(new QPushButton(text::kProgressOk, this))
{
    setObjectName(QStringLiteral("TransferProgressDlg"));
    setModal(true);
    line_->setObjectName(QStringLiteral("progressText"));
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, kRange);
    bar_->setTextVisible(false);
    button_->setObjectName(QStringLiteral("progressButton"));
    button_->setDefault(true);
    button_->hide();
    connect(button_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(button_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(line_);
    layout->addWidget(bar_);
    layout->addLayout(buttonRow);
    // Keep the height of the finished window from the start, so the button does not move things.
    QSizePolicy keep = button_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    button_->setSizePolicy(keep);
    setFixedSize(300, 96);
}

void TransferProgressDlg::start()
{
    bar_->setValue(0);
    step();
    open();
}

void TransferProgressDlg::setText(const QString& text)
{
    text_ = text;
    line_->setText(text);
}

int TransferProgressDlg::position() const
{
    return bar_->value();
}

void TransferProgressDlg::setPosition(int position)
{
    bar_->setValue(std::clamp(position, 0, kRange));
}

void TransferProgressDlg::step()
{
    setPosition(position() + kStep);
}

void TransferProgressDlg::end(const QString& text, bool cancelCaption)
{
    setText(text);
    button_->setText(QString(cancelCaption ? text::kProgressCancel : text::kProgressOk));
    button_->show();
    button_->setFocus();
}

bool TransferProgressDlg::hasEnded() const
{
    return !button_->isHidden();
}

void TransferProgressDlg::keyPressEvent(QKeyEvent* event)
{
    // While the transfer runs the window has no way to close; once it has ended Escape works
    // like the button.
    if (event->key() == Qt::Key_Escape && !hasEnded())
        return;
    QDialog::keyPressEvent(event);
}

void TransferProgressDlg::closeEvent(QCloseEvent* event)
{
    if (!hasEnded()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace trv::app
