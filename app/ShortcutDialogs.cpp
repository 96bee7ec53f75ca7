#include "app/ShortcutDialogs.h"

#include "app/Commands.h"
#include "app/ShellTexts.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace trv::app {
namespace {

constexpr int kCommandRole = Qt::UserRole + 1;
constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

bool isHelpKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier;
}

constexpr Qt::KeyboardModifiers kChordModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

Qt::KeyboardModifiers chordModifiers(const QKeyEvent* event)
{
    return event->modifiers() & kChordModifiers;
}

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

// The keys the field leaves to the dialog: focus moves, OK, Cancel and help.
bool isDialogKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = chordModifiers(event);
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F1:
        return modifiers == Qt::NoModifier;
    default:
        return false;
    }
}

bool clearsTheField(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) &&
           chordModifiers(event) == Qt::NoModifier;
}

} // namespace

ShortcutKeyEdit::ShortcutKeyEdit(const QKeySequence& key, QWidget* parent) : QLineEdit(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu); // nothing to paste: keys are pressed, not typed
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setKey(key);
}

void ShortcutKeyEdit::setKey(const QKeySequence& key)
{
    key_ = key.isEmpty() ? QKeySequence() : QKeySequence(key[0]); // one combination
    setText(key_.toString(QKeySequence::NativeText));
}

bool ShortcutKeyEdit::event(QEvent* event)
{
    // Every combination the field takes reaches it as a key press, before any shortcut or
    // mnemonic of the dialog could claim it.
    if (event->type() == QEvent::ShortcutOverride && !isDialogKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void ShortcutKeyEdit::keyPressEvent(QKeyEvent* event)
{
    if (isDialogKey(event)) {
        event->ignore();
        return;
    }
    event->accept();
    if (isModifierKey(event->key()))
        return;
    if (clearsTheField(event)) {
        setKey({});
        return;
    }
    setKey(QKeySequence(QKeyCombination(chordModifiers(event), static_cast<Qt::Key>(event->key()))));
}

void ShortcutKeyEdit::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

QString plainCommandName(int command)
{
    const CommandInfo* info = findCommand(command);
    if (!info)
        return {};
    QString name = QString::fromLatin1(info->menuText);
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return name;
}

AssignShortcutDlg::AssignShortcutDlg(const QString& commandName, const QKeySequence& current,
                                     HelpRequest help, QWidget* parent)
    : QDialog(parent, kDialogFlags), edit_(new ShortcutKeyEdit(current, this)), help_(std::move(help))
{
    setWindowTitle(text::kAssignShortcutCaption);
    setObjectName(QStringLiteral("AssignShortcutDlg"));
    edit_->setObjectName(QStringLiteral("keyEdit"));
    auto* prompt = new QLabel(text::kAssignPrompt, this);
    prompt->setBuddy(edit_); // the field's accessible name
    auto* command = new QLabel(QStringLiteral("<b>%1</b>").arg(commandName.toHtmlEscaped()), this);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { help_(kAssignShortcutHelpContext); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(command);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    edit_->setFocus();
}

QKeySequence AssignShortcutDlg::key() const
{
    return edit_->key();
}

void AssignShortcutDlg::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event)) {
        help_(kAssignShortcutHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

ShortcutKeysDlg::ShortcutKeysDlg(const ShortcutTable& table, HelpRequest help, QWidget* parent)
    : QDialog(parent, kDialogFlags), table_(table), help_(std::move(help)), list_(new QTreeWidget(this))
{
    setWindowTitle(text::kShortcutKeysCaption);
    setObjectName(QStringLiteral("ShortcutKeysDlg"));
    list_->setObjectName(QStringLiteral("commandList"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({text::kShortcutCommand, text::kShortcutKeys});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    assign_ = new QPushButton(text::kShortcutAssign, this);
    remove_ = new QPushButton(text::kShortcutRemove, this);
    reset_ = new QPushButton(text::kShortcutResetAll, this);
    connect(assign_, &QPushButton::clicked, this, &ShortcutKeysDlg::onAssign);
    connect(remove_, &QPushButton::clicked, this, &ShortcutKeysDlg::onRemove);
    connect(reset_, &QPushButton::clicked, this, &ShortcutKeysDlg::onReset);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &ShortcutKeysDlg::onAssign);

    auto* side = new QVBoxLayout;
    side->addWidget(assign_);
    side->addWidget(remove_);
    side->addWidget(reset_);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { help_(kShortcutKeysHelpContext); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    resize(520, 420);
    fill();
    list_->setCurrentItem(list_->topLevelItem(0));
}

void ShortcutKeysDlg::fill()
{
    const int selected = selectedCommand();
    list_->clear();
    for (const CommandInfo& info : commandTable()) {
        auto* item = new QTreeWidgetItem(
            list_, {plainCommandName(info.id), table_.key(info.id).toString(QKeySequence::NativeText)});
        item->setData(0, kCommandRole, info.id);
        if (info.id == selected)
            list_->setCurrentItem(item);
    }
}

int ShortcutKeysDlg::selectedCommand() const
{
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, kCommandRole).toInt() : 0;
}

bool ShortcutKeysDlg::assign(int command, const QKeySequence& key)
{
    const int holder = table_.commandOf(key);
    if (holder && holder != command) {
        const QString question = text::kAssignInUse.arg(key.toString(QKeySequence::NativeText),
                                                        plainCommandName(holder), plainCommandName(command));
        if (platform::showMessage(question, platform::MsgButtons::YesNo, platform::MsgIcon::Question, this) !=
            platform::MsgAnswer::Yes)
            return false;
        table_.setKey(holder, QKeySequence());
    }
    table_.setKey(command, key);
    fill();
    return true;
}

void ShortcutKeysDlg::onAssign()
{
    const int command = selectedCommand();
    if (!command)
        return;
    AssignShortcutDlg dialog(plainCommandName(command), table_.key(command), help_, this);
    if (dialog.exec() == QDialog::Accepted)
        assign(command, dialog.key());
}

void ShortcutKeysDlg::onRemove()
{
    if (const int command = selectedCommand()) {
        table_.setKey(command, QKeySequence());
        fill();
    }
}

void ShortcutKeysDlg::onReset()
{
    table_ = ShortcutTable::defaults();
    fill();
}

void ShortcutKeysDlg::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event)) {
        help_(kShortcutKeysHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace trv::app
