#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose: "run" (build and play), "test",
# "fuzz" (clang with libFuzzer) or "package" (build the Debian package).
# Uses apt-get as root or through sudo; otherwise names the packages to install and fails.
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
  libepoxy-dev libglm-dev libfontconfig-dev libpng-dev libx11-dev fonts-ipafont-gothic libgl1-mesa-dri libglx-mesa0
  gettext)
package_packages=(dpkg-dev file)
test_packages=(libgtest-dev libbenchmark-dev clang-format xvfb xauth xdotool x11-utils openbox time
  desktop-file-utils "${package_packages[@]}" lintian appstream man-db
  emscripten libstb-dev chromium nodejs python3)
fuzz_packages=(clang libclang-rt-14-dev)

case "${1:-run}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  fuzz) wanted=("${run_packages[@]}" "${fuzz_packages[@]}") ;;
  package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
  *) echo "usage: $0 run|test|fuzz|package" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "error: these Debian packages are missing; install them as root with:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
