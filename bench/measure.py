#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times Wendrake on generated files and reports the figures (run by bench/run).

    bench/measure.py --bin BUILD/bin --work DIR [--sizes 1000 4096 ...] [--reps R]
                     [--csv FILE] [--plot FILE]

For each size N it generates the files with bench/gen, then times, each as
the median of R runs after one warm-up run:

  format-cfg, format-ide, format-dat   `wendrake format FILE -o OUT`, a process each
  check-cfg                            `wendrake check FILE` of the handling file
  reference, reference-c               `awk '{$1=$1};1' FILE | sort -f > /dev/null` on
                                       the handling file, in the locale of the
                                       environment and with LC_ALL=C
  reference-ide, reference-dat         the same pipeline over the other two files
  version, check-one                   `wendrake --version` and `wendrake check` of a
                                       file of one vehicle, process start to exit
                                       (measured once, shown at the first size)

The command-line figures of one size are taken in turns (ours, the
reference, ours, ...), so that a busy moment of the machine falls on both
alike: each is a paired run against the reference.
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
It prints a table and the goals with our figure beside the goal and the
reference, writes the CSV file, the goals as a Markdown table (--goals) and
draws the plot with gnuplot.
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
    ("check-cfg", "check handling.cfg"),
    ("reference", "awk | sort -f (locale {locale})"),
    ("reference-c", "awk | sort -f (LC_ALL=C)"),
    ("reference-ide", "awk | sort -f, default.ide"),
    ("reference-dat", "awk | sort -f, carcols.dat"),
    ("version", "wendrake --version"),
    ("check-one", "check of a one-vehicle file"),
]
# Measured once, at the smallest size: they do not grow with the files.
START_UP = ("version", "check-one")
# Exit statuses that are no failure: check reports the rows it finds with 1.
FOUND_ROWS = (0, 1)
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


