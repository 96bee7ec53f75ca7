// trv_render: draws the main window in its typical states into PNG files for review
// (scripts/render-screenshots), one step per file in the table main() builds. Runs headless; each
// picture gets a plain window frame with its caption, since no window manager draws one.
#include "app/AboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CDockingWnd.h"
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/CheckDatabaseWindow.h"
#include "app/ComPortDialog.h"
#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "app/FleetTableModel.h"
#include "app/FleetWindow.h"
#include "app/HelpWindow.h"
#include "app/Registry.h"
#include "app/SheetCommands.h"
#include "app/ShellArt.h"
#include "app/ShellTexts.h"
#include "app/ShortcutDialogs.h"
#include "app/TransferProgressDlg.h"
#include "database/FieldCatalog.h"
#include "database/Image.h"
#include "database/Layout.h"
#include "editors/EditorCatalog.h"
#include "editors/aliases/EditAliasFV.h"
#include "editors/buttons/CUniButton.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/buttons/DesksetPicture.h"
#include "editors/channel/ChanCfgFV.h"
#include "editors/channel/ChanWizard.h"
#include "editors/common/EditorDialog.h"
#include "editors/customtones/EditCustomPageFV.h"
#include "editors/paging/FormatEditors.h"
#include "editors/paging/MpageRequestProtDlg.h"
#include "editors/paging/PagingFormatDlg.h"
#include "editors/speedpaging/EditSpeedPageFV.h"
#include "platform/MachineSettings.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "sheet/ConfigurationSheet.h"
#include "transfer/OpenFailureText.h"
#include "transfer/TransferTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace trv::app;

constexpr int kTitleHeight = 30;

// A window frame as a desktop would draw it: a title bar with icon and caption, a thin border.
// Pictures are laid out in logical pixels and drawn at the density of the widgets they show.
QSize logicalSize(const QPixmap& picture)
{
    return picture.deviceIndependentSize().toSize();
}

QPixmap framed(const QPixmap& content, const QString& caption)
{
    const QSize size(logicalSize(content).width() + 2, logicalSize(content).height() + kTitleHeight + 1);
    QPixmap picture(size * content.devicePixelRatio());
    picture.setDevicePixelRatio(content.devicePixelRatio());
    picture.fill(QColor(0x2b, 0x2f, 0x36));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient title(0, 0, 0, kTitleHeight);
    title.setColorAt(0, QColor(0x3c, 0x42, 0x4c));
    title.setColorAt(1, QColor(0x31, 0x36, 0x3e));
    p.fillRect(QRect(0, 0, size.width(), kTitleHeight), title);
    p.drawPixmap(8, (kTitleHeight - 18) / 2, applicationIcon().pixmap(18, 18));
    QFont font = QApplication::font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0xee, 0xf0, 0xf3));
    p.drawText(QRect(34, 0, size.width() - 120, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft, caption);
    // Minimize, maximize and close symbols.
    p.setPen(QPen(QColor(0xc8, 0xcc, 0xd2), 1.5));
    const int y = kTitleHeight / 2;
    const int right = size.width() - 16;
    p.drawLine(right - 70, y + 4, right - 60, y + 4);
    p.drawRect(QRectF(right - 42, y - 5, 10, 10));
    p.drawLine(right - 10, y - 5, right, y + 5);
    p.drawLine(right - 10, y + 5, right, y - 5);
    p.drawPixmap(1, kTitleHeight, content);
    return picture;
}

// Draws a dialog, framed, centred over the main window's picture (the dialog has no title bar
// when frameless is set).
QPixmap withDialog(const QPixmap& main, QWidget* dialog, bool frameless)
{
    QPixmap picture = main;
    const QPixmap shot = frameless ? dialog->grab() : framed(dialog->grab(), dialog->windowTitle());
    QPainter p(&picture);
    const QSize room = logicalSize(picture);
    const QSize size = logicalSize(shot);
    const QPoint at((room.width() - size.width()) / 2, (room.height() - size.height()) / 2);
    p.fillRect(QRect(at + QPoint(4, 6), size), QColor(0, 0, 0, 60)); // shadow
    if (frameless) {
        p.setPen(QColor(0x5a, 0x60, 0x6a));
        p.drawRect(QRect(at - QPoint(1, 1), size + QSize(1, 1)));
    }
    p.drawPixmap(at, shot);
    return picture;
}

