// The configuration tree and the editor windows: item states and their refresh rules, opening by
// mouse and keys, open-or-activate, closing.
#include "ShellTestSupport.h"

#include "app/CChildFrame.h"
#include "app/CommandEvent.h"
#include "app/EditorWindows.h"
#include "database/Layout.h"
#include "database/NewDatabase.h"
#include "editors/EditorCatalog.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/buttons/DesksetPicture.h"

#include <QMouseEvent>

namespace trv::app::test {
namespace {

// Records the editor commands the tree posts.
class CommandSink : public QObject {
public:
    std::vector<int> commands;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == CommandEvent::eventType()) {
            commands.push_back(static_cast<CommandEvent*>(event)->command());
            return true;
        }
        return QObject::event(event);
    }
};

class TreeTest : public ::testing::Test {
protected:
    TreeTest() : tree_(&sink_)
    {
        db::newDatabase(image_);
        tree_.resize(CDockingWnd::kWidth, 400);
        tree_.show();
    }

    QTreeWidgetItem* item(const char* label) const { return tree_.findItem(QString::fromLatin1(label)); }
    QPoint labelPoint(const char* label) const
    {
        const QRect rect = tree_.tree()->visualItemRect(item(label));
        return QPoint(rect.left() + treeIconSize().width() + 8, rect.center().y());
    }
    void click(const char* label, bool twice = false)
    {
        QWidget* viewport = tree_.tree()->viewport();
        if (twice)
            QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, labelPoint(label));
        else
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, labelPoint(label));
        QCoreApplication::sendPostedEvents(&sink_);
    }

    CommandSink sink_;
    db::Image image_{};
    CDockingWnd tree_;
};

TEST_F(TreeTest, BuildsItemsInOrderWithFoldersExpanded)
{
    QStringList labels;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* node, int depth) {
        labels << QString(depth, QLatin1Char('.')) + node->text(0);
        for (int k = 0; k < node->childCount(); ++k)
            walk(node->child(k), depth + 1);
    };
    walk(tree_.tree()->topLevelItem(0), 0);
    EXPECT_EQ(labels,
              (QStringList{"New", ".Deskset Configuration", "..Channel 1", "..Channel 2", "..Channel 3",
                           "..Channel 4", ".Buttons Configuration", ".Paging", "..Paging Formats",
                           "..Speed Paging", "..Custom Paging Tones", ".PTT ID Aliases"}));
    EXPECT_TRUE(tree_.tree()->topLevelItem(0)->isExpanded());
    EXPECT_TRUE(item("Deskset Configuration")->isExpanded());
    EXPECT_TRUE(item("Paging")->isExpanded());
    EXPECT_EQ(tree_.windowTitle(), "Docking Tree Window");
    EXPECT_EQ(tree_.features(), QDockWidget::NoDockWidgetFeatures);
}

TEST_F(TreeTest, SearchNeverReturnsTheRoot)
{
    tree_.setRootLabel("Channel 1");
    ASSERT_NE(item("Channel 1"), nullptr);
    EXPECT_NE(item("Channel 1"), tree_.tree()->topLevelItem(0));
    tree_.setItemDisabled("Channel 1", true);
    EXPECT_FALSE(tree_.tree()->topLevelItem(0)->isDisabled());
}

