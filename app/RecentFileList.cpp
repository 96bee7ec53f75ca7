#include "app/RecentFileList.h"

#include "app/Registry.h"
#include "platform/SettingsStore.h"

namespace trv::app {
namespace {

QString entryName(int k)
{
    return QStringLiteral("File%1").arg(k + 1);
}

} // namespace

using platform::Hive;
using platform::SettingsStore;

void RecentFileList::load()
{
    paths_.clear();
    auto settings = SettingsStore::open(Hive::CurrentUser, QString::fromLatin1(key::kRecentFiles));
    for (int k = 0; k < kSize; ++k) {
        const QString path = settings->value(entryName(k)).toString();
        if (!path.isEmpty() && !paths_.contains(path))
            paths_.append(path);
    }
}

void RecentFileList::save() const
{
    auto settings = SettingsStore::open(Hive::CurrentUser, QString::fromLatin1(key::kRecentFiles));
    for (int k = 0; k < kSize; ++k) {
        if (k < paths_.size())
            settings->setValue(entryName(k), paths_[k]);
        else
            settings->remove(entryName(k));
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
