#include "app/CMainFrame.h"

#include "app/AboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CDockingWnd.h"
#include "app/CSplashWnd.h"
#include "app/CTRVApp.h"
#include "app/ComPortDialog.h"
#include "app/CommandEvent.h"
#include "app/Commands.h"
#include "app/DocTemplate.h"
#include "app/EditorCommands.h"
#include "app/HelpWindow.h"
#include "app/KeyboardLocks.h"
#include "app/Registry.h"
#include "app/ShellArt.h"
#include "app/ShellTexts.h"
#include "app/ShortcutDialogs.h"
#include "app/TransferProgressDlg.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "database/SignallingFlags.h"
#include "editors/common/EditorRegistry.h"
#include "editors/common/EditorView.h"
#include "platform/AppTexts.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "transfer/TransferTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>

namespace trv::app {
namespace {

using platform::Hive;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::SettingsStore;

constexpr int kSeparator = 0;
constexpr int kRecentBlock = -1; // the recent-file entries

struct MenuSpec {
    const char* title;
    std::vector<int> items;
};

const std::vector<MenuSpec>& menuSpecs(CMainFrame::MenuSet set)
{
    static const std::vector<MenuSpec> noDatabase = {
        {text::kMenuFile,
         {cmd::kNewDatabase, cmd::kOpen, cmd::kDownload, kSeparator, kRecentBlock, kSeparator, cmd::kExit}},
        {text::kMenuOptions, {cmd::kComPort, cmd::kShortcuts}},
        {text::kMenuView, {cmd::kViewToolbar, cmd::kViewStatusBar}},
        {text::kMenuHelp, {cmd::kHelpTopics, kSeparator, cmd::kAbout}},
    };
    static const std::vector<MenuSpec> databaseOpen = {
        {text::kMenuFile,
         {cmd::kNewDatabase, cmd::kOpen, cmd::kCloseDatabase, cmd::kSave, cmd::kSaveAs, kSeparator,
          cmd::kDownload, cmd::kUpload, kSeparator, kRecentBlock, kSeparator, cmd::kExit}},
        {text::kMenuOptions, {cmd::kComPort, cmd::kShortcuts}},
        {text::kMenuView,
         {cmd::kViewToolbar, cmd::kViewStatusBar, kSeparator, cmd::kViewConfigTree, kSeparator,
          cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel2, cmd::kViewChannel3, cmd::kViewChannel4,
          cmd::kViewButtons, cmd::kViewPagingFormats, cmd::kViewSpeedPaging, cmd::kViewCustomTones,
          cmd::kViewPttAliases}},
        {text::kMenuWindow, {cmd::kCascade}},
        {text::kMenuHelp, {cmd::kHelpTopics, kSeparator, cmd::kAbout}},
    };
    return set == CMainFrame::MenuSet::NoDatabase ? noDatabase : databaseOpen;
}

// Toolbar 128, in order.
const int kToolBarItems[] = {cmd::kNewDatabase, cmd::kDownload, cmd::kOpen, kSeparator,
                             cmd::kSave,        cmd::kUpload,   kSeparator, cmd::kHelpTopics};

QIcon toolIcon(QStyle* style, int command)
{
    switch (command) {
    case cmd::kNewDatabase:
        return style->standardIcon(QStyle::SP_FileIcon);
    case cmd::kOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case cmd::kSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case cmd::kHelpTopics:
        return helpIcon();
    case cmd::kDownload:
        return downloadIcon();
    case cmd::kUpload:
        return uploadIcon();
    default:
        return {};
    }
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString withPath(const std::string& message, const QString& path)
{
    QString text = QString::fromStdString(message);
    return text.contains(QLatin1String("%1")) ? text.arg(path) : text;
}

// Workspace values below "Software\Orvane\TRV".
constexpr const char* kGeometryValue = "Geometry";
constexpr const char* kStateValue = "State";
constexpr const char* kStatusBarValue = "StatusBar";

} // namespace

CMainFrame::CMainFrame(CTRVApp& app) : app_(app)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QString::fromLatin1(trv::text::kAppTitle));
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("workspace"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);

