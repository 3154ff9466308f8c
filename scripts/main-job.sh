#!/bin/sh
# Runs the bundled sample job through ovqfilter with the bundled PPD, shows the
# printer stream with its control bytes made visible, and saves the raw stream.
#
#   scripts/main-job.sh [OUTPUT_FILE]      (default: out/sample-job.prn)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/out/sample-job.prn"}

"$root/scripts/install-deps.sh"
if ! "$root/scripts/build.sh" "$root/build" >"$root/build.log" 2>&1; then
  cat "$root/build.log"
  exit 1
fi

ppd="$root/ppd/OVQC300.ppd"
job="$root/samples/sample-job.ps"
# A secure-print job with job accounting and a watermark, as the print dialog would send it.
options="nvxjobs.printsettings.PrintTypeTicketKey=2"
options="$options nvxjobs.printsettings.PrintTypeUserNameTicketKey=alice"
options="$options nvxjobs.printsettings.PrintTypePasswordTicketKey=MTIzNA=="
options="$options nvxjobs.printsettings.DocumentNameTypeTicketKey=1"
options="$options nvxjobs.printsettings.PrintTypeProductTypeTicketKey=1"
options="$options nvxjobs.printsettings.JBAManageTypeListTicketKey=2"
options="$options nvxjobs.printsettings.JBAUserSettingRadioBtnTicket=1"
options="$options nvxjobs.printsettings.JBAUserIDListCtrlTicket=1"
options="$options nvxjobs.printsettings.WMARKNameTicket=Draft"
options="$options nvxjobs.printsettings.WMARKTypeTicket=0"
options="$options nvxjobs.printsettings.WMARKOnlyFirstTicket=0"
options="$options nvxjobs.printsettings.WMARKTextTicket=(DRAFT)"
options="$options nvxjobs.printsettings.WMARKFontTicket=Helvetica-Bold"
options="$options nvxjobs.printsettings.WMARKFontSizeTicket=72"
options="$options nvxjobs.printsettings.WMARKOrientationTicket=1"
options="$options nvxjobs.printsettings.WMARKPaperWidthTicket=595"
options="$options nvxjobs.printsettings.WMARKPaperHeightTicket=842"
options="$options nvxjobs.printsettings.WMARKWidthTicket=260"
options="$options nvxjobs.printsettings.WMARKHeightTicket=72"
options="$options nvxjobs.printsettings.WMARKAngleTicket=45"
options="$options nvxjobs.printsettings.WMARKhOffsetTicket=0 nvxjobs.printsettings.WMARKvOffsetTicket=0"
options="$options nvxjobs.printsettings.WMARKDensityTicket=30"
options="$options nvxjobs.printsettings.WMARKColorRTicket=1 nvxjobs.printsettings.WMARKColorGTicket=0"
options="$options nvxjobs.printsettings.WMARKColorBTicket=0"
options="$options OVColorMode=Color sides=two-sided-long-edge collate"

mkdir -p "$(dirname "$out")"
PPD="$ppd" "$root/build/bin/ovqfilter" 1 alice "Quarterly report" 1 "$options" "$job" >"$out" 2>"$out.log"

echo "== Printer stream ($out), control bytes shown as ^[ (ESC), ^M (CR), ^D (EOT); \$ marks a line end =="
cat -A "$out"
echo
echo "== Page lines for CUPS (standard error) =="
cat "$out.log"
if [ -x "$root/build/bin/ovqinspect" ]; then
  echo
  echo "== Job settings (ovqinspect) =="
  "$root/build/bin/ovqinspect" "$out"
fi
