#!/usr/bin/python3
"""Times opening a generated list of a million words with the Python module
against tarvo-cli on the same file.

    PYTHONPATH=build/python bench/python_open.py [build/tarvo-cli] [WORDS]

Each figure is the median of five runs: `tarvo-cli groups FILE` (read, build,
rank and print), tarvo.open(FILE) with its ranked groups, and tarvo.open()
of the same words held in a Python list.
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

import tarvo

RUNS = 5


def generated_words(count):
    """Words of a made-up language: stems of 3 to 8 letters, each taking a
    few of twelve endings, so that the list has real suffix groups."""
    rng = random.Random(17)
    letters = "aeioubcdfghklmnprstvz"
    endings = ["", "a", "e", "i", "o", "y", "em", "ach", "ami", "owi", "ów", "ę"]
    words = []
    while len(words) < count:
        stem = "".join(rng.choice(letters) for _ in range(rng.randint(3, 8)))
        words += [stem + ending for ending in rng.sample(endings, rng.randint(1, 8))]
    return words[:count]


def median_seconds(run):
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/tarvo-cli"
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    words = generated_words(count)
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt") as file:
        file.write("\n".join(words) + "\n")
        file.flush()
        figures = {
            "tarvo-cli groups FILE": median_seconds(
                lambda: subprocess.run([cli, "groups", file.name], check=True, stdout=subprocess.DEVNULL)),
            "tarvo.open(FILE).groups": median_seconds(lambda: tarvo.open(file.name).groups),
            "tarvo.open(list of str).groups": median_seconds(lambda: tarvo.open(words).groups),
        }
    print(f"{count} words, median of {RUNS} runs")
    for name, seconds in figures.items():
        print(f"{name:32} {seconds:7.3f} s")


if __name__ == "__main__":
    main()
