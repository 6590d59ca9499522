# Shared by the benchmark scripts: the Release build, the seeded trees and
# timing helpers. Sourced from the repository's top folder.
#
# Environment: BUILD (build folder, default build-bench), BENCH_DIR (where the
# trees live, default /tmp/marrowpine-bench), RUNS (default 5), TREE (the
# 200,000-entry tree, default $BENCH_DIR/tree-200000).

BUILD=${BUILD:-build-bench}
BENCH_DIR=${BENCH_DIR:-/tmp/marrowpine-bench}
RUNS=${RUNS:-5}
TREE=${TREE:-$BENCH_DIR/tree-200000}

# Builds the named targets in Release.
build_targets() {
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARROWPINE_TESTS=OFF >/dev/null
  cmake --build "$BUILD" --target "$@" >/dev/null
}

# make_tree ENTRIES FOLDERS DIR: the seeded synthetic tree, made once.
make_tree() {
  if [ ! -d "$3" ]; then
    echo "generating $3 ($1 entries in $2 folders) ..."
    mkdir -p "$(dirname "$3")"
    "$BUILD/bench/make-tree" --seed 1 --entries "$1" --folders "$2" "$3.part"
    mv "$3.part" "$3"
  fi
}

now() { date +%s%N; }
median() { sort -g | sed -n "$(( (RUNS + 1) / 2 ))p"; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }
