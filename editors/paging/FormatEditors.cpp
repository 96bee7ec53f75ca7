#include "editors/paging/FormatEditors.h"

#include "database/FieldCatalog.h"
#include "editors/paging/PagingTexts.h"

#include <algorithm>

namespace trv::editors::paging {

namespace {

namespace fmt = db::paging::format;
using C = ParameterControl;

constexpr C kCallAlert[] = {{text::kShortCallAlert, "shortCallAlert"}};
constexpr C kRemoteMonitor[] = {{text::kSilentMonitor, "silentMonitor"},
                                {text::kTransmitTimeMultiplier, "transmitTimeMultiplier"}};
// Motorola 1+1 and 2+2 show the same controls over their own code plans and defaults.
constexpr C kMotorola[] = {{text::kCodePlan, "codePlan"},
                           {text::kGroupCallDelay, "groupCallDelay"},
                           {text::kInhibitDelay, "inhibitDelay"},
                           {text::kTone1Duration, "tone1Duration"},
                           {text::kIntertoneDelay, "intertoneDelay"},
                           {text::kTone2Duration, "tone2Duration"}};
constexpr C kGeType99[] = {{text::kCodePlan, "codePlan"},
                           {text::kInhibitDelay, "inhibitDelay"},
                           {text::kTone1Duration, "tone1Duration"},
                           {text::kIntertoneDelay, "intertoneDelay"},
                           {text::kTone2Duration, "tone2Duration"}};
constexpr C kMotorola5[] = {{text::kM5Preamble, "preamble"},
                            {text::kPreambleDuration, "preambleDuration"},
                            {text::kGapDuration, "gapDuration"},
                            {text::kToneDuration, "toneDuration"}};
constexpr C kMotorola6[] = {{text::kM6Preamble, "preamble"},
                            {text::kPreambleDuration, "preambleDuration"},
                            {text::kGap1Duration, "gapDuration"},
                            {text::kToneDuration, "toneDuration"},
                            {text::kXToneOrGapDuration, "xToneOrGapDuration"}};
// NEC 5 Tone shows the first three.
constexpr C kNec6[] = {{text::kPreambleDuration, "preambleDuration"},
                       {text::kGap1Duration, "gapDuration"},
                       {text::kToneDuration, "toneDuration"},
                       {text::kXToneOrGapDuration, "xToneOrGapDuration"}};
constexpr C kNec5[] = {{text::kPreambleDuration, "preambleDuration"},
                       {text::kGapDuration, "gapDuration"},
                       {text::kToneDuration, "toneDuration"}};
constexpr C kReachTone[] = {{text::kInhibitDelay, "inhibitDelay"},
                            {text::kTone1Duration, "tone1Duration"},
                            {text::kIntertoneDelay, "intertoneDelay"},
                            {text::kTone2Duration, "tone2Duration"}};
constexpr C kDtmf[] = {{text::kInhibitDelay, "inhibitDelay"},
                       {text::kToneDuration, "toneDuration"},
                       {text::kIntertoneDelay, "intertoneDelay"}};
constexpr C kPulse[] = {{text::kStandardTone, "standardTone"},
                        {text::kHeaderTiming, "headerTiming"},
                        {text::kPulseOnTiming, "pulseOnTiming"},
                        {text::kPulseOffTiming, "pulseOffTiming"},
                        {text::kPulseIntertoneDelay, "pulseIntertoneDelay"},
                        {text::kTrailer, "trailer"}};

constexpr FormatEditor kEditors[] = {
    {fmt::kVoiceAlert, text::kAddVoiceAlert, {}, {}, 169, {}},
    {fmt::kCallAlert, text::kAddCallAlert, text::kCallAlertTitle, {}, 136, kCallAlert},
    {fmt::kRadioCheck, text::kAddRadioCheck, {}, {}, 159, {}},
    {fmt::kRemoteMonitor, text::kAddRemoteMonitor, text::kRemoteMonitorTitle, {}, 165, kRemoteMonitor},
    {fmt::kRadioEnable, text::kAddRadioEnable, {}, {}, 161, {}},
    {fmt::kRadioDisable, text::kAddRadioDisable, {}, {}, 160, {}},
    {fmt::kManualRac, text::kAddManualRac, {}, {}, 132, {}},
    {fmt::kStatusRequest, text::kAddStatRequest, {}, {}, 168, {}},
    {fmt::kRepeaterEnable, text::kAddRepeatEnable, {}, {}, 167, {}},
    {fmt::kRepeaterDisable, text::kAddRepeatDisable, {}, {}, 166, {}},
    {fmt::kMotorola1Plus1, text::kAddMotorola1, text::kMotorola1Title, {}, 131, kMotorola},
    {fmt::kMotorola2Plus2, text::kAddMotorola2, text::kMotorola2Title, {}, 141, kMotorola},
    {fmt::kGeType99, text::kAddGeType99, text::kGeType99Title, {}, 133, kGeType99},
    {fmt::kMotorola5Tone, text::kAddMotorola5, text::kMotorola5Title, {}, 142, kMotorola5},
    {fmt::kMotorola6Tone, text::kAddMotorola6, text::kMotorola6Title, {}, 143, kMotorola6},
    {fmt::kNec5Tone, text::kAddNec5, text::kNec5Title, {}, 156, kNec5},
    {fmt::kNec6Tone, text::kAddNec6, text::kNec6Title, {}, 157, kNec6},
    {fmt::kReachTone, text::kAddReachTone, text::kReachToneTitle, {}, 162, kReachTone},
    {fmt::kDtmfPage, text::kAddDtmf, text::kDtmfTitle, {}, 134, kDtmf},
    {fmt::kPulsePage, text::kAddPulse, text::kPulseTitle, {}, 158, kPulse},
    {fmt::kCustomPage, text::kAddCustomPage, text::kCustomPageTitle, text::kCustomPageTitle, 76, {}},
};
static_assert(std::size(kEditors) == fmt::kCustomPage + 1);

} // namespace

std::span<const FormatEditor> formatEditors()
{
    return kEditors;
}

const FormatEditor* formatEditor(int type)
{
    return type >= 0 && type < static_cast<int>(std::size(kEditors)) ? &kEditors[type] : nullptr;
}

QString formatTypeName(int type)
{
    const std::optional<db::Choice> name = db::fields::formatType.choice(type);
    return name ? QString::fromLatin1(name->text.data(), static_cast<qsizetype>(name->text.size()))
                : QString();
}

QString editorTitle(const FormatEditor& editor)
{
    return editor.title.isEmpty() ? formatTypeName(editor.type) : QString(editor.title);
}

QString baseFormatText(const FormatEditor& editor)
{
    return editor.baseFormat.isEmpty() ? formatTypeName(editor.type) : QString(editor.baseFormat);
}

const db::Field* parameterField(const FormatEditor& editor, const ParameterControl& control)
{
    const db::AreaLayout* layout = db::fields::formatParameters.layoutFor(editor.type);
    if (!layout)
        return nullptr;
    const auto it = std::find_if(layout->fields.begin(), layout->fields.end(),
                                 [&](const db::Field& f) { return f.name == control.field; });
    return it == layout->fields.end() ? nullptr : &*it;
}

} // namespace trv::editors::paging
