# Sourced by the fuzz scripts: installs the native fuzzing tools they need (clang with its
# sanitizer runtimes, and any further packages named), only here, not by the main setup.
fuzz_install_tools() {
    local missing=() p
    for p in clang libclang-rt-14-dev "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "fuzz: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [ "$(id -u)" = 0 ]; then
        apt-get update -qq || true
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        sudo apt-get update -qq || true
        sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}
