// The serial port dialog and the start-up check, the splash, the keyboard shortcut dialogs and help.
#include "ShellTestSupport.h"

#include "app/ComPortDialog.h"
#include "app/HelpWindow.h"
#include "app/ShortcutDialogs.h"
#include "platform/MachineSettings.h"
#include "platform/SettingsStore.h"
#include "tests/support/ComEnvironment.h"
#include "tests/support/PseudoTerminal.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>

#include <map>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace trv::app::test {
namespace {

using platform::Hive;
using platform::SettingsStore;

const QString kRequired = QStringLiteral("You must select a COM port to continue.");

QString storedPort()
{
    return SettingsStore::read(Hive::LocalMachine, transfer::ComPortSetting::kKeyPath,
                               transfer::ComPortSetting::kValueName)
        .toString();
}

class ComPortTest : public ShellFixture {};

TEST_F(ComPortTest, LooksAsDesigned)
{
    ComPortDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "COM Port");
    EXPECT_EQ(dialog.closeButton()->text(), "Close");
    EXPECT_TRUE(dialog.closeButton()->isDefault());
    QStringList entries;
    for (int k = 0; k < dialog.portList()->count(); ++k)
        entries << dialog.portList()->itemText(k);
    EXPECT_EQ(entries, (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_NE(dialog.findChild<QLabel*>()->text().indexOf(
                  "&Select the serial port that is\nconnected to your equipment"),
              -1);
}

TEST_F(ComPortTest, NothingStoredRefusesCloseUntilAPortIsChosen)
{
    ComPortDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.portList()->currentIndex(), -1);
    boxes_.expect(kRequired, MsgAnswer::Ok);
    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(storedPort().isEmpty());

    dialog.portList()->setCurrentIndex(1);
    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(storedPort(), "COM2");
    EXPECT_EQ(Registry::comPortDigit(), "2");
}

TEST_F(ComPortTest, StoredPortIsSelectedAndEscapeWritesNothing)
{
    Registry::setComPort(3);
    ComPortDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.portList()->currentText(), "COM3");
    dialog.portList()->setCurrentIndex(0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(storedPort(), "COM3");
}

TEST_F(ComPortTest, CloseBoxWritesNothing)
{
    ComPortDialog dialog;
    dialog.show();
    dialog.portList()->setCurrentIndex(3);
    dialog.close();
    EXPECT_TRUE(storedPort().isEmpty());
}

TEST_F(ComPortTest, ShowsEachPortsDeviceAndAdapterAndMapsThePortToAnAdapter)
{
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0");
    const std::vector<platform::SerialAdapter> adapters = {
        {"/dev/ttyS0", {}, {}, {}, {}},
        {"/dev/ttyUSB0", "FTDI", "FT232R USB UART", "A10K3XYZ", byId},
    };
    const QString ports = platform::MachineSettings::kPortsKey;
    SettingsStore::write(Hive::LocalMachine, ports, QStringLiteral("COM2"), byId);
    Registry::setComPort(2);
    ComPortDialog dialog(nullptr, [&] { return adapters; });
    dialog.show();
    auto row = [&](int port) {
        const QTreeWidgetItem* item = dialog.deviceTable()->topLevelItem(port - 1);
        return QStringList{item->text(0), item->text(1), item->text(2)};
    };
    // Marked as the machine has them: this adapter is not plugged in here.
    const auto marked = [](const QString& device) {
        return QFile::exists(device) ? device : device + " (not present)";
    };
    EXPECT_EQ(row(1), (QStringList{"COM1", marked("/dev/ttyS0"), "No adapter"}));
    EXPECT_EQ(row(2), (QStringList{"COM2", marked(byId), "FTDI FT232R USB UART, serial number A10K3XYZ"}));
    EXPECT_EQ(dialog.deviceList()->currentData().toString(), byId) << "the stored mapping is chosen";

    // COM3 onto the adapter: shown at once, stored on Close with the chosen port.
    dialog.portList()->setCurrentIndex(2);
    EXPECT_EQ(dialog.deviceList()->currentIndex(), 0) << "COM3 has its built-in device";
    const int adapter = dialog.deviceList()->findData(byId);
    ASSERT_GE(adapter, 1);
    dialog.deviceList()->setCurrentIndex(adapter);
    emit dialog.deviceList()->activated(adapter);
    EXPECT_EQ(row(3)[1], marked(byId));
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, ports, QStringLiteral("COM3")).toString(), QString());
    dialog.closeButton()->click();
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, ports, QStringLiteral("COM3")).toString(), byId);
    EXPECT_EQ(storedPort(), "COM3");

    // Escape keeps the stored mappings.
    ComPortDialog again(nullptr, [&] { return adapters; });
    again.show();
    again.deviceList()->setCurrentIndex(0);
    emit again.deviceList()->activated(0);
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, ports, QStringLiteral("COM3")).toString(), byId);
}

