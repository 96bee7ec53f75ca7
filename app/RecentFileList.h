// A recent-file list of the profile: at most four full paths, the most recent first. The shell's
// own is the databases'; the Fleet window keeps its site lists in another key.
#pragma once

#include <QStringList>

namespace trv::app {

class RecentFileList {
public:
    static constexpr int kSize = 4;

    // keyPath: the profile key of the list; entries are named prefix1 .. prefix4.
    explicit RecentFileList(QString keyPath = {}, QString prefix = QStringLiteral("File"));

    void load();
    void save() const;

    // Moves (or inserts) path to the front, dropping the oldest beyond kSize.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return paths_; }

private:
    QString keyPath_;
    QString prefix_;
    QStringList paths_;
};

} // namespace trv::app
