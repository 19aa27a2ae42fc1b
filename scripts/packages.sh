# Debian packages and their installation, shared by the set-up and the quality scripts (sourced).

# What the build, the tests and the benchmarks need; the last line checks the installed desktop files
# and builds the Debian package (dpkg-shlibdeps).
tarvel_packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite qt6-svg-dev libgl-dev
    libgtest-dev libbenchmark-dev sqlite3
    fonts-noto-cjk fonts-liberation2 xvfb xauth poppler-utils
    desktop-file-utils appstream shared-mime-info dpkg-dev
    libxlsxwriter-dev xlsx2csv
)

# Installs the named packages that are missing (with sudo when not run as root).
install_missing_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
}
