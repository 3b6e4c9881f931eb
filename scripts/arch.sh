# Sourced by the other scripts: which Windows build this machine can run, and where it is built.
# The player is a 32-bit program. A kernel booted with IA-32 emulation off (ia32_emulation=off)
# runs no 32-bit code at all, Wine's included; there the tests run the 64-bit build of the same
# sources under 64-bit Wine, and the 32-bit program is still built (scripts/build.sh).
#   ORVANE_ARCH  i686 or x86_64 (set it to choose; by default i686 wherever it can run)
#   BUILD_DIR    build/ for i686, build/x64/ for x86_64

_orvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Runs a 93-byte i386 Linux program that only exits: it needs nothing installed, so it tells
# what the kernel can do before any package is there.
orvane_runs_i386() {
    local probe
    probe=$(mktemp "${TMPDIR:-/tmp}/orvane-i386.XXXXXX") || return 1
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
          `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'`
          `'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'`
          `'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'`
          `'\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'`
          `'\270\001\000\000\000\061\333\315\200' >"$probe"
    chmod +x "$probe"
    local rc=0
    "$probe" 2>/dev/null || rc=$?
    rm -f "$probe"
    return $rc
}

if [ -z "${ORVANE_ARCH:-}" ]; then
    if orvane_runs_i386; then
        ORVANE_ARCH=i686
    else
        ORVANE_ARCH=x86_64
    fi
fi
case "$ORVANE_ARCH" in
    i686) BUILD_DIR="$_orvane_root/build" ;;
    x86_64) BUILD_DIR="$_orvane_root/build/x64" ;;
    *) echo "ORVANE_ARCH must be i686 or x86_64, not '$ORVANE_ARCH'" >&2; exit 2 ;;
esac
export ORVANE_ARCH BUILD_DIR

# Said once per run, so that nobody mistakes the 64-bit run for the shipped program's.
orvane_arch_note() {
    if [ "$ORVANE_ARCH" = x86_64 ] && [ -z "${_ORVANE_ARCH_NOTED:-}" ]; then
        echo "note: this machine cannot run 32-bit programs (kernel booted with ia32_emulation off):" \
             "running the 64-bit build under 64-bit Wine; the 32-bit program is built but not run" >&2
        export _ORVANE_ARCH_NOTED=1
    fi
}