def run_once(argv, env=None, stdout=subprocess.DEVNULL, accepted=(0,)):
    """Wall time in ms and peak resident memory in MiB of one process."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, env=env, stdout=stdout, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = (time.perf_counter() - start) * 1000.0
    process.returncode = os.waitstatus_to_exitcode(status)
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if process.returncode not in accepted:
        sys.exit(f"bench: {' '.join(argv)} failed ({process.returncode}): {errors.strip()}")
    return elapsed, usage.ru_maxrss / 1024.0


def summary(runs):
    times = [t for t, _ in runs]
    return {
        "median_ms": statistics.median(times),
        "min_ms": min(times),
        "max_ms": max(times),
        "peak_mb": max(m for _, m in runs),
        "process_peak_mb": max(m for _, m in runs),
        "reps": len(runs),
    }


def time_in_turns(commands, reps):
    """Times the commands (name: (argv, env)) in turns, one run of each per
    round after a warm-up round: files in the page cache, libraries loaded."""
    runs = {name: [] for name in commands}
    for round_number in range(reps + 1):
        for name, (argv, env) in commands.items():
            figures = run_once(argv, env, accepted=FOUND_ROWS)
            if round_number > 0:
                runs[name].append(figures)
    return {name: summary(figures) for name, figures in runs.items()}


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

    def pipeline(name):
        return ["sh", "-c", "awk '{$1=$1};1' \"$1\" | sort -f > /dev/null", "sh",
                os.path.join(folder, name)]

    def format_command(name):
        return [wendrake, "format", os.path.join(folder, name), "-o", os.path.join(out, name)]

    handling = os.path.join(folder, "handling.cfg")
    paired = time_in_turns({
        "format-cfg": (format_command("handling.cfg"), env),
        "check-cfg": ([wendrake, "check", handling], env),
        "reference": (pipeline("handling.cfg"), env),
        "reference-c": (pipeline("handling.cfg"), dict(env, LC_ALL="C")),
    }, args.reps)
    paired.update(time_in_turns({
        "format-ide": (format_command("default.ide"), env),
        "reference-ide": (pipeline("default.ide"), env),
    }, args.reps))
    paired.update(time_in_turns({
        "format-dat": (format_command("carcols.dat"), env),
        "reference-dat": (pipeline("carcols.dat"), env),
    }, args.reps))
    for operation, _ in COMMAND_LINE:
        if operation in paired:
            add(operation, paired[operation])
    if n == min(args.sizes):
        one = generate(1, os.path.join(args.work, "1"))
        for operation, figures in time_in_turns(
                {"version": ([wendrake, "--version"], env),
                 "check-one": ([wendrake, "check", os.path.join(one, "handling.cfg")], env)},
                max(args.reps, 21)).items():
            add(operation, figures)

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


def growth_base(sizes):
    """Growth is reported from N = 4096, as the goals have it, or from the
    smallest size when 4096 is not measured."""
    return 4096 if 4096 in sizes and sizes[-1] != 4096 else sizes[0]


def print_table(rows, sizes, locale):
    labels = dict(COMMAND_LINE + WINDOW)
    last = sizes[-1]
    base = growth_base(sizes)
    width = 34
    print()
    print(f"{'median time (ms)':<{width}}" + "".join(f"{'N=' + str(n):>11}" for n in sizes) +
          (f"{'growth':>9}" if base != last else "") + f"{'peak MB':>10}")
    for operation, label in COMMAND_LINE + WINDOW:
        if operation in START_UP or figure(rows, sizes[0], operation) is None:
            continue
        cells = "".join(f"{figure(rows, n, operation):11.2f}" for n in sizes)
        growth = (f"{figure(rows, last, operation) / figure(rows, base, operation):8.1f}x"
                  if base != last else "")
        print(f"{label.format(locale=locale):<{width}}{cells}{growth}"
              f"{figure(rows, last, operation, 'peak_mb'):10.1f}")
    for operation in START_UP:
        print(f"{labels[operation]:<{width}}{figure(rows, sizes[0], operation):11.2f}")
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


# Each timed goal: what, our operation, the reference it is divided by (None:
# a time in ms), the goal.
RATIO_GOALS = [
    ("format handling.cfg / awk | sort -f", "format-cfg", "reference", 0.5),
    ("check handling.cfg / awk | sort -f", "check-cfg", "reference", 0.3),
    ("format default.ide / awk | sort -f over it", "format-ide", "reference-ide", 0.5),
    ("format carcols.dat / awk | sort -f over it", "format-dat", "reference-dat", 0.5),
]
TIME_GOALS = [
    ("wendrake --version, start to exit", "version", 10),
    ("check of a one-vehicle file, start to exit", "check-one", 10),
    ("open handling.cfg until the first vehicle is shown", "open", 150),
    ("one letter in the vehicle filter", "filter", 16),
    ("one sort of the table of all vehicles", "sort", 100),
    ("one undo step", "undo-step", 5),
    ("save", "save", 50),
]
GROWTH_GOAL = 9.0


def goals(rows, sizes, folder_of):
    """The goals, each as (what, ours, goal, reference figures, met)."""
    last = sizes[-1]
    base = growth_base(sizes)
    result = []
    for what, ours, reference, goal in RATIO_GOALS:
        mine, theirs = figure(rows, last, ours), figure(rows, last, reference)
        note = f"{mine:.1f} ms against {theirs:.1f} ms"
        if ours == "format-cfg":
            note += f"; LC_ALL=C: {mine / figure(rows, last, 'reference-c'):.2f}x" \
                    f" of {figure(rows, last, 'reference-c'):.1f} ms"
        result.append((what, f"{mine / theirs:.2f}x", f"<= {goal}x", note, mine / theirs <= goal))
    for what, ours, goal in TIME_GOALS:
        n = sizes[0] if ours in START_UP else last
        mine = figure(rows, n, ours)
        if mine is not None:
            result.append((what, f"{mine:.1f} ms", f"<= {goal} ms", "", mine <= goal))
    for kind, name in (("cfg", "handling.cfg"), ("ide", "default.ide"), ("dat", "carcols.dat")):
        size_mb = os.path.getsize(os.path.join(folder_of(last), name)) / 2**20
        limit = 3 * size_mb + 20
        peak = figure(rows, last, f"format-{kind}", "peak_mb")
        result.append((f"peak memory of format {name} ({size_mb:.1f} MB)", f"{peak:.1f} MB",
                       f"<= {limit:.1f} MB", "3x the file + 20 MB", peak <= limit))
    if base != last:
        for operation, label in COMMAND_LINE + WINDOW:
            if operation in START_UP or operation.startswith("reference"):
                continue
            first, final = figure(rows, base, operation), figure(rows, last, operation)
            if first is None or final is None:
                continue
            growth = final / first
            result.append((f"growth N={base} to {last}: {label}", f"{growth:.1f}x",
                           f"<= {GROWTH_GOAL:g}x", f"{first:.1f} to {final:.1f} ms",
                           growth <= GROWTH_GOAL))
    return result


def cell(text):
    """Text for a cell of a Markdown table, whose columns "|" separates."""
    return text.replace("|", "\\|")


def print_goals(table, path):
    lines = ["| what | ours | goal | beside it | met |", "| --- | ---: | ---: | --- | :---: |"]
    lines += [f"| {cell(what)} | {ours} | {goal} | {cell(note)} | {'yes' if met else '**no**'} |"
              for what, ours, goal, note, met in table]
    print()
    print("\n".join(lines))
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


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
    body = (panel("Command line (a process each)",
                  [op for op, _ in COMMAND_LINE if op not in START_UP]) +
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
    parser.add_argument("--sizes", type=int, nargs="+", default=[1000, 4096, 16384, 32767])
    parser.add_argument("--reps", type=int, default=11)
    parser.add_argument("--csv", default=os.path.join(HERE, "results.csv"))
    parser.add_argument("--plot", default=os.path.join(HERE, "..", "docs", "bench.png"))
    parser.add_argument("--goals", default=os.path.join(HERE, "goals.md"),
                        help="Markdown table of the goals with this run's figures")
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
    print_goals(goals(rows, sizes, lambda n: os.path.join(args.work, str(n))), args.goals)
    write_csv(rows, args.csv)
    plot(rows, sizes, args.plot, args.title, locale)
    print(f"\nwrote {os.path.relpath(args.csv)}, {os.path.relpath(args.goals)} and "
          f"{os.path.relpath(args.plot)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