// A few custom paging tones, paging formats and speed pages for the list editors' pictures.
void writeSampleTables()
{
    namespace f = trv::db::fields;
    trv::db::Image& image = trv::db::theImage();
    const struct {
        int number, first, second;
    } tones[] = {{0, 9530, 14200}, {1, 3499, 5670}, {5, 12345, 2002}, {12, 20000, 30000}};
    for (const auto& t : tones) {
        trv::db::writeFieldText(image, f::toneNumber, std::to_string(t.number), t.number);
        trv::db::writeField(image, f::firstToneFrequency, t.first, t.number);
        trv::db::writeField(image, f::secondToneFrequency, t.second, t.number);
        trv::db::writeField(image, f::firstToneDuration, 1000, t.number);
        trv::db::writeField(image, f::secondToneDuration, 3000, t.number);
        trv::db::writeField(image, f::inhibitDelay, 3000, t.number);
    }
    const struct {
        int index;
        const char* label;
        int type;
    } formats[] = {{0, "FIRE", 13}, {1, "DTMF1", 18}, {2, "TONES", 20}};
    for (const auto& p : formats) {
        trv::db::writeFieldText(image, f::pagingLabel, p.label, p.index);
        trv::db::writeField(image, f::formatType, p.type, p.index);
    }
    const struct {
        const char* label;
        int format;
        const char* digits;
    } pages[] = {
        {"AMBUL", 1, "555*12#"}, {"Fire1", 0, "12345"}, {"POLICE", 2, "5"}, {"Station4", 0, "40404"}};
    for (int r = 0; r < 4; ++r) {
        trv::db::writeFieldText(image, f::speedPageLabel, pages[r].label, r);
        trv::db::writeField(image, f::speedPageFormat, pages[r].format, r);
        trv::db::writeFieldText(image, f::speedPageDigits, pages[r].digits, r);
    }
    const struct {
        const char* label;
        const char* id;
        int unitType;
    } aliases[] = {{"Base Station", "0A1F", 0}, {"Engine 12", "12AB", 0}, {"Patrol 3", "*3#", 3},
                   {"RADIO", "7001", 0},        {"Radio", "7002", 0},     {"Supervisor", "45", 3}};
    for (int r = 0; r < static_cast<int>(std::size(aliases)); ++r) {
        trv::db::writeFieldText(image, f::aliasLabel, aliases[r].label, r);
        trv::db::writeFieldText(image, f::aliasPttId, aliases[r].id, r);
        trv::db::writeField(image, f::aliasUnitType, aliases[r].unitType, r);
    }
}

void settle()
{
    for (int k = 0; k < 5; ++k) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The channel window's pages, each reached from the first page by choosing a keying and a
// signalling and pressing Next `steps` times.
struct ChannelShot {
    const char* file;
    const char* keying;
    const char* signaling;
    int steps;
};
constexpr ChannelShot kChannelShots[] = {
    {"channel-1-configuration.png", "&Tone", "Stat &Alert", 0},
    {"channel-1-configuration-keying-none.png", "N&one", "Non&e", 0},
    {"channel-1-tone-plan-1.png", "&Tone", "Non&e", 1},
    {"channel-1-tone-plan-2.png", "&Tone", "Non&e", 2},
    {"channel-1-talk-permit-tone.png", "&Tone", "Non&e", 3},
    {"channel-1-dc-plan.png", "D&C", "Non&e", 1},
    {"channel-1-stat-alert.png", "N&one", "Stat &Alert", 2},
    {"channel-1-dtmf-decode.png", "N&one", "&DTMF decode", 2},
    {"channel-1-dtmf-selective-call.png", "N&one", "DTMF &selective call", 2},
};

// The channel window of channel 1 on the page of a shot; closed again once drawn.
QPixmap channelPage(CMainFrame* frame, const ChannelShot& shot)
{
    frame->runCommand(cmd::kViewChannel1);
    settle();
    trv::editors::channel::ChanCfgFV* view = nullptr;
    for (QMdiSubWindow* window : frame->workspace()->subWindowList())
        if (auto* v = qobject_cast<trv::editors::channel::ChanCfgFV*>(window->widget()))
            view = v;
    if (!view)
        return {};
    trv::editors::channel::ChanWizard* wizard = view->wizard();
    for (QRadioButton* radio : view->findChildren<QRadioButton*>())
        if (radio->text() == QLatin1String(shot.keying) || radio->text() == QLatin1String(shot.signaling))
            radio->click();
    for (QLineEdit* edit : view->findChildren<QLineEdit*>())
        if (edit->isEnabled() && edit->text().isEmpty() && edit->maxLength() == 8)
            edit->setText(QStringLiteral("1A2B")); // the deskset ID
    for (int k = 0; k < shot.steps; ++k)
        wizard->nextButton()->click();
    settle();
    const QPixmap picture = framed(view->grab(), view->windowTitle());
    wizard->cancelButton()->click();
    settle();
    return picture;
}

// The widget as a display at 200 % scale shows it: every logical pixel drawn as two by two.
QPixmap grabAtDoubleScale(QWidget* widget)
{
    QPixmap picture(widget->size() * 2);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::transparent);
    widget->render(&picture);
    return picture;
}

