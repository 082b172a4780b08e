"""humo_tool's compute and compute_frame against humo-batch, and its errors."""

import pandas
import pytest

import humo_tool
import scenario_file


@pytest.fixture(scope="module", params=[".", ","], ids=["point", "comma"])
def scenarios(request, tmp_path_factory):
    """A generated file under a decimal separator, its rows, and humo-batch's output."""
    separator = request.param
    folder = tmp_path_factory.mktemp("scenarios")
    header, rows = scenario_file.generated_rows(600, separator)
    scenario_file.write_csv(folder / "in.csv", header, rows, separator)
    expected = scenario_file.humo_batch(folder / "in.csv", folder / "out.csv", separator)
    database = humo_tool.open(scenario_file.DATABASE, decimal_separator=separator)
    return header, rows, expected, database


def test_compute_frame_writes_every_cell_as_humo_batch(scenarios):
    header, rows, (expected_header, expected_rows), database = scenarios
    frame = pandas.DataFrame(rows, columns=header)
    computed = database.compute_frame(frame)
    assert list(computed.columns) == expected_header
    assert computed.values.tolist() == expected_rows
    assert frame.columns.tolist() == header, "the frame given is left as it was"


def test_compute_gives_humo_batch_results(scenarios):
    header, rows, (expected_header, expected_rows), database = scenarios
    results = expected_header[len(header):]
    for row, expected in zip(rows, expected_rows):
        computed = database.compute(**dict(zip(header, row)))
        assert list(computed) == results
        assert list(computed.values()) == expected[len(header):], row


def test_frame_cells_that_are_no_text_read_as_humo_batch_reads_them():
    database = humo_tool.open(scenario_file.DATABASE)
    row = scenario_file.SITE + scenario_file.CROP + scenario_file.GRASS
    columns = scenario_file.COLUMNS[:9] + ["area_ha", "carbon_stock"]
    frame = pandas.DataFrame([row + [12.5, None], row + [float("nan"), pandas.NA],
                              row + [3, 60]], columns=columns)
    texts = pandas.DataFrame([row + ["12.5", ""], row + ["", ""], row + ["3", "60"]],
                             columns=columns)
    assert database.compute_frame(frame).iloc[:, 11:].equals(
        database.compute_frame(texts).iloc[:, 11:])
    assert database.compute_frame(texts)["total_annual_change"].tolist()[1] == ""


def test_a_frame_without_a_column_and_an_unusable_database_raise(tmp_path):
    database = humo_tool.open(scenario_file.DATABASE)
    frame = pandas.DataFrame([["x"] * 9], columns=scenario_file.COLUMNS[:8] + ["to_inputs"])
    with pytest.raises(ValueError, match='no column "to_input"; the column "to_inputs" may be'):
        database.compute_frame(frame)
    with pytest.raises(humo_tool.DatabaseError, match=f"{tmp_path}/none.mdb does not exist"):
        humo_tool.open(str(tmp_path / "none.mdb"))
    (tmp_path / "text.mdb").write_text("no database")
    with pytest.raises(humo_tool.DatabaseError, match=f"{tmp_path}/text.mdb"):
        humo_tool.open(str(tmp_path / "text.mdb"))
    with pytest.raises(humo_tool.DatabaseError, match="no edition 1999; the editions are 2003"):
        humo_tool.open(edition="1999")
    with pytest.raises(ValueError, match="decimal separator"):
        humo_tool.open(scenario_file.DATABASE, decimal_separator="1")


def test_lists_offer_what_the_calculator_offers_after_each_pick():
    database = humo_tool.open(edition="2003")
    lists = database.lists(country="canada", climate_region="Cold temperate wet",
                           land_use="GRASSLAND")
    assert lists["climate_region"] == ["Boreal", "Cold Temperate Dry", "Cold Temperate Wet"]
    assert lists["land_use"] == ["Grassland", "Long-term cultivated", "Paddy rice", "Set aside"]
    assert lists["management"] == ["Nominally managed", "Moderately degraded",
                                   "Severely degraded", "Improved"]
    assert "input" not in lists, "grassland's inputs wait for its management"
    assert database.lists(land_use="Grassland", management="Improved")["input"] == [
        "Nominal", "High"]
    assert database.lists(land_use="Grassland",
                          management="Severely degraded")["input"] == ["Does not apply"]
    assert len(database.lists()["country"]) > 100 and "climate_region" not in database.lists()
