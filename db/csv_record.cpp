#include "csv_record.h"

namespace humo::db {

std::optional<std::vector<std::string>> read_csv_record(std::istream& in) {
    if (in.peek() == std::char_traits<char>::eof())
        return std::nullopt;
    std::vector<std::string> fields(1);
    bool quoted = false;
    char c;
    while (in.get(c)) {
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (in.peek() == '"') {
                fields.back() += '"';
                in.get();
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace humo::db
