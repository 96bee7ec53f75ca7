#include "sheet/ConfigurationSheet.h"

#include "sheet/SheetTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <optional>

namespace trv::sheet {

namespace {

constexpr int kDigestDigits = 16;
constexpr qreal kBodyPointSize = 9;
constexpr qreal kHeaderPointSize = 8;
constexpr qreal kSectionPointSize = 14;
constexpr qreal kSubsectionPointSize = 11;
// The running header's band above the text of each page, in points: one line and a rule.
constexpr qreal kHeaderBandPoints = 22;
constexpr qreal kPointsPerInch = 72;
const QColor kHeaderRowBackground(0xe4, 0xe4, 0xe4);
const QColor kRuleColor(0x80, 0x80, 0x80);
const QColor kRowRuleColor(0xc8, 0xc8, 0xc8);
// Marks the blocks that are headings, which keep company with what follows them.
constexpr int kHeadingProperty = QTextFormat::UserProperty + 1;
// Room a heading needs below it on its page, in points: a few lines of what it heads.
constexpr qreal kKeepWithNextPoints = 60;

QFont bodyFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kBodyPointSize);
    return font;
}

QTextCharFormat headingFormat(qreal pointSize)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(QFont::Bold);
    return format;
}

// The document laid out on pages of `pageSize` for the device, each heading that would sit too
// near the foot of its page (less than `room` below it) moved to the top of the next one. A
// document edited after its layout may be painted before it is laid out again, so each move is
// made in the source and the copy laid out anew; headings are taken in order, so each sees the
// pages as the moves before it left them.
std::unique_ptr<QTextDocument> layOut(const QTextDocument& source, QPaintDevice& device,
                                      const QSizeF& pageSize, qreal room)
{
    std::unique_ptr<QTextDocument> base(source.clone());
    int from = 0; // block number where the next search starts
    for (;;) {
        std::unique_ptr<QTextDocument> laid(base->clone());
        laid->documentLayout()->setPaintDevice(&device);
        laid->setPageSize(pageSize);
        laid->pageCount(); // the whole layout, now
        QAbstractTextDocumentLayout* layout = laid->documentLayout();
        std::optional<int> move;
        for (QTextBlock block = laid->findBlockByNumber(from); block.isValid() && !move;
             block = block.next()) {
            if (!block.blockFormat().boolProperty(kHeadingProperty))
                continue;
            const QRectF rect = layout->blockBoundingRect(block);
            const qreal pageTop = std::floor(rect.top() / pageSize.height()) * pageSize.height();
            if (rect.bottom() + room > pageTop + pageSize.height() && rect.top() > pageTop + room) {
                // A section heading right above moves with its first subsection heading.
                QTextBlock first = block;
                while (first.previous().isValid() &&
                       first.previous().blockFormat().boolProperty(kHeadingProperty) &&
                       layout->blockBoundingRect(first.previous()).top() > pageTop + room)
                    first = first.previous();
                move = first.blockNumber();
            }
        }
        if (!move)
            return laid;
        QTextBlockFormat format;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(base->findBlockByNumber(*move)).mergeBlockFormat(format);
        from = *move + 1;
    }
}

QString dateText(const QDateTime& printed)
{
    return printed.date().toString(Qt::ISODate);
}

} // namespace

QString imageDigest(const db::Image& image)
{
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(kDigestDigits));
}

ConfigurationSheet::ConfigurationSheet(SheetHeader header)
    : header_(std::move(header)), document_(std::make_unique<QTextDocument>())
{
    document_->setDefaultFont(bodyFont());
    document_->setDocumentMargin(0);
    document_->setMetaInformation(QTextDocument::DocumentTitle,
                                  QString(text::kTitle) + QStringLiteral(" - ") + header_.fileName);
    cursor_ = std::make_unique<QTextCursor>(document_.get());
    QTextBlockFormat block;
    block.setBottomMargin(4);
    cursor_->setBlockFormat(block);
    cursor_->setCharFormat(headingFormat(kSectionPointSize + 2));
    cursor_->insertText(QString(text::kTitle));
}