// Each COMn's device is marked from what the machine has: a working pseudo-terminal (here through
// $TRV_COM1) is present, a mapped adapter that is unplugged and an absent built-in port are not,
// a device server has nothing here to look for. With no port chosen the label names none.
TEST_F(ComPortTest, MarksEachPortsDevicePresentOrNot)
{
    const testsupport::PseudoTerminal terminal;
    ASSERT_TRUE(terminal.Valid());
    const QString pty = QString::fromStdString(terminal.Path());
    const testsupport::ComEnvironment com1(1, pty);
    const QString gone = path("ttyUSB-unplugged");
    platform::MachineSettings::storeDevice(2, gone);
    platform::MachineSettings::storeDevice(3, "tcp://[::1]:4001");
    ComPortDialog dialog(nullptr, [] { return std::vector<platform::SerialAdapter>{}; });
    dialog.show();
    const auto device = [&](int port) { return dialog.deviceTable()->topLevelItem(port - 1)->text(1); };
    const QString ttyS3 = QFile::exists("/dev/ttyS3") ? "/dev/ttyS3" : "/dev/ttyS3 (not present)";
    EXPECT_EQ((QStringList{device(1), device(2), device(3), device(4)}),
              (QStringList{pty + " (set by $TRV_COM1)", gone + " (not present)", "tcp://[::1]:4001", ttyS3}));
    QStringList labels;
    for (const QLabel* each : dialog.findChildren<QLabel*>())
        labels << each->text();
    EXPECT_TRUE(labels.contains("&Device:")) << labels.join('|').toStdString();
    EXPECT_FALSE(dialog.deviceList()->isEnabled());

    // Chosen: the list offers the mapping with the same mark.
    dialog.portList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.deviceList()->currentText(), gone + " (not present)");
    dialog.portList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.deviceList()->currentText(), pty);
    EXPECT_FALSE(dialog.deviceList()->isEnabled()) << "the environment decides COM1";
}

TEST_F(ComPortTest, NonNumericStoredValueSelectsNothing)
{
    SettingsStore::write(Hive::LocalMachine, transfer::ComPortSetting::kKeyPath,
                         transfer::ComPortSetting::kValueName, QStringLiteral("COMX"));
    ComPortDialog dialog;
    EXPECT_EQ(dialog.portList()->currentIndex(), -1);
}

TEST_F(ComPortTest, RegistryObjectCreatesTheKeyWithAnEmptyValue)
{
    onNextModal<ComPortDialog>([](ComPortDialog* dialog) { dialog->reject(); });
    start();
    EXPECT_TRUE(SettingsStore::hasValue(Hive::LocalMachine, transfer::ComPortSetting::kKeyPath,
                                        transfer::ComPortSetting::kValueName));
}

TEST_F(ComPortTest, StartupCheckOpensDialogWhenNoPortIsStored)
{
    start({}, true);
    int dialogs = 0;
    onNextModal<ComPortDialog>([&](ComPortDialog* dialog) {
        ++dialogs;
        dialog->portList()->setCurrentIndex(2);
        dialog->closeButton()->click();
    });
    frame()->splash()->finish();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(storedPort(), "COM3");
    EXPECT_EQ(frame()->transferSession().attempts(), 0);
}

TEST_F(ComPortTest, StartupCheckOpensNothingWhenAPortIsStored)
{
    Registry::setComPort(4);
    start({}, true);
    frame()->splash()->finish();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(storedPort(), "COM4");
}

TEST_F(ComPortTest, MenuCommandRunsTheDialog)
{
    Registry::setComPort(1);
    start();
    onNextModal<ComPortDialog>([](ComPortDialog* dialog) {
        dialog->portList()->setCurrentIndex(3);
        dialog->closeButton()->click();
    });
    run(cmd::kComPort);
    EXPECT_EQ(storedPort(), "COM4");
}

class SplashTest : public ShellFixture {};

