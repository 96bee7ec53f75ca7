// The claim of the channel's shared signalling area by the page of one layout.
#pragma once

#include "database/FieldCatalog.h"
#include "database/Image.h"

namespace trv::editors::channel {

// The record a claiming page shows: the image as it is, or, when the channel's shared area holds
// the other layout or was not claimed since New, with this layout's defaults (and `also`, a field
// outside the area that the layout's defaults cover) written into a copy.
db::Image claimedView(const db::Image& image, int channel, const db::AreaLayout& layout, bool areaIsOurs,
                      const db::Field* also = nullptr);

} // namespace trv::editors::channel
