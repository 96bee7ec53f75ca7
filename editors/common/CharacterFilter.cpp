#include "editors/common/CharacterFilter.h"

#include "database/TextSlot.h"

#include <QLineEdit>

#include <algorithm>
#include <vector>

namespace trv::editors {

CharacterFilter::CharacterFilter(QLineEdit* edit, QString allowed, Case letterCase)
    : QObject(edit), edit_(edit), allowed_(std::move(allowed)), case_(letterCase)
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
    const QString text = edit_->text();
    // The kept characters, and for each position of the text the position it becomes.
    QString kept;
    std::vector<qsizetype> place(static_cast<std::size_t>(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        place[static_cast<std::size_t>(i)] = kept.size();
        QChar c = text[i];
        if (!db::isStorableChar(c.unicode()))
            continue;
        // One character for one: a letter whose capital no slot stores (U+00FF, U+00B5) stays as typed.
        if (const QChar upper = c.toUpper(); case_ == Case::Upper && db::isStorableChar(upper.unicode()))
            c = upper;
        kept += c;
    }
    place.back() = kept.size();
    const QString filtered = allowedPrefix(kept, allowed_);
    if (filtered == text)
        return;
    const auto moved = [&](int at) {
        return static_cast<int>(std::min(place[static_cast<std::size_t>(at)], filtered.size()));
    };
    const int caret = moved(edit_->cursorPosition());
    const int selectionStart = edit_->selectionStart();
    const int selectionEnd = edit_->selectionEnd();
    edit_->setText(filtered);
    if (selectionStart >= 0 && moved(selectionEnd) > moved(selectionStart))
        edit_->setSelection(moved(selectionStart), moved(selectionEnd) - moved(selectionStart));
    else
        edit_->setCursorPosition(caret);
}

} // namespace trv::editors
