#include "database/Rules.h"
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace trv::db;
namespace f = trv::db::fields;

namespace {

Image freshDatabase()
{
    Image image{};
    newDatabase(image);
    return image;
}

void writeLayout(Image& image, const AreaLayout& layout, int record)
{
    for (const Field& field : layout.fields)
        writeDefault(image, field, record);
}

// A paging format of a type with its type's new-format values.
void addFormat(Image& image, int record, const char* label, int type)
{
    writeFieldText(image, f::pagingLabel, label, record);
    writeField(image, f::formatType, type, record);
    if (const AreaLayout* layout = f::formatParameters.layoutFor(type))
        writeLayout(image, *layout, record);
}

void addSpeedPage(Image& image, int record, const char* label, int format, const char* digits)
{
    writeFieldText(image, f::speedPageLabel, label, record);
    writeField(image, f::speedPageFormat, format, record);
    writeFieldText(image, f::speedPageDigits, digits, record);
}

void addAlias(Image& image, int record, const char* label, const char* id, int unitType)
{
    writeFieldText(image, f::aliasLabel, label, record);
    writeFieldText(image, f::aliasPttId, id, record);
    writeField(image, f::aliasUnitType, unitType, record);
}

void addTone(Image& image, int record, const char* number)
{
    writeFieldText(image, f::toneNumber, number, record);
    writeField(image, f::firstToneFrequency, 2000, record);
    writeField(image, f::secondToneFrequency, 2000, record);
}

void setButton(Image& image, int k, int kind, int parameter)
{
    writeField(image, f::buttonKind, kind, k);
    writeField(image, f::buttonParameter, parameter, k);
}

struct Case {
    const char* name;
    std::function<void(Image&)> change;
    const char* rule;
    const char* path;
    Severity severity;
    const char* message = nullptr; // checked exactly when given
};

// Each bad database reports exactly its one problem.
void expectOneProblem(const Case& c)
{
    Image image = freshDatabase();
    c.change(image);
    const std::vector<Problem> problems = checkImage(image);
    ASSERT_EQ(problems.size(), 1u) << c.name << ": "
                                   << (problems.empty()
                                           ? std::string("none")
                                           : formatProblem(problems[0]) +
                                                 (problems.size() > 1 ? " / " + formatProblem(problems[1])
                                                                      : ""));
    EXPECT_EQ(problems[0].rule, c.rule) << c.name;
    EXPECT_EQ(problems[0].path, c.path) << c.name;
    EXPECT_EQ(problems[0].severity, c.severity) << c.name;
    if (c.message) {
        EXPECT_EQ(problems[0].message, c.message) << c.name;
    }
}

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

} // namespace

TEST(Rules, ANewDatabaseHasNoProblem)
{
    EXPECT_TRUE(checkImage(freshDatabase()).empty());
    EXPECT_EQ(problemSummary({}), "No problems found.");
}

