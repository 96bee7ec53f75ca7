#include "app/AboutDlg.h"

#include "app/ShellArt.h"
#include "app/ShellTexts.h"
#include "platform/AppTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace trv::app {

AboutDlg::AboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(text::kAboutCaption);
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(48, 48));
    auto* name =
        new QLabel(QStringLiteral("<b>%1</b><br>%2").arg(trv::text::kAppTitle, text::kAboutProgram), this);
    auto* version = new QLabel(text::kAboutVersion, this);
    version->setObjectName(QStringLiteral("version"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(text::kAboutOk, QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace trv::app
