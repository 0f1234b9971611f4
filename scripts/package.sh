#!/usr/bin/env bash
# Builds the release: the Windows preset in Release, then into dist/
#   fenlow-<version>-win64.zip   the portable program (fenlow.exe,
#                                fenlow-cli.exe, HAND-M.CUR, README.txt, LICENSE)
#   fenlow-<version>-setup.exe   the per-user installer (packaging/fenlow.nsi)
# The version is the project's, from project() in CMakeLists.txt; the same
# one is in fenlow.exe's version information and in the installer.
# FENLOW_RELEASE_BUILD picks the build folder (default build/release).
source "$(dirname "$0")/build_env.sh"
root="$PWD"
ensure_packages "${FENLOW_CROSS_PACKAGES[@]}" "${FENLOW_RELEASE_PACKAGES[@]}"

build_dir="$FENLOW_RELEASE_BUILD"
fenlow_build windows "$build_dir" -DCMAKE_BUILD_TYPE=Release -DFENLOW_BUILD_TESTS=OFF \
  fenlow fenlow-cli

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || {
  echo "package.sh: no x.y.z project version in $build_dir/CMakeCache.txt (got '$version')" >&2
  exit 1
}

zip_file="dist/fenlow-$version-win64.zip"
setup_file="dist/fenlow-$version-setup.exe"
stage="dist/stage/fenlow-$version"
rm -rf "$stage" "$zip_file" "$setup_file"
mkdir -p "$stage"

# The programs without their symbol tables; the texts with Windows line ends.
for program in fenlow.exe fenlow-cli.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$program" "$build_dir/$program"
done
cp "$build_dir/HAND-M.CUR" "$stage/"
sed 's/\r*$/\r/' packaging/README.txt >"$stage/README.txt"
sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE"

(cd "$stage" && zip -q -X "$root/$zip_file" fenlow.exe fenlow-cli.exe HAND-M.CUR README.txt LICENSE)

makensis -V2 -DVERSION="$version" -DFILES_DIR="$root/$stage" -DSOURCE_DIR="$root" \
  -DOUT_FILE="$root/$setup_file" packaging/fenlow.nsi

echo "Fenlow $version:"
for file in "$zip_file" "$setup_file"; do
  printf '  %s  (%s bytes)\n' "$file" "$(stat -c %s "$file")"
done