TEST(Rules, EachFieldHoldsAValueOfItsRangeOrList)
{
    const Case cases[] = {
        {"guard tone", [](Image& i) { writeField(i, f::guardToneFrequency, 22000, 0); },
         "channel.guardToneFrequency", "channels[1].guardToneFrequency", E,
         "2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz"},
        {"function tone", [](Image& i) { writeField(i, f::functionToneFrequency, 6000, 0, 2); },
         "channel.functionToneFrequency", "channels[1].functionToneFrequency[3]", E},
        {"mute timer", [](Image& i) { writeField(i, f::muteTimer, 61); }, "deskset.muteTimer",
         "deskset.muteTimer", E, "61 s is not between 0 and 60 s"},
        {"clock mode kept", [](Image& i) { writeField(i, f::clockMode, 5); }, "deskset.clockMode",
         "deskset.clockMode", W},
        {"deskset type", [](Image& i) { writeField(i, f::desksetType, 2); }, "deskset.desksetType",
         "deskset.desksetType", E},
        {"interface", [](Image& i) { writeField(i, f::interfaceType, 7, 0); }, "channel.interfaceType",
         "channels[1].interfaceType", E},
        {"tx level", [](Image& i) { writeField(i, f::txLevel, -128, 0); }, "channel.txLevel",
         "channels[1].txLevel", E, "-128 dBm is not between -30 and 11 dBm"},
        {"echo delay", [](Image& i) { writeField(i, f::echoCancellationDelay, 2000, 0); },
         "channel.echoCancellationDelay", "channels[1].echoCancellationDelay", E},
        {"current", [](Image& i) { writeField(i, f::dcCurrent, 40, 0, 1); }, "channel.dcCurrent",
         "channels[1].dcCurrent[2]", E, "20.0 mA is not between -15.5 and 15.5 mA"},
        {"flag", [](Image& i) { writeField(i, f::tptDetect, 2, 0, 4); }, "channel.tptDetect",
         "channels[1].tptDetect[5]", E},
        {"tpt frequency", [](Image& i) { writeField(i, f::tptFrequency, 1990, 0); }, "channel.tptFrequency",
         "channels[1].tptFrequency", E, "199.0 Hz is not between 200.0 and 3400.0 Hz"},
        {"label byte", [](Image& i) { writeFieldText(i, f::frequencyLabel, "Fr\x07q", 0, 1); },
         "channel.frequencyLabel", "channels[1].frequencyLabel[2]", E,
         "holds the byte 0x07, which a text slot does not store"},
        {"retry constant",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingStatAlert, 0);
             writeFieldText(i, f::desksetId, "12AB", 0);
             writeLayout(i, f::statAlertLayout, 0);
             writeField(i, f::retryConstant, 0, 0);
         },
         "channel.retryConstant", "channels[1].signalingArea.retryConstant", E},
        {"stat alert mode kept",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingStatAlert, 0);
             writeFieldText(i, f::desksetId, "1", 0);
             writeLayout(i, f::statAlertLayout, 0);
             writeField(i, f::statAlertMode, 3, 0);
         },
         "channel.statAlertMode", "channels[1].signalingArea.statAlertMode", W},
        {"paging duration",
         [](Image& i) {
             addFormat(i, 0, "M5", 13);
             writeField(i, f::formatParameters.layoutFor(13)->fields[1], 60001, 0);
         },
         "pagingFormat.preambleDuration", "pagingFormats[1].parameters.preambleDuration", E},
        {"pulse tone kept",
         [](Image& i) {
             addFormat(i, 2, "P", 19);
             writeField(i, f::formatParameters.layoutFor(19)->fields[0], 12340, 2);
         },
         "pagingFormat.standardTone", "pagingFormats[3].parameters.standardTone", W},
        {"format type", [](Image& i) { addFormat(i, 0, "X", 22); }, "pagingFormat.formatType",
         "pagingFormats[1].formatType", E},
        {"custom tone frequency",
         [](Image& i) {
             addTone(i, 4, "4");
             writeField(i, f::secondToneFrequency, 34001, 4);
         },
         "customTone.secondToneFrequency", "customTones[5].secondToneFrequency", E},
        {"alias unit type", [](Image& i) { addAlias(i, 0, "A", "12", 2); }, "pttAlias.unitType",
         "pttAliases[1].unitType", E},
    };
    for (const Case& c : cases)
        expectOneProblem(c);
}

