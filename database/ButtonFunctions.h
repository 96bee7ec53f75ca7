// What each button function kind takes: whether a table may hold it once only, whether only a
// multi-channel deskset offers it, and where its parameter comes from. The buttons editor offers
// what this table allows and the database rules check a stored table against it.
#pragma once

#include "database/Image.h"
#include "database/Layout.h"

#include <cstdint>
#include <span>

namespace trv::db {

// Where the parameter of a function comes from.
enum class ParameterSource : std::uint8_t {
    None,          // no parameter (stored as 0xFF, or the function's fixed parameter)
    PagingFormat,  // a configured paging format, by record index + 1
    SpeedPage,     // a configured speed page, by record index + 1
    FrequencyPair, // "1/2" .. "15/16", values 1 to 8
    Number,        // "1" .. count
};

struct ButtonFunction {
    std::uint8_t kind;
    bool oncePerTable = false;     // at most one button of the table has it
    bool multiChannelOnly = false; // offered on a multi-channel deskset only
    ParameterSource source = ParameterSource::None;
    int count = 0;                                      // choices of a FrequencyPair or Number parameter
    std::uint8_t fixedParameter = button::kNoParameter; // stored when the source is None

    // The parameters a button of this function may store: 1..count, a record number, or the fixed one.
    int lowestParameter() const { return source == ParameterSource::None ? fixedParameter : 1; }
    int highestParameter() const;
};

inline constexpr int kFrequencyPairCount = 8;

// By stored kind, 0 to 18. Mute is listed as on a multi-channel deskset (a channel per button).
std::span<const ButtonFunction> buttonFunctions();
// The function of a stored kind on a deskset of the image's type; nullptr for a kind above 18.
// On a single-channel deskset Mute is a once-per-table function that always mutes channel 1.
const ButtonFunction* buttonFunction(const Image& image, std::uint8_t kind);
bool isMultiChannel(const Image& image);

} // namespace trv::db
