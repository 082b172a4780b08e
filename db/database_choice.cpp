#include "database_choice.h"

#include <filesystem>

#include "editions.h"
#include "file_locations.h"

namespace humo::db {

std::string choose_database(const std::string& program_directory,
                            const std::optional<std::string>& database,
                            const std::optional<std::string>& edition) {
    const FileLocations locations = locate_files(program_directory, database);
    if (database)
        return *database;
    if (edition) {
        if (!find_edition(*edition))
            throw DatabaseChoiceError("no edition " + *edition + "; the editions are " +
                                      edition_ids());
        std::string defaults = defaults_file(locations.defaults_directory, *edition);
        if (!std::filesystem::exists(defaults)) {
            throw DatabaseChoiceError("the defaults of the " + *edition + " edition, " + defaults +
                                      ", are missing");
        }
        return defaults;
    }
    make_user_copy(locations);
    return locations.database;
}

}  // namespace humo::db
