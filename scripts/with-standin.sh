#!/usr/bin/env bash
# Runs a command beside the local stand-in of the maker's web services, then stops the stand-in:
#   scripts/with-standin.sh [--release <build dir>] [--log <file>] <command> [arguments...]
# The command finds the stand-in through its environment: SORVIK_STANDIN_URL (base address),
# SORVIK_STANDIN_LOG (the request log, one JSON object per line) and SORVIK_STANDIN_HOSTS (a
# service_hosts.ini that points all six services at it). Exits with the command's exit code.
# Sourced, it only defines start_standin and stop_standin.
standin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
standin_pid=""

# start_standin <work folder> <log file> [<release build dir>]: starts the stand-in, waits (bounded)
# until it listens, writes <work folder>/service_hosts.ini and exports the three variables above.
start_standin() {
  local work=$1 log=$2 release=${3:-} base
  mkdir -p "$work" "$(dirname "$log")"
  rm -f "$work/port"
  : >"$log"
  python3 "$standin_root/scripts/standin_services.py" "$work/port" --log "$log" ${release:+--release "$release"} \
    >"$work/standin.out" 2>&1 </dev/null &
  standin_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/port" ] || ! kill -0 "$standin_pid" 2>/dev/null && break
    sleep 0.1
  done
  if [ ! -s "$work/port" ]; then
    echo "stand-in: it did not start:" >&2
    cat "$work/standin.out" >&2
    stop_standin
    return 1
  fi
  base="http://127.0.0.1:$(cat "$work/port")"
  printf '[hosts]\r\nstatistics=%s\r\nip=%s\r\nupdate=%s\r\nweb=%s\r\nplugin=%s/plugin.html\r\nspeedtest=%s\r\n' \
    "$base" "$base" "$base" "$base" "$base" "$base" >"$work/service_hosts.ini"
  export SORVIK_STANDIN_URL=$base SORVIK_STANDIN_LOG=$log SORVIK_STANDIN_HOSTS=$work/service_hosts.ini
}

stop_standin() {
  [ -n "$standin_pid" ] || return 0
  kill "$standin_pid" 2>/dev/null
  wait "$standin_pid" 2>/dev/null
  standin_pid=""
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -uo pipefail
  release="" log=""
  while [ $# -gt 0 ]; do
    case $1 in
      --release) release=$2; shift 2 ;;
      --log) log=$2; shift 2 ;;
      *) break ;;
    esac
  done
  [ $# -gt 0 ] || { echo "usage: $0 [--release <build dir>] [--log <file>] <command> [arguments...]" >&2; exit 2; }
  work=$(mktemp -d /tmp/sorvik-standin.XXXXXX)
  trap 'stop_standin; rm -rf "$work"' EXIT
  start_standin "$work" "${log:-$work/requests.jsonl}" "$release" || exit 1
  "$@"
  exit $?
fi
