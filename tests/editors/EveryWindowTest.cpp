// Rules every editor window keeps, checked on each of them: each control is named by its label for
// assistive technology, and the list windows never scroll sideways.
#include "editors/EditorCatalog.h"
#include "editors/channel/ChanCfgFV.h"
#include "editors/channel/ChanWizard.h"
#include "editors/common/ListWindow.h"
#include "tests/editors/EditorFixture.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace trv::editors {
namespace {

constexpr EditorKind kEveryKind[] = {
    EditorKind::DesksetCfg,  EditorKind::Channel,           EditorKind::Buttons,   EditorKind::PagingFormats,
    EditorKind::SpeedPaging, EditorKind::CustomPagingTones, EditorKind::PttAliases};

class EveryWindowTest : public test::EditorFixture {
protected:
    EditorView* open(EditorKind kind) { return openKind(kind); }

    // The controls shown now that take input and are not named by a text of their own.
    static std::vector<QWidget*> namedByALabel(QWidget* view)
    {
        std::vector<QWidget*> controls;
        for (QWidget* w : view->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus)
                continue;
            const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QAbstractSpinBox*>(w);
            if (input && !qobject_cast<QComboBox*>(w->parentWidget())) // a list's own edit is the list's
                controls.push_back(w);
        }
        return controls;
    }

    void expectEveryControlNamed(QWidget* view, const std::string& where)
    {
        for (QWidget* control : namedByALabel(view)) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(accessible, nullptr);
            EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
                << where << ": a " << control->metaObject()->className() << " without a name";
        }
    }
};

TEST_F(EveryWindowTest, EachControlIsNamedByItsLabel)
{
    db::theImage()[0x001E] = 4; // a multi-channel deskset: every button of the buttons window
    for (EditorKind kind : kEveryKind) {
        EditorView* view = open(kind);
        expectEveryControlNamed(view, view->treeLabel().toStdString());
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Every page of the channel window: no keying with stat alert, then tone keying with DTMF decode.
    for (const auto& [keying, signaling] :
         {std::pair{"N&one", "Stat &Alert"}, std::pair{"&Tone", "&DTMF decode"}}) {
        auto* channel = static_cast<channel::ChanCfgFV*>(open(EditorKind::Channel));
        click(button<QRadioButton>(keying));
        click(button<QRadioButton>(signaling));
        if (QLineEdit* id = labelled<QLineEdit>("Des&kset ID"); id && id->isEnabled())
            typeInto(id, QStringLiteral("1"));
        for (;;) {
            expectEveryControlNamed(channel, channel->windowTitle().toStdString());
            if (!channel->wizard()->nextButton()->isVisible())
                break;
            click(channel->wizard()->nextButton());
        }
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The paging formats, speed paging and alias lists keep their columns' widths whatever the number
// of rows: the vertical scroll bar has room of its own and nothing scrolls sideways; the empty
// list's row is shown whole.
TEST_F(EveryWindowTest, ListsNeverScrollSidewaysAndShowTheEmptyRowWhole)
{
    for (EditorKind kind : {EditorKind::PagingFormats, EditorKind::SpeedPaging, EditorKind::PttAliases}) {
        for (bool full : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + (full ? " full" : " empty"));
            EditorView* view = open(kind);
            auto* list = view->findChild<QTreeWidget*>();
            ASSERT_NE(list, nullptr);
            std::vector<int> widths;
            for (int c = 0; c < list->columnCount(); ++c)
                widths.push_back(list->columnWidth(c));
            if (full) {
                list->clear();
                for (int row = 0; row < 250; ++row)
                    list->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("ROW%1").arg(row)}));
            } else {
                QTreeWidgetItem* placeholder = list->topLevelItem(0);
                ASSERT_NE(placeholder, nullptr);
                const int needed = list->fontMetrics().horizontalAdvance(placeholder->text(0));
                EXPECT_GE(list->visualItemRect(placeholder).width(), needed)
                    << placeholder->text(0).toStdString();
            }
            QApplication::processEvents();
            EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
            EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
            for (int c = 0; c < list->columnCount(); ++c)
                EXPECT_EQ(list->columnWidth(c), widths[static_cast<std::size_t>(c)]) << "column " << c;
            frame->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

} // namespace
} // namespace trv::editors
