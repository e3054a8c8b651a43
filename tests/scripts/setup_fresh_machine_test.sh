#!/usr/bin/env bash
# Runs scripts/setup.sh on a simulated fresh Debian machine: a PATH whose dpkg-query, dpkg,
# apt-get, apt-cache, sudo and id are small stand-ins. They report nothing installed, record what
# they are asked, and make a package's programs appear when it is installed. The cross-built
# libraries are given, so only the package steps run; nothing on the real machine is touched.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0
check() {  # check "what" command...
  if "${@:2}"; then passed=$((passed + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# What the build, the tests and the run command need, written down independently of setup.sh.
required=(g++-mingw-w64-i686 wine wine32:i386 wine64 fonts-wine xvfb xauth cmake make googletest
          dpkg-dev imagemagick bc python3 libjpeg-turbo-progs shellcheck procps)

new_machine() {
  rm -rf "$work/machine"
  local m=$work/machine
  mkdir -p "$m/bin" "$m/installed" "$m/deps/libjpeg/lib" "$m/deps/gtest/lib"
  touch "$m/deps/libjpeg/lib/libjpeg.a" "$m/deps/gtest/lib/libgtest.a" "$m/log" "$m/arch"
  # The ordinary tools a bare Debian has.
  local t
  for t in bash sh env grep sed cut head tail ls mkdir cat rm cp mv mktemp nproc tee touch \
           dirname basename tr sort uniq wc sleep true false chmod; do
    ln -s "$(type -P "$t")" "$m/bin/$t"
  done
  cat >"$m/bin/id" <<'EOF'
#!/bin/bash
echo 1000
EOF
  cat >"$m/bin/sudo" <<EOF
#!/bin/bash
echo "sudo \$*" >>"$m/log"
exec "\$@"
EOF
  cat >"$m/bin/dpkg-query" <<EOF
#!/bin/bash
pkg=\${!#}
[ -f "$m/installed/\$pkg" ] || exit 1
printf 'install ok installed'
EOF
  cat >"$m/bin/dpkg" <<EOF
#!/bin/bash
echo "dpkg \$*" >>"$m/log"
case "\$1" in
  --print-foreign-architectures) cat "$m/arch" ;;
  --add-architecture) echo "\$2" >>"$m/arch" ;;
esac
EOF
  cat >"$m/bin/apt-cache" <<EOF
#!/bin/bash
echo "apt-cache \$*" >>"$m/log"
EOF
  # apt-get install makes each package's programs appear (a fixed table, as the packages do).
  cat >"$m/bin/apt-get" <<EOF
#!/bin/bash
echo "apt-get \$*" >>"$m/log"
[ -f "$m/apt-fails" ] && { echo "E: Unable to locate package \${!#}" >&2; exit 100; }
[ "\$1" = install ] || exit 0
shift
for p in "\$@"; do
  case "\$p" in -*) continue ;; esac
  touch "$m/installed/\$p"
  case "\$p" in
    g++-mingw-w64-i686) tools="i686-w64-mingw32-g++-posix" ;;
    gcc-mingw-w64-i686) tools="i686-w64-mingw32-gcc-posix" ;;
    binutils-mingw-w64-i686) tools="i686-w64-mingw32-windres i686-w64-mingw32-ar" ;;
    wine) tools="wine wineserver" ;;
    xvfb) tools="xvfb-run Xvfb" ;;
    dpkg-dev) tools="dpkg-source" ;;
    imagemagick) tools="import convert" ;;
    procps) tools="pgrep" ;;
    libjpeg-turbo-progs) tools="cjpeg djpeg" ;;
    *) tools=\$p ;;
  esac
  for t in \$tools; do printf '#!/bin/bash\n' >"$m/bin/\$t"; chmod +x "$m/bin/\$t"; done
done
EOF
  chmod +x "$m/bin/id" "$m/bin/sudo" "$m/bin/dpkg-query" "$m/bin/dpkg" "$m/bin/apt-cache" "$m/bin/apt-get"
}

setup() {  # runs setup.sh on the simulated machine; output in $work/out, status in $status
  status=0
  PATH=$work/machine/bin VORLET_DEPS_DIR=$work/machine/deps \
    "$work/machine/bin/bash" "$here/scripts/setup.sh" >"$work/out" 2>&1 || status=$?
}
asked_to_install() { grep "^apt-get install " "$work/machine/log" | tr ' ' '\n' | grep -qxF -- "$1"; }

# A fresh machine: everything is installed, through sudo, and the i386 architecture added.
new_machine
setup
check "first run exits 0 (status $status: $(tail -3 "$work/out"))" [ "$status" = 0 ]
check "i386 architecture added" grep -qx "dpkg --add-architecture i386" "$work/machine/log"
check "package lists updated before installing" grep -q "^apt-get update" "$work/machine/log"
check "installing goes through sudo when not root" grep -q "^sudo apt-get install" "$work/machine/log"
for p in "${required[@]}"; do
  check "asks to install $p" asked_to_install "$p"
done
check "says what it installs" grep -q "^setup: installing .*(a few minutes, once)" "$work/out"

# A second run on the same machine installs nothing.
: >"$work/machine/log"
setup
check "second run exits 0" [ "$status" = 0 ]
installs_nothing() { ! grep -qE "^apt-get (install|update)|--add-architecture" "$work/machine/log"; }
check "second run installs nothing ($(cat "$work/machine/log"))" installs_nothing
check "second run is quiet" [ ! -s "$work/out" ]

# A package listed as installed whose program has gone is reinstalled.
rm "$work/machine/bin/wine"
: >"$work/machine/log"
setup
check "missing program: reinstalls its package" grep -q "^apt-get install .*--reinstall.* wine" "$work/machine/log"

# A failing install names the step and the command's own error, and exits non-zero.
new_machine
touch "$work/machine/apt-fails"
setup
check "failed install exits non-zero" [ "$status" != 0 ]
check "failed install names the step" grep -q "^setup: FAILED: " "$work/out"
check "failed install shows apt's error" grep -q "Unable to locate package" "$work/out"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
