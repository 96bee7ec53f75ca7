#include "app/HelpWindow.h"

#include "app/ShellArt.h"
#include "app/ShellTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <map>

namespace trv::app {
namespace {

QString pagePath(int context)
{
    return QStringLiteral(":/help/%1.html").arg(context);
}

QString readPage(int context)
{
    QFile file(pagePath(context));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString pageTitle(const QString& html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto match = title.match(html);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// Links look like "ctx:139".
constexpr const char* kContextScheme = "ctx";

constexpr QSize kPreferredSize(640, 560);
constexpr QSize kSmallestSize(320, 240);

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromLatin1(text::kHelpCaption),
                                                 QString::fromLatin1(text::kHelpFileName)));
    setWindowIcon(applicationIcon());
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::onAnchor);

    auto* contents = new QPushButton(QString::fromLatin1(text::kHelpContentsLink), this);
    connect(contents, &QPushButton::clicked, this, [this] { showContext(0); });
    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(kPreferredSize);
}

bool HelpWindow::hasContext(int context)
{
    return context >= 0 && QFile::exists(pagePath(context));
}

QString HelpWindow::contentsHtml()
{
    QString html = readPage(0);
    std::map<int, QString> topics;
    const QDir dir(QStringLiteral(":/help"));
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        bool ok = false;
        const int context = QFileInfo(name).completeBaseName().toInt(&ok);
        if (ok && context != 0)
            topics[context] = pageTitle(readPage(context));
    }
    QString list = QStringLiteral("<ul>");
    std::multimap<QString, int> byTitle;
    for (const auto& [context, title] : topics)
        byTitle.emplace(title, context);
    for (const auto& [title, context] : byTitle)
        list += QStringLiteral("<li><a href=\"%1:%2\">%3</a></li>")
                    .arg(QLatin1String(kContextScheme))
                    .arg(context)
                    .arg(title.toHtmlEscaped());
    list += QStringLiteral("</ul>");
    html.replace(QStringLiteral("<!--topics-->"), list);
    return html;
}

bool HelpWindow::showContext(int context)
{
    if (!hasContext(context))
        return false;
    const QString html = context == 0 ? contentsHtml() : readPage(context);
    browser_->setHtml(html);
    context_ = context;
    // A window that a modal dialog would block must be modal itself to be usable; its modality
    // can only change while it is hidden.
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == this)
        dialog = nullptr;
    const Qt::WindowModality modality = dialog ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide();
        setWindowModality(modality);
    }
    if (dialog)
        placeBeside(dialog);
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (windowModality() != Qt::NonModal)
        setWindowModality(Qt::NonModal); // opened from the main window next time, it blocks nothing
}

namespace {

// The largest of the free bands right of, left of, below and above clear, inside room.
QRect largestBandAround(const QRect& clear, const QRect& room)
{
    const QRect sides[] = {
        QRect(QPoint(clear.right() + 1, room.top()), room.bottomRight()),
        QRect(room.topLeft(), QPoint(clear.left() - 1, room.bottom())),
        QRect(QPoint(room.left(), clear.bottom() + 1), room.bottomRight()),
        QRect(room.topLeft(), QPoint(room.right(), clear.top() - 1)),
    };
    const auto area = [](const QRect& r) { return r.isValid() ? qint64(r.width()) * r.height() : 0; };
    QRect best = sides[0];
    for (const QRect& side : sides) {
        if (area(side) > area(best))
            best = side;
    }
    return best.intersected(room);
}

// The buttons of the dialog, in screen coordinates.
QRect buttonArea(const QWidget* dialog)
{
    QRect area;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            area |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    }
    return area;
}

} // namespace

void HelpWindow::placeBeside(const QWidget* dialog)
{
    const QScreen* screen = dialog->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size(); // title bar and borders
    // Beside the whole dialog when there is room for it, else at least clear of its buttons.
    QRect band = largestBandAround(dialog->frameGeometry(), room);
    if (band.width() < kSmallestSize.width() + frame.width() ||
        band.height() < kSmallestSize.height() + frame.height())
        band = largestBandAround(buttonArea(dialog), room);
    const QSize size = kPreferredSize.boundedTo(band.size() - frame);
    resize(size);
    move(band.topLeft());
}

void HelpWindow::onAnchor(const QUrl& url)
{
    if (url.scheme() == QLatin1String(kContextScheme)) {
        bool ok = false;
        const int context = url.path().toInt(&ok);
        if (ok)
            showContext(context);
    }
}

} // namespace trv::app
