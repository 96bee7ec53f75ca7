// The sections of the configuration sheet, in the configuration tree's order. Each table lists its
// rows as the editor's label (access key removed) beside its catalogue field, so the value is
// read, scaled and named exactly as the editor shows it.
#include "sheet/ConfigurationSheet.h"

#include "database/ButtonFunctions.h"
#include "database/FieldCatalog.h"
#include "editors/aliases/AliasTexts.h"
#include "editors/buttons/ButtonTexts.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/PageSequence.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/customtones/ToneFrequency.h"
#include "editors/deskset/DesksetForm.h"
#include "editors/deskset/DesksetTexts.h"
#include "editors/paging/FormatEditors.h"
#include "editors/paging/PagingTexts.h"
#include "editors/speedpaging/SpeedPagingTexts.h"
#include "sheet/DesksetArt.h"
#include "sheet/SheetTexts.h"

#include <QFont>

namespace trv::sheet {

namespace {

namespace f = db::fields;
namespace ctext = editors::channel::text;
using editors::channel::PageCode;

QString latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A control's label as the window shows it: "&" marks the access key and "&&" is one "&".
QString shown(QLatin1StringView label)
{
    QString out;
    const QString in(label);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == QLatin1Char('&')) {
            if (i + 1 < in.size() && in[i + 1] == QLatin1Char('&'))
                out += in[++i];
            continue;
        }
        out += in[i];
    }
    return out;
}

QString tenths(int value, int scale)
{
    return value % scale == 0 ? QString::number(value / scale)
                              : QString::number(double(value) / scale, 'f', 1);
}

// One element of a field as its editor shows it.
QString valueText(const db::Image& image, const db::Field& field, int record = 0, int element = 0)
{
    if (field.isText())
        return QString::fromLatin1(db::readFieldText(image, field, record, element));
    const int value = db::readField(image, field, record, element);
    QString text;
    switch (field.kind) {
    case db::FieldKind::Flag:
    case db::FieldKind::List:
        if (const std::optional<db::Choice> choice = field.choice(value))
            return latin(choice->text).simplified();
        return QString(text::kNotOffered).arg(value);
    case db::FieldKind::Frequency:
        if (value == 0 && !field.values.empty())
            return shown(ctext::kNoTone);
        text = field.region == &db::kCustomTones ? editors::customtones::formatTenths(value)
                                                 : tenths(value, field.scale());
        break;
    case db::FieldKind::HalfMilliamps:
        text = QString::number(double(value) / field.scale(), 'f', 1);
        break;
    case db::FieldKind::Hex:
        text = QString::number(value, 16).toUpper();
        break;
    default:
        text = QString::number(value);
        break;
    }
    return field.offers(value) ? text : QString(text::kNotOffered).arg(text);
}

// A radio group: the text of the button the stored value selects.
QString radioText(const db::Image& image, const db::Field& field, std::span<const QLatin1StringView> buttons,
                  int record)
{
    const int value = db::readField(image, field, record);
    return value >= 0 && value < static_cast<int>(buttons.size()) ? shown(buttons[value])
                                                                  : QString(text::kNotOffered).arg(value);
}

// A settings table: group, label, value; the group is named on its first row only.
class Settings {
public:
    Settings(const db::Image& image, int record) : image_(image), record_(record) {}
    Settings& group(QLatin1StringView name)
    {
        group_ = shown(name);
        return *this;
    }
    Settings& field(QLatin1StringView label, const db::Field& f, int element = 0)
    {
        return row(label, valueText(image_, f, record_, element));
    }
    Settings& radios(QLatin1StringView label, const db::Field& f, std::span<const QLatin1StringView> buttons)
    {
        return row(label, radioText(image_, f, buttons, record_));
    }
    // A radio group's row is named by its group alone.
    Settings& row(QLatin1StringView label, const QString& value)
    {
        const QString setting = shown(label);
        rows_.push_back({group_, setting == group_ ? QString() : setting, value});
        grouped_ = grouped_ || !group_.isEmpty();
        group_.clear();
        return *this;
    }
    // Without any group the table has no group column. The value column lines up in every
    // settings table.
    void addTo(ConfigurationSheet& sheet) const
    {
        static constexpr qreal kGrouped[] = {28, 42, 30};
        static constexpr qreal kPlain[] = {70, 30};
        if (grouped_) {
            sheet.addTable(
                {QString(text::kGroupColumn), QString(text::kSettingColumn), QString(text::kValueColumn)},
                rows_, kGrouped);
            return;
        }
        std::vector<QStringList> rows;
        for (const QStringList& r : rows_)
            rows.push_back(r.mid(1));
        sheet.addTable({QString(text::kSettingColumn), QString(text::kValueColumn)}, rows, kPlain);
    }

private:
    const db::Image& image_;
    int record_;
    QString group_;
    bool grouped_ = false;
    std::vector<QStringList> rows_;
};

