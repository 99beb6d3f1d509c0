# Twenty short stages on the real backend: heap, resident memory and live GL objects stay flat from
# stage 10 to stage 20 (bench/soak.sh with short stages; `make soak` runs the long version).
set -euo pipefail
game=$(realpath "$1")
cd "$2"
BUILD=$(dirname "$game") SOAK_FULL="" SOAK_MOVES=1 bash bench/soak.sh 20
