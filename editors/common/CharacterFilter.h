// Keeps an edit's text to the characters its field allows: typed letters become upper case, and a
// character that is not allowed disappears at once together with everything after it (the longest
// allowed prefix is kept), the caret and selection staying where they were.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace trv::editors {

class CharacterFilter : public QObject {
    Q_OBJECT
public:
    // An empty `allowed` lets every character through (upper-cased).
    CharacterFilter(QLineEdit* edit, QString allowed);

    // Changes the allowed characters and filters the text the edit holds now.
    void setAllowed(QString allowed);
    // Filters the edit's current text.
    void apply();

    // The longest prefix of `text` made only of allowed characters.
    static QString allowedPrefix(const QString& text, const QString& allowed);

private:
    QLineEdit* edit_;
    QString allowed_;
};

} // namespace trv::editors
