#!/usr/bin/env python3
"""The soak's driver (tools/soak.sh brings up the harness and runs it).

Puts the simulated mouse in its default state and starts the configurator
(which starts the tray program), then for the given
time makes the requests a busy user and mouse would: the control tool's dump
every second, both programs' windows asked to answer every 5 s, a button
press on the mouse every 7 s (sensitivity and profile by turns), a battery
change every 11 s and an Apply every 20 s. Every request is a process of its
own; one that has not ended after 5 s is a hang: every program's call stacks
are printed and the soak fails. Prints the count and the slowest answer of
each kind of request. --clients N adds N control-tool clients that ask for
the state back to back."""
import argparse
import os
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ET

LIMIT_S = 5.0
# (kind, period in seconds)
SCHEDULE = [("dump", 1), ("ping", 5), ("press", 7), ("battery", 11), ("apply", 20)]


def apply_centre(program):
    for button in ET.parse(os.path.join(program, "xml", "MainPage.xml")).iter("BUTTON"):
        r = button.find("RECT")
        if button.get("name") == "BUTTON_APPLY" and r is not None:
            # right and bottom hold the width and the height
            return (int(r.get("left")) + int(r.get("right")) // 2, int(r.get("top")) + int(r.get("bottom")) // 2)
    raise SystemExit("soak: no BUTTON_APPLY in MainPage.xml")


class Soak:
    def __init__(self, args):
        self.build = os.path.abspath(args.build)
        self.program = os.path.join(self.build, "program")
        self.ctl = os.path.join(self.program, "service", "TkDeviceCtl.exe")
        self.probe = os.path.join(self.build, "bench", "bin", "SoakProbe.exe")
        self.apply_at = apply_centre(self.program)
        self.seconds = args.minutes * 60
        self.stats = {kind: [0, 0.0] for kind, _ in SCHEDULE}  # count, slowest
        self.turn = 0
        self.clients = args.clients
        self.lock = threading.Lock()
        self.failed = None

    def command(self, kind):
        self.turn += 1
        if kind == "dump":
            return [self.ctl, "dump"]
        if kind == "ping":
            return [self.probe, "ping"]
        if kind == "press":
            return [self.ctl, "press", "dpi" if self.turn % 2 else "profile", "wireless"]
        if kind == "battery":
            level = 5 + (self.turn * 37) % 96
            return [self.ctl, "battery", "wireless", str(level), str(self.turn % 2)]
        return [self.probe, "apply", str(self.apply_at[0]), str(self.apply_at[1])]

    def request(self, kind):
        """Makes one request; the reason it failed, or None."""
        with self.lock:
            cmd = self.command(kind)
        name = " ".join(os.path.basename(c) for c in cmd)
        t0 = time.monotonic()
        try:
            # Wine's own errors too: a request that fails before our code runs
            # says why.
            r = subprocess.run(["wine"] + cmd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True, errors="replace", timeout=LIMIT_S,
                               env=dict(os.environ, WINEDEBUG="err+all,fixme-all"))
        except subprocess.TimeoutExpired:
            return "%s took longer than %.0f s" % (name, LIMIT_S)
        took = time.monotonic() - t0
        if r.returncode != 0:
            return "%s failed (%d): %s" % (name, r.returncode, r.stdout.strip())
        with self.lock:
            stat = self.stats[kind]
            stat[0] += 1
            stat[1] = max(stat[1], took)
        return None

    def client(self):
        """One more control-tool client asking for the state back to back."""
        while not self.failed and time.monotonic() - self.started < self.seconds:
            self.failed = self.request("dump") or self.failed

    def fail(self, what):
        elapsed = time.monotonic() - self.started
        print("soak: FAILED after %.0f s: %s (load: %s); the prefix's call stacks:" % (
            elapsed, what, " ".join(open("/proc/loadavg").read().split()[:3])), flush=True)
        subprocess.run(["bash", "-c", ". \"$0\"; tk_dump_stacks 2>&1",
                        os.path.join(os.path.dirname(__file__), "wine-env.sh")], stdin=subprocess.DEVNULL)
        self.report()
        sys.exit(1)

    def report(self):
        total = sum(s[0] for s in self.stats.values())
        slowest = max(s[1] for s in self.stats.values())
        print("soak: %d requests in %.0f s, slowest answer %.2f s" % (
            total, time.monotonic() - self.started, slowest))
        for kind, _ in SCHEDULE:
            print("  %-8s %5d requests, slowest %.2f s" % (kind, self.stats[kind][0], self.stats[kind][1]))
        sys.stdout.flush()

    def run(self):
        # The same mouse every time: the simulated mouse's default state (a
        # test that was stopped may have left a model detached).
        if subprocess.run(["wine", self.ctl, "reset"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            raise SystemExit("soak: the simulated mouse does not answer")
        log = open(os.path.join(self.build, "soak-programs.log"), "w")
        config = subprocess.Popen(["wine", "./TanduKovuConfig.exe"], cwd=self.program,
                                  stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        self.started = time.monotonic()
        # Both programs up: their windows answer.
        while subprocess.run(["wine", self.probe, "ping"], stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
            if time.monotonic() - self.started > 120 or config.poll() is not None:
                self.fail("the programs did not start")
            time.sleep(0.5)
        print("soak: both programs up after %.1f s; %d minutes of requests" % (
            time.monotonic() - self.started, self.seconds // 60), flush=True)
        self.started = time.monotonic()
        extra = [threading.Thread(target=self.client, daemon=True) for _ in range(self.clients)]
        for t in extra:
            t.start()
        due = {kind: 0.0 for kind, _ in SCHEDULE}
        while not self.failed:
            now = time.monotonic() - self.started
            if now >= self.seconds:
                break
            if config.poll() is not None:
                self.failed = "the configurator ended (exit code %d)" % config.returncode
                break
            for kind, period in SCHEDULE:
                if now >= due[kind] and not self.failed:
                    due[kind] = now + period
                    self.failed = self.request(kind)
            time.sleep(max(0.0, min(due.values()) - (time.monotonic() - self.started)))
        if self.failed:
            self.fail(self.failed)
        for t in extra:
            t.join()
        self.report()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", required=True)
    ap.add_argument("--minutes", type=float, default=10)
    ap.add_argument("--clients", type=int, default=0,
                    help="more control-tool clients asking for the state back to back")
    args = ap.parse_args()
    Soak(args).run()


if __name__ == "__main__":
    main()
