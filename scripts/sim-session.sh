# Sourced: start_sim BIN COM [OPTIONS...] runs userdb-sim as COM n in a ports folder of its
# own (exported as USERDB_PORTS_DIR) until the sourcing script exits. The copies of the simulated
# device go to a data folder beside it (USERDB_DATA_DIR), not among the user's own backups.

start_sim() {
  local sim_binary=$1 com=$2
  shift 2
  USERDB_PORTS_DIR="$(mktemp -d)"
  export USERDB_PORTS_DIR
  export USERDB_DATA_DIR="${USERDB_DATA_DIR:-$USERDB_PORTS_DIR/data}"
  trap 'kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null; rm -rf "$USERDB_PORTS_DIR"' EXIT
  "$sim_binary" --com "$com" "$@" >/dev/null &
  sim_pid=$!
  for _ in $(seq 50); do
    [ -e "$USERDB_PORTS_DIR/com$com" ] && return 0
    sleep 0.1
  done
  echo "userdb-sim did not start" >&2
  return 1
}
