#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a user's system would get:
# the programs, the menu entry, the file type, the icons and the AppStream data; with --deb
# also the Debian package made by CPack. The installed programs are run from outside the
# build tree.
#   scripts/check-install.sh [BUILD_DIR] [--deb]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
deb=0
for arg in "$@"; do
  case $arg in
    --deb) deb=1 ;;
    *) build=$(cd "$arg" && pwd) ;;
  esac
done

work=$(mktemp -d "${TMPDIR:-/tmp}/rovalis-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "check-install: $*" >&2; failures=$((failures + 1)); }

app_id=com.veltraneinc.Rovalis
mime_icon=application-x-rovalis-actions
expected_files=(
  bin/rovalis bin/rovalis-cli bin/tessic bin/rovalis-sim
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
  share/mime/packages/$app_id.xml
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/icons/hicolor/48x48/apps/$app_id.png
  share/icons/hicolor/256x256/apps/$app_id.png
  share/icons/hicolor/scalable/mimetypes/$mime_icon.svg
  share/icons/hicolor/48x48/mimetypes/$mime_icon.png
  share/icons/hicolor/256x256/mimetypes/$mime_icon.png
)

# PNG width and height from the header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

check_tree() {  # root of an installed prefix
  local root=$1 f
  for f in "${expected_files[@]}"; do [[ -e $root/$f ]] || fail "missing $f"; done
  for f in rovalis rovalis-cli tessic rovalis-sim; do [[ -x $root/bin/$f ]] || fail "bin/$f is not executable"; done
  for f in "$root"/share/icons/hicolor/*x*/*/*.png; do
    local dir=${f%/*/*}
    [[ $(png_size "$f") == "${dir##*/}" ]] || fail "${f#"$root"/} is $(png_size "$f")"
  done
  grep -q '^Categories=.*Education;' "$root/share/applications/$app_id.desktop" || fail "no Education category"
  grep -q '^MimeType=application/x-rovalis-actions;' "$root/share/applications/$app_id.desktop" || fail "no file type"
}

validate_files() {
  local root=$1
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/$app_id.desktop" || fail "desktop-file-validate refused the entry"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
      fail "appstreamcli refused the metainfo"
  fi
  if command -v update-mime-database >/dev/null; then
    cp -r "$root/share/mime" "$work/mime"
    update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || {
      cat "$work/mime.log" >&2
      fail "update-mime-database refused the file type"
    }
    [[ -f $work/mime/application/x-rovalis-actions.xml ]] || fail "the file type is not in the database"
    grep -q 'Rovalis Action List' "$work/mime/magic" || fail "no magic for the file header"
  fi
}

run_programs() {  # root of an installed prefix; runs from a folder outside the build tree
  local bin=$1/bin
  mkdir -p "$work/run" && cd "$work/run"
  printf "'{\$VARDA VD2}\nDEBUG \"hi\"\nEND\n" >hello.bas
  QT_QPA_PLATFORM=offscreen "$bin/rovalis" --help 2>/dev/null | grep -q -- '--virtual-robot' || fail "$bin/rovalis --help"
  "$bin/tessic" hello.bas | grep -q '^VD2, Tessic 2.0: 11 code bytes' || fail "$bin/tessic hello.bas"
  "$bin/rovalis-cli" build --test-program --compile >/dev/null || fail "$bin/rovalis-cli build --test-program"
  "$bin/rovalis-cli" doctor --watch 0 | grep -q 'ModemManager' || fail "$bin/rovalis-cli doctor"
  "$bin/rovalis-sim" --help >/dev/null || fail "$bin/rovalis-sim --help"
  cd "$top"
}

check_deb() {
  (cd "$work" && cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >/dev/null) || {
    fail "cpack failed"
    return
  }
  local package
  package=$(ls "$work"/deb/rovalis_*.deb)
  dpkg-deb --contents "$package" >"$work/contents"
  local f
  for f in "${expected_files[@]}"; do grep -q " ./usr/$f\$" "$work/contents" || fail ".deb lacks /usr/$f"; done
  local depends
  depends=$(dpkg-deb --field "$package" Depends)
  for f in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
    [[ $depends == *"$f "* ]] || fail ".deb does not depend on $f"
  done
  # Every dependency is a package of this Debian system.
  for f in $(tr ',' '\n' <<<"$depends" | awk '{print $1}'); do
    dpkg-query -W "$f" >/dev/null 2>&1 || fail ".deb depends on $f, which this system does not know"
  done
  dpkg-deb -x "$package" "$work/deb-root"
  check_tree "$work/deb-root/usr"
  run_programs "$work/deb-root/usr"
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"
validate_files "$work/prefix"
run_programs "$work/prefix"
if ((deb)); then check_deb; fi

if ((failures)); then
  echo "check-install: $failures problem(s)" >&2
  exit 1
fi
if ((deb)); then echo "check-install: installed tree and package fine"; else echo "check-install: installed tree fine"; fi
