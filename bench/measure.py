#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times Wendrake on generated files and reports the figures (run by bench/run).

    bench/measure.py --bin BUILD/bin --work DIR [--sizes 1000 4000 ...] [--reps R]
                     [--csv FILE] [--plot FILE]

For each size N it generates the files with bench/gen, then times, each as
the median of R runs after one warm-up run:

  format-cfg, format-ide, format-dat   `wendrake format FILE -o OUT`, a process each
  reference, reference-c               `awk '{$1=$1};1' FILE | sort -f > /dev/null` on
                                       the handling file, in the locale of the
                                       environment and with LC_ALL=C
  open, filter, select, sort, type, problems, save, undo, undo-step
                                       the main window (wendrake_bench), handling file
  import, undo-import                  1000 vehicles imported into the handling file, and undone
                                       (into N - 1000 vehicles when N + 1000 would pass
                                       the table limit of 32767)
  open-ide, select-ide, open-dat, select-dat
                                       the main window on the other two kinds

Peak memory (peak_mb) is the highest resident size of the process while the
operation ran: of the whole process for the command line, of the timed
repetitions for the window (process_peak_mb: its whole run, start included).
It prints a table, writes the CSV file and draws the plot with gnuplot.
"""

import argparse
import csv
import os
import shutil
import statistics
import subprocess
import sys
import time

TABLE_LIMIT = 32767
IMPORTED = 1000
HERE = os.path.dirname(os.path.abspath(__file__))

# Operation, what it is called in the table.
COMMAND_LINE = [
    ("format-cfg", "format handling.cfg"),
    ("format-ide", "format default.ide"),
    ("format-dat", "format carcols.dat"),
    ("reference", "awk | sort -f (locale {locale})"),
    ("reference-c", "awk | sort -f (LC_ALL=C)"),
]
WINDOW = [
    ("open", "open handling.cfg"),
    ("filter", "type a letter into the vehicle filter"),
    ("select", "select one vehicle"),
    ("sort", "sort the table of all vehicles by a number column"),
    ("type", "type one value"),
    ("problems", "a key press that adds or removes a problem row"),
    ("save", "save"),
    ("import", "import 1000 vehicles"),
    ("undo", "File > Revert to Saved"),
    ("undo-step", "Edit > Undo of a typed value"),
    ("undo-import", "Edit > Undo of an import"),
    ("open-ide", "open default.ide"),
    ("select-ide", "select one (default.ide)"),
    ("open-dat", "open carcols.dat"),
    ("select-dat", "select one (carcols.dat)"),
]


def run_once(argv, env=None, stdout=subprocess.DEVNULL):
    """Wall time in ms and peak resident memory in MiB of one process."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, env=env, stdout=stdout, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = (time.perf_counter() - start) * 1000.0
    process.returncode = os.waitstatus_to_exitcode(status)
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if process.returncode != 0:
        sys.exit(f"bench: {' '.join(argv)} failed ({process.returncode}): {errors.strip()}")
    return elapsed, usage.ru_maxrss / 1024.0


def time_process(argv, reps, env=None):
    run_once(argv, env)  # warm-up: files in the page cache, libraries loaded
    runs = [run_once(argv, env) for _ in range(reps)]
    times = [t for t, _ in runs]
    return {
        "median_ms": statistics.median(times),
        "min_ms": min(times),
        "max_ms": max(times),
        "peak_mb": max(m for _, m in runs),
        "process_peak_mb": max(m for _, m in runs),
        "reps": reps,
    }


def time_window(bench, operation, file, exchange, reps, env):
    argv = [bench, operation, file] + ([exchange] if exchange else []) + ["--reps", str(reps)]
    result = subprocess.run(argv, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"bench: {' '.join(argv)} failed: {result.stderr.strip()}")
    line = result.stdout.strip().splitlines()[-1]
    fields = dict(item.split("=", 1) for item in line.split())
    return {
        "median_ms": float(fields["median_ms"]),
        "min_ms": float(fields["min_ms"]),
        "max_ms": float(fields["max_ms"]),
        "peak_mb": float(fields["peak_mb"]),
        "process_peak_mb": float(fields["process_peak_mb"]),
        "reps": int(fields["reps"]),
        "vehicles": int(fields["vehicles"]),
    }


