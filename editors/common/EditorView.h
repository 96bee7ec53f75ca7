// Base of every editor window's view: a form bound to the open database, shown in a CChildFrame.
#pragma once

#include "database/CTRVDoc.h"
#include "database/Image.h"
#include "editors/common/EditorHost.h"

#include <QWidget>

class QAbstractButton;

namespace trv::editors {

struct EditorDescriptor;

// Posted by an editor to its own frame to close it after the current event.
inline constexpr int kCloseFrameEvent = 0x80CC;

class EditorView : public QWidget, public db::EditorWindow {
    Q_OBJECT
public:
    EditorView(EditorHost& host, QWidget* parent = nullptr);

    virtual EditorKind kind() const = 0;
    // The tree label of the window's item ("Deskset Configuration", "Channel 2", ...) and its help
    // context: the catalogue's for the view's kind and channel (editors/EditorCatalog.h).
    virtual QString treeLabel() const;
    virtual int helpContext() const;
    // The channel a channel view shows (0..3); -1 for every other view.
    virtual int channelIndex() const { return -1; }

    // Reads the values from the image into the controls (the editor's open step).
    virtual void initialFill() = 0;

    // Another window changed the image (EditorHost::notifyImageChanged); by default ignored.
    virtual void imageChanged(const ImageChange& /*change*/) {}
    // The window is closing, for whatever reason (its own Cancel or OK, the close box, the
    // database closing); called once by the frame, before the tree is told.
    virtual void viewClosing() {}

    // The control a new window gives the keyboard focus; nullptr: the view itself.
    virtual QWidget* initialFocus() const { return nullptr; }
    // Enter presses the focused push button, else this one (when shown and enabled); none: Enter
    // does nothing of the window's own.
    virtual QAbstractButton* defaultButton() const { return nullptr; }
    // Escape presses this one.
    virtual QAbstractButton* cancelButton() const { return nullptr; }

protected:
    EditorHost& host() const { return host_; }
    // The database image the view reads on open and writes on its commit.
    db::Image& image() const { return db::theImage(); }
    // Asks the frame to close once the current event has been handled.
    void closeFrame();
    // Titles the frame, sizes it to fit the form and moves it to the top-left of the client area.
    void placeFrame(const QString& title);

    bool event(QEvent* event) override; // claims F1 before any application shortcut
    // F1 opens the view's help context; Enter and Escape press the window's buttons.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The catalogue's entry of this window (channelIndex() 0..3 is channel 1..4, -1 none).
    const EditorDescriptor* descriptor() const;

    EditorHost& host_;
};

} // namespace trv::editors
