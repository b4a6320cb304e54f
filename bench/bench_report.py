#!/usr/bin/env python3
"""Prints the benchmark figures against their goals.
Usage: bench_report.py BENCH_JSON [RENDER_LINE]
BENCH_JSON is tonkle_bench's --benchmark_out (JSON, with repetitions: medians are used);
RENDER_LINE is the last line of scripts/bench-render.sh ("render_s=… baseline_s=… ratio=… …"),
or empty when the render tool could not be timed."""
import json
import sys


def medians(path, field):
    """Median `field` ("real_time" or "cpu_time") of every benchmark, in nanoseconds."""
    with open(path) as f:
        report = json.load(f)
    times = {}
    for run in report["benchmarks"]:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run.get("run_name", run["name"])
        # Without repetitions there is one plain run per benchmark.
        if run.get("run_type") == "aggregate" or name not in times:
            scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
            times[name] = run[field] * scale
    return times


def render_figures(line):
    fields = dict(part.split("=", 1) for part in line.split() if "=" in part)
    return {name: float(value) for name, value in fields.items()}


def main():
    # Loading reads a file, so it is timed by the clock on the wall; a tick only computes, and
    # its processor time does not count the time other programs on the machine took.
    times = medians(sys.argv[1], "real_time")
    cpu_times = medians(sys.argv[1], "cpu_time")
    rows = []
    loads = (("song_load / plain read, 64 MiB", "1024"), ("  same, 64 long tracks (full scan)", "100000"))
    for label, notes in loads:
        load = times.get(f"BM_song_load/{notes}/real_time")
        read = times.get(f"BM_plain_read/{notes}/real_time")
        if load and read:
            rows.append((label, f"{load / read:.2f}  ({load / 1e6:.1f} ms / {read / 1e6:.1f} ms)",
                         "<= 1.2", load / read <= 1.2))
        touched = times.get(f"BM_plain_read_touched/{notes}/real_time")
        if load and touched:
            rows.append(("    against read + one byte a page", f"{load / touched:.2f}  ({touched / 1e6:.1f} ms)",
                         "", None))
    tick = cpu_times.get("BM_player_tick")
    if tick:
        countdown = cpu_times.get("BM_countdown_pass/256")
        against = f"  ({tick / countdown:.1f} x a bare countdown pass)" if countdown else ""
        rows.append(("player_tick, 256 tracks playing", f"{tick / 1e3:.3f} us processor time{against}", "<= 0.5 us", tick <= 500))
    render_line = sys.argv[2] if len(sys.argv) > 2 else ""
    if render_line.strip():
        f = render_figures(render_line)
        rows.append(("tonkle-render wav / plain write",
                     f"{f['ratio']:.2f}  ({f['render_s']:.3f} s / {f['baseline_s']:.3f} s; "
                     f"processor time {f['cpu_ratio']:.2f}, best runs {f['best_ratio']:.2f})", "<= 2", f["ratio"] <= 2))
    else:
        rows.append(("tonkle-render wav / plain write", "not measured", "<= 2", None))

    width = max(len(r[0]) for r in rows)
    value_width = max(len(r[1]) for r in rows)
    print(f"{'figure':<{width}}  {'measured':<{value_width}}  goal")
    for name, value, goal, met in rows:
        verdict = "" if met is None else ("met" if met else "MISSED")
        goal = goal or "-"
        print(f"{name:<{width}}  {value:<{value_width}}  {goal:<10} {verdict}")


if __name__ == "__main__":
    main()
