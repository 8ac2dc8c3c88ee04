#!/usr/bin/env bash
# The harness commands as their callers meet them (a terminal, timeout,
# nohup), their hold on their build folder, what a run that did not finish
# left behind and the simulated mouse's kept state, on scratch build folders
# with a stand-in command that starts as tools/*.sh do, a stand-in wineserver
# and a stand-in sudo. No Wine is started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
# Every process this test starts carries the scratch folder's name, this
# test's alone: what is left of them at the end is ended by it.
export TK_TEST_SCRATCH="$scratch" TK_TEST_ROOT="$root" PATH="$scratch/bin:$PATH"
unset WINEPREFIX  # tools/test.sh runs ctest with its own
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
running() { [ -e "/proc/$1" ] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }
gone() { ! running "$1"; }
held_still() { grep -q '^State:.*stopped' "/proc/$1/status" 2>/dev/null; }
export -f running held_still
cleanup() {
  local p
  for p in $(grep -lsxzF -e "TK_TEST_SCRATCH=$scratch" /proc/[0-9]*/environ); do
    p=${p#/proc/}
    kill -9 "${p%/environ}" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

# The stand-in wineserver: -p starts a "server" in a session of its own, as
# the real one does and under its name; -k asks it to end, noting whether it
# was held still then and whether the killed run's program was still there;
# -w waits for it to end, first for a gate when one is wanted. The stand-in
# sudo asks for a password on the terminal, as sudo does.
mkdir -p "$scratch/bin" "$scratch/halfcp"
ln -s "$(command -v sleep)" "$scratch/bin/wineserver64"
cp "$(command -v sleep)" "$scratch/bin/wine64"  # a Wine loader, by its executable
cat >"$scratch/bin/wineserver" <<'WS'
#!/usr/bin/env bash
log=$TK_TEST_SCRATCH/wineserver.log pidf=$WINEPREFIX/server.pid
case $1 in
  -p) setsid bash -c 'echo $$ >"$1"; exec wineserver64 600' sh "$pidf" </dev/null >/dev/null 2>&1 &
      until [ -s "$pidf" ]; do sleep 0.01; done ;;
  -k) pid=$(cat "$pidf" 2>/dev/null) || exit 0
      child=$(cat "$TK_TEST_SCRATCH/child" 2>/dev/null) || child=
      line=-k
      if held_still "$pid"; then line+=", held"; fi
      if [ -n "$child" ] && running "$child"; then line+=", the program still there"; fi
      echo "$line" >>"$log"
      kill "$pid" 2>/dev/null ;;
  -w) if [ -n "${TK_TEST_GATE:-}" ]; then
        : >"$TK_TEST_SCRATCH/at-gate"
        until [ -e "$TK_TEST_SCRATCH/gate" ]; do sleep 0.05; done
      fi
      pid=$(cat "$pidf" 2>/dev/null) && while running "$pid"; do sleep 0.05; done ;;
esac
exit 0
WS
cat >"$scratch/bin/sudo" <<'SUDO'
#!/usr/bin/env bash
{ exec 3<>/dev/tty; } 2>/dev/null || { echo "sudo: a terminal is required to read the password" >&2; exit 1; }
printf '[sudo] password: ' >&3
read -r pw <&3
[ "$pw" = secret ] && exec "$@"
SUDO
# A copy cut short: half the file, then the run is killed where it stands.
cat >"$scratch/halfcp/cp" <<'CP'
#!/usr/bin/env bash
head -c 3 "${@: -2:1}" >"${@: -1}"
kill -9 "$PPID"
CP
chmod +x "$scratch/bin/wineserver" "$scratch/bin/sudo" "$scratch/halfcp/cp"

# The stand-in command, on the folder TK_TEST_BUILD (default: build), with
# words saying what it does:
#   keep   sets the state aside as the suite does, with a Wine prefix, a
#          persistent "wineserver", a Wine program that will still be
#          starting when the server ends (file wine), and an "Xvfb" that
#          ended early (ending it again fails in the exit trap), and saves
#          the tests' state
#   spawn  starts a program that outlives the run (a browser the
#          configurator opened, say): a shell that, once told, runs a
#          command in turn (files program, go, typed)
#   sudo   asks sudo, as the install does on a machine that lacks something
#   wait   says it is ready, waits for the file done, then ends well
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
  wine64 600 </dev/null >/dev/null 2>&1 &
  echo $! >"$at/wine"
  true &
  TK_XVFB_PID=$!
  wait "$TK_XVFB_PID"
  echo tests >"$b/program/service/DeviceState.dat"