TEST(Rules, TablesKeepTheirLabelsIdsAndOrder)
{
    const Case cases[] = {
        {"format label twice",
         [](Image& i) {
             addFormat(i, 0, "Page", 0);
             addFormat(i, 3, "Page", 2);
         },
         "pagingFormat.labelUnique", "pagingFormats[4].label", E,
         "the label \"Page\" is also the label of paging format 1"},
        {"speed page label twice",
         [](Image& i) {
             addFormat(i, 0, "F", 0);
             addSpeedPage(i, 0, "A", 0, "0A1F");
             addSpeedPage(i, 1, "A", 0, "0A1E");
         },
         "speedPage.labelUnique", "speedPages[2].label", E},
        {"speed page unsorted",
         [](Image& i) {
             addFormat(i, 0, "F", 0);
             addSpeedPage(i, 0, "B", 0, "0A1F");
             addSpeedPage(i, 1, "A", 0, "0A1E");
         },
         "speedPage.sorted", "speedPages[2].label", W},
        {"speed page gap",
         [](Image& i) {
             addFormat(i, 0, "F", 0);
             addSpeedPage(i, 1, "A", 0, "0A1F");
         },
         "speedPage.packed", "speedPages[2].label", W,
         "is in use after the free record 1: the table is not packed"},
        {"speed page digits",
         [](Image& i) {
             addFormat(i, 0, "F", 10);
             addSpeedPage(i, 0, "A", 0, "12G");
         },
         "speedPage.digits", "speedPages[1].digits", E},
        {"speed page format free", [](Image& i) { addSpeedPage(i, 0, "A", 3, "0A1F"); }, "speedPage.format",
         "speedPages[1].formatIndex", E, "names paging format 4, which is not configured"},
        {"speed page format index", [](Image& i) { addSpeedPage(i, 0, "A", 16, "0A1F"); },
         "speedPage.formatIndex", "speedPages[1].formatIndex", E},
        {"mdc id", [](Image& i) { addAlias(i, 0, "A", "12G", alias::kMdc1200); }, "pttAlias.pttId",
         "pttAliases[1].pttId", E},
        {"mdc id length", [](Image& i) { addAlias(i, 0, "A", "12345", alias::kMdc1200); }, "pttAlias.pttId",
         "pttAliases[1].pttId", E},
        {"dtmf id", [](Image& i) { addAlias(i, 0, "A", "12E", alias::kDtmf); }, "pttAlias.pttId",
         "pttAliases[1].pttId", E},
        {"pttId twice",
         [](Image& i) {
             addAlias(i, 0, "A", "12AB", 0);
             addAlias(i, 1, "B", "12AB", 0);
         },
         "pttAlias.pttIdUnique", "pttAliases[2].pttId", E},
        {"alias label twice",
         [](Image& i) {
             addAlias(i, 0, "A", "12AB", 0);
             addAlias(i, 1, "A", "12AC", 0);
         },
         "pttAlias.labelUnique", "pttAliases[2].label", E},
        {"alias order upper-cased",
         [](Image& i) {
             addAlias(i, 0, "b", "1", 3);
             addAlias(i, 1, "A", "2", 3);
         },
         "pttAlias.sorted", "pttAliases[2].label", W},
        {"tone number", [](Image& i) { addTone(i, 7, "8"); }, "customTone.number", "customTones[8].number", E,
         "\"8\" is not this record's number \"7\""},
    };
    for (const Case& c : cases)
        expectOneProblem(c);

    // What the editors make is clean: upper-cased order lets Radio and RADIO coexist.
    Image clean = freshDatabase();
    addAlias(clean, 0, "alpha", "*#0D", 3);
    addAlias(clean, 1, "Bravo", "12AB", 0);
    addAlias(clean, 2, "RADIO", "1", 3);
    addAlias(clean, 3, "Radio", "2", 3);
    addFormat(clean, 5, "Cust", 20);
    addSpeedPage(clean, 0, "ABC", 5, "7");
    addSpeedPage(clean, 1, "abc", 5, "42");
    addTone(clean, 42, "42");
    EXPECT_TRUE(checkImage(clean).empty()) << formatProblem(checkImage(clean).front());
}

TEST(Rules, ButtonsReferToWhatExistsAndFitTheirKind)
{
    const Case cases[] = {
        {"manual page free", [](Image& i) { setButton(i, 0, 4, 1); }, "button.manualPage",
         "buttons[1].parameter", E, "\"Manual Page\" names paging format 1, which is not configured"},
        {"speed page free", [](Image& i) { setButton(i, 2, 5, 9); }, "button.speedPage",
         "buttons[3].parameter", E},
        {"manual page range", [](Image& i) { setButton(i, 0, 4, 17); }, "button.parameter",
         "buttons[1].parameter", E},
        {"alert tone range", [](Image& i) { setButton(i, 0, 10, 4); }, "button.parameter",
         "buttons[1].parameter", E, "4 is not a parameter of \"Alert Tone\" (1 to 3)"},
        {"no parameter", [](Image& i) { setButton(i, 0, 3, 1); }, "button.parameter", "buttons[1].parameter",
         E},
        {"single-channel mute", [](Image& i) { setButton(i, 0, 9, 2); }, "button.parameter",
         "buttons[1].parameter", E},
        {"multi-channel only", [](Image& i) { setButton(i, 5, 13, 255); }, "button.multiChannelOnly",
         "buttons[6].kind", E},
        {"once per table",
         [](Image& i) {
             setButton(i, 0, 3, 255);
             setButton(i, 7, 3, 255);
         },
         "button.once", "buttons[8].kind", E},
        {"same pair twice",
         [](Image& i) {
             setButton(i, 0, 7, 2);
             setButton(i, 1, 7, 2);
         },
         "button.parameterTwice", "buttons[2].parameter", E},
        {"kind", [](Image& i) { setButton(i, 0, 19, 255); }, "button.kind", "buttons[1].kind", E},
    };
    for (const Case& c : cases)
        expectOneProblem(c);

    Image clean = freshDatabase();
    writeField(clean, f::desksetType, deskset::kMultiChannel);
    addFormat(clean, 3, "F", 0);
    addSpeedPage(clean, 0, "S", 3, "0A1F");
    setButton(clean, 0, 4, 4);
    setButton(clean, 1, 5, 1);
    setButton(clean, 2, 9, 1);
    setButton(clean, 3, 9, 4);
    setButton(clean, 4, 13, 255);
    setButton(clean, 5, 7, 8);
    EXPECT_TRUE(checkImage(clean).empty()) << formatProblem(checkImage(clean).front());
}

