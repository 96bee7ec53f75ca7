#include "database/FieldCatalog.h"

namespace trv::db {
namespace {

using namespace fields;

constexpr const Field* kDesksetFields[] = {
    &clockMode,          &displayTime,   &printerBaudRate, &useUnselectSpeaker,
    &muteLevel,          &muteTimer,     &pageKeyUpDelay,  &voiceAnnotation,
    &transmitDelay,      &relayLatching, &desksetType,     &handsetPresent,
    &externalMicPresent, &micAgc,        &pagingFeedback,
};
constexpr const Field* kButtonFields[] = {&buttonKind, &buttonParameter};
constexpr const Field* kChannelFields[] = {
    &frequencyLabel,
    &interfaceType,
    &termination,
    &rxAgcLevel,
    &txLevel,
    &hangoverDelay,
    &parallelStatus,
    &crossMute,
    &keying,
    &pttRelay,
    &monitorRelay,
    &monitorLatching,
    &encryptRelay,
    &eLead,
    &pttSense,
    &encryptSense,
    &guardToneFrequency,
    &hlgtDuration,
    &functionToneDuration,
    &hlgtLevel,
    &functionToneLevel,
    &llgtLevel,
    &functionToneFrequency,
    &monitorToneFrequency,
    &repeaterEnableFrequency,
    &repeaterDisableFrequency,
    &codedFrequency,
    &clearFrequency,
    &wildcard1OnFrequency,
    &wildcard2OnFrequency,
    &wildcard1OffFrequency,
    &wildcard2OffFrequency,
    &dcCurrent,
    &dcMonitorCurrent,
    &signalingType,
    &desksetId,
    &signalingArea,
    &relay,
    &tptTimeout,
    &tptFrequency,
    &tptBeepDuration,
    &tptPauseDuration,
    &tptBeepCount,
    &tptPostTime,
    &tptDetect,
    &echoCancellationDelay,
    &mdcRxPreEmphasis,
};
constexpr const Field* kPagingFields[] = {&pagingLabel, &formatType, &formatParameters};
constexpr const Field* kCustomToneFields[] = {&toneNumber,     &firstToneFrequency,  &firstToneDuration,
                                              &intertoneDelay, &secondToneFrequency, &secondToneDuration,
                                              &inhibitDelay};
constexpr const Field* kSpeedPageFields[] = {&speedPageLabel, &speedPageFormat, &speedPageDigits};
constexpr const Field* kAliasFields[] = {&aliasLabel, &aliasPttId, &aliasUnitType};

constexpr CatalogueArea kAreas[] = {
    {"deskset", &kDesksetSettings, kDesksetFields, false},
    {"buttons", &kButtonTable, kButtonFields, false},
    {"channels", &kChannels, kChannelFields, false},
    {"pagingFormats", &kPagingFormats, kPagingFields, true},
    {"customTones", &kCustomTones, kCustomToneFields, true},
    {"speedPages", &kSpeedPages, kSpeedPageFields, true},
    {"pttAliases", &kPttAliases, kAliasFields, true},
};

} // namespace

std::span<const CatalogueArea> catalogue()
{
    return kAreas;
}

const Field* findField(std::string_view area, std::string_view name)
{
    for (const CatalogueArea& a : kAreas) {
        if (a.name != area)
            continue;
        for (const Field* f : a.fields)
            if (f->name == name)
                return f;
    }
    return nullptr;
}

} // namespace trv::db