// A button table with a bit of everything, over two paging formats and a speed page.
void fillButtonsExample()
{
    using namespace trv::db;
    Image& image = theImage();
    writeText(image, kPagingFormats.record(0), paging::kLabelSize, "FIRE");
    image[kPagingFormats.record(0) + paging::kFormatType] = 13;
    writeText(image, kPagingFormats.record(1), paging::kLabelSize, "EMS");
    image[kPagingFormats.record(1) + paging::kFormatType] = 18;
    writeText(image, kSpeedPages.record(0), speedpage::kLabelSize, "CHIEF");
    const int entries[][2] = {{4, 1},   {4, 2},    {5, 1},    {7, 1},  {7, 2},   {9, 1},
                              {1, 255}, {2, 255},  {3, 255},  {10, 1}, {12, 1},  {11, 255},
                              {6, 255}, {15, 255}, {17, 255}, {18, 1}, {8, 255}, {0, 255}};
    for (int k = 0; k < kButtonTable.count; ++k) {
        image[kButtonTable.record(k) + button::kKind] = static_cast<std::uint8_t>(entries[k][0]);
        image[kButtonTable.record(k) + button::kParameter] = static_cast<std::uint8_t>(entries[k][1]);
    }
}

// Channels 2 to 4 on the other keyings and signalling types, each with its page's defaults.
void fillChannelsExample()
{
    namespace f = trv::db::fields;
    using namespace trv::db;
    Image& image = theImage();
    writeField(image, f::desksetType, deskset::kMultiChannel);
    const int settings[][2] = {{channel::kKeyingTone, channel::kSignalingStatAlert},
                               {channel::kKeyingDc, channel::kSignalingDtmfDecode},
                               {channel::kKeyingNone, channel::kSignalingDtmfSelectiveCall},
                               {channel::kKeyingTone, channel::kSignalingNone}};
    for (int c = 0; c < kChannels.count; ++c) {
        writeField(image, f::keying, settings[c][0], c);
        writeField(image, f::signalingType, settings[c][1], c);
        if (const AreaLayout* layout = f::signalingArea.layoutFor(settings[c][1]))
            for (const Field& field : layout->fields)
                writeDefault(image, field, c);
    }
    writeFieldText(image, f::desksetId, "1A2B", 0);
    writeFieldText(image, f::frequencyLabel, "Dispatch", 0, 4);
    writeField(image, f::functionToneFrequency, 5500, 0, 4);
    writeField(image, f::tptDetect, 1, 0, 4);
    writeFieldText(image, f::frequencyLabel, "Yard", 2, 0);
}

// "paging-format-motorola-5-tone.png" for "Motorola 5 Tone".
QString pagingFormatFile(const QString& title)
{
    QString name = title.toLower();
    name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    name.remove(QRegularExpression(QStringLiteral("-paging-format$")));
    return QStringLiteral("paging-format-%1.png").arg(name);
}

// A few paging formats for the paging formats window and its dialogs.
void writePagingFormats()
{
    namespace f = trv::db::fields;
    namespace fmt = trv::db::paging::format;
    trv::db::Image& image = trv::db::theImage();
    const std::pair<const char*, int> formats[] = {{"FIRE", fmt::kMotorola5Tone},
                                                   {"EMS", fmt::kPulsePage},
                                                   {"PUBWORKS", fmt::kMotorola1Plus1},
                                                   {"ALERT", fmt::kVoiceAlert}};
    int record = 0;
    for (const auto& [label, type] : formats) {
        trv::db::writeFieldText(image, f::pagingLabel, label, record);
        trv::db::writeField(image, f::formatType, type, record);
        if (const trv::db::AreaLayout* layout = f::formatParameters.layoutFor(type))
            for (const trv::db::Field& field : layout->fields)
                trv::db::writeDefault(image, field, record);
        ++record;
    }
}

