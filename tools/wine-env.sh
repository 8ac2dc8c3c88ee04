# Sourced by the run and test commands: a per-build Wine prefix, an X display
# (the user's, or an Xvfb the harness starts and ends by pid) and a persistent
# wineserver, so that each test does not pay for a cold Wine start.

tk_prefix_init() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko install prompts: the programs use neither.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  local stamp="$WINEPREFIX/.tk-prefix-v1"
  [ -f "$stamp" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # A virtual desktop: without it every destroyed top-level window waits for
  # a window manager that Xvfb does not have.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  # Wine's own fonts inside the prefix, so that system fonts are not all
  # substituted by whatever the host has.
  if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  wineserver -w
  touch "$stamp"
}

# Chinese, Japanese and Korean texts use the faces Windows has for their
# script (tools/skinart/tokens.py, SCRIPT_FONTS). Wine has none of them: the
# prefix gets the Noto Sans CJK faces of Debian's fonts-noto-cjk under their
# names, so captures and the skin check see real glyphs. Once per prefix.
tk_script_fonts() {
  local stamp="$WINEPREFIX/.tk-script-fonts-v1" src=/usr/share/fonts/opentype/noto
  [ -f "$stamp" ] && return 0
  [ -f "$src/NotoSansCJK-Regular.ttc" ] && [ -f "$src/NotoSansCJK-Bold.ttc" ] || {
    echo "fonts-noto-cjk is not installed: CJK texts will show as boxes" >&2
    return 0
  }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sf "$src/NotoSansCJK-Regular.ttc" "$src/NotoSansCJK-Bold.ttc" "$WINEPREFIX/drive_c/windows/Fonts/"
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' face noto
  while IFS='=' read -r face noto; do
    wine reg add "$key" /v "$face" /d "$noto" /f >/dev/null 2>&1 || return 1
  done <<'FACES'
Microsoft YaHei UI=Noto Sans CJK SC
Microsoft JhengHei UI=Noto Sans CJK TC
Yu Gothic UI=Noto Sans CJK JP
Malgun Gothic=Noto Sans CJK KR
FACES
  wineserver -w
  touch "$stamp"
}

