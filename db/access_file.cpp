#include "access_file.h"

// glib first: mdbtools.h includes it inside an extern "C" block, which C++ headers reject.
#include <glib.h>
#include <mdbtools.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "library_messages.h"

namespace humo::db {
namespace {

// mdb_ole_read_full reads an object in chunks of this size into the column's bound buffer.
constexpr size_t kOleChunkBuffer = MDB_BIND_SIZE * 64;
// Days from 1970-01-01 back to 1899-12-30, the day 0 of Access dates.
constexpr long long kAccessEpochFromUnix = -25569;

ColumnKind kind_of(int column_type) {
    switch (column_type) {
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_COMPLEX:
            return ColumnKind::kInteger;
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            return ColumnKind::kReal;
        case MDB_BINARY:
        case MDB_OLE:
            return ColumnKind::kBlob;
        default:
            return ColumnKind::kText;
    }
}

// Year, month and day of a day count from 1970-01-01 (proleptic Gregorian calendar).
void civil_from_days(long long days, long long& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto day_of_era = static_cast<unsigned>(days - era * 146097);
    const unsigned year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const unsigned day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const unsigned shifted_month = (5 * day_of_year + 2) / 153;
    day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
    month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
    year = static_cast<long long>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
}

std::string number_text(double value) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// An Access date counts days from 1899-12-30; the fraction is the time of day, taken without
// its sign, so -1.25 is 1899-12-29 06:00. Times are kept to the second.
std::string date_text(double value) {
    double whole = 0;
    const double fraction = std::modf(value, &whole);
    if (!std::isfinite(value) || std::fabs(whole) > 3e6)
        return number_text(value);
    auto day = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(fraction) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    long long year = 0;
    unsigned month = 0;
    unsigned day_of_month = 0;
    civil_from_days(day + kAccessEpochFromUnix, year, month, day_of_month);
    char text[96];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lld", year, month,
                  day_of_month, seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A single-precision number as the shortest decimal that reads back to it, so a stored 0.95
// arrives as 0.95 and not as 0.949999988079071.
double widened(float value) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double result = value;
    std::from_chars(buffer, end, result);
    return result;
}

int64_t little_endian_int64(const unsigned char* bytes) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | bytes[i];
    return static_cast<int64_t>(value);
}

std::string owned_text(char* text) {
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

Cell read_text(MdbHandle* mdb, MdbColumn* column) {
    if (column->col_type == MDB_MEMO) {
        // The converted text goes into a buffer of the handle's bind size: make room for the
        // whole memo, as UTF-8 takes up to three bytes for each stored byte.
        const size_t stored = mdb_get_int32(mdb->pg_buf, column->cur_value_start) & 0x3fffffff;
        const size_t needed = stored * 3 + 16;
        if (needed > mdb->bind_size)
            mdb_set_bind_size(mdb, needed);
    }
    return owned_text(mdb_col_to_string(mdb, mdb->pg_buf, column->cur_value_start, column->col_type,
                                        column->cur_value_len));
}

Cell read_ole(MdbHandle* mdb, MdbColumn* column) {
    size_t size = 0;
    void* data = mdb_ole_read_full(mdb, column, &size);
    Blob blob;
    blob.bytes.assign(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
    std::free(data);
    return blob;
}

Cell read_cell(MdbHandle* mdb, MdbColumn* column) {
    // A yes/no column keeps its value in the null mask: the library reports "no" as a length.
    if (column->col_type == MDB_BOOL)
        return int64_t{column->cur_value_len == 0 ? 1 : 0};
    if (column->cur_value_len == 0)
        return {};
    unsigned char* page = mdb->pg_buf;
    const int start = column->cur_value_start;
    switch (column->col_type) {
        case MDB_BYTE:
            return int64_t{page[start]};
        case MDB_INT:
            return int64_t{static_cast<int16_t>(mdb_get_int16(page, start))};
        case MDB_LONGINT:
        case MDB_COMPLEX:
            return int64_t{static_cast<int32_t>(mdb_get_int32(page, start))};
        case MDB_FLOAT:
            return widened(mdb_get_single(page, start));
        case MDB_DOUBLE:
            return mdb_get_double(page, start);
        case MDB_MONEY:
            return static_cast<double>(little_endian_int64(page + start)) / 10000.0;
        case MDB_NUMERIC:
            return std::strtod(
                owned_text(mdb_numeric_to_string(mdb, start, column->col_scale, column->col_prec))
                    .c_str(),
                nullptr);
        case MDB_DATETIME:
            return date_text(mdb_get_double(page, start));
        case MDB_BINARY:
            return Blob{{page + start, page + start + column->cur_value_len}};
        case MDB_OLE:
            return read_ole(mdb, column);
        default:
            return read_text(mdb, column);
    }
}

struct TableDefinition {
    explicit TableDefinition(MdbCatalogEntry* entry) : table(mdb_read_table(entry)) {}
    ~TableDefinition() {
        if (table)
            mdb_free_tabledef(table);
    }
    TableDefinition(const TableDefinition&) = delete;
    TableDefinition& operator=(const TableDefinition&) = delete;

    MdbColumn* column(unsigned index) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
    }

    MdbTableDef* table;
};

}  // namespace

struct AccessFile::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }

    std::vector<MdbCatalogEntry*> user_tables() const {
        std::vector<MdbCatalogEntry*> entries;
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
                entries.push_back(entry);
        }
        return entries;
    }
};

