#!/usr/bin/python3
"""Runs every benchmark of `make bench` on the pictures drawn by make_pictures.py and prints one
table: our load + generate next to the floors (file read, libjpeg at 1/8 or bare inflate) and next
to ImageMagick and Pillow doing the same job on the same files in the same run, with peak memory,
the editor's paint and undo, and start-up. Each check of the targets is printed under the table.

Times are medians of wall-clock time. Ours and the floors are measured inside one process
(Google Benchmark); ImageMagick, Pillow and djpeg run as commands, and the time each takes on a
16x16 picture (its start-up), measured in the same rounds, is taken off, so that every figure is
the work on the picture alone.

Usage: run_bench.py BUILD_DIR PICTURE_DIR [--no-startup]
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
CONVERT = "/usr/bin/convert"  # ImageMagick; /usr/local/bin/convert may be something else
PYTHON = "/usr/bin/python3"
DJPEG = "/usr/bin/djpeg"
TOLERANCE = 35
STARTUP_ROUNDS = 25
MIB = 1024 * 1024


def log(text):
    print(f"bench: {text}", file=sys.stderr, flush=True)


def rounds_for(picture):
    """Fewer rounds for the largest pictures keep the whole run within minutes."""
    if "50mp" in picture["file"]:
        return 3
    if "24mp" in picture["file"] or "12mp" in picture["file"]:
        return 5
    return 9


# ---- commands run from outside ----------------------------------------------------------------


def run_command(argv):
    """Wall seconds, CPU seconds and peak resident KiB of one run of a command."""
    started = time.perf_counter()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - started
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError(f"{argv[0]} failed on {argv[-2]}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def tool_commands(path, kind, corner, out_dir):
    """Each outside tool doing the job: squeeze to 48x48, clear the background, write an ICO."""
    ico = os.path.join(out_dir, "out.ico")
    key = "rgb({},{},{})".format(*corner)
    fuzz = f"{100 * TOLERANCE / 255:.2f}%"
    job = ["-resize", "48x48!", "-fuzz", fuzz, "-transparent", key, "ico:" + ico]
    commands = {
        "im": [CONVERT, path] + job,
        "pillow": [PYTHON, os.path.join(HERE, "pillow_icon.py"), path, ico],
    }
    if kind == "jpeg":
        commands["im_hint"] = [CONVERT, "-define", "jpeg:size=96x96", path] + job
        commands["djpeg"] = [DJPEG, "-scale", "1/8", "-outfile", "/dev/null", path]
    return commands


def medians(runs):
    return {
        "wall": statistics.median(r[0] for r in runs),
        "cpu": statistics.median(r[1] for r in runs),
        "rss_kib": max(r[2] for r in runs),
    }


def measure_tools(path, tiny, kind, corner, rounds, out_dir):
    """Per tool, the medians on the picture less those on the tiny picture of the same kind (the
    tool's start-up), in ms, and both peaks. The tools take turns round after round, each on the
    picture and then on the tiny one, so that a busy moment of the machine hits both alike."""
    commands = tool_commands(path, kind, corner, out_dir)
    tiny_commands = tool_commands(tiny, kind, (0, 0, 0), out_dir)
    samples = {name: ([], []) for name in commands}
    for _ in range(rounds):
        for name in commands:
            samples[name][0].append(run_command(commands[name]))
            samples[name][1].append(run_command(tiny_commands[name]))
    result = {}
    for name, (picture_runs, tiny_runs) in samples.items():
        on_picture, start_up = medians(picture_runs), medians(tiny_runs)
        result[name] = {
            "wall": max(0.0, on_picture["wall"] - start_up["wall"]) * 1e3,
            "cpu": max(0.0, on_picture["cpu"] - start_up["cpu"]) * 1e3,
            "rss_kib": on_picture["rss_kib"],
            "rss_delta_kib": on_picture["rss_kib"] - start_up["rss_kib"],
            "start_up_ms": start_up["wall"] * 1e3,
        }
    return result


# ---- our own programs --------------------------------------------------------------------------


def run_google_benchmark(binary, pattern, env):
    """Median real and CPU time in ms per benchmark, keyed by its name without the run settings."""
    output = subprocess.run(
        [binary, f"--benchmark_filter={pattern}", "--benchmark_format=json"],
        check=True,
        capture_output=True,
        text=True,
        env=env,
    ).stdout
    result = {}
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
        # "load_generate/jpeg-24mp/min_time:0.150/repeats:5" -> "load_generate/jpeg-24mp"
        settings = ("min_time:", "repeats:", "iterations:", "real_time", "manual_time")
        parts = [p for p in entry["run_name"].split("/") if not p.startswith(settings)]
        result["/".join(parts)] = {
            "wall": entry["real_time"] * scale,
            "cpu": entry["cpu_time"] * scale,
        }
    return result


def measure_memory(binary, path, env):
    output = subprocess.run(
        [binary, path], check=True, capture_output=True, text=True, env=env
    ).stdout
    return json.loads(output.strip().splitlines()[-1])


def measure_startup(build, rounds):
    """Start-up of the program and of an empty Qt window on a virtual X display."""
    programs = {
        "quorvin": os.path.join(build, "app", "quorvin"),
        "empty": os.path.join(build, "bench", "quorvin_bench_empty_window"),
    }
    probe = os.path.join(build, "bench", "quorvin_bench_startup_phases")
    argv = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", PYTHON,
            os.path.join(HERE, "startup.py"), str(rounds), "--phases", probe]
    argv += [f"{name}={path}" for name, path in programs.items()]
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    output = subprocess.run(argv, check=True, capture_output=True, text=True, env=env).stdout
    times = json.loads(output.strip().splitlines()[-1])
    phases = times.pop("phases", {})
    result = {name: statistics.median(values) * 1e3 for name, values in times.items() if values}
    result["phases"] = phases
    return result


# ---- the table ---------------------------------------------------------------------------------


def fmt_ms(value):
    if value is None:
        return "-"
    return f"{value:.1f}" if value >= 10 else f"{value:.2f}"


# Below this a tool's time after its start-up is taken off is lost in the noise of that start-up.
NOISE_MS = 1.0


def fmt_ratio(value):
    return "-" if value is None else f"{value:.2f}x"


def fmt_tool(tool):
    if tool is None:
        return "-"
    return "~0" if tool["wall"] < NOISE_MS else fmt_ms(tool["wall"])


def label(picture):
    stem = os.path.splitext(picture["file"])[0].replace("photo-", "")
    return f"{picture['kind']} {stem} {picture['width']}x{picture['height']}"


def build_rows(results):
    header = [
        "picture", "file MiB", "ours ms", "floor ms", "ours/floor", "(cpu)", "djpeg ms",
        "IM ms", "IM/ours", "IM-hint ms", "hint/ours", "Pillow ms", "Pil/ours", "read ms",
        "ours +MiB", "limit MiB", "IM +MiB",
    ]
    rows = [header]
    for r in results:
        ours, floor, tools = r["ours"], r["floor"], r["tools"]
        im, hint, pil, djpeg = (tools.get(k) for k in ("im", "im_hint", "pillow", "djpeg"))
        def ratio(other):
            if other is None or other["wall"] < NOISE_MS:
                return None
            return other["wall"] / ours["wall"]

        rows.append([
            label(r["picture"]),
            f"{r['picture']['bytes'] / MIB:.1f}",
            fmt_ms(ours["wall"]),
            fmt_ms(floor["wall"]),
            fmt_ratio(ours["wall"] / floor["wall"]),
            fmt_ratio(ours["cpu"] / floor["cpu"]),
            fmt_tool(djpeg),
            fmt_tool(im),
            fmt_ratio(ratio(im)),
            fmt_tool(hint),
            fmt_ratio(ratio(hint)),
            fmt_tool(pil),
            fmt_ratio(ratio(pil)),
            fmt_ms(r["read"]["wall"]),
            f"{r['memory']['delta_kib'] / 1024:.1f}",
            f"{r['limit_mib']:.1f}",
            f"{r['im_rss_delta_kib'] / 1024:.1f}",
        ])
    return rows


def print_table(rows):
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    for n, row in enumerate(rows):
        cells = [row[0].ljust(widths[0])] + [c.rjust(w) for c, w in zip(row[1:], widths[1:])]
        print("  ".join(cells))
        if n == 0:
            print("  ".join("-" * w for w in widths))


def check(name, value, target, reached, unit=""):
    verdict = "reached" if reached else "NOT reached"
    print(f"  {verdict:11}  {name}: {value}{unit} (target {target})")


def main():
    build, picture_dir = sys.argv[1], sys.argv[2]
    with_startup = "--no-startup" not in sys.argv
    with open(os.path.join(picture_dir, "manifest.json")) as f:
        pictures = json.load(f)["pictures"]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QUORVIN_BENCH_PICTURES=picture_dir)
    load_bin = os.path.join(build, "bench", "quorvin_bench_load")
    memory_bin = os.path.join(build, "bench", "quorvin_bench_load_memory")
    editor_bin = os.path.join(build, "bench", "quorvin_bench_editor")
    out_dir = tempfile.mkdtemp(prefix="quorvin-bench-")

    results = []
    for picture in pictures:
        path = os.path.join(picture_dir, picture["file"])
        kind = picture["kind"]
        stem = os.path.splitext(picture["file"])[0].replace("photo-", "")
        name = f"{kind}-{stem}"
        log(f"{name}: ours and floors")
        ours = run_google_benchmark(load_bin, f"/{name}(/|$)", env)
        log(f"{name}: ImageMagick, Pillow, djpeg")
        tiny = os.path.join(picture_dir, "tiny." + ("jpg" if kind == "jpeg" else "png"))
        tools = measure_tools(path, tiny, kind, picture["corner"], rounds_for(picture), out_dir)
        memory = measure_memory(memory_bin, path, env)
        results.append({
            "picture": picture,
            "ours": ours[f"load_generate/{name}"],
            "floor": ours[f"floor/{name}"],
            "read": ours[f"read/{name}"],
            "libpng": ours.get(f"libpng_full/{name}"),
            "floor_box": ours.get(f"floor_box/{name}"),
            "load": ours[f"load/{name}"],
            "generate": ours[f"generate/{name}"],
            "tools": tools,
            "memory": memory,
            "limit_mib": picture["bytes"] / MIB + 48,
            "im_rss_delta_kib": tools["im"]["rss_delta_kib"],
        })

    log("editor")
    editor = run_google_benchmark(editor_bin, ".", env)
    startup = None
    if with_startup:
        log("start-up")
        startup = measure_startup(build, STARTUP_ROUNDS)

    print()
    print("Load + generate (open a picture, press 生成), medians of wall-clock ms; outside tools")
    print("without their start-up; memory is the rise in peak resident size while loading.")
    print()
    print_table(build_rows(results))
    print()
    print("floor: JPEG = read + libjpeg at 1/8 with djpeg's settings; PNG = read + bare inflate of "
          "the IDAT data. (cpu): the same ratio in CPU time.")
    print("libjpeg at the scale that covers the 128x128 box (read included), ms: " + ", ".join(
        f"{r['picture']['file']} {fmt_ms(r['floor_box']['wall'])}" for r in results
        if r["floor_box"]))
    print("libpng full decode (read + inflate + CRC + unfilter into one buffer), ms: " + ", ".join(
        f"{r['picture']['file']} {fmt_ms(r['libpng']['wall'])}" for r in results if r["libpng"]))
    print("our share that is decoding (open button alone), ms: " + ", ".join(
        f"{r['picture']['file']} {fmt_ms(r['load']['wall'])}" for r in results))
    first = {r["picture"]["kind"]: r["tools"] for r in reversed(results)}
    print("tool start-up taken off (median on a 16x16 picture, first photo of each kind), ms: " +
          ", ".join(f"{tool} {v['start_up_ms']:.1f} ({kind})" for kind, tools in first.items()
                    for tool, v in tools.items()))
    print()
    generate_ms = max(r["generate"]["wall"] for r in results)
    print("Editor and generation, medians:")
    for key, text in (("editor_paint/uniform_lists:0", "paint (press on the view, redraw)"),
                      ("editor_undo/uniform_lists:0", "undo (click 撤销, redraw)"),
                      ("editor_paint/uniform_lists:1", "paint, lists with uniform item sizes"),
                      ("editor_undo/uniform_lists:1", "undo, lists with uniform item sizes"),
                      ("generate_under_editor", "生成 with the editor open")):
        if key in editor:
            print(f"  {text:40} {editor[key]['wall']:8.3f} ms")
    print(f"  {'生成 from a loaded picture (slowest case)':40} {generate_ms:8.3f} ms")
    if startup:
        print(f"Start-up until the window is mapped on Xvfb, median of {STARTUP_ROUNDS}:")
        print(f"  quorvin {startup['quorvin']:.1f} ms, empty Qt window {startup['empty']:.1f} ms, "
              f"ratio {startup['quorvin'] / startup['empty']:.2f}x")
        print("  where the program's start-up goes, ms (steps timed inside one process): " +
              ", ".join(f"{step} {ms:.1f}" for step, ms in startup["phases"].items()))

    print()
    print("Targets:")
    for kind in ("jpeg", "png"):
        rows = [r for r in results if r["picture"]["kind"] == kind]
        worst_floor = max(rows, key=lambda r: r["ours"]["wall"] / r["floor"]["wall"])
        worst_im = min(rows, key=lambda r: r["tools"]["im"]["wall"] / r["ours"]["wall"])
        floor_ratio = worst_floor["ours"]["wall"] / worst_floor["floor"]["wall"]
        im_ratio = worst_im["tools"]["im"]["wall"] / worst_im["ours"]["wall"]
        floor_name = "djpeg 1/8" if kind == "jpeg" else "bare inflate"
        check(f"{kind}: ours / {floor_name}, worst ({label(worst_floor['picture'])})",
              f"{floor_ratio:.2f}", "<= 1.30", floor_ratio <= 1.3, "x")
        # The second yardstick: the decoding the job needs at the least, done by the library alone.
        second = "floor_box" if kind == "jpeg" else "libpng"
        second_name = ("libjpeg at the box's scale" if kind == "jpeg"
                       else "libpng's full decode")
        worst_second = max(rows, key=lambda r: r["ours"]["wall"] / r[second]["wall"])
        second_ratio = worst_second["ours"]["wall"] / worst_second[second]["wall"]
        check(f"{kind}: ours / {second_name}, worst ({label(worst_second['picture'])})",
              f"{second_ratio:.2f}", "<= 1.30", second_ratio <= 1.3, "x")
        need = 8 if kind == "jpeg" else 2
        check(f"{kind}: ImageMagick / ours, worst ({label(worst_im['picture'])})",
              f"{im_ratio:.1f}", f">= {need}", im_ratio >= need, "x")
        if kind == "jpeg":
            worst_hint = min(rows, key=lambda r: r["tools"]["im_hint"]["wall"] / r["ours"]["wall"])
            hint_ratio = worst_hint["tools"]["im_hint"]["wall"] / worst_hint["ours"]["wall"]
            check(f"jpeg: ImageMagick with jpeg:size / ours, worst "
                  f"({label(worst_hint['picture'])})", f"{hint_ratio:.1f}", "> 1", hint_ratio > 1, "x")
    for r in results:
        if "50mp" in r["picture"]["file"]:
            rise = r["memory"]["delta_kib"] / 1024
            check(f"memory: {label(r['picture'])} peak rise", f"{rise:.1f}",
                  f"<= {r['limit_mib']:.1f} MiB", rise <= r["limit_mib"], " MiB")
    for key, text in (("editor_paint/uniform_lists:0", "editor: one paint"),
                      ("editor_undo/uniform_lists:0", "editor: one undo")):
        if key in editor:
            check(text, f"{editor[key]['wall']:.3f}", "< 1 ms", editor[key]["wall"] < 1, " ms")
    check("generation from a loaded picture", f"{generate_ms:.3f}", "< 2 ms", generate_ms < 2,
          " ms")
    if startup:
        ratio = startup["quorvin"] / startup["empty"]
        check("start-up / empty Qt window", f"{ratio:.2f}", "<= 1.30", ratio <= 1.3, "x")


if __name__ == "__main__":
    main()
