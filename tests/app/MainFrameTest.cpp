// The main window: start-up, captions, menus, the one-database rule and its questions, saving.
#include "ShellTestSupport.h"

#include "app/DatabaseCommands.h"
#include "app/DocTemplate.h"
#include "app/ShellTexts.h"
#include "app/TransferWindows.h"
#include "database/DdbFile.h"
#include "database/Layout.h"
#include "database/NewDatabase.h"
#include "platform/AppTexts.h"
#include "platform/SettingsStore.h"
#include "transfer/TransferEvents.h"
#include "transfer/TransferTexts.h"

#include <QDataStream>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace trv::app::test {
namespace {

const QString kTitle = trv::text::kAppTitle;
const QString kCloseQuestion = text::kCloseQuestion;

class MainFrameTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort();
    }

    // Writes a valid database file, with the deskset type given.
    QString writeDatabase(const QString& name, std::uint8_t desksetType = db::deskset::kSingleChannel)
    {
        db::Image image{};
        db::newDatabase(image);
        image[db::deskset::kDesksetType] = desksetType;
        const QString file = path(name);
        EXPECT_TRUE(db::saveDatabase(file.toStdString(), image).ok);
        return file;
    }

    QStringList menuTitles() const
    {
        QStringList titles;
        for (QAction* action : frame()->menuBar()->actions())
            titles << action->text();
        return titles;
    }

    QToolButton* toolButton(int command) const
    {
        return qobject_cast<QToolButton*>(frame()->toolBar()->widgetForAction(frame()->action(command)));
    }
};

TEST_F(MainFrameTest, PlainStartShowsNoDatabaseWithMenu128)
{
    start();
    ASSERT_TRUE(started_);
    EXPECT_FALSE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->menuSet(), CMainFrame::MenuSet::NoDatabase);
    EXPECT_EQ(menuTitles(), (QStringList{"&File", "&Options", "&View", "&Help"}));
    EXPECT_EQ(frame()->windowTitle(), kTitle);
    EXPECT_FALSE(tree()->isVisible());
    EXPECT_TRUE(frame()->isMaximized());
    EXPECT_FALSE(toolButton(cmd::kSave)->isEnabled());
    EXPECT_FALSE(toolButton(cmd::kUpload)->isEnabled());
    EXPECT_TRUE(toolButton(cmd::kNewDatabase)->isEnabled());
    EXPECT_TRUE(toolButton(cmd::kDownload)->isEnabled());
    EXPECT_EQ(frame()->statusText(), transfer::text::kIdlePrompt);
}

TEST(DocTemplateTest, StringsOfTheTemplate)
{
    EXPECT_TRUE(docString(DocString::WindowTitle).isEmpty());
    EXPECT_EQ(docString(DocString::DocName), "TRV");
    EXPECT_EQ(docString(DocString::NewName), "New");
    EXPECT_EQ(docString(DocString::FilterName), "TRV Files (*.ddb)");
    EXPECT_EQ(docString(DocString::FilterExtension), ".ddb");
    EXPECT_EQ(docString(DocString::FileTypeId), "TRV.Database");
    EXPECT_EQ(docString(DocString::FileTypeName), "TRV Database");
}

TEST_F(MainFrameTest, ToolbarHoldsItsButtonsInOrderWithTipsAndPrompts)
{
    start();
    QStringList order;
    for (QAction* action : frame()->toolBar()->actions())
        order << (action->isSeparator() ? QStringLiteral("|") : QString::number(action->data().toInt()));
    EXPECT_EQ(order, (QStringList{"32788", "32777", "57601", "|", "57603", "32778", "|", "57667"}));
    EXPECT_EQ(frame()->action(cmd::kNewDatabase)->statusTip(), "Create a new database");
    EXPECT_EQ(frame()->action(cmd::kNewDatabase)->toolTip(), "New database");
    EXPECT_EQ(frame()->action(cmd::kDownload)->statusTip(), "Download the database from the deskset");
    EXPECT_EQ(frame()->action(cmd::kUpload)->toolTip(), "Upload database");
    EXPECT_EQ(frame()->action(cmd::kCloseDatabase)->statusTip(), "Closes the current database");
}

