# Sourced by every end-to-end test: strict mode and the one way to fail.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
