// Widgets several channel pages put up alike.
#pragma once

#include <QLatin1StringView>

class QGroupBox;
class QLabel;
class QWidget;

namespace trv::editors::channel {

// A group box titled with one of the page texts.
QGroupBox* group(QLatin1StringView title, QWidget* parent);
// The note under a column of talk permit tone detection check boxes.
QLabel* tptDetectNote(QWidget* parent);

} // namespace trv::editors::channel
