// Shared pieces of the shell's widget tests: a settings folder per test, scripted message boxes,
// modal dialogs answered from a timer, stand-in editor views and a started application.
#pragma once

#include "app/CDockingWnd.h"
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "app/Registry.h"
#include "database/Image.h"
#include "editors/common/EditorView.h"
#include "platform/MessageBox.h"
#include "tests/support/MessageScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace trv::app::test {

using platform::MessageRequest;
using platform::MsgAnswer;
using platform::MsgButtons;

// Runs action on the next modal dialog of type T as soon as it shows (checked from a timer in
// the dialog's own event loop).
template <typename T> void onNextModal(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start();
}

// An editor view standing in for the real editors: a form with one field.
class FakeEditorView : public editors::EditorView {
public:
    FakeEditorView(editors::EditorHost& host, editors::EditorKind kind, QString label, int channel)
        : EditorView(host), kind_(kind), label_(std::move(label)), channel_(channel),
          field_(new QLineEdit(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(field_);
        setMinimumSize(240, 120);
    }
    editors::EditorKind kind() const override { return kind_; }
    QString treeLabel() const override { return label_; }
    int helpContext() const override { return 125; }
    int channelIndex() const override { return channel_; }
    void initialFill() override
    {
        ++fills;
        placeFrame(label_);
    }
    void imageChanged(const editors::ImageChange& change) override
    {
        if (onImageChanged)
            onImageChanged(*this, change);
    }
    void viewClosing() override
    {
        if (onClosing)
            onClosing(*this);
    }
    void requestClose() { closeFrame(); }
    QLineEdit* field() const { return field_; }
    int fills = 0;
    std::function<void(FakeEditorView&, const editors::ImageChange&)> onImageChanged;
    std::function<void(FakeEditorView&)> onClosing;

private:
    editors::EditorKind kind_;
    QString label_;
    int channel_;
    QLineEdit* field_;
};

// Stands in views for the deskset and channel windows (the kinds tests open), and none for the
// buttons window.
inline void standInFakeEditors(EditorWindows& windows)
{
    using editors::EditorKind;
    windows.standInView(EditorKind::DesksetCfg, [](editors::EditorHost& host, QWidget*) {
        return new FakeEditorView(host, EditorKind::DesksetCfg, QStringLiteral("Deskset Configuration"), -1);
    });
    windows.standInView(EditorKind::Channel, [](editors::EditorHost& host, QWidget*) {
        const int index = host.document().nextChannelIndex();
        return new FakeEditorView(host, EditorKind::Channel, QStringLiteral("Channel %1").arg(index + 1),
                                  index);
    });
    windows.standInView(EditorKind::Buttons, {});
}

// A settings folder and a scratch folder of the test's own.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv("TRV_CONFIG_DIR", dir_.filePath(QStringLiteral("config")).toUtf8());
        db::theImage().fill(0);
        options_.splashMs = 60'000;
        options_.lockSource = [] { return LockStates{}; };
        options_.chooseOpenPath = [this] { return openChoice_; };
        options_.chooseSavePath = [this](const QString& suggested) {
            suggestedName_ = suggested;
            return saveChoice_;
        };
    }

    void TearDown() override
    {
        app_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        db::theImage().fill(0);
        EXPECT_TRUE(boxes_.allAnswered()) << "a message box the test expected did not show";
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Starts the shell as the program does; the splash is closed at once unless keepSplash.
    CMainFrame* start(QStringList arguments = {}, bool keepSplash = false)
    {
        arguments.prepend(QStringLiteral("trv"));
        app_ = std::make_unique<CTRVApp>(options_);
        started_ = app_->initInstance(arguments);
        standInFakeEditors(frame()->editorWindows());
        if (!keepSplash && frame()->splash())
            frame()->splash()->finish();
        return frame();
    }

    // Stores a port so that the start-up check opens no dialog.
    void storePort(int number = 1) { ASSERT_TRUE(Registry::setComPort(number)); }

    CMainFrame* frame() const { return app_->mainFrame(); }
    CDockingWnd* tree() const { return frame()->treeWindow(); }
    // Runs a command and then the commands it posted.
    void run(int command)
    {
        frame()->runCommand(command);
        QCoreApplication::sendPostedEvents();
    }
    void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int editorCount() const { return static_cast<int>(frame()->editorFrames().size()); }
    FakeEditorView* activeView() const
    {
        QMdiSubWindow* active = frame()->workspace()->activeSubWindow();
        return active ? dynamic_cast<FakeEditorView*>(active->widget()) : nullptr;
    }

    QTemporaryDir dir_;
    ShellOptions options_;
    QString openChoice_;    // what the open dialog returns ("" = cancelled)
    QString saveChoice_;    // what the save dialog returns
    QString suggestedName_; // the name the save dialog was offered
    testsupport::MessageScript boxes_;
    std::unique_ptr<CTRVApp> app_;
    bool started_ = false;
};

} // namespace trv::app::test