fi
if [[ " $* " == *" spawn "* ]]; then
  bash -c 'until [ -e "$1/go" ]; do sleep 0.05; done
           bash "$1/cmd.sh" hold >"$1/typed" 2>&1 &
           echo $! >"$1/typed.pid"; wait' sh "$TK_TEST_SCRATCH" </dev/null >/dev/null 2>&1 &
  echo $! >"$TK_TEST_SCRATCH/program"
fi
if [[ " $* " == *" sudo "* ]]; then
  sudo true
  echo "sudo done"
fi
if [[ " $* " == *" wait "* ]]; then
  : >"$at/ready"
  until [ -e "$at/done" ]; do sleep 0.05; done
fi
if [[ " $* " == *" hold "* ]]; then
  sleep 600 </dev/null >/dev/null 2>&1 &
  echo $! >"$at/child"
  : >"$at/holding"
  wait
fi
CMD
run() { timeout 20 bash "$scratch/cmd.sh" "$@"; }
lock_free() { flock -n "$lock" true; }
# Types a command into the spawned program's shell and waits until it holds.
type_into_program() {
  rm -f "$scratch/holding"
  : >"$scratch/go"
  poll 20 test -f "$scratch/holding" || fail "the command typed into the program never took the folder"
  rm -f "$scratch/go"
}
refused() { ! run plain 2>/dev/null || fail "a second command ran beside a holding one"; }
# The command typed into the program holds the folder until it is ended.
end_typed() {
  refused
  kill -TERM "$(cat "$scratch/typed.pid")"
  poll 10 lock_free || fail "the typed command kept the folder after it was ended"
}
# Starts a command that holds the folder (cmd: its pid), as a caller does.
start_holding() {
  rm -f "$scratch/holding"
  "$@" >/dev/null 2>&1 &
  cmd=$!
  disown
  poll 20 test -f "$scratch/holding" || fail "the stand-in never took the folder"
}
put_back() { [ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] || fail "$1"; }
at_terminal() { python3 "$root/tests/tools/at_terminal.py" "$scratch/terminal" "$@" || fail "at a terminal: $(cat "$scratch/terminal")"; }
seen() { grep -q -- "$1" "$scratch/terminal" || fail "$2: $(cat "$scratch/terminal")"; }

echo "-- a second command on a held folder stops at once, naming the holder"
mkdir -p "${state%/*}"
echo user >"$state"
for other in "$scratch/build-other" "$build/sub"; do
  TK_TEST_BUILD=$other bash "$scratch/cmd.sh" hold >/dev/null 2>&1 &
  disown
  poll 20 test -f "$other/holding" || fail "the run on $other never took its folder"
done
start_holding nohup bash "$scratch/cmd.sh" keep spawn hold
rc=0
out=$(run keep 2>&1) || rc=$?
[ "$rc" != 0 ] || fail "a second command ran beside the first"
[ "$rc" != 124 ] || fail "the second command waited for the folder"
for want in "cmd.sh keep spawn hold (process $cmd," "TK_BUILD_DIR="; do
  [[ $out == *"$want"* ]] || fail "the refusal does not say '$want': $out"
done
[ "$(cat "$state")" = tests ] && [ "$(cat "$state.kept")" = user ] \
  || fail "the refused command touched the running one's state"

echo "-- under nohup, the command killed lets its folder go; the next, typed into the run's program, ends what the run left (its wineserver asked first), but that program and other folders' runs"
child=$(cat "$scratch/child") program=$(cat "$scratch/program")
kill -9 "$cmd"
poll 5 lock_free || fail "the killed command's run goes on holding its folder"
running "$child" || fail "the child ended with the command: nothing checked"
type_into_program
grep -q "ending what a run that did not finish left running" "$scratch/typed" \
  || fail "the next command did not say it ended a run's leftovers: $(cat "$scratch/typed")"
! running "$child" || fail "the killed run's child outlived the next start"
running "$program" || fail "the command ended the shell it was typed into"
[ "$(cat "$wlog")" = "-k, the program still there" ] \
  || fail "the wineserver was not asked to end, free to answer, before the run's processes: $(cat "$wlog")"
for other in "$scratch/build-other" "$build/sub"; do
  running "$(cat "$other/child")" || fail "a run on another folder ($other) was ended"
done
put_back "the user's state was not put back"
end_typed

echo "-- a stranger whose session has the recorded run's pid is not touched"
read -r sid start stranger < <(setsid bash -c 'sleep 600 </dev/null >/dev/null 2>&1 & read -r s </proc/$$/stat; s=(${s##*) }); echo $$ ${s[19]} $!')
printf '%s %s\n' "$sid" "$start" >"$build/.tk-harness.run"
out=$( (trap '' PIPE; run plain) 2>&1) || fail "the command after a record of a run that left nothing failed: $out"
running "$stranger" || fail "a stranger in the recorded pid's session was ended"
[ -z "$out" ] || fail "the command said, with SIGPIPE ignored: $out"
[ ! -e "$build/.tk-harness.run" ] || fail "the record of a finished run was kept"

