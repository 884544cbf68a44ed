#!/usr/bin/python3
"""Runs the benchmarks on a synthetic program folder and prints their figures as Markdown:
for each benchmark the minimum and the median of its repetitions, its counters, and for
the derivation query its ratio to the engine's full-scan floor, both from the same run.

    bench/report.py <bench-bin folder> <synthetic program folder> [--repetitions N]
                    [--filter REGEX]

The machine and its load before and after the run head the report, so that a figure can be
read beside the conditions it was taken in.
"""

import argparse
import json
import os
import platform
import re
import statistics
import subprocess
import sys
import tempfile

PROGRAMS = [
    "murvel_bench_derivation",
    "murvel_bench_lookup",
    "murvel_bench_startup",
    "murvel_bench_views",
    "murvel_bench_mainprogram",
    "porvex_bench_engine",
]

UNITS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def machine():
    model = "unknown processor"
    with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{model}, {os.cpu_count()} logical processors, {platform.system()} {platform.release()}"


def load():
    return "{:.2f} {:.2f} {:.2f}".format(*os.getloadavg())


def run(program, folder, repetitions, pattern):
    """The program's benchmarks that the pattern names; none when it names none."""
    with tempfile.NamedTemporaryFile(suffix=".json") as output:
        command = [program, f"--benchmark_repetitions={repetitions}",
                   f"--benchmark_filter={pattern}", f"--benchmark_out={output.name}",
                   "--benchmark_out_format=json"]
        environment = dict(os.environ, MURVEL_SYNTHETIC_DIR=folder)
        result = subprocess.run(command, env=environment, capture_output=True, text=True,
                                check=False)
        if result.returncode != 0:
            sys.exit(f"{program} failed ({result.returncode}):\n{result.stderr}")
        text = output.read()
    return json.loads(text)["benchmarks"] if text else []


def figures(benchmarks):
    """The repetitions of each benchmark, in milliseconds, with its last counters."""
    runs = {}
    for entry in benchmarks:
        if entry.get("run_type") != "iteration":
            continue
        if "error_message" in entry:
            runs[entry["run_name"]] = {"error": entry["error_message"]}
            continue
        record = runs.setdefault(entry["run_name"], {"times": [], "counters": {}})
        if "error" in record:
            continue
        record["times"].append(entry["real_time"] * UNITS[entry["time_unit"]])
        for key, value in entry.items():
            if key in ("records", "items", "peak_MiB", "own_MiB", "mapped_MiB"):
                record["counters"][key] = value
    return runs


def milliseconds(value):
    if value >= 100:
        return f"{value:.0f} ms"
    if value >= 1:
        return f"{value:.1f} ms"
    return f"{value * 1000:.0f} µs"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("bench_bin")
    parser.add_argument("folder")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--filter", default=".")
    arguments = parser.parse_args()
    folder = os.path.abspath(arguments.folder)

    print(f"Machine: {machine()}")
    print(f"Folder: {folder}")
    print(f"Load average before: {load()}")
    rows = []
    medians = {}
    for name in PROGRAMS:
        program = os.path.join(arguments.bench_bin, name)
        for benchmark, result in figures(run(program, folder, arguments.repetitions,
                                              arguments.filter)).items():
            if "error" in result:
                rows.append(f"| {benchmark} | skipped: {result['error']} | | |")
                continue
            times = result["times"]
            medians[benchmark] = statistics.median(times)
            counters = ", ".join(f"{key} {value:g}" for key, value in result["counters"].items())
            rows.append(f"| {benchmark} | {milliseconds(min(times))} | "
                        f"{milliseconds(statistics.median(times))} | {counters} |")
    print(f"Load average after: {load()}")
    print(f"Repetitions: {arguments.repetitions}\n")
    print("| benchmark | min | median | counters |")
    print("|---|---|---|---|")
    print("\n".join(rows))

    ratios = []
    for benchmark, median in medians.items():
        match = re.fullmatch(r"BM_DerivationQuery/(.+)", benchmark)
        floor = medians.get(f"BM_DerivationScanFloor/{match.group(1)}") if match else None
        if floor:
            ratios.append(f"| {match.group(1)} | {median / floor:.2f} |")
    if ratios:
        print("\n| column | query / full-scan floor (medians) |")
        print("|---|---|")
        print("\n".join(ratios))


if __name__ == "__main__":
    main()
