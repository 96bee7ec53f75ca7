// The database commands without a window: a fake DatabaseUi scripts the answers and records what
// the commands ask and tell, in order. This program links no widgets.
#include "app/DatabaseCommands.h"
#include "app/DocumentHolder.h"
#include "app/RecentFileList.h"
#include "app/ShellTexts.h"
#include "database/DbTexts.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <deque>
#include <vector>

namespace trv::app::test {
namespace {

using platform::MessageRequest;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

class FakeDatabaseUi : public DatabaseUi {
public:
    // Scripted: the message boxes' answers in order, what Save As returns (Open is always
    // cancelled), the modal state.
    std::deque<MsgAnswer> answers;
    QString savePath;
    bool modal = false;
    QString shown;

    // Recorded, in order.
    QStringList calls;
    std::vector<MessageRequest> messages;

    MsgAnswer showMessage(const MessageRequest& request) override
    {
        calls << QStringLiteral("message");
        messages.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message: " << request.text.toStdString();
            return MsgAnswer::Cancel;
        }
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseOpenPath(const QString& folder) override
    {
        calls << QStringLiteral("chooseOpenPath ") + folder;
        return {};
    }
    QString chooseSavePath(const QString& proposed) override
    {
        calls << QStringLiteral("chooseSavePath ") + proposed;
        return savePath;
    }
    bool modalDialogOpen() const override { return modal; }
    QString shownName() const override { return shown; }
    void databaseOpened(const QString& captionName, const QString& rootLabel) override
    {
        calls << QStringLiteral("opened ") + captionName + QStringLiteral(" | ") + rootLabel;
        shown = rootLabel;
    }
    void setDatabaseName(const QString& captionName, const QString& rootLabel) override
    {
        calls << QStringLiteral("named ") + captionName + QStringLiteral(" | ") + rootLabel;
        shown = rootLabel;
    }
    void databaseClosing() override { calls << QStringLiteral("closing"); }
    void documentChanged() override { calls << QStringLiteral("documentChanged"); }
    void recentFilesChanged() override { calls << QStringLiteral("recentFilesChanged"); }
    void startupOpenFailed() override { calls << QStringLiteral("startupOpenFailed"); }

    void clear()
    {
        calls.clear();
        messages.clear();
    }
};

// An editor window as the document counts them.
class StandInEditor : public db::EditorWindow {};

// A byte the tests write into the image to see whether a save reached the file.
constexpr int kMarkerOffset = db::kImageSize - 1;
constexpr std::uint8_t kMarker = 0x5a;

// The commands with their fake window, their document and recent files.
struct Shell {
    FakeDatabaseUi ui;
    DocumentHolder documents;
    RecentFileList recent;
    DatabaseCommands commands{ui, documents, recent};

    db::CTRVDoc& doc() { return documents.document(); }
};

class DatabaseCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        db::closeDatabase();
    }
    void TearDown() override { db::closeDatabase(); }

    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    QString writeDatabase(const QString& name)
    {
        db::Image image{};
        db::newDatabase(image);
        const QString file = path(name);
        EXPECT_TRUE(db::saveDatabase(file.toStdString(), image).ok);
        return file;
    }

    // Opens a database in the shell (a new one, or the file written under the name given), marks
    // it as the test needs and forgets what opening it asked and told.
    void openDatabase(Shell& shell, const QString& fileName, bool modified)
    {
        ASSERT_TRUE(fileName.isEmpty() ? shell.commands.newDatabase()
                                       : shell.commands.openNamedFile(writeDatabase(fileName)));
        ASSERT_TRUE(shell.documents.hasDocument());
        shell.doc().setModified(modified);
        db::theImage()[kMarkerOffset] = kMarker;
        shell.ui.clear();
    }

    // Whether the file holds the image as the tests marked it.
    static bool fileHasMarker(const QString& file)
    {
        db::Image image{};
        return db::loadDatabase(file.toStdString(), image).ok && image[kMarkerOffset] == kMarker;
    }

    static bool imageZeroed()
    {
        const db::Image& image = db::theImage();
        return std::all_of(image.begin(), image.end(), [](std::uint8_t byte) { return byte == 0; });
    }

    QTemporaryDir dir_;
    Shell shell_;
};

struct Box {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
};

struct CloseCase {
    const char* name;
    bool withFile = true; // opened from "x.ddb", else a new database
    bool modified = false;
    bool editorOpen = false;
    bool modal = false;
    std::vector<MsgAnswer> answers;
    QString chosenSavePath; // the Save As dialog's answer (empty: cancelled)
    std::vector<Box> boxes; // the boxes shown, in order
    bool closes = false;
    bool saves = false;
};

