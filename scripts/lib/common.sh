# shellcheck shell=bash disable=SC2034
# Helpers shared by scripts/test and scripts/run. Sourced, not run.
# The caller sets `set -euo pipefail`.

# The repository root: two folders above this file.
ZANOR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# The sample page: what scripts/run opens when it is given nothing.
ZANOR_SAMPLE="$ZANOR_ROOT/examples/calendario-invierno.ZANOR"

say() { printf '==> %s\n' "$*"; }
warn() { printf '%s\n' "$*" >&2; }

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        warn "Se necesita root (o sudo) para: $*"
        return 1
    fi
}

have() { command -v "$1" >/dev/null 2>&1; }

# Long steps (builds, test runs) run in a process group of their own, so that
# an interrupt stops all of them at once: on_signal ends the group, and the
# caller's EXIT trap does the rest.
#   trap 'on_signal 130' INT; trap 'on_signal 143' TERM
ZANOR_CHILD=""
killable() {
    local rc=0
    setsid "$@" &
    ZANOR_CHILD=$!
    wait "$ZANOR_CHILD" || rc=$?
    ZANOR_CHILD=""
    return "$rc"
}
on_signal() {
    trap - INT TERM
    if [ -n "$ZANOR_CHILD" ]; then
        kill -TERM -- "-$ZANOR_CHILD" 2>/dev/null || true
        wait "$ZANOR_CHILD" 2>/dev/null || true
    fi
    warn "Interrumpido."
    exit "$1"
}

# Wine's 64-bit loader: a command on some systems, a file on Debian.
have_wine64() {
    have wine64 || [ -x /usr/lib/wine/wine64 ] || [ -x /usr/lib/x86_64-linux-gnu/wine/wine64 ] \
        || [ -x /opt/wine-stable/bin/wine64 ]
}

# The packages that are missing, one name a line. What to check comes from
# the arguments: toolchain, wine, xvfb, googletest, fuzz (clang and its
# libFuzzer), bmpreader (Debian's Python with PIL, a reader of bitmap files
# that is not the program's own), zlib (for the native and the cross build),
# pdftools (qpdf and poppler's tools, readers of PDF files that are not the
# program's own), agendas (Debian's readers of iCalendar files and their
# recurrences, and dateutil's Easter).
missing_packages() {
    local want
    for want in "$@"; do
        case "$want" in
            toolchain)
                have cmake || echo cmake
                have g++ || echo g++
                have make || echo make
                if ! have x86_64-w64-mingw32-g++-posix || ! have x86_64-w64-mingw32-gcc-posix \
                    || ! have x86_64-w64-mingw32-windres; then
                    echo g++-mingw-w64-x86-64
                fi
                ;;
            wine)
                have_wine64 || echo wine64
                { have wine && have winepath && have wineserver && have wineboot; } || echo wine
                ;;
            xvfb)
                have Xvfb || echo xvfb
                ;;
            googletest)
                [ -f /usr/src/googletest/CMakeLists.txt ] || echo googletest
                ;;
            fuzz)
                { have clang && have clang++; } || echo clang
                have_libfuzzer || echo libclang-rt-14-dev
                ;;
            bmpreader)
                /usr/bin/python3 -c 'import PIL.Image' >/dev/null 2>&1 || echo python3-pil
                ;;
            zlib)
                [ -f /usr/include/zlib.h ] || echo zlib1g-dev
                [ -f /usr/x86_64-w64-mingw32/lib/libz.a ] || echo libz-mingw-w64-dev
                ;;
            pdftools)
                have qpdf || echo qpdf
                { have pdftoppm && have pdfimages && have pdfinfo; } || echo poppler-utils
                ;;
            agendas)
                /usr/bin/python3 -c 'import icalendar' >/dev/null 2>&1 || echo python3-icalendar
                /usr/bin/python3 -c 'import recurring_ical_events' >/dev/null 2>&1 || echo python3-recurring-ical-events
                /usr/bin/python3 -c 'import dateutil.easter' >/dev/null 2>&1 || echo python3-dateutil
                ;;
            *)
                warn "missing_packages: no sé qué es '$want'"
                return 1
                ;;
        esac
    done
}

# clang's libFuzzer runtime, which Debian ships apart from clang.
have_libfuzzer() {
    local dir
    have clang || return 1
    dir="$(clang --print-runtime-dir 2>/dev/null)" || return 1
    [ -f "$dir/libclang_rt.fuzzer-x86_64.a" ]
}

# Installs what is missing, and nothing when nothing is.
ensure_packages() {
    local -a pkgs
    mapfile -t pkgs < <(missing_packages "$@" | sort -u)
    [ "${#pkgs[@]}" -eq 0 ] && return 0
    say "Instalando: ${pkgs[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${pkgs[@]}"
}

