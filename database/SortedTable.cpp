#include "database/SortedTable.h"

#include "database/FieldCatalog.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace trv::db {

int SortedTable::count(const Image& image) const
{
    int n = 0;
    while (n < capacity() && !isFree(image, n))
        ++n;
    return n;
}

int SortedTable::firstFree(const Image& image) const
{
    for (int r = 0; r < capacity(); ++r)
        if (isFree(image, r))
            return r;
    return -1;
}

int SortedTable::find(const Image& image, const std::string& text) const
{
    return findOther(image, label_, text, -1);
}

int SortedTable::findOther(const Image& image, const Field& field, const std::string& text, int except) const
{
    for (int r = 0; r < capacity(); ++r)
        if (r != except && !isFree(image, r) && readFieldText(image, field, r) == text)
            return r;
    return -1;
}

bool SortedTable::before(const std::string& a, const std::string& b) const
{
    if (compare_ == Compare::CaseSensitive)
        return a < b;
    auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    };
    return upper(a) < upper(b);
}

RecordMoves SortedTable::identity() const
{
    RecordMoves moves(static_cast<std::size_t>(capacity()));
    std::iota(moves.begin(), moves.end(), 0);
    return moves;
}

void SortedTable::swap(Image& image, int a, int b, RecordMoves& moves) const
{
    const Region& table = *label_.region;
    std::swap_ranges(image.begin() + table.record(a), image.begin() + table.record(a) + table.recordSize,
                     image.begin() + table.record(b));
    for (int& m : moves)
        m = m == a ? b : (m == b ? a : m);
}

RecordMoves SortedTable::resort(Image& image, int index) const
{
    RecordMoves moves = identity();
    int at = index;
    while (at > 0 && before(label(image, at), label(image, at - 1))) {
        swap(image, at, at - 1, moves);
        --at;
    }
    if (secondPass_ == SecondPass::OnlyIfUnmoved && at != index)
        return moves;
    at = index;
    while (at + 1 < capacity() && !isFree(image, at + 1) && before(label(image, at + 1), label(image, at))) {
        swap(image, at, at + 1, moves);
        ++at;
    }
    return moves;
}

RecordMoves SortedTable::remove(Image& image, int index) const
{
    const Region& table = *label_.region;
    RecordMoves moves = identity();
    image[label_.at(index)] = 0;
    moves[static_cast<std::size_t>(index)] = -1;
    // Bounded by the table's last record: the bytes after it belong to another region.
    for (int j = index + 1; j < capacity() && !isFree(image, j); ++j) {
        std::copy_n(image.begin() + table.record(j), table.recordSize, image.begin() + table.record(j - 1));
        image[label_.at(j)] = 0;
        moves[static_cast<std::size_t>(j)] = j - 1;
    }
    return moves;
}

const SortedTable& speedPageTable()
{
    static const SortedTable table(fields::speedPageLabel, SortedTable::Compare::CaseSensitive,
                                   SortedTable::SecondPass::OnlyIfUnmoved);
    return table;
}

const SortedTable& aliasTable()
{
    static const SortedTable table(fields::aliasLabel, SortedTable::Compare::UpperCased,
                                   SortedTable::SecondPass::Always);
    return table;
}

} // namespace trv::db
