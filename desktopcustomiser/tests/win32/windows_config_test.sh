#!/usr/bin/env bash
# The Windows Configuration sheet edits the prefix's registry and C:\MSDOS.SYS: it runs in a
# prefix of its own.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
"$source_dir/scripts/wine-run" --prefix "$build/wine-prefix-winconfig" --timeout 250 \
  "$build/desktopcustomiser/tunewright_winconfig_test.exe"