TEST_F(SplashTest, AnyKeyClosesItAndIsSwallowed)
{
    Registry::setComPort(1);
    start({}, true);
    CSplashWnd* splash = frame()->splash();
    ASSERT_TRUE(splash->isVisible());
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    // Ctrl+N would create a database if it reached the main window.
    QTest::keyClick(frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(splash->isFinished());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(frame()->isDatabaseOpen());
}

TEST_F(SplashTest, MouseClickClosesIt)
{
    Registry::setComPort(1);
    start({}, true);
    QTest::mouseClick(frame()->workspace()->viewport(), Qt::RightButton);
    EXPECT_TRUE(frame()->splash()->isFinished());
}

TEST_F(SplashTest, ClosingTheProgramDuringTheSplashAsksForNoPort)
{
    start({}, true); // no port stored: the splash's end would ask for one
    ASSERT_TRUE(frame()->close());
    EXPECT_TRUE(frame()->splash()->isFinished());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SplashTest, ClosesItselfAfterItsPeriod)
{
    Registry::setComPort(1);
    options_.splashMs = 1;
    start({}, true);
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame()->splash()->isFinished(); }, 2000));
}

class ShortcutTest : public ShellFixture {};

TEST_F(ShortcutTest, TableRoundTripsThroughTheProfile)
{
    ShortcutTable table = ShortcutTable::defaults();
    EXPECT_FALSE(ShortcutTable().load()) << "nothing stored yet";
    table.setKey(cmd::kDownload, QKeySequence(Qt::CTRL | Qt::Key_D));
    table.setKey(cmd::kSave, QKeySequence());
    table.save();
    ShortcutTable loaded;
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.key(cmd::kDownload), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_TRUE(loaded.key(cmd::kSave).isEmpty());
    EXPECT_EQ(loaded.key(cmd::kOpen), QKeySequence(Qt::CTRL | Qt::Key_O));
}

TEST_F(ShortcutTest, AssignMovesAKeyOnlyWhenTheUserAgrees)
{
    ShortcutKeysDlg dialog(ShortcutTable::defaults(), [](int) {});
    boxes_.expect(
        QStringLiteral(
            "The key %1 is assigned to \"New Database\". Assign it to \"Download Database\" instead?")
            .arg(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText)),
        MsgAnswer::No);
    EXPECT_FALSE(dialog.assign(cmd::kDownload, QKeySequence(Qt::CTRL | Qt::Key_N)));
    EXPECT_EQ(dialog.table().key(cmd::kNewDatabase), QKeySequence(Qt::CTRL | Qt::Key_N));
    boxes_.expect(
        QStringLiteral(
            "The key %1 is assigned to \"New Database\". Assign it to \"Download Database\" instead?")
            .arg(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText)),
        MsgAnswer::Yes);
    EXPECT_TRUE(dialog.assign(cmd::kDownload, QKeySequence(Qt::CTRL | Qt::Key_N)));
    EXPECT_TRUE(dialog.table().key(cmd::kNewDatabase).isEmpty());
    EXPECT_EQ(dialog.table().key(cmd::kDownload), QKeySequence(Qt::CTRL | Qt::Key_N));
}

