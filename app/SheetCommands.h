// File > Print, Print Preview and Export as PDF: the configuration sheet of the open database (what
// the image holds: an editor's values count once its OK wrote them). The printer's page size (A4,
// Letter) is the one its dialog chose.
#pragma once

#include <QObject>
#include <QString>

class QPrinter;

namespace trv::sheet {
class ConfigurationSheet;
}

namespace trv::app {

class CMainFrame;

class SheetCommands : public QObject {
    Q_OBJECT
public:
    explicit SheetCommands(CMainFrame& frame);

    // cmd::kPrint, cmd::kPrintPreview or cmd::kExportPdf.
    void run(int command);

    void print();
    void printPreview();
    void exportPdf();

    // The sheet of the open database, named as the tree names it.
    sheet::ConfigurationSheet currentSheet() const;
    // Paints the sheet on the printer; false (after saying so) when nothing could be painted.
    bool printOn(QPrinter& printer);

private:
    QString databaseName() const;
    QString proposedPdfPath() const;

    CMainFrame& frame_;
};

} // namespace trv::app