echo "-- a program a finished run started lives on, and a command typed into it keeps the folder; its Wine left starting does not"
run keep spawn 2>/dev/null || fail "a spawning run failed"
program=$(cat "$scratch/program")
poll 5 gone "$(cat "$scratch/wine")" || fail "a Wine program of the run outlived its server and the run"
type_into_program
[ -z "$(cat "$scratch/typed")" ] || fail "the command after a finished run said: $(cat "$scratch/typed")"
running "$program" || fail "the program a finished run started was ended"
end_typed

echo "-- Ctrl-C at a terminal ends a loop of commands; a second one does not cut the exit trap short"
rm -f "$wlog" "$scratch/holding"
TK_TEST_GATE=1 at_terminal bash -c 'for i in 1 2; do bash "$TK_TEST_SCRATCH/cmd.sh" keep hold; echo "next $i"; done' -- \
  "until:test -e $scratch/holding" 'type:\x03' "until:test -e $scratch/at-gate" 'type:\x03' "touch:$scratch/gate"
seen "^signal 2" "the loop did not end by Ctrl-C"
! grep -q "next 1" "$scratch/terminal" || fail "the loop went on after Ctrl-C"
put_back "the exit trap did not put the user's state back"
[ ! -e "$build/.tk-harness.run" ] && lock_free || fail "a second Ctrl-C cut the exit trap short"
rm -f "$scratch/gate" "$scratch/at-gate"

echo "-- a copy of the state cut short is never put back"
PATH="$scratch/halfcp:$PATH" run keep 2>/dev/null && fail "the run survived its cut copy"
[ "$(cat "$state.kept.new" "$state.kept" 2>/dev/null)" = use ] || fail "no copy was cut short"
poll 10 lock_free || fail "a killed run still holds its folder"
run plain 2>/dev/null || fail "the command after a cut copy failed"
[ "$(cat "$state")" = user ] || fail "a half-made copy was put back: $(cat "$state")"

echo "-- a session by hand is refused beside a command, and after a killed run starts from the user's state"
by_hand() { bash -c '. "$0/tools/wine-env.sh"; tk_by_hand_start "$1"' "$root" "$build"; }
start_holding bash "$scratch/cmd.sh" keep hold
! by_hand 2>/dev/null || fail "a session by hand started beside a command"
kill -9 "$cmd"
poll 5 lock_free || fail "a killed command still holds its folder"
by_hand 2>/dev/null || fail "a session by hand after a killed run failed"
put_back "a session by hand started from the tests' state"
echo "saved by hand" >"$state"
run plain 2>/dev/null || fail "the command after a session by hand failed"
[ "$(cat "$state")" = "saved by hand" ] || fail "a later command put an older state over the session's"

echo "-- timeout ends a run in order; no state file before, none after"
rm -f "$state"
rc=0
timeout -k 5 1 bash "$scratch/cmd.sh" keep hold 2>/dev/null || rc=$?
[ "$rc" = 124 ] || fail "timeout did not end the run in order (exit code $rc)"
[ -z "$(ls -A "${state%/*}")" ] || fail "left behind: $(ls -A "${state%/*}")"
[ ! -e "$build/.tk-harness.run" ] && lock_free || fail "the run timed out kept its record or folder"

echo "-- at a terminal: sudo asks; Ctrl-Z, then fg, runs a command to its end; Ctrl-Z, then kill -9 %1, leaves what the next command ends"
echo user >"$state"
rm -f "$scratch/holding" "$scratch/ready" "$scratch/done"
cmd="bash $scratch/cmd.sh"
at_terminal bash --norc --noprofile -i -- 'type:PS1="$ "\n' \
  "type:$cmd sudo\n" 'see:password:' 'type:secret\n' 'see:sudo done' \
  "type:$cmd keep wait\n" "until:test -e $scratch/ready" 'type:\x1a' 'see:Stopped' \
  'type:fg; echo "fg=$?"\n' "touch:$scratch/done" 'see:fg=0' \
  "type:$cmd keep hold\n" "until:test -e $scratch/holding" 'type:\x1a' 'see:Stopped' \
  'type:kill -9 %1\n' "until:flock -n $lock true" "type:$cmd plain; echo \"rc=\$?\"\n" 'see:rc=0' 'type:exit\n'
seen "ending what a run that did not finish left running" "the command after a killed job did not end what it left"
put_back "the state of a killed job was not put back"
echo "harness tests passed"
