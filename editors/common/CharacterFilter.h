// Keeps an edit's text to what its text slot stores and its field allows, as the user types or
// pastes: a character no text slot can store disappears where it was typed; typed letters become
// upper case when the field asks for it; and a character outside the field's own set disappears at
// once together with everything after it (the longest allowed prefix is kept). The caret and the
// selection stay on the characters they were on.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace trv::editors {

class CharacterFilter : public QObject {
    Q_OBJECT
public:
    enum class Case { Upper, AsTyped };

    // An empty `allowed` lets every storable character through.
    CharacterFilter(QLineEdit* edit, QString allowed, Case letterCase = Case::Upper);

    // Changes the allowed characters and filters the text the edit holds now.
    void setAllowed(QString allowed);
    // Filters the edit's current text.
    void apply();

    // The longest prefix of `text` made only of allowed characters.
    static QString allowedPrefix(const QString& text, const QString& allowed);

private:
    QLineEdit* edit_;
    QString allowed_;
    Case case_;
};

} // namespace trv::editors