// The paging format dialogs drawn over the paging formats window: existing formats, then new ones.
struct FormatDialogShot {
    int type;
    int record; // PagingFormatDlg::kNewFormat for a new format
};
constexpr FormatDialogShot kFormatDialogShots[] = {
    {trv::db::paging::format::kMotorola5Tone, 0},
    {trv::db::paging::format::kPulsePage, 1},
    {trv::db::paging::format::kMotorola1Plus1, 2},
    {trv::db::paging::format::kRemoteMonitor, trv::editors::paging::PagingFormatDlg::kNewFormat},
    {trv::db::paging::format::kMotorola6Tone, trv::editors::paging::PagingFormatDlg::kNewFormat},
    {trv::db::paging::format::kVoiceAlert, trv::editors::paging::PagingFormatDlg::kNewFormat},
};

// The main window as the screen shows it, in a frame with its caption.
QPixmap mainWindow(CMainFrame* frame)
{
    return framed(frame->grab(), frame->windowTitle());
}

void closeEditorWindows(CMainFrame* frame)
{
    for (QMdiSubWindow* window : frame->workspace()->subWindowList())
        window->close();
    settle();
}

// The buttons editor in the main window on a deskset of that type; All Mute only on the
// multi-channel deskset, as the deskset settings window leaves it.
QPixmap buttonsWindow(CMainFrame* frame, std::uint8_t type)
{
    trv::db::theImage()[trv::db::deskset::kDesksetType] = type;
    trv::db::theImage()[trv::db::kButtonTable.record(16)] = type == trv::db::deskset::kMultiChannel ? 8 : 0;
    frame->treeWindow()->refreshAllStates();
    frame->runCommand(cmd::kViewButtons);
    settle();
    return frame->editorFrames().empty() ? QPixmap() : mainWindow(frame);
}

// The first editor window as a display at 200 % scale shows it.
QPixmap editorAtDoubleScale(CMainFrame* frame)
{
    return frame->editorFrames().empty() ? QPixmap() : grabAtDoubleScale(frame->editorFrames().front());
}