    createActions();
    createToolBar();
    createStatusBar();
    tree_ = new CDockingWnd(this, this);
    addDockWidget(Qt::LeftDockWidgetArea, tree_);
    connect(tree_, &CDockingWnd::itemDisabledChanged, this, &CMainFrame::onTreeItemDisabled);
    createMenus();
    registry_ = std::make_unique<Registry>();
    help_ = new HelpWindow(this);
    session_ = std::make_unique<transfer::TransferSession>(*this);
    if (app_.options().transferPeriods)
        session_->setPeriods(*app_.options().transferPeriods);

    showTree(false);
    switchMenu(MenuSet::NoDatabase);
    shortcuts_ = ShortcutTable::defaults();
    applyShortcuts(shortcuts_);
    updateRecentFileActions();
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    endTransfer();
    session_.reset(); // destroys the link
    // Editor frames go before the document they show.
    for (CChildFrame* frame : editorFrames())
        delete frame;
    if (app_.hasDocument())
        app_.deleteDocument();
}

void CMainFrame::createActions()
{
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(QString::fromLatin1(info.menuText), this);
        action->setStatusTip(promptStatusText(info));
        action->setToolTip(promptToolTip(info));
        action->setData(info.id);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_[id] = action;
        addAction(action); // keys work whichever menu set is shown
    }
    actions_[cmd::kViewToolbar]->setCheckable(true);
    actions_[cmd::kViewStatusBar]->setCheckable(true);

    for (int k = 0; k < cmd::kRecentFileCount; ++k) {
        auto* action = new QAction(this);
        action->setData(cmd::kRecentFile1 + k);
        action->setStatusTip(QString::fromLatin1(text::kRecentFilePrompt));
        connect(action, &QAction::triggered, this, [this, k] { openRecentFile(k); });
        recentActions_.push_back(action);
    }
    recentPlaceholder_ = new QAction(QString::fromLatin1(text::kRecentFilePlaceholder), this);
    recentPlaceholder_->setEnabled(false);
}

void CMainFrame::createMenus()
{
    for (MenuSet set : {MenuSet::NoDatabase, MenuSet::DatabaseOpen}) {
        for (const MenuSpec& layout : menuSpecs(set)) {
            auto* menu = new QMenu(QString::fromLatin1(layout.title), this);
            for (int item : layout.items) {
                if (item == kSeparator) {
                    menu->addSeparator();
                } else if (item == kRecentBlock) {
                    menu->addAction(recentPlaceholder_);
                    for (QAction* recent : recentActions_)
                        menu->addAction(recent);
                } else {
                    menu->addAction(actions_.at(item));
                }
            }
            if (layout.title == text::kMenuWindow) {
                windowMenu_ = menu;
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::fillWindowMenu);
            }
            menus_[set].push_back(menu);
        }
    }
}

