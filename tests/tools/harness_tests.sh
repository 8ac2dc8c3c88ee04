#!/usr/bin/env bash
# The harness commands' hold on their build folder, what a run that did not
# finish left behind, and the simulated mouse's kept state, on scratch build
# folders with a stand-in command that starts as tools/*.sh do and a
# stand-in wineserver. No Wine is started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
export TK_TEST_SCRATCH="$scratch" TK_TEST_ROOT="$root" PATH="$scratch/bin:$PATH"
# tools/test.sh runs ctest with its own prefix and front in the environment.
unset WINEPREFIX TK_RUN_FRONT
build="$scratch/build"
state="$build/program/service/DeviceState.dat"
lock="$build/.tk-harness.lock"
wlog="$scratch/wineserver.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
poll() {  # poll SECONDS COMMAND...: until COMMAND succeeds
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}
start_of() { local s; read -r s <"/proc/$1/stat" && s=${s##*) } && set -- $s && echo "${20}"; }
running() { [ -e "/proc/$1" ] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }
# Every process this test starts is noted with its start time; only those
# still the same processes are ended at the end.
note() { echo "$1 $(start_of "$1")" >>"$TK_TEST_SCRATCH/pids"; }
export -f note start_of running
cleanup() {
  local pid start
  while read -r pid start; do
    [ "$(start_of "$pid" 2>/dev/null)" = "$start" ] && kill -9 "$pid" 2>/dev/null || true
  done <"$scratch/pids" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# The stand-in wineserver: -p starts a "server" in a session of its own, as
# the real one does; -k asks it to end (it notes that it was asked) and notes
# whether the killed run's program was still there; -w waits for it to end,
# first for a gate when one is wanted.
mkdir -p "$scratch/bin" "$scratch/halfcp"
cat >"$scratch/bin/wineserver" <<'WS'
#!/usr/bin/env bash
log=$TK_TEST_SCRATCH/wineserver.log pidf=$WINEPREFIX/server.pid
case $1 in
  -p) setsid bash -c 'trap "echo asked >>$0; exit 0" USR1; echo $$ >"$1"; while :; do sleep 0.05; done' \
        "$log" "$pidf" </dev/null >/dev/null 2>&1 &
      until [ -s "$pidf" ]; do sleep 0.01; done
      note "$(cat "$pidf")" ;;
  -k) child=$(cat "$TK_TEST_SCRATCH/child" 2>/dev/null) || child=
      if [ -n "$child" ] && running "$child"; then echo "-k, the program still there" >>"$log"; else echo "-k" >>"$log"; fi
      pid=$(cat "$pidf" 2>/dev/null) && kill -USR1 "$pid" 2>/dev/null ;;
  -w) if [ -n "${TK_TEST_GATE:-}" ]; then
        echo waiting >>"$log"
        until [ -e "$TK_TEST_SCRATCH/gate" ]; do sleep 0.05; done
      fi
      pid=$(cat "$pidf" 2>/dev/null) && while running "$pid"; do sleep 0.05; done ;;
esac
exit 0
WS
# A copy cut short: half the file, then the run is killed where it stands.
cat >"$scratch/halfcp/cp" <<'CP'
#!/usr/bin/env bash
head -c 3 "${@: -2:1}" >"${@: -1}"
kill -9 "$PPID"
CP
chmod +x "$scratch/bin/wineserver" "$scratch/halfcp/cp"

# The stand-in command, on the folder TK_TEST_BUILD (default: build), with
# words saying what it does:
#   keep   sets the state aside as the suite does, with a Wine prefix and a
#          persistent "wineserver", and an "Xvfb" that ended early (ending
#          it again fails in the exit trap), and saves the tests' state
#   spawn  starts a program that outlives the run (a browser the
#          configurator opened, say): a shell that, once told, runs a
#          command in turn (files program, go, typed)
#   hold   stays, with a child that outlives it, until it is ended
cat >"$scratch/cmd.sh" <<'CMD'
set -euo pipefail
. "$TK_TEST_ROOT/tools/wine-env.sh"
b=${TK_TEST_BUILD:-$TK_TEST_SCRATCH/build}
tk_harness_start "$b" "$0" "$@"
at=$TK_TEST_SCRATCH
[ "$b" = "$at/build" ] || at=$b
if [[ " $* " == *" keep "* ]]; then
  tk_env_down_on_exit_keeping_state "$b"
  export WINEPREFIX=$b/wineprefix
  mkdir -p "$WINEPREFIX"
  wineserver -p
  true &
  TK_XVFB_PID=$!
  wait "$TK_XVFB_PID"
  echo tests >"$b/program/service/DeviceState.dat"
