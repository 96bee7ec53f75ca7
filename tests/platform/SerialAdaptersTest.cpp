#include "platform/SerialAdapters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using trv::platform::SerialAdapter;
using trv::platform::SerialAdapters;

TEST(SerialAdapters, ByIdNamesAndLookUpsFollowLinks)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB7");
    QFile(device).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("by-id");
    const QString link = dir.filePath("by-id/usb-Maker_Cable_A1-if00-port0");
    ASSERT_TRUE(QFile::link(device, link));
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), dir.filePath("by-id/usb-Other")));

    EXPECT_EQ(SerialAdapters::byIdPathOf(device, dir.filePath("by-id")), link);
    EXPECT_EQ(SerialAdapters::byIdPathOf(dir.filePath("ttyUSB8"), dir.filePath("by-id")), QString());

    const QList<SerialAdapter> adapters{{.device = device, .byIdPath = link}};
    EXPECT_EQ(SerialAdapters::find(adapters, link), &adapters[0]); // a COM port mapped by its stable name
    EXPECT_EQ(SerialAdapters::find(adapters, device), &adapters[0]);
    EXPECT_EQ(SerialAdapters::find(adapters, dir.filePath("ttyUSB8")), nullptr);
}

TEST(SerialAdapters, AdapterTextAndAFakeSourceForTests)
{
    const SerialAdapter full{.device = "/dev/ttyUSB0", .manufacturer = "FTDI", .product = "FT232R USB UART",
                             .serialNumber = "A10K", .vendorId = 0x0403, .productId = 0x6001};
    EXPECT_EQ(full.adapterText(), "FTDI FT232R USB UART, serial A10K (0403:6001)");
    EXPECT_EQ(SerialAdapter{.device = "/dev/ttyS0"}.adapterText(), "");
    EXPECT_EQ((SerialAdapter{.manufacturer = "Prolific", .product = "Prolific"}.adapterText()), "Prolific");

    SerialAdapters::setSource([] {
        return QList<SerialAdapter>{{.device = "/dev/ttyUSB1"}, {.device = "/dev/ttyACM0"}};
    });
    const QList<SerialAdapter> listed = SerialAdapters::list();
    SerialAdapters::setSource({});
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].device, "/dev/ttyACM0"); // sorted by device
}