void CMainFrame::createToolBar()
{
    toolBar_ = addToolBar(QString::fromLatin1(text::kToolbarTitle));
    toolBar_->setObjectName(QStringLiteral("ToolBar128"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize({24, 24});
    for (int item : kToolBarItems) {
        if (item == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(item);
        action->setIcon(toolIcon(style(), item));
        toolBar_->addAction(action);
    }
    actions_[cmd::kViewToolbar]->setChecked(true);
    connect(toolBar_, &QToolBar::visibilityChanged, this,
            [this](bool visible) { actions_[cmd::kViewToolbar]->setChecked(visible); });
}

void CMainFrame::createStatusBar()
{
    messagePane_ = new QLabel(QString::fromLatin1(transfer::text::kIdlePrompt), this);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setIndent(4);
    statusBar()->addWidget(messagePane_, 1);
    locks_ = new KeyboardLocks(statusBar(), app_.options().lockSource, app_.options().lockPollMs);
    actions_[cmd::kViewStatusBar]->setChecked(true);
}

QString CMainFrame::statusText() const
{
    return messagePane_->text();
}

void CMainFrame::setStatusText(const QString& text)
{
    messagePane_->setText(text);
}

QAction* CMainFrame::action(int command) const
{
    const auto it = actions_.find(command);
    if (it != actions_.end())
        return it->second;
    const int recent = command - cmd::kRecentFile1;
    return recent >= 0 && recent < cmd::kRecentFileCount ? recentActions_[recent] : nullptr;
}

const std::vector<QMenu*>& CMainFrame::menus(MenuSet set) const
{
    return menus_.at(set);
}

void CMainFrame::switchMenu(MenuSet set)
{
    menuSet_ = set;
    menuBar()->clear();
    for (QMenu* menu : menus_.at(set))
        menuBar()->addMenu(menu);
}

void CMainFrame::showTree(bool show)
{
    tree_->setVisible(show);
    if (show)
        tree_->tree()->setFocus();
}

bool CMainFrame::isDatabaseOpen() const
{
    return app_.hasDocument();
}

void CMainFrame::updateCommandStates()
{
    const bool open = isDatabaseOpen();
    actions_[cmd::kSave]->setEnabled(open);
    actions_[cmd::kUpload]->setEnabled(open);
    for (const EditorEntry& entry : editorEntries()) {
        if (entry.channel == 0 && !entry.menuFollowsItem)
            actions_[entry.viewMenuId]->setEnabled(open);
    }
}

void CMainFrame::updateRecentFileActions()
{
    const QStringList& paths = app_.recentFiles().paths();
    for (int k = 0; k < cmd::kRecentFileCount; ++k) {
        QAction* action = recentActions_[k];
        const bool used = k < paths.size();
        action->setVisible(used);
        if (used)
            action->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(
                QString(paths[k]).replace(QLatin1Char('&'), QLatin1String("&&"))));
    }
    recentPlaceholder_->setVisible(paths.isEmpty());
}

void CMainFrame::fillWindowMenu()
{
    windowMenu_->clear();
    windowMenu_->addAction(actions_[cmd::kCascade]);
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (!windows.isEmpty())
        windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* item =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == mdi_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window] { mdi_->setActiveSubWindow(window); });
    }
}

void CMainFrame::runCommand(int command)
{
    switch (command) {
    case cmd::kNewDatabase:
        newDatabase();
        break;
    case cmd::kOpen: {
        if (!closeDatabaseRequest())
            break;
        const QString path = chooseOpenPath();
        if (!path.isEmpty())
            openDatabaseFile(path);
        break;
    }
    case cmd::kCloseDatabase:
        closeDatabaseRequest();
        break;
    case cmd::kSave:
        saveDatabase(false);
        break;
    case cmd::kSaveAs:
        saveDatabase(true);
        break;
    case cmd::kDownload:
        if (isDatabaseOpen() && document().anyEditorWindowOpen())
            platform::showMessage(QString::fromLatin1(transfer::text::kCloseWindowsBeforeDownload),
                                  MsgButtons::Ok, MsgIcon::Exclamation, this);
        else
            startTransfer(false);
        break;
    case cmd::kUpload:
        if (!isDatabaseOpen())
            break;
        if (document().anyEditorWindowOpen())
            platform::showMessage(QString::fromLatin1(transfer::text::kCloseWindowsBeforeUpload),
                                  MsgButtons::Ok, MsgIcon::Exclamation, this);
        else
            startTransfer(true);
        break;
    case cmd::kExit:
        close();
        break;
    case cmd::kComPort:
        showComPortDialog();
        break;
    case cmd::kShortcuts:
        showShortcutsDialog();
        break;
    case cmd::kViewToolbar:
        toolBar_->setVisible(!toolBar_->isVisible());
        break;
    case cmd::kViewStatusBar: {
        statusBar()->setVisible(!statusBar()->isVisible());
        actions_[cmd::kViewStatusBar]->setChecked(statusBar()->isVisible());
        break;
    }
    case cmd::kViewConfigTree:
        if (tree_->isVisible())
            tree_->tree()->setFocus();
        break;
    case cmd::kCascade:
        mdi_->cascadeSubWindows();
        break;
    case cmd::kHelpTopics:
        showHelp(0);
        break;
    case cmd::kAbout:
        showAbout();
        break;
    case cmd::kHelp:
        onHelpKey();
        break;
    case cmd::kContextHelp:
        QWhatsThis::enterWhatsThisMode();
        break;
    default:
        if (entryByViewMenuId(command))
            onViewEditorCommand(command);
        else if (const int recent = command - cmd::kRecentFile1;
                 recent >= 0 && recent < cmd::kRecentFileCount)
            openRecentFile(recent);
        break;
    }
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == CommandEvent::eventType()) {
        onEditorCommand(static_cast<CommandEvent*>(event)->command());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- The one database -------------------------------------------------------------------------

bool CMainFrame::closeDatabaseRequest()
{
    if (!isDatabaseOpen()) {
        app_.setProceed(true);
        return true;
    }
    db::CTRVDoc& doc = document();
    if (doc.isModified()) {
        const QString name = QString::fromStdString(doc.pathName().empty() ? doc.title() : doc.pathName());
        const MsgAnswer answer = platform::showMessage(QString::fromLatin1(text::kSavePrompt).arg(name),
                                                       MsgButtons::YesNoCancel, MsgIcon::Exclamation, this);
        // A save that fails or is cancelled counts as Cancel.
        if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && !saveDatabase(false, true))) {
            app_.setProceed(false);
            return false;
        }
    } else if (platform::showMessage(QString::fromLatin1(text::kCloseQuestion), MsgButtons::OkCancel,
                                     MsgIcon::Question, this) != MsgAnswer::Ok) {
        app_.setProceed(false);
        return false;
    }
    closeDatabase();
    app_.setProceed(true);
    return true;
}