fi
if [[ " $* " == *" spawn "* ]]; then
  bash -c 'until [ -e "$1/go" ]; do sleep 0.05; done
           bash "$1/cmd.sh" hold >"$1/typed" 2>&1 &
           echo $! >"$1/typed.pid"; wait' sh "$TK_TEST_SCRATCH" </dev/null >/dev/null 2>&1 &
  note $!
  echo $! >"$TK_TEST_SCRATCH/program"
fi
if [[ " $* " == *" hold "* ]]; then
  sleep 600 </dev/null >/dev/null 2>&1 &
  note $!
  echo $! >"$at/child"
  : >"$at/holding"
  wait
fi
CMD
run() { timeout 20 bash "$scratch/cmd.sh" "$@"; }
lock_free() { flock -n "$lock" true; }
# A run started, as a Python or CI driver starts it, by a parent that reaps
# it only later (in a session of its own with TK_TEST_NEW_SESSION set);
# front: its pid, inner: the session that does the work.
start_held_run() {
  rm -f "$scratch/holding" "$scratch/child"
  python3 -c 'import os, signal, subprocess, sys, time
signal.signal(signal.SIGINT, signal.SIG_DFL)  # as a command at a terminal has it
p = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                     start_new_session="TK_TEST_NEW_SESSION" in os.environ)
print(p.pid, flush=True)
time.sleep(600)' bash "$scratch/cmd.sh" "$@" >"$scratch/front" &
  note $!
  poll 20 test -f "$scratch/holding" || fail "the stand-in never took the folder"
  front=$(cat "$scratch/front")
  note "$front"
  read -r inner _ <"$build/.tk-harness.run"
}
kill_whole_run() { kill -9 "$inner" "$front"; poll 10 lock_free || fail "a killed run still holds its folder"; }
# Types a command into the spawned program's shell and waits until it holds.
type_into_program() {
  rm -f "$scratch/holding"
  : >"$scratch/go"
  poll 20 test -f "$scratch/holding" || fail "the command typed into the program never took the folder"
  rm -f "$scratch/go"
}
refused() { ! run plain 2>/dev/null || fail "a second command ran beside a holding one"; }

echo "-- a second command on a held folder stops at once, naming the holder"
mkdir -p "${state%/*}"
echo user >"$state"
for other in "$scratch/build-other" "$build/sub"; do
  TK_TEST_BUILD=$other bash "$scratch/cmd.sh" hold >/dev/null 2>&1 &
  note $!
  poll 20 test -f "$other/holding" || fail "the run on $other never took its folder"
done
start_held_run keep spawn hold
rc=0
out=$(run keep 2>&1) || rc=$?
[ "$rc" != 0 ] || fail "a second command ran beside the first"
[ "$rc" != 124 ] || fail "the second command waited for the folder"
for want in "cmd.sh keep spawn hold (process $front," "TK_BUILD_DIR="; do
  [[ $out == *"$want"* ]] || fail "the refusal does not say '$want': $out"
done
[ "$(cat "$state")" = tests ] && [ "$(cat "$state.kept")" = user ] \
  || fail "the refused command touched the running one's state"

echo "-- a run killed whole is ended by the next command: its Wine asked first, then its own processes, not another folder's nor the command's own shell"
child=$(cat "$scratch/child") program=$(cat "$scratch/program")
kill_whole_run
running "$child" || fail "the child ended with the run: nothing checked"
type_into_program
grep -q "ending what a run that did not finish left running" "$scratch/typed" \
  || fail "the next command did not say it ended a run's leftovers: $(cat "$scratch/typed")"
