#!/bin/sh
# `cmake --install` into a staging folder: the filter lands in CUPS's filter
# folder with mode 0755, the PPDs in CUPS's model folder (where lpinfo -m lists
# them as ovq/NAME.ppd) with mode 0644, ovqdialog and ovqprint in bin/, the
# ovqaccount bundle in lib/ovq/extensions/ where the hosts look, and ovqprint's
# desktop entry, icon and help page where desktops and the dialog find them.
#   install_test.sh BUILD_DIR FILTER_DIR PPD_DIR PREFIX
set -eu
build=$1 filter_dir=$2 ppd_dir=$3 prefix=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" >/dev/null
fail=0
check() {  # check PATH MODE
  if [ ! -f "$stage$1" ]; then
    echo "missing: $1"; fail=1; return
  fi
  mode=$(stat -c %a "$stage$1")
  [ "$mode" = "$2" ] || { echo "$1: mode $mode, expected $2"; fail=1; }
}
check "$filter_dir/ovqfilter" 755
for model in OVQC300 OVQC500 OVQM200 OVQU700; do
  check "$ppd_dir/$model.ppd" 644
done
check "$prefix/bin/ovqdialog" 755
check "$prefix/bin/ovqprint" 755
check "$prefix/share/applications/ovqprint.desktop" 644
check "$prefix/share/icons/hicolor/scalable/apps/ovqprint.svg" 644
check "$prefix/share/ovq/help/ovqprint.html" 644
bundle=$prefix/lib/ovq/extensions/ovqaccount.plugin
check "$bundle/ovqaccount.so" 644
check "$bundle/Info.strings" 644
for file in Localizable.strings LocalizableJP.strings AlertIcon.png OVPrintType_Default00.ui OVPrintJBA_Printer00.ui \
            Help/SelectJobType_QC300.htm Help/JBA_QU700.htm; do
  check "$bundle/Resources/$file" 644
done
exit $fail
