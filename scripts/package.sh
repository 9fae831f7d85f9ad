#!/usr/bin/env bash
# Builds build/packages/tavran_<version>_<arch>.deb from this work tree with
# debhelper. The version is the project's one, in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Tavran VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
  echo "package.sh: no version in CMakeLists.txt" >&2
  exit 1
fi
out=build/packages
mkdir -p "$out"

# The date is the last commit's, so the same tree makes the same package.
date=$(git log -1 --format=%aD 2>/dev/null || date -R)
cat > debian/changelog <<CHANGES
tavran ($version) unstable; urgency=medium

  * Station version $version.

 -- Tavran developers <tavran@example.org>  $date
CHANGES

dpkg-checkbuilddeps
# debhelper gives the build a home of its own: keep ccache on its usual cache
# and settings, so a rebuild is quick and the cache keeps its size limit.
if command -v ccache >/dev/null; then
  CCACHE_DIR=$(ccache -k cache_dir)
  export CCACHE_DIR
  config=$(ccache -p | sed -n 's/^(\(.*ccache\.conf\)) .*/\1/p' | head -n 1)
  if [ -n "$config" ]; then
    CCACHE_CONFIGPATH=$config
    export CCACHE_CONFIGPATH
  fi
fi
rm -f "$out"/tavran_*.deb
DEB_BUILD_OPTIONS="parallel=2 noddebs nocheck" debian/rules clean binary >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "package.sh: the package build failed (whole log: $out/build.log)" >&2
  exit 1
}
echo "$out/tavran_${version}_$(dpkg --print-architecture).deb"
