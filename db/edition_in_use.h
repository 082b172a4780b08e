#pragma once

#include <optional>
#include <string>

namespace humo::db {

// The edition of the default values a database records in its table `edition`.
struct EditionInUse {
    std::string id;
    std::string title;
};

// What the database at `path` records; nothing when it records no edition (an older database,
// an Access import) or cannot be read.
std::optional<EditionInUse> edition_in_use(const std::string& path);

// The edition's title, or that the database records none and is taken as the oldest edition,
// for texts a user reads.
std::string edition_text(const std::optional<EditionInUse>& edition);

}  // namespace humo::db