ConfigurationSheet::~ConfigurationSheet() = default;
ConfigurationSheet::ConfigurationSheet(ConfigurationSheet&&) noexcept = default;
ConfigurationSheet& ConfigurationSheet::operator=(ConfigurationSheet&&) noexcept = default;

QString ConfigurationSheet::pageHeader(int page, int pages) const
{
    return QString(text::kHeaderFile).arg(header_.fileName) + QStringLiteral("    ") +
           QString(text::kHeaderDate).arg(dateText(header_.printed)) + QStringLiteral("    ") +
           QString(text::kHeaderDigest).arg(header_.digest) + QStringLiteral("    ") +
           QString(text::kPageOf).arg(page).arg(pages);
}

// Headings and paragraphs differ only in their margins, their character format and whether the
// page breaks before them.
void ConfigurationSheet::addBlock(const QString& text, const BlockStyle& style)
{
    QTextBlockFormat block;
    block.setTopMargin(style.topMargin);
    block.setBottomMargin(style.bottomMargin);
    if (style.heading)
        block.setProperty(kHeadingProperty, true);
    if (style.newPage && !document_->isEmpty())
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor_->movePosition(QTextCursor::End);
    cursor_->insertBlock(block, style.heading ? headingFormat(style.pointSize) : QTextCharFormat());
    cursor_->insertText(text);
}

void ConfigurationSheet::addSection(const QString& title, SectionStart start)
{
    addBlock(title, {.topMargin = 14,
                     .bottomMargin = 4,
                     .heading = true,
                     .pointSize = kSectionPointSize,
                     .newPage = start == SectionStart::NewPage});
}

void ConfigurationSheet::addSubsection(const QString& title)
{
    addBlock(title, {.topMargin = 8, .bottomMargin = 3, .heading = true, .pointSize = kSubsectionPointSize});
}

void ConfigurationSheet::addParagraph(const QString& paragraph)
{
    addBlock(paragraph, {.topMargin = 2, .bottomMargin = 2});
}

void ConfigurationSheet::addTable(const QStringList& header, const std::vector<QStringList>& rows,
                                  std::span<const qreal> columnPercents)
{
    cursor_->movePosition(QTextCursor::End);
    // A rule under each row; no vertical lines.
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellPadding(2.5);
    format.setCellSpacing(0);
    format.setTopMargin(3);
    format.setBottomMargin(3);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (const qreal percent : columnPercents)
        widths << QTextLength(QTextLength::PercentageLength, percent);
    format.setColumnWidthConstraints(widths);
    const int columns = static_cast<int>(header.size());
    QTextTable* table = cursor_->insertTable(static_cast<int>(rows.size()) + 1, columns, format);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const auto rule = [](QTextTableCell cell, qreal width, const QColor& color) {
        QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        cellFormat.setBottomBorder(width);
        cellFormat.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        cellFormat.setBottomBorderBrush(color);
        return cellFormat;
    };
    for (int c = 0; c < columns; ++c) {
        QTextTableCell cell = table->cellAt(0, c);
        QTextTableCellFormat cellFormat = rule(cell, 1, kRuleColor);
        cellFormat.setBackground(kHeaderRowBackground);
        cell.setFormat(cellFormat);
        cell.firstCursorPosition().insertText(header[c], bold);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns && c < rows[r].size(); ++c) {
            QTextTableCell cell = table->cellAt(static_cast<int>(r) + 1, c);
            cell.setFormat(rule(cell, 0.5, kRowRuleColor));
            cell.firstCursorPosition().insertText(rows[r][c]);
        }
    cursor_->movePosition(QTextCursor::End);
}

void ConfigurationSheet::addPicture(const QImage& picture, const QString& name, qreal width)
{
    // The picture's name is its own data: URL, so the HTML form carries it inline.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QString url = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    document_->addResource(QTextDocument::ImageResource, QUrl(url), picture);
    QTextImageFormat image;
    image.setName(url);
    image.setWidth(width);
    image.setHeight(width * picture.height() / std::max(1, picture.width()));
    image.setProperty(QTextFormat::ImageAltText, name);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    block.setTopMargin(4);
    block.setBottomMargin(4);
    cursor_->movePosition(QTextCursor::End);
    cursor_->insertBlock(block, QTextCharFormat());
    cursor_->insertImage(image);
}

