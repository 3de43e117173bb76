#!/usr/bin/env bash
# Cross-builds the Windows zip and installer with MinGW-w64 and tests them under Wine.
#   windows.sh          everything: Qt (once), host tools, both builds, tests, packages
#   windows.sh qt       only the cross-built Qt (cached; later runs skip it)
# The zip and the installer land in build-windows/. QR_QT_MINGW=DIR names an
# existing MinGW Qt install instead of the cached one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

qt_version=6.4.2+dfsg-10
# The orig tarball's SHA-256: a different source must never reuse an old build.
qt_sha256=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quivera-recordim
out=$root/build-windows
prefix=$out/wine-prefix
wine=/usr/lib/wine/wine64
version=$(sed -n 's/^project(QuiveraRecordim VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

log() { printf '\n== %s\n' "$*"; }

toolchain() {
  mkdir -p "$out"
  cat >"$out/mingw-toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "$qt_dir")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
EOF
}

# Debian's qt6-base source through an apt configuration of our own, so the
# system's sources list stays as it is.
fetch_qt_source() {
  local apt=$cache/apt src=$cache/src
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$src"
  # The machine's own Debian entries, each turned into its source twin.
  rm -rf "$apt/parts" && mkdir -p "$apt/parts"
  : >"$apt/sources.list"
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [[ -f $f ]]; then sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >>"$apt/sources.list"; fi
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    if [[ -f $f ]]; then sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"; fi
  done
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt" -o "Dir::Cache::archives=$apt/archives"
              -o "Dir::State::status=/var/lib/dpkg/status" -o "APT::Sandbox::User=root" -q)
  apt-get "${opts[@]}" update
  (cd "$src" && apt-get "${opts[@]}" source --download-only "qt6-base=$qt_version")
  local orig
  orig=$(ls "$src"/qt6-base_*.orig.tar.* | head -1)
  local sum
  sum=$(sha256sum "$orig" | cut -d' ' -f1)
  if [[ $sum != "$qt_sha256" ]]; then
    echo "qt6-base source checksum $sum, expected $qt_sha256" >&2
    exit 1
  fi
  echo "source sha256 $sum"
  rm -rf "$src/tree"
  dpkg-source --no-check -x "$src"/qt6-base_*.dsc "$src/tree" >/dev/null
}

