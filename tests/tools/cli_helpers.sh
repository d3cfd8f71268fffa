# Shared steps of the kyfsl command-line tests: source it after setting
# $kyfsl. Each check counts into $passed / $failed; finish prints the tally
# and gives the status.
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME COMMAND...: the command must succeed
  local name=$1; shift
  if "$@" >"$work/out" 2>"$work/err"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name"; cat "$work/err"; fi
}
refuse() {  # refuse NAME COMMAND...: the command must fail with a message, not a crash
  local name=$1; shift
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ $rc -ne 0 ] && [ $rc -lt 128 ] && [ "$(wc -l <"$work/err")" -ge 1 ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name (status $rc)"; cat "$work/err"; fi
}
status() {  # status NAME WANTED COMMAND...: the command must end with that status
  local name=$1 want=$2; shift 2
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ $rc -eq "$want" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name: status $rc, want $want"; cat "$work/err"; fi
}
expect() {  # expect NAME ACTUAL WANTED
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $1: got '$2', want '$3'"; fi
}
json() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))$2)" "$1"; }
finish() {
  echo "$passed passed, $failed failed"
  [ $failed -eq 0 ]
}