std::span<const QLatin1StringView> texts(std::span<const QLatin1StringView> list)
{
    return list;
}

int usedRecords(const db::Image& image, const db::Region& table)
{
    int used = 0;
    for (int r = 0; r < table.count; ++r)
        used += image[table.record(r)] != 0 ? 1 : 0;
    return used;
}

void addRecordCount(ConfigurationSheet& sheet, const db::Image& image, const db::Region& table)
{
    sheet.addParagraph(QString(text::kRecordsInUse).arg(usedRecords(image, table)).arg(table.count));
}

// ---- Deskset settings ------------------------------------------------------------------------------

void addDesksetSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace dtext = editors::deskset::text;
    sheet.addSection(QString(dtext::kTitle));
    Settings s(image, 0);
    s.group(dtext::kSettingsGroup);
    for (const editors::deskset::FormControl& control : editors::deskset::kSettingsControls)
        s.field(control.label, control.field);
    s.group(dtext::kRelayGroup);
    for (int r = 0; r < f::relayLatching.count; ++r)
        s.field(dtext::kRelayLatching[r], f::relayLatching, r);
    s.addTo(sheet);
}

// ---- Channels ----------------------------------------------------------------------------------------

// The functions of a signalling plan (sixteen tones, four DC currents): name, label, the plan's
// value and the detection mark.
void addFunctionTable(ConfigurationSheet& sheet, const db::Image& image, int channel, const db::Field& value,
                      QLatin1StringView valueColumn)
{
    std::vector<QStringList> rows;
    for (int n = 0; n < value.count; ++n)
        rows.push_back(
            {shown(ctext::kFunctionLabels[n]), valueText(image, f::frequencyLabel, channel, n),
             valueText(image, value, channel, n),
             db::readField(image, f::tptDetect, channel, n) ? QString(ctext::kTptDetectMark) : QString()});
    sheet.addTable({QString(text::kFunctionKeyColumn), QString(ctext::kLabelColumn), QString(valueColumn),
                    QString(ctext::kTptDetectMark)},
                   rows);
    sheet.addParagraph(QString(ctext::kTptDetectNote));
}

void addConfigPage(ConfigurationSheet& sheet, const db::Image& image, int channel)
{
    sheet.addSubsection(QString(ctext::kConfigTitle));
    Settings s(image, channel);
    s.group(ctext::kKeyingGroup).radios(ctext::kKeyingGroup, f::keying, texts(ctext::kKeyings));
    s.group(ctext::kLevelsGroup).field(ctext::kTxLevel, f::txLevel).field(ctext::kRxAgcLevel, f::rxAgcLevel);
    s.group(ctext::kSignalingGroup)
        .radios(ctext::kSignalingGroup, f::signalingType, texts(ctext::kSignalings))
        .field(ctext::kDesksetId, f::desksetId)
        .field(ctext::kRelay, f::relay);
    s.group(ctext::kParallelGroup)
        .field(ctext::kCrossMute, f::crossMute)
        .field(ctext::kParallelStatus, f::parallelStatus);
    s.group(ctext::kPortGroup)
        .field(ctext::kTermination, f::termination)
        .field(ctext::kInterface, f::interfaceType);
    s.group(ctext::kIoGroup)
        .field(ctext::kPttRelay, f::pttRelay)
        .field(ctext::kPttSense, f::pttSense)
        .field(ctext::kEncryptRelay, f::encryptRelay)
        .field(ctext::kEncryptSense, f::encryptSense)
        .field(ctext::kMonitorRelay, f::monitorRelay)
        .field(ctext::kMonitorLatching, f::monitorLatching)
        .field(ctext::kELead, f::eLead)
        .field(ctext::kHangoverDelay, f::hangoverDelay);
    s.group(ctext::kUnmuteGroup).field(ctext::kEchoDelay, f::echoCancellationDelay);
    // Without keying the page itself holds the one channel label and its detection.
    if (db::readField(image, f::keying, channel) == db::channel::kKeyingNone)
        s.group(ctext::kChannelLabel)
            .field(ctext::kChannelLabel, f::frequencyLabel)
            .field(ctext::kChannelTptDetect, f::tptDetect);
    s.addTo(sheet);
}

