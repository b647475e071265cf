# Shared by run.sh and test.sh: install the Debian packages the build, the tests
# and the program need, but only those that are missing.
# gettext compiles the window's texts per language; locales lets the tests make
# a Chinese locale; desktop-file-utils and shared-mime-info check the desktop's
# files; xdg-utils opens the help page.
PEXOLEN_PACKAGES="build-essential cmake pkg-config libgtest-dev libbenchmark-dev libassimp-dev \
libpng-dev libjpeg62-turbo-dev libgif-dev imagemagick \
libfltk1.3-dev libglu1-mesa-dev libosmesa6-dev xvfb xauth xdotool fonts-wqy-microhei \
gettext locales desktop-file-utils shared-mime-info xdg-utils \
libwebp-dev libavcodec-dev libavformat-dev libavutil-dev libswscale-dev"

# Optional: only scripts/render_ui.sh needs these, to redraw the interface
# pictures from their sources. Building and running use the committed BMPs.
PEXOLEN_UI_PACKAGES="librsvg2-bin python3 fonts-wqy-microhei"

# Optional: only bench/compare_netpbm.sh needs these, to time netpbm's
# stereogram tools beside the program.
PEXOLEN_BENCH_PACKAGES="netpbm time"

# Optional: only scripts/screenshots.sh needs these, to take the README's
# screenshots of the window.
PEXOLEN_DOC_PACKAGES="x11-apps netpbm"

# pexolen_install_packages PACKAGE...: installs those of the packages that are missing.
pexolen_install_packages() {
    local missing="" p
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing missing packages:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing </dev/null
}

pexolen_install_deps() {
    pexolen_install_packages $PEXOLEN_PACKAGES
}

pexolen_install_bench_deps() {
    pexolen_install_packages $PEXOLEN_PACKAGES $PEXOLEN_BENCH_PACKAGES
}

# pexolen_build_program BUILD: a Release build of the program, its catalogues
# and its help page in folder BUILD (configured the first time, through ccache
# where there is one); run from the source folder. The first build says so on
# standard error and shows its progress there when that is a terminal; later
# ones are quiet.
pexolen_build_program() {
    local build=$1 launcher=() first=""
    if [ ! -f "$build/CMakeCache.txt" ]; then
        first=1
        echo "Building Pexolen in $build (the first time takes a few minutes)..." >&2
        if command -v ccache >/dev/null; then
            launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPEXOLEN_TESTS=OFF "${launcher[@]}" \
            >/dev/null
    fi
    if [ -n "$first" ] && [ -t 2 ]; then
        cmake --build "$build" --target pexolen pexolen_help -j"$(nproc)" >&2
    else
        cmake --build "$build" --target pexolen pexolen_help -j"$(nproc)" >/dev/null
    fi
}
