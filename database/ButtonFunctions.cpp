#include "database/ButtonFunctions.h"

#include "database/FieldCatalog.h"

#include <iterator>

namespace trv::db {

namespace {

using S = ParameterSource;

// The comments name each row, in one column.
// clang-format off
constexpr ButtonFunction kFunctions[] = {
    {0},                                   // Not Defined
    {1, true},                             // Scroll Up
    {2, true},                             // Scroll Down
    {3, true},                             // Clear
    {4, false, false, S::PagingFormat},    // Manual Page
    {5, false, false, S::SpeedPage},       // Speed Page
    {6, true},                             // Alias Page
    {7, false, false, S::FrequencyPair, kFrequencyPairCount},
    {8, true, true},                       // All Mute
    {9, false, false, S::Number, 4},       // Mute: a channel
    {10, false, false, S::Number, 3},      // Alert Tone
    {11, true},                            // Repeat
    {12, false, false, S::Number, 2},      // Wildcard
    {13, true, true},                      // Patch
    {14, true, true},                      // Multi Select
    {15, true},                            // Coded Clear
    {16, true, true},                      // Volume Adjust
    {17, true},                            // Enter RAC
    {18, false, false, S::Number, 4},      // Auxiliary output
};
// clang-format on
static_assert(std::size(kFunctions) == std::size(fields::kButtonKinds));

constexpr ButtonFunction kSingleChannelMute{9, true, false, S::None, 0, 1};

} // namespace

int ButtonFunction::highestParameter() const
{
    switch (source) {
    case S::None:
        return fixedParameter;
    case S::PagingFormat:
        return kPagingFormats.count;
    case S::SpeedPage:
        return kSpeedPages.count;
    default:
        return count;
    }
}

std::span<const ButtonFunction> buttonFunctions()
{
    return kFunctions;
}

bool isMultiChannel(const Image& image)
{
    return readField(image, fields::desksetType) != deskset::kSingleChannel;
}

const ButtonFunction* buttonFunction(const Image& image, std::uint8_t kind)
{
    if (kind >= std::size(kFunctions))
        return nullptr;
    if (kind == kSingleChannelMute.kind && !isMultiChannel(image))
        return &kSingleChannelMute;
    return &kFunctions[kind];
}

} // namespace trv::db
