#!/usr/bin/python3
"""Computes a scenario file on a Dask cluster, every cell as humo-batch writes it.

    examples/dask_batch.py [--database FILE | --edition ID] [--decimal-separator C]
                           [--scheduler ADDRESS | --workers N] [--blocksize BYTES]
                           IN.csv OUT.csv

The input is read in blocks on the workers, every column as text; each block is computed there
with humo_tool's compute_frame, each worker opening the database once; the blocks come back in
input order and are written to OUT.csv here. Without --scheduler a local cluster of one worker
per core is started. Every worker needs humo_tool installed, IN.csv at the same path, and the
database: the same file at the same path (--database), an edition's defaults (--edition, which
the package installs), or else its own user's copy.
"""

import argparse
import csv
import os
import sys

import dask.dataframe
from dask.distributed import Client, LocalCluster, get_worker

import humo_tool


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    source = parser.add_mutually_exclusive_group()
    source.add_argument("--database", help="the database file, at this path on every worker")
    source.add_argument("--edition", help="the pristine defaults of an edition: 2003, 2006, 2019")
    parser.add_argument("--decimal-separator", default=".",
                        help="the separator of numbers read and written (default .)")
    parser.add_argument("--scheduler", help="the address of a running Dask scheduler")
    parser.add_argument("--blocksize", default="64MB", help="the size of a block (default 64MB)")
    parser.add_argument("--workers", type=int, default=os.cpu_count(),
                        help="the local cluster's workers (default: one per core)")
    parser.add_argument("input", metavar="IN.csv")
    parser.add_argument("output", metavar="OUT.csv")
    return parser.parse_args(argv)


def compute_block(frame, database, edition, separator):
    """Runs on a worker: the worker's database is opened with its first block."""
    worker = get_worker()
    key = (database, edition, separator)
    opened = getattr(worker, "humo_tool_databases", None)
    if opened is None:
        opened = worker.humo_tool_databases = {}
    if key not in opened:
        opened[key] = humo_tool.open(database, edition, decimal_separator=separator)
    return opened[key].compute_frame(frame)


def header_line(path):
    with open(path, encoding="utf-8-sig", errors="surrogateescape", newline="") as file:
        return file.readline().rstrip("\r\n")


def run(arguments, client, database):
    delimiter = humo_tool.csv_delimiter(header_line(arguments.input))
    # Every cell as text, an empty one as "", a byte that is not UTF-8 kept for the row's error.
    blocks = dask.dataframe.read_csv(
        arguments.input, sep=delimiter, dtype=str, keep_default_na=False, na_filter=False,
        encoding="utf-8-sig", encoding_errors="surrogateescape", skip_blank_lines=True,
        blocksize=arguments.blocksize)
    computed = blocks.map_partitions(
        compute_block, arguments.database, arguments.edition, arguments.decimal_separator,
        meta=database.compute_frame(blocks._meta))
    futures = client.compute(computed.to_delayed())
    partial = arguments.output + ".part"
    with open(partial, "w", encoding="utf-8", errors="surrogateescape", newline="") as out:
        for number, future in enumerate(futures):
            frame = future.result()
            frame.to_csv(out, sep=delimiter, index=False, header=number == 0,
                         quoting=csv.QUOTE_MINIMAL, lineterminator="\n")
            future.release()
    os.replace(partial, arguments.output)


def main(argv):
    arguments = parse_arguments(argv)
    # Fails here, before any worker starts, when the database cannot be used.
    database = humo_tool.open(arguments.database, arguments.edition,
                              decimal_separator=arguments.decimal_separator)
    if arguments.scheduler:
        with Client(arguments.scheduler) as client:
            run(arguments, client, database)
    else:
        with LocalCluster(n_workers=arguments.workers, threads_per_worker=1) as cluster, \
                Client(cluster) as client:
            run(arguments, client, database)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except (humo_tool.DatabaseError, ValueError) as error:
        print(f"dask_batch: {error}", file=sys.stderr)
        sys.exit(2)
