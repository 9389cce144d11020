# Sourced by ./run and ./test: installs whatever a fresh Debian 12 machine
# lacks to build, test and play. Does nothing when all is there.
korvel_packages=(
  build-essential cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libtsan2
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev
  libsdl2-dev libsdl2-mixer-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth xdotool imagemagick openbox x11-utils wmctrl
  dpkg-dev file desktop-file-utils appstream
)

korvel_setup() {
  local missing=()
  local p
  for p in "${korvel_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "Need root or sudo to install: ${missing[*]}" >&2
      return 1
    fi
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