void addFollowingPage(ConfigurationSheet& sheet, const db::Image& image, int channel, PageCode page)
{
    Settings s(image, channel);
    switch (page) {
    case PageCode::TonePlan1:
        sheet.addSubsection(QString(ctext::kTone1Title));
        s.group(ctext::kGuardToneGroup)
            .field(ctext::kGuardFrequency, f::guardToneFrequency)
            .field(ctext::kHlgtDuration, f::hlgtDuration)
            .field(ctext::kHlgtLevel, f::hlgtLevel)
            .field(ctext::kLlgtLevel, f::llgtLevel);
        s.group(ctext::kEncryptionGroup)
            .field(ctext::kCodedFrequency, f::codedFrequency)
            .field(ctext::kClearFrequency, f::clearFrequency);
        s.group(ctext::kMonitorToneGroup).field(ctext::kMonitorFrequency, f::monitorToneFrequency);
        s.group(ctext::kFunctionTonesGroup)
            .field(ctext::kFunctionDuration, f::functionToneDuration)
            .field(ctext::kFunctionLevel, f::functionToneLevel);
        s.group(ctext::kRepeaterTonesGroup)
            .field(ctext::kRepeaterEnable, f::repeaterEnableFrequency)
            .field(ctext::kRepeaterDisable, f::repeaterDisableFrequency);
        s.addTo(sheet);
        return;
    case PageCode::TonePlan2:
        sheet.addSubsection(QString(ctext::kTone2Title));
        addFunctionTable(sheet, image, channel, f::functionToneFrequency, ctext::kFrequencyColumn);
        s.group(ctext::kWildcardsGroup)
            .field(ctext::kWildcard1On, f::wildcard1OnFrequency)
            .field(ctext::kWildcard2On, f::wildcard2OnFrequency)
            .field(ctext::kWildcard1Off, f::wildcard1OffFrequency)
            .field(ctext::kWildcard2Off, f::wildcard2OffFrequency);
        s.addTo(sheet);
        return;
    case PageCode::DcPlan:
        sheet.addSubsection(QString(ctext::kDcTitle));
        addFunctionTable(sheet, image, channel, f::dcCurrent, ctext::kCurrentColumn);
        s.field(ctext::kDcMonitor, f::dcMonitorCurrent);
        s.addTo(sheet);
        return;
    case PageCode::StatAlert:
        sheet.addSubsection(QString(ctext::kStatAlertTitle));
        s.group(ctext::kModeGroup).radios(ctext::kModeGroup, f::statAlertMode, texts(ctext::kModes));
        s.group(ctext::kPretimeGroup)
            .radios(ctext::kPretimeGroup, f::pretimeKind, texts(ctext::kPretimeKinds))
            .field(ctext::kLeadingPretime, f::leadingPretime)
            .field(ctext::kTrailingPretime, f::trailingPretime);
        s.group(ctext::kRacGroup)
            .radios(ctext::kRacGroup, f::racMode, texts(ctext::kRacModes))
            .field(ctext::kDefaultRac, f::defaultRac)
            .field(ctext::kRacPretime, f::racPretime);
        s.group(ctext::kStatAlertSuffix)
            .field(ctext::kRetryConstant, f::retryConstant)
            .field(ctext::kLimitedPatience, f::limitedPatience)
            .field(ctext::kDosCoast, f::dosCoast)
            .field(ctext::kBusyTimer, f::busyTimer)
            .field(ctext::kEmergencyAcknowledge, f::emergencyAcknowledge)
            .field(ctext::kMdcRxPreEmphasis, f::mdcRxPreEmphasis);
        s.addTo(sheet);
        return;
    case PageCode::DtmfDecode:
    case PageCode::DtmfSelectiveCall:
        sheet.addSubsection(QString(page == PageCode::DtmfDecode ? ctext::kDtmfDecodeSuffix
                                                                 : ctext::kDtmfSelectiveCallSuffix));
        s.field(ctext::kMinDigits, f::minDigits)
            .field(ctext::kMaxDigits, f::maxDigits)
            .field(ctext::kDigitDuration, f::digitDuration)
            .field(ctext::kInterdigitTime, f::interdigitTime);
        s.addTo(sheet);
        return;
    case PageCode::TalkPermitTone:
        sheet.addSubsection(QString(ctext::kTptTitle));
        s.field(ctext::kTptTimeout, f::tptTimeout)
            .field(ctext::kTptFrequency, f::tptFrequency)
            .field(ctext::kTptBeepCount, f::tptBeepCount)
            .field(ctext::kTptBeepDuration, f::tptBeepDuration)
            .field(ctext::kTptPauseDuration, f::tptPauseDuration)
            .field(ctext::kTptPostTime, f::tptPostTime);
        s.addTo(sheet);
        return;
    case PageCode::End:
        return;
    }
}

