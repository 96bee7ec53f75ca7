#include "app/HelpWindow.h"

#include "app/ShellArt.h"
#include "app/ShellTexts.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
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
    resize(640, 560);
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
    show();
    raise();
    activateWindow();
    return true;
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
