// The JSON form of an image (format version 1): field names as in the catalogue, values in their
// units or as list texts, records of a table as objects with their 1-based "record" number, and a
// raw hexadecimal form for whatever no editor would write, so that export then import gives the
// image back byte for byte.
#pragma once

#include "database/Image.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace trv::interchange {

QByteArray exportJson(const db::Image& image);

// The image the JSON describes, or the first problem as "<path>: <problem>": a value that does not
// fit its field, or a typed value that breaks an error rule of the database ("... [rule.id]").
// Fields left out of a given record take what its editor starts from; records left out are free.
struct ImportResult {
    std::variant<db::Image, QString> result;

    bool ok() const { return result.index() == 0; }
    const db::Image& image() const { return std::get<db::Image>(result); }
    const QString& error() const { return std::get<QString>(result); }
};
ImportResult importJson(const QByteArray& json);

} // namespace trv::interchange