def generate(n, folder):
    if not os.path.isfile(os.path.join(folder, "handling.cfg")):
        subprocess.run([sys.executable, os.path.join(HERE, "gen"), str(n), folder], check=True)
    return folder


def measure_size(n, args, env):
    folder = generate(n, os.path.join(args.work, str(n)))
    # Importing must leave room in the table: at the limit, into fewer vehicles.
    import_n = min(n, TABLE_LIMIT - IMPORTED)
    import_folder = folder if import_n == n else generate(
        import_n, os.path.join(args.work, f"{import_n}-import"))
    wendrake = os.path.join(args.bin, "wendrake")
    bench = os.path.join(args.bin, "wendrake_bench")
    out = os.path.join(args.work, "out")
    os.makedirs(out, exist_ok=True)
    rows = []

    def add(operation, figures, vehicles=n):
        figures.setdefault("vehicles", vehicles)
        rows.append({"n": n, "operation": operation, **figures})
        print(f"  N={n:<6} {operation:<12} {figures['median_ms']:10.2f} ms"
              f"  {figures['peak_mb']:7.1f} MB", flush=True)

    for kind, name in (("cfg", "handling.cfg"), ("ide", "default.ide"), ("dat", "carcols.dat")):
        source = os.path.join(folder, name)
        add(f"format-{kind}", time_process(
            [wendrake, "format", source, "-o", os.path.join(out, name)], args.reps, env))

    handling = os.path.join(folder, "handling.cfg")
    pipeline = ["sh", "-c", "awk '{$1=$1};1' \"$1\" | sort -f > /dev/null", "sh", handling]
    add("reference", time_process(pipeline, args.reps, env))
    add("reference-c", time_process(pipeline, args.reps, dict(env, LC_ALL="C")))

    window_reps = str(args.reps)
    for operation in ("open", "filter", "select", "sort", "type", "problems", "save", "undo",
                      "undo-step"):
        add(operation, time_window(bench, operation, handling, None, window_reps, env))
    for operation in ("import", "undo-import"):
        add(operation, time_window(bench, operation, os.path.join(import_folder, "handling.cfg"),
                                   os.path.join(import_folder, "exchange.cfg"), window_reps, env))
    for kind, name in (("ide", "default.ide"), ("dat", "carcols.dat")):
        for operation in ("open", "select"):
            add(f"{operation}-{kind}", time_window(
                bench, operation, os.path.join(folder, name), None, window_reps, env))
    return rows


def figure(rows, n, operation, key="median_ms"):
    for row in rows:
        if row["n"] == n and row["operation"] == operation:
            return row[key]
    return None


def print_table(rows, sizes, locale):
    labels = dict(COMMAND_LINE + WINDOW)
    last = sizes[-1]
    # Growth is reported from N = 4000, as the goals have it, or from the
    # smallest size when 4000 is not measured.
    base = 4000 if 4000 in sizes and last != 4000 else sizes[0]
    width = 34
    print()
    print(f"{'median time (ms)':<{width}}" + "".join(f"{'N=' + str(n):>11}" for n in sizes) +
          (f"{'growth':>9}" if base != last else "") + f"{'peak MB':>10}")
    for operation, label in COMMAND_LINE + WINDOW:
        if figure(rows, sizes[0], operation) is None:
            continue
        cells = "".join(f"{figure(rows, n, operation):11.2f}" for n in sizes)
        growth = (f"{figure(rows, last, operation) / figure(rows, base, operation):8.1f}x"
                  if base != last else "")
        print(f"{label.format(locale=locale):<{width}}{cells}{growth}"
              f"{figure(rows, last, operation, 'peak_mb'):10.1f}")
    print()
    for n in sizes:
        ours = figure(rows, n, "format-cfg")
        print(f"N={n}: format / reference = {ours / figure(rows, n, 'reference'):.2f}"
              f" (locale {locale}), {ours / figure(rows, n, 'reference-c'):.2f} (LC_ALL=C)")
    if base != last:
        print(f"growth: time at N={last} / time at N={base} (the files grow "
              f"{last / base:.1f}x)")
    imports = [r for r in rows if r["operation"] == "import" and r["vehicles"] != r["n"]]
    for row in imports:
        print(f"import at N={row['n']}: 1000 vehicles into {row['vehicles']}"
              f" (the table holds at most {TABLE_LIMIT})")