// The Fleet window over a site list of 30 desksets half-way through a backup: some ended (one
// failed, with its reason), some transferring, the rest connecting or waiting.
QPixmap fleetWindow(CMainFrame* frame, const QString& folder)
{
    using namespace trv::fleet;
    const QString list = QDir(folder).filePath(QStringLiteral("north-district.csv"));
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QStringList rows{QStringLiteral("name,port")};
    for (int i = 1; i <= 30; ++i) {
        QString port;
        if (i <= 4)
            port = QStringLiteral("COM%1").arg(i);
        else if (i <= 18)
            port = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A%1-if00-port0")
                       .arg(i, 4, 10, QLatin1Char('0'));
        else
            port = QStringLiteral("tcp://10.20.1.%1:4001").arg(i);
        rows << QStringLiteral("%1-%2,%3")
                    .arg(i <= 12 ? QStringLiteral("DISPATCH") : QStringLiteral("FIRE-STN"))
                    .arg(i, 2, 10, QLatin1Char('0'))
                    .arg(port);
    }
    file.write((rows.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    file.close();

    frame->runCommand(cmd::kFleet);
    FleetWindow* fleet = frame->fleetWindow();
    if (!fleet || !fleet->openList(list))
        return {};
    FleetTableModel& model = *fleet->model();
    std::vector<int> all(30);
    for (int i = 0; i < 30; ++i)
        all[std::size_t(i)] = i;
    model.runStarting(all);
    for (int i = 0; i < 30; ++i) {
        if (i < 9) {
            SiteOutcome outcome;
            outcome.result = Result::Ok;
            outcome.reason = QStringLiteral("backed up");
            outcome.seconds = 9.5 + i * 0.3;
            model.siteEnded(i, outcome);
        } else if (i == 9 || i == 14) {
            SiteOutcome outcome;
            outcome.reason = QStringLiteral("no connection");
            outcome.detail = i == 9 ? QStringLiteral("the deskset did not answer 6 attempts")
                                    : QStringLiteral("the device does not exist: plug the adapter in");
            model.siteEnded(i, outcome);
        } else if (i < 20) {
            model.siteChanged(i, {Phase::BackingUp, (i * 37) % 100, 0, false});
        } else if (i < 24) {
            model.siteChanged(i, {Phase::Connecting, 0, i - 19, false});
        }
    }
    fleet->table()->selectRow(12);
    fleet->summary()->setText(QStringLiteral("backup: 11 of 30 desksets ended"));
    // The buttons as a run shows them.
    for (QPushButton* button : {fleet->backUpButton(), fleet->uploadButton(), fleet->statusButton()})
        button->setEnabled(false);
    fleet->stopButton()->setEnabled(true);
    settle();
    const QPixmap picture = framed(fleet->grab(), fleet->windowTitle());
    fleet->hide();
    return picture;
}

// One file of the review set: its name and the step that brings the program into the state the
// file shows and writes it. The steps run in table order, each on what the earlier ones left (the
// database, the open windows, the pictures the dialogs are drawn over).
struct Shot {
    QString file;
    std::function<bool(const QString& path)> write;
};

using Shots = std::vector<Shot>;

// A picture's step: draw prepares the program and draws the picture (a null one when there is
// nothing to draw), which is saved as PNG.
void add(Shots& shots, const QString& file, std::function<QPixmap()> draw)
{
    shots.push_back({file, [draw = std::move(draw)](const QString& path) { return draw().save(path); }});
}

// The main window without a database and with a new one, the deskset settings window, and the
// channel window on each of its pages and in the main window.
void addMainWindowShots(Shots& shots, CMainFrame* frame)
{
    add(shots, QStringLiteral("01-splash.png"), [frame] { return frame->splash()->grab(); });
    add(shots, QStringLiteral("02-no-database.png"), [frame] {
        frame->splash()->finish();
        frame->showNormal();
        frame->resize(1120, 720);
        settle();
        return mainWindow(frame);
    });
    add(shots, QStringLiteral("03-new-database.png"), [frame] {
        frame->runCommand(cmd::kNewDatabase);
        settle();
        return mainWindow(frame);
    });
    add(shots, QStringLiteral("04-editor-window.png"), [frame] {
        frame->runCommand(cmd::kViewDeskset);
        settle();
        const QPixmap picture = mainWindow(frame);
        closeEditorWindows(frame);
        return picture;
    });
    for (const ChannelShot& shot : kChannelShots)
        add(shots, QString::fromLatin1(shot.file), [frame, &shot] { return channelPage(frame, shot); });
    add(shots, QStringLiteral("channel-1-in-main-window.png"), [frame] {
        frame->runCommand(cmd::kViewChannel1);
        settle();
        const QPixmap picture = mainWindow(frame);
        closeEditorWindows(frame);
        return picture;
    });
}

// The dialogs and message boxes over the main window with the new database and no editor window
// open, then the connecting prompt and the help window.
void addDialogShots(Shots& shots, CMainFrame* frame)
{
    using trv::platform::MsgButtons;
    using trv::platform::MsgIcon;
    namespace tt = trv::transfer::text;
    struct Shared {
        QPixmap behind; // the main window behind the dialogs
        std::unique_ptr<TransferProgressDlg> progress;
        std::unique_ptr<ShortcutKeysDlg> shortcuts;
    };
    const auto shared = std::make_shared<Shared>();

    // The progress window of a download half-way, then at its end.
    add(shots, QStringLiteral("05-progress.png"), [frame, shared] {
        shared->behind = mainWindow(frame);
        shared->progress = std::make_unique<TransferProgressDlg>(tt::kDownloading, frame);
        shared->progress->setPosition(TransferProgressDlg::kRange * 11 / 20);
        shared->progress->show();
        settle();
        return withDialog(shared->behind, shared->progress.get(), true);
    });
    add(shots, QStringLiteral("06-progress-completed.png"), [shared] {
        shared->progress->setPosition(TransferProgressDlg::kRange);
        shared->progress->end(tt::kDownloading + tt::kCompleted, false);
        settle();
        return withDialog(shared->behind, shared->progress.get(), true);
    });
    add(shots, QStringLiteral("07-progress-disconnected.png"), [shared] {
        shared->progress->end(tt::kDisconnected, true);
        settle();
        const QPixmap picture = withDialog(shared->behind, shared->progress.get(), true);
        shared->progress->hide();
        return picture;
    });
    // A machine with one USB adapter mapped to COM2.
    add(shots, QStringLiteral("08-com-port.png"), [frame, shared] {
        const std::vector<trv::platform::SerialAdapter> adapters = {
            {QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}},
            {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FTDI"), QStringLiteral("FT232R USB UART"),
             QStringLiteral("A10K3XYZ"),
             QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0")},
        };
        trv::platform::MachineSettings::storeDevice(2, adapters[1].byIdPath);
        ComPortDialog port(frame, [&] { return adapters; });
        port.show();
        settle();
        const QPixmap picture = withDialog(shared->behind, &port, false);
        port.hide();
        return picture;
    });
    // The shortcut keys, then the assignment dialog over them.
    add(shots, QStringLiteral("09-shortcut-keys.png"), [frame, shared] {
        shared->shortcuts = std::make_unique<ShortcutKeysDlg>(
            frame->shortcuts(), [](int) {}, frame);
        shared->shortcuts->show();
        settle();
        return withDialog(shared->behind, shared->shortcuts.get(), false);
    });
    add(shots, QStringLiteral("09-assign-shortcut.png"), [frame, shared] {
        AssignShortcutDlg assign(
            plainCommandName(cmd::kSave), frame->shortcuts().key(cmd::kSave), [](int) {},
            shared->shortcuts.get());
        assign.show();
        settle();
        const QPixmap picture = withDialog(shared->behind, &assign, false);
        assign.hide();
        shared->shortcuts->hide();
        return picture;
    });
    add(shots, QStringLiteral("10-about.png"), [frame, shared] {
        AboutDlg about(frame);
        about.show();
        settle();
        const QPixmap picture = withDialog(shared->behind, &about, false);
        about.hide();
        return picture;
    });
    // The Retry/Cancel question with its own line breaks, and a port that cannot be opened with
    // the reason in the box's details.
    add(shots, QStringLiteral("15-retry-question.png"), [frame, shared] {
        const auto question = trv::platform::createMessageBox(
            {tt::kRetryQuestion, MsgButtons::RetryCancel, MsgIcon::Exclamation, {}}, frame);
        question->show();
        settle();
        const QPixmap picture = withDialog(shared->behind, question.get(), false);
        question->hide();
        return picture;
    });
    add(shots, QStringLiteral("16-unable-to-connect.png"), [frame, shared] {
        const auto failure = trv::platform::createMessageBox(
            {tt::kUnableToConnect, MsgButtons::Ok, MsgIcon::Exclamation,
             trv::transfer::connectFailureDetails(
                 QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0"),
                 comms::OpenFailure{
                     "/dev/ttyUSB0", EACCES, comms::OpenReason::NoPermission, "dialout", 0, {}})},
            frame);
        failure->show();
        for (QAbstractButton* button : failure->buttons()) {
            if (failure->buttonRole(button) == QMessageBox::ActionRole)
                button->click(); // "Show Details..."
        }
        settle();
        const QPixmap picture = withDialog(shared->behind, failure.get(), false);
        failure->hide();
        return picture;
    });
    add(shots, QStringLiteral("17-connecting.png"), [frame] {
        frame->setStatusText(
            trv::transfer::connectingText(QStringLiteral("COM1"), QStringLiteral("/dev/ttyUSB0"), 2) +
            text::kPressEscToStop);
        settle();
        const QPixmap picture = mainWindow(frame);
        frame->setStatusText(tt::kIdlePrompt);
        return picture;
    });
    add(shots, QStringLiteral("11-help.png"), [frame] {
        HelpWindow* help = frame->helpWindow();
        help->showContext(0);
        settle();
        const QPixmap picture = framed(help->grab(), help->windowTitle());
        help->close();
        return picture;
    });
}

// The buttons editor on a single-channel and on a multi-channel deskset, at 100 % and 200 %, and
// the button dialog over the multi-channel one.
void addButtonsShots(Shots& shots, CMainFrame* frame)
{
    add(shots, QStringLiteral("12-buttons-single.png"), [frame] {
        fillButtonsExample();
        return buttonsWindow(frame, trv::db::deskset::kSingleChannel);
    });
    add(shots, QStringLiteral("13-buttons-single-200.png"), [frame] {
        const QPixmap picture = editorAtDoubleScale(frame);
        closeEditorWindows(frame);
        return picture;
    });
    add(shots, QStringLiteral("12-buttons-multi.png"),
        [frame] { return buttonsWindow(frame, trv::db::deskset::kMultiChannel); });
    add(shots, QStringLiteral("13-buttons-multi-200.png"), [frame] { return editorAtDoubleScale(frame); });
    add(shots, QStringLiteral("14-button-configuration.png"), [frame] {
        QPixmap picture;
        if (!frame->editorFrames().empty()) {
            const QPixmap behind = mainWindow(frame);
            auto* view =
                dynamic_cast<trv::editors::DesksetButtonsCfgFV*>(frame->editorFrames().front()->view());
            trv::editors::EditorDialog::setHook([&](trv::editors::EditorDialog& dialog) {
                settle();
                picture = withDialog(behind, &dialog, false);
            });
            view->picture()->button(2)->click();
            trv::editors::EditorDialog::setHook({});
        }
        closeEditorWindows(frame);
        return picture;
    });
}

// The list editors over a few sample records: each window in the main window, then its dialog
// (made before the window opens) over it.
void addListEditorShots(Shots& shots, CMainFrame* frame)
{
    struct Shared {
        std::vector<std::unique_ptr<QDialog>> dialogs;
        QPixmap window; // the main window with the list window open
    };
    const auto shared = std::make_shared<Shared>();
    const auto listWindow = [frame, shared](int command, QDialog* dialog) {
        shared->dialogs.emplace_back(dialog);
        frame->runCommand(command);
        settle();
        shared->window = mainWindow(frame);
        return shared->window;
    };
    const auto listDialog = [frame, shared] {
        QDialog* dialog = shared->dialogs.back().get();
        dialog->show();
        settle();
        const QPixmap picture = withDialog(shared->window, dialog, false);
        dialog->hide();
        closeEditorWindows(frame);
        return picture;
    };
    add(shots, QStringLiteral("custom-paging-tones.png"), [frame, listWindow] {
        writeSampleTables();
        frame->editorWindows().refreshSpeedPagingItem();
        return listWindow(cmd::kViewCustomTones,
                          new trv::editors::EditCustomPageFV(frame->editorWindows(), 5, frame));
    });
    add(shots, QStringLiteral("edit-custom-page.png"), listDialog);
    add(shots, QStringLiteral("speed-paging.png"), [frame, listWindow] {
        return listWindow(cmd::kViewSpeedPaging,
                          new trv::editors::EditSpeedPageFV(frame->editorWindows(), 0, frame));
    });
    add(shots, QStringLiteral("edit-speed-page.png"), listDialog);
    add(shots, QStringLiteral("ptt-id-aliases.png"), [frame, listWindow] {
        return listWindow(cmd::kViewPttAliases,
                          new trv::editors::EditAliasFV(frame->editorWindows(), 0, frame));
    });
    add(shots, QStringLiteral("edit-ptt-id-aliases.png"), listDialog);
}

// A few paging formats: the paging formats window, the protocol choice and some editors over it.
void addPagingFormatShots(Shots& shots, CMainFrame* frame)
{
    namespace pg = trv::editors::paging;
    const auto formatsWindow = std::make_shared<QPixmap>();
    add(shots, QStringLiteral("paging-formats.png"), [frame, formatsWindow] {
        writePagingFormats();
        frame->editorWindows().refreshSpeedPagingItem();
        frame->runCommand(cmd::kViewPagingFormats);
        settle();
        *formatsWindow = mainWindow(frame);
        return *formatsWindow;
    });
    add(shots, QStringLiteral("paging-format-protocols.png"), [frame, formatsWindow] {
        const int help = trv::editors::findEditor(trv::editors::EditorKind::PagingFormats)->helpContext;
        pg::MpageRequestProtDlg protocols(frame->editorWindows(), help, frame);
        protocols.show();
        settle();
        const QPixmap picture = withDialog(*formatsWindow, &protocols, false);
        protocols.hide();
        return picture;
    });
    for (const FormatDialogShot& shot : kFormatDialogShots) {
        const pg::FormatEditor* editor = pg::formatEditor(shot.type);
        add(shots, pagingFormatFile(pg::editorTitle(*editor)),
            [frame, formatsWindow, editor, record = shot.record] {
                pg::PagingFormatDlg dialog(frame->editorWindows(), *editor, record, frame);
                dialog.show();
                settle();
                const QPixmap picture = withDialog(*formatsWindow, &dialog, false);
                dialog.hide();
                return picture;
            });
    }
}

// The configuration sheet of the sample database, with its four channels on each keying and
// signalling: the print preview (drawn while it runs, into printPreview), and the PDF whose pages
// the script turns into pictures.
void addSheetShots(Shots& shots, CMainFrame* frame, const QPixmap& printPreview)
{
    add(shots, QStringLiteral("18-print-preview.png"), [frame, &printPreview] {
        fillChannelsExample();
        frame->runCommand(cmd::kPrintPreview);
        return printPreview;
    });
    shots.push_back({QStringLiteral("configuration-sheet.pdf"), [frame](const QString& path) {
                         return trv::sheet::writePdf(frame->sheetCommands().currentSheet(), path,
                                                     QPageSize::A4);
                     }});
}

// The Check Database window over a database with a few problems, and the upload's question.
void addCheckDatabaseShots(Shots& shots, CMainFrame* frame)
{
    const auto problems = std::make_shared<std::vector<trv::db::Problem>>();
    add(shots, QStringLiteral("19-check-database.png"), [frame, problems] {
        namespace f = trv::db::fields;
        trv::db::Image& image = trv::db::theImage();
        trv::db::writeField(image, f::guardToneFrequency, 22000, 0);
        trv::db::writeField(image, f::muteTimer, 75);
        trv::db::writeFieldText(image, f::pagingLabel, "FIRE", 3);
        frame->runCommand(cmd::kCheckDatabase);
        settle();
        CheckDatabaseWindow* check = frame->checkWindow();
        const QPixmap picture = framed(check->grab(), check->windowTitle());
        *problems = check->problems();
        check->close();
        settle();
        return picture;
    });
    add(shots, QStringLiteral("20-upload-with-errors.png"), [frame, problems] {
        using trv::platform::MsgButtons;
        using trv::platform::MsgIcon;
        QStringList details;
        for (const trv::db::Problem& problem : *problems)
            details << QString::fromStdString(trv::db::formatProblem(problem));
        const QPixmap behind = mainWindow(frame);
        auto question = trv::platform::createMessageBox(
            {QString(text::kUploadWithErrors)
                 .arg(QString::fromStdString(trv::db::errorCountText(trv::db::errorCount(*problems)))),
             MsgButtons::YesNo, MsgIcon::Exclamation, details.join(QLatin1Char('\n')),
             trv::platform::MsgAnswer::No},
            frame);
        question->show();
        settle();
        const QPixmap picture = withDialog(behind, question.get(), false);
        question->hide();
        return picture;
    });
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("TRV_CONFIG_DIR", config.path().toUtf8());
    QApplication application(argc, argv);
    QApplication::setWindowIcon(applicationIcon());

    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outDir);

    Registry::setComPort(1);
    ShellOptions options;
    options.lockSource = [] { return LockStates{false, true, false}; };
    // File > Print Preview, shown at a size that holds a whole page.
    QPixmap printPreview;
    options.runPrintPreview = [&](QPrintPreviewDialog& preview) {
        preview.resize(900, 1000);
        preview.show();
        settle();
        printPreview = framed(preview.grab(), preview.windowTitle());
        preview.close();
    };
    CTRVApp app(options);
    if (!app.initInstance({QStringLiteral("trv")}))
        return 1;
    CMainFrame* frame = app.mainFrame();

    Shots shots;
    addMainWindowShots(shots, frame);
    addDialogShots(shots, frame);
    addButtonsShots(shots, frame);
    addListEditorShots(shots, frame);
    addPagingFormatShots(shots, frame);
    addSheetShots(shots, frame, printPreview);
    addCheckDatabaseShots(shots, frame);
    add(shots, QStringLiteral("21-fleet.png"),
        [frame, folder = config.path()] { return fleetWindow(frame, folder); });

    QStringList written;
    for (const Shot& shot : shots) {
        const QString file = QDir(outDir).filePath(shot.file);
        if (shot.write(file))
            written << file;
        else
            std::fprintf(stderr, "trv_render: cannot write %s\n", qPrintable(file));
    }
    QTextStream(stdout) << written.join(QLatin1Char('\n')) << Qt::endl;
    return written.size() == static_cast<qsizetype>(shots.size()) ? 0 : 1;
}