AccessFile::AccessFile(const std::string& path) : handle_(std::make_unique<Handle>()), path_(path) {
    LibraryMessages messages;
    handle_->mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!handle_->mdb)
        throw std::runtime_error(path + " cannot be read as an Access database");
    if (!mdb_read_catalog(handle_->mdb, MDB_TABLE))
        throw std::runtime_error(path + ": the list of tables cannot be read");
    messages.require_no_error(path);
}

AccessFile::~AccessFile() = default;

std::vector<SourceTable> AccessFile::tables() {
    LibraryMessages messages;
    std::vector<SourceTable> tables;
    for (MdbCatalogEntry* entry : handle_->user_tables()) {
        TableDefinition definition(entry);
        if (!definition.table || !mdb_read_columns(definition.table))
            throw std::runtime_error(path_ + ": table " + entry->object_name + " cannot be read");
        SourceTable& table = tables.emplace_back();
        table.name = entry->object_name;
        for (unsigned c = 0; c < definition.table->num_cols; ++c) {
            MdbColumn* column = definition.column(c);
            table.columns.push_back({column->name, kind_of(column->col_type)});
        }
    }
    messages.require_no_error(path_);
    return tables;
}

void AccessFile::read_rows(const SourceTable& table,
                           const std::function<void(const std::vector<Cell>&)>& row) {
    MdbCatalogEntry* entry = nullptr;
    for (MdbCatalogEntry* candidate : handle_->user_tables()) {
        if (table.name == candidate->object_name)
            entry = candidate;
    }
    if (!entry)
        throw std::runtime_error(path_ + ": there is no table " + table.name);
    TableDefinition definition(entry);
    if (!definition.table || !mdb_read_columns(definition.table))
        throw std::runtime_error(path_ + ": table " + table.name + " cannot be read");

    const unsigned count = definition.table->num_cols;
    // The OLE reader takes each object's locator from the column's bound buffer.
    std::vector<std::vector<char>> ole_buffers;
    for (unsigned c = 0; c < count; ++c) {
        if (definition.column(c)->col_type == MDB_OLE) {
            ole_buffers.emplace_back(kOleChunkBuffer);
            mdb_bind_column(definition.table, static_cast<int>(c) + 1, ole_buffers.back().data(),
                            nullptr);
        }
    }
    LibraryMessages messages;
    mdb_rewind_table(definition.table);
    std::vector<Cell> cells(count);
    while (mdb_fetch_row(definition.table)) {
        for (unsigned c = 0; c < count; ++c)
            cells[c] = read_cell(handle_->mdb, definition.column(c));
        row(cells);
    }
    messages.require_no_error(path_);
}

}  // namespace humo::db
