// Desktop integration: the file-manager template is a new database, and the menu entry, the
// file type and the icons name each other consistently.
#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(PackagingTest, TemplateIsANewDatabase)
{
    trv::db::Image loaded{};
    ASSERT_TRUE(trv::db::loadDatabase(TRV_TEMPLATE_PATH, loaded).ok);
    trv::db::Image fresh{};
    trv::db::newDatabase(fresh);
    EXPECT_EQ(loaded, fresh);
}

TEST(PackagingTest, DesktopEntryOpensTheTrvFileType)
{
    const QString entry = readAll(TRV_PACKAGING_DIR "/trv.desktop");
    const QString mime = readAll(TRV_PACKAGING_DIR "/trv-database.xml");
    ASSERT_FALSE(entry.isEmpty());
    ASSERT_FALSE(mime.isEmpty());
    const auto type = QRegularExpression("mime-type type=\"([^\"]+)\"").match(mime);
    ASSERT_TRUE(type.hasMatch());
    EXPECT_TRUE(entry.contains("MimeType=" + type.captured(1) + ";"));
    EXPECT_TRUE(entry.contains(QRegularExpression("^Exec=trv %f$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.ddb\"/>"));
    EXPECT_TRUE(mime.contains("<comment>TRV Database</comment>"));
    EXPECT_TRUE(QFile::exists(TRV_PACKAGING_DIR "/trv.svg"));
    EXPECT_TRUE(QFile::exists(TRV_PACKAGING_DIR "/application-x-trv-database.svg"));
}

} // namespace
