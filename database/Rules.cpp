#include "database/Rules.h"

#include "database/ButtonFunctions.h"
#include "database/DigitRules.h"
#include "database/FieldCatalog.h"
#include "database/RuleTexts.h"
#include "database/SortedTable.h"
#include "database/TextSlot.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <mutex>
#include <set>

namespace trv::db {

namespace {

namespace f = fields;

// "%1 is not %2" with its arguments in order.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < args.size()) {
            out += *(args.begin() + (next - '1'));
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string number(int value)
{
    return std::to_string(value);
}

std::string hexByte(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

// The singular that rule ids use for each catalogue area.
struct AreaRuleName {
    std::string_view area;
    std::string_view rule;
    std::string_view recordName; // how messages name another record: "paging format 2"
};
constexpr AreaRuleName kAreaRuleNames[] = {
    {"deskset", "deskset", "deskset"},
    {"buttons", "button", "button"},
    {"channels", "channel", "channel"},
    {"pagingFormats", "pagingFormat", "paging format"},
    {"customTones", "customTone", "custom tone"},
    {"speedPages", "speedPage", "speed page"},
    {"pttAliases", "pttAlias", "PTT ID alias"},
};

const AreaRuleName& ruleNameOf(const CatalogueArea& area)
{
    for (const AreaRuleName& n : kAreaRuleNames)
        if (n.area == area.name)
            return n;
    return kAreaRuleNames[0];
}

const CatalogueArea& areaNamed(std::string_view name)
{
    for (const CatalogueArea& area : catalogue())
        if (area.name == name)
            return area;
    return catalogue().front();
}

// Rule ids live as long as the program: "channel.guardToneFrequency" is built once.
std::string_view ruleId(std::string_view areaRule, std::string_view name)
{
    static std::mutex lock;
    static std::set<std::string, std::less<>> ids;
    std::string id = std::string(areaRule) + '.' + std::string(name);
    const std::lock_guard guard(lock);
    return *ids.insert(std::move(id)).first;
}

std::string recordPath(const CatalogueArea& area, int record)
{
    const std::string name(area.name);
    return area.region->count == 1 ? name : name + '[' + number(record + 1) + ']';
}

std::string elementName(const Field& field, int element)
{
    const std::string name(field.name);
    return field.count == 1 ? name : name + '[' + number(element + 1) + ']';
}

// The dump's path of a field element; a field of an area's layout is named below its area field
// ("channels[1].signalingArea.maxDigits").
std::string fieldPath(const CatalogueArea& area, const Field& field, int record, int element)
{
    std::string path = recordPath(area, record) + '.';
    for (const Field* outer : area.fields)
        for (const AreaLayout& layout : outer->layouts)
            for (const Field& inner : layout.fields)
                if (&inner == &field)
                    path += std::string(outer->name) + '.';
    return path + elementName(field, element);
}

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

// A stored number in its shown unit: "2200.0 Hz", "-2.5 mA", "61 s", "0x00AF".
std::string shownNumber(const Field& field, int stored, bool withUnit = true)
{
    std::string text;
    if (field.kind == FieldKind::Hex) {
        char hex[12];
        std::snprintf(hex, sizeof hex, "0x%0*X", field.width * 2, static_cast<unsigned>(stored));
        return hex;
    }
    if (field.scale() == 1) {
        text = number(stored);
    } else {
        char decimal[24];
        std::snprintf(decimal, sizeof decimal, "%.1f", static_cast<double>(stored) / field.scale());
        text = decimal;
    }
    return field.unit.empty() || !withUnit ? text : text + ' ' + std::string(field.unit);
}

// A list value without its unit, as short as it is exact: "2175", "5.5".
std::string bareNumber(const Field& field, int stored)
{
    if (stored % field.scale() == 0)
        return number(stored / field.scale());
    char decimal[24];
    std::snprintf(decimal, sizeof decimal, "%.1f", static_cast<double>(stored) / field.scale());
    return decimal;
}

std::string valuesText(const Field& field)
{
    std::string text;
    for (const int v : field.values)
        text += (text.empty() ? "" : ", ") + bareNumber(field, v);
    return field.unit.empty() ? text : text + ' ' + std::string(field.unit);
}

std::string choicesText(const Field& field)
{
    std::string text;
    for (const Choice& c : field.choices)
        text += (text.empty() ? "" : ", ") + number(c.value) + ' ' + quoted(c.text);
    return text;
}

// Why a stored value is not one the field's editor offers.
std::string notOffered(const Field& field, int value)
{
    if (!field.choices.empty())
        return fill(text::kNotInList, {number(value), choicesText(field)});
    if (!field.values.empty())
        return fill(text::kNotInValues, {shownNumber(field, value), valuesText(field)});
    return fill(text::kNotInRange, {shownNumber(field, value), shownNumber(field, field.minimum, false),
                                    shownNumber(field, field.maximum)});
}

// A field's value as a message shows it: a text quoted, a list value by its entry, a number in its unit.
std::string shownValue(const Image& image, const Field& field, int record, int element)
{
    if (field.isText())
        return quoted(readFieldText(image, field, record, element));
    const int value = readField(image, field, record, element);
    if (const std::optional<Choice> c = field.choice(value))
        return quoted(c->text);
    return shownNumber(field, value);
}

std::string kindName(int kind)
{
    const std::optional<Choice> c = f::buttonKind.choice(kind);
    return c ? std::string(c->text) : number(kind);
}

class Checker {
public:
    explicit Checker(const Image& image) : image_(image) {}

    std::vector<Problem> run()
    {
        for (const CatalogueArea& area : catalogue())
            for (int record = 0; record < area.region->count; ++record) {
                if (area.hasFreeRecords && image_[area.region->record(record)] == 0)
                    continue;
                for (const Field* field : area.fields)
                    checkField(area, *field, record, recordPath(area, record) + '.');
            }
        checkButtons();
        checkChannels();
        checkPagingFormats();
        checkCustomTones();
        checkSpeedPages();
        checkAliases();
        // The dump lists fields in image order; a stable sort keeps the problems of one field in
        // the order they were found.
        std::stable_sort(found_.begin(), found_.end(),
                         [](const Found& a, const Found& b) { return a.offset < b.offset; });
        std::vector<Problem> problems;
        problems.reserve(found_.size());
        for (Found& f : found_)
            problems.push_back(std::move(f.problem));
        return problems;
    }

private:
    struct Found {
        int offset;
        Problem problem;
    };

    void add(int offset, std::string_view rule, Severity severity, std::string path, std::string message)
    {
        found_.push_back({offset, {rule, severity, std::move(path), std::move(message), offset}});
    }
    void error(const CatalogueArea& area, const Field& field, int record, int element, std::string_view rule,
               std::string message)
    {
        add(field.at(record, element), ruleId(ruleNameOf(area).rule, rule), Severity::Error,
            fieldPath(area, field, record, element), std::move(message));
    }
    void warning(const CatalogueArea& area, const Field& field, int record, std::string_view rule,
                 std::string message)
    {
        add(field.at(record), ruleId(ruleNameOf(area).rule, rule), Severity::Warning,
            fieldPath(area, field, record, 0), std::move(message));
    }

    bool used(const Field& label, int record) const { return image_[label.at(record)] != 0; }
    std::string otherRecord(const CatalogueArea& area, int record) const
    {
        return std::string(ruleNameOf(area).recordName) + ' ' + number(record + 1);
    }

    // Every field against its range, values or list; an area field through the layout its
    // selector chooses (none: its bytes are not read by any editor).
    void checkField(const CatalogueArea& area, const Field& field, int record, const std::string& prefix)
    {
        const std::string_view areaRule = ruleNameOf(area).rule;
        if (field.kind == FieldKind::Area) {
            const Field* selector = findField(area.name, field.selector);
            const AreaLayout* layout =
                selector ? field.layoutFor(readField(image_, *selector, record)) : nullptr;
            if (layout)
                for (const Field& inner : layout->fields)
                    checkField(area, inner, record, prefix + std::string(field.name) + '.');
            return;
        }
        for (int e = 0; e < field.count; ++e) {
            const std::string path = prefix + elementName(field, e);
            if (field.isText()) {
                const std::string text = readFieldText(image_, field, record, e);
                const auto bad = std::find_if(text.begin(), text.end(), [](char c) {
                    return !isStorableChar(static_cast<unsigned char>(c));
                });
                if (bad != text.end())
                    add(field.at(record, e), ruleId(areaRule, field.name), Severity::Error, path,
                        fill(text::kNotStorable, {hexByte(static_cast<unsigned char>(*bad))}));
                continue;
            }
            const int value = readField(image_, field, record, e);
            if (!field.offers(value))
                add(field.at(record, e), ruleId(areaRule, field.name),
                    field.keptWhenUnlisted ? Severity::Warning : Severity::Error, path,
                    notOffered(field, value));
        }
    }

    void checkButtons()
    {
        const CatalogueArea& area = areaNamed("buttons");
        const int count = kButtonTable.count;
        for (int k = 0; k < count; ++k) {
            const int kind = readField(image_, f::buttonKind, k);
            const int parameter = readField(image_, f::buttonParameter, k);
            const ButtonFunction* fn = buttonFunction(image_, static_cast<std::uint8_t>(kind));
            if (!fn)
                continue; // not a kind at all: the field rule says so
            if (fn->multiChannelOnly && !isMultiChannel(image_)) {
                error(area, f::buttonKind, k, 0, "multiChannelOnly",
                      fill(text::kKindMultiOnly, {kindName(kind)}));
                continue;
            }
            int earlier = -1;
            for (int j = 0; j < k && earlier < 0; ++j)
                if (readField(image_, f::buttonKind, j) == kind &&
                    (fn->oncePerTable || (fn->source != ParameterSource::None &&
                                          readField(image_, f::buttonParameter, j) == parameter)))
                    earlier = j;
            if (earlier >= 0 && fn->oncePerTable) {
                error(area, f::buttonKind, k, 0, "once",
                      fill(text::kKindTwice, {kindName(kind), number(earlier + 1)}));
                continue;
            }
            if (parameter < fn->lowestParameter() || parameter > fn->highestParameter()) {
                const std::string allowed =
                    fn->lowestParameter() == fn->highestParameter()
                        ? number(fn->lowestParameter())
                        : number(fn->lowestParameter()) + " to " + number(fn->highestParameter());
                error(area, f::buttonParameter, k, 0, "parameter",
                      fill(text::kParameterRange, {number(parameter), kindName(kind), allowed}));
                continue;
            }
            if (fn->source == ParameterSource::PagingFormat || fn->source == ParameterSource::SpeedPage) {
                const bool paging = fn->source == ParameterSource::PagingFormat;
                const Field& label = paging ? f::pagingLabel : f::speedPageLabel;
                if (!used(label, parameter - 1)) {
                    error(area, f::buttonParameter, k, 0, paging ? "manualPage" : "speedPage",
                          fill(text::kNoRecord,
                               {kindName(kind), paging ? "paging format" : "speed page", number(parameter)}));
                    continue;
                }
            }
            if (earlier >= 0)
                error(area, f::buttonParameter, k, 0, "parameterTwice",
                      fill(text::kParameterTwice, {kindName(kind), number(parameter), number(earlier + 1)}));
        }
    }

    void checkChannels()
    {
        const CatalogueArea& area = areaNamed("channels");
        const bool single = !isMultiChannel(image_);
        for (int c = 0; c < kChannels.count; ++c) {
            const int keying = readField(image_, f::keying, c);
            if (keying == channel::kKeyingDc && c > 0)
                error(area, f::keying, c, 0, "dcKeying", text::kDcKeying);
            if (keying == channel::kKeyingNone && readFieldText(image_, f::frequencyLabel, c, 0).empty())
                error(area, f::frequencyLabel, c, 0, "noneKeyingLabel", text::kNoneKeyingLabel);
            checkDesksetId(area, c);
            const int signaling = readField(image_, f::signalingType, c);
            if (f::signalingArea.layoutFor(signaling) == &f::dtmfLayout) {
                const int minimum = readField(image_, f::minDigits, c);
                const int maximum = readField(image_, f::maxDigits, c);
                if (f::minDigits.offers(minimum) && f::maxDigits.offers(maximum) && minimum > maximum)
                    error(area, f::maxDigits, c, 0, "digitOrder",
                          fill(text::kDigitOrder, {number(minimum), number(maximum)}));
            }
            if (single && c > 0)
                checkResetChannel(area, c);
        }
    }

    void checkDesksetId(const CatalogueArea& area, int c)
    {
        const int signaling = readField(image_, f::signalingType, c);
        const std::string id = readFieldText(image_, f::desksetId, c);
        std::string_view allowed;
        if (signaling == channel::kSignalingStatAlert)
            allowed = alias::kMdc1200IdCharacters;
        else if (signaling == channel::kSignalingDtmfSelectiveCall)
            allowed = alias::kDtmfIdCharacters;
        else if (signaling == channel::kSignalingNone || signaling == channel::kSignalingDtmfDecode) {
            if (!id.empty())
                error(area, f::desksetId, c, 0, "desksetId",
                      fill(text::kDesksetIdUnused, {id, quoted(f::signalingType.choice(signaling)->text)}));
            return;
        } else {
            return; // no signalling type at all: the field rule says so
        }
        const std::string signalingName(f::signalingType.choice(signaling)->text);
        if (id.empty())
            error(area, f::desksetId, c, 0, "desksetId", fill(text::kDesksetIdEmpty, {signalingName}));
        else if (id.find_first_not_of(allowed) != std::string::npos)
            error(area, f::desksetId, c, 0, "desksetId", fill(text::kDesksetIdChars, {id, quoted(allowed)}));
    }

    // Channels 2 to 4 of a single-channel deskset: what the channel reset leaves in them.
    void checkResetChannel(const CatalogueArea& area, int c)
    {
        Image reset = image_;
        for (const Field* field : area.fields)
            writeDefault(reset, *field, c);
        for (const Field* field : area.fields)
            for (int e = 0; e < field->count; ++e) {
                const int at = field->at(c, e);
                const bool differs = field->init == FieldInit::FirstByteZero
                                         ? image_[at] != 0
                                         : !std::equal(&image_[at], &image_[at] + field->width, &reset[at]);
                if (field->init == FieldInit::None || !differs)
                    continue;
                add(at, ruleId(ruleNameOf(area).rule, "unusedChannel"), Severity::Warning,
                    recordPath(area, c) + '.' + elementName(*field, e),
                    fill(text::kUnusedChannel,
                         {number(c + 1), shownValue(image_, *field, c, e), shownValue(reset, *field, c, e)}));
                return; // one warning a channel: the first field the reset would change
            }
    }

    void checkUniqueText(const CatalogueArea& area, const Field& label, const Field& field, int record,
                         std::string_view rule, const char* message)
    {
        const std::string text = readFieldText(image_, field, record);
        for (int other = 0; other < record; ++other)
            if (used(label, other) && readFieldText(image_, field, other) == text) {
                error(area, field, record, 0, rule, fill(message, {text, otherRecord(area, other)}));
                return;
            }
    }

    void checkPagingFormats()
    {
        const CatalogueArea& area = areaNamed("pagingFormats");
        for (int r = 0; r < kPagingFormats.count; ++r)
            if (used(f::pagingLabel, r))
                checkUniqueText(area, f::pagingLabel, f::pagingLabel, r, "labelUnique", text::kLabelTaken);
    }

    void checkCustomTones()
    {
        const CatalogueArea& area = areaNamed("customTones");
        for (int r = 0; r < kCustomTones.count; ++r) {
            if (!used(f::toneNumber, r))
                continue;
            const std::string text = readFieldText(image_, f::toneNumber, r);
            if (text != number(r))
                error(area, f::toneNumber, r, 0, "number", fill(text::kToneNumber, {text, number(r)}));
        }
    }

    // A packed, sorted table: the first gap and the first record out of order, as warnings.
    void checkOrder(const CatalogueArea& area, const SortedTable& table)
    {
        const Field& label = table.labelField();
        int firstFree = -1;
        bool gapReported = false, orderReported = false;
        for (int r = 0; r < table.capacity(); ++r) {
            if (table.isFree(image_, r)) {
                if (firstFree < 0)
                    firstFree = r;
                continue;
            }
            if (firstFree >= 0 && !gapReported) {
                warning(area, label, r, "packed", fill(text::kGap, {number(firstFree + 1)}));
                gapReported = true;
            }
            if (r > 0 && !table.isFree(image_, r - 1) && !orderReported &&
                table.before(table.label(image_, r), table.label(image_, r - 1))) {
                warning(area, label, r, "sorted",
                        fill(text::kNotSorted, {table.label(image_, r), table.label(image_, r - 1)}));
                orderReported = true;
            }
        }
    }

    void checkSpeedPages()
    {
        const CatalogueArea& area = areaNamed("speedPages");
        for (int r = 0; r < kSpeedPages.count; ++r) {
            if (!used(f::speedPageLabel, r))
                continue;
            checkUniqueText(area, f::speedPageLabel, f::speedPageLabel, r, "labelUnique", text::kLabelTaken);
            const int format = readField(image_, f::speedPageFormat, r);
            if (!f::speedPageFormat.offers(format))
                continue; // the field rule says so
            if (!used(f::pagingLabel, format)) {
                error(area, f::speedPageFormat, r, 0, "format",
                      fill(text::kFormatFree, {number(format + 1)}));
                continue;
            }
            const int type = readField(image_, f::formatType, format);
            const DigitRule& rule = digitRuleFor(type);
            const std::string digits = readFieldText(image_, f::speedPageDigits, r);
            if (!rule.accepts(digits)) {
                const std::string typeName =
                    f::formatType.choice(type) ? quoted(f::formatType.choice(type)->text) : number(type);
                error(area, f::speedPageDigits, r, 0, "digits",
                      fill(text::kDigits,
                           {digits, typeName,
                            fill(text::kDigitChars,
                                 {number(rule.minLength), number(rule.maxLength), quoted(rule.allowed)})}));
            }
        }
        checkOrder(area, speedPageTable());
    }

    void checkAliases()
    {
        const CatalogueArea& area = areaNamed("pttAliases");
        for (int r = 0; r < kPttAliases.count; ++r) {
            if (!used(f::aliasLabel, r))
                continue;
            checkUniqueText(area, f::aliasLabel, f::aliasLabel, r, "labelUnique", text::kLabelTaken);
            const std::string id = readFieldText(image_, f::aliasPttId, r);
            const bool dtmf = readField(image_, f::aliasUnitType, r) != alias::kMdc1200;
            if (!isValidPttId(id, dtmf))
                error(area, f::aliasPttId, r, 0, "pttId",
                      fill(dtmf ? text::kBadDtmfId : text::kBadMdcId, {id}));
            else
                checkUniqueText(area, f::aliasLabel, f::aliasPttId, r, "pttIdUnique", text::kPttIdTaken);
        }
        checkOrder(area, aliasTable());
    }

    const Image& image_;
    std::vector<Found> found_;
};

} // namespace

std::vector<Problem> checkImage(const Image& image)
{
    return Checker(image).run();
}

std::string_view severityName(Severity severity)
{
    return severity == Severity::Error ? text::kErrorName : text::kWarningName;
}

std::string formatProblem(const Problem& problem)
{
    return std::string(severityName(problem.severity)) + ": " + problem.path + ": " + problem.message + " [" +
           std::string(problem.rule) + ']';
}

int errorCount(const std::vector<Problem>& problems)
{
    return static_cast<int>(
        std::count_if(problems.begin(), problems.end(), [](const Problem& p) { return p.isError(); }));
}

std::string errorCountText(int errors)
{
    return errors == 1 ? std::string(text::kOneError) : fill(text::kErrors, {number(errors)});
}

std::string problemSummary(const std::vector<Problem>& problems)
{
    const int errors = errorCount(problems);
    const int warnings = static_cast<int>(problems.size()) - errors;
    if (errors == 0 && warnings == 0)
        return text::kNoProblems;
    std::string summary;
    if (errors > 0)
        summary = errorCountText(errors);
    if (warnings > 0)
        summary +=
            (summary.empty() ? "" : ", ") +
            (warnings == 1 ? std::string(text::kOneWarning) : fill(text::kWarnings, {number(warnings)}));
    return summary;
}

bool isValidPttId(std::string_view id, bool dtmf)
{
    const std::string_view allowed = dtmf ? alias::kDtmfIdCharacters : alias::kMdc1200IdCharacters;
    const bool lengthOk = dtmf ? !id.empty() && id.size() <= static_cast<std::size_t>(alias::kPttIdSize)
                               : id.size() == static_cast<std::size_t>(alias::kMdc1200IdLength);
    return lengthOk && id.find_first_not_of(allowed) == std::string_view::npos;
}

} // namespace trv::db
