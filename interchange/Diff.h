// The differences between two images: one line per field element that differs ("path: a -> b")
// and the count of differing bytes outside every field.
#pragma once

#include "database/Image.h"

#include <QStringList>

namespace trv::interchange {

struct ImageDiff {
    QStringList fields;    // "channels[2].txLevel: -3 dBm -> 0 dBm"
    int reservedBytes = 0; // differing bytes that belong to no field

    bool equal() const { return fields.isEmpty() && reservedBytes == 0; }
    // The field lines, then the reserved count when there is one.
    QStringList lines() const;
};

ImageDiff diffImages(const db::Image& a, const db::Image& b);

} // namespace trv::interchange
