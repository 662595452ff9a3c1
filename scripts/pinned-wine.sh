# Sourced by the benchmark scripts, in a build's bin folder. Under Wine a
# process on the Wine server's CPU starts in about a third of the time of
# one on the other CPU, so free runs mix two modes. pinned_wine runs a
# program with the whole Wine session on CPU 0: a server left running from
# before is ended first, so that the next one starts pinned too.
pinned_wine() {
    WINEPREFIX=$(cd .. && pwd)/wineprefix wineserver -k 2>/dev/null || true
    echo "Pinned: the Wine server and every process run on CPU 0 (taskset -c 0)."
    taskset -c 0 ../wine-run "$@"
}
