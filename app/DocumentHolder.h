// The one database document: it exists exactly while a database is open. The application object
// holds it; the database commands create and delete it.
#pragma once

#include "database/CTRVDoc.h"

#include <memory>

namespace trv::app {

class DocumentHolder {
public:
    bool hasDocument() const { return doc_ != nullptr; }
    db::CTRVDoc& document() { return *doc_; }
    db::CTRVDoc& createDocument()
    {
        doc_ = std::make_unique<db::CTRVDoc>();
        return *doc_;
    }
    void deleteDocument() { doc_.reset(); }

private:
    std::unique_ptr<db::CTRVDoc> doc_;
};

} // namespace trv::app
