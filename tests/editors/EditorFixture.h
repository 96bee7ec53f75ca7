// What every editor widget test needs: a fresh new database, a fake shell, an MDI area whose frame
// closes on the close-frame event like the shell's, message boxes answered from a script, and
// helpers that drive the form the way a user does (by the labels the user reads).
#pragma once

#include "database/NewDatabase.h"
#include "editors/EditorCatalog.h"
#include "editors/common/EditorView.h"
#include "platform/MessageBox.h"
#include "tests/editors/FakeEditorHost.h"
#include "tests/support/MessageScript.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace trv::test {

// The shell's editor frame as far as editors rely on it: it closes on the close-frame event and tells
// its view once that it is closing.
class TestFrame : public QMdiSubWindow {
public:
    TestFrame() { setAttribute(Qt::WA_DeleteOnClose); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMdiSubWindow::closeEvent(event);
        if (!event->isAccepted() || std::exchange(told_, true))
            return;
        if (auto* view = qobject_cast<editors::EditorView*>(widget()))
            view->viewClosing();
    }

    bool event(QEvent* event) override
    {
        if (event->type() == static_cast<QEvent::Type>(editors::kCloseFrameEvent)) {
            close();
            return true;
        }
        return QMdiSubWindow::event(event);
    }

private:
    bool told_ = false;
};

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        db::closeDatabase();
        db::newDatabase();
        area.resize(1200, 900);
        area.show();
    }

    void TearDown() override
    {
        EXPECT_TRUE(boxes.allAnswered()) << "a scripted answer was not used";
        area.closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        db::closeDatabase();
    }

    // Opens the view the way the shell does: in a frame of the client area, then its open step.
    template <class View> View* openView()
    {
        auto* view = new View(host);
        show(view);
        return view;
    }

    // Opens the view of a kind's windows, as the shell's editor command does.
    editors::EditorView* openKind(editors::EditorKind kind)
    {
        editors::EditorView* view = editors::viewFactory(kind)(host, nullptr);
        show(view);
        return view;
    }

    void show(editors::EditorView* view)
    {
        frame = new TestFrame;
        frame->setWidget(view);
        area.addSubWindow(frame);
        frame->show();
        view->initialFill();
        area.setActiveSubWindow(frame);
        QApplication::setActiveWindow(&area);
    }

    // Lets posted events run (the close-frame event among them) and reports whether the frame closed.
    bool frameClosed()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frame.isNull() || !frame->isVisible();
    }

    // The control a label (with its "&") names.
    template <class Control = QWidget> Control* labelled(const char* label) const
    {
        for (QLabel* caption : frame->findChildren<QLabel*>())
            if (caption->text() == QString::fromLatin1(label))
                return qobject_cast<Control*>(caption->buddy());
        ADD_FAILURE() << "no control labelled " << label;
        return nullptr;
    }

    template <class Button = QAbstractButton> Button* button(const char* text) const
    {
        for (Button* b : frame->findChildren<Button*>())
            if (b->text() == QString::fromLatin1(text))
                return b;
        ADD_FAILURE() << "no button " << text;
        return nullptr;
    }

    // Opens the list and clicks the entry with this text.
    static void pick(QComboBox* box, const QString& entry)
    {
        const int index = box->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        box->showPopup();
        QAbstractItemView* list = box->view();
        const QModelIndex item = list->model()->index(index, box->modelColumn());
        list->scrollTo(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
        ASSERT_EQ(box->currentIndex(), index) << entry.toStdString();
    }

public:
    // Replaces the edit's text by typing, as a user does after selecting it all.
    static void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Clicks a button where the user would: a check box on its box, which is not at the centre of
    // a check box wider than its text.
    static void click(QAbstractButton* b)
    {
        QPoint at = b->rect().center();
        if (auto* box = qobject_cast<QCheckBox*>(b)) {
            QStyleOptionButton option;
            option.initFrom(box);
            at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
        }
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }

protected:
    FakeEditorHost host;
    QPointer<TestFrame> frame;
    testsupport::MessageScript boxes; // the answers to the next message boxes, and every box shown
    QMdiArea area;                    // stands for the main window's client area
};

} // namespace trv::test
