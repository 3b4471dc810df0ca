# Shared by the demo and test scripts: building, the virtual display and Wine.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLET_BUILD:-$root/build}
jobs=$(nproc)

configure_and_build() {  # name, extra cmake arguments...
  local name=$1; shift
  cmake -S "$root" -B "$build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$build/$name" -j "$jobs"
}

build_win64() {
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" "$@"
}

build_win32() {
  configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" -DQUILLET_TESTS=OFF "$@"
}

build_native() {
  configure_and_build native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON "$@"
}

# A virtual X display for Wine's windows, unless one is given.
xvfb_pid=""
start_display() {
  if [ -n "${QUILLET_DISPLAY:-}" ]; then export DISPLAY=$QUILLET_DISPLAY; return; fi
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local n; read -r n <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$n"
}

stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# A persistent wineserver makes each test program start in a fraction of a second.
wine_env() {  # prefix
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

start_wine() {  # prefix
  wine_env "$1"
  [ -f "$1/system.reg" ] || "$root/scripts/wine-prefix.sh" "$1"
  /usr/lib/wine/wineserver -p &
  # Start Wine's own background processes now, detached from our output: started
  # later by a test they would hold CTest's pipes open for as long as the server lives.
  LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
