#!/usr/bin/env bash
# The suite's last test: no process that a test started may outlive it. Each
# test runs with the suite's tag in its environment (NAME=VALUE, set by CTest),
# and everything it starts inherits it. Those still alive are named, with the
# test that started them, and killed, so they cannot weigh on the next run.
# Usage: no_leftovers_test.sh SUITE_TAG
source "$(dirname "$0")/common.sh"
tag=$1

# A test that CTest cut off at its time limit took its children with it, but
# they may need a moment to go.
none_left() { [[ -z "$(tagged_processes "$tag")" ]]; }
wait_until 10 none_left && { echo "no process of the suite is left"; exit 0; }

pids=$(tagged_processes "$tag")
for pid in $pids; do
  owner=$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | sed -n 's/^GALAXY_E2E_OWNER=//p' || true)
  echo "left behind${owner:+ by $owner}: $(ps -o pid=,etime=,args= -p "$pid" || true)"
done
kill -KILL $pids 2>/dev/null || true
fail "processes of the suite outlived their tests (above)"
