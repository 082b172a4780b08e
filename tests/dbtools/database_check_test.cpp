#include <filesystem>

#include "database_check.h"
#include "default_database.h"
#include "editions.h"
#include "fixture_paths.h"
#include "sqlite_database.h"
#include "temp_dir.h"
#include "text_matchers.h"

namespace humo::db {
namespace {

using G = CheckGroup;
using S = Severity;

// The shipped default database, made from data/*.csv, with one change applied.
std::string default_database_with(const testing::TempDir& dir, const std::string& change) {
    const std::string path = dir.file("humo_tool.mdb");
    create_default_database(path, testing::default_data_directory());
    sqlite::Database(path, sqlite::OpenMode::kReadWrite).execute(change);
    return path;
}

// A table as an earlier build made it: the columns as declared here, none of the current
// schema's types and constraints, and the same rows.
std::string rebuilt(const std::string& table, const std::string& columns) {
    return "ALTER TABLE " + table + " RENAME TO earlier; CREATE TABLE " + table + " (" + columns +
           "); INSERT INTO " + table + " SELECT * FROM earlier; DROP TABLE earlier; ";
}

struct BrokenRule {
    const char* name;
    std::string change;
    Finding expected;  // the one finding, with a part of its problem text
};

void PrintTo(const BrokenRule& rule, std::ostream* out) { *out << rule.name; }

class OneBrokenRuleTest : public ::testing::TestWithParam<BrokenRule> {};

// Each fixture breaks one rule and must give exactly one finding naming the table, the column
// and the value that is wrong.
TEST_P(OneBrokenRuleTest, GivesExactlyThatFinding) {
    testing::TempDir dir;
    const BrokenRule& rule = GetParam();
    const auto findings = check_database(default_database_with(dir, rule.change));
    ASSERT_EQ(findings.size(), 1u) << format_report(findings);
    const Finding& found = findings.front();
    const Finding& expected = rule.expected;
    EXPECT_EQ(group_title(found.group), group_title(expected.group));
    EXPECT_EQ(found.severity, expected.severity);
    // A finding about the file itself names the file.
    EXPECT_EQ(std::filesystem::path(found.table).filename(), expected.table);
    EXPECT_EQ(found.column, expected.column);
    EXPECT_EQ(found.value, expected.value);
    EXPECT_THAT(found.problem, HasSubstr(expected.problem));
}

const BrokenRule kBrokenRules[] = {
    // An index whose rows no longer match its definition; no lookup can use it.
    {"CorruptIndex",
     "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = sql || ' WHERE 0' WHERE name = "
     "'c_stocks_soil_type'",
     {G::kIntegrity, S::kError, "humo_tool.mdb", "", "", "SQLite's integrity check fails: "}},
    {"ViewInPlaceOfATable",
     "ALTER TABLE c_stocks RENAME TO stocks; CREATE VIEW c_stocks AS SELECT * FROM stocks",
     {G::kTablesAndColumns, S::kError, "c_stocks", "", "",
      "a view stands where the table should be"}},
    {"Trigger",
     "CREATE TRIGGER rounded AFTER UPDATE ON tbl_systems BEGIN SELECT 1; END",
     {G::kTablesAndColumns, S::kError, "tbl_systems", "", "'rounded'",
      "a trigger acts on the table"}},
    {"MissingTable",
     "DROP TABLE tbl_input_type",
     {G::kTablesAndColumns, S::kError, "tbl_input_type", "", "", "table is missing"}},
    {"MissingColumn",
     "ALTER TABLE tbl_systems DROP COLUMN land_use_factor",
     {G::kTablesAndColumns, S::kError, "tbl_systems", "land_use_factor", "", "column is missing"}},
    {"MissingColumnOfAValueWithUncertainty",
     "INSERT INTO value_uncertainty VALUES ('tbl_input_factors', 'Boreal', 'High', 'grassland', "
     "1.11, 7, 2, 'GL'); ALTER TABLE tbl_input_factors DROP COLUMN grassland_other",
     {G::kTablesAndColumns, S::kError, "tbl_input_factors", "grassland_other", "",
      "column is missing"}},
    // A database made by an earlier build has no constraint to stop this.
    {"TextInANumberColumn",
     "PRAGMA ignore_check_constraints = ON; UPDATE c_stocks SET c_stock_Mg_ha = 'lots' WHERE "
     "soil_type = 'Sandy' AND humoclim = 'Boreal'",
     {G::kNumbers, S::kError, "c_stocks", "c_stock_Mg_ha", "'lots'",
      "not a number (soil_type 'Sandy', humoclim 'Boreal')"}},
    {"InfiniteStock",
     "UPDATE c_stocks SET c_stock_Mg_ha = 9e999 WHERE soil_type = 'Sandy' AND humoclim = 'Boreal'",
     {G::kNumberValues, S::kError, "c_stocks", "c_stock_Mg_ha", "Inf",
      "is not finite (soil_type 'Sandy', humoclim 'Boreal')"}},
    {"HugeStock",
     "UPDATE c_stocks SET c_stock_Mg_ha = 1.7e308 WHERE soil_type = 'Sandy' AND humoclim = "
     "'Boreal'",
     {G::kNumberValues, S::kWarning, "c_stocks", "c_stock_Mg_ha", "1.7E+308",
      "far beyond any published value (soil_type 'Sandy', humoclim 'Boreal')"}},
    {"NegativeStock",
     "UPDATE c_stocks SET c_stock_Mg_ha = -5 WHERE soil_type = 'Sandy' AND humoclim = 'Boreal'",
     {G::kNumberValues, S::kError, "c_stocks", "c_stock_Mg_ha", "-5",
      "is negative (-999 alone means no data) (soil_type 'Sandy'"}},
    // A column with a type stores -0 as 0.
    {"NegativeZeroFactor",
     rebuilt("tbl_input_factors", "climate_region, input_type, grassland_other, input_factor") +
         "UPDATE tbl_input_factors SET input_factor = -0.0 WHERE climate_region = 'Boreal' AND "
         "input_type = 'Low'",
     {G::kNumberValues, S::kError, "tbl_input_factors", "input_factor", "-0",
      "is negative (climate_region 'Boreal', input_type 'Low'"}},
    {"RegionCodeAsText",
     rebuilt("tbl_climate_zone_lookup", "country_name, climate_region_code") +
         "UPDATE tbl_climate_zone_lookup SET climate_region_code = '6.0' WHERE country_name = "
         "'Kenya' AND climate_region_code = 6",
     {G::kClimateRegions, S::kError, "tbl_climate_zone_lookup", "climate_region_code", "'6.0'",
      "a code stored as text, not as a whole number (country_name 'Kenya')"}},
    {"NullOrder",
     "UPDATE tbl_input_type SET input_order = NULL WHERE input_type = 'Medium'",
     {G::kNumbers, S::kError, "tbl_input_type", "input_order", "NULL",
      "no number (system 'Long-term cultivated', input_type 'Medium')"}},
    {"NullName",
     "UPDATE tbl_soiltype_classification SET taxon = NULL WHERE taxon = 'Kastanozems'",
     {G::kEmptyNames, S::kError, "tbl_soiltype_classification", "taxon", "NULL",
      "no name (soiltype 'High clay activity mineral', fao_usda 'WRB')"}},
    {"NullNameBesideNumbers",
     "INSERT INTO tbl_management_type VALUES (NULL, 'Mulch', 4)",
     {G::kEmptyNames, S::kError, "tbl_management_type", "system", "NULL",
      "no name (management_type 'Mulch', management_order 4)"}},
    {"BlankName",
     "INSERT INTO tbl_climate_zone_lookup VALUES ('  ', 1)",
     {G::kEmptyNames, S::kError, "tbl_climate_zone_lookup", "country_name", "'  '",
      "no name (climate_region_code 1)"}},
    {"RegionCodeWithoutName",
     "INSERT INTO tbl_climate_zone_lookup VALUES ('Atlantis', 9)",
     {G::kClimateRegions, S::kError, "tbl_climate_zone_lookup", "climate_region_code", "9",
      "no climate region with this code in tbl_climate_regions (countries: Atlantis)"}},
    {"MissingCarbonStock",
     "DELETE FROM c_stocks WHERE soil_type = 'Volcanic' AND humoclim = 'Tropical Wet'",
     {G::kCarbonStocks, S::kError, "c_stocks", "humoclim", "'Tropical Wet'",
      "no row for soil_type 'Volcanic'"}},
    {"MissingLandUseRow",
     "DELETE FROM tbl_systems WHERE system = 'Set aside' AND climate_region = 'Tropical Dry'",
     {G::kLandUseTypes, S::kError, "tbl_systems", "climate_region", "'Tropical Dry'",
      "no row for system 'Set aside'"}},
    {"LandUseTypeWithoutManagement",
     "DELETE FROM tbl_management_type WHERE system = 'Set aside'",
     {G::kLandUseTypes, S::kError, "tbl_management_type", "system", "'Set aside'",
      "no management systems"}},
    {"LandUseTypeWithoutInputs",
     "DELETE FROM tbl_input_type WHERE system = 'Paddy rice'",
     {G::kLandUseTypes, S::kError, "tbl_input_type", "system", "'Paddy rice'", "no input levels"}},
    {"MissingManagementFactor",
     "DELETE FROM tbl_management_factors WHERE climate_region = 'Cold Temperate Wet' AND "
     "management_type = 'No-till'",
     {G::kFactors, S::kError, "tbl_management_factors", "management_type", "'No-till'",
      "no factor for climate_region 'Cold Temperate Wet' with grassland_other 'other' (land-use "
      "type 'Long-term cultivated')"}},
    {"FactorInTheWrongGroup",
     "UPDATE tbl_management_factors SET grassland_other = 'other' WHERE climate_region = 'Boreal' "
     "AND management_type = 'Improved'",
     {G::kFactors, S::kError, "tbl_management_factors", "management_type", "'Improved'",
      "grassland_other 'grassland' (land-use type 'Grassland'); there is one with grassland_other "
      "'other'"}},
    {"MissingInputFactor",
     "DELETE FROM tbl_input_factors WHERE climate_region = 'Tropical Moist' AND input_type = "
     "'High'",
     {G::kFactors, S::kError, "tbl_input_factors", "input_type", "'High'",
      "no factor for climate_region 'Tropical Moist' (land-use type 'Grassland' under "
      "'Improved')"}},
    {"MissingDoesNotApplyInputFactor",
     "DELETE FROM tbl_input_factors WHERE climate_region = 'Boreal' AND input_type = 'Does not "
     "apply'",
     {G::kFactors, S::kError, "tbl_input_factors", "input_type", "'Does not apply'",
      "(land-use type 'Grassland' under a management system other than 'Improved')"}},
    {"FactorGroupMisspelt",
     "UPDATE tbl_input_factors SET grassland_other = 'pasture' WHERE climate_region = 'Boreal' AND "
     "input_type = 'High'",
     {G::kFactors, S::kError, "tbl_input_factors", "grassland_other", "'pasture'",
      "neither 'grassland' nor 'other'"}},
    {"NoResetSoilType",
     "UPDATE c_stocks SET soil_type = 'Clay' WHERE soil_type = 'High clay activity mineral'; "
     "UPDATE tbl_soiltype_classification SET soiltype = 'Clay' WHERE soiltype = 'High clay "
     "activity mineral'",
     {G::kNamedValues, S::kError, "c_stocks", "soil_type", "'High clay activity mineral'",
      "missing"}},
    {"ResetSoilTypeWithoutStock",
     "UPDATE c_stocks SET c_stock_Mg_ha = -999 WHERE soil_type = 'High clay activity mineral' AND "
     "humoclim = 'Boreal'",
     {G::kNamedValues, S::kWarning, "c_stocks", "c_stock_Mg_ha", "-999", "in humoclim 'Boreal'"}},
    {"NoGrassland",
     "UPDATE tbl_systems SET system = 'Pasture' WHERE system = 'Grassland'; UPDATE "
     "tbl_management_type SET system = 'Pasture' WHERE system = 'Grassland'; UPDATE tbl_input_type "
     "SET system = 'Pasture' WHERE system = 'Grassland'; UPDATE tbl_management_factors SET "
     "grassland_other = 'other'",
     {G::kNamedValues, S::kError, "tbl_systems", "system", "'Grassland'", "missing"}},
    {"NoImprovedGrassland",
     "UPDATE tbl_management_type SET management_type = 'Better' WHERE management_type = "
     "'Improved'; UPDATE tbl_management_factors SET management_type = 'Better' WHERE "
     "management_type = 'Improved'",
     {G::kNamedValues, S::kError, "tbl_management_type", "management_type", "'Improved'",
      "missing for system 'Grassland'"}},
    {"TaxonOfNoSoilType",
     "UPDATE tbl_soiltype_classification SET soiltype = 'Peat' WHERE taxon = 'Kastanozems'",
     {G::kSoilTaxa, S::kError, "tbl_soiltype_classification", "soiltype", "'Peat'",
      "no soil_type of c_stocks has this name (1 taxa)"}},
    {"TaxonOfNoClassification",
     "UPDATE tbl_soiltype_classification SET fao_usda = 'Other' WHERE taxon = 'Kastanozems'",
     {G::kSoilTaxa, S::kError, "tbl_soiltype_classification", "fao_usda", "'Other'",
      "neither 'WRB' nor 'USDA' (1 taxa)"}},
    {"RegionInAnotherCase",
     "UPDATE tbl_systems SET climate_region = 'tropical dry' WHERE climate_region = 'Tropical Dry' "
     "AND system = 'Paddy rice'",
     {G::kSpelling, S::kError, "tbl_systems", "climate_region", "'tropical dry'",
      "from the climate region 'Tropical Dry' in tbl_climate_regions.climate_region"}},
    {"RegionWithATrailingBlank",
     "UPDATE c_stocks SET humoclim = 'Boreal ' WHERE soil_type = 'Sandy' AND humoclim = 'Boreal'",
     {G::kSpelling, S::kError, "c_stocks", "humoclim", "'Boreal '",
      "differs only in case or blanks from the climate region 'Boreal'"}},
    {"NamedValueInAnotherCase",
     "UPDATE tbl_management_type SET management_type = 'does not apply' WHERE system = 'Paddy "
     "rice'",
     {G::kSpelling, S::kError, "tbl_management_type", "management_type", "'does not apply'",
      "from the management system 'Does not apply' as the calculator names it"}},
    {"DuplicateCarbonStock",
     "INSERT INTO c_stocks VALUES ('Sandy', 'Boreal', 12)",
     {G::kDuplicates, S::kError, "c_stocks", "humoclim", "'Boreal'",
      "2 rows for soil_type 'Sandy' with c_stock_Mg_ha 10, 12: the lookup takes the first"}},
    {"ManagementListedTwice",
     "INSERT INTO tbl_management_type VALUES ('Long-term cultivated', 'No-till', 5)",
     {G::kDuplicates, S::kError, "tbl_management_type", "management_type", "'No-till'",
      "2 rows for system 'Long-term cultivated' with management_order 3, 5"}},
    {"RegionCodeWithTwoNames",
     "UPDATE tbl_climate_zone_lookup SET climate_region_code = 2 WHERE climate_region_code = 3; "
     "UPDATE tbl_climate_regions SET region = 2 WHERE region = 3",
     {G::kDuplicates, S::kError, "tbl_climate_regions", "region", "2",
      "2 rows with climate_region 'Cold Temperate Dry', 'Cold Temperate Wet'"}},
    {"NoDataManagementFactorInAList",
     "UPDATE tbl_management_factors SET management_factor = -999 WHERE climate_region = 'Boreal' "
     "AND management_type = 'No-till'",
     {G::kNoDataValue, S::kWarning, "tbl_management_factors", "management_factor", "-999",
      "a list offers this factor (climate_region 'Boreal'"}},
    {"NoDataInputFactorNoListReaches",
     "INSERT INTO tbl_input_factors VALUES ('Boreal', 'Organic', 'other', -999)",
     {G::kNoDataValue, S::kWarning, "tbl_input_factors", "input_factor", "-999",
      "-999 means no data only in"}},
    {"NoDataOrder",
     "UPDATE tbl_input_type SET input_order = -999 WHERE input_type = 'Low'",
     {G::kNoDataValue, S::kError, "tbl_input_type", "input_order", "-999",
      "(system 'Long-term cultivated', input_type 'Low')"}},
    {"TwoEditions",
     "CREATE TABLE edition (id TEXT, title TEXT); INSERT INTO edition VALUES ('2003', 'a'), "
     "('2006', 'b')",
     {G::kEdition, S::kError, "edition", "", "", "2 rows: it records the one edition"}},
    {"EditionWithoutTitle",
     "CREATE TABLE edition (id TEXT); INSERT INTO edition VALUES ('2003')",
     {G::kEdition, S::kError, "edition", "title", "", "the column is missing"}},
    {"EditionWithAnEmptyTitle",
     "CREATE TABLE edition (id TEXT, title TEXT); INSERT INTO edition VALUES ('2006', ' ')",
     {G::kEdition, S::kError, "edition", "id", "'2006'", "needs an id and a title"}},
    {"UnknownEdition",
     "CREATE TABLE edition (id TEXT, title TEXT); INSERT INTO edition VALUES ('1996', 'Revised "
     "guidelines')",
     {G::kEdition, S::kWarning, "edition", "id", "'1996'",
      "not an edition of the shipped defaults (2003, 2006, 2019)"}},
    // A database made before the editions carried uncertainties.
    {"NoUncertainties",
     "DROP TABLE value_uncertainty",
     {G::kUncertainties, S::kWarning, "value_uncertainty", "", "",
      "no published uncertainties; ranges cannot be computed"}},
    {"UncertainValueEdited",
     "INSERT INTO value_uncertainty VALUES ('c_stocks', 'Boreal', 'Sandy', NULL, 10, 90, 2, 'GL'); "
     "UPDATE c_stocks SET c_stock_Mg_ha = 12 WHERE soil_type = 'Sandy' AND humoclim = 'Boreal'",
     {G::kUncertainties, S::kWarning, "c_stocks", "c_stock_Mg_ha", "12",
      "edited from the published 10 (humoclim 'Boreal', soil_type 'Sandy'), so it is used as "
      "exact, without its published ±90%"}},
    // Boreal 'High' is a grassland input level only: the row has gone.
    {"UncertainValueDeleted",
     "INSERT INTO value_uncertainty VALUES ('tbl_input_factors', 'Boreal', 'High', 'other', 1.1, "
     "13, 2, 'GL')",
     {G::kUncertainties, S::kWarning, "value_uncertainty", "name", "'High'",
      "no row of tbl_input_factors for climate_region 'Boreal', input_type 'High', "
      "grassland_other 'other': the published ±13% of 1.1 belongs to no value"}}};

INSTANTIATE_TEST_SUITE_P(Rules, OneBrokenRuleTest, ::testing::ValuesIn(kBrokenRules),
                         [](const ::testing::TestParamInfo<BrokenRule>& info) {
                             return info.param.name;
                         });

// The 2019 edition publishes no Polar factors: every land-use factor there is -999, which stops
// the calculator before a management or input factor is used. Once a land-use factor is given,
// the lists reach the -999 factors behind it.
TEST(DatabaseCheckTest, ANoDataFactorIsReportedOnlyWhereAListReachesIt) {
    testing::TempDir dir;
    const std::string path = dir.file("defaults-2019.mdb");
    create_edition_database(path, testing::default_data_directory(), *find_edition("2019"));
    sqlite::Database(path, sqlite::OpenMode::kReadWrite)
        .execute(
            "UPDATE tbl_systems SET land_use_factor = 0.5 WHERE climate_region = 'Polar' AND "
            "system = 'Long-term cultivated'");
    const auto findings = check_database(path);
    // The three tillage systems and four input levels of long-term cultivated land; grassland
    // in Polar still has no land-use factor, so its -999 factors stay unreached.
    EXPECT_EQ(findings.size(), 7u) << format_report(findings);
    for (const Finding& finding : findings) {
        EXPECT_EQ(group_title(finding.group), group_title(G::kNoDataValue));
        EXPECT_EQ(finding.severity, S::kWarning);
        EXPECT_THAT(finding.problem,
                    HasSubstr("a list offers this factor (climate_region 'Polar'"));
        EXPECT_THAT(finding.problem, HasSubstr("grassland_other 'other'"));
    }
}

TEST(DatabaseCheckTest, ALandUseFactorWithoutDataSilencesOnlyTheFactorsBehindIt) {
    testing::TempDir dir;
    // No data for long-term cultivated in one region, and none for its no-till there: the
    // calculator resets the system before using the tillage factor.
    const std::string stopped =
        "UPDATE tbl_systems SET land_use_factor = -999 WHERE system = 'Long-term cultivated' AND "
        "climate_region = 'Tropical Wet'; UPDATE tbl_management_factors SET management_factor = "
        "-999 WHERE climate_region = 'Tropical Wet' AND management_type = 'No-till'; ";
    auto findings = check_database(default_database_with(dir, stopped));
    EXPECT_TRUE(findings.empty()) << format_report(findings);

    // The same no-till factor in a region where long-term cultivated has its factor is used.
    testing::TempDir other;
    findings = check_database(default_database_with(
        other, stopped + "UPDATE tbl_management_factors SET management_factor = -999 WHERE "
                         "climate_region = 'Tropical Moist' AND management_type = 'No-till'"));
    ASSERT_EQ(findings.size(), 1u) << format_report(findings);
    EXPECT_THAT(findings[0].problem,
                HasSubstr("a list offers this factor (climate_region 'Tropical Moist'"));
}

TEST(DatabaseCheckTest, ReportsEachProblemOfAFaultyDatabaseOnce) {
    testing::TempDir dir;
    const std::string path = dir.file("humo_tool.mdb");
    create_database(path, testing::read_fixture("calculator.sql"));
    const auto findings = check_database(path);
    for (size_t i = 0; i < findings.size(); ++i)
        for (size_t j = i + 1; j < findings.size(); ++j)
            EXPECT_FALSE(findings[i] == findings[j]) << findings[i].problem;
    // A land-use type written with a trailing blank is among them, named as the report shows it.
    EXPECT_THAT(
        format_report(findings),
        HasSubstr("  error: tbl_systems.system 'Grassland ': differs only in case or blanks "
                  "from the land-use type 'Grassland' as the calculator names it\n"));
}

TEST(DatabaseCheckTest, TheReportGroupsCountsAndTotals) {
    const std::vector<Finding> findings = {
        {G::kSpelling, S::kError, "c_stocks", "humoclim", "'boreal'", "differs"},
        {G::kCarbonStocks, S::kError, "c_stocks", "humoclim", "'Boreal'", "no row"},
        {G::kSpelling, S::kError, "tbl_systems", "system", "'x'", "differs"},
        {G::kNoDataValue, S::kWarning, "tbl_input_factors", "input_factor", "-999", "offered"},
    };
    EXPECT_EQ(
        format_report(findings),
        "Reference carbon stocks (1)\n  error: c_stocks.humoclim 'Boreal': no row\nNames that "
        "differ only in case or blanks (2)\n  error: c_stocks.humoclim 'boreal': differs\n  error: "
        "tbl_systems.system 'x': differs\nThe no-data value -999 (1)\n  warning: "
        "tbl_input_factors.input_factor -999: offered\n4 findings: 3 errors, 1 warning.\n");
}

}  // namespace
}  // namespace humo::db
