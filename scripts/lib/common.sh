# Shared by scripts/run and scripts/test: install what is missing, then configure and build.

VELTRANO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

VELTRANO_PACKAGES=(
    cmake g++ make pkg-config
    libsqlite3-dev libgtest-dev sqlite3
    qt6-base-dev qt6-svg-dev qt6-charts-dev qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk
    poppler-utils libpq-dev postgresql
)

# Installs the Debian packages that are not installed yet; nothing happens when all are there.
install_missing_packages() {
    local missing=()
    for package in "${VELTRANO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}

# configure_and_build <build directory> <cmake arguments...>
configure_and_build() {
    local build_dir="$1"
    shift
    cmake -S "$VELTRANO_ROOT" -B "$build_dir" "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}
