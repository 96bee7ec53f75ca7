// The speed page table: packed, sorted by label (byte-wise, case-sensitive) and unique by label.
// Storing or deleting a speed page moves records; the Speed Page buttons of the image follow every
// move, and the moves are returned so that open windows holding record indices can follow too.
#pragma once

#include "database/SortedTable.h"

#include <QString>

#include <optional>
#include <string>

namespace trv::editors::speedpaging {

const db::SortedTable& speedPageTable();

struct SpeedPage {
    std::string label;
    int formatIndex = 0; // the paging format record it is sent with
    std::string digits;
};

// Writes `page` into record `record` (or, for -1, the first free record), moves it to its place in
// the order and renumbers the Speed Page buttons. Nothing is written when there is no free record.
db::RecordMoves storeSpeedPage(db::Image& image, int record, const SpeedPage& page);

// Frees `record`, moves the following speed pages down by one and renumbers the Speed Page buttons.
db::RecordMoves deleteSpeedPage(db::Image& image, int record);

// The paging format a speed page uses, as the lists show it: "FIRE (Motorola 5 Tone)". Nothing for an
// index past the paging format table or a free paging format record.
std::optional<QString> formatText(const db::Image& image, int formatIndex);

} // namespace trv::editors::speedpaging