TEST_F(MainFrameTest, MenusCarryTheCommandsOfEachSet)
{
    start();
    auto ids = [this](CMainFrame::MenuSet set, int menu) {
        QList<int> list;
        for (QAction* action : frame()->menus(set)[menu]->actions()) {
            if (!action->isSeparator() && action->data().toInt() >= 32000)
                list << action->data().toInt();
        }
        return list;
    };
    using S = CMainFrame::MenuSet;
    EXPECT_EQ(ids(S::NoDatabase, 0),
              (QList<int>{32788, 57601, 32777, 32821, 57616, 57617, 57618, 57619, 57665}));
    EXPECT_EQ(ids(S::DatabaseOpen, 0),
              (QList<int>{32788, 57601, 32791, 57603, 57604, 32820, 32777, 32778, 57607, 57609, 32815, 32830,
                          32831, 32821, 57616, 57617, 57618, 57619, 57665}));
    EXPECT_EQ(ids(S::DatabaseOpen, 2), (QList<int>{59392, 59393, 32801, 32800, 32802, 32803, 32804, 32805,
                                                   32807, 32808, 32806, 32809, 32810}));
    EXPECT_EQ(frame()->action(cmd::kViewChannel2)->text(), "Channel &2");
    EXPECT_EQ(frame()->action(cmd::kViewSpeedPaging)->text(), "Sp&eed Paging");
    EXPECT_EQ(frame()->action(cmd::kNewDatabase)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(frame()->action(cmd::kSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(frame()->action(cmd::kContextHelp)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

TEST_F(MainFrameTest, NewDatabaseOpensMenu129TreeAndCaption)
{
    start();
    run(cmd::kNewDatabase);
    ASSERT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->menuSet(), CMainFrame::MenuSet::DatabaseOpen);
    EXPECT_EQ(menuTitles(), (QStringList{"&File", "&Options", "&View", "&Window", "&Help"}));
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [New]");
    EXPECT_EQ(tree()->rootLabel(), "New");
    EXPECT_TRUE(tree()->isVisible());
    EXPECT_EQ(tree()->width(), CDockingWnd::kWidth);
    EXPECT_TRUE(toolButton(cmd::kSave)->isEnabled());
    EXPECT_TRUE(toolButton(cmd::kUpload)->isEnabled());
    EXPECT_EQ(app_->document().title(), "New");
    EXPECT_TRUE(app_->document().pathName().empty());
    EXPECT_FALSE(app_->document().isModified());
    EXPECT_TRUE(db::hasMagic(db::theImage()));
}

TEST_F(MainFrameTest, NewDatabaseGraysChannels2To4AndSpeedPaging)
{
    start();
    run(cmd::kNewDatabase);
    for (const char* label : {"Channel 2", "Channel 3", "Channel 4", "Speed Paging"})
        EXPECT_EQ(tree()->itemState(label), TreeState::Disabled) << label;
    for (const char* label : {"Deskset Configuration", "Channel 1", "Buttons Configuration", "Paging Formats",
                              "Custom Paging Tones", "PTT ID Aliases"})
        EXPECT_EQ(tree()->itemState(label), TreeState::Normal) << label;
    for (int id : {cmd::kViewChannel2, cmd::kViewChannel3, cmd::kViewChannel4, cmd::kViewSpeedPaging})
        EXPECT_FALSE(frame()->action(id)->isEnabled()) << id;
    for (int id : {cmd::kViewChannel1, cmd::kViewDeskset, cmd::kViewButtons, cmd::kViewPagingFormats})
        EXPECT_TRUE(frame()->action(id)->isEnabled()) << id;
    EXPECT_TRUE(tree()->findItem("Channel 3")->isDisabled());
}

TEST_F(MainFrameTest, GrayedViewItemsDoNothingEvenWhenRunDirectly)
{
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewChannel3);
    run(cmd::kViewSpeedPaging);
    EXPECT_EQ(editorCount(), 0);
    EXPECT_EQ(tree()->itemState("Channel 3"), TreeState::Disabled);
}

TEST_F(MainFrameTest, CloseQuestionCancelKeepsDatabaseAndWindows)
{
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewDeskset);
    ASSERT_EQ(editorCount(), 1);
    boxes_.expect(kCloseQuestion, MsgAnswer::Cancel);
    run(cmd::kNewDatabase);
    EXPECT_FALSE(frame()->databaseCommands().proceed());
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(editorCount(), 1);
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [New]");
    EXPECT_TRUE(db::hasMagic(db::theImage()));

    boxes_.expect(kCloseQuestion, MsgAnswer::Cancel);
    run(cmd::kCloseDatabase);
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(editorCount(), 1);
}

TEST_F(MainFrameTest, CloseDatabaseZeroesImageHidesTreeAndClosesWindows)
{
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewDeskset);
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    run(cmd::kCloseDatabase);
    settle();
    EXPECT_FALSE(frame()->isDatabaseOpen());
    EXPECT_EQ(editorCount(), 0);
    EXPECT_FALSE(tree()->isVisible());
    EXPECT_EQ(frame()->menuSet(), CMainFrame::MenuSet::NoDatabase);
    EXPECT_EQ(frame()->windowTitle(), kTitle);
    EXPECT_TRUE(std::all_of(db::theImage().begin(), db::theImage().end(), [](auto b) { return b == 0; }));
    EXPECT_FALSE(frame()->action(cmd::kSave)->isEnabled());
}

TEST_F(MainFrameTest, ModifiedNewDatabaseAsksToSaveUnderItsTitle)
{
    start();
    run(cmd::kNewDatabase);
    app_->document().setModified();
    boxes_.expect("Save changes to New?", MsgAnswer::Cancel);
    run(cmd::kNewDatabase);
    EXPECT_TRUE(app_->document().isModified());

    // Yes with a cancelled save dialog counts as Cancel.
    saveChoice_.clear();
    boxes_.expect("Save changes to New?", MsgAnswer::Yes);
    run(cmd::kCloseDatabase);
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(suggestedName_, QDir::home().filePath("New.ddb"));

    // Yes with a name saves, then closes.
    saveChoice_ = path("kept.ddb");
    boxes_.expect("Save changes to New?", MsgAnswer::Yes);
    run(cmd::kCloseDatabase);
    EXPECT_FALSE(frame()->isDatabaseOpen());
    EXPECT_EQ(QFileInfo(saveChoice_).size(), db::kImageSize);
}

TEST_F(MainFrameTest, ModifiedFileAsksWithItsFileNameAndNoDiscards)
{
    const QString file = writeDatabase("X3.DDB");
    start({file});
    app_->document().setModified();
    boxes_.expect("Save changes to X3.DDB?", MsgAnswer::No);
    run(cmd::kNewDatabase);
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [New]");
}

TEST_F(MainFrameTest, OpeningFileSetsCaptionTreeRootAndRecentList)
{
    const QString file = writeDatabase("north site.ddb", db::deskset::kMultiChannel);
    start();
    openChoice_ = file;
    run(cmd::kOpen);
    ASSERT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [" + file + "]");
    EXPECT_EQ(tree()->rootLabel(), "north site.ddb");
    EXPECT_EQ(app_->recentFiles().paths().value(0), file);
    EXPECT_EQ(frame()->action(cmd::kRecentFile1)->text(), "&1 " + file);
    EXPECT_TRUE(frame()->action(cmd::kRecentFile1)->isVisible());
    // A multi-channel deskset offers every channel.
    for (const char* label : {"Channel 2", "Channel 3", "Channel 4"})
        EXPECT_EQ(tree()->itemState(label), TreeState::Normal) << label;
    EXPECT_TRUE(frame()->action(cmd::kViewChannel4)->isEnabled());
}

TEST_F(MainFrameTest, CancelledOpenDialogLeavesNoDatabase)
{
    start();
    run(cmd::kNewDatabase);
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    openChoice_.clear();
    run(cmd::kOpen);
    EXPECT_FALSE(frame()->isDatabaseOpen());
}

TEST_F(MainFrameTest, WrongHeaderShowsMessageAndLeavesNoDatabase)
{
    QFile bad(path("bad.ddb"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("VXR DESKSET V00X").append(QByteArray(100, '\0')));
    bad.close();
    start();
    openChoice_ = bad.fileName();
    boxes_.expect("Unknown database version.", MsgAnswer::Ok);
    run(cmd::kOpen);
    EXPECT_FALSE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->menuSet(), CMainFrame::MenuSet::NoDatabase);
}

TEST_F(MainFrameTest, FailedRecentFileIsRemovedFromTheList)
{
    const QString good = writeDatabase("good.ddb");
    const QString gone = writeDatabase("gone.ddb");
    start();
    openChoice_ = good;
    run(cmd::kOpen);
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    openChoice_ = gone;
    run(cmd::kOpen);
    ASSERT_EQ(app_->recentFiles().paths(), (QStringList{gone, good}));
    QFile::remove(gone);

    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    boxes_.expect(
        QStringLiteral(
            "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.")
            .arg(gone),
        MsgAnswer::Ok);
    run(cmd::kRecentFile1);
    EXPECT_FALSE(frame()->isDatabaseOpen());
    EXPECT_EQ(app_->recentFiles().paths(), QStringList{good});
    EXPECT_FALSE(frame()->action(cmd::kRecentFile1 + 1)->isVisible());

    // A cancelled close request keeps the entry.
    run(cmd::kRecentFile1);
    ASSERT_TRUE(frame()->isDatabaseOpen());
    boxes_.expect(kCloseQuestion, MsgAnswer::Cancel);
    run(cmd::kRecentFile1);
    EXPECT_EQ(app_->recentFiles().paths(), QStringList{good});
}

TEST_F(MainFrameTest, RecentListKeepsFourAndSurvivesRestart)
{
    start();
    QStringList files;
    for (int k = 0; k < 5; ++k) {
        files << writeDatabase(QStringLiteral("db%1.ddb").arg(k));
        if (frame()->isDatabaseOpen())
            boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
        openChoice_ = files.last();
        run(cmd::kOpen);
    }
    EXPECT_EQ(app_->recentFiles().paths(), (QStringList{files[4], files[3], files[2], files[1]}));
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    frame()->close();
    app_.reset();
    start();
    EXPECT_EQ(app_->recentFiles().paths(), (QStringList{files[4], files[3], files[2], files[1]}));
}

TEST_F(MainFrameTest, CommandLineFileIsOpened)
{
    const QString file = writeDatabase("cmd.ddb");
    start({file});
    ASSERT_TRUE(started_);
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [" + file + "]");
}

TEST_F(MainFrameTest, CommandLineFileWithWrongHeaderEndsStartAfterMessage)
{
    QFile bad(path("wrong.ddb"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(db::kImageSize, 'x'));
    bad.close();
    // No port stored: the port question would follow the splash, but must not come at all.
    ASSERT_TRUE(platform::SettingsStore::write(platform::Hive::LocalMachine,
                                               transfer::ComPortSetting::kKeyPath,
                                               transfer::ComPortSetting::kValueName, QString()));
    int portDialogs = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++portDialogs;
            dialog->reject();
        }
    });
    guard.start(5);
    bool splashGoneAtTheBox = false;
    boxes_.whenShown = [&](const MessageRequest&) {
        splashGoneAtTheBox = frame()->splash()->isFinished() && !frame()->splash()->isVisible();
    };
    boxes_.expect("Unknown database version.", MsgAnswer::Ok);
    start({bad.fileName()}, true);
    settle();
    EXPECT_FALSE(started_);
    EXPECT_TRUE(splashGoneAtTheBox);
    EXPECT_EQ(boxes_.seen().size(), 1u) << "the error comes alone";
    EXPECT_EQ(portDialogs, 0);
}