void CMainFrame::closeDatabase()
{
    db::closeDatabase();
    setWindowTitle(QString::fromLatin1(trv::text::kAppTitle));
    switchMenu(MenuSet::NoDatabase);
    showTree(false);
    for (CChildFrame* frame : editorFrames())
        destroyFrame(frame);
    app_.deleteDocument();
    updateCommandStates();
}

bool CMainFrame::newDatabase()
{
    if (!closeDatabaseRequest())
        return false;
    db::signallingFlags().clear();
    app_.createDocument();
    switchMenu(MenuSet::DatabaseOpen);
    showTree(true);
    db::newDatabase();
    const QString name = docString(DocString::NewName);
    tree_->setRootLabel(name);
    tree_->refreshAllStates();
    setDatabaseName(name, name);
    updateCommandStates();
    return true;
}

bool CMainFrame::openNamedFile(const QString& path)
{
    if (!closeDatabaseRequest())
        return true; // the user kept the open database; the command counts as done
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (openDatabaseFile(fullPath))
        return true;
    app_.recentFiles().remove(fullPath);
    updateRecentFileActions();
    return false;
}

bool CMainFrame::openDatabaseFile(const QString& path)
{
    db::CTRVDoc& doc = app_.createDocument();
    const db::FileResult result = db::loadDatabase(path.toStdString());
    if (!result.ok) {
        if (!result.message.empty())
            platform::showMessage(withPath(result.message, path), MsgButtons::Ok, MsgIcon::Exclamation, this);
        app_.deleteDocument();
        updateCommandStates();
        return false;
    }
    doc.setPathName(path.toStdString());
    doc.setModified(false);
    db::signallingFlags().recompute();
    switchMenu(MenuSet::DatabaseOpen);
    showTree(true);
    tree_->refreshAllStates();
    setDatabaseName(path, fileNameOf(path));
    app_.recentFiles().add(path);
    updateRecentFileActions();
    updateCommandStates();
    return true;
}

void CMainFrame::setDatabaseName(const QString& captionName, const QString& rootLabel)
{
    setWindowTitle(QString::fromLatin1(trv::text::kAppTitle) + QString::fromLatin1(text::kCaptionOpen) +
                   captionName + QString::fromLatin1(text::kCaptionClose));
    tree_->setRootLabel(rootLabel);
}

bool CMainFrame::saveDatabase(bool askForPath)
{
    return saveDatabase(askForPath, false);
}

