// The Check Database window: the problems of the open image, their refresh, the way to the window
// of each problem's field, and a window that never counts as an editor window.
#include "ShellTestSupport.h"

#include "app/CChildFrame.h"
#include "app/CheckDatabaseWindow.h"
#include "app/EditorWindows.h"
#include "app/HelpWindow.h"
#include "app/ShellTexts.h"
#include "database/DdbFile.h"
#include "database/FieldCatalog.h"
#include "database/Layout.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/common/ListWindow.h"
#include "transfer/TransferSession.h"

#include <QLabel>
#include <QPointer>
#include <QTreeWidget>

namespace trv::app::test {
namespace {

namespace f = db::fields;

class CheckDatabaseTest : public ShellFixture {
protected:
    CheckDatabaseWindow* openCheckWindow()
    {
        storePort();
        start();
        run(cmd::kNewDatabase);
        run(cmd::kCheckDatabase);
        return frame()->checkWindow();
    }

    // What an editor's OK does after it wrote the image.
    void editorWrote(editors::ChangedArea area)
    {
        frame()->editorWindows().notifyImageChanged({area, {}}, nullptr);
    }

    static std::vector<std::string> rowTexts(const QTreeWidget* list, int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts.push_back(list->topLevelItem(row)->text(column).toStdString());
        return texts;
    }

    static QTreeWidgetItem* rowOf(const QTreeWidget* list, const QString& path)
    {
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (list->topLevelItem(row)->text(2) == path)
                return list->topLevelItem(row);
        ADD_FAILURE() << "no problem at " << path.toStdString();
        return nullptr;
    }

    // A used record in each list table, and one problem in each window's area.
    static void writeProblemInEveryArea(db::Image& image)
    {
        image[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
        db::writeField(image, f::muteTimer, 99);
        db::writeField(image, f::guardToneFrequency, 22000, 2);
        db::writeField(image, f::buttonKind, 10, 0); // Alert Tone takes 1 to 3
        db::writeField(image, f::buttonParameter, 7, 0);
        for (int record : {0, 1}) { // two formats labelled alike
            db::writeFieldText(image, f::pagingLabel, "FIRE", record);
            db::writeField(image, f::formatType, 13, record);
        }
        db::writeFieldText(image, f::speedPageLabel, "CHIEF", 0);
        db::writeField(image, f::speedPageFormat, 0, 0);
        db::writeFieldText(image, f::speedPageDigits, "1", 0); // a 5 tone page has 5 digits
        for (const db::CatalogueArea& area : db::catalogue())
            for (const db::Field* tone :
                 area.region == &db::kCustomTones ? area.fields : decltype(area.fields){})
                if (!tone->isText())
                    db::writeField(image, *tone, tone->newRecordValue, 3);
        db::writeFieldText(image, f::toneNumber, "4", 3);
        db::writeField(image, f::secondToneFrequency, 100, 3);
        for (int record : {0, 4}) {
            db::writeFieldText(image, f::aliasLabel, record == 0 ? "CAR 1" : "CAR 5", record);
            db::writeFieldText(image, f::aliasPttId, "12G4", record); // not an MDC1200 ID
        }
    }
};

TEST_F(CheckDatabaseTest, ListsTheImagesProblemsAndFollowsEveryChange)
{
    CheckDatabaseWindow* window = openCheckWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow()) << "outside the workspace";
    EXPECT_EQ(editorCount(), 0);
    EXPECT_FALSE(app_->document().anyEditorWindowOpen()) << "not an editor window";
    EXPECT_EQ(window->summary()->text().toStdString(), "No problems found.");
    EXPECT_EQ(rowTexts(window->list(), 3), std::vector<std::string>{"No problems found."});

    db::writeField(db::theImage(), f::guardToneFrequency, 22000, 0);
    db::writeFieldText(db::theImage(), f::aliasLabel, "CAR 1", 0); // a PTT ID is missing
    editorWrote(editors::ChangedArea::Channel);
    using Texts = std::vector<std::string>;
    EXPECT_EQ(window->summary()->text().toStdString(), "2 errors");
    EXPECT_EQ(rowTexts(window->list(), 0), (Texts{"error", "error"}));
    EXPECT_EQ(rowTexts(window->list(), 1), (Texts{"Channel 1", "PTT ID Aliases"}));
    EXPECT_EQ(rowTexts(window->list(), 2), (Texts{"channels[1].guardToneFrequency", "pttAliases[1].pttId"}));
    EXPECT_EQ(window->list()->topLevelItem(0)->text(3).toStdString(),
              "2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz");

