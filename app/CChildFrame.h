// The frame of one editor window: a caption and a close box, holding exactly one editor view bound
// to the open database. It closes itself on the close-frame event its view posts, and when it goes
// it gives its view its closing hook, takes it off the document's list and tells the tree. While a
// modal dialog of its view runs, every close request is refused, whoever sends it.
#pragma once

#include <QMdiSubWindow>

#include <functional>

namespace trv::db {
class CTRVDoc;
}

namespace trv::editors {
class EditorView;
}

namespace trv::app {

// Whether a modal dialog or message box runs over `window`: a visible modal window whose parents
// lead to it. Closing the window then would destroy the dialog inside its own event loop.
bool modalDialogOpenOver(const QWidget* window);
// Whether any modal dialog or message box runs in the application.
bool anyModalDialogOpen();

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // onClosed receives the view's tree label once the frame has let go of the view.
    CChildFrame(editors::EditorView* view, db::CTRVDoc& document,
                std::function<void(const QString&)> onClosed, QWidget* parent = nullptr);
    ~CChildFrame() override;

    editors::EditorView* view() const { return view_; }
    // Runs the view's closing hook, takes the view off the document's list and tells the tree,
    // once; the frame is about to go.
    void release();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    editors::EditorView* view_;
    db::CTRVDoc* document_;
    std::function<void(const QString&)> onClosed_;
};

} // namespace trv::app