bool CMainFrame::saveDatabase(bool askForPath, bool fromClosePrompt)
{
    if (!isDatabaseOpen())
        return false;
    db::CTRVDoc& doc = document();
    // Editors keep their values in their controls until their OK: saving now would lose them.
    if (!fromClosePrompt && doc.anyEditorWindowOpen()) {
        platform::showMessage(QString::fromLatin1(text::kCloseWindowsToSave), MsgButtons::Ok,
                              MsgIcon::Exclamation, this);
        return false;
    }
    QString path = QString::fromStdString(doc.pathName());
    if (askForPath || path.isEmpty()) {
        path = chooseSavePath(QString::fromStdString(doc.title()));
        if (path.isEmpty())
            return false;
        if (!path.endsWith(docString(DocString::FilterExtension), Qt::CaseInsensitive) &&
            QFileInfo(path).suffix().isEmpty())
            path += docString(DocString::FilterExtension);
        path = QFileInfo(path).absoluteFilePath();
    }
    const db::FileResult result = db::saveDatabase(path.toStdString());
    if (!result.ok) {
        platform::showMessage(withPath(result.message, path), MsgButtons::Ok, MsgIcon::Exclamation, this);
        return false;
    }
    doc.setPathName(path.toStdString());
    doc.setModified(false);
    setDatabaseName(path, fileNameOf(path));
    app_.recentFiles().add(path);
    updateRecentFileActions();
    return true;
}