    // Saving is not blocked by it; it closes with its database and shows the next one's problems.
    saveChoice_ = path("checked.ddb");
    run(cmd::kSave);
    EXPECT_TRUE(QFile::exists(saveChoice_));
    QPointer<CheckDatabaseWindow> shown = window;
    boxes_.expect(text::kCloseQuestion, MsgAnswer::Ok);
    run(cmd::kNewDatabase);
    settle();
    EXPECT_TRUE(shown.isNull());
    run(cmd::kCheckDatabase);
    ASSERT_NE(frame()->checkWindow(), nullptr);
    EXPECT_EQ(frame()->checkWindow()->summary()->text().toStdString(), "No problems found.");
    boxes_.expect(text::kCloseQuestion, MsgAnswer::Ok);
    run(cmd::kCloseDatabase);
    settle();
    EXPECT_EQ(frame()->checkWindow(), nullptr);
    EXPECT_FALSE(frame()->action(cmd::kCheckDatabase)->isEnabled());
}

TEST_F(CheckDatabaseTest, EnterOpensTheWindowOfTheProblemAtItsRecord)
{
    CheckDatabaseWindow* window = openCheckWindow();
    frame()->editorWindows().standInView(editors::EditorKind::Buttons,
                                         [](editors::EditorHost& host, QWidget* parent) {
                                             return new editors::DesksetButtonsCfgFV(host, parent);
                                         });
    writeProblemInEveryArea(db::theImage());
    frame()->treeWindow()->refreshAllStates();
    editorWrote(editors::ChangedArea::PttAliases);
    const struct {
        const char* path;
        const char* window;
        int record; // in a list window
    } places[] = {
        {"deskset.muteTimer", "Deskset Configuration", -1},
        {"channels[3].guardToneFrequency", "Channel 3", -1},
        {"buttons[1].parameter", "Buttons Configuration", -1},
        {"pagingFormats[2].label", "Paging Formats", 1},
        {"speedPages[1].digits", "Speed Paging", 0},
        {"customTones[4].secondToneFrequency", "Custom Paging Tones", 3},
        {"pttAliases[5].pttId", "PTT ID Aliases", 4},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.path);
        QTreeWidgetItem* row = rowOf(window->list(), QString::fromLatin1(place.path));
        ASSERT_NE(row, nullptr);
        window->list()->setCurrentItem(row);
        QTest::keyClick(window->list(), Qt::Key_Return);
        settle();
        QMdiSubWindow* active = frame()->workspace()->activeSubWindow();
        ASSERT_NE(active, nullptr);
        auto* view = qobject_cast<editors::EditorView*>(active->widget());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->treeLabel().toStdString(), place.window);
        if (auto* list = dynamic_cast<editors::ListWindow*>(view)) {
            EXPECT_EQ(list->selectedRecord(), place.record);
        }
    }
    EXPECT_EQ(editorCount(), 7);

    // Upload refuses while editor windows are open, never because of this one: with them closed it
    // goes on to its own check of the database, and No leaves everything as it was.
    for (CChildFrame* editor : frame()->editorFrames())
        editor->close();
    settle();
    const int errors = db::errorCount(window->problems());
    boxes_.expect(QString(text::kUploadWithErrors).arg(QString::fromStdString(db::errorCountText(errors))),
                  MsgAnswer::No);
    run(cmd::kUpload);
    EXPECT_EQ(boxes_.seen().back().defaultAnswer, MsgAnswer::No);
    EXPECT_TRUE(boxes_.seen().back().details.contains("error: pttAliases[5].pttId: "));
    EXPECT_FALSE(frame()->transferSession().uploadPending());

    // F1 opens the window's own page.
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(frame()->helpWindow()->currentContext(), CheckDatabaseWindow::kHelpContext);
    EXPECT_TRUE(HelpWindow::hasContext(CheckDatabaseWindow::kHelpContext));
}

// A single-channel deskset grays channels 2 to 4: their problems open nothing, as their tree items
// do; bytes no window shows open nothing either.
TEST_F(CheckDatabaseTest, ProblemsWhereNoWindowOpensOpenNothing)
{
    CheckDatabaseWindow* window = openCheckWindow();
    db::writeField(db::theImage(), f::txLevel, 5, 1); // a single-channel deskset's channel 2 changed
    frame()->treeWindow()->refreshAllStates();
    editorWrote(editors::ChangedArea::Channel);
    QTreeWidgetItem* row = rowOf(window->list(), QStringLiteral("channels[2].txLevel"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(0).toStdString(), "warning");
    window->list()->setCurrentItem(row);
    QTest::keyClick(window->list(), Qt::Key_Return);
    settle();
    EXPECT_EQ(editorCount(), 0);

    db::Problem reserved{"x", db::Severity::Error, "reserved", "", db::kReservedTail.base + 4};
    EXPECT_FALSE(placeOf(reserved));
    db::Problem header{"x", db::Severity::Error, "header", "", 2};
    EXPECT_FALSE(placeOf(header));
}

} // namespace
} // namespace trv::app::test
