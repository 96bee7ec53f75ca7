// The text dump of an image: every field by its path with its value in its unit or list text,
// grouped under a heading per record, then the reserved bytes that are not zero.
#pragma once

#include "database/Image.h"

#include <QString>

namespace trv::interchange {

// Free records are left out unless withFreeRecords.
QString dumpImage(const db::Image& image, bool withFreeRecords);

} // namespace trv::interchange
