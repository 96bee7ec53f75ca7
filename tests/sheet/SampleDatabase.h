// A richly filled database for the sheet's tests: a multi-channel deskset whose four channels take
// each keying and signalling, buttons of every parameter source, paging formats with parameters,
// speed pages, custom tones and more PTT ID aliases than one page holds, with free records between
// them and one guard tone that no list offers (the one problem for the last section).
#pragma once

#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"

#include <cstdio>
#include <string>

namespace trv::sheet::test {

inline constexpr int kSampleAliases = 70;
inline constexpr int kUnofferedGuardTone = 22000; // 2200.0 Hz, on channel 4

inline db::Image sampleDatabase()
{
    namespace f = db::fields;
    db::Image image{};
    db::newDatabase(image);
    db::writeField(image, f::desksetType, db::deskset::kMultiChannel);
    db::writeField(image, f::transmitDelay, 250);
    db::writeField(image, f::relayLatching, 1, 0, 2);

    // Channel 1: DC keying (channel 1 only offers it), stat alert. Channel 2: tone, DTMF decode.
    // Channel 3: no keying, DTMF selective call. Channel 4: tone keying, no signalling.
    const int keyings[] = {db::channel::kKeyingDc, db::channel::kKeyingTone, db::channel::kKeyingNone,
                           db::channel::kKeyingTone};
    const int signalings[] = {db::channel::kSignalingStatAlert, db::channel::kSignalingDtmfDecode,
                              db::channel::kSignalingDtmfSelectiveCall, db::channel::kSignalingNone};
    for (int c = 0; c < db::kChannels.count; ++c) {
        if (c > 0)
            db::resetChannelRecord(c, image);
        db::writeField(image, f::keying, keyings[c], c);
        db::writeField(image, f::signalingType, signalings[c], c);
        const db::AreaLayout* layout = f::signalingArea.layoutFor(signalings[c]);
        for (const db::Field& field : layout ? layout->fields : std::span<const db::Field>{})
            db::writeDefault(image, field, c);
    }
    db::writeFieldText(image, f::desksetId, "1A2B", 0);
    db::writeField(image, f::txLevel, -6, 0);
    db::writeField(image, f::dcCurrent, 3, 0, 1); // 1.5 mA
    db::writeField(image, f::codedFrequency, 12500, 1);
    db::writeFieldText(image, f::frequencyLabel, "Dispatch", 1, 4);
    db::writeField(image, f::functionToneFrequency, 5500, 1, 4);
    db::writeField(image, f::tptDetect, 1, 1, 4);
    db::writeFieldText(image, f::frequencyLabel, "Yard", 2, 0);
    db::writeFieldText(image, f::desksetId, "77", 2);
    db::writeField(image, f::guardToneFrequency, kUnofferedGuardTone, 3);

    // Paging formats 1, 2 and 4 (3 is free): Motorola 5 Tone, DTMF, Motorola 1+1 with code plan "E".
    const struct {
        int record;
        const char* label;
        int type;
    } formats[] = {{0, "FIRE", db::paging::format::kMotorola5Tone},
                   {1, "EMS", db::paging::format::kDtmfPage},
                   {3, "CHIEFS", db::paging::format::kMotorola1Plus1}};
    for (const auto& p : formats) {
        db::writeFieldText(image, f::pagingLabel, p.label, p.record);
        db::writeField(image, f::formatType, p.type, p.record);
        for (const db::Field& field : f::formatParameters.layoutFor(p.type)->fields)
            db::writeDefault(image, field, p.record);
    }
    db::writeField(image, f::formatParameters.layoutFor(db::paging::format::kMotorola1Plus1)->fields[0], 3,
                   3);

    const struct {
        const char* label;
        int format;
        const char* digits;
    } pages[] = {{"AMBUL", 1, "555*12#"}, {"CHIEF", 0, "12345"}};
    for (int r = 0; r < 2; ++r) {
        db::writeFieldText(image, f::speedPageLabel, pages[r].label, r);
        db::writeField(image, f::speedPageFormat, pages[r].format, r);
        db::writeFieldText(image, f::speedPageDigits, pages[r].digits, r);
    }

    // A custom tone's number is its record's.
    constexpr int kTone = 7;
    db::writeFieldText(image, f::toneNumber, std::to_string(kTone), kTone);
    db::writeField(image, f::firstToneFrequency, 12345, kTone);
    db::writeField(image, f::firstToneDuration, 1000, kTone);
    db::writeField(image, f::secondToneFrequency, 2002, kTone);
    db::writeField(image, f::secondToneDuration, 3000, kTone);
    db::writeField(image, f::inhibitDelay, 3000, kTone);

    for (int r = 0; r < kSampleAliases; ++r) {
        char id[5];
        char label[12];
        std::snprintf(id, sizeof id, "%04X", 0x1000 + r);
        std::snprintf(label, sizeof label, "Unit %02d", r + 1); // sorted, as the alias list keeps them
        db::writeFieldText(image, f::aliasLabel, label, r);
        db::writeFieldText(image, f::aliasPttId, r == 1 ? "*3#" : id, r);
        db::writeField(image, f::aliasUnitType, r == 1 ? db::alias::kDtmf : db::alias::kMdc1200, r);
    }

    // Manual page FIRE, speed page CHIEF, frequencies 3/4, mute channel 2, the rest as a new
    // database leaves them.
    const int entries[][2] = {{4, 1}, {5, 2}, {7, 2}, {9, 2}, {1, 255}, {10, 3}};
    for (int k = 0; k < static_cast<int>(std::size(entries)); ++k) {
        db::writeField(image, f::buttonKind, entries[k][0], k);
        db::writeField(image, f::buttonParameter, entries[k][1], k);
    }
    return image;
}

} // namespace trv::sheet::test
