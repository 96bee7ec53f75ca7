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
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
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

constexpr Qt::WindowFlags kWindowHints =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

constexpr QSize kPreferredSize(640, 560);
constexpr QSize kSmallestSize(320, 240);

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | kWindowHints), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(text::kHelpCaption, text::kHelpFileName));
    setWindowIcon(applicationIcon());
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::onAnchor);

    auto* contents = new QPushButton(text::kHelpContentsLink, this);
    connect(contents, &QPushButton::clicked, this, [this] { showPage(0); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
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

bool HelpWindow::showPage(int context)
{
    if (!hasContext(context))
        return false;
    browser_->setHtml(context == 0 ? contentsHtml() : readPage(context));
    context_ = context;
    return true;
}

bool HelpWindow::showContext(int context, const QWidget* editor)
{
    if (!showPage(context))
        return false;
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == this)
        dialog = nullptr;
    if (dialog != dialog_)
        leaveDialog();
    const auto place = [&] {
        if (dialog)
            placeBeside(dialog);
        else if (editor)
            placeBesideEditor(editor);
    };
    place();
    if (dialog && dialog != dialog_)
        serveDialog(dialog);
    show();
    place(); // again, now that the window's frame is known
    raise();
    activateWindow();
    return true;
}

// A modal dialog blocks every window but those it owns: while the help window belongs to the
// dialog it takes input beside it, and as a dialog window of its own the window manager keeps it
// above the dialog (a click in the dialog would otherwise raise the dialog and the main window over
// it). The widget stays a child of the main window (so that it outlives the dialog); only the
// window's owner and kind change.
void HelpWindow::serveDialog(QWidget* dialog)
{
    dialog_ = dialog;
    dialog->installEventFilter(this);
    setOwner(dialog, Qt::Dialog);
}

void HelpWindow::leaveDialog()
{
    if (!dialog_)
        return;
    dialog_->removeEventFilter(this);
    dialog_ = nullptr;
    setOwner(parentWidget() ? parentWidget()->window() : nullptr, Qt::Window);
}

void HelpWindow::setOwner(const QWidget* owner, Qt::WindowType type)
{
    const bool shown = isVisible();
    const QRect placed = geometry();
    // The window manager learns the owner when the window is mapped: a shown window is shown again.
    if (windowType() != type)
        setWindowFlags(type | kWindowHints); // hides the window
    else if (shown)
        hide();
    create();
    windowHandle()->setTransientParent(owner ? owner->windowHandle() : nullptr);
    setGeometry(placed);
    if (shown)
        show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog closed: help stays open, a window of the main window again, or of the modal
    // dialog below the one that closed (the dialog that opened it).
    if (watched == dialog_ && event->type() == QEvent::Hide) {
        leaveDialog();
        QWidget* below = QApplication::activeModalWidget();
        if (isVisible() && below && below != this && below != watched)
            serveDialog(below);
    }
    return QWidget::eventFilter(watched, event);
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

void HelpWindow::placeBesideEditor(const QWidget* editor)
{
    const QScreen* screen = editor->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QRect window(editor->mapToGlobal(QPoint(0, 0)), editor->size());
    QSize size = kPreferredSize.boundedTo(room.size() - frame);
    // Right of the editor when it fits, else against the screen's right edge.
    int left = window.right() + 1;
    if (left + size.width() + frame.width() > room.right() + 1)
        left = room.right() + 1 - size.width() - frame.width();
    const int top = std::clamp(window.top(), room.top(), room.bottom() + 1 - size.height() - frame.height());
    // Never over the field the editor's focus is in: beside it on whichever side has more room.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && editor->isAncestorOf(focus)) {
        const QRect field(focus->mapToGlobal(QPoint(0, 0)), focus->size());
        if (QRect(QPoint(left, top), size + frame).intersects(field)) {
            const int rightRoom = room.right() - field.right() - frame.width();
            const int leftRoom = field.left() - room.left() - frame.width();
            if (rightRoom >= leftRoom) {
                left = field.right() + 1;
                size.setWidth(std::min(size.width(), rightRoom));
            } else {
                size.setWidth(std::min(size.width(), leftRoom));
                left = field.left() - size.width() - frame.width();
            }
        }
    }
    resize(size);
    move(left, top);
}

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
            showPage(context);
    }
}

} // namespace trv::app
