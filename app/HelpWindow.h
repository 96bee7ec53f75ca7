// The help file "Trv.HLP": HTML pages compiled into the program, one per context number
// (":/help/<context>.html"). Context 0 is the contents, which lists every page.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace trv::app {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // True when a page exists for the context; other contexts open nothing.
    static bool hasContext(int context);
    // Shows the page of the context and returns true, or does nothing and returns false. Asked
    // from a modal dialog, the window is modal itself while it is shown, so that it can be used
    // with the dialog still open, and stands beside the dialog rather than over its buttons.
    bool showContext(int context);
    int currentContext() const { return context_; }
    QTextBrowser* browser() const { return browser_; }

    // The contents page: the page of context 0 followed by a link to every other page.
    static QString contentsHtml();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void onAnchor(const QUrl& url);
    void placeBeside(const QWidget* dialog);

    QTextBrowser* browser_;
    int context_ = -1;
};

} // namespace trv::app
