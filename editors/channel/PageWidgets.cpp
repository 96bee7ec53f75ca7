#include "editors/channel/PageWidgets.h"

#include "editors/channel/ChannelTexts.h"
#include <QGroupBox>
#include <QLabel>

namespace trv::editors::channel {

QGroupBox* group(QLatin1StringView title, QWidget* parent)
{
    return new QGroupBox(title, parent);
}

QLabel* tptDetectNote(QWidget* parent)
{
    return new QLabel(text::kTptDetectNote, parent);
}

} // namespace trv::editors::channel