void ConfigurationSheet::addProblems(std::span<const db::Problem> problems)
{
    addSection(QString(text::kProblemsTitle));
    const std::vector<db::Problem> list(problems.begin(), problems.end());
    if (list.empty()) {
        addParagraph(QString::fromStdString(db::problemSummary(list)));
        return;
    }
    addParagraph(QString(text::kProblemsIntro) + QLatin1Char(' ') +
                 QString::fromStdString(db::problemSummary(list)) + QLatin1Char('.'));
    std::vector<QStringList> rows;
    for (const db::Problem& p : list)
        rows.push_back({QString::fromStdString(std::string(db::severityName(p.severity))),
                        QString::fromStdString(p.path), QString::fromStdString(p.message)});
    addTable({QString(text::kSeverityColumn), QString(text::kFieldColumn), QString(text::kProblemColumn)},
             rows);
}

int paintSheet(const ConfigurationSheet& sheet, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const qreal dpi = device.logicalDpiY();
    const QRectF page(QPointF(0, 0), device.pageLayout().paintRectPixels(qRound(dpi)).size());
    const qreal band = kHeaderBandPoints * dpi / kPointsPerInch;
    // Laid out for the device, so point sizes and picture widths come out as on paper.
    const std::unique_ptr<QTextDocument> document =
        layOut(sheet.document(), device, QSizeF(page.width(), page.height() - band),
               kKeepWithNextPoints * dpi / kPointsPerInch);
    const int pages = document->pageCount();

    QFont headerFont = bodyFont();
    headerFont.setPointSizeF(kHeaderPointSize);
    for (int n = 0; n < pages; ++n) {
        if (n > 0 && !device.newPage())
            return n;
        painter.save();
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        const QRectF headerLine(page.left(), page.top(), page.width(), band * 0.6);
        painter.drawText(headerLine, Qt::AlignLeft | Qt::AlignVCenter, sheet.pageHeader(n + 1, pages));
        painter.setPen(QPen(kRuleColor, dpi / kPointsPerInch * 0.5));
        painter.drawLine(QPointF(page.left(), band * 0.7), QPointF(page.right(), band * 0.7));
        painter.restore();

        painter.save();
        const qreal top = n * document->pageSize().height();
        painter.translate(0, band - top);
        const QRectF clip(0, top, page.width(), document->pageSize().height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(clip);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

bool writePdf(const ConfigurationSheet& sheet, const QString& path, QPageSize::PageSizeId pageSize,
              QString* error)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error)
                *error = QString(text::kCannotWrite).arg(path, probe.errorString());
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setTitle(sheet.document().metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QString(text::kTitle));
    writer.setPageSize(QPageSize(pageSize));
    writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    writer.setResolution(300);
    if (paintSheet(sheet, writer) == 0) {
        if (error)
            *error = QString(text::kCannotWrite).arg(path, QString());
        return false;
    }
    return true;
}

QString sheetHtml(const ConfigurationSheet& sheet)
{
    std::unique_ptr<QTextDocument> document(sheet.document().clone());
    // The header lines the printed pages carry at their top, once at the start of the page.
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::Start);
    QTextCharFormat small;
    small.setFontPointSize(kHeaderPointSize);
    const SheetHeader& h = sheet.header();
    cursor.insertText(QString(text::kHeaderFile).arg(h.fileName) + QStringLiteral("    ") +
                          QString(text::kHeaderDate).arg(dateText(h.printed)) + QStringLiteral("    ") +
                          QString(text::kHeaderDigest).arg(h.digest),
                      small);
    cursor.insertBlock();
    return document->toHtml();
}

bool writeHtml(const ConfigurationSheet& sheet, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QString(text::kCannotWrite).arg(path, file.errorString());
        return false;
    }
    file.write(sheetHtml(sheet).toUtf8());
    if (!file.commit()) {
        if (error)
            *error = QString(text::kCannotWrite).arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace trv::sheet
