#!/usr/bin/env bash
# SQLite for the Windows build: Debian's own source package of the very version the Linux build
# links (libsqlite3-dev), made into its one-file amalgamation on this machine and compiled once
# with mingw-w64. The Windows program writes QUORVEL.DB with the same code the Linux one reads it
# with. Kept under BUILD_DIR/sqlite (include/sqlite3.h, lib/libsqlite3.a); a second run with the
# same version does nothing.
#
#   tools/windows_sqlite.sh [BUILD_DIR]        (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath -m "${1:-build-windows}")"
out="$build/sqlite"
version="$(dpkg-query -W -f='${Version}' libsqlite3-dev)"
upstream="${version#*:}"
upstream="${upstream%%-*}"

if [ -f "$out/lib/libsqlite3.a" ] && [ -f "$out/include/sqlite3.h" ] &&
    [ "$(cat "$out/lib/version" 2>/dev/null)" = "$version" ]; then
    exit 0
fi
echo "== SQLite $version for Windows"
work="$out/work"
rm -rf "$work" "$out/lib" "$out/include"
apt_dir="$work/apt"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
    "$work/download" "$work/src" "$out/lib" "$out/include"

# The machine's own sources, as source entries: one-line lists get deb-src, deb822 files the
# type deb-src. Nothing names a host here; the machine's configuration does.
sources_list="$apt_dir/sources.list"
: >"$sources_list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    sed -nE 's/^[[:space:]]*deb([[:space:]]+)/deb-src\1/p' "$list" >>"$sources_list"
done
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$(basename "$sources")"
done

apt_options=(
    -o Dir::Etc::SourceList="$sources_list"
    -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists"
    -o Dir::Cache="$apt_dir/cache"
    -o Dir::Cache::pkgcache=
    -o Dir::Cache::srcpkgcache=
    # The private folders belong to whoever runs this; apt's download user could not write them.
    -o APT::Sandbox::User="$(id -un)"
)
apt-get "${apt_options[@]}" -qq update
# The exact Debian version where the archive still has it; its upstream tarball is the same for
# every Debian revision of that version.
(cd "$work/download" &&
    { apt-get "${apt_options[@]}" -qq source --download-only "sqlite3=$version" ||
        apt-get "${apt_options[@]}" -qq source --download-only sqlite3; })
orig=("$work/download"/sqlite3_"$upstream".orig.tar.*)
[ -f "${orig[0]}" ] || {
    echo "Debian's source of SQLite $upstream could not be had" >&2
    exit 1
}
tar -xf "${orig[0]}" -C "$work/src" --strip-components=1
# Debian's own changes to the library's code, its security fixes among them, in the order of its
# series; those to the build system and the parser generator concern its packaging only. (git
# applies them as patch would: the build folder lies inside the project's repository.)
mkdir "$work/debian"
tar -xf "$work/download"/sqlite3_"$upstream"-*.debian.tar.* -C "$work/debian"
patches="$work/debian/debian/patches"
while read -r patch _; do
    case $patch in '' | '#'*) continue ;; esac
    if sed -nE 's|^\+\+\+ [^/]+/([^[:space:]]+).*|\1|p' "$patches/$patch" |
        grep -qvE '^(src|ext|test)/'; then
        continue
    fi
    (cd "$work/src" && git --git-dir=/nonexistent apply --whitespace=nowarn -p1 "$patches/$patch")
done <"$patches/series"

# The amalgamation is generated with the host's compiler and tclsh.
(cd "$work/src" && ./configure --quiet >/dev/null && make -s sqlite3.c >/dev/null)
mingw_gcc=x86_64-w64-mingw32-gcc-posix
"$mingw_gcc" -O2 -DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$work/src/sqlite3.c" -o "$work/sqlite3.o"
x86_64-w64-mingw32-ar rcs "$out/lib/libsqlite3.a" "$work/sqlite3.o"
cp "$work/src/sqlite3.h" "$out/include/"
echo "$version" >"$out/lib/version"
rm -rf "$work"
echo "SQLite $upstream: $out/lib/libsqlite3.a"
