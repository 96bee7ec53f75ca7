// File > Print, Print Preview and Export as PDF: where they sit, when they are enabled, and the
// configuration sheet they paint, with the print dialog and the PDF file answered by hooks.
#include "ShellTestSupport.h"

#include "app/SheetCommands.h"
#include "app/ShellTexts.h"
#include "app/ShortcutDialogs.h"

#include <QFile>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QToolBar>
#include <QTreeWidget>

namespace trv::app::test {
namespace {

class SheetCommandsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort();
    }

    static QString pdfInfo(const QString& pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};

TEST_F(SheetCommandsTest, FileMenuOffersThemAfterUploadWithADatabaseOnlyAndNotOnTheToolbar)
{
    start();
    const int sheetCommands[] = {cmd::kPrint, cmd::kPrintPreview, cmd::kExportPdf};
    for (int command : sheetCommands)
        EXPECT_FALSE(frame()->action(command)->isEnabled()) << command;
    // Ctrl+P without a database does nothing (no dialog asked for).
    int dialogs = 0;
    app_.reset();
    options_.answerPrintDialog = [&](QPrinter&) { return ++dialogs, false; };
    start();
    run(cmd::kPrint);
    EXPECT_EQ(dialogs, 0);

    run(cmd::kNewDatabase);
    for (int command : sheetCommands)
        EXPECT_TRUE(frame()->action(command)->isEnabled()) << command;
    QStringList file;
    for (QAction* action : frame()->menus(CMainFrame::MenuSet::DatabaseOpen)[0]->actions())
        file << (action->isSeparator() ? QStringLiteral("|") : action->text());
    const qsizetype upload = file.indexOf("&Upload Database");
    ASSERT_GE(upload, 0);
    EXPECT_EQ(file.mid(upload, 6), (QStringList{"&Upload Database", "|", "&Print...", "Print Pre&view...",
                                                "&Export as PDF...", "|"}));
    EXPECT_EQ(frame()->action(cmd::kPrint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction* action : frame()->toolBar()->actions())
        EXPECT_FALSE(std::find(std::begin(sheetCommands), std::end(sheetCommands), action->data().toInt()) !=
                     std::end(sheetCommands));
    // The Shortcut Keys table offers them.
    ShortcutKeysDlg keys(frame()->shortcuts(), [](int) {});
    QStringList listed;
    for (int r = 0; r < keys.commandList()->topLevelItemCount(); ++r)
        listed << keys.commandList()->topLevelItem(r)->text(0);
    for (const char* name : {"Print...", "Print Preview...", "Export as PDF..."})
        EXPECT_TRUE(listed.contains(name)) << name << " in " << listed.join(", ").toStdString();
}

// Print asks the print dialog (answered here) for a printer; the one it answers with prints the
// sheet, here into a PDF file that poppler reads.
TEST_F(SheetCommandsTest, PrintPaintsTheSheetOnThePrinterTheDialogChose)
{
    const QString pdf = path("printed.pdf");
    int asked = 0;
    options_.answerPrintDialog = [&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        return true;
    };
    start();
    run(cmd::kNewDatabase);
    run(cmd::kPrint);
    EXPECT_EQ(asked, 1);
    const QString info = pdfInfo(pdf);
    EXPECT_TRUE(info.contains("(letter)")) << info.toStdString();
    EXPECT_TRUE(info.contains("Deskset Configuration Sheet - New")) << info.toStdString();

    // Cancel prints nothing.
    QFile::remove(pdf);
    options_.answerPrintDialog = [&](QPrinter&) { return false; };
    app_.reset();
    start();
    run(cmd::kNewDatabase);
    run(cmd::kPrint);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(SheetCommandsTest, PreviewShowsThePagesAndExportWritesThePdfTheDialogNamed)
{
    int previewPages = 0;
    options_.runPrintPreview = [&](QPrintPreviewDialog& preview) {
        preview.show();
        QCoreApplication::processEvents();
        if (auto* widget = preview.findChild<QPrintPreviewWidget*>())
            previewPages = widget->pageCount();
        preview.close();
    };
    QString proposed;
    const QString pdf = path("exported.pdf");
    options_.choosePdfPath = [&](const QString& suggestion) {
        proposed = suggestion;
        return pdf;
    };
    start();
    run(cmd::kNewDatabase);
    run(cmd::kPrintPreview);
    EXPECT_GE(previewPages, 4);
    run(cmd::kExportPdf);
    EXPECT_TRUE(proposed.endsWith("/New.pdf")) << proposed.toStdString();
    EXPECT_TRUE(pdfInfo(pdf).contains(QStringLiteral("Pages:           %1").arg(previewPages)));
    // A name without an extension gets ".pdf".
    options_.choosePdfPath = [this](const QString&) { return path(QStringLiteral("bare")); };
    app_.reset();
    start();
    run(cmd::kNewDatabase);
    run(cmd::kExportPdf);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("bare.pdf"))));

    // A file that cannot be written says so.
    options_.choosePdfPath = [](const QString&) { return QStringLiteral("/nonexistent-folder/x.pdf"); };
    app_.reset();
    start();
    run(cmd::kNewDatabase);
    boxes_.expect(text::kSheetNotPrinted, MsgAnswer::Ok);
    run(cmd::kExportPdf);
}

} // namespace
} // namespace trv::app::test
