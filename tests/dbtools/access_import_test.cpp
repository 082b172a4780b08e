#include <chrono>
#include <filesystem>
#include <fstream>

#include "access_conversion.h"
#include "access_import.h"
#include "csv_record.h"
#include "database_check.h"
#include "database_format.h"
#include "failure.h"
#include "files.h"
#include "fixture_paths.h"
#include "sqlite_statement.h"
#include "temp_dir.h"
#include "text_matchers.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string access_fixture(const std::string& name) { return HUMO_TEST_DATA "/" + name; }

// One row of a query, each value as "type:text" ("null" for NULL).
Strings row(const std::string& path, const std::string& sql) {
    sqlite::Database file(path, sqlite::OpenMode::kReadOnly);
    sqlite::Statement statement(file, sql);
    Strings values;
    if (!statement.step())
        return values;
    for (int c = 0; c < statement.column_count(); ++c)
        values.push_back(statement.is_null(c) ? "null" : statement.text(c));
    return values;
}

std::string one(const std::string& path, const std::string& sql) { return row(path, sql).at(0); }

using testing::bytes_of;
using testing::file_names;

TEST(AccessImportTest, KeepsNumbersTextDatesNullsAndBinaryData) {
    testing::TempDir dir;
    const std::string path = dir.file("nwind.sqlite");
    import_access_database(access_fixture("nwind.mdb"), path);
    EXPECT_EQ(row(path,
                  "SELECT typeof(OrderID), typeof(Freight), Freight, CustomerID, ShipName, "
                  "ShipCity, ShipRegion, OrderDate, ShippedDate FROM Orders WHERE OrderID = 10332"),
              (Strings{"integer", "real", "52.84", "MEREP", "Mère Paillarde", "Montréal", "Québec",
                       "1994-11-17T00:00:00", "1994-11-21T00:00:00"}));
    EXPECT_EQ(row(path, "SELECT ShipRegion, typeof(ShipRegion) FROM Orders WHERE OrderID = 10331"),
              (Strings{"null", "null"}));
    EXPECT_EQ(one(path, "SELECT count(*) FROM Customers WHERE Region IS NULL"), "60");
    // Single-precision discounts arrive as the decimals they were typed as.
    EXPECT_EQ(one(path, "SELECT count(*) FROM \"Order Details\" WHERE Discount = 0.15"), "157");
    // Yes/no columns become 0 and 1.
    EXPECT_EQ(row(path, "SELECT count(*), sum(Discontinued), typeof(Discontinued) FROM Products"),
              (Strings{"77", "8", "integer"}));
    EXPECT_EQ(one(path, "SELECT Address FROM Employees WHERE EmployeeID = 1"),
              "507 - 20th Ave. E.\r\nApt. 2A");
    EXPECT_EQ(one(path, "SELECT count(*) FROM Suppliers WHERE Address LIKE '%' || char(10) || '%'"),
              "9");
    EXPECT_EQ(row(path,
                  "SELECT typeof(Picture), length(Picture) FROM Categories WHERE CategoryName = "
                  "'Beverages'"),
              (Strings{"blob", "10746"}));
    EXPECT_EQ(one(path, "SELECT ShipName FROM \"Umsätze\" WHERE OrderID = 10332"),
              "Mère Paillarde");
}

TEST(AccessImportTest, DatesBecomeIsoTextAcrossTheWholeRange) {
    testing::TempDir dir;
    const std::string path = dir.file("dates.sqlite");
    const ImportResult result =
        import_access_database(access_fixture("DateTestDatabase.mdb"), path);
    ASSERT_EQ(result.tables.size(), 1u);
    EXPECT_EQ(result.tables[0].rows, 6);
    const std::string columns =
        "SELECT DateTimeCol, DateCol, TimeCol, ShortTextCol FROM DateTest WHERE IDCol = ";
    EXPECT_EQ(row(path, columns + "1"), (Strings{"2021-12-02T00:00:00", "2021-12-02T00:00:00",
                                                 "2021-12-02T00:00:00", "Hello"}));
    EXPECT_EQ(row(path, columns + "2"), (Strings{"9999-01-01T00:00:00", "9999-01-01T00:00:00",
                                                 "9999-01-01T00:00:00", "Year 1999"}));
    EXPECT_EQ(row(path, columns + "3"), (Strings{"1898-01-01T00:00:00", "1899-01-01T00:00:00",
                                                 "1900-01-01T00:00:00", "Pre-1900 years"}));
    EXPECT_EQ(row(path, columns + "4"), (Strings{"0632-01-01T00:00:00", "0633-01-01T00:00:00",
                                                 "0634-01-01T00:00:00", "Pre-1000 years"}));
    EXPECT_EQ(one(path, "SELECT LongTextCol FROM DateTest WHERE IDCol = 6"),
              "New line\r\nin field");
    EXPECT_EQ(one(path, "SELECT typeof(DateCol) FROM DateTest WHERE IDCol = 1"), "text");
}

