"""examples/dask_batch.py on a local cluster of two workers against humo-batch."""

import os
import subprocess
import sys

import scenario_file

EXAMPLE = os.environ["HUMO_DASK_EXAMPLE"]


def test_dask_example_writes_humo_batchs_cells_in_input_order(tmp_path):
    header, rows = scenario_file.generated_rows(2010, ",")
    # pandas' CSV reader ends a cell at a NUL byte: the one bad row the example cannot see.
    rows = [row for row in rows if not any("\0" in cell for cell in row)] * 100
    assert len(rows) >= 200_000
    scenario_file.write_csv(tmp_path / "in.csv", header, rows, ",")
    expected = scenario_file.humo_batch(tmp_path / "in.csv", tmp_path / "batch.csv", ",")

    size = os.path.getsize(tmp_path / "in.csv")
    run = subprocess.run(
        [sys.executable, EXAMPLE, "--database", scenario_file.DATABASE, "--decimal-separator",
         ",", "--workers", "2", "--blocksize", str(size // 4 + 1), str(tmp_path / "in.csv"),
         str(tmp_path / "dask.csv")], capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    assert scenario_file.read_csv(tmp_path / "dask.csv", ",") == expected
