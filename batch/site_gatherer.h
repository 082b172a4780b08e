#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "csv_reader.h"
#include "history_columns.h"

namespace humo::batch {

// The rows of one site of a history file, as written.
struct GatheredSite {
    struct Regime {
        int64_t line = 0;
        std::string year;
        std::string land_use;
        std::string management;
        std::string input;
    };
    // The site cells every row gives alike: country, climate region, soil type, carbon stock and
    // area, unset where the file lacks the column.
    static constexpr size_t kSiteCells = 5;

    std::string_view name;
    int64_t first_line = 0;
    std::array<std::optional<std::string>, kSiteCells> site_cells;
    std::vector<Regime> regimes;
    // The first thing found wrong with the rows, with the line and the year cell of its row.
    std::string problem;
    int64_t problem_line = 0;
    std::string problem_year;
};

// Gathers the rows of each site of a history file, wherever they are, and hands a site on as
// soon as its last row has been read. Reads the file twice: the first pass notes each site's
// last row, the second gathers. Memory holds each site's name and the rows of the sites begun
// and not yet handed on.
class SiteGatherer {
public:
    // `names` are the header's.
    SiteGatherer(const HistoryLayout& layout, std::vector<std::string> names);

    // First pass: the record is its site's last so far. Records are counted from 0.
    void note(const CsvRecord& record, int64_t ordinal);
    // Second pass, over the same records: the site when this was its last record, else none.
    // Throws BatchFailure when the records are not the first pass's.
    std::unique_ptr<GatheredSite> gather(const CsvRecord& record, int64_t ordinal);

    size_t sites() const { return sites_.size(); }
    // Sites begun in the second pass and not yet handed on.
    size_t open_sites() const { return open_; }

private:
    struct Entry {
        int64_t last = -1;
        std::unique_ptr<GatheredSite> rows;
    };
    // Site names are looked up where they lie in the record.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };

    std::string_view site_of(const CsvRecord& record) const;
    std::string_view cell(const CsvRecord& record, HistoryColumn column) const;
    void check(GatheredSite& site, const CsvRecord& record) const;

    HistoryLayout layout_;
    std::vector<std::string> names_;
    std::unordered_map<std::string, Entry, NameHash, std::equal_to<>> sites_;
    size_t open_ = 0;
};

}  // namespace humo::batch
