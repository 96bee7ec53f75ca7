#include "editors/common/CharacterFilter.h"

#include <QLineEdit>

namespace trv::editors {

CharacterFilter::CharacterFilter(QLineEdit* edit, QString allowed)
    : QObject(edit), edit_(edit), allowed_(std::move(allowed))
{
    // Only what the user types is filtered: a loaded value is shown as stored.
    connect(edit_, &QLineEdit::textEdited, this, &CharacterFilter::apply);
}

void CharacterFilter::setAllowed(QString allowed)
{
    allowed_ = std::move(allowed);
    apply();
}

QString CharacterFilter::allowedPrefix(const QString& text, const QString& allowed)
{
    if (allowed.isEmpty())
        return text;
    qsizetype n = 0;
    while (n < text.size() && allowed.contains(text[n]))
        ++n;
    return text.left(n);
}

void CharacterFilter::apply()
{
    const QString filtered = allowedPrefix(edit_->text().toUpper(), allowed_);
    if (filtered == edit_->text())
        return;
    const int caret = edit_->cursorPosition();
    const int selectionStart = edit_->selectionStart();
    const int selectionLength = static_cast<int>(edit_->selectedText().size());
    edit_->setText(filtered);
    const int size = static_cast<int>(filtered.size());
    if (selectionStart >= 0 && selectionStart < size)
        edit_->setSelection(selectionStart, std::min(selectionLength, size - selectionStart));
    else
        edit_->setCursorPosition(std::min(caret, size));
}

} // namespace trv::editors