def write_csv(rows, path):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    columns = ["n", "operation", "vehicles", "median_ms", "min_ms", "max_ms", "peak_mb",
               "process_peak_mb", "reps"]
    with open(path, "w", newline="") as out:
        writer = csv.DictWriter(out, fieldnames=columns, extrasaction="ignore")
        writer.writeheader()
        for row in rows:
            writer.writerow({k: (f"{row[k]:.3f}" if isinstance(row[k], float) else row[k])
                             for k in columns})


def collation_locale(env):
    """The locale sort -f orders by in the environment `env`."""
    return env.get("LC_ALL") or env.get("LC_COLLATE") or env.get("LANG") or "POSIX"


def read_csv(path):
    with open(path, newline="") as source:
        rows = list(csv.DictReader(source))
    for row in rows:
        for key in ("n", "vehicles", "reps"):
            row[key] = int(row[key])
        for key in ("median_ms", "min_ms", "max_ms", "peak_mb", "process_peak_mb"):
            row[key] = float(row[key])
    return rows


def plot(rows, sizes, path, title, locale):
    gnuplot = shutil.which("gnuplot")
    if gnuplot is None:
        print("bench: gnuplot is not installed; no plot drawn", file=sys.stderr)
        return
    labels = dict(COMMAND_LINE + WINDOW)
    colours = ["#1b6ac9", "#d1495b", "#2a9d3f", "#e09f1f", "#7b3fb5", "#16a3a3", "#6b4c2a",
               "#e0529c"]
    blocks = []

    def panel(heading, operations):
        plots = []
        for k, operation in enumerate(operations):
            name = "$" + operation.replace("-", "_")
            points = "\n".join(f"{n} {figure(rows, n, operation)}" for n in sizes
                               if figure(rows, n, operation) is not None)
            blocks.append(f"{name} << EOD\n{points}\nEOD")
            plots.append(f"{name} using 1:2 with linespoints lw 2 pt {k + 1} "
                         f"lc rgb '{colours[k % len(colours)]}' "
                         f"title \"{labels[operation].format(locale=locale)}\"")
        return [f"set title '{heading}'", "plot " + ", \\\n     ".join(plots)]

    window = [op for op, _ in WINDOW]
    body = (panel("Command line (a process each)", [op for op, _ in COMMAND_LINE]) +
            panel("Main window: handling file", [op for op in window if "-" not in op]) +
            panel("Main window: the other kinds", [op for op in window if "-" in op]))
    script = "\n".join(blocks + [
        "set terminal pngcairo size 1800,620 font 'DejaVu Sans,10' noenhanced",
        f"set output '{path}'",
        f"set multiplot layout 1,3 title \"{title}\"",
        "set logscale xy",
        "set grid",
        "set key top left opaque box",
        "set xlabel 'vehicles in the file (N)'",
        "set ylabel 'median time (ms)'",
        f"set xrange [{sizes[0] * 0.8}:{sizes[-1] * 1.25}]",
        f"set xtics ({', '.join(str(n) for n in sizes)})",
    ] + body + ["unset multiplot"])
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    subprocess.run([gnuplot], input=script, text=True, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True, help="folder of wendrake and wendrake_bench")
    parser.add_argument("--work", required=True, help="folder for generated and written files")
    parser.add_argument("--sizes", type=int, nargs="+", default=[1000, 4000, 16000, 32767])
    parser.add_argument("--reps", type=int, default=11)
    parser.add_argument("--csv", default=os.path.join(HERE, "results.csv"))
    parser.add_argument("--plot", default=os.path.join(HERE, "..", "docs", "bench.png"))
    parser.add_argument("--title", default="Wendrake")
    parser.add_argument("--replot", action="store_true",
                        help="measure nothing: draw the plot from the CSV file")
    args = parser.parse_args()
    if args.replot:
        rows = read_csv(args.csv)
        sizes = sorted({row["n"] for row in rows})
        plot(rows, sizes, args.plot, args.title, collation_locale(os.environ))
        return 0

    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    locale = collation_locale(env)
    rows = []
    for n in sorted(args.sizes):
        rows += measure_size(n, args, env)
    sizes = sorted(args.sizes)
    print_table(rows, sizes, locale)
    write_csv(rows, args.csv)
    plot(rows, sizes, args.plot, args.title, locale)
    print(f"\nwrote {os.path.relpath(args.csv)} and {os.path.relpath(args.plot)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
