// Rows share what they picked: a site or a system is looked up once and found again by the
// cells that named it. Sharing must never hand a row another row's picks or numbers.

#include <cctype>

#include "batch_harness.h"
#include "cell_memo.h"
#include "scenario.h"

namespace humo::batch {
namespace {

TEST(CellMemoTest, CellsThatRunTogetherAlikeAreToldApart) {
    CellMemo memo;
    // "a,b" "c" "d" and "a" "b,c" "d" lie in the same stretch of a line.
    const std::string_view line = "a,b,c,d";
    const CellMemo::Cells first = {line.substr(0, 3), line.substr(4, 1), line.substr(6, 1)};
    const CellMemo::Cells second = {line.substr(0, 1), line.substr(2, 3), line.substr(6, 1)};
    memo.insert(1, first, 10);
    EXPECT_EQ(memo.find(1, first), 10);
    EXPECT_EQ(memo.find(1, second), CellMemo::kNone);
    EXPECT_EQ(memo.find(2, first), CellMemo::kNone);
    memo.insert(1, second, 20);
    EXPECT_EQ(memo.find(1, second), 20);
    EXPECT_EQ(memo.find(1, first), 10);

    // Cells apart from each other, as a quoted record's are, and the same cells in another line.
    const std::string a = "a,b", c = "c", d = "d";
    memo.insert(1, {a, c, d}, 30);
    EXPECT_EQ(memo.find(1, {std::string(a), std::string(c), std::string(d)}), 30);
    const std::string again = "xa,b,c,d";
    const CellMemo::Cells moved = {std::string_view(again).substr(1, 3),
                                   std::string_view(again).substr(5, 1),
                                   std::string_view(again).substr(7, 1)};
    EXPECT_EQ(memo.find(1, moved), 10);
    // Empty cells, and cells that differ only in their last bytes.
    memo.insert(3, {"", "", ""}, 40);
    EXPECT_EQ(memo.find(3, {"", "", ""}), 40);
    EXPECT_EQ(memo.find(3, {"", "", " "}), CellMemo::kNone);
}

class ScenarioSharingTest : public ::testing::Test {
protected:
    static const engine::MemoryTables& tables() {
        static const testing::TempDir dir;
        static const auto tables = engine::load_memory_tables(testing::shipped_database(dir), {});
        return tables;
    }

    struct Figures {
        std::string reference, from_stock, to_stock, change, error;
        bool operator==(const Figures&) const = default;
    };
    static Figures figures(const ScenarioResult& result) {
        return {std::string(result.reference_stock), std::string(result.from.stock),
                std::string(result.to.stock), std::string(result.annual_change), result.error};
    }
};

// The Kenyan example, each name spelt with the letters chosen by `pattern` in upper case.
struct KenyaRow {
    std::string country = "Kenya";
    std::string region = "Tropical Dry";
    std::string soil = "High clay activity mineral";

    explicit KenyaRow(uint64_t pattern) {
        for (std::string* name : {&country, &region, &soil}) {
            for (char& c : *name) {
                if (std::isalpha(static_cast<unsigned char>(c))) {
                    if (pattern & 1)
                        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                    pattern >>= 1;
                }
            }
        }
    }
    ScenarioCells cells(std::optional<std::string_view> stock = std::nullopt) const {
        return {country,
                region,
                soil,
                {"Long-term cultivated", "Full tillage", "Medium"},
                {"Grassland", "Improved", "High"},
                stock,
                std::nullopt,
                std::nullopt};
    }
};

TEST_F(ScenarioSharingTest, EverySpellingOfASiteGivesItsNumbersBeyondWhatIsKeptShared) {
    ScenarioCalculator calculator(tables());
    const Figures kenya{"38", "26.2", "49.4", "1.16", ""};
    // More spellings than rows share at once, so that what is shared starts afresh on the way,
    // then the first ones again.
    constexpr uint64_t kSpellings = 70'000;
    for (uint64_t pattern = 0; pattern < kSpellings + 100; ++pattern) {
        const KenyaRow row(pattern % kSpellings);
        ASSERT_EQ(figures(calculator.compute(row.cells())), kenya) << row.country << row.region;
    }
}

TEST_F(ScenarioSharingTest, ATypedStockIsTheRowsOwnAndAFailedPickIsNamedEveryTime) {
    ScenarioCalculator calculator(tables());
    const KenyaRow row(0);
    const Figures fifty = figures(calculator.compute(row.cells("50")));
    EXPECT_EQ(fifty.reference + " " + fifty.from_stock, "50 34.5");
    const Figures eighty = figures(calculator.compute(row.cells("80")));
    EXPECT_EQ(eighty.reference + " " + eighty.from_stock, "80 55.2");
    const Figures table = figures(calculator.compute(row.cells("")));
    EXPECT_EQ(table.reference + " " + table.from_stock, "38 26.2");

    ScenarioCells unknown = row.cells();
    unknown.from.management = "Fuld tillage";
    for (int time = 0; time < 2; ++time) {
        EXPECT_EQ(calculator.compute(unknown).error,
                  "from_management \"Fuld tillage\" is unknown; did you mean \"Full tillage\"?");
        EXPECT_EQ(figures(calculator.compute(row.cells())).to_stock, "49.4");
    }
}

// Sharing never changes a row's figures, however many sites and systems a run meets: every
// FROM system on every Kenyan site, in one run, gives what it gives computed alone.
TEST_F(ScenarioSharingTest, ManySitesAndSystemsInOneRunGiveWhatEachGivesAlone) {
    ScenarioCalculator shared(tables());
    const KenyaRow kenya(0);
    int rows = 0;
    for (const std::string& region : tables().climate_regions("Kenya").texts) {
        for (const std::string& land_use : tables().land_uses(region).texts) {
            for (const std::string& management : tables().managements(land_use).texts) {
                for (const std::string& input :
                     tables().inputs(land_use, engine::InputOrder::kDisplay).texts) {
                    for (const std::string& soil : tables().soil_types().texts) {
                        ScenarioCells cells = kenya.cells();
                        cells.climate_region = region;
                        cells.soil_type = soil;
                        cells.from = {land_use, management, input};
                        ++rows;
                        ASSERT_EQ(figures(shared.compute(cells)),
                                  figures(ScenarioCalculator(tables()).compute(cells)))
                            << region << " / " << soil << ": " << land_use << ", " << management
                            << ", " << input;
                    }
                }
            }
        }
    }
    EXPECT_GT(rows, 200);
}

}  // namespace
}  // namespace humo::batch
