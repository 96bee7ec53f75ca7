#include "app/SheetCommands.h"

#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/Commands.h"
#include "app/DatabasePaths.h"
#include "app/ShellTexts.h"
#include "database/CTRVDoc.h"
#include "database/Image.h"
#include "platform/MessageBox.h"
#include "sheet/ConfigurationSheet.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace trv::app {

SheetCommands::SheetCommands(CMainFrame& frame) : QObject(&frame), frame_(frame)
{
}

void SheetCommands::run(int command)
{
    switch (command) {
    case cmd::kPrint:
        print();
        break;
    case cmd::kPrintPreview:
        printPreview();
        break;
    case cmd::kExportPdf:
        exportPdf();
        break;
    default:
        break;
    }
}

QString SheetCommands::databaseName() const
{
    const db::CTRVDoc& doc = frame_.app().document();
    return doc.pathName().empty() ? QString::fromStdString(doc.title())
                                  : QFileInfo(QString::fromStdString(doc.pathName())).fileName();
}

sheet::ConfigurationSheet SheetCommands::currentSheet() const
{
    return sheet::buildSheet(db::theImage(), databaseName(), QDateTime::currentDateTime());
}

bool SheetCommands::printOn(QPrinter& printer)
{
    const sheet::ConfigurationSheet sheet = currentSheet();
    // The job's name in the printer queue, and a PDF's title.
    printer.setDocName(sheet.document().metaInformation(QTextDocument::DocumentTitle));
    if (sheet::paintSheet(sheet, printer) > 0)
        return true;
    platform::showMessage(text::kSheetNotPrinted, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                          &frame_);
    return false;
}

void SheetCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    const ShellOptions& options = frame_.app().options();
    bool accepted = false;
    if (options.answerPrintDialog) {
        accepted = options.answerPrintDialog(printer);
    } else {
        QPrintDialog dialog(&printer, &frame_);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        printOn(printer);
}

void SheetCommands::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &frame_);
    // The sheet is built once for the preview; each repaint (a page setup change) lays it out anew.
    const sheet::ConfigurationSheet sheet = currentSheet();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&sheet](QPrinter* target) { sheet::paintSheet(sheet, *target); });
    if (frame_.app().options().runPrintPreview)
        frame_.app().options().runPrintPreview(preview);
    else
        preview.exec();
}

QString SheetCommands::proposedPdfPath() const
{
    const db::CTRVDoc& doc = frame_.app().document();
    const QFileInfo database(QString::fromStdString(doc.pathName()));
    const QString folder = doc.pathName().empty() ? lastDatabaseFolder(frame_.app().recentFiles().paths())
                                                  : database.absolutePath();
    const QString base = QFileInfo(databaseName()).completeBaseName();
    return QDir(folder).filePath(base + QStringLiteral(".pdf"));
}

void SheetCommands::exportPdf()
{
    const ShellOptions& options = frame_.app().options();
    const QString proposed = proposedPdfPath();
    QString path = options.choosePdfPath ? options.choosePdfPath(proposed)
                                         : QFileDialog::getSaveFileName(&frame_, text::kExportPdfCaption,
                                                                        proposed, text::kPdfFilter);
    if (path.isEmpty())
        return;
    // A name typed without an extension gets ".pdf", as the dialog's filter says.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    // The printer's own page size (A4 or Letter, as the system's printer setup has it).
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printOn(printer);
}

} // namespace trv::app
