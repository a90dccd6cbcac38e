#!/usr/bin/env bash
# package_test.sh CASE DEB VERSION SOURCE_DIR ARTIFACT_DIR SKIN_BMP
#
# One check of the Debian package DEB, which must carry VERSION (the
# project's version), named by CASE:
#   lintian   lintian finds no error and no warning that is not overridden
#             (overrides give their reason in packaging/lintian-overrides);
#   contents  the control fields and the files that the package installs;
#   unpacked  the package unpacked into a temporary root, and its program
#             started from there on a private X server: 1000 typed into the
#             CFP franc field converts (tests/e2e's convert test, whose
#             screenshot stays in ARTIFACT_DIR).
set -euo pipefail
CASE=$1 DEB=$2 VERSION=$3 SRC=$4 ARTIFACTS=$5 SKIN_BMP=$6

fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -f $DEB ]] || fail "no package $DEB (package.build makes it)"
mkdir -p "$ARTIFACTS"

test_lintian() {
  local status=0
  lintian --fail-on error,warning --display-info --show-overrides "$DEB" >"$ARTIFACTS/lintian.txt" 2>&1 ||
    status=$?
  cat "$ARTIFACTS/lintian.txt"
  ((status == 0)) || fail "lintian found errors or warnings that are not overridden (exit $status)"
}

test_contents() {
  local field want got files icon size debug_id
  # Control fields: the project's version, and dependencies that dpkg-shlibdeps
  # read off the executable (Qt Widgets and the C library among them).
  for want in "Package=plinvor" "Version=$VERSION" "Section=utils" "Recommends=qt6-wayland"; do
    field=${want%%=*}
    got=$(dpkg-deb -f "$DEB" "$field")
    [[ $got == "${want#*=}" ]] || fail "$field is «$got», expected «${want#*=}»"
  done
  got=$(dpkg-deb -f "$DEB" Depends)
  echo "Depends: $got"
  for want in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libdw1 libfontconfig1 libstdc++6; do
    # Package names compared as they are ("libstdc++6" is no pattern).
    tr ',' '\n' <<<"$got" | sed 's/^ *//; s/ .*//' | grep -qxF "$want" || fail "Depends «$got» lacks $want"
  done
  [[ -z $(dpkg-deb -f "$DEB" Homepage) ]] || fail "a Homepage field, and the project has no web page"

  files=$(dpkg-deb -c "$DEB" | awk '{print $6}')
  want=(./usr/bin/Plinvor ./usr/share/applications/plinvor.desktop
        ./usr/share/metainfo/example.plinvor.Plinvor.metainfo.xml
        ./usr/share/man/man1/Plinvor.1.gz ./usr/share/plinvor/plinvor-1000.png
        ./usr/share/doc/plinvor/copyright ./usr/share/doc/plinvor/changelog.gz
        ./usr/share/lintian/overrides/plinvor)
  # One icon in the theme for each size drawn in assets/.
  for icon in "$SRC"/assets/plinvor.png "$SRC"/assets/plinvor-*.png; do
    size=$(identify -format '%wx%h' "$icon")
    want+=("./usr/share/icons/hicolor/$size/apps/plinvor.png")
  done
  for f in "${want[@]}"; do
    grep -qxF "$f" <<<"$files" || fail "the package does not install $f"
  done

  # The version reaches the metadata and the manual page; the manual page reads.
  # Not local: the trap runs after the function has returned.
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  local root=$unpacked
  dpkg-deb -x "$DEB" "$root"
  grep -q "<release version=\"$VERSION\"" "$root"/usr/share/metainfo/*.xml ||
    fail "the metadata's release is not $VERSION"
  zcat "$root/usr/share/man/man1/Plinvor.1.gz" | head -n 3 | grep -q "\"Plinvor $VERSION\"" ||
    fail "the manual page does not carry version $VERSION"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man1/Plinvor.1.gz" >"$ARTIFACTS/Plinvor.1.txt" 2>&1
  grep -q QT_QPA_PLATFORM "$ARTIFACTS/Plinvor.1.txt" || fail "the manual page says nothing of QT_QPA_PLATFORM"

  # The executable is stripped; its debugging information is in the dbgsym
  # package beside it, under its build id.
  file "$root/usr/bin/Plinvor" | grep -q ', stripped' || fail "the packaged executable is not stripped"
  debug_id=$(readelf -n "$root/usr/bin/Plinvor" | sed -n 's/^ *Build ID: *//p')
  [[ -n $debug_id ]] || fail "the packaged executable has no build id"
  local ddeb=${DEB%/*}/plinvor-dbgsym_${VERSION}_${DEB##*_}
  ddeb=${ddeb%.deb}.ddeb
  [[ -f $ddeb ]] || fail "no debugging package $ddeb"
  dpkg-deb -c "$ddeb" | grep -q "/usr/lib/debug/.build-id/${debug_id:0:2}/${debug_id:2}.debug" ||
    fail "$ddeb holds no debugging information for build id $debug_id"
}

test_unpacked() {
  local root status=0
  root=$(mktemp -d)
  dpkg-deb -x "$DEB" "$root"
  # Nothing of the build tree is needed: no run path, every library found.
  if readelf -d "$root/usr/bin/Plinvor" | grep -qE 'RPATH|RUNPATH'; then
    rm -rf "$root"; fail "the packaged executable has a run path"
  fi
  if ldd "$root/usr/bin/Plinvor" | grep -q 'not found'; then
    rm -rf "$root"; fail "libraries of the packaged executable are missing: $(ldd "$root/usr/bin/Plinvor" | grep 'not found')"
  fi
  bash "$SRC/tests/e2e/e2e.sh" convert.en_US "$root/usr/bin/Plinvor" "$SKIN_BMP" "$ARTIFACTS" || status=$?
  rm -rf "$root"
  ((status == 0)) || fail "the unpacked program did not convert (screenshots in $ARTIFACTS)"
  echo "screenshot of the unpacked program: $ARTIFACTS/fields.png"
}

case $CASE in
  lintian)  test_lintian ;;
  contents) test_contents ;;
  unpacked) test_unpacked ;;
  *) echo "unknown case: $CASE" >&2; exit 2 ;;
esac
echo "PASS: $CASE"
