// The help file "Trv.HLP": HTML pages compiled into the program, one per context number
// (":/help/<context>.html"). Context 0 is the contents, which lists every page.
#pragma once

#include <QPointer>
#include <QWidget>

class QTextBrowser;

namespace trv::app {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // True when a page exists for the context; other contexts open nothing.
    static bool hasContext(int context);
    // Shows the page of the context and returns true, or does nothing and returns false.
    // Asked from a modal dialog, the window stands beside the dialog rather than over its
    // buttons, above it, and both take input until the dialog closes (help stays open then).
    // Asked for an editor window (`editor`, its frame), it stands to the editor's right when the
    // screen has room, else at the screen's right edge, and never over the editor's focused field.
    bool showContext(int context, const QWidget* editor = nullptr);
    int currentContext() const { return context_; }
    // The modal dialog the window serves now, if any.
    const QWidget* dialog() const { return dialog_; }
    QTextBrowser* browser() const { return browser_; }

    // The contents page: the page of context 0 followed by a link to every other page.
    static QString contentsHtml();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the page in the window as it stands (a link, Contents).
    bool showPage(int context);
    void onAnchor(const QUrl& url);
    void serveDialog(QWidget* dialog);
    void leaveDialog();
    // Makes the window one of `owner`'s, of the given kind (a plain window, or a dialog window).
    void setOwner(const QWidget* owner, Qt::WindowType type);
    void placeBeside(const QWidget* dialog);
    void placeBesideEditor(const QWidget* editor);

    QTextBrowser* browser_;
    int context_ = -1;
    QPointer<QWidget> dialog_;
};

} // namespace trv::app