TEST_F(ShortcutTest, ChangedShortcutIsSavedAndAppliedAtOnce)
{
    Registry::setComPort(1);
    start();
    onNextModal<ShortcutKeysDlg>([](ShortcutKeysDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Shortcut Keys");
        QTreeWidget* list = dialog->commandList();
        for (int k = 0; k < list->topLevelItemCount(); ++k) {
            if (list->topLevelItem(k)->text(0) == "Download Database")
                list->setCurrentItem(list->topLevelItem(k));
        }
        onNextModal<AssignShortcutDlg>([dialog](AssignShortcutDlg* assign) {
            EXPECT_EQ(assign->windowTitle(), "Assign Shortcut");
            QTest::keyClick(assign->keyEdit(), Qt::Key_D, Qt::ControlModifier);
            assign->accept();
            QTimer::singleShot(0, dialog, &QDialog::accept);
        });
        dialog->assignButton()->click();
    });
    run(cmd::kShortcuts);
    EXPECT_EQ(frame()->action(cmd::kDownload)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    ShortcutTable stored;
    ASSERT_TRUE(stored.load());
    EXPECT_EQ(stored.key(cmd::kDownload), QKeySequence(Qt::CTRL | Qt::Key_D));

    // The next start applies the stored table.
    frame()->close();
    app_.reset();
    start();
    EXPECT_EQ(frame()->action(cmd::kDownload)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
}

TEST_F(ShortcutTest, CancelKeepsEveryKey)
{
    Registry::setComPort(1);
    start();
    onNextModal<ShortcutKeysDlg>([](ShortcutKeysDlg* dialog) {
        dialog->resetButton()->click();
        dialog->commandList()->setCurrentItem(dialog->commandList()->topLevelItem(0));
        dialog->removeButton()->click();
        dialog->reject();
    });
    run(cmd::kShortcuts);
    EXPECT_EQ(frame()->action(cmd::kNewDatabase)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_FALSE(ShortcutTable().load());
}

TEST_F(ShortcutTest, AssignFieldHoldsTheLastCombinationAndBackspaceOrDeleteClearIt)
{
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    struct Case {
        const char* what;
        std::vector<Press> presses;
        QKeySequence shown; // and what OK assigns
    };
    const Case cases[] = {
        {"each combination replaces the one shown",
         {{Qt::Key_D, Qt::ControlModifier}, {Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier}},
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
        {"Backspace clears and is never assigned",
         {{Qt::Key_Backspace, {}}, {Qt::Key_W, Qt::ControlModifier}},
         QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"Backspace alone leaves the field empty", {{Qt::Key_Backspace, {}}}, QKeySequence()},
        {"Delete alone clears a key", {{Qt::Key_F5, {}}, {Qt::Key_Delete, {}}}, QKeySequence()},
        {"with a modifier, Backspace is a key",
         {{Qt::Key_Backspace, Qt::AltModifier}},
         QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {"a modifier alone changes nothing",
         {{Qt::Key_F5, {}}, {Qt::Key_Control, Qt::ControlModifier}},
         QKeySequence(Qt::Key_F5)},
        {"a mnemonic of the dialog is taken as a key",
         {{Qt::Key_C, Qt::AltModifier}},
         QKeySequence(Qt::ALT | Qt::Key_C)},
    };
    for (const Case& c : cases) {
        AssignShortcutDlg dialog("Save Database", QKeySequence(Qt::CTRL | Qt::Key_S), [](int) {});
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ShortcutKeyEdit* field = dialog.keyEdit();
        field->setFocus();
        for (const Press& press : c.presses)
            QTest::keyClick(field, press.key, press.modifiers);
        EXPECT_EQ(field->text(), c.shown.toString(QKeySequence::NativeText)) << c.what;
        EXPECT_TRUE(dialog.isVisible()) << c.what;
        QTest::keyClick(field, Qt::Key_Return); // OK
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.what;
        EXPECT_EQ(dialog.key(), c.shown) << c.what;
    }
}

TEST_F(ShortcutTest, EachButtonOfTheShortcutDialogsHasAMnemonicOfItsOwn)
{
    ShortcutKeysDlg keys(ShortcutTable::defaults(), [](int) {});
    AssignShortcutDlg assign("Save Database", {}, [](int) {});
    EXPECT_EQ(keys.assignButton()->text(), "&Assign...");
    EXPECT_EQ(keys.resetButton()->text(), "Reset A&ll");
    for (QDialog* dialog : {static_cast<QDialog*>(&keys), static_cast<QDialog*>(&assign)}) {
        std::map<QString, QString> owners; // mnemonic -> the button with it
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
            if (mnemonic.isEmpty())
                continue;
            const auto [at, added] = owners.emplace(mnemonic.toString(), button->text());
            EXPECT_TRUE(added) << button->text().toStdString() << " and " << at->second.toStdString();
        }
    }
}

TEST_F(ShortcutTest, DialogsOpenTheirHelpContexts)
{
    std::vector<int> contexts;
    ShortcutKeysDlg keys(ShortcutTable::defaults(), [&](int context) { contexts.push_back(context); });
    keys.show();
    QTest::keyClick(&keys, Qt::Key_F1);
    AssignShortcutDlg assign("Save Database", {}, [&](int context) { contexts.push_back(context); });
    assign.show();
    QTest::keyClick(&assign, Qt::Key_F1);
    EXPECT_EQ(contexts, (std::vector<int>{139, 83}));
}

TEST_F(ShortcutTest, HelpFromTheDialogIsUsableBesideItWhileItStaysOpen)
{
    Registry::setComPort(1);
    start();
    HelpWindow* help = frame()->helpWindow();
    std::vector<int> contextsAfterClicks;
    bool ownedByTheDialog = false;
    bool dialogTookTheClick = false;
    QStringList covered;
    // A click through the window system, which drops input to windows a modal dialog blocks.
    const auto clickThroughTheWindowSystem = [](QWidget* target) {
        QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(target->window(), target->rect().center()));
    };
    onNextModal<ShortcutKeysDlg>([&](ShortcutKeysDlg* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        ASSERT_TRUE(help->isVisible());
        ASSERT_EQ(help->currentContext(), 139);
        ownedByTheDialog = help->windowHandle()->transientParent() == dialog->windowHandle();
        // Contents and the pages it leads to keep answering, the dialog still open.
        auto* contents = help->findChild<QPushButton*>();
        clickThroughTheWindowSystem(contents);
        contextsAfterClicks.push_back(help->currentContext());
        emit help->browser()->anchorClicked(QUrl(QStringLiteral("ctx:83"))); // a link
        contextsAfterClicks.push_back(help->currentContext());
        clickThroughTheWindowSystem(contents);
        contextsAfterClicks.push_back(help->currentContext());
        const QRect helpArea = help->frameGeometry();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->isVisible() &&
                helpArea.intersects(QRect(button->mapToGlobal(QPoint()), button->size())))
                covered << button->text();
        }
        // The dialog takes input beside it: its Cancel closes it.
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Cancel") || button->text() == QStringLiteral("&Cancel"))
                clickThroughTheWindowSystem(button);
        dialogTookTheClick = !dialog->isVisible();
        if (dialog->isVisible())
            dialog->reject();
    });
    run(cmd::kShortcuts);
    EXPECT_TRUE(ownedByTheDialog) << "kept above the dialog";
    EXPECT_EQ(contextsAfterClicks, (std::vector<int>{0, 83, 0}));
    EXPECT_TRUE(covered.isEmpty()) << covered.join(", ").toStdString();
    EXPECT_TRUE(dialogTookTheClick);
    // Closing the dialog leaves help open, a window of the main window again, blocking nothing.
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowHandle()->transientParent(), frame()->windowHandle());
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    run(cmd::kHelpTopics);
    EXPECT_EQ(help->currentContext(), 0);
    help->close();
}

