# Shared by ./run, ./test, ./package, scripts/test-windows, scripts/screenshot
# and bench/run-bench: install what is missing and build.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# install_packages GROUP...: installs the packages of those groups of
# scripts/debian-packages that are not there yet.
install_packages() {
    local wanted=() missing=() pkg
    mapfile -t wanted < <(awk -v groups=" $* " '
        { sub(/#.*/, ""); gsub(/[[:space:]]/, "") }
        /^\[.*\]$/ { group = substr($0, 2, length($0) - 2); next }
        $0 != "" && index(groups, " " group " ") { print }
    ' "$repo_root/scripts/debian-packages")
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$repo_root" -B "$repo_root/$dir" -G Ninja "$@" >/dev/null
    cmake --build "$repo_root/$dir"
}
