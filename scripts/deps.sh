# Installs the Debian 12 packages vkdesk needs when some are missing.
# Sourced by test.sh and run.sh; `vk_install_deps run` adds what running the
# program without a display needs.

VK_BUILD_PACKAGES="g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-serialport-dev
  qt6-charts-dev qt6-qpa-plugins libgl-dev libcurl4-openssl-dev python3 python3-pyftpdlib"
VK_RUN_PACKAGES="xvfb xauth x11-apps imagemagick"

vk_install_deps() {
    local wanted="$VK_BUILD_PACKAGES"
    [ "${1:-}" = run ] && wanted="$wanted $VK_RUN_PACKAGES"
    local missing=""
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

vk_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j2 "$@"
}
