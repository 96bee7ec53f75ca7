// Dump, diff and the JSON form over the field catalogue.
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "database/Rules.h"
#include "interchange/Diff.h"
#include "interchange/Dump.h"
#include "interchange/ImageModel.h"
#include "interchange/Json.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace trv;
using namespace trv::interchange;
namespace fields = trv::db::fields;

namespace {

db::Image newImage()
{
    db::Image image{};
    db::newDatabase(image);
    return image;
}

// Every region holds something: each field of each record gets a valid value other than its
// default (list: the last choice, number: its maximum, text: a full slot), so every record is in use.
db::Image filledImage()
{
    db::Image image = newImage();
    const auto fill = [&](const db::Field& f, int record) {
        for (int e = 0; e < f.count; ++e) {
            if (f.isText())
                db::writeFieldText(
                    image, f, std::string(static_cast<std::size_t>(f.width), 'A' + record % 26), record, e);
            else if (!f.choices.empty())
                db::writeField(image, f, f.choices.back().value, record, e);
            else if (f.kind != db::FieldKind::Area)
                db::writeField(image, f, f.maximum, record, e);
        }
    };
    for (const db::CatalogueArea& area : db::catalogue())
        for (int record = 0; record < area.region->count; ++record) {
            for (const db::Field* f : area.fields)
                fill(*f, record);
            for (const db::Field* f : area.fields)
                if (const db::AreaLayout* layout =
                        f->kind == db::FieldKind::Area ? layoutOf(image, area, *f, record) : nullptr)
                    for (const db::Field& inner : layout->fields)
                        fill(inner, record);
        }
    return image;
}

db::Image roundTrip(const db::Image& image)
{
    const ImportResult back = importJson(exportJson(image));
    EXPECT_TRUE(back.ok()) << (back.ok() ? "" : back.error().toStdString());
    return back.ok() ? back.image() : db::Image{};
}

QJsonObject exported(const db::Image& image)
{
    return QJsonDocument::fromJson(exportJson(image)).object();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString importError(const QJsonObject& root)
{
    const ImportResult result = importJson(QJsonDocument(root).toJson());
    return result.ok() ? QString() : result.error();
}

} // namespace

// One field of each kind changed: diff names exactly that field with both values in their units,
// and dump shows the new value.
TEST(Interchange, DiffAndDumpNameTheFieldThatDiffersInItsUnit)
{
    const db::Image a = newImage();
    const struct {
        const char* kind;
        std::function<void(db::Image&)> change;
        const char* diffLine;
        const char* dumpLine;
    } cases[] = {
        {"number", [](db::Image& i) { db::writeField(i, fields::muteTimer, 45); },
         "deskset.muteTimer: 30 s -> 45 s", "deskset.muteTimer = 45 s"},
        {"signed number", [](db::Image& i) { db::writeField(i, fields::txLevel, -3, 1); },
         "channels[2].txLevel: 0 dBm -> -3 dBm", "channels[2].txLevel = -3 dBm"},
        {"flag", [](db::Image& i) { db::writeField(i, fields::relayLatching, 1, 0, 2); },
         "deskset.relayLatching[3]: Off -> On", "deskset.relayLatching[3] = On"},
        {"list", [](db::Image& i) { db::writeField(i, fields::clockMode, 0); },
         "deskset.clockMode: 24 Hour -> 12 Hour", "deskset.clockMode = 12 Hour"},
        {"text", [](db::Image& i) { db::writeFieldText(i, fields::frequencyLabel, "Fire", 3, 4); },
         "channels[4].frequencyLabel[5]: \"\" -> \"Fire\"", "channels[4].frequencyLabel[5] = \"Fire\""},
        {"frequency", [](db::Image& i) { db::writeField(i, fields::guardToneFrequency, 23255 - 5); },
         "channels[1].guardToneFrequency: 2175.0 Hz -> 2325.0 Hz",
         "channels[1].guardToneFrequency = 2325.0 Hz"},
        {"current", [](db::Image& i) { db::writeField(i, fields::dcCurrent, 7, 0, 1); },
         "channels[1].dcCurrent[2]: 12.5 mA -> 3.5 mA", "channels[1].dcCurrent[2] = 3.5 mA"},
        {"value not in its list", [](db::Image& i) { db::writeField(i, fields::desksetType, 7); },
         "deskset.desksetType: Advanced Single Channel -> raw 07", "deskset.desksetType = raw 07"},
        {"layout field",
         [](db::Image& i) { db::writeField(i, fields::signalingType, db::channel::kSignalingDtmfDecode); },
         "channels[1].signalingType: None -> DTMF decode", "channels[1].signalingArea = DtmfSettings"},
        {"table record", [](db::Image& i) { db::writeFieldText(i, fields::aliasLabel, "Unit 7", 9); },
         "pttAliases[10].label: \"\" -> \"Unit 7\"", "pttAliases[10].label = \"Unit 7\""},
    };
    for (const auto& c : cases) {
        db::Image b = a;
        c.change(b);
        const ImageDiff diff = diffImages(a, b);
        EXPECT_EQ(diff.fields, QStringList{c.diffLine}) << c.kind;
        EXPECT_EQ(diff.reservedBytes, 0) << c.kind;
        EXPECT_TRUE(dumpImage(b, false).contains(QString(c.dumpLine) + "\n")) << c.kind;
        EXPECT_TRUE(diffImages(b, b).equal());
    }
}

TEST(Interchange, AreaFieldsDifferByLayoutFieldAndReservedBytesByCount)
{
    db::Image a = newImage();
    db::writeField(a, fields::signalingType, db::channel::kSignalingStatAlert, 2);
    db::Image b = a;
    db::writeField(b, fields::detail::kStatAlertFields[1], 300, 2); // leadingPretime
    b[db::kReservedTail.base + 5] = 0x42;
    b[db::kReservedAfterSettings.base] = 0x01;
    const ImageDiff diff = diffImages(a, b);
    EXPECT_EQ(diff.fields, QStringList{"channels[3].signalingArea.leadingPretime: 0 ms -> 300 ms"});
    EXPECT_EQ(diff.reservedBytes, 2);
    EXPECT_EQ(diff.lines().last(), "reserved areas: 2 bytes differ");

    db::Image c = a;
    db::writeField(c, fields::signalingType, db::channel::kSignalingNone, 2);
    c[fields::signalingArea.at(2)] = 0x09;
    const QStringList lines = diffImages(a, c).fields;
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1],
              "channels[3].signalingArea: StatAlertSettings raw 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 -> raw 09 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST(Interchange, DumpLeavesFreeRecordsOutUnlessAskedAndShowsReservedBytes)
{
    db::Image image = newImage();
    db::writeFieldText(image, fields::speedPageLabel, "Station", 4);
    image[db::kReservedAfterButtons.base + 17] = 0xAB;
    const QString dump = dumpImage(image, false);
    EXPECT_TRUE(dump.contains("# speed page 5\nspeedPages[5].label = \"Station\"\n"));
    EXPECT_FALSE(dump.contains("# speed page 1\n"));
    EXPECT_TRUE(dump.contains("# channel 4\n"));
    EXPECT_TRUE(dump.contains("reserved 0x00B4 = 00 AB 00")) << dump.toStdString();
    const QString all = dumpImage(image, true);
    EXPECT_TRUE(all.contains("# speed page 1 (free)\n"));
    EXPECT_EQ(all.count("# speed page "), db::kSpeedPages.count);
}

TEST(Interchange, JsonRoundTripIsByteForByte)
{
    const db::Image fresh = newImage();
    EXPECT_EQ(roundTrip(fresh), fresh);

    const db::Image filled = filledImage();
    EXPECT_EQ(roundTrip(filled), filled);
    // Every value of the filled image is typed: only areas without a known layout are raw.
    const QJsonObject root = exported(filled);
    EXPECT_EQ(root["speedPages"].toArray().size(), db::kSpeedPages.count);
    EXPECT_EQ(root["channels"][0]["signalingArea"]["layout"], "DtmfSettings");
    EXPECT_EQ(root["deskset"]["printerBaudRate"], "19200 bps");
    EXPECT_EQ(root["channels"][3]["dcCurrent"][0], 15.5);

    // What no editor would write: every byte of the body set at random.
    std::mt19937 random(7);
    db::Image noise = fresh;
    for (int i = db::kHeaderSize; i < db::kImageSize; ++i)
        noise[i] = static_cast<std::uint8_t>(random());
    EXPECT_EQ(roundTrip(noise), noise);
    // Free records with leftovers, bytes after a text's end, unused layout bytes, reserved areas.
    db::Image odd = filled;
    odd[db::kPttAliases.record(3)] = 0;
    odd[fields::frequencyLabel.at(0, 2) + 10] = 0x00;
    odd[fields::frequencyLabel.at(0, 2) + 5] = 0x00; // "AAAAA" then a leftover 'A'
    odd[fields::signalingArea.at(1) + 16] = 0x5A;
    odd[db::kReservedTail.end() - 1] = 0x01;
    EXPECT_EQ(roundTrip(odd), odd);
    const QJsonObject oddRoot = exported(odd);
    EXPECT_EQ(oddRoot["channels"][0]["frequencyLabel"][2]["raw"], "41 41 41 41 41 00 41 41 41 41 00 41");
    EXPECT_TRUE(oddRoot["channels"][1]["signalingArea"]["unused"]["raw"].isString());
    EXPECT_EQ(oddRoot["reserved"][0]["offset"], "0x3BE4");
}

TEST(Interchange, ImportRefusesTheWholeFileNamingTheFirstBadField)
{
    const QJsonObject good = exported(newImage());
    const auto with = [&](const std::function<void(QJsonObject&)>& change) {
        QJsonObject root = good;
        change(root);
        return importError(root);
    };
    const auto setChannel = [](QJsonObject& root, int index, const char* field, const QJsonValue& value) {
        QJsonArray channels = root["channels"].toArray();
        QJsonObject channel = channels[index].toObject();
        channel[field] = value;
        channels[index] = channel;
        root["channels"] = channels;
    };
    const auto setDeskset = [](QJsonObject& root, const char* field, const QJsonValue& value) {
        QJsonObject deskset = root["deskset"].toObject();
        deskset[field] = value;
        root["deskset"] = deskset;
    };
    const struct {
        const char* what;
        std::function<void(QJsonObject&)> change;
        const char* error;
    } cases[] = {
        {"unknown field", [&](QJsonObject& r) { setChannel(r, 1, "txLvl", 0); },
         "channels[2].txLvl: unknown field"},
        {"unknown area", [](QJsonObject& r) { r["settings"] = QJsonObject(); }, "settings: unknown field"},
        {"out of range", [&](QJsonObject& r) { setChannel(r, 1, "txLevel", 12); },
         "channels[2].txLevel: 12 is out of range (-30 dBm to 11 dBm)"},
        {"not a step of the unit", [&](QJsonObject& r) { setChannel(r, 0, "tptFrequency", 900.05); },
         "channels[1].tptFrequency: 900.05 is not a whole number of 0.1 Hz"},
        {"wrong list text", [&](QJsonObject& r) { setDeskset(r, "clockMode", "25 Hour"); },
         "deskset.clockMode: \"25 Hour\" is not in the list (\"12 Hour\", \"24 Hour\")"},
        {"text too long",
         [&](QJsonObject& r) { setChannel(r, 0, "desksetId", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"); },
         "channels[1].desksetId: \"ABCDEFGHIJKLMNOPQRSTUVWXYZ\" is longer than its 8-byte slot"},
        {"wrong version", [](QJsonObject& r) { r["version"] = 2; },
         "version: 2 is not supported (this tool reads version 1)"},
        {"bad raw",
         [&](QJsonObject& r) {
             setDeskset(r, "muteTimer", QJsonObject{{"raw", "1"}});
         },
         "deskset.muteTimer: \"1\" is not 1 bytes in hexadecimal"},
        {"layout that the selector does not choose",
         [&](QJsonObject& r) {
             setChannel(r, 0, "signalingArea", QJsonObject{{"layout", "DtmfSettings"}, {"minDigits", 3}});
         },
         "channels[1].signalingArea: signalingType chooses no layout: give the bytes as \"raw\""},
        {"record out of the table",
         [](QJsonObject& r) {
             r["pttAliases"] = QJsonArray{QJsonObject{{"record", 251}}};
         },
         "pttAliases[#1]: 251 is not a record number from 1 to 250"},
        {"field bytes given as reserved",
         [](QJsonObject& r) {
             r["reserved"] = QJsonArray{QJsonObject{{"offset", "0x0020"}, {"bytes", "01 02 03 04"}}};
         },
         "reserved[#1]: offset 0x0020 and its 4 bytes are not all reserved"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(with(c.change), c.error) << c.what;
    EXPECT_EQ(importError(good), QString());
    EXPECT_TRUE(importJson("{ not json").error().startsWith("the file is not JSON"));
}

TEST(Interchange, ImportTakesFieldsLeftOutFromANewDatabase)
{
    const ImportResult result = importJson(R"({"format": "TRV database", "version": 1,
        "deskset": {"muteTimer": 45},
        "channels": [{"record": 2, "signalingType": "Stat Alert", "desksetId": "12AB",
                      "signalingArea": {"layout": "StatAlertSettings", "leadingPretime": 250}},
                     {"record": 3, "signalingType": "DTMF decode"}],
        "pagingFormats": [{"record": 3, "label": "Tone", "formatType": "Motorola 5 Tone"}],
        "customTones": [{"record": 8, "inhibitDelay": 100}],
        "speedPages": [{"record": 3, "label": "North", "formatIndex": 2, "digits": "12345"}]})");
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    db::Image expected = newImage();
    db::writeField(expected, fields::muteTimer, 45);
    // A layout named or implied by its selector alone starts from its page's defaults.
    db::writeField(expected, fields::signalingType, db::channel::kSignalingStatAlert, 1);
    db::writeFieldText(expected, fields::desksetId, "12AB", 1);
    for (const db::Field& f : fields::statAlertLayout.fields)
        db::writeDefault(expected, f, 1);
    db::writeField(expected, fields::detail::kStatAlertFields[1], 250, 1);
    db::writeField(expected, fields::signalingType, db::channel::kSignalingDtmfDecode, 2);
    for (const db::Field& f : fields::dtmfLayout.fields)
        db::writeDefault(expected, f, 2);
    // A paging format takes its type's defaults, a custom tone the dialog's new-tone values.
    db::writeFieldText(expected, fields::pagingLabel, "Tone", 2);
    db::writeField(expected, fields::formatType, 13, 2);
    for (const db::Field& f : fields::formatParameters.layoutFor(13)->fields)
        db::writeDefault(expected, f, 2);
    db::writeFieldText(expected, fields::toneNumber, "7", 7);
    db::writeField(expected, fields::firstToneFrequency, 2000, 7);
    db::writeField(expected, fields::secondToneFrequency, 2000, 7);
    db::writeField(expected, fields::firstToneDuration, 1000, 7);
    db::writeField(expected, fields::secondToneDuration, 3000, 7);
    db::writeField(expected, fields::inhibitDelay, 100, 7);
    db::writeFieldText(expected, fields::speedPageLabel, "North", 2);
    db::writeField(expected, fields::speedPageFormat, 2, 2);
    db::writeFieldText(expected, fields::speedPageDigits, "12345", 2);
    EXPECT_EQ(diffImages(expected, result.image()).lines(), QStringList());

    // Values no editor would keep are refused with the rule that they break; so is a record
    // without what it needs.
    const struct {
        const char* json;
        const char* error;
    } refused[] = {
        {R"("channels": [{"record": 2, "guardToneFrequency": 2200.0}])",
         "channels[2].guardToneFrequency: 2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz "
         "[channel.guardToneFrequency]"},
        {R"("channels": [{"record": 1, "functionToneFrequency": [600.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]}])",
         "channels[1].functionToneFrequency[1]: 600.0 Hz is not one of 0, 550, 650, 750, 850, 950, 1050, "
         "1150, 1250, "
         "1350, 1450, 1550, 1650, 1750, 1850, 1950, 2050 Hz [channel.functionToneFrequency]"},
        {R"("buttons": [{"record": 1, "kind": "Alert Tone", "parameter": 7}])",
         "buttons[1].parameter: 7 is not a parameter of \"Alert Tone\" (1 to 3) [button.parameter]"},
        {R"("pagingFormats": [{"record": 1, "label": "A"}, {"record": 2, "label": "A"}])",
         "pagingFormats[2].label: the label \"A\" is also the label of paging format 1 "
         "[pagingFormat.labelUnique]"},
        {R"("pttAliases": [{"record": 1, "label": "A", "pttId": "12G", "unitType": "MDC1200"}])",
         "pttAliases[1].pttId: \"12G\" is not a valid MDC1200 PTT ID: 4 characters of 0 to 9 and A to F "
         "[pttAlias.pttId]"},
        {R"("channels": [{"record": 1, "signalingType": "Stat Alert", "desksetId": "1",
                          "signalingArea": {"layout": "StatAlertSettings", "retryConstant": 0}}])",
         "channels[1].signalingArea.retryConstant: 0 is out of range (2 to 17)"},
        // A left-out field whose default the record's other values do not allow.
        {R"("channels": [{"record": 2, "signalingType": "Stat Alert"}])",
         "channels[2].desksetId: is empty: Stat Alert signalling needs a deskset ID [channel.desksetId]"},
        {R"("pttAliases": [{"record": 1, "label": "A"}])", "pttAliases[1]: \"pttId\" is missing"},
        {R"("speedPages": [{"record": 1, "label": "A", "digits": "1"}])",
         "speedPages[1]: \"formatIndex\" is missing"},
    };
    for (const auto& r : refused)
        EXPECT_EQ(importJson(QByteArray(R"({"format": "TRV database", "version": 1, )") + r.json + "}")
                      .error()
                      .toStdString(),
                  r.error)
            << r.json;
}

// Offsets, record numbers and values at the edges of 32-bit arithmetic: each file of the fuzz
// target's seed corpus is refused, naming the entry or field, and writes nothing outside the image.
TEST(Interchange, ImportRefusesNumbersAndOffsetsBeyondEveryBound)
{
    const struct {
        const char* file;
        const char* error;
    } cases[] = {
        {"reserved-offset-7FFFFFFF", "reserved[#1]: offset 0x7FFFFFFF and its 1 bytes are not all reserved"},
        {"reserved-offset-7FFFFFFE", "reserved[#1]: offset 0x7FFFFFFE and its 2 bytes are not all reserved"},
        {"reserved-past-image-end", "reserved[#1]: offset 0x3FFF and its 2 bytes are not all reserved"},
        {"reserved-offset-64bit",
         "reserved[#1]: offset 0xFFFFFFFFFFFFFFFF3BE4 and its 1 bytes are not all reserved"},
        {"reserved-offset-signed", "reserved[#1]: \"offset\" is missing, \"bytes\" is missing"},
        {"record-2147483647", "pttAliases[#1]: 2147483647 is not a record number from 1 to 250"},
        {"record-minus-2147483648", "pttAliases[#1]: -2147483648 is not a record number from 1 to 250"},
        {"record-4294967297", "speedPages[#1]: 4294967297 is not a record number from 1 to 250"},
        {"record-1e308", "customTones[#1]: 1e+308 is not a record number from 1 to 100"},
        {"record-minus-zero", "pagingFormats[#1]: 0 is not a record number from 1 to 16"},
        {"record-fraction", "pttAliases[#1]: 1.5 is not a record number from 1 to 250"},
        {"number-2147483647", "deskset.muteTimer: 2147483647 is out of range (0 s to 60 s)"},
        {"number-minus-2147483648", "channels[1].txLevel: -2147483648 is out of range (-30 dBm to 11 dBm)"},
        {"number-4294967296", "deskset.muteTimer: 4294967296 is out of range (0 s to 60 s)"},
        {"number-fraction", "deskset.muteTimer: 30.5 is not a whole number of 1"},
        {"hex-too-large",
         "channels[1].signalingArea.defaultRac: \"0x100000000\" is out of range (0x0000 to 0xFFFF)"},
        {"hex-signed", "channels[1].signalingArea.defaultRac: \"0x+10\" is not a number"},
    };
    const auto importSeed = [](const char* name) {
        QFile file(QStringLiteral(JSON_CORPUS_DIR "/%1.json").arg(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const ImportResult result = importJson(file.readAll());
        return result.ok() ? std::string() : result.error().toStdString();
    };
    for (const auto& c : cases)
        EXPECT_EQ(importSeed(c.file), c.error) << c.file;
    // Infinite products are out of range too, never a fraction or a wrapped value.
    EXPECT_EQ(importSeed("number-1e308"),
              "channels[2].tptFrequency: 1e+308 is out of range (200.0 Hz to 3400.0 Hz)");
    EXPECT_EQ(importSeed("number-minus-1e308"),
              "channels[2].txLevel: -1e+308 is out of range (-30 dBm to 11 dBm)");
    const ImportResult minusZero =
        importJson(R"({"format": "TRV database", "version": 1, "deskset": {"muteTimer": -0}})");
    ASSERT_TRUE(minusZero.ok());
    EXPECT_EQ(db::readField(minusZero.image(), fields::muteTimer), 0);
}

// The JSON form and the dump of a new database and of a site's database (built from golden/
// site-source.json) are committed: a renamed field, unit or list text shows as a diff in review.
// On a difference the output is written beside the test binary to be looked at and copied over.
TEST(Interchange, ExportAndDumpMatchTheGoldenFiles)
{
    const ImportResult site = importJson(readFile(QStringLiteral(GOLDEN_DIR "/site-source.json")));
    ASSERT_TRUE(site.ok()) << site.error().toStdString();
    EXPECT_TRUE(db::checkImage(site.image()).empty());
    for (const auto& [name, image] : {std::pair{"new", newImage()}, std::pair{"site", site.image()}}) {
        const std::pair<QString, QByteArray> outputs[] = {
            {QStringLiteral("%1.json").arg(name), exportJson(image)},
            {QStringLiteral("%1.dump").arg(name), dumpImage(image, false).toUtf8()},
        };
        for (const auto& [file, output] : outputs) {
            if (output == readFile(QStringLiteral(GOLDEN_DIR "/") + file))
                continue;
            QFile actual(QStringLiteral(GOLDEN_OUT_DIR "/") + file);
            EXPECT_TRUE(actual.open(QIODevice::WriteOnly) && actual.write(output) == output.size());
            ADD_FAILURE() << "golden/" << file.toStdString() << " differs from the output now written to "
                          << actual.fileName().toStdString();
        }
    }
}
