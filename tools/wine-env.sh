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

# The suite, the soak and the benchmark leave the simulated mouse as their
# last step did (detached, reset, faults...): the state the user had from
# tools/run.sh is set aside now and, when the script ends, put back after
# tk_env_down, once no Wine process is left to save over it. Sets the
# script's EXIT trap, which brings the harness down too.
tk_env_down_on_exit_keeping_state() {
  TK_STATE_FILE="$1/program/service/DeviceState.dat"
  TK_KEPT_STATE="$TK_STATE_FILE.kept"
  rm -f "$TK_KEPT_STATE"
  if [ -f "$TK_STATE_FILE" ]; then cp -p "$TK_STATE_FILE" "$TK_KEPT_STATE"; fi
  trap 'tk_env_down; tk_state_restore' EXIT
}

tk_state_restore() {
  if [ -f "$TK_KEPT_STATE" ]; then
    mv -f "$TK_KEPT_STATE" "$TK_STATE_FILE"
  else
    rm -f "$TK_STATE_FILE"
  fi
}

tk_env_down() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  if [ -n "${TK_XVFB_PID:-}" ]; then
    kill "$TK_XVFB_PID" 2>/dev/null
    wait "$TK_XVFB_PID" 2>/dev/null
    TK_XVFB_PID=
  fi
  return 0
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
  [ -n "${TK_ASLR_OFF:-}" ] && return 0
  export TK_ASLR_OFF=1
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    exec setarch "$(uname -m)" -R bash "$@"
  fi
  echo "setarch cannot turn address randomisation off here: Wine may now and then fail to start a program" >&2
}
