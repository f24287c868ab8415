# Sourced by the setup scripts. install_packages TAG PACKAGE...: installs, with apt, the Debian
# packages named that are missing (a foreign architecture's package, name:i386, adds that
# architecture first); apt runs only when one is missing. Messages go to standard error.
install_packages() {
  local tag=$1
  shift
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "$tag: installing ${missing[*]}" >&2
  for package in "${missing[@]}"; do
    if [[ $package == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386
    fi
  done
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
}
