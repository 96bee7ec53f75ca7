// File > Import Table... and Export Table... driven through the main window: the table and the
// file come from the shell options' hooks, refusals through the message-box hook.
#include "tests/app/ShellTestSupport.h"

#include "app/ShortcutTable.h"
#include "database/FieldCatalog.h"

#include <QFile>

namespace trv::app::test {
namespace {

namespace f = db::fields;
using interchange::CsvTableKind;

class TableCommandsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        options_.chooseTable = [this](bool import) {
            asked_ << (import ? "import" : "export");
            return table_;
        };
        options_.chooseTablePath = [this](bool, const QString& proposed) {
            proposed_ = proposed;
            return file_;
        };
    }

    void writeFile(const QByteArray& bytes) const
    {
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray readFile() const
    {
        QFile in(file_);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    bool enabled(int command) const { return frame()->action(command)->isEnabled(); }

    std::optional<CsvTableKind> table_ = CsvTableKind::PttAliases;
    QString file_;
    QString proposed_;
    QStringList asked_;
};

TEST_F(TableCommandsTest, ExportAndImportATableWhileNoEditorWindowIsOpen)
{
    storePort();
    start();
    EXPECT_TRUE(ShortcutTable::defaults().keys().count(cmd::kImportTable) &&
                ShortcutTable::defaults().keys().count(cmd::kExportTable))
        << "both are offered in the Shortcut Keys table";
    EXPECT_FALSE(enabled(cmd::kImportTable));
    run(cmd::kNewDatabase);
    EXPECT_TRUE(enabled(cmd::kImportTable));
    EXPECT_TRUE(enabled(cmd::kExportTable));
    db::writeFieldText(db::theImage(), f::aliasLabel, "Zulu", 0);
    db::writeFieldText(db::theImage(), f::aliasPttId, "0001", 0);

    file_ = path("mine.csv");
    run(cmd::kExportTable);
    EXPECT_EQ(proposed_, "aliases.csv");
    EXPECT_EQ(readFile(), "\xEF\xBB\xBFlabel,pttId,unitType\r\nZulu,0001,MDC1200\r\n");
    EXPECT_FALSE(app_->document().isModified());

    writeFile("label;pttId;unitType\nZulu;0001;MDC1200\nalpha;*#;DTMF\n");
    run(cmd::kImportTable);
    EXPECT_EQ(db::readFieldText(db::theImage(), f::aliasLabel, 0), "alpha");
    EXPECT_EQ(db::readFieldText(db::theImage(), f::aliasLabel, 1), "Zulu");
    EXPECT_TRUE(app_->document().isModified());

    // A refused file changes nothing and says where it is wrong.
    const db::Image before = db::theImage();
    writeFile("label,pttId,unitType\nZulu,0001,MDC1200\nalpha,12G,MDC1200\n");
    boxes_.expect(
        "mine.csv line 3, pttId: \"12G\" is not a valid MDC1200 PTT ID: 4 characters of 0 to 9 and A "
        "to F [pttAlias.pttId]\n\nNothing was changed.",
        MsgAnswer::Ok);
    run(cmd::kImportTable);
    EXPECT_EQ(db::theImage(), before);

    // Cancelled at the table or at the file: nothing happens.
    table_.reset();
    run(cmd::kImportTable);
    table_ = CsvTableKind::SpeedPages;
    file_.clear();
    run(cmd::kImportTable);
    EXPECT_EQ(db::theImage(), before);

    // With an editor window open both are disabled and do nothing even when run directly.
    run(cmd::kViewDeskset);
    settle();
    ASSERT_EQ(editorCount(), 1);
    EXPECT_FALSE(enabled(cmd::kImportTable));
    EXPECT_FALSE(enabled(cmd::kExportTable));
    asked_.clear();
    run(cmd::kImportTable);
    EXPECT_TRUE(asked_.isEmpty());
    activeView()->requestClose();
    settle(); // the close, then the state update it queued
    settle();
    EXPECT_EQ(editorCount(), 0);
    EXPECT_TRUE(enabled(cmd::kImportTable));
}

} // namespace
} // namespace trv::app::test
