#pragma once

#include <memory>
#include <string>
#include <vector>

#include "connection.h"
#include "recordset.h"

namespace humo::db {

// The calculator's shared database objects: one connection and the one result set that every
// calculator query reuses. Both are created by the calculator's load.
struct SoilCarbonDatabase {
    std::unique_ptr<recordset::Connection> SoilCarbonConnection;
    std::unique_ptr<recordset::Recordset> SoilCarbonRecordset;
};

// One query on the shared result set. It is closed when the query goes out of scope, on the
// error path too, so a failed lookup never leaves the result set open for the next query.
class SharedQuery {
public:
    SharedQuery(SoilCarbonDatabase& database, std::string_view sql,
                const std::vector<recordset::Value>& parameters = {});
    ~SharedQuery();
    SharedQuery(const SharedQuery&) = delete;
    SharedQuery& operator=(const SharedQuery&) = delete;

    recordset::Recordset& operator*() const { return recordset_; }
    recordset::Recordset* operator->() const { return &recordset_; }

private:
    recordset::Recordset& recordset_;
};

}  // namespace humo::db