! running "$child" || fail "the killed run's child outlived the next start"
running "$program" || fail "the command ended the shell it was typed into"
[ "$(cat "$wlog")" = $'-k, the program still there\nasked' ] \
  || fail "the prefix's wineserver was not asked to end before the run's processes: $(cat "$wlog")"
for other in "$scratch/build-other" "$build/sub"; do
  running "$(cat "$other/child")" || fail "a run on another folder ($other) was ended"
done
[ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] || fail "the user's state was not put back"
refused
kill -TERM "$(cat "$scratch/typed.pid")"
poll 10 lock_free || fail "the typed command kept the folder after it was ended"

echo "-- a run whose driver killed it, without reaping it yet, ends in order and frees the folder"
rm -f "$wlog"
start_held_run keep hold
kill -9 "$front"
poll 5 lock_free || fail "the run of a killed command holds its folder"
out=$(run plain 2>&1) || fail "the command after it failed: $out"
[ -z "$out" ] || fail "the command after a run that ended in order said: $out"
[ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] || fail "the run did not put the user's state back"
grep -q asked "$wlog" || fail "the run's exit did not ask its wineserver to end"

echo "-- a program a finished run started lives on, and a command typed into it keeps the folder"
run spawn || fail "a spawning run failed"
program=$(cat "$scratch/program")
type_into_program
[ -z "$(cat "$scratch/typed")" ] || fail "the command after a finished run said: $(cat "$scratch/typed")"
running "$program" || fail "the program a finished run started was ended"
refused
kill -TERM "$(cat "$scratch/typed.pid")"
poll 10 lock_free || fail "the typed command kept the folder after it was ended"

echo "-- the exit trap runs whole through a second Ctrl-C"
rm -f "$wlog"
TK_TEST_GATE=1 start_held_run keep hold
kill -INT "$front"
poll 10 grep -qs waiting "$wlog" || fail "the exit trap never brought Wine down"
kill -INT "$front"
: >"$scratch/gate"
poll 10 lock_free || fail "the folder is still held after the exit trap"
[ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] && [ ! -e "$build/.tk-harness.run" ] \
  || fail "a second Ctrl-C cut the exit trap short"
rm -f "$scratch/gate"

echo "-- a copy of the state cut short is never put back"
PATH="$scratch/halfcp:$PATH" run keep 2>/dev/null && fail "the run survived its cut copy"
[ "$(cat "$state.kept.new" "$state.kept" 2>/dev/null)" = use ] || fail "no copy was cut short"
poll 10 lock_free || fail "a killed run still holds its folder"
run plain 2>/dev/null || fail "the command after a cut copy failed"
[ "$(cat "$state")" = user ] || fail "a half-made copy was put back: $(cat "$state")"

echo "-- a session by hand is refused beside a command, and after a killed run starts from the user's state"
by_hand() { bash -c '. "$0/tools/wine-env.sh"; tk_by_hand_start "$1"' "$root" "$build"; }
start_held_run keep hold
! by_hand 2>/dev/null || fail "a session by hand started beside a command"
kill_whole_run
by_hand 2>/dev/null || fail "a session by hand after a killed run failed"
[ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] || fail "a session by hand started from the tests' state"
echo "saved by hand" >"$state"
run plain 2>/dev/null || fail "the command after a session by hand failed"
[ "$(cat "$state")" = "saved by hand" ] || fail "a later command put an older state over the session's"

echo "-- a run of its own session killed, its driver not reaping it: no state file before, none after the next"
rm -f "$state"
TK_TEST_NEW_SESSION=1 start_held_run keep hold
[ "$inner" = "$front" ] || fail "a command started as a session of its own made another"
kill_whole_run
run keep 2>/dev/null || fail "the command after a killed run failed"
[ ! -e "$state" ] || fail "the tests' state was left as the user's"
[ -z "$(ls -A "${state%/*}")" ] || fail "left behind: $(ls -A "${state%/*}")"
echo "harness tests passed"