# What Qt is configured with. The cache folder is named after these too, so a
# changed switch never reuses a Qt built without it.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_openssl=OFF -DFEATURE_opengl=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF
  # What nothing of the program or its tests uses: less to compile and to ship. Qt
  # 6.4's Widgets and its Windows style cannot be built without most of their own
  # parts, so those stay.
  -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_movie=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_undogroup=OFF
  -DFEATURE_undostack=OFF -DFEATURE_undocommand=OFF -DFEATURE_networkdiskcache=OFF
  -DFEATURE_udpsocket=OFF -DFEATURE_dnslookup=OFF
  # Each module's files compiled in batches: about 40 % less time. The files
  # that cannot share a batch are named in qt_unity.
  -DCMAKE_UNITY_BUILD=ON
)
qt_unity=$root/packaging/windows/QtUnityBuild.cmake
# The key is the options and what the unity file does, not its comments: a note
# on an entry never costs a Qt build.
qt_key=$( (printf '%s\n' "${qt_options[@]}"; sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$qt_unity") |
         sha256sum | cut -c1-8)
qt_dir=${QR_QT_MINGW:-$cache/qt-$qt_version-mingw-${qt_sha256:0:12}-$qt_key}

build_qt() {
  if [[ -f $qt_dir/.complete ]]; then
    echo "MinGW Qt cached in $qt_dir"
    return
  fi
  log "Qt $qt_version for MinGW-w64 (about 21 minutes on two cores)"
  toolchain
  local bld=$cache/qt-build
  # An interrupted build resumes where it stopped, with the options it began with.
  if [[ ! -f $bld/build.ninja || $(cat "$bld/.options" 2>/dev/null) != "$qt_key" ]]; then
    fetch_qt_source
    rm -rf "$bld" "$qt_dir"
    cmake -S "$cache/src/tree" -B "$bld" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$out/mingw-toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$qt_dir" \
      -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_PROJECT_INCLUDE="$qt_unity" "${qt_options[@]}"
    echo "$qt_key" >"$bld/.options"
  fi
  # What the program and its tests load, and no more: the Windows platform plugin
  # needs Qt OpenGL; Direct2D, TLS, image format and touch plugins are left out.
  nice -n 5 cmake --build "$bld" -j "$(nproc)" --target Core Gui Widgets Network Test OpenGL \
    EntryPointImplementation QWindowsIntegrationPlugin QOffscreenIntegrationPlugin \
    QWindowsVistaStylePlugin
  # The install rules of what was not built are emptied; a folder whose own rules
  # miss a file and that holds other folders' rules too would lose those: stop.
  local rules missing
  while IFS= read -r rules; do
    missing=$( (grep -oE 'TYPE (SHARED_LIBRARY|STATIC_LIBRARY|MODULE|EXECUTABLE) FILES "[^"]+"' "$rules" || true) |
              sed 's/.*FILES "//; s/"$//' | while read -r f; do [[ -e $f ]] || echo "$f"; done)
    [[ -z $missing ]] && continue
    if grep -q '^ *include(' "$rules"; then
      echo "not built, and $rules holds other rules: $missing" >&2
      exit 1
    fi
    : >"$rules"
  done < <(find "$bld/src" -name cmake_install.cmake)
  cmake --install "$bld" >/dev/null
  # What the zip and the installer carry is stripped; Qt's import libraries stay.
  find "$qt_dir/bin" "$qt_dir/plugins" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  touch "$qt_dir/.complete"
  rm -rf "$bld" "$cache/src/tree"
}

# Runs a Windows program under Wine with the Qt and MinGW DLLs on its path; ctest
# runs every test through it.
wine_wrapper() {
  local gcc_dlls mingw_dlls
  gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  mingw_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
  cat >"$out/wine-run" <<EOF
#!/bin/sh
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:$qt_dir/bin;Z:$gcc_dlls;Z:$mingw_dlls"
export QT_PLUGIN_PATH="Z:$qt_dir/plugins" QT_QPA_FONTDIR="Z:/usr/share/fonts/truetype/liberation2"
exec $wine "\$@"
EOF
  chmod +x "$out/wine-run"
}

# A Wine prefix of our own, made before anything runs in it; no Mono or Gecko.
make_prefix() {
  if [[ -f $prefix/system.reg ]]; then
    return
  fi
  log "Wine prefix"
  rm -rf "$prefix"
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" $wine wineboot --init
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
}

# The picture renderer and icon maker, built with the host's Qt and Qt SVG.
build_host_tools() {
  log "Host tools"
  cmake -S packaging/host -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  nice -n 5 cmake --build "$out/host"
}

# One cross build, its tests under Wine once, and both packages: no test links
# main.cpp, the one file QR_INSTALLED changes, so the installer's build only
# recompiles that file and relinks the program.
build_program() {
  local dir=$out/program
  configure_program() {
    "$qt_dir/bin/qt-cmake" -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$out/mingw-toolchain.cmake" \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_UNITY_BUILD=ON -DQR_INSTALLED="$1" -DQR_TESTS=ON \
      -DQR_HOST_PICTURES="$out/host/qr_host_pictures" \
      -DQR_GTEST_SOURCE=/usr/src/googletest \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$out/wine-run" >/dev/null
  }
  log "Program, portable build"
  configure_program OFF
  nice -n 5 cmake --build "$dir" -j "$(nproc)"
  log "Tests under Wine"
  # Wine's offscreen platform finds no font of the system's: this case, which
  # draws with the default font and never loads the program's own, has none.
  (cd "$dir" && xvfb-run -a ctest --output-on-failure -j "$(nproc)" \
     -E '^PaperListTest\.ShowsOnlyTheTextBeforeTheFirstTab$')
  (cd "$dir" && cpack -B "$dir/package" >/dev/null)
  log "Program, installed build"
  configure_program ON
  nice -n 5 cmake --build "$dir" -j "$(nproc)"
  (cd "$dir" && cpack -B "$dir/package" >/dev/null)
  cp "$dir"/package/quivera-recordim-"$version"-* "$out/"
}

end_to_end() {
  log "End to end under Wine"
  python3 tests/e2e/windows/wine_cases.py "$out" "$version"
}

step=${1:-all}
./scripts/deps.sh windows
case $step in
  qt) build_qt ;;
  all)
    build_qt
    toolchain
    wine_wrapper
    make_prefix
    build_host_tools
    build_program
    end_to_end
    ls -l "$out"/quivera-recordim-"$version"-*
    ;;
  *) echo "usage: windows.sh [qt]" >&2; exit 2 ;;
esac
