// The packed, sorted tables of labelled records (speed pages, PTT ID aliases): the records in use
// are records 0..n-1, in the order of their labels. Records move when one is stored or deleted;
// every operation that moves records returns where each record went, so that references into the
// table (button parameters) can follow.
#pragma once

#include "database/Field.h"

#include <string>
#include <vector>

namespace trv::db {

// Old record index -> new record index (-1: deleted), one entry per record of the table.
using RecordMoves = std::vector<int>;

class SortedTable {
public:
    enum class Compare { CaseSensitive, UpperCased };
    // After a stored record has moved towards the start, whether the pass towards the end still runs
    // (from the index where the record was stored) or only when the first pass did not move it.
    enum class SecondPass { Always, OnlyIfUnmoved };

    SortedTable(const Field& label, Compare compare, SecondPass secondPass)
        : label_(label), compare_(compare), secondPass_(secondPass)
    {
    }

    const Field& labelField() const { return label_; }
    int capacity() const { return label_.region->count; }
    bool isFree(const Image& image, int record) const { return image[label_.at(record)] == 0; }
    std::string label(const Image& image, int record) const { return readFieldText(image, label_, record); }
    // Records in use counted from the start (the table is packed).
    int count(const Image& image) const;
    // The first free record, or -1 when the table is full.
    int firstFree(const Image& image) const;
    // The first record in use whose label is exactly `text` (case-sensitive), or -1.
    int find(const Image& image, const std::string& text) const;
    // The first record in use other than `except` whose text field `field` (of this table) holds
    // exactly `text` (case-sensitive), or -1: the duplicate checks of the dialogs. A free record
    // never matches, whatever stale bytes it keeps.
    int findOther(const Image& image, const Field& field, const std::string& text, int except) const;

    // Moves the record just stored at `index` to its place in the order.
    RecordMoves resort(Image& image, int index) const;
    // Frees record `index` (its first label byte) and moves the following records in use down by one;
    // the last moved record's old place keeps its other bytes.
    RecordMoves remove(Image& image, int index) const;

    // True when `a` sorts strictly before `b` in this table's order.
    bool before(const std::string& a, const std::string& b) const;

private:
    void swap(Image& image, int a, int b, RecordMoves& moves) const;
    RecordMoves identity() const;

    const Field& label_;
    Compare compare_;
    SecondPass secondPass_;
};

// The two sorted tables: speed pages by their labels as typed, PTT ID aliases by their labels in
// upper case.
const SortedTable& speedPageTable();
const SortedTable& aliasTable();

} // namespace trv::db
