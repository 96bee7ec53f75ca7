// trvctl report: the configuration sheet of a database as a PDF or one self-contained HTML file.
#include "tools/trvctl/Command.h"

#include "sheet/ConfigurationSheet.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>

#include <iostream>
#include <map>
#include <memory>

namespace trv::ctl {
namespace {

enum class PageSize { A4, Letter };

struct ReportOptions {
    std::string file;
    std::string output;
    PageSize pageSize = PageSize::A4;
};

int runReport(const ReportOptions& options)
{
    const QString output = QString::fromStdString(options.output);
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("html") && suffix != QLatin1String("htm")) {
        std::cerr << QString::fromLatin1(text::kReportFormat).arg(output).toStdString() << '\n';
        return kExitUsage;
    }
    const std::optional<db::Image> image = loadImageOrReport(options.file);
    if (!image)
        return kExitFailed;
    const sheet::ConfigurationSheet sheet = sheet::buildSheet(
        *image, QFileInfo(QString::fromStdString(options.file)).fileName(), QDateTime::currentDateTime());
    QString error;
    const bool written =
        suffix == QLatin1String("pdf")
            ? sheet::writePdf(sheet, output,
                              options.pageSize == PageSize::Letter ? QPageSize::Letter : QPageSize::A4,
                              &error)
            : sheet::writeHtml(sheet, output, &error);
    if (!written) {
        std::cerr << error.toStdString() << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

void addReportCommands(CLI::App& app, int& status)
{
    auto options = std::make_shared<ReportOptions>();
    CLI::App* report = app.add_subcommand(
        "report", "Write the configuration sheet of a database (every area, the deskset picture and the "
                  "problems the rules find) as a PDF or one self-contained HTML file. Needs no display.");
    report->add_option("FILE", options->file, "the .ddb file to read")->required();
    report->add_option("-o,--output", options->output, "the sheet to write: OUT.pdf or OUT.html")->required();
    const std::map<std::string, PageSize> sizes{{"A4", PageSize::A4}, {"Letter", PageSize::Letter}};
    report->add_option("--page-size", options->pageSize, "paper of the PDF: A4 (the default) or Letter")
        ->transform(CLI::CheckedTransformer(sizes, CLI::ignore_case));
    report->callback([options, &status] { status = runReport(*options); });
}

} // namespace trv::ctl
