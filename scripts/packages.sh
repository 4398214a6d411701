# Debian packages the build, the tests and the demo need. Sourced by the scripts.
CORVANE_PACKAGES=(
  cmake g++ ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core nlohmann-json3-dev libpugixml-dev zlib1g-dev
  xvfb xauth locales-all
  clang python3
)
# The Debian package: dpkg-shlibdeps (in dpkg-dev) and file declare its library dependencies.
CORVANE_PACKAGES+=(dpkg-dev file)

# Installs whatever of CORVANE_PACKAGES is missing, as root or through sudo.
corvane_install_packages() {
  local missing=() pkg
  for pkg in "${CORVANE_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; return 1; }
    sudo="sudo"
  fi
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
