// The recent-file list of the profile: at most four full paths, the most recent first.
#pragma once

#include <QStringList>

namespace trv::app {

class RecentFileList {
public:
    static constexpr int kSize = 4;

    void load();
    void save() const;

    // Moves (or inserts) path to the front, dropping the oldest beyond kSize.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return paths_; }

private:
    QStringList paths_;
};

} // namespace trv::app
