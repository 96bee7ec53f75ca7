#include "editors/channel/PageWidgets.h"

#include "editors/channel/ChannelTexts.h"
#include <QGroupBox>
#include <QLabel>

namespace trv::editors::channel {

QGroupBox* group(const char* title, QWidget* parent)
{
    return new QGroupBox(QString::fromLatin1(title), parent);
}

QLabel* tptDetectNote(QWidget* parent)
{
    return new QLabel(QString::fromLatin1(text::kTptDetectNote), parent);
}

} // namespace trv::editors::channel
