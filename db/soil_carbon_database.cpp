#include "soil_carbon_database.h"

namespace humo::db {
namespace {

recordset::Recordset& shared_recordset(SoilCarbonDatabase& database) {
    if (!database.SoilCarbonConnection || !database.SoilCarbonRecordset) {
        throw failures::object_not_set();
    }
    return *database.SoilCarbonRecordset;
}

}  // namespace

SharedQuery::SharedQuery(SoilCarbonDatabase& database, std::string_view sql,
                         const std::vector<recordset::Value>& parameters)
    : recordset_(shared_recordset(database)) {
    recordset_.open(sql, *database.SoilCarbonConnection, parameters);
}

SharedQuery::~SharedQuery() {
    if (recordset_.state() == recordset::ObjectState::kOpen)
        recordset_.close();
}

}  // namespace humo::db
