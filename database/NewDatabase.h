// Creating, resetting and closing the database held in the image.
#pragma once

#include "database/Image.h"

namespace trv::db {

// Fills an all-zero image with the defaults of a new database; every byte not named stays zero.
void newDatabase(Image& image = theImage());

// Writes the defaults of one channel record (index 0..3). Only the default bytes change, so it
// also resets a record that already holds data.
void resetChannelRecord(int channelIndex, Image& image = theImage());

// Zeroes all 16384 bytes, header included.
void closeDatabase(Image& image = theImage());

} // namespace trv::db