# A program that crashes ends, with the exception as its exit code. Wine's
# default starts its debugger (also when none is named), which keeps the
# crashed process alive: a test then waits out its time limit, and a service
# still calling that process waits with it. The "debugger" named here ends at
# once, and the crashed process with it. Once per prefix.
tk_crash_policy() {
  local stamp="$WINEPREFIX/.tk-no-crash-debugger-v1"
  [ -f "$stamp" ] && return 0
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /d 'C:\windows\system32\cmd.exe /c rem %ld %ld' /f >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

tk_display_up() {
  # Use the user's display when there is one and it answers, unless asked not to.
  if [ -n "${DISPLAY:-}" ] && [ -z "${TK_FORCE_XVFB:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  # Xvfb picks a free display itself and writes its number to fd 3, so
  # several harnesses can start at once without racing for a number.
  local numfile
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  TK_XVFB_PID=$!
  local i n=""
  for i in $(seq 1 200); do
    n=$(tr -dc '0-9' <"$numfile")
    if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
      rm -f "$numfile"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$TK_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$numfile"
  echo "Xvfb did not start" >&2
  return 1
}

# The suite, the soak, the benchmark and the captures leave the simulated
# mouse as their last step did (detached, reset, faults...): the state the
# user had from tools/run.sh is set aside now (a copy, or a mark that there
# was no state file) and, when the script ends, put back after tk_env_down,
# once no Wine process is left to save over it. Sets the script's EXIT trap,
# which brings the harness down too.
tk_env_down_on_exit_keeping_state() {
  tk_state_paths "$1"
  if [ -f "$TK_STATE_FILE" ]; then
    # Through a temporary name: a half-made copy must never be put back.
    cp -p "$TK_STATE_FILE" "$TK_KEPT_STATE.new"
    mv -f "$TK_KEPT_STATE.new" "$TK_KEPT_STATE"
  else
    mkdir -p "${TK_STATE_FILE%/*}"
    : >"$TK_NO_STATE"
  fi
  tk_on_exit 'tk_env_down; tk_state_restore'
}

tk_state_paths() {
  TK_STATE_FILE="$1/program/service/DeviceState.dat"
  TK_KEPT_STATE="$TK_STATE_FILE.kept"
  TK_NO_STATE="$TK_STATE_FILE.none"
}

tk_state_restore() {
  if [ -f "$TK_KEPT_STATE" ]; then
    mv -f "$TK_KEPT_STATE" "$TK_STATE_FILE"
  elif [ -f "$TK_NO_STATE" ]; then
    rm -f "$TK_STATE_FILE" "$TK_NO_STATE"
  fi
}

# Asks the prefix's wineserver to end (it writes out the registry and ends
# every Windows program of the prefix) and waits until it has, or for at
# most the seconds given.
tk_wine_down() {
  wineserver -k >/dev/null 2>&1
  ${1:+timeout --foreground "$1"} wineserver -w >/dev/null 2>&1
}

tk_env_down() {
  if [ -n "${WINEPREFIX:-}" ]; then
    tk_wine_down
    [ -z "${TK_HARNESS_RUN:-}" ] || tk_end_run_wine
  fi
  if [ -n "${TK_XVFB_PID:-}" ]; then
    kill "$TK_XVFB_PID" 2>/dev/null
    wait "$TK_XVFB_PID" 2>/dev/null
    TK_XVFB_PID=
  fi
  return 0
}

# A Wine program of the run that was still starting when the prefix's
# wineserver ended (a test ctest had just started as Ctrl-C came) waits for
# that server for ever. Once the server is gone, what is left of the run's
# Wine in this prefix (the Wine loader, by its executable) is ended; a host
# program the run started (a browser) lives on.
tk_end_run_wine() {
  local p exe
  for p in $(tk_run_members "$TK_HARNESS_RUN"); do
    exe=$(readlink "/proc/$p/exe" 2>/dev/null) || continue
    case ${exe##*/} in wine|wine64|wine-preloader|wine64-preloader) ;; *) continue ;; esac
    grep -qsxzF -e "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" && kill -s KILL "$p" 2>/dev/null
  done
}

# Registers the device service stand-in (its server and proxy/stub DLL) in
# the prefix; only when the build's binaries changed since the last time.
tk_service_register() {
  local dir="$1/program/service"
  [ -f "$dir/TkDeviceService.exe" ] && [ -f "$dir/DeviceServicePS.dll" ] || return 0
  local stamp="$WINEPREFIX/.tk-service-registered" now
  now=$(stat -c '%n %s %Y' "$dir/TkDeviceService.exe" "$dir/DeviceServicePS.dll")
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$now" ] && return 0
  wine "$dir/TkDeviceService.exe" /regserver </dev/null >/dev/null 2>&1 \
    && printf '%s' "$now" >"$stamp"
}

# The process id of the running device service, as its control tool tells it
# (the tool's output goes to a file: a server the tool starts through COM
# must not hold a pipe of ours open). Empty when none answers.
tk_service_pid() {
  local dir="$1/program/service" out
  out=$(mktemp)
  wine "$dir/TkDeviceCtl.exe" start </dev/null >"$out" 2>&1
  sed -n 's/.*running, process \([0-9][0-9]*\).*/\1/p' "$out" | head -1
  rm -f "$out"
}

# Starts the device service with nothing inherited (a server started by the
# first test would hold ctest's output pipe open) and waits until it answers.
# The server must be the one just built: one that runs from an earlier build
# (a persistent wineserver keeps it alive) is stopped and started again. The
# stamp of the binary and the pid of the server started from it are kept in
# the prefix; a server whose pid is not that one is restarted.
tk_service_start() {
  local dir="$1/program/service"
  [ -f "$dir/TkDeviceCtl.exe" ] || return 0
  local record="$WINEPREFIX/.tk-service-running" stamp pid old i
  stamp=$(stat -c '%s %Y' "$dir/TkDeviceService.exe")
  (cd "$dir" && exec wine TkDeviceService.exe -Embedding /detached </dev/null >/dev/null 2>&1 &)
  for i in 1 2 3 4 5 6 7 8 9 10; do
    pid=$(tk_service_pid "$1")
    [ -n "$pid" ] && break
    sleep 0.5
  done
  [ -n "$pid" ] || return 1
  [ -f "$record" ] && [ "$(cat "$record")" = "$stamp $pid" ] && return 0
  # Not known to be this build's server: stop it; the next question starts
  # the registered (this build's) server through COM.
  old=$pid
  wine "$dir/TkDeviceCtl.exe" stop </dev/null >/dev/null 2>&1
  for i in $(seq 1 20); do
    pid=$(tk_service_pid "$1")
    if [ -n "$pid" ] && [ "$pid" != "$old" ]; then
      printf '%s %s' "$stamp" "$pid" >"$record"
      return 0
    fi
    sleep 0.25
  done
  echo "device service: the running server (process $old) is not the one just built" >&2
  return 1
}

tk_env_up() {
  local build=$1
  # A harness command holds the folder already; a session by hand takes it.
  if [ -z "${TK_LOCK_HOLDER:-}" ]; then tk_by_hand_start "$build" || return 1; fi
  # Where tests find the program folder (Wine sees the host's root as Z:).
  # ctest's ENVIRONMENT property keeps only one variable through discovery.
  export TK_PROGRAM_DIR="Z:$build/program"
  tk_display_up || return 1
  tk_prefix_init "$build"
  tk_script_fonts || echo "CJK font names not set in the prefix" >&2
  tk_crash_policy
  wineserver -p || true  # one may already be running for this prefix
  # Start Wine's background services now, with nothing inherited: a service
  # started by the first test would hold ctest's output pipe open.
  wine cmd.exe /c ver </dev/null >/dev/null 2>&1 || true
  tk_service_register "$build" || echo "device service not registered" >&2
  tk_service_start "$build" || echo "device service not started" >&2
}

# The call stacks of every program of the prefix, for a run that hangs:
# winedbg's "bt all" walks every process of the prefix. Wine's own services are
# left out, and each thread is one line of function names, innermost first.
tk_dump_stacks() {
  timeout 40 winedbg --command "bt all" 2>&1 | awk '
    # Idle pool and RPC threads, and threads gone meanwhile, say nothing; a
    # pool thread serving a call (RPCRT4_worker_thread) is kept.
    function flush() {
      if (line != "" && (line ~ /RPCRT4_worker_thread/ || line !~ /(threadpool_worker_proc|RPCRT4_io_thread|RPCRT4_server_thread|:)$/)) print line
      line = ""
    }
    /^Backtracing for thread/ {
      flush()
      keep = ($0 !~ /system32\\(services|winedevice|plugplay|svchost|rpcss|explorer|conhost|winedbg)\.exe/)
      if (keep) {
        exe = $NF; sub(/\):?$/, "", exe); sub(/.*\\/, "", exe)
        line = "  " exe " thread " $4 ":"
      }
      next
    }
    # Our programs carry no symbols: their frames are module+offset.
    keep && /^(=>| +)[0-9]+ 0x/ {
      if ($3 == "in") { if ($4 ~ /^(ntdll|win32u)$/) next; fn = $4 $5; gsub(/[()]/, "", fn) }
      else { fn = $3; sub(/[+(].*/, "", fn) }
      if (fn !~ /^(BaseThreadInitThunk|__wine_pop_frame|RtlUserThreadStart)$/) line = line " " fn
    }
    END { flush() }' >&2
}

# The registry values the programs read, as an installation has them: the
# program folder in InstallDir (from which each program starts the other) and
# the language by name. InstallDir is written when missing or when it names a
# folder without the programs' skin (a test that was stopped leaves its scratch
# folder there); the language when missing or when TK_LANGUAGE names one.
tk_program_registry() {
  local key='HKLM\Software\Tandu\Kovu' dir
  # A missing value fails the query: under the callers' errexit and
  # pipefail that must not end the script, only leave the folder empty.
  dir=$(wine reg query "$key" /v InstallDir </dev/null 2>/dev/null | sed -n 's/.*REG_[A-Z_]*SZ[[:space:]]*//p' | tr -d '\r') || dir=
  if [ -z "$dir" ] || [ ! -f "$(winepath -u "$dir" 2>/dev/null)/xml/Language.xml" ]; then
    wine reg add "$key" /v InstallDir /d "$(winepath -w "$1/program")" /f </dev/null >/dev/null 2>&1
  fi
  if [ -n "${TK_LANGUAGE:-}" ] || ! wine reg query "$key" /v Language </dev/null >/dev/null 2>&1; then
    wine reg add "$key" /v Language /d "${TK_LANGUAGE:-English}" /f </dev/null >/dev/null 2>&1
  fi
}

# Runs the calling script again without address space randomisation, once;
# every program it starts inherits that. Wine's 64-bit loader is linked at a
# fixed low address, and Debian ships it without the preloader that would
# keep the ranges Windows programs need free: with randomisation the loader's
# heap now and then starts where Wine must map the shared user data
# (0x7ffe0000), and the program ends before it runs ("failed to map the
# shared user data", exit code 1), about once in some thousand starts.
#   tk_without_aslr "$0" "$@"     (near the top of a script)
tk_without_aslr() {
  # Already off (inherited): the process's own flag says so, not a variable
  # a shell may carry without it. Where the flag cannot be read, the pid
  # (which exec keeps) says that this process was started again already.
  local persona
  if read -r persona </proc/$$/personality 2>/dev/null; then
    (( 0x$persona & 0x40000 )) && return 0
  elif [ "${TK_ASLR_EXEC:-}" = $$ ]; then
    return 0
  fi
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    export TK_ASLR_EXEC=$$
    exec setarch "$(uname -m)" -R bash "$@"
  fi
  echo "setarch cannot turn address randomisation off here: Wine may now and then fail to start a program" >&2
}

# A process as the kernel tells it, into TK_P: its state, parent and start
# time (clock ticks since boot: with the pid it names one process for good,
# as a pid alone does not once it is reused). Fails when there is none.
tk_proc() {
  local s
  { read -r s <"/proc/$1/stat"; } 2>/dev/null || return 1
  # The name, in parentheses, may hold anything; the fields follow the last.
  read -r -a TK_P <<<"${s##*) }"
  TK_P=("${TK_P[0]}" "${TK_P[1]}" "${TK_P[19]}")
}

# Two harness commands on one build folder would share its prefix, display
# and simulated mouse: the second would reset the mouse under the first and
# end its Wine. Each holds a lock on the folder for its whole run, the second
# stops at once. The lock is held by a process of its own, not by a
# descriptor of the script's, which the persistent wineserver or the Xvfb
# would inherit and keep after it. That process ignores the signals a
# terminal or timeout sends the whole process group, so the lock lasts while
# the exit trap runs; the trap ends it (tk_build_unlock). When the command is
# killed, the lock ends by itself a moment later: it watches the command by
# pid and start time, and a command that is a zombie (its parent has not
# reaped it yet) has ended.
#   tk_build_lock build command...
tk_build_lock() {
  local build=$1 lock="$1/.tk-harness.lock" answer fd
  shift
  mkdir -p "$build"
  exec {fd}< <(
    trap '' INT QUIT HUP TERM
    # Its last word may meet a reader that has gone.
    exec 2>/dev/null
    # It answers on its output, then lets go of it.
    flock -n -o -E 75 "$lock" sh -c '
      printf "%s\n" "$3" >"$2"
      echo "held $$"
      exec >/dev/null
      run=$1 start=$4
      while read -r s <"/proc/$run/stat"; do
        set -- ${s##*") "}
        [ "$1" != Z ] && [ "${20}" = "$start" ] || exit 0
        sleep 0.2
      done' sh "$$" "$lock" "$* (process $$, since $(date '+%F %T'))" "${TK_HARNESS_RUN#*.}" \
      </dev/null || echo "$?")
  TK_LOCK_WAIT=$!
  read -r -u "$fd" answer TK_LOCK_HOLDER || answer=
  exec {fd}<&-
  [ "$answer" = held ] && return 0
  if [ "$answer" = 75 ]; then
    tk_say_held "$1" "$build"
    printf 'One harness command at a time on a build folder; another folder has its own\n' >&2
    printf 'Wine prefix and simulated mouse: TK_BUILD_DIR=/some/other/folder %s\n' "$1" >&2
  else
    echo "$1: cannot lock $lock" >&2
  fi
  exit 1
}

# Who holds a build folder, as its lock's process wrote it:
#   tk_say_held asker build
tk_say_held() {
  printf '%s: the build folder %s is in use by\n  %s\n' "$1" "$2" "$(cat "$2/.tk-harness.lock" 2>/dev/null)" >&2
}

# The script's EXIT trap: the steps given, then the run's record is removed
# (it finished) and the build folder let go (once the lock's process is
# gone: the next command may start at once). Every step runs: under errexit
# a step that fails (ending an Xvfb that is already gone) would end the trap
# there; nor does a second Ctrl-C or a hang-up cut it short. A command ended
# by a signal then ends by that signal, as its caller expects (a shell stops
# a loop on a command ended by Ctrl-C, not on one that exited with 130).
tk_on_exit() {
  # shellcheck disable=SC2064
  trap "set +e; trap '' INT HUP TERM QUIT; $1; tk_build_unlock; tk_end_by_signal" EXIT
}

tk_end_by_signal() {
  [ -n "${TK_SIGNAL:-}" ] || return 0
  trap - "$TK_SIGNAL" EXIT
  kill -s "$TK_SIGNAL" $$
}

tk_build_unlock() {
  if [ -n "${TK_RUN_RECORD:-}" ]; then
    rm -f "$TK_RUN_RECORD"
    TK_RUN_RECORD=
  fi
  [ -n "${TK_LOCK_HOLDER:-}" ] || return 0
  kill -s KILL "$TK_LOCK_HOLDER" 2>/dev/null
  wait "$TK_LOCK_WAIT" 2>/dev/null
  TK_LOCK_HOLDER=
}

# What a run records of itself once it holds the folder: its pid and start
# time, which make its id (TK_HARNESS_RUN). Its exit trap removes the record;
# one found at the start is a run's that did not finish.
tk_run_record() {
  TK_RUN_RECORD="$1/.tk-harness.run"
  printf '%s\n' "${TK_HARNESS_RUN/./ }" >"$TK_RUN_RECORD.new"
  mv -f "$TK_RUN_RECORD.new" "$TK_RUN_RECORD"
}

# The processes whose environment carries the run id given, one a line, but
# for this command's own ancestors (a shell that run's program opened, from
# which this command was typed). A zombie has no environment left.
tk_run_members() {
  local p ancestors=" " files
  p=$BASHPID
  while [ "$p" -gt 1 ] && tk_proc "$p"; do
    ancestors+="$p "
    p=${TK_P[1]}
  done
  # grep fails for the processes that end meanwhile.
  files=$(grep -lsxzF -e "TK_HARNESS_RUN=$1" /proc/[0-9]*/environ || :)
  for p in $files; do
    p=${p#/proc/}
    p=${p%/environ}
    [[ $ancestors == *" $p "* ]] || echo "$p"
  done
}

# Stops the run's processes (tk_run_members), those they start meanwhile too,
# so that none starts Wine again, but for the wineserver, which must answer
# when it is asked to end. Fails when the run left nothing; TK_RUN_SERVER
# says whether its wineserver is among what it left.
tk_hold_run() {
  local seen=" " new p name
  TK_RUN_SERVER=
  while :; do
    new=
    for p in $(tk_run_members "$1"); do
      [[ $seen == *" $p "* ]] && continue
      seen+="$p "
      name=
      { read -r name <"/proc/$p/comm"; } 2>/dev/null
      if [[ $name == wineserver* ]]; then TK_RUN_SERVER=1; else new+=" $p"; fi
    done
    [ -n "$new" ] || break
    # shellcheck disable=SC2086
    kill -s STOP $new 2>/dev/null || true
  done
  [ "$seen" != " " ]
}

# What a run that did not finish (killed, its exit trap killed) left: its
# processes going on (ctest or a driver with its steps), the prefix's Wine
# with a device service that would save the tests' state, and the kept copy
# of the user's state. Only the processes that carry the run's id are
# touched: they are held still, the wineserver among them is asked to end
# (for a bounded time), what is left of them is ended, and the user's state
# is put back.
tk_recover() {
  local build=$1 record="$1/.tk-harness.run" pid= start=
  tk_state_paths "$build"
  rm -f "$TK_KEPT_STATE.new" "$record.new"  # copies never finished
  [ -f "$record" ] || [ -f "$TK_KEPT_STATE" ] || [ -f "$TK_NO_STATE" ] || return 0
  [ ! -f "$record" ] || read -r pid start <"$record" || true
  if [[ $pid =~ ^[0-9]+$ && $start =~ ^[0-9]+$ ]] && tk_hold_run "$pid.$start"; then
    echo "ending what a run that did not finish left running on $build" >&2
    [ -z "$TK_RUN_SERVER" ] || WINEPREFIX="$build/wineprefix" tk_wine_down 10
    # shellcheck disable=SC2046
    kill -s KILL $(tk_run_members "$pid.$start") 2>/dev/null || true
  fi
  if [ -f "$TK_KEPT_STATE" ] || [ -f "$TK_NO_STATE" ]; then
    tk_state_restore
    echo "put back the simulated mouse's state kept by a run that did not finish" >&2
  fi
  rm -f "$record"
}

# A session by hand (the README: . tools/wine-env.sh; tk_env_up build) holds
# the folder only while it starts: refused while a command holds it, it puts
# back first what a run that did not finish left (tk_recover), so that it
# starts from the user's state and no later command puts an older kept copy
# over what it saves. What it starts belongs to no run.
tk_by_hand_start() {
  local build=$1 lock="$1/.tk-harness.lock"
  mkdir -p "$build"
  (
    exec 9<>"$lock" || exit 1
    if ! flock -n 9; then
      tk_say_held tk_env_up "$build"
      printf 'Wait for it to end, or use another build folder: tk_env_up /some/other/folder\n' >&2
      exit 1
    fi
    tk_recover "$build"
  ) || return 1
  unset TK_HARNESS_RUN
}

# Near the top of each harness command (run, test, bench, soak, captures),
# before it installs or builds anything:
#   tk_harness_start "$build" "$0" "$@"
# The command stays what its caller started: in the caller's process group,
# with its terminal and input. What it starts carries its id in the
# environment (TK_HARNESS_RUN: its pid and start time, a run's alone), so
# that after a run that did not finish the next command ends what that run
# left, and only that. The script starts again once with the id in its own
# environment (and without address randomisation): the shells it forks then
# show the id as well.
tk_harness_start() {
  local build=$1 sig
  shift
  tk_proc $$
  if [ "${TK_HARNESS_RUN:-}" != "$$.${TK_P[2]}" ]; then
    export TK_HARNESS_RUN="$$.${TK_P[2]}"
    tk_without_aslr "$@"
    exec bash "$@"
  fi
  tk_on_exit :
  for sig in INT HUP TERM QUIT; do
    # shellcheck disable=SC2064
    trap "TK_SIGNAL=$sig; exit $((128 + $(kill -l $sig)))" "$sig"
  done
  tk_build_lock "$build" "$@"
  tk_recover "$build"
  tk_run_record "$build"
}