TEST_F(TreeTest, RefreshRulesFollowDesksetTypeAndPagingFormats)
{
    tree_.refreshAllStates(image_);
    EXPECT_EQ(tree_.itemState("Channel 2"), TreeState::Disabled);
    EXPECT_EQ(tree_.itemState("Speed Paging"), TreeState::Disabled);

    image_[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    db::writeText(image_, db::kPagingFormats.record(15), db::paging::kLabelSize, "ALLCALL");
    tree_.refreshAllStates(image_);
    for (const char* label : {"Channel 1", "Channel 2", "Channel 3", "Channel 4", "Speed Paging"})
        EXPECT_EQ(tree_.itemState(label), TreeState::Normal) << label;

    // An unknown deskset type leaves the channel items as they are.
    tree_.setItemDisabled("Channel 3", true);
    image_[db::deskset::kDesksetType] = 2;
    tree_.refreshAllStates(image_);
    EXPECT_EQ(tree_.itemState("Channel 3"), TreeState::Disabled);
    EXPECT_EQ(tree_.itemState("Channel 2"), TreeState::Normal);

    // A label that fills all eight bytes counts; one that starts with a zero byte does not.
    image_[db::kPagingFormats.record(15)] = 0;
    db::writeText(image_, db::kPagingFormats.record(3), db::paging::kLabelSize, "ABCDEFGH");
    tree_.refreshSpeedPagingItem(image_);
    EXPECT_EQ(tree_.itemState("Speed Paging"), TreeState::Normal);
    image_[db::kPagingFormats.record(3)] = 0;
    tree_.refreshSpeedPagingItem(image_);
    EXPECT_EQ(tree_.itemState("Speed Paging"), TreeState::Disabled);
}

TEST_F(TreeTest, RefreshChannelItemsLeavesChannel1Alone)
{
    tree_.setItemDisabled("Channel 1", true);
    image_[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    tree_.refreshChannelItems(image_);
    EXPECT_EQ(tree_.itemState("Channel 1"), TreeState::Disabled);
    EXPECT_EQ(tree_.itemState("Channel 4"), TreeState::Normal);
    image_[db::deskset::kDesksetType] = db::deskset::kSingleChannel;
    tree_.refreshChannelItems(image_);
    EXPECT_EQ(tree_.itemState("Channel 4"), TreeState::Disabled);
}

TEST_F(TreeTest, ClickMarksOpenAndPostsItsCommand)
{
    tree_.refreshAllStates(image_);
    click("Channel 1");
    EXPECT_EQ(sink_.commands, std::vector<int>{201});
    EXPECT_EQ(tree_.itemState("Channel 1"), TreeState::Open);
    EXPECT_EQ(tree_.tree()->currentItem(), item("Channel 1"));
    click("PTT ID Aliases", true);
    EXPECT_EQ(sink_.commands.back(), 210);
}

TEST_F(TreeTest, DisabledFolderAndRootItemsOpenNothing)
{
    tree_.refreshAllStates(image_);
    click("Channel 3");
    click("Paging");
    click("Speed Paging");
    const QRect root = tree_.tree()->visualItemRect(tree_.tree()->topLevelItem(0));
    QTest::mouseClick(tree_.tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(root.left() + 30, root.center().y()));
    QCoreApplication::sendPostedEvents(&sink_);
    EXPECT_TRUE(sink_.commands.empty());
    EXPECT_EQ(tree_.itemState("Paging"), TreeState::Normal);
    EXPECT_EQ(tree_.itemState("Channel 3"), TreeState::Disabled);
}

TEST_F(TreeTest, ClickBesideTheLabelOpensNothing)
{
    const QRect rect = tree_.tree()->visualItemRect(item("Channel 1"));
    QTest::mouseClick(tree_.tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(rect.right() - 2, rect.center().y()));
    QCoreApplication::sendPostedEvents(&sink_);
    EXPECT_TRUE(sink_.commands.empty());
}

TEST_F(TreeTest, TabEnterAndSpaceOpenTheCurrentItemAndAreConsumed)
{
    tree_.refreshAllStates(image_);
    tree_.tree()->setCurrentItem(item("Buttons Configuration"));
    tree_.tree()->setFocus();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(tree_.tree(), key);
    QCoreApplication::sendPostedEvents(&sink_);
    EXPECT_EQ(sink_.commands, (std::vector<int>{205, 205, 205}));
    EXPECT_EQ(tree_.tree()->currentItem(), item("Buttons Configuration"));
}

TEST_F(TreeTest, EditorClosedReturnsToNormalUnlessDisabledMeanwhile)
{
    tree_.markOpen("Channel 2");
    tree_.editorClosed("Channel 2");
    EXPECT_EQ(tree_.itemState("Channel 2"), TreeState::Normal);
    EXPECT_EQ(tree_.tree()->currentItem(), item("Channel 2"));

    tree_.markOpen("Channel 3");
    tree_.setItemDisabled("Channel 3", true);
    tree_.editorClosed("Channel 3");
    EXPECT_EQ(tree_.itemState("Channel 3"), TreeState::Disabled);
}

TEST_F(TreeTest, StatesAreToldApartAtAGlanceAndLongNamesKeepBothEnds)
{
    tree_.refreshAllStates(image_);
    tree_.markOpen("Channel 1");
    EXPECT_EQ(item("Channel 1")->background(0).color(), openItemTint()) << "an open window's row stands out";
    EXPECT_EQ(item("Deskset Configuration")->background(0).style(), Qt::NoBrush);
    EXPECT_TRUE(item("Channel 2")->isDisabled());
    // The state pictures differ over far more than a few pixels, and are drawn for the density.
    const auto picture = [](TreeState state) {
        return treeItemIcon(state)
            .pixmap(treeIconSize(), 2.0)
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage normal = picture(TreeState::Normal);
    EXPECT_EQ(normal.size(), treeIconSize() * 2);
    for (TreeState other : {TreeState::Open, TreeState::Disabled}) {
        const QImage image = picture(other);
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differing += image.pixel(x, y) != normal.pixel(x, y);
        EXPECT_GT(differing, 60) << static_cast<int>(other);
    }
    tree_.editorClosed("Channel 1");
    EXPECT_EQ(item("Channel 1")->background(0).style(), Qt::NoBrush);

    EXPECT_EQ(tree_.tree()->textElideMode(), Qt::ElideMiddle);
    tree_.setRootLabel("a-very-long-database-name-for-the-north-site.ddb", "/srv/sites/a-very-long.ddb");
    EXPECT_EQ(tree_.tree()->topLevelItem(0)->toolTip(0), "/srv/sites/a-very-long.ddb");
}

TEST_F(TreeTest, EnablingAnOpenItemKeepsItShownOpen)
{
    tree_.markOpen("Speed Paging");
    db::writeText(image_, db::kPagingFormats.record(0), db::paging::kLabelSize, "FIRE");
    tree_.refreshSpeedPagingItem(image_);
    EXPECT_EQ(tree_.itemState("Speed Paging"), TreeState::Open);
}

// The editor windows inside the main window.
class EditorWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort();
        start();
        run(cmd::kNewDatabase);
    }

    void clickItem(const char* label)
    {
        QTreeWidget* control = tree()->tree();
        const QRect rect = control->visualItemRect(tree()->findItem(QString::fromLatin1(label)));
        QTest::mouseClick(control->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(rect.left() + treeIconSize().width() + 8, rect.center().y()));
        QCoreApplication::sendPostedEvents();
    }
};

TEST_F(EditorWindowTest, OpeningTwiceActivatesTheOneWindow)
{
    db::theImage()[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    tree()->refreshAllStates();
    clickItem("Channel 3");
    ASSERT_EQ(editorCount(), 1);
    FakeEditorView* channel3 = activeView();
    ASSERT_NE(channel3, nullptr);
    EXPECT_EQ(channel3->channelIndex(), 2);
    EXPECT_EQ(channel3->fills, 1);

    clickItem("Channel 1");
    ASSERT_EQ(editorCount(), 2);
    EXPECT_EQ(activeView()->channelIndex(), 0);

    clickItem("Channel 3");
    EXPECT_EQ(editorCount(), 2);
    EXPECT_EQ(activeView(), channel3);
    EXPECT_EQ(channel3->fills, 1);
    EXPECT_EQ(app_->document().editorWindows().size(), 2u);
}

TEST_F(EditorWindowTest, FrameHasCaptionAndCloseBoxOnly)
{
    run(cmd::kViewDeskset);
    auto* child = qobject_cast<CChildFrame*>(frame()->workspace()->activeSubWindow());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "Deskset Configuration");
    const Qt::WindowFlags flags = child->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(child->minimumSize(), child->maximumSize()) << "no resizing border";
}

TEST_F(EditorWindowTest, ClosingReturnsItemToNormalSelectsItAndKeepsDatabase)
{
    clickItem("Deskset Configuration");
    ASSERT_EQ(tree()->itemState("Deskset Configuration"), TreeState::Open);
    tree()->tree()->setCurrentItem(tree()->findItem("PTT ID Aliases"));
    frame()->workspace()->activeSubWindow()->close();
    settle();
    EXPECT_EQ(editorCount(), 0);
    EXPECT_EQ(tree()->itemState("Deskset Configuration"), TreeState::Normal);
    EXPECT_EQ(tree()->tree()->currentItem(), tree()->findItem("Deskset Configuration"));
    EXPECT_TRUE(app_->document().editorWindows().empty());
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_TRUE(tree()->isVisible());
}

TEST_F(EditorWindowTest, CloseFrameEventClosesAfterTheCurrentEvent)
{
    run(cmd::kViewChannel1);
    FakeEditorView* view = activeView();
    ASSERT_NE(view, nullptr);
    view->requestClose();
    EXPECT_EQ(editorCount(), 1) << "closes only once the posted event is handled";
    settle();
    EXPECT_EQ(editorCount(), 0);
    EXPECT_EQ(tree()->itemState("Channel 1"), TreeState::Normal);
}

TEST_F(EditorWindowTest, ViewMenuMarksOpenBeforeTheCommandRuns)
{
    frame()->runCommand(cmd::kViewDeskset);
    EXPECT_EQ(tree()->itemState("Deskset Configuration"), TreeState::Open);
    EXPECT_EQ(editorCount(), 0) << "the command is posted, not run at once";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(editorCount(), 1);
}

TEST_F(EditorWindowTest, KindWithoutEditorOpensNothingAndItemStaysNormal)
{
    clickItem("Buttons Configuration");
    EXPECT_EQ(editorCount(), 0);
    EXPECT_EQ(tree()->itemState("Buttons Configuration"), TreeState::Normal);
}

TEST_F(EditorWindowTest, EditorCommandWithoutDatabaseDoesNothing)
{
    boxes_.expect(QString::fromLatin1("This action will close the current database. OK to continue?"),
                  MsgAnswer::Ok);
    run(cmd::kCloseDatabase);
    postCommand(frame(), editors::findEditor(editors::EditorKind::DesksetCfg)->command);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(editorCount(), 0);
}

TEST_F(EditorWindowTest, HostClosesChannels2To4AndReopensByKind)
{
    db::theImage()[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    tree()->refreshAllStates();
    for (int command : {cmd::kViewChannel1, cmd::kViewChannel2, cmd::kViewChannel4, cmd::kViewDeskset})
        run(command);
    ASSERT_EQ(editorCount(), 4);
    frame()->editorWindows().closeChannelEditors2To4();
    EXPECT_EQ(editorCount(), 2);
    EXPECT_EQ(tree()->itemState("Channel 2"), TreeState::Normal);
    EXPECT_EQ(tree()->itemState("Channel 1"), TreeState::Open);

    FakeEditorView* before = activeView();
    frame()->editorWindows().closeAndReopenEditor(editors::EditorKind::DesksetCfg);
    settle();
    EXPECT_EQ(editorCount(), 2);
    EXPECT_NE(activeView(), before);
    EXPECT_EQ(tree()->itemState("Deskset Configuration"), TreeState::Open);
    EXPECT_TRUE(frame()->editorWindows().isEditorOpen(editors::EditorKind::DesksetCfg));
    frame()->editorWindows().closeEditor(editors::EditorKind::DesksetCfg);
    EXPECT_FALSE(frame()->editorWindows().isEditorOpen(editors::EditorKind::DesksetCfg));
}

TEST_F(EditorWindowTest, ConfigurationTreeCommandFocusesTheTree)
{
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    run(cmd::kViewDeskset);
    activeView()->field()->setFocus();
    run(cmd::kViewConfigTree);
    EXPECT_EQ(QApplication::focusWidget(), tree()->tree());
}

TEST_F(EditorWindowTest, CascadeArrangesTheWindows)
{
    run(cmd::kViewDeskset);
    run(cmd::kViewChannel1);
    const auto frames = frame()->editorFrames();
    ASSERT_EQ(frames.size(), 2u);
    frames[0]->move(0, 0);
    frames[1]->move(0, 0);
    run(cmd::kCascade);
    EXPECT_NE(frames[0]->pos(), frames[1]->pos());
}

// The operations the editors use to work together: notifications, tree items, window order and
// the close hook.
class EditorHostTest : public EditorWindowTest {
protected:
    // Opens the windows of the given View menu commands, in order, and returns their views.
    std::vector<FakeEditorView*> open(std::initializer_list<int> viewCommands)
    {
        db::theImage()[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
        tree()->refreshAllStates();
        std::vector<FakeEditorView*> views;
        for (int command : viewCommands) {
            run(command);
            views.push_back(activeView());
        }
        return views;
    }
    EditorWindows& host() const { return frame()->editorWindows(); }
};

TEST_F(EditorHostTest, ImageChangeReachesEveryOtherViewInWindowOrderBeforeReturning)
{
    const auto views = open({cmd::kViewChannel2, cmd::kViewDeskset, cmd::kViewChannel1});
    QStringList told;
    std::vector<int> mapSeen;
    for (FakeEditorView* view : views) {
        view->onImageChanged = [&](FakeEditorView& self, const editors::ImageChange& change) {
            told << self.treeLabel();
            EXPECT_EQ(change.area, editors::ChangedArea::SpeedPages);
            mapSeen = change.recordMap;
        };
    }
    frame()->workspace()->setActiveSubWindow(frame()->editorFrames()[0]); // activation order differs
    host().notifyImageChanged({editors::ChangedArea::SpeedPages, {1, -1, 0}}, views[1]);
    EXPECT_EQ(told, (QStringList{"Channel 2", "Channel 1"})) << "the source is not told";
    EXPECT_EQ(mapSeen, (std::vector<int>{1, -1, 0}));
}

TEST_F(EditorHostTest, ImageChangeSkipsAViewClosedByAnEarlierOne)
{
    const auto views = open({cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel2});
    QStringList told;
    views[0]->onImageChanged = [&](FakeEditorView&, const editors::ImageChange&) {
        host().closeChannelEditors2To4();
    };
    views[1]->onImageChanged = views[2]->onImageChanged =
        [&](FakeEditorView& self, const editors::ImageChange&) { told << self.treeLabel(); };
    host().notifyImageChanged({editors::ChangedArea::Deskset, {}}, nullptr);
    EXPECT_EQ(told, QStringList{"Channel 1"});
}

TEST_F(EditorHostTest, DisabledTreeItemGraysItsViewMenuCommandUntilEnabled)
{
    using editors::EditorKind;
    open({});
    host().setTreeItemDisabled(EditorKind::Buttons, true);
    EXPECT_EQ(tree()->itemState("Buttons Configuration"), TreeState::Disabled);
    EXPECT_FALSE(frame()->action(cmd::kViewButtons)->isEnabled());
    run(cmd::kViewButtons);
    EXPECT_EQ(tree()->itemState("Buttons Configuration"), TreeState::Disabled) << "nothing happens";

    host().setTreeItemDisabled(EditorKind::Buttons, false);
    EXPECT_EQ(tree()->itemState("Buttons Configuration"), TreeState::Normal);
    EXPECT_TRUE(frame()->action(cmd::kViewButtons)->isEnabled());

    host().setTreeItemDisabled(EditorKind::Channel, true);
    for (const char* label : {"Channel 1", "Channel 2", "Channel 3", "Channel 4"})
        EXPECT_EQ(tree()->itemState(label), TreeState::Disabled) << label;
    EXPECT_FALSE(frame()->action(cmd::kViewChannel1)->isEnabled());
}

// A buttons editor stand-in whose working table differs from the image's.
class FakeButtonsView : public FakeEditorView, public editors::ButtonTableEditor {
public:
    explicit FakeButtonsView(editors::EditorHost& host)
        : FakeEditorView(host, editors::EditorKind::Buttons, QStringLiteral("Buttons Configuration"), -1)
    {
        working[0] = 4; // a Manual Page button on format 1, not saved yet
        working[1] = 1;
    }
    editors::ButtonEntries workingButtonTable() const override { return working; }
    editors::ButtonEntries working{};
};

void standInFakeButtonsView(EditorWindows& windows)
{
    windows.standInView(editors::EditorKind::Buttons,
                        [](editors::EditorHost& host, QWidget*) { return new FakeButtonsView(host); });
}

TEST_F(EditorHostTest, ButtonTablesAreTheImagesAndTheOpenButtonsEditorsWorkingTable)
{
    standInFakeButtonsView(host());
    open({});
    db::theImage()[db::kButtonTable.base + 35] = 0x77;
    const editors::ButtonEntries saved = editors::imageButtonTable(db::theImage());
    EXPECT_EQ(host().buttonTables(), std::vector{saved}) << "no buttons editor: the image's table";
    run(cmd::kViewButtons);
    ASSERT_EQ(editorCount(), 1);
    EXPECT_EQ(host().buttonTables(), (std::vector{saved, FakeButtonsView(host()).working}));
    frame()->editorFrames()[0]->close();
    settle();
    EXPECT_EQ(host().buttonTables(), std::vector{saved});
}

// The tree item is disabled (the speed paging window is open): its command opens nothing, whoever
// sends it.
TEST_F(EditorHostTest, EditorCommandOfADisabledItemOpensNothing)
{
    standInFakeButtonsView(host());
    open({});
    const int editButtons = editors::findEditor(editors::EditorKind::Buttons)->command;
    host().setTreeItemDisabled(editors::EditorKind::Buttons, true);
    postCommand(frame(), editButtons);
    settle();
    EXPECT_EQ(editorCount(), 0);
    host().setTreeItemDisabled(editors::EditorKind::Buttons, false);
    postCommand(frame(), editButtons);
    settle();
    EXPECT_EQ(editorCount(), 1);
}

// The deskset settings window closes and reopens the buttons editor when the deskset type
// changes: the reopened window shows the new type's picture.
TEST_F(EditorHostTest, ButtonsEditorReopensWithTheDesksetTypeOfTheImage)
{
    host().dropStandIns();
    open({});
    run(cmd::kViewButtons);
    ASSERT_TRUE(host().isEditorOpen(editors::EditorKind::Buttons));
    auto* before = dynamic_cast<editors::DesksetButtonsCfgFV*>(frame()->editorFrames()[0]->view());
    ASSERT_NE(before, nullptr);
    EXPECT_TRUE(before->picture()->multiChannel());

    db::theImage()[db::deskset::kDesksetType] = db::deskset::kSingleChannel;
    host().closeAndReopenEditor(editors::EditorKind::Buttons);
    settle();
    ASSERT_EQ(editorCount(), 1);
    auto* after = dynamic_cast<editors::DesksetButtonsCfgFV*>(frame()->editorFrames()[0]->view());
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_FALSE(after->picture()->multiChannel());
    EXPECT_EQ(tree()->itemState("Buttons Configuration"), TreeState::Open);
}

TEST_F(EditorHostTest, NextEditorFollowsWindowOrderAndWraps)
{
    const auto views = open({cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel3});
    ASSERT_EQ(activeView(), views[2]);
    host().activateNextEditor();
    EXPECT_EQ(activeView(), views[0]);
    host().activateNextEditor();
    EXPECT_EQ(activeView(), views[1]);
}

TEST_F(EditorHostTest, ClosingHookRunsOnceBeforeTheTreeIsToldWhateverCloses)
{
    // Close box, the view's own close request, the host, and the database closing.
    const auto views = open({cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel2, cmd::kViewChannel3});
    std::vector<std::pair<QString, TreeState>> closings;
    CDockingWnd* treeWindow = tree();
    const auto record = [&closings, treeWindow](FakeEditorView& self) {
        closings.emplace_back(self.treeLabel(), treeWindow->itemState(self.treeLabel()));
    };
    for (FakeEditorView* view : views)
        view->onClosing = record;
    frame()->editorFrames()[0]->close();
    views[1]->requestClose();
    settle();
    host().closeEditor(editors::EditorKind::Channel); // channels 2 and 3
    settle();
    ASSERT_EQ(closings.size(), 4u);
    for (const auto& [label, state] : closings)
        EXPECT_EQ(state, TreeState::Open) << label.toStdString();

    const auto more = open({cmd::kViewChannel4});
    more[0]->onClosing = record;
    boxes_.expect(QString::fromLatin1("This action will close the current database. OK to continue?"),
                  MsgAnswer::Ok);
    run(cmd::kCloseDatabase);
    settle();
    ASSERT_EQ(closings.size(), 5u);
    EXPECT_EQ(closings.back().first, "Channel 4");
}

} // namespace
} // namespace trv::app::test