// The tables of an older installation as an Access file hands them over: the default data but
// the uncertainties, with the kinds of columns Access has, one column and one table of the
// user's own.
class OlderInstallation : public TableSource {
public:
    std::vector<SourceTable> tables() override {
        std::vector<SourceTable> tables;
        for (const auto& entry : fs::directory_iterator(testing::default_data_directory())) {
            if (entry.path().extension() != ".csv" || entry.path().stem() == "value_uncertainty")
                continue;
            std::ifstream in(entry.path());
            SourceTable& table = tables.emplace_back();
            table.name = entry.path().stem().string();
            const auto header = read_csv_record(in);
            for (const std::string& name : *header)
                table.columns.push_back({name, kind_of(name)});
            if (table.name == "c_stocks")
                table.columns.push_back({"note", ColumnKind::kText});
        }
        std::sort(tables.begin(), tables.end(),
                  [](const SourceTable& a, const SourceTable& b) { return a.name < b.name; });
        tables.push_back(
            {"tbl_my_sites", {{"site", ColumnKind::kText}, {"photo", ColumnKind::kBlob}}});
        return tables;
    }

    void read_rows(const SourceTable& table,
                   const std::function<void(const std::vector<Cell>&)>& row) override {
        if (table.name == "tbl_my_sites") {
            row({std::string("Kenya, Ngong"), Blob{{0, 1, 2}}});
            row({std::string("Kraków"), std::monostate{}});
            return;
        }
        std::ifstream in(testing::default_data_directory() + "/" + table.name + ".csv");
        read_csv_record(in);
        int line = 0;
        while (auto record = read_csv_record(in)) {
            std::vector<Cell> cells(table.columns.size());
            for (size_t i = 0; i < record->size(); ++i)
                cells[i] = cell(table.columns[i].kind, (*record)[i]);
            if (table.name == "c_stocks" && ++line == 1)
                cells.back() = std::string("checked 1998");
            row(cells);
        }
    }

private:
    static ColumnKind kind_of(const std::string& column) {
        if (column == "region" || column == "climate_region_code" || column.ends_with("_order"))
            return ColumnKind::kInteger;
        if (column.ends_with("factor") || column == "c_stock_Mg_ha")
            return ColumnKind::kReal;
        return ColumnKind::kText;
    }
    static Cell cell(ColumnKind kind, const std::string& text) {
        if (kind == ColumnKind::kInteger)
            return int64_t{std::stoll(text)};
        if (kind == ColumnKind::kReal)
            return std::stod(text);
        return text;
    }
};

TEST(AccessImportTest, TheToolsOwnTablesGetTheCurrentSchemaAndKeepTheirExtras) {
    testing::TempDir dir;
    const std::string path = dir.file("humo_tool.mdb");
    OlderInstallation source;
    const ImportResult result = write_sqlite_copy(source, path);
    EXPECT_TRUE(result.own_tables);
    ASSERT_EQ(result.tables.size(), 10u);
    EXPECT_EQ(result.tables[0].name, "c_stocks");
    EXPECT_EQ(result.tables[0].rows, 48);

    // The calculator's lookups find names whatever their case, through the schema's indexes.
    EXPECT_EQ(one(path, "SELECT count(*) FROM tbl_systems WHERE system = 'GRASSLAND'"), "8");
    EXPECT_EQ(one(path, "SELECT count(*) FROM sqlite_master WHERE type = 'index'"), "11");
    EXPECT_EQ(row(path, "SELECT typeof(c_stock_Mg_ha), c_stock_Mg_ha, note FROM c_stocks LIMIT 1"),
              (Strings{"real", "68.0", "checked 1998"}));
    EXPECT_EQ(row(path, "SELECT site, hex(photo) FROM tbl_my_sites"),
              (Strings{"Kenya, Ngong", "000102"}));
    EXPECT_EQ(row(path, "SELECT site, photo FROM tbl_my_sites WHERE rowid = 2"),
              (Strings{"Kraków", "null"}));
    const auto findings = check_database(path);
    EXPECT_TRUE(findings.empty()) << format_report(findings);
}

