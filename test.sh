#!/usr/bin/env bash
# Installs what it needs (Debian 12), builds, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vk_install_deps
vk_build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