TEST(Rules, ChannelsHoldWhatTheirSignallingAndKeyingNeed)
{
    const Case cases[] = {
        {"dc keying on channel 2",
         [](Image& i) {
             writeField(i, f::desksetType, deskset::kMultiChannel);
             writeField(i, f::keying, channel::kKeyingDc, 1);
         },
         "channel.dcKeying", "channels[2].keying", E},
        {"none keying label",
         [](Image& i) {
             writeField(i, f::keying, channel::kKeyingNone, 0);
             writeFieldText(i, f::frequencyLabel, "", 0, 0);
         },
         "channel.noneKeyingLabel", "channels[1].frequencyLabel[1]", E},
        {"stat alert id empty",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingStatAlert, 0);
             writeLayout(i, f::statAlertLayout, 0);
         },
         "channel.desksetId", "channels[1].desksetId", E},
        {"stat alert id letters",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingStatAlert, 0);
             writeLayout(i, f::statAlertLayout, 0);
             writeFieldText(i, f::desksetId, "12G", 0);
         },
         "channel.desksetId", "channels[1].desksetId", E},
        {"selective call id",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingDtmfSelectiveCall, 0);
             writeLayout(i, f::dtmfLayout, 0);
             writeFieldText(i, f::desksetId, "*9#E", 0);
         },
         "channel.desksetId", "channels[1].desksetId", E},
        {"id kept without signalling", [](Image& i) { writeFieldText(i, f::desksetId, "12", 0); },
         "channel.desksetId", "channels[1].desksetId", E},
        {"digit order",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingDtmfDecode, 0);
             writeLayout(i, f::dtmfLayout, 0);
             writeField(i, f::minDigits, 5, 0);
             writeField(i, f::maxDigits, 3, 0);
         },
         "channel.digitOrder", "channels[1].signalingArea.maxDigits", E},
        {"dtmf digits",
         [](Image& i) {
             writeField(i, f::signalingType, channel::kSignalingDtmfDecode, 0);
             writeLayout(i, f::dtmfLayout, 0);
             writeField(i, f::minDigits, 0, 0);
         },
         "channel.minDigits", "channels[1].signalingArea.minDigits", E},
        {"unused channel", [](Image& i) { writeField(i, f::txLevel, 5, 2); }, "channel.unusedChannel",
         "channels[3].txLevel", W,
         "channel 3 of a single-channel deskset holds 5 dBm where the channel reset leaves 0 dBm"},
    };
    for (const Case& c : cases)
        expectOneProblem(c);

    // A multi-channel deskset uses channels 2 to 4 as they are.
    Image multi = freshDatabase();
    writeField(multi, f::desksetType, deskset::kMultiChannel);
    writeField(multi, f::txLevel, 5, 2);
    EXPECT_TRUE(checkImage(multi).empty());
}

TEST(Rules, ProblemsComeInImageOrderAndFormatAsTheCheckLines)
{
    Image image = freshDatabase();
    writeField(image, f::desksetType, deskset::kMultiChannel);
    writeField(image, f::guardToneFrequency, 22000, 1);
    writeField(image, f::muteTimer, 61);
    writeField(image, f::clockMode, 5);
    const std::vector<Problem> problems = checkImage(image);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].path, "deskset.clockMode");
    EXPECT_EQ(problems[1].path, "deskset.muteTimer");
    EXPECT_EQ(formatProblem(problems[2]),
              "error: channels[2].guardToneFrequency: 2200.0 Hz is not one of 2100, 2175, "
              "2300, 2325 Hz [channel.guardToneFrequency]");
    EXPECT_EQ(problemSummary(problems), "2 errors, 1 warning");
    EXPECT_EQ(problemSummary({problems[0]}), "1 warning");
}
