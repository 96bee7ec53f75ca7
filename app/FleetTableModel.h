// The table of the Fleet window: one row per deskset of the open site list, with where each stands
// in the current run and how its last run ended. It follows a run through FleetObserver; a run may
// cover only some rows (the selected ones), so the run's site index maps to a row.
#pragma once

#include "comms/LinkSettings.h"
#include "fleet/FleetRun.h"
#include "fleet/Site.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <vector>

namespace trv::app {

class FleetTableModel : public QAbstractTableModel, public fleet::FleetObserver {
    Q_OBJECT
public:
    enum Column { kName, kPort, kState, kProgress, kResult, kTime, kColumnCount };
    // The percent of the transfer under way (0..100), or -1 when the row shows no bar.
    static constexpr int kPercentRole = Qt::UserRole;

    explicit FleetTableModel(QObject* parent = nullptr);

    // A new list: every row waits for its first run. COM ports show the device machine maps them to.
    void setSites(std::vector<fleet::Site> sites, const comms::LinkSettings& machine);
    const std::vector<fleet::Site>& sites() const { return sites_; }

    // A run over these rows starts: its site index i is row rows[i].
    void runStarting(std::vector<int> rows);

    // FleetObserver
    void siteChanged(int index, const fleet::SiteProgress& progress) override;
    void siteEnded(int index, const fleet::SiteOutcome& outcome) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        QString port; // with its device
        QString state;
        int percent = -1;
        QString progress; // the attempt while connecting
        QString result;   // the last run's result and why
        QString time;     // when the last run ended for this row
        bool failed = false;
    };

    void rowChanged(int row);

    std::vector<fleet::Site> sites_;
    std::vector<Row> rows_;
    std::vector<int> runRows_;
};

// Shows a long device path by its start and its end, which tell adapters apart.
class FleetPortDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Draws the progress column as a bar with its percent.
class FleetProgressDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace trv::app
