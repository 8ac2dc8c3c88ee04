#!/usr/bin/env python3
"""Times the benchmark's figures inside a running harness (tools/bench.sh
brings it up) and writes build/bench/results.md and results.csv.

Each figure runs once cold (reported apart) and then --runs times warm,
alternating with its baseline so both see the same machine load. A figure
whose program does not have the feature yet is left out and named."""
import argparse
import csv
import datetime
import os
import platform
import re
import statistics
import subprocess
import sys
import time


class Figure:
    def __init__(self, key, label, baseline=None, target=None, unit="ms"):
        self.key, self.label, self.baseline, self.unit = key, label, baseline, unit
        self.target = target  # (text, check(median, figures) -> bool) or None
        self.cold = None
        self.warm = []
        self.details = set()


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Bench:
    def __init__(self, args):
        self.args = args
        self.build = os.path.abspath(args.build)
        self.program = os.path.join(self.build, "program")
        self.bin = os.path.join(self.build, "bench", "bin")
        self.out = os.path.join(self.build, "bench")
        self.figures = {}
        self.order = []
        self.missing = []
        self.stages = {}
        self.started = []

    def figure(self, key, *a, **k):
        if key not in self.figures:
            self.figures[key] = Figure(key, *a, **k)
            self.order.append(key)
        return self.figures[key]

    # ---- the probe -----------------------------------------------------
    def probe(self, *args):
        cmd = ["wine", os.path.join(self.bin, "BenchProbe.exe")] + [str(a) for a in args]
        r = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, text=True, timeout=900)
        rows = []
        for line in r.stdout.splitlines():
            parts = line.strip().split(" ", 3)
            if parts[0] == "error":
                raise RuntimeError("probe %s: %s" % (" ".join(map(str, args)), line))
            if len(parts) >= 3 and re.match(r"^-?\d+$", parts[1]):
                rows.append((parts[0], int(parts[1]), float(parts[2]), parts[3] if len(parts) > 3 else ""))
        if r.returncode != 0 and not rows:
            raise RuntimeError("probe %s ended with %d" % (" ".join(map(str, args)), r.returncode))
        return rows

    def record(self, key, run, value, detail=""):
        f = self.figures[key]
        if run == 0:
            f.cold = value
        else:
            f.warm.append(value)
        if detail:
            f.details.add(detail)

    @staticmethod
    def has_string(path, text):
        try:
            with open(path, "rb") as fh:
                return text.encode("utf-16-le") in fh.read()
        except OSError:
            return False

    # ---- figures -------------------------------------------------------
    def start_figures(self):
        config = os.path.join(self.program, "TanduKovuConfig.exe")
        bare = os.path.join(self.bin, "BareDialog.exe")
        self.figure("bare_paint", "Bare dialog: start to first paint")
        if not self.has_string(config, "TanduKovu.Mark"):
            self.missing.append("Configurator start (the configurator does not mark its first paint yet)")
            config = None
        else:
            self.figure("start_paint", "Configurator: start to first paint of the main page", "bare_paint",
                        ("<= 1.5 x (bare + read) and <= 700 ms", self.start_target))
            self.figure("start_read", "Configurator: start to end of the start-up device read", "bare_paint")
            for mark, text in self.START_STAGES:
                if mark not in ("read", "paint"):
                    self.figure("start_" + mark, "  start to end of " + text)
        stages = [mark for mark, _ in self.START_STAGES] if config and self.has_string(config, "pagelists") \
            else ["read", "paint"]
        for run in range(self.args.runs + 1):
            for _, _, value, _ in self.probe("launch", winpath(bare), 1, "paint"):
                self.record("bare_paint", run, value)
            if config:
                for name, _, value, _ in self.probe("launch", winpath(config), 1, *stages):
                    self.record("start_" + name, run, value)
        if config and len(stages) > 2:
            # What each stage adds, from the medians of the start to its end.
            times = [(text, self.median("start_" + mark)) for mark, text in self.START_STAGES]
            steps, before = [], 0.0
            for text, t in times:
                if t is not None:
                    steps.append((t - before, text))
                    before = t
            self.stages["start (median time each stage adds, ms)"] = steps

    # The configurator's start-up marks, in the order it sets them.
    START_STAGES = [
        ("setup", "set-up (COM, languages, skin keywords, the tray program started)"),
        ("model", "model detection (the device object's ReadAll)"),
        ("read", "the start-up device read"),
        ("mainpage", "the main dialog's own page (MainPage.xml)"),
        ("pagelists", "the page lists' skin files"),
        ("modules", "the page modules bound, the first page shown"),
        ("keys", "the keys' read and the first status poll"),
        ("filled", "the page modules filled from the configuration"),
        ("dialog", "the rest of the dialog's set-up"),
        ("paint", "the first paint"),
    ]

    def page_figures(self):
        config = os.path.join(self.program, "TanduKovuConfig.exe")
        if not self.has_string(config, "TanduKovu.Mark"):
            self.missing.append("Page switches (the configurator does not mark its first paint yet)")
            return
        for page in ("buttons", "keys", "performance", "profiles", "macros", "lighting"):
            self.figure("repaint_" + page, "Repaint of the %s page, no switch" % page)
            self.figure("page_" + page, "Page switch to %s: command to end of paint" % page, "repaint_" + page,
                        ("<= 50 ms", lambda m: m <= 50))
        # Tab buttons have no control id: the probe finds each at the centre
        # of its rectangle in the main page's skin file.
        rects = self.main_page_centres()
        points = []
        for tab in ("BUTTON_ADJUSTPERFORMANCE", "BUTTON_MANAGEPROFILES", "BUTTON_MANAGEMACROS",
                    "BUTTON_LIGHTINGMAINTENANCE", "BUTTON_ASSIGNBUTTONS"):
            points += list(rects[tab])
        for name, run, value, detail in self.probe("pages", winpath(config), self.args.runs + 1, *points):
            self.record(name, run, value, detail)

    def macro_figures(self):
        config = os.path.join(self.program, "TanduKovuConfig.exe")
        if not self.has_string(config, "TanduKovu.Mark"):
            self.missing.append("Showing a long macro (the configurator does not mark its first paint yet)")
            return
        for length in (4096, 250):
            plain = "macro_plain%d" % length
            self.figure(plain, "Plain list view: %d rows filled, the last in view, to the end of its paint" % length)
            target = None
            if length == 4096:
                target = ("<= 2 x plain list and <= 500 ms",
                          lambda m: m <= 2 * self.median("macro_plain4096") and m <= 500)
            self.figure("macro%d" % length, "Macros page: a %d-event macro chosen, to the end of the repaint"
                        % length, plain, target)
        x, y = self.main_page_centres()["BUTTON_MANAGEMACROS"]
        for name, run, value, detail in self.probe("macro", winpath(config), self.args.runs + 1, x, y):
            self.record(name, run, value, detail)

    def start_target(self, median):
        bare = self.median("bare_paint")
        read = self.median("read")
        if bare is None or read is None:
            return median <= 700
        return median <= 1.5 * (bare + read) and median <= 700

    def read_figures(self):
        self.figure("plain", "Minimal round trips: as many plain service calls")
        self.figure("read", "Start-up device read (ReadAll + mask 0x1B7D)", "plain",
                    ("<= 1.2 x minimal round trips", lambda m: m <= 1.2 * self.median("plain")))
        self.figure("iface", "  as many calls, those that hand back an interface as such", "plain")
        for name, run, value, detail in self.probe("read", self.args.runs + 1):
            self.record(name, run, value, detail)

    def write_figures(self):
        self.figure("settle", "The transfer's settle wait")
        self.figures["settle"].cold = 500.0
        self.figures["settle"].warm = [500.0] * self.args.runs
        for profiles in (5, 20):
            total = "write%d" % profiles
            target = None
            if profiles == 20:
                target = ("overhead <= 300 ms", lambda m: m <= 300)
            self.figure(total, "Device write of Apply (mask 0x2FFF), %d profiles: total" % profiles, "settle")
            self.figure(total + "_over", "  the same minus the 500 ms settle wait", None, target)
            stages = []
            for name, run, value, detail in self.probe("write", profiles, self.args.runs + 1):
                if name == "write":
                    self.record(total, run, value, detail)
                    self.record(total + "_over", run, value - 500.0)
                elif name == "stage" and run == 1:
                    stages.append((value, detail))
            self.stages[total] = stages

    def apply_figures(self):
        config = os.path.join(self.program, "TanduKovuConfig.exe")
        if not self.has_string(config, "applied"):
            self.missing.append("Apply in the configurator (the configurator does not mark the end of its write)")
            return
        x, y = self.main_page_centres()["BUTTON_APPLY"]
        for profiles in (5, 20):
            key = "apply%d" % profiles
            base = "write%d" % profiles if "write%d" % profiles in self.figures else None
            self.figure(key, "Apply in the configurator, %d profiles: command to the end of its writing state"
                        % profiles, base)
            self.figure(key + "_over", "  the same minus the 500 ms settle wait", None,
                        ("overhead <= 300 ms", lambda m: m <= 300) if profiles == 20 else None)
            for name, run, value, detail in self.probe("apply", winpath(config), profiles, self.args.runs + 1, x, y):
                self.record(key, run, value, detail)
                self.record(key + "_over", run, value - 500.0)

    def main_page_centres(self):
        """The centre of each button of the main page's skin file, by name."""
        import xml.etree.ElementTree as ET
        centres = {}
        for button in ET.parse(os.path.join(self.program, "xml", "MainPage.xml")).iter("BUTTON"):
            r = button.find("RECT")
            if r is not None:
                # right and bottom hold the width and the height
                centres[button.get("name")] = (int(r.get("left")) + int(r.get("right")) // 2,
                                               int(r.get("top")) + int(r.get("bottom")) // 2)
        return centres

    def osd_figures(self):
        tray = os.path.join(self.program, "TanduKovuSysTray.exe")
        if not self.has_string(tray, "csl_osd"):
            self.missing.append("On-screen display (the tray program has none yet)")
            return False
        self.ensure_tray()
        self.figure("event", "A bare event sink: button press to its sensitivity event")
        self.figure("osd", "Display: button press to the display visible", "event")
        self.figure("osd_after", "  the display visible after the event reached the bare sink", None,
                    ("<= 100 ms", lambda m: m <= 100))
        rows = self.probe("osd", self.args.runs + 1)
        for name, run, value, detail in rows:
            self.record(name, run, value, detail)
        events = {run: value for name, run, value, _ in rows if name == "event"}
        for name, run, value, _ in rows:
            if name == "osd" and run in events:
                self.record("osd_after", run, value - events[run])
        return True

    # ---- the tray's idle cost ------------------------------------------
    def wine_pids(self, exe):
        prefix = os.environ.get("WINEPREFIX", "").encode()
        pids = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as fh:
                    cmd = fh.read()
                if exe.encode() not in cmd:
                    continue
                with open("/proc/%s/environ" % entry, "rb") as fh:
                    if b"WINEPREFIX=" + prefix + b"\0" not in fh.read() + b"\0":
                        continue
                pids.append(int(entry))
            except OSError:
                continue
        return pids

    def start_program(self, folder, exe):
        p = subprocess.Popen(["wine", exe], cwd=folder, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(p)

    def wait_pid(self, exe, timeout=60):
        end = time.time() + timeout
        while time.time() < end:
            pids = self.wine_pids(exe)
            if pids:
                return pids[0]
            time.sleep(0.2)
        return None

    def ensure_tray(self):
        if not self.wine_pids("TanduKovuSysTray.exe"):
            self.start_program(self.program, "TanduKovuSysTray.exe")
        return self.wait_pid("TanduKovuSysTray.exe")

    @staticmethod
    def sample(pid):
        """(cpu ns, time slices, clock ticks) of every thread of the process."""
        ns = slices = 0
        for tid in os.listdir("/proc/%d/task" % pid):
            try:
                with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as fh:
                    a = fh.read().split()
                ns += int(a[0])
                slices += int(a[2])
            except OSError:
                pass
        with open("/proc/%d/stat" % pid) as fh:
            stat = fh.read().rsplit(")", 1)[1].split()
        return ns, slices, int(stat[11]) + int(stat[12])

    @staticmethod
    def rss_mb(pid):
        with open("/proc/%d/status" % pid) as fh:
            for line in fh:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
        return 0.0

    @staticmethod
    def private_mb(pid):
        total = 0
        with open("/proc/%d/smaps_rollup" % pid) as fh:
            for line in fh:
                if line.startswith(("Private_Clean:", "Private_Dirty:")):
                    total += int(line.split()[1])
        return total / 1024.0

    def idle_figures(self):
        if not self.has_string(os.path.join(self.program, "TanduKovuSysTray.exe"), "csl_osd"):
            self.missing.append("Tray idle (the tray program has no icon yet)")
            return
        tray_pid = self.ensure_tray()
        if not self.wine_pids("BareTray.exe"):
            self.start_program(self.bin, "BareTray.exe")
        bare_pid = self.wait_pid("BareTray.exe")
        if not tray_pid or not bare_pid:
            raise RuntimeError("tray programs did not start")
        seconds = self.args.idle_seconds
        per_min = 60.0 / seconds
        for who in ("tray", "bare"):
            label = "Tray program" if who == "tray" else "Bare tray icon"
            b = None if who == "bare" else "bare_"
            self.figure(who + "_cpu", label + ": CPU time per minute idle",
                        b and b + "cpu", None, "ms")
            self.figure(who + "_ticks", label + ": CPU clock ticks per minute idle",
                        b and b + "ticks", None, "ticks")
            self.figure(who + "_wakes", label + ": wake-ups per minute (CPU after >= 0.5 s without)",
                        b and b + "wakes",
                        ("<= 12 (its 5 s timer), CPU only at timer ticks", lambda m: m <= 12) if who == "tray" else None,
                        "wakes")
            self.figure(who + "_slices", label + ": scheduler time slices per minute",
                        b and b + "slices", None, "slices")
            self.figure(who + "_rss", label + ": resident memory",
                        b and b + "rss",
                        ("<= bare + 10 MB", lambda m: m <= self.median("bare_rss") + 10) if who == "tray" else None,
                        "MB")
            self.figure(who + "_private", label + ": private memory", b and b + "private", None, "MB")
        self.figure("tray_calls", "Tray program: device-service calls per minute idle", None, None, "calls")
        time.sleep(self.args.settle)  # both have finished starting
        ctl = os.path.join(self.program, "service", "TkDeviceCtl.exe")
        # Windows run back to back; the first is the cold one. A wake-up is a
        # burst of CPU after at least 0.5 s without any.
        for run in range(self.args.idle_runs + 1):
            subprocess.run(["wine", ctl, "log", "clear"], stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            first = {p: self.sample(p) for p in (tray_pid, bare_pid)}
            last = dict(first)
            wakes = {tray_pid: 0, bare_pid: 0}
            quiet = {tray_pid: 99, bare_pid: 99}  # 100 ms intervals without CPU
            end = time.time() + seconds
            while time.time() < end:
                time.sleep(0.1)
                for p in (tray_pid, bare_pid):
                    now = self.sample(p)
                    if now[0] > last[p][0]:
                        if quiet[p] >= 5:
                            wakes[p] += 1
                        quiet[p] = 0
                    else:
                        quiet[p] += 1
                    last[p] = now
            log = subprocess.run(["wine", ctl, "log"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, text=True).stdout
            calls = len([line for line in log.splitlines() if line.strip()])
            for who, p in (("tray", tray_pid), ("bare", bare_pid)):
                self.record(who + "_cpu", run, (last[p][0] - first[p][0]) / 1e6 * per_min)
                self.record(who + "_slices", run, (last[p][1] - first[p][1]) * per_min)
                self.record(who + "_ticks", run, (last[p][2] - first[p][2]) * per_min)
                self.record(who + "_wakes", run, wakes[p] * per_min)
                self.record(who + "_rss", run, self.rss_mb(p))
                self.record(who + "_private", run, self.private_mb(p))
            self.record("tray_calls", run, calls * per_min)

    # ---- report --------------------------------------------------------
    def median(self, key):
        f = self.figures.get(key)
        if not f or not f.warm:
            return None
        return statistics.median(f.warm)

    def rows(self):
        rows = []
        for key in self.order:
            f = self.figures[key]
            if not f.warm:
                continue
            med = statistics.median(f.warm)
            lo, hi = min(f.warm), max(f.warm)
            base = self.median(f.baseline) if f.baseline else None
            ratio = med / base if base else None
            verdict = ""
            if f.target:
                verdict = "met" if f.target[1](med) else "MISSED"
            rows.append({
                "key": key, "figure": f.label, "unit": f.unit, "median": med, "min": lo, "max": hi,
                "spread_pct": 100.0 * (hi - lo) / med if med else 0.0,
                "cold": f.cold, "baseline": f.baseline or "", "ratio": ratio,
                "target": f.target[0] if f.target else "", "verdict": verdict,
                "detail": "; ".join(sorted(f.details)),
            })
        return rows

    def machine(self):
        cpu = ""
        try:
            with open("/proc/cpuinfo") as fh:
                for line in fh:
                    if line.startswith("model name"):
                        cpu = line.split(":", 1)[1].strip()
                        break
        except OSError:
            pass
        wine = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, text=True).stdout.strip()
        load = os.getloadavg()
        return "%s, %d cores, %s, %s; load average %.1f / %.1f / %.1f at the end" % (
            cpu, os.cpu_count(), platform.platform(terse=True), wine, *load)

    def write(self, started):
        rows = self.rows()
        os.makedirs(self.out, exist_ok=True)
        fmt = lambda v, unit: "" if v is None else ("%.1f" % v if unit in ("ms", "MB") else "%.0f" % v)
        lines = ["# Benchmark results", "",
                 "Run %s, %d warm runs (idle: %d windows of %d s) after one cold run." % (
                     started.strftime("%Y-%m-%d %H:%M UTC"), self.args.runs, self.args.idle_runs,
                     self.args.idle_seconds),
                 "Machine: %s." % self.machine(), "",
                 "| figure | median | spread (min-max) | cold | baseline | ratio | target | |",
                 "|---|---:|---|---:|---|---:|---|---|"]
        for r in rows:
            unit = r["unit"]
            base = self.figures[r["baseline"]].label if r["baseline"] else ""
            lines.append("| %s | %s %s | %s-%s (%.0f%%) | %s | %s | %s | %s | %s |" % (
                r["figure"], fmt(r["median"], unit), unit, fmt(r["min"], unit), fmt(r["max"], unit),
                r["spread_pct"], fmt(r["cold"], unit), base,
                "" if r["ratio"] is None else "%.2f" % r["ratio"], r["target"], r["verdict"]))
        if self.missing:
            lines += ["", "Not measured: " + "; ".join(self.missing) + "."]
        details = [r for r in rows if r["detail"]]
        if details:
            lines += ["", "Service calls: " + "; ".join("%s: %s" % (r["key"], r["detail"]) for r in details) + "."]
        for key, stages in self.stages.items():
            if stages:
                what = key if "(" in key else "%s (first warm run, ms from the call)" % key
                lines += ["", "Stages of %s: " % what +
                          ", ".join("%.0f %s" % (t, text) for t, text in stages) + "."]
        text = "\n".join(lines) + "\n"
        with open(os.path.join(self.out, "results.md"), "w") as fh:
            fh.write(text)
        with open(os.path.join(self.out, "results.csv"), "w", newline="") as fh:
            w = csv.DictWriter(fh, fieldnames=list(rows[0].keys()) if rows else ["key"])
            w.writeheader()
            for r in rows:
                w.writerow(r)
        sys.stdout.write(text)

    def stop_started(self):
        for p in self.started:
            if p.poll() is None:
                p.terminate()


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--build", required=True)
    ap.add_argument("--runs", type=int, default=7, help="warm runs of each figure (default 7)")
    ap.add_argument("--idle-seconds", type=int, default=60, help="length of one idle window (default 60)")
    ap.add_argument("--idle-runs", type=int, default=None, help="idle windows (default: --runs)")
    ap.add_argument("--settle", type=float, default=5.0, help="seconds before the idle windows")
    ap.add_argument("--only", default="", help="figures to run: read,start,pages,macro,write,apply,osd,idle")
    args = ap.parse_args()
    if args.idle_runs is None:
        args.idle_runs = args.runs
    only = set(filter(None, args.only.split(",")))
    bench = Bench(args)
    started = datetime.datetime.utcnow()
    try:
        # The read first: the start target is built on it. The device write
        # before the configurator starts: that starts the tray program, whose
        # 5 s checks would share the service with the write.
        for name, step in (("read", bench.read_figures), ("write", bench.write_figures),
                           ("start", bench.start_figures), ("pages", bench.page_figures),
                           ("macro", bench.macro_figures),
                           ("apply", bench.apply_figures), ("osd", bench.osd_figures),
                           ("idle", bench.idle_figures)):
            if only and name not in only:
                continue
            print("bench: %s ..." % name, flush=True)
            try:
                step()
            except Exception as e:  # a failed figure is reported; the others still run
                bench.missing.append("%s (failed: %s)" % (name, e))
        bench.write(started)
    finally:
        bench.stop_started()


if __name__ == "__main__":
    main()