QString CMainFrame::chooseOpenPath()
{
    if (app_.options().chooseOpenPath)
        return app_.options().chooseOpenPath();
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(docString(DocString::FilterName));
    dialog.setDefaultSuffix(docString(DocString::FilterExtension).mid(1));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString CMainFrame::chooseSavePath(const QString& suggested)
{
    if (app_.options().chooseSavePath)
        return app_.options().chooseSavePath(suggested);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(docString(DocString::FilterName));
    dialog.setDefaultSuffix(docString(DocString::FilterExtension).mid(1));
    dialog.selectFile(suggested + docString(DocString::FilterExtension));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void CMainFrame::openRecentFile(int index)
{
    const QStringList& paths = app_.recentFiles().paths();
    if (index < paths.size())
        openNamedFile(paths[index]);
}

// ---- Editor windows ---------------------------------------------------------------------------

db::CTRVDoc& CMainFrame::document()
{
    return app_.document();
}

std::vector<CChildFrame*> CMainFrame::editorFrames() const
{
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            frames.push_back(frame);
    }
    return frames;
}

std::vector<editors::EditorView*> CMainFrame::openViews() const
{
    std::vector<editors::EditorView*> views;
    if (!app_.hasDocument())
        return views;
    for (db::EditorWindow* window : app_.document().editorWindows()) {
        if (auto* view = dynamic_cast<editors::EditorView*>(window))
            views.push_back(view);
    }
    return views;
}

CChildFrame* CMainFrame::frameOf(editors::EditorView* view) const
{
    return qobject_cast<CChildFrame*>(view->parentWidget());
}

void CMainFrame::destroyFrame(CChildFrame* frame)
{
    // Off the document's list and the tree at once; the widget itself goes once the event that
    // asked for it (perhaps one of its own) has finished.
    frame->release();
    mdi_->removeSubWindow(frame);
    frame->hide();
    frame->deleteLater();
}

bool CMainFrame::isEditorOpen(editors::EditorKind kind)
{
    for (editors::EditorView* view : openViews()) {
        if (view->kind() == kind)
            return true;
    }
    return false;
}

void CMainFrame::openOrActivateEditor(editors::EditorKind kind, int channel)
{
    if (!isDatabaseOpen())
        return;
    for (editors::EditorView* view : openViews()) {
        if (view->kind() != kind || (channel != 0 && view->channelIndex() != channel - 1))
            continue;
        if (CChildFrame* frame = frameOf(view)) {
            mdi_->setActiveSubWindow(frame);
            view->setFocus();
            frame->update();
        }
        return;
    }
    const editors::EditorFactory factory = editors::editorFactory(kind);
    const EditorEntry* entry = nullptr;
    for (const EditorEntry& e : editorEntries()) {
        if (e.kind == kind && e.channel == channel)
            entry = &e;
    }
    if (!factory) {
        // Nothing opens for a kind without a view: its tree item must not claim an open window.
        if (entry && tree_->itemState(QString::fromLatin1(entry->label)) == TreeState::Open)
            tree_->editorClosed(QString::fromLatin1(entry->label));
        return;
    }
    if (channel != 0)
        document().setNextChannelIndex(channel - 1);
    editors::EditorView* view = factory(*this, nullptr);
    if (!view)
        return;
    auto* frame =
        new CChildFrame(view, document(), [this](const QString& label) { tree_->editorClosed(label); });
    mdi_->addSubWindow(frame);
    frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
    view->initialFill();
    frame->show();
    mdi_->setActiveSubWindow(frame);
    view->setFocus();
    if (entry)
        tree_->markOpen(view->treeLabel());
}

void CMainFrame::closeEditor(editors::EditorKind kind)
{
    for (editors::EditorView* view : openViews()) {
        if (view->kind() == kind) {
            if (CChildFrame* frame = frameOf(view))
                destroyFrame(frame);
        }
    }
}

void CMainFrame::closeAndReopenEditor(editors::EditorKind kind)
{
    closeEditor(kind);
    openOrActivateEditor(kind);
}

void CMainFrame::closeChannelEditors2To4()
{
    for (editors::EditorView* view : openViews()) {
        if (view->kind() == editors::EditorKind::Channel && view->channelIndex() >= 1) {
            if (CChildFrame* frame = frameOf(view))
                destroyFrame(frame);
        }
    }
}

void CMainFrame::refreshChannelItems()
{
    tree_->refreshChannelItems();
}

void CMainFrame::refreshSpeedPagingItem()
{
    tree_->refreshSpeedPagingItem();
}

editors::ButtonEntries CMainFrame::buttonTable()
{
    return editors::imageButtonTable(db::theImage());
}

void CMainFrame::onEditorCommand(int command)
{
    if (!isDatabaseOpen())
        return;
    if (const EditorEntry* entry = entryByCommand(command))
        openOrActivateEditor(entry->kind, entry->channel);
}

void CMainFrame::onViewEditorCommand(int viewMenuId)
{
    const EditorEntry* entry = entryByViewMenuId(viewMenuId);
    if (!entry || !isDatabaseOpen())
        return;
    if (entry->menuFollowsItem && !actions_[viewMenuId]->isEnabled())
        return; // grayed with its tree item
    tree_->markOpen(QString::fromLatin1(entry->label));
    postCommand(this, entry->command);
}

void CMainFrame::onTreeItemDisabled(const QString& label, bool disabled)
{
    const EditorEntry* entry = entryByLabel(label);
    if (entry && entry->menuFollowsItem)
        actions_[entry->viewMenuId]->setEnabled(!disabled);
}

// ---- Dialogs, help, start-up pieces -----------------------------------------------------------

void CMainFrame::showComPortDialog()
{
    ComPortDialog dialog(this);
    dialog.exec();
}

void CMainFrame::showShortcutsDialog()
{
    ShortcutKeysDlg dialog(
        shortcuts_, [this](int context) { showHelp(context); }, this);
    if (dialog.exec() == QDialog::Accepted && !(dialog.table() == shortcuts_)) {
        dialog.table().save();
        applyShortcuts(dialog.table());
    }
}

void CMainFrame::applyShortcuts(const ShortcutTable& table)
{
    shortcuts_ = table;
    for (const auto& [command, action] : actions_)
        action->setShortcut(table.key(command));
}

void CMainFrame::showAbout()
{
    AboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::showHelp(int context)
{
    help_->showContext(context);
}

void CMainFrame::onHelpKey()
{
    // An editor window answers with its own context; the frame's own help request opens nothing.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    auto* view = active ? qobject_cast<editors::EditorView*>(active->widget()) : nullptr;
    if (view && active->isAncestorOf(QApplication::focusWidget()))
        showHelp(view->helpContext());
}

void CMainFrame::startSplash()
{
    splash_ = new CSplashWnd(app_.options().splashMs, this);
    splash_->setWindowFlag(Qt::Window); // a window of its own, over the main window
    connect(splash_, &CSplashWnd::closed, this, &CMainFrame::onSplashClosed);
    splash_->start();
}

void CMainFrame::onSplashClosed()
{
    update();
    startupPortCheck();
}

void CMainFrame::startupPortCheck()
{
    if (Registry::comPortDigit().isEmpty()) {
        ComPortDialog dialog(this);
        dialog.exec();
    }
    session_->resetAttempts();
}

void CMainFrame::restoreWorkspace()
{
    auto settings = SettingsStore::open(Hive::CurrentUser, QString::fromLatin1(key::kWorkspace));
    restoreGeometry(settings->value(QLatin1String(kGeometryValue)).toByteArray());
    restoreState(settings->value(QLatin1String(kStateValue)).toByteArray());
    const bool statusVisible = settings->value(QLatin1String(kStatusBarValue), true).toBool();
    statusBar()->setVisible(statusVisible);
    actions_[cmd::kViewStatusBar]->setChecked(statusVisible);
    // The tree shows exactly while a database is open, whatever the saved layout says.
    showTree(isDatabaseOpen());
}

void CMainFrame::saveWorkspace() const
{
    QDir().mkpath(SettingsStore::configDir());
    auto settings = SettingsStore::open(Hive::CurrentUser, QString::fromLatin1(key::kWorkspace));
    settings->setValue(QLatin1String(kGeometryValue), saveGeometry());
    settings->setValue(QLatin1String(kStateValue), saveState());
    settings->setValue(QLatin1String(kStatusBarValue), statusBar()->isVisible());
}

// ---- Download and upload --------------------------------------------------------------------

void CMainFrame::startTransfer(bool upload)
{
    if (upload)
        session_->upload();
    else
        session_->download();
}

void CMainFrame::endTransfer()
{
    if (progress_) {
        progress_->disconnect(this);
        delete progress_;
        progress_ = nullptr;
    }
    session_->progressClosed(); // the session's end: the link is disconnected
}

bool CMainFrame::askRetry(const QString& text)
{
    return platform::showMessage(text, MsgButtons::RetryCancel, MsgIcon::Exclamation, this) ==
           MsgAnswer::Retry;
}

void CMainFrame::showMessage(const QString& text)
{
    platform::showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation, this);
}

bool CMainFrame::closeDatabaseAndStartNew()
{
    return newDatabase();
}

void CMainFrame::setDatabaseName(const QString& name)
{
    setDatabaseName(name, name);
}

void CMainFrame::refreshAfterDownload()
{
    db::signallingFlags().recompute();
    tree_->refreshAllStates();
}

void CMainFrame::progressOpen(const QString& text)
{
    // A start announcement still queued when its session has already ended (a fast link can
    // deliver every block and the end message first) must not open a window that never ends.
    if (progress_ || (!session_->downloadPending() && !session_->uploadPending()))
        return;
    progress_ = new TransferProgressDlg(text, this);
    connect(progress_, &QDialog::finished, this, &CMainFrame::onProgressFinished);
    progress_->start();
}

void CMainFrame::onProgressFinished()
{
    // The window is forgotten first, so the session's end sees no progress window.
    TransferProgressDlg* closed = std::exchange(progress_, nullptr);
    closed->deleteLater();
    if (session_)
        session_->progressClosed();
}

bool CMainFrame::progressIsOpen() const
{
    return progress_ != nullptr;
}

int CMainFrame::progressPosition() const
{
    return progress_ ? progress_->position() : 0;
}

void CMainFrame::progressSetPosition(int position)
{
    if (progress_)
        progress_->setPosition(position);
}

void CMainFrame::progressEnd(const QString& text, transfer::EndButton button)
{
    if (progress_)
        progress_->end(text, button == transfer::EndButton::Cancel);
}

QString CMainFrame::progressText() const
{
    return progress_ ? progress_->text() : QString();
}

// ---- Window events ----------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!closeDatabaseRequest()) {
        event->ignore();
        return;
    }
    endTransfer();
    if (splash_ && !splash_->isFinished()) {
        // Closed while the splash was up: no port question after the window has gone.
        splash_->disconnect(this);
        splash_->finish();
    }
    app_.recentFiles().save();
    saveWorkspace();
    help_->close();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            lastFocus_ = focusWidget();
        } else if (lastFocus_) {
            // Back to the tree when it had the focus; otherwise the frame takes it, which hands
            // it to the active editor window, if any.
            if (lastFocus_ == tree_->tree() && tree_->isVisible()) {
                tree_->tree()->setFocus();
            } else if (QMdiSubWindow* active = mdi_->activeSubWindow();
                       active && active->isAncestorOf(lastFocus_)) {
                lastFocus_->setFocus();
            } else {
                setFocus();
            }
        }
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            // One database at a time: the first file dropped is opened.
            openNamedFile(url.toLocalFile());
            return;
        }
    }
}

} // namespace trv::app