TEST_F(MainFrameTest, CommandLineEmptyFileEndsStartSilently)
{
    QFile empty(path("empty.ddb"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    start({empty.fileName()});
    EXPECT_FALSE(started_);
    EXPECT_TRUE(boxes_.seen().empty());
}

TEST_F(MainFrameTest, CtrlSRefusedWithEditorOpenAndSavesWithoutOne)
{
    const QString file = writeDatabase("ctrl-s.ddb");
    start({file});
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    run(cmd::kViewDeskset);
    ASSERT_EQ(editorCount(), 1);
    db::theImage()[db::deskset::kMuteTimer] = 42;
    app_->document().setModified();

    boxes_.expect("You must close all windows before saving.", MsgAnswer::Ok);
    QTest::keyClick(frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(boxes_.allAnswered());
    db::Image onDisk{};
    ASSERT_TRUE(db::loadDatabase(file.toStdString(), onDisk).ok);
    EXPECT_NE(onDisk[db::deskset::kMuteTimer], 42);
    EXPECT_TRUE(app_->document().isModified());

    activeView()->requestClose();
    settle();
    ASSERT_EQ(editorCount(), 0);
    QTest::keyClick(frame(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(db::loadDatabase(file.toStdString(), onDisk).ok);
    EXPECT_EQ(onDisk[db::deskset::kMuteTimer], 42);
    EXPECT_FALSE(app_->document().isModified());
}

TEST_F(MainFrameTest, SaveAsRenamesCaptionAndTreeRoot)
{
    start();
    run(cmd::kNewDatabase);
    saveChoice_ = path("renamed");
    run(cmd::kSaveAs);
    const QString saved = path("renamed.ddb");
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(frame()->windowTitle(), kTitle + "  - [" + saved + "]");
    EXPECT_EQ(tree()->rootLabel(), "renamed.ddb");
    EXPECT_EQ(app_->document().pathName(), saved.toStdString());
}

TEST_F(MainFrameTest, SaveAsProposesTheFilesOwnNameOrTheDatabaseNameInTheLastFolder)
{
    start();
    // Nothing used yet: the home folder.
    run(cmd::kNewDatabase);
    run(cmd::kSaveAs);
    EXPECT_EQ(suggestedName_, QDir::home().filePath("New.ddb"));

    // An opened file: its own name in its own folder, nothing added.
    const QString opened = writeDatabase("t1.ddb");
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    ASSERT_TRUE(frame()->databaseCommands().openNamedFile(opened));
    run(cmd::kSaveAs);
    EXPECT_EQ(suggestedName_, opened);

    // A new and a downloaded database: their names in the folder last used.
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    run(cmd::kNewDatabase);
    run(cmd::kSaveAs);
    EXPECT_EQ(suggestedName_, path("New.ddb"));
    frame()->transferWindows().setDatabaseName(transfer::text::kDownloadName);
    run(cmd::kSaveAs);
    EXPECT_EQ(suggestedName_, path("download.ddb"));

    // A name chosen with its extension keeps it as it is.
    saveChoice_ = path("kept.ddb");
    run(cmd::kSaveAs);
    EXPECT_EQ(app_->document().pathName(), path("kept.ddb").toStdString());
}

TEST_F(MainFrameTest, SaveAsRefusedWithEditorOpen)
{
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewChannel1);
    boxes_.expect("You must close all windows before saving.", MsgAnswer::Ok);
    saveChoice_ = path("never.ddb");
    run(cmd::kSaveAs);
    EXPECT_FALSE(QFileInfo::exists(saveChoice_));
}

TEST_F(MainFrameTest, TransfersRefusedWhileEditorWindowsAreOpen)
{
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewDeskset);
    boxes_.expect("You must close all windows before downloading.", MsgAnswer::Ok);
    run(cmd::kDownload);
    boxes_.expect("You must close all windows before uploading.", MsgAnswer::Ok);
    run(cmd::kUpload);
    EXPECT_FALSE(frame()->transferSession().downloadPending());
    EXPECT_FALSE(frame()->transferSession().uploadPending());
}

TEST_F(MainFrameTest, StaleTransferStartOpensNoProgressWindow)
{
    start();
    QCoreApplication::postEvent(&frame()->transferSession(),
                                new transfer::TransferStartEvent(transfer::TransferKind::Download));
    settle();
    EXPECT_EQ(frame()->progressDialog(), nullptr);
}

TEST_F(MainFrameTest, ExitCancelledKeepsProgramRunning)
{
    start();
    run(cmd::kNewDatabase);
    frame()->show();
    boxes_.expect(kCloseQuestion, MsgAnswer::Cancel);
    run(cmd::kExit);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_TRUE(frame()->isDatabaseOpen());
    boxes_.expect(kCloseQuestion, MsgAnswer::Ok);
    EXPECT_TRUE(frame()->close());
    EXPECT_FALSE(frame()->isVisible());
}

TEST_F(MainFrameTest, ViewBarsToggleAndLayoutIsRestored)
{
    start();
    run(cmd::kViewStatusBar);
    EXPECT_FALSE(frame()->statusBar()->isVisible());
    EXPECT_FALSE(frame()->action(cmd::kViewStatusBar)->isChecked());
    run(cmd::kViewToolbar);
    EXPECT_FALSE(frame()->toolBar()->isVisible());
    EXPECT_FALSE(frame()->action(cmd::kViewToolbar)->isChecked());
    frame()->close();
    app_.reset();
    start();
    EXPECT_FALSE(frame()->statusBar()->isVisible());
    EXPECT_FALSE(frame()->toolBar()->isVisible());
    EXPECT_FALSE(frame()->action(cmd::kViewStatusBar)->isChecked());
    EXPECT_FALSE(frame()->action(cmd::kViewToolbar)->isChecked())
        << "the check mark follows the restored bar";
    EXPECT_FALSE(tree()->isVisible()) << "no database, no tree, whatever the layout says";
    run(cmd::kViewToolbar);
    EXPECT_TRUE(frame()->toolBar()->isVisible());
    EXPECT_TRUE(frame()->action(cmd::kViewToolbar)->isChecked());
}

TEST_F(MainFrameTest, StoredLayoutLargerThanTheScreenIsBroughtWithinIt)
{
    start();
    frame()->showNormal();
    const QByteArray stored = frame()->saveGeometry();
    frame()->close();
    app_.reset();

    // The same layout with every rectangle 100,000 pixels wide and high.
    QDataStream in(stored);
    QByteArray huge;
    QDataStream out(&huge, QIODevice::WriteOnly);
    quint32 magic = 0;
    quint16 major = 0;
    quint16 minor = 0;
    QRect frameRect;
    QRect normalRect;
    qint32 screenNumber = 0;
    quint8 maximized = 0;
    quint8 fullScreen = 0;
    qint32 screenWidth = 0;
    QRect geometry;
    in >> magic >> major >> minor >> frameRect >> normalRect >> screenNumber >> maximized >> fullScreen >>
        screenWidth >> geometry;
    ASSERT_EQ(in.status(), QDataStream::Ok);
    const QSize enormous(100000, 100000);
    out << magic << major << minor << QRect(frameRect.topLeft(), enormous)
        << QRect(normalRect.topLeft(), enormous) << screenNumber << maximized << fullScreen << screenWidth
        << QRect(geometry.topLeft(), enormous);
    platform::SettingsStore::open(platform::Hive::CurrentUser, app::key::kWorkspace)
        ->setValue(QStringLiteral("Geometry"), huge);

    start();
    const QSize room = frame()->screen()->availableGeometry().size();
    EXPECT_LE(frame()->width(), room.width());
    EXPECT_LE(frame()->height(), room.height());
}

TEST_F(MainFrameTest, DroppedFileIsOpened)
{
    const QString file = writeDatabase("dropped.ddb");
    start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame(), &drop);
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(tree()->rootLabel(), "dropped.ddb");
}

TEST_F(MainFrameTest, AboutBoxShowsVersion)
{
    start();
    QString version;
    onNextModal<QDialog>([&](QDialog* dialog) {
        if (auto* label = dialog->findChild<QLabel*>("version"))
            version = label->text();
        dialog->accept();
    });
    run(cmd::kAbout);
    EXPECT_EQ(version, "Version R01.02.00");
}

TEST_F(MainFrameTest, StatusIndicatorsFollowTheLockKeys)
{
    LockStates states;
    options_.lockSource = [&states] { return states; };
    start();
    KeyboardLocks* locks = frame()->keyboardLocks();
    EXPECT_TRUE(locks->capsIndicator()->text().isEmpty());
    states.caps = true;
    states.scroll = true;
    locks->refresh();
    EXPECT_EQ(locks->capsIndicator()->text(), "CAP");
    EXPECT_TRUE(locks->numIndicator()->text().isEmpty());
    EXPECT_EQ(locks->scrollIndicator()->text(), "SCRL");
}

TEST_F(MainFrameTest, FocusReturnsToTreeWhenWindowIsActivatedAgain)
{
    start();
    run(cmd::kNewDatabase);
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    tree()->tree()->setFocus();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(frame());
    EXPECT_EQ(QApplication::focusWidget(), tree()->tree());
}

} // namespace
} // namespace trv::app::test