TEST_F(DatabaseCommandsTest, CloseRequestFollowsTheAnswers)
{
    const QString savePrompt = text::kSavePrompt;
    const Box closeQuestion{text::kCloseQuestion, MsgButtons::OkCancel, MsgIcon::Question};
    const Box saveX{savePrompt.arg("x.ddb"), MsgButtons::YesNoCancel, MsgIcon::Exclamation};
    const Box saveNew{savePrompt.arg("New"), MsgButtons::YesNoCancel, MsgIcon::Exclamation};
    const QString unwritable = QStringLiteral("/no/such/folder/y.ddb");
    const Box saveFailed{QString::fromLatin1(db::text::kFileNotFound).arg(unwritable), MsgButtons::Ok,
                         MsgIcon::Exclamation};
    using enum MsgAnswer;
    const std::vector<CloseCase> cases{
        {.name = "unmodified, OK closes", .answers = {Ok}, .boxes = {closeQuestion}, .closes = true},
        {.name = "unmodified, Cancel keeps", .answers = {Cancel}, .boxes = {closeQuestion}},
        {.name = "modified, Yes saves and closes",
         .modified = true,
         .answers = {Yes},
         .boxes = {saveX},
         .closes = true,
         .saves = true},
        // Editor windows refuse Save, not the close prompt's save.
        {.name = "modified with an editor window, Yes saves and closes",
         .modified = true,
         .editorOpen = true,
         .answers = {Yes},
         .boxes = {saveX},
         .closes = true,
         .saves = true},
        {.name = "modified, Yes with a failed save keeps",
         .withFile = false,
         .modified = true,
         .answers = {Yes, Ok},
         .chosenSavePath = unwritable,
         .boxes = {saveNew, saveFailed}},
        {.name = "modified, Yes with Save As cancelled keeps",
         .withFile = false,
         .modified = true,
         .answers = {Yes},
         .boxes = {saveNew}},
        {.name = "modified, No closes unsaved",
         .modified = true,
         .answers = {No},
         .boxes = {saveX},
         .closes = true},
        {.name = "modified, Cancel keeps", .modified = true, .answers = {Cancel}, .boxes = {saveX}},
        {.name = "modal dialog open: refused without a word", .modified = true, .modal = true},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        db::closeDatabase();
        StandInEditor editor;
        Shell shell;
        openDatabase(shell, c.withFile ? QStringLiteral("x.ddb") : QString(), c.modified);
        if (c.editorOpen)
            shell.doc().addEditorWindow(&editor);
        shell.ui.modal = c.modal;
        shell.ui.answers.assign(c.answers.begin(), c.answers.end());
        shell.ui.savePath = c.chosenSavePath;

        EXPECT_EQ(shell.commands.closeDatabaseRequest(), c.closes);
        EXPECT_EQ(shell.commands.proceed(), c.closes);
        EXPECT_EQ(shell.documents.hasDocument(), !c.closes);
        EXPECT_EQ(imageZeroed(), c.closes);
        EXPECT_TRUE(shell.ui.answers.empty());
        ASSERT_EQ(shell.ui.messages.size(), c.boxes.size());
        for (std::size_t k = 0; k < c.boxes.size(); ++k) {
            EXPECT_EQ(shell.ui.messages[k].text, c.boxes[k].text);
            EXPECT_EQ(shell.ui.messages[k].buttons, c.boxes[k].buttons);
            EXPECT_EQ(shell.ui.messages[k].icon, c.boxes[k].icon);
        }
        if (c.closes) {
            EXPECT_EQ(shell.ui.calls.mid(shell.ui.calls.size() - 2),
                      (QStringList{"closing", "documentChanged"}));
        } else {
            EXPECT_FALSE(shell.ui.calls.contains("closing"));
        }
        if (c.withFile) {
            EXPECT_EQ(fileHasMarker(path("x.ddb")), c.saves);
        }
    }
}

TEST_F(DatabaseCommandsTest, SaveIsRefusedWhileAnEditorWindowIsOpen)
{
    StandInEditor editor;
    openDatabase(shell_, "x.ddb", true);
    shell_.doc().addEditorWindow(&editor);
    for (const bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "Save As" : "Save");
        shell_.ui.clear();
        shell_.ui.answers = {MsgAnswer::Ok};
        EXPECT_FALSE(shell_.commands.saveDatabase(saveAs));
        EXPECT_EQ(shell_.ui.calls, QStringList{"message"});
        EXPECT_EQ(shell_.ui.messages.at(0).text, text::kCloseWindowsToSave);
        EXPECT_EQ(shell_.ui.messages.at(0).buttons, MsgButtons::Ok);
        EXPECT_EQ(shell_.ui.messages.at(0).icon, MsgIcon::Exclamation);
        EXPECT_FALSE(fileHasMarker(path("x.ddb")));
        EXPECT_TRUE(shell_.doc().isModified());
    }
}

