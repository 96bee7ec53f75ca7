#include "editors/channel/AreaClaim.h"

namespace trv::editors::channel {

db::Image claimedView(const db::Image& image, int channel, const db::AreaLayout& layout, bool areaIsOurs,
                      const db::Field* also)
{
    db::Image view = image;
    if (areaIsOurs)
        return view;
    for (const db::Field& field : layout.fields)
        db::writeDefault(view, field, channel);
    if (also)
        db::writeDefault(view, *also, channel);
    return view;
}

} // namespace trv::editors::channel
