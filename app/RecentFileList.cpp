#include "app/RecentFileList.h"

#include "app/Registry.h"
#include "platform/SettingsStore.h"

namespace trv::app {

using platform::Hive;
using platform::SettingsStore;

RecentFileList::RecentFileList(QString keyPath, QString prefix)
    : keyPath_(keyPath.isEmpty() ? key::kRecentFiles : std::move(keyPath)), prefix_(std::move(prefix))
{
}

void RecentFileList::load()
{
    paths_.clear();
    auto settings = SettingsStore::open(Hive::CurrentUser, keyPath_);
    for (int k = 0; k < kSize; ++k) {
        const QString path = settings->value(prefix_ + QString::number(k + 1)).toString();
        if (!path.isEmpty() && !paths_.contains(path))
            paths_.append(path);
    }
}

void RecentFileList::save() const
{
    auto settings = SettingsStore::open(Hive::CurrentUser, keyPath_);
    for (int k = 0; k < kSize; ++k) {
        if (k < paths_.size())
            settings->setValue(prefix_ + QString::number(k + 1), paths_[k]);
        else
            settings->remove(prefix_ + QString::number(k + 1));
    }
}

void RecentFileList::add(const QString& path)
{
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kSize)
        paths_.removeLast();
}

void RecentFileList::remove(const QString& path)
{
    paths_.removeAll(path);
}

} // namespace trv::app