TEST_F(DatabaseCommandsTest, SaveAsCancelledChangesNothing)
{
    openDatabase(shell_, "x.ddb", true);
    const QString file = path("x.ddb");
    EXPECT_FALSE(shell_.commands.saveDatabase(true));
    // Save As proposes the file's own path; the dialog's Cancel ends the command.
    EXPECT_EQ(shell_.ui.calls, QStringList{"chooseSavePath " + file});
    EXPECT_EQ(shell_.doc().pathName(), file.toStdString());
    EXPECT_TRUE(shell_.doc().isModified());
    EXPECT_FALSE(fileHasMarker(file));
    EXPECT_EQ(shell_.recent.paths(), QStringList{file});
}

TEST_F(DatabaseCommandsTest, SaveOfANewDatabaseAsksForThePathAndAddsTheExtension)
{
    openDatabase(shell_, {}, true);
    shell_.ui.savePath = path("site");
    const QString saved = path("site.ddb");
    EXPECT_TRUE(shell_.commands.saveDatabase(false));
    // No recent file yet: the database's name in the home folder is proposed.
    EXPECT_EQ(shell_.ui.calls, (QStringList{"chooseSavePath " + QDir(QDir::homePath()).filePath("New.ddb"),
                                            "named " + saved + " | site.ddb", "recentFilesChanged"}));
    EXPECT_TRUE(fileHasMarker(saved));
    EXPECT_EQ(shell_.doc().pathName(), saved.toStdString());
    EXPECT_FALSE(shell_.doc().isModified());
    EXPECT_EQ(shell_.recent.paths(), QStringList{saved});
}

TEST_F(DatabaseCommandsTest, AFailedOpenLeavesTheRecentFiles)
{
    const QString good = writeDatabase("good.ddb");
    const QString missing = path("missing.ddb");
    for (const bool startup : {false, true}) {
        SCOPED_TRACE(startup ? "named on the command line" : "opened");
        shell_.ui.clear();
        shell_.recent.add(good);
        shell_.recent.add(missing);
        shell_.ui.answers = {MsgAnswer::Ok};
        EXPECT_FALSE(startup ? shell_.commands.openStartupFile(missing)
                             : shell_.commands.openNamedFile(missing));
        // At start-up the start-up screen goes before the error, which comes alone.
        QStringList expected{"message", "documentChanged", "recentFilesChanged"};
        if (startup)
            expected.prepend("startupOpenFailed");
        EXPECT_EQ(shell_.ui.calls, expected);
        EXPECT_EQ(shell_.ui.messages.at(0).text, QString::fromLatin1(db::text::kFileNotFound).arg(missing));
        EXPECT_EQ(shell_.ui.messages.at(0).icon, MsgIcon::Exclamation);
        EXPECT_FALSE(shell_.documents.hasDocument());
        EXPECT_EQ(shell_.recent.paths(), QStringList{good});
    }
}

TEST_F(DatabaseCommandsTest, NewAndOpenRunOnlyWhenTheCloseRequestLetsTheDatabaseGo)
{
    openDatabase(shell_, "x.ddb", true);
    shell_.ui.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
    EXPECT_FALSE(shell_.commands.newDatabase());
    shell_.commands.open(); // no file dialog after the refusal
    EXPECT_EQ(shell_.ui.calls, (QStringList{"message", "message"}));
    EXPECT_EQ(shell_.doc().pathName(), path("x.ddb").toStdString());
    EXPECT_TRUE(shell_.doc().isModified());
    EXPECT_EQ(db::theImage()[kMarkerOffset], kMarker);

    shell_.ui.clear();
    shell_.ui.answers = {MsgAnswer::No};
    EXPECT_TRUE(shell_.commands.newDatabase());
    EXPECT_EQ(shell_.ui.calls,
              (QStringList{"message", "closing", "documentChanged", "opened New | New", "documentChanged"}));
    EXPECT_TRUE(shell_.doc().pathName().empty());
    EXPECT_FALSE(shell_.doc().isModified());
    EXPECT_TRUE(db::hasMagic(db::theImage()));
    EXPECT_EQ(db::theImage()[kMarkerOffset], 0);
}

} // namespace
} // namespace trv::app::test
