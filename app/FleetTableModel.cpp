#include "app/FleetTableModel.h"

#include "app/ShellTexts.h"

#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QStyleOptionProgressBar>

namespace trv::app {
namespace {

QString portText(const transfer::PortTarget& port, const comms::LinkSettings& machine)
{
    const QString text = QString::fromStdString(port.text());
    if (port.kind != transfer::PortTarget::Kind::ComPort)
        return text;
    return text::kFleetPortDevice.arg(text, QString::fromStdString(machine.ComDevice(port.comPort)));
}

bool showsPercent(fleet::Phase phase)
{
    return phase == fleet::Phase::BackingUp || phase == fleet::Phase::Uploading ||
           phase == fleet::Phase::Verifying;
}

} // namespace

FleetTableModel::FleetTableModel(QObject* parent) : QAbstractTableModel(parent)
{
}

void FleetTableModel::setSites(std::vector<fleet::Site> sites, const comms::LinkSettings& machine)
{
    beginResetModel();
    sites_ = std::move(sites);
    rows_.assign(sites_.size(), Row{});
    for (std::size_t i = 0; i < sites_.size(); ++i)
        rows_[i].port = portText(sites_[i].port, machine);
    runRows_.clear();
    endResetModel();
}

void FleetTableModel::runStarting(std::vector<int> rows)
{
    runRows_ = std::move(rows);
    for (std::size_t i = 0; i < runRows_.size(); ++i)
        siteChanged(int(i), fleet::SiteProgress{});
}

void FleetTableModel::siteChanged(int index, const fleet::SiteProgress& progress)
{
    const int row = runRows_.at(std::size_t(index));
    Row& r = rows_.at(std::size_t(row));
    if (progress.phase == fleet::Phase::Ended)
        return; // siteEnded says it
    r.state = fleet::phaseName(progress.phase);
    r.percent = showsPercent(progress.phase) ? progress.percent : -1;
    r.progress = progress.attempt > 0 ? QString(text::kFleetAttempt).arg(progress.attempt) : QString();
    rowChanged(row);
}

void FleetTableModel::siteEnded(int index, const fleet::SiteOutcome& outcome)
{
    const int row = runRows_.at(std::size_t(index));
    Row& r = rows_.at(std::size_t(row));
    r.state = fleet::resultName(outcome.result);
    r.percent = outcome.result == fleet::Result::Ok ? 100 : -1;
    r.progress.clear();
    r.result = outcome.message();
    r.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    r.failed = outcome.result != fleet::Result::Ok;
    rowChanged(row);
}

void FleetTableModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

int FleetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int FleetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FleetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const Row& r = rows_[std::size_t(index.row())];
    if (role == kPercentRole)
        return index.column() == kProgress ? r.percent : -1;
    if (role == Qt::ForegroundRole && r.failed && (index.column() == kState || index.column() == kResult))
        return QColor(Qt::darkRed);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case kName:
        return sites_[std::size_t(index.row())].name;
    case kPort:
        return r.port;
    case kState:
        return r.state;
    case kProgress:
        return r.percent >= 0 ? QStringLiteral("%1 %").arg(r.percent) : r.progress;
    case kResult:
        return r.result;
    case kTime:
        return r.time;
    default:
        return {};
    }
}

QVariant FleetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static constexpr QLatin1StringView kHeaders[kColumnCount] = {
        text::kFleetColumnName,     text::kFleetColumnPort,   text::kFleetColumnState,
        text::kFleetColumnProgress, text::kFleetColumnResult, text::kFleetColumnTime};
    return section >= 0 && section < kColumnCount ? QString(kHeaders[section]) : QVariant();
}

void FleetPortDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideMiddle;
}

void FleetProgressDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    const int percent = index.data(FleetTableModel::kPercentRole).toInt();
    if (percent < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The row's background and selection, without the text the bar shows.
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, option.widget);
    QStyleOptionProgressBar bar;
    bar.initFrom(option.widget);
    bar.state |= QStyle::State_Horizontal; // without it a style draws the bar upright
    bar.rect = option.rect.adjusted(2, 2, -2, -2);
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = percent;
    bar.text = index.data().toString();
    bar.textVisible = true;
    bar.textAlignment = Qt::AlignCenter;
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, option.widget);
}

} // namespace trv::app
