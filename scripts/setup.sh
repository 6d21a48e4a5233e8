#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks and builds the third-party libraries into .deps/<arch>/
# for each Windows architecture named (default: i686 and the one tests run on).
# Idempotent: every step checks for its own result first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

need_pkgs=()
# A mirror caught mid-sync refuses an index for a while: try again, then go on with what was fetched
# (the install itself then says what is missing).
apt_update() {
  local try
  for try in 1 2 3 4 5; do
    apt-get update -qq && return 0
    echo "setup: the package index did not fully update (try $try of 5); trying again in 30 s" >&2
    sleep 30
  done
}
# Installs with the security suites left out, for this call only: a mirror mid-sync can serve their i386
# index stale, and 32-bit Wine then finds no i386 library at its amd64 twin's version. Nothing is downgraded.
install_without_security_suites() {
  local dir f
  dir=$(mktemp -d)
  chmod 755 "$dir"  # apt fetches as its own user
  mkdir -p "$dir/parts" "$dir/lists/partial"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' "$f" > "$dir/parts/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && grep -v -- '-security' "$f" > "$dir/parts/$(basename "$f").list"
  done
  local opts=(-o Dir::Etc::SourceParts="$dir/parts" -o Dir::Etc::SourceList=/dev/null -o Dir::State::Lists="$dir/lists")
  apt-get "${opts[@]}" update -qq && apt-get "${opts[@]}" install -y -qq --no-install-recommends "$@" >/dev/null
  local rc=$?
  rm -rf "$dir"
  return $rc
}
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in wine wine32:i386 wine64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
         g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools xvfb xauth imagemagick \
         fonts-wqy-zenhei cmake make googletest python3 dpkg-dev curl time nsis openssl; do
  have "$p" || need_pkgs+=("$p")
done
if [ ${#need_pkgs[@]} -gt 0 ]; then
  echo "setup: installing ${need_pkgs[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt_update
  if ! apt-get install -y -qq --no-install-recommends "${need_pkgs[@]}" >/dev/null &&
     ! { echo "setup: trying once more without the security suites' indexes" >&2
         install_without_security_suites "${need_pkgs[@]}"; }; then
    # 32-bit Wine needs every i386 library at its amd64 twin's version; when the mirror cannot give them,
    # the rest is installed and the tests run the x86_64 build of the same sources instead.
    rest=()
    for p in "${need_pkgs[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    [ ${#rest[@]} -lt ${#need_pkgs[@]} ] || exit 1
    echo "setup: 32-bit Wine cannot be installed now; installing the rest, and tests will run the x86_64 build" >&2
    apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
  fi
fi

. "$root/scripts/wine-env.sh"
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(i686 "$(wine_test_arch)")
src_dir="$root/.deps/src"

# Source packages need a deb-src entry that mirrors the existing Debian one.
fetch_source() {
  local name=$1
  if ! ls "$src_dir/${name}"_*.dsc >/dev/null 2>&1; then
    if [ ! -f /etc/apt/sources.list.d/debian-src.sources ] && [ ! -f /etc/apt/sources.list.d/debian-src.list ]; then
      if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
          > /etc/apt/sources.list.d/debian-src.sources
      else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/debian-src.list
      fi
      apt_update
    fi
    mkdir -p "$src_dir"
    (cd "$src_dir" && apt-get source --download-only -qq "$name" 2>&1 >/dev/null | grep -v "unsandboxed" >&2 || true)
  fi
}

# Runs a noisy third-party build step with its output in a log, shown only when the step fails.
quietly() {
  local log=$1; shift
  mkdir -p "$(dirname "$log")"
  "$@" >"$log" 2>&1 || { tail -n 40 "$log"; echo "setup: failed, see $log" >&2; return 1; }
}

# Unpacks with Debian's patches applied (they carry the security fixes).
unpack_source() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  dpkg-source --no-check -x "$(ls "$src_dir"/"$1"_*.dsc | head -n1)" "$2" >/dev/null
}

for arch in $(printf '%s\n' "${archs[@]}" | sort -u); do
  deps="$root/.deps/$arch"
  triple="$arch-w64-mingw32"
  toolchain="$root/cmake/mingw-$arch.cmake"
  mkdir -p "$deps"

  # libcurl: static, Schannel TLS, nothing optional.
  if [ ! -f "$deps/curl/lib/libcurl.a" ]; then
    fetch_source curl
    unpack_source curl "$deps/build/curl"
    cmake -S "$deps/build/curl" -B "$deps/build/curl/out" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps/curl" \
      -DBUILD_SHARED_LIBS=OFF -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DBUILD_CURL_EXE=OFF \
      -DCURL_ZLIB=OFF -DUSE_LIBIDN2=OFF -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DCURL_BROTLI=OFF \
      -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DENABLE_MANUAL=OFF -DBUILD_TESTING=OFF -DCURL_DISABLE_LDAP=ON >/dev/null
    quietly "$deps/build/curl.log" cmake --build "$deps/build/curl/out" -j"$(nproc)"
    cmake --install "$deps/build/curl/out" >/dev/null
    echo "setup: built libcurl ($arch)"
  fi

  # TinyXML: a handful of sources, compiled straight into a static library.
  if [ ! -f "$deps/tinyxml/lib/libtinyxml.a" ]; then
    fetch_source tinyxml
    src="$deps/build/tinyxml"
    unpack_source tinyxml "$src"
    mkdir -p "$deps/tinyxml/lib" "$deps/tinyxml/include"
    for f in tinyxml tinystr tinyxmlerror tinyxmlparser; do
      "$triple-g++-posix" -O2 -std=c++17 -c "$src/$f.cpp" -o "$src/$f.o"
    done
    "$triple-ar" rcs "$deps/tinyxml/lib/libtinyxml.a" "$src"/*.o
    cp "$src/tinyxml.h" "$src/tinystr.h" "$deps/tinyxml/include/"
    echo "setup: built tinyxml ($arch)"
  fi

  # GoogleTest with the same toolchain.
  if [ ! -f "$deps/gtest/lib/libgtest.a" ]; then
    rm -rf "$deps/build/gtest"
    cmake -S /usr/src/googletest -B "$deps/build/gtest" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps/gtest" -Dgtest_disable_pthreads=OFF \
      -DBUILD_GMOCK=OFF >/dev/null
    quietly "$deps/build/gtest.log" cmake --build "$deps/build/gtest" -j"$(nproc)"
    cmake --install "$deps/build/gtest" >/dev/null
    echo "setup: built googletest ($arch)"
  fi
done