void addChannelSections(ConfigurationSheet& sheet, const db::Image& image)
{
    const int inUse = db::isMultiChannel(image) ? db::kChannels.count : 1;
    for (int channel = 0; channel < inUse; ++channel) {
        sheet.addSection(QString(ctext::kTreeItems[channel]));
        addConfigPage(sheet, image, channel);
        for (PageCode page : editors::channel::followingPages(
                 db::readField(image, f::keying, channel), db::readField(image, f::signalingType, channel)))
            addFollowingPage(sheet, image, channel, page);
    }
    if (inUse == 1)
        sheet.addParagraph(QString(text::kChannelsNotInUse));
}

// ---- Buttons -----------------------------------------------------------------------------------------

QString recordLabel(const db::Image& image, const db::Field& label, int parameter)
{
    const int record = parameter - 1;
    if (record < 0 || record >= label.region->count || db::readFieldText(image, label, record).empty())
        return QString(text::kMissingRecord).arg(parameter);
    return valueText(image, label, record);
}

// What a button's parameter refers to, as the Button Configuration dialog names it.
QString buttonReference(const db::Image& image, std::uint8_t kind, std::uint8_t parameter)
{
    const db::ButtonFunction* function = db::buttonFunction(image, kind);
    if (!function)
        return QString();
    switch (function->source) {
    case db::ParameterSource::None:
        return QString();
    case db::ParameterSource::PagingFormat:
        return recordLabel(image, f::pagingLabel, parameter);
    case db::ParameterSource::SpeedPage:
        return recordLabel(image, f::speedPageLabel, parameter);
    case db::ParameterSource::FrequencyPair:
        return parameter >= 1 && parameter <= function->count
                   ? QString(editors::buttons::text::kFrequencyPairs[parameter - 1])
                   : QString(text::kNotOffered).arg(parameter);
    case db::ParameterSource::Number:
        return parameter >= 1 && parameter <= function->count ? QString::number(parameter)
                                                              : QString(text::kNotOffered).arg(parameter);
    }
    return QString();
}

void addButtonsSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace btext = editors::buttons::text;
    sheet.addSection(QString(btext::kTitle), SectionStart::NewPage);
    std::array<QString, art::kButtons> labels;
    std::vector<QStringList> rows;
    for (int k = 0; k < art::kButtons; ++k) {
        const auto kind = static_cast<std::uint8_t>(db::readField(image, f::buttonKind, k));
        const auto parameter = static_cast<std::uint8_t>(db::readField(image, f::buttonParameter, k));
        if (kind < std::size(btext::kShortLabels))
            labels[static_cast<std::size_t>(k)] = QString(btext::kShortLabels[kind]);
        rows.push_back({QString::number(k + 1), valueText(image, f::buttonKind, k),
                        labels[static_cast<std::size_t>(k)], buttonReference(image, kind, parameter)});
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    constexpr qreal kPictureScale = 2;   // pixels per design unit: sharp on paper
    constexpr qreal kPictureWidth = 360; // 96 to the inch: 9.5 cm on paper
    sheet.addPicture(art::faceImage(db::isMultiChannel(image), labels, font, kPictureScale),
                     QString(btext::kTitle), kPictureWidth);
    sheet.addTable({QString(text::kButtonColumn), QString(text::kButtonFunctionColumn),
                    QString(text::kButtonLabelColumn), QString(text::kRefersToColumn)},
                   rows);
}

// ---- Paging formats, speed pages, custom tones, aliases ------------------------------------------------

QString parametersText(const db::Image& image, int record, int type)
{
    const editors::paging::FormatEditor* editor = editors::paging::formatEditor(type);
    if (!editor)
        return QString();
    QStringList parts;
    for (const editors::paging::ParameterControl& control : editor->controls)
        if (const db::Field* field = editors::paging::parameterField(*editor, control))
            parts << QString(text::kParameter).arg(shown(control.label), valueText(image, *field, record));
    return parts.join(QString(text::kParameterSeparator));
}

void addPagingSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace ptext = editors::paging::text;
    sheet.addSection(QString(ptext::kTitle));
    std::vector<QStringList> rows;
    for (int r = 0; r < db::kPagingFormats.count; ++r) {
        if (image[db::kPagingFormats.record(r)] == 0)
            continue; // free
        const int type = db::readField(image, f::formatType, r);
        const editors::paging::FormatEditor* editor = editors::paging::formatEditor(type);
        rows.push_back(
            {valueText(image, f::pagingLabel, r),
             editor ? editors::paging::baseFormatText(*editor) : editors::paging::formatTypeName(type),
             parametersText(image, r, type)});
    }
    addRecordCount(sheet, image, db::kPagingFormats);
    if (rows.empty())
        sheet.addParagraph(QString(ptext::kNoFormat));
    else
        sheet.addTable({QString(ptext::kLabelColumn), QString(ptext::kBaseFormatColumn),
                        QString(text::kParametersColumn)},
                       rows);
}

void addSpeedPagingSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace stext = editors::speedpaging::text;
    sheet.addSection(QString(stext::kTitle));
    std::vector<QStringList> rows;
    for (int r = 0; r < db::kSpeedPages.count; ++r) {
        if (image[db::kSpeedPages.record(r)] == 0)
            continue;
        const int format = db::readField(image, f::speedPageFormat, r);
        const bool known =
            format >= 0 && format < db::kPagingFormats.count && image[db::kPagingFormats.record(format)] != 0;
        rows.push_back(
            {valueText(image, f::speedPageLabel, r),
             known ? valueText(image, f::pagingLabel, format) : QString(text::kUnknownFormat).arg(format + 1),
             valueText(image, f::speedPageDigits, r)});
    }
    addRecordCount(sheet, image, db::kSpeedPages);
    if (rows.empty())
        sheet.addParagraph(QString(stext::kPlaceholder));
    else
        sheet.addTable({shown(stext::kLabelLabel), shown(stext::kFormatLabel), shown(stext::kDigitsLabel)},
                       rows);
}

void addCustomTonesSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace ttext = editors::customtones::text;
    sheet.addSection(QString(ttext::kTitle));
    struct Column {
        QLatin1StringView label;
        const db::Field& field;
    };
    // In the editor dialog's order.
    const Column columns[] = {{ttext::kNumberLabel, f::toneNumber},
                              {ttext::kInhibitDelayLabel, f::inhibitDelay},
                              {ttext::kFirstToneLabel, f::firstToneFrequency},
                              {ttext::kFirstToneDurationLabel, f::firstToneDuration},
                              {ttext::kIntertoneDelayLabel, f::intertoneDelay},
                              {ttext::kSecondToneLabel, f::secondToneFrequency},
                              {ttext::kSecondToneDurationLabel, f::secondToneDuration}};
    QStringList header;
    for (const Column& c : columns)
        header << shown(c.label);
    std::vector<QStringList> rows;
    for (int r = 0; r < db::kCustomTones.count; ++r) {
        if (image[db::kCustomTones.record(r)] == 0)
            continue;
        QStringList row;
        for (const Column& c : columns)
            row << valueText(image, c.field, r);
        rows.push_back(row);
    }
    addRecordCount(sheet, image, db::kCustomTones);
    if (rows.empty())
        sheet.addParagraph(QString(ttext::kPlaceholder));
    else
        sheet.addTable(header, rows);
}

void addAliasSection(ConfigurationSheet& sheet, const db::Image& image)
{
    namespace atext = editors::aliases::text;
    sheet.addSection(QString(atext::kTitle));
    std::vector<QStringList> rows;
    for (int r = 0; r < db::kPttAliases.count; ++r) {
        if (image[db::kPttAliases.record(r)] == 0)
            continue;
        // Any unit type but MDC1200 is read as DTMF, as the alias dialog reads it.
        const bool mdc = db::readField(image, f::aliasUnitType, r) == db::alias::kMdc1200;
        rows.push_back({valueText(image, f::aliasLabel, r), valueText(image, f::aliasPttId, r),
                        shown(mdc ? atext::kMdc1200Unit : atext::kDtmfUnit)});
    }
    addRecordCount(sheet, image, db::kPttAliases);
    if (rows.empty())
        sheet.addParagraph(QString(atext::kNoAlias));
    else
        sheet.addTable(
            {QString(atext::kLabelColumn), QString(atext::kPttIdColumn), QString(text::kProtocolColumn)},
            rows);
}

} // namespace

ConfigurationSheet buildSheet(const db::Image& image, const QString& fileName, const QDateTime& printed)
{
    ConfigurationSheet sheet(
        {fileName.isEmpty() ? QString(text::kUnsavedName) : fileName, printed, imageDigest(image)});
    addDesksetSection(sheet, image);
    addChannelSections(sheet, image);
    addButtonsSection(sheet, image);
    addPagingSection(sheet, image);
    addSpeedPagingSection(sheet, image);
    addCustomTonesSection(sheet, image);
    addAliasSection(sheet, image);
    const std::vector<db::Problem> problems = db::checkImage(image);
    sheet.addProblems(problems);
    return sheet;
}

} // namespace trv::sheet
