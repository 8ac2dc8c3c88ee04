#!/usr/bin/env bash
# The harness commands' hold on their build folder and the simulated mouse's
# kept state, on a scratch build folder with a stand-in command that starts
# as tools/*.sh do. It has no Wine prefix, so no Wine is started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
export TK_TEST_BUILD="$scratch/build" TK_TEST_SCRATCH="$scratch" TK_TEST_ROOT="$root"
# tools/test.sh runs ctest with its own prefix in the environment.
unset WINEPREFIX TK_ASLR_OFF
state="$TK_TEST_BUILD/program/service/DeviceState.dat"
lock="$TK_TEST_BUILD/.tk-harness.lock"
holder=
cleanup() {
  local pid
  for pid in $holder $(cat "$scratch/child" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
poll() {  # poll SECONDS COMMAND...: until COMMAND succeeds
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# The stand-in: "keep" sets the state aside as the suite does, with an
# "Xvfb" that ended early (ending it again fails in the exit trap), and saves
# the tests' state; "hold" then stays, with a child that outlives it (as the
# persistent wineserver does), until it is killed.
cat >"$scratch/cmd.sh" <<'CMD'
set -euo pipefail
. "$TK_TEST_ROOT/tools/wine-env.sh"
tk_harness_start "$TK_TEST_BUILD" "$0" "$@"
if [ "${1:-}" = keep ]; then
  tk_env_down_on_exit_keeping_state "$TK_TEST_BUILD"
  true &
  TK_XVFB_PID=$!
  wait "$TK_XVFB_PID"
  echo tests >"$TK_TEST_BUILD/program/service/DeviceState.dat"
fi
if [ "${2:-}" = hold ]; then
  sleep 600 </dev/null >/dev/null 2>&1 &
  echo "$!" >"$TK_TEST_SCRATCH/child"
  : >"$TK_TEST_SCRATCH/holding"
  wait
fi
CMD
run() { timeout 20 bash "$scratch/cmd.sh" "$@"; }

# A keeping run killed with kill -9 while it holds the folder.
start_killed_run() {
  rm -f "$scratch/holding" "$scratch/child"
  bash "$scratch/cmd.sh" keep hold >/dev/null 2>&1 &
  holder=$!
  poll 20 test -f "$scratch/holding" || fail "the stand-in never took the folder"
}
kill_run() {
  kill -9 "$holder"
  wait "$holder" 2>/dev/null || true
  holder=
}
lock_free() { flock -n "$lock" true; }
running() { [ -e "/proc/$1" ] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }

echo "-- a second command on a held folder stops at once, naming the holder"
mkdir -p "${state%/*}"
echo user >"$state"
start_killed_run
rc=0
out=$(run keep 2>&1) || rc=$?
[ "$rc" != 0 ] || fail "a second command ran beside the first"
[ "$rc" != 124 ] || fail "the second command waited for the folder"
for want in "cmd.sh keep hold (process $holder," "TK_BUILD_DIR="; do
  [[ $out == *"$want"* ]] || fail "the refusal does not say '$want': $out"
done
[ "$(cat "$state")" = tests ] && [ "$(cat "$state.kept")" = user ] \
  || fail "the refused command touched the running one's state"

echo "-- a killed run frees the folder, its child living on; the next start ends the child and puts the kept state back"
kill_run
poll 10 lock_free || fail "the folder is still locked after its holder was killed"
child=$(cat "$scratch/child")
running "$child" || fail "the child ended with the run: nothing checked"
run plain 2>/dev/null || fail "the command after a killed run failed"
! running "$child" || fail "the killed run's child outlived the next start"
[ "$(cat "$state")" = user ] && [ ! -e "$state.kept" ] || fail "the user's state was not put back"
run keep || fail "a keeping run failed"
[ "$(cat "$state")" = user ] || fail "the user's state did not survive the next keeping run"
lock_free || fail "the folder is still locked after its command ended"

echo "-- no state file before a killed run: none after the next"
rm -f "$state"
start_killed_run
kill_run
poll 10 lock_free || fail "the folder is still locked after its holder was killed"
run keep 2>/dev/null || fail "the command after a killed run failed"
[ ! -e "$state" ] || fail "the tests' state was left as the user's"
[ -z "$(ls -A "${state%/*}")" ] || fail "left behind: $(ls -A "${state%/*}")"
echo "harness tests passed"
