// The configuration sheet of one database: a QTextDocument of sections, tables and the deskset
// picture, built over the field catalogue with the labels, units and list texts the editors show,
// and ended with the problems the database rules find. It prints page by page under a running
// header (paintSheet), and writes a PDF or one self-contained HTML file. QtGui only, no widgets, so
// trvctl builds it without a display.
#pragma once

#include "database/Image.h"
#include "database/Rules.h"

#include <QDateTime>
#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <span>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;
class QTextCursor;

namespace trv::sheet {

// What identifies the sheet's database on every page.
struct SheetHeader {
    QString fileName;  // the database file's name, without its folder
    QDateTime printed; // the date the sheet was made
    QString digest;    // the first 16 hexadecimal digits of the image's SHA-256
};

// The first 16 lower-case hexadecimal digits of the SHA-256 of the 16384 image bytes.
QString imageDigest(const db::Image& image);

// Where a section begins: after the one before it, or at the top of a page.
enum class SectionStart { Flow, NewPage };

class ConfigurationSheet {
public:
    explicit ConfigurationSheet(SheetHeader header);
    ~ConfigurationSheet();
    ConfigurationSheet(ConfigurationSheet&&) noexcept;
    ConfigurationSheet& operator=(ConfigurationSheet&&) noexcept;

    // A section heading (an area of the tree) and a heading inside it (a page of a window). No
    // heading is printed at the foot of a page without what follows it.
    void addSection(const QString& title, SectionStart start = SectionStart::Flow);
    void addSubsection(const QString& title);
    void addParagraph(const QString& text);
    // A table with one header row, repeated at the top of each page the table runs onto; the
    // columns take the given percentages of the width, or share it by their content.
    void addTable(const QStringList& header, const std::vector<QStringList>& rows,
                  std::span<const qreal> columnPercents = {});
    // A picture `width` device-independent pixels wide (96 to the inch on paper).
    void addPicture(const QImage& picture, const QString& name, qreal width);
    // The problems of the rules as a table, or the rules' "No problems found.".
    void addProblems(std::span<const db::Problem> problems);

    const SheetHeader& header() const { return header_; }
    const QTextDocument& document() const { return *document_; }
    // The running header of page `page` of `pages`, one line.
    QString pageHeader(int page, int pages) const;

private:
    struct BlockStyle {
        qreal topMargin = 0;
        qreal bottomMargin = 0;
        bool heading = false; // a heading keeps with what follows it
        qreal pointSize = 0;  // of a heading
        bool newPage = false;
    };
    void addBlock(const QString& text, const BlockStyle& style);

    SheetHeader header_;
    std::unique_ptr<QTextDocument> document_;
    std::unique_ptr<QTextCursor> cursor_;
};

// The sheet of an image: deskset settings, each channel in use with the pages its keying and
// signalling show, the buttons with the deskset picture, paging formats, speed pages, custom tones
// and PTT ID aliases (free records left out), then the problems the rules find.
ConfigurationSheet buildSheet(const db::Image& image, const QString& fileName, const QDateTime& printed);

// Lays the sheet out on the device's pages (its page layout, less a header band on each page),
// paints every page with the running header and returns the number of pages painted (0 when the
// device cannot be painted on).
int paintSheet(const ConfigurationSheet& sheet, QPagedPaintDevice& device);

// A PDF of the sheet on pages of `pageSize` (A4 or Letter); false with the reason in `error`.
bool writePdf(const ConfigurationSheet& sheet, const QString& path,
              QPageSize::PageSizeId pageSize = QPageSize::A4, QString* error = nullptr);
// The sheet as one HTML page: the header lines, then the document, with its pictures as data: URLs.
QString sheetHtml(const ConfigurationSheet& sheet);
bool writeHtml(const ConfigurationSheet& sheet, const QString& path, QString* error = nullptr);

} // namespace trv::sheet