TEST(ConversionTest, ConvertsInPlaceAndKeepsTheOriginalUnderANewName) {
    testing::TempDir dir;
    const std::string path = dir.file("humo_tool.mdb");
    fs::copy_file(access_fixture("nwind.mdb"), path);
    const auto last_written = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(path, last_written);
    const auto message = convert_access_database(path);
    ASSERT_TRUE(message);
    EXPECT_EQ(fs::last_write_time(dir.file("humo_tool.mdb.jet")), last_written);
    // The message in full: the access_database scenario.
    EXPECT_THAT(*message, HasSubstr("(Jet 3)"));
    EXPECT_EQ(file_names(dir.path()), (Strings{"humo_tool.mdb", "humo_tool.mdb.jet"}));
    EXPECT_EQ(database_format(path), DatabaseFormat::kSqlite);
    EXPECT_EQ(bytes_of(dir.file("humo_tool.mdb.jet")), bytes_of(access_fixture("nwind.mdb")));
    EXPECT_EQ(one(path, "SELECT count(*) FROM Orders"), "830");
    // Converted once: the next start opens it as it is.
    EXPECT_FALSE(convert_access_database(path));
    EXPECT_EQ(file_names(dir.path()), (Strings{"humo_tool.mdb", "humo_tool.mdb.jet"}));

    // Another old file later is kept beside the first.
    fs::remove(path);
    fs::copy_file(access_fixture("DateTestDatabase.mdb"), path);
    const auto later = convert_access_database(path);
    ASSERT_TRUE(later);
    EXPECT_THAT(*later, HasSubstr("(Jet 4)"));
    EXPECT_THAT(*later, HasSubstr("kept unchanged as humo_tool.mdb.2.jet."));
    EXPECT_EQ(bytes_of(dir.file("humo_tool.mdb.2.jet")),
              bytes_of(access_fixture("DateTestDatabase.mdb")));
    EXPECT_EQ(bytes_of(dir.file("humo_tool.mdb.jet")), bytes_of(access_fixture("nwind.mdb")));
}

TEST(ConversionTest, AFailedConversionChangesNothingAndSaysWhy) {
    testing::TempDir dir;
    // An Access header in front of pages that are no database.
    std::string broken = bytes_of(access_fixture("DateTestDatabase.mdb")).substr(0, 64);
    broken += std::string(8192, 'x');
    testing::write_bytes(dir.file("humo_tool.mdb"), broken);
    try {
        convert_access_database(dir.file("humo_tool.mdb"));
        FAIL() << "converted a broken file";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 3343);
        EXPECT_EQ(failure.source(), "humo_tool");
        EXPECT_THAT(failure.description(),
                    StartsWith("humo_tool.mdb is an Access database from an older installation "
                               "and could not be converted: "));
        EXPECT_THAT(failure.description(), EndsWith(". The file was left as it was."));
    }
    EXPECT_EQ(file_names(dir.path()), (Strings{"humo_tool.mdb"}));
    EXPECT_EQ(bytes_of(dir.file("humo_tool.mdb")), broken);
}

TEST(DatabaseFormatTest, TellsTheFormatsApartByTheirFirstBytes) {
    testing::TempDir dir;
    // Jet 3 and Jet 4 files: the conversion tests.
    std::string ace = bytes_of(access_fixture("DateTestDatabase.mdb")).substr(0, 64);
    ace.replace(4, 15, "Standard ACE DB");
    ace[0x14] = 2;
    testing::write_bytes(dir.file("new.accdb"), ace);
    EXPECT_EQ(database_format(dir.file("new.accdb")), DatabaseFormat::kAccess);
    EXPECT_EQ(access_version(dir.file("new.accdb")), "Access 2007 or later");
    std::ofstream(dir.file("short")) << "SQLite";
    EXPECT_EQ(database_format(dir.file("short")), DatabaseFormat::kUnknown);
    sqlite::Database(dir.file("sqlite.db"), sqlite::OpenMode::kCreate)
        .execute("CREATE TABLE t (x)");
    EXPECT_EQ(database_format(dir.file("sqlite.db")), DatabaseFormat::kSqlite);
    EXPECT_EQ(access_version(dir.file("sqlite.db")), "");
    EXPECT_EQ(access_version(dir.file("short")), "");
    EXPECT_EQ(database_format(dir.file("missing")), DatabaseFormat::kMissing);
}

}  // namespace
}  // namespace humo::db