TEST(HelpTest, KnownContextsOpenOthersDoNot)
{
    HelpWindow help;
    EXPECT_TRUE(help.showContext(0));
    EXPECT_TRUE(help.browser()->toHtml().contains("Shortcut Keys"));
    EXPECT_TRUE(help.showContext(139));
    EXPECT_EQ(help.currentContext(), 139);
    EXPECT_TRUE(help.showContext(83));
    EXPECT_FALSE(help.showContext(20507));
    EXPECT_FALSE(help.showContext(-1));
    EXPECT_EQ(help.currentContext(), 83);
    help.close();
}

TEST(HelpTest, ContentsListsEveryPage)
{
    const QString contents = HelpWindow::contentsHtml();
    EXPECT_TRUE(contents.contains("href=\"ctx:139\""));
    EXPECT_TRUE(contents.contains("href=\"ctx:83\""));
    EXPECT_FALSE(contents.contains("ctx:0\""));
    // Each topic under its page's caption; the tree's disabled items as they are drawn.
    EXPECT_TRUE(contents.contains("<a href=\"ctx:186\">DTMF Selective Call</a>"));
    EXPECT_TRUE(contents.contains("<a href=\"ctx:188\">DTMF Decode</a>"));
    EXPECT_FALSE(contents.contains("red sign"));
    EXPECT_TRUE(contents.contains("drawn gray, with a gray"));
}

TEST(HelpTest, TheAssignShortcutPageSaysWhatTheFieldDoes)
{
    HelpWindow help;
    ASSERT_TRUE(help.showContext(83));
    const QString page = help.browser()->toPlainText().simplified();
    for (const char* rule :
         {"The field holds one key combination", "Each combination you press replaces the one shown",
          "Backspace or Delete without Ctrl, Shift or Alt clears the field",
          "they are never assigned themselves", "OK assigns what the field shows"})
        EXPECT_TRUE(page.contains(QString::fromLatin1(rule))) << rule;
    help.close();
}

TEST_F(ShortcutTest, HelpKeysOfTheFrameOpenNothingButAnEditorOpensItsContext)
{
    Registry::setComPort(1);
    start();
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    QTest::keyClick(frame(), Qt::Key_F1);
    EXPECT_FALSE(frame()->helpWindow()->isVisible());
    run(cmd::kHelpTopics);
    EXPECT_TRUE(frame()->helpWindow()->isVisible());
    EXPECT_EQ(frame()->helpWindow()->currentContext(), 0);
    frame()->helpWindow()->close();

    run(cmd::kNewDatabase);
    run(cmd::kViewDeskset);
    QApplication::setActiveWindow(frame());
    activeView()->field()->setFocus();
    QTest::keyClick(activeView()->field(), Qt::Key_F1);
    // The stand-in view asks for context 125, which has a page only once its editor adds it.
    EXPECT_EQ(frame()->helpWindow()->isVisible(), HelpWindow::hasContext(125));
}

} // namespace
} // namespace trv::app::test
