#!/usr/bin/env python3
"""Runs a command on a terminal of its own (a pseudo-terminal, its session's
controlling terminal, as a user's shell has one) and plays steps at it as a
user would:

    at_terminal.py TRANSCRIPT COMMAND... -- STEP...

    type:TEXT   TEXT typed, with Python's escapes (\\x03 is Ctrl-C, \\x1a
                Ctrl-Z, \\n Enter)
    see:TEXT    waits until the terminal shows TEXT after what the last
                see: matched
    until:CMD   waits until the shell command CMD succeeds
    touch:PATH  makes PATH

Then waits for the command to end. The transcript gets all the terminal
showed and a last line saying how the command ended ("exit N" or "signal N").
Exits 0, or 1 when a wait took more than 20 s (the command is then killed).
"""
import os
import pty
import select
import signal
import subprocess
import sys
import time

WAIT = 20.0


def main():
    transcript, argv = sys.argv[1], sys.argv[2:]
    split = argv.index("--")
    command, steps = argv[:split], argv[split + 1:]
    pid, master = pty.fork()
    if pid == 0:
        # As a login shell has them: Python ignores SIGPIPE, a caller may
        # ignore more.
        for sig in (signal.SIGINT, signal.SIGQUIT, signal.SIGTSTP, signal.SIGTTIN,
                    signal.SIGTTOU, signal.SIGHUP, signal.SIGTERM, signal.SIGPIPE):
            signal.signal(sig, signal.SIG_DFL)
        os.environ["TERM"] = "dumb"
        os.execvp(command[0], command)
    shown = bytearray()
    seen = 0

    def drain(seconds):  # True when something came
        ready, _, _ = select.select([master], [], [], seconds)
        if not ready:
            return False
        try:
            data = os.read(master, 4096)
        except OSError:  # the terminal's last process has gone
            return False
        shown.extend(data)
        return bool(data)

    def until(done, what):
        end = time.monotonic() + WAIT
        while not done():
            if time.monotonic() > end:
                finish(f"timed out waiting for {what}")
            drain(0.05)

    def finish(outcome):
        if outcome.startswith("timed out"):
            os.kill(pid, signal.SIGKILL)
        with open(transcript, "wb") as out:
            out.write(bytes(shown) + f"\n{outcome}\n".encode())
        sys.exit(1 if outcome.startswith("timed out") else 0)

    for step in steps:
        kind, _, arg = step.partition(":")
        if kind == "type":
            os.write(master, arg.encode().decode("unicode_escape").encode())
        elif kind == "see":
            want = arg.encode()
            until(lambda: shown.find(want, seen) >= 0, repr(arg))
            seen = shown.find(want, seen) + len(want)
        elif kind == "until":
            until(lambda: subprocess.run(arg, shell=True).returncode == 0, arg)
        elif kind == "touch":
            open(arg, "a").close()
        else:
            sys.exit(f"unknown step: {step}")
    end = time.monotonic() + WAIT
    while True:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            break
        if time.monotonic() > end:
            finish("timed out waiting for the command to end")
        drain(0.05)
    while drain(0.2):
        pass
    if os.WIFSIGNALED(status):
        finish(f"signal {os.WTERMSIG(status)}")
    finish(f"exit {os.WEXITSTATUS(status)}")


main()