# Configures a build folder once (when it has no cache yet), or regenerates
# it with its cached settings when an earlier configure did not finish.
# configure_build DIR [cmake options...]
configure_build() {
    local dir="$1"
    shift
    if [ ! -f "$ZANOR_ROOT/$dir/CMakeCache.txt" ]; then
        say "Configurando $dir"
        killable cmake -S "$ZANOR_ROOT" -B "$ZANOR_ROOT/$dir" "$@"
    elif [ ! -f "$ZANOR_ROOT/$dir/Makefile" ] && [ ! -f "$ZANOR_ROOT/$dir/build.ninja" ]; then
        say "Regenerando $dir"
        killable cmake -S "$ZANOR_ROOT" -B "$ZANOR_ROOT/$dir"
    fi
}

# build_dir DIR [cmake --build options...]
build_dir() {
    local dir="$1"
    shift
    say "Compilando $dir"
    killable cmake --build "$ZANOR_ROOT/$dir" -j"$(nproc)" "$@"
}

# The settings of the three build folders.
ZANOR_NATIVE_OPTS=(-DCMAKE_BUILD_TYPE=Release)
ZANOR_SAN_OPTS=(-DCMAKE_BUILD_TYPE=Debug -DZANOR_SANITIZE=ON)
ZANOR_WIN_OPTS=(-DCMAKE_TOOLCHAIN_FILE="$ZANOR_ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release)
# The fuzz targets: native, clang with libFuzzer, no test programs.
ZANOR_FUZZ_OPTS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    -DZANOR_FUZZ=ON -DZANOR_TESTS=OFF)

# Wine's settings for the Windows build: its own prefix, quiet, and no
# prompts to install Mono or Gecko.
# wine_env [PREFIX-NAME]: the tests use build/win/wineprefix, scripts/run its
# own build/win/run-prefix.
wine_env() {
    export WINEPREFIX="$ZANOR_ROOT/build/win/${1:-wineprefix}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
    export ZANOR_WINE="$ZANOR_ROOT/build/win/wine-run"
}

# Creates the prefix the first time (about 15 s).
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "Creando el prefijo de Wine en $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1 || { warn "wineboot -i ha fallado"; return 1; }
    fi
}

# Settings applied once to a prefix: the Windows faces that the program asks
# for, mapped to the Liberation faces that Debian installs; and, for the test
# prefix (ZANOR_UNMANAGED=1), windows that no window manager handles, so that
# Wine does not wait up to two seconds for each window to be hidden.
configure_prefix() {
    local marker="$WINEPREFIX/.zanor-settings-1"
    [ -f "$marker" ] && return 0
    local key='HKCU\Software\Wine\Fonts\Replacements' face
    for face in "Times New Roman=Liberation Serif" "Arial=Liberation Sans" "Courier New=Liberation Mono"; do
        wine reg add "$key" /v "${face%%=*}" /d "${face#*=}" /f </dev/null >/dev/null 2>&1 || return 1
    done
    if [ "${ZANOR_UNMANAGED:-0}" = 1 ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || return 1
    fi
    touch "$marker"
}

# pristine_prefix DIR: a prefix made once with the tests' settings and then
# only copied, never used; made again when the Wine version changes.
pristine_prefix() {
    local dir="$1" version
    version="$(wine --version 2>/dev/null || true)"
    if [ -f "$dir/.zanor-wine-version" ] && [ "$(cat "$dir/.zanor-wine-version")" = "$version" ]; then
        return 0
    fi
    rm -rf "$dir"
    local used="$WINEPREFIX" made=no
    WINEPREFIX="$dir"
    ensure_prefix && configure_prefix && made=yes
    wineserver -k -w >/dev/null 2>&1 || true
    WINEPREFIX="$used"
    [ "$made" = yes ] || return 1
    printf '%s\n' "$version" >"$dir/.zanor-wine-version"
}

# copy_prefix FROM TO: TO becomes a copy of the prefix FROM, whose server must
# not run. Debian's Wine names the private folder of a prefix's server in
# the file "wineserver"; the copy makes its own.
copy_prefix() {
    WINEPREFIX="$2" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$2" && cp -a "$1" "$2" && rm -f "$2/wineserver"
}

# Starts Wine's own services (services.exe, plugplay, ...) with their output
# going nowhere. Whichever Wine process comes first starts them, and they keep
# its output open for as long as the server lives: left to the first test,
# ctest would wait on that output until the timeout.
wine_warm_up() {
    if [ -f "$WINEPREFIX/system.reg" ]; then
        wineboot </dev/null >/dev/null 2>&1 || { warn "wineboot ha fallado"; return 1; }
    else
        ensure_prefix || return 1
    fi
    configure_prefix || { warn "no se ha podido configurar el prefijo de Wine"; return 1; }
}

# An X server of our own. Sets XVFB_PID and DISPLAY.
XVFB_PID=""
start_xvfb() {
    local fdfile n=""
    fdfile="$(mktemp)"
    # In a process group of its own: a Ctrl-C reaches us, and we stop it.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    # The display number is written when the server is ready.
    for _ in $(seq 1 100); do
        n="$(tr -dc '0-9' <"$fdfile")"
        [ -n "$n" ] && break
        if ! kill -0 "$XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    rm -f "$fdfile"
    if [ -z "$n" ]; then
        warn "Xvfb no ha arrancado"
        stop_xvfb
        return 1
    fi
    export DISPLAY=":$n"
    say "Xvfb en $DISPLAY (pid $XVFB_PID)"
}

stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
