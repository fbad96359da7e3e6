#!/usr/bin/env bash
# Makes the user guide's screenshots (docs/images/*.png) on the demo site: the program runs on
# a virtual display (Xvfb) through its own command line (`kx7300 FILE.kxc`, `kx7300 FILE.kxd`),
# and xdotool clicks the view tabs, the menus and the file list as a user would. Run it again
# after any change to the window; it fails when a step does not change what is shown.
#
# Usage: scripts/screenshots.sh [OUTDIR]     (default docs/images; needs a built tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KX_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$root/docs/images}")
kx7300=$build/src/ui/kx7300
kxtool=$build/src/cli/kxtool
for tool in Xvfb xdotool import convert pdftoppm; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
[ -x "$kx7300" ] && [ -x "$kxtool" ] || { echo "screenshots.sh: build first" >&2; exit 1; }

# A fixed path, so the shots (the recent projects, the import question) show the same text on
# every run.
work=/tmp/kx7300-screenshots
site=$work/滨江花园演示工地
rawsite=$work/新工地
rm -rf "$work"
mkdir -p "$work/run" "$out"
bash "$root/scripts/make-demo-site.sh" "$kxtool" "$site" >/dev/null
"$kxtool" import "$site" --overwrite all >/dev/null
# The same piles straight from the instrument, not imported yet.
bash "$root/scripts/make-demo-site.sh" "$kxtool" "$rawsite" >/dev/null

# The screen the shots are taken at; the coordinates below belong to it and to the window's
# fixed layout (the file list at the left, the view tabs above the views).
width=1440
height=900
Xvfb -displayfd 9 -screen 0 "${width}x${height}x24" -nolisten tcp 9>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb=$!
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
# The program's settings (first run: the window covers the screen) stay out of the user's.
export XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=xcb

fail() { echo "screenshots.sh: $*" >&2; exit 1; }
# start ARG: runs kx7300 ARG and waits until its window shows the pile named by TITLE ($2).
start() {
  (cd "$work/run" && exec "$kx7300" "$1") >>"$work/kx7300.log" 2>&1 &
  program=$!
  timeout 20 xdotool search --sync --onlyvisible --name "$2" >/dev/null ||
    fail "no window titled '$2' (see $work/kx7300.log)"
  sleep 1.5
}
stop() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
}
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep 0.6; }
keys() { xdotool key --delay 80 "$@"; sleep 0.6; }
last=
# shot NAME [GEOMETRY]: the screen (or a WxH+X+Y part of it) as NAME.png; it must differ from
# the shot before it, or the click meant to change the window missed.
shot() {
  local file=$out/$1.png
  import -window root ${2:+-crop "$2"} +repage "$work/shot.png"
  if [ -n "$last" ] && [ -z "${2:-}" ] &&
    compare -metric AE "$work/shot.png" "$last" /dev/null 2>/dev/null; then
    fail "$1 shows nothing new"
  fi
  convert "$work/shot.png" -strip "$file"
  cp "$work/shot.png" "$work/last.png"
  last=$work/last.png
  echo "$file"
}
# The view tabs (原始波型, 叠加波型, 频谱分析, 所有波型) and the info tabs.
tab_raw() { click 288 130; }
tab_stacked() { click 360 130; }
tab_spectrum() { click 431 130; }
tab_all() { click 504 130; }
tab_impedance() { click 576 130; }
tab_parameters() { click 127 486; }
# The 文件 menu, then its Nth enabled item from the top (1 = 导入原始数据).
file_menu() { click 29 7; }
file_item() {
  file_menu
  keys $(printf 'Down %.0s' $(seq "$1")) Return
}
# The 编辑 and 视图 menus (menu bar positions).
edit_menu() { click 86 7; }
view_menu() { click 197 7; }
# Row N (0 = the first) of the file list.
row_y() { echo $((142 + 17 * $1)); }

# 1. An analysis file given on the command line: its site opens with that pile selected, on
#    the stacked waveform.
start "$site/3.kxc" '3\.kxc'
shot main-window
# 2-4. The other views of the same pile and of the whole site.
tab_raw
click 700 $((140 + 150 + 60))  # the second blow selected
shot raw-view
tab_spectrum
for _ in 1 2 3; do  # 放大 three times from the spectrum's own menu
  click 900 500 3
  keys Down Return
done
click 420 450
shot spectrum-view
tab_all
shot all-view
# 5. The defect marker: the cursor on the necking's echo, then S; the parameter page shows
#    the depth.
tab_stacked
click 583 420
keys s
tab_parameters
shot markers
# 6. 文件 with 最近打开的工程 open (the site was added when it opened).
file_menu
xdotool mousemove 80 235
sleep 0.8
shot recent-projects 720x300+0+0
keys Escape Escape
stop

# 7-8. The site's directory on the command line; piles 1 to 6 into the print list (click,
#      shift-click, Q), then 打印设置 and 打印预览.
start "$site" 'KX'
click 30 "$(row_y 0)"
xdotool keydown shift
click 30 "$(row_y 5)"
xdotool keyup shift
keys q
file_item 7  # 打印设置
shot print-settings
keys Escape
file_item 8  # 打印预览
shot print-preview
stop

# 9. A raw file given on the command line: the import is offered first ("是": the directory
#    is imported and pile 5 selected).
start "$rawsite/5.kxd" 'KX'
shot import-question 620x130+410+345
keys Return
timeout 20 xdotool search --sync --onlyvisible --name '5\.kxc' >/dev/null ||
  fail "the imported pile 5 was not selected"
stop

# 10-11. The analysis aids on pile 3: 视图 > 深度标尺 on, 编辑 > 自动识别桩底 (the bottom marker
#        moves to the found toe, the status bar tells the confidence), then the engineer
#        confirms the suggested necking with the cursor on its triangle and S. Then the
#        阻抗曲线 tab.
start "$site/3.kxc" '3\.kxc'
view_menu
keys Down Return  # 深度标尺
edit_menu
click 124 129  # 自动识别桩底
click 583 420  # the cursor on the necking's triangle
keys s
tab_parameters
shot analysis-aids
tab_impedance
shot impedance-view
# 12-13. 指数放大 on the long pile 8 (25 m): its gain dialog, and the stacked waveform before and
#        after a gain of 0.2 (the toe echo, 14 ms after the blow, grows e^2.8 times).
tab_stacked
click 30 "$(row_y 7)"
keys n  # 否: pile 3 is left as it was saved
sleep 1
waves=1170x460+258+152  # the stacked view's waveform, above the pile's bar
import -window root -crop "$waves" +repage "$work/before.png"
click 1163 87  # 指数放大
keys ctrl+a
xdotool type --delay 80 0.2
sleep 0.6
shot amplify-gain 280x125+570+348
keys Return
import -window root -crop "$waves" +repage "$work/after.png"
compare -metric AE "$work/before.png" "$work/after.png" /dev/null 2>/dev/null &&
  fail "指数放大 changed nothing"
convert "$work/before.png" "$work/after.png" -background white -splice 0x12 -append \
  -chop 0x12 -strip "$out/amplify.png"
echo "$out/amplify.png"
# 13b. A record as a site gives it, with two changes: pile 12 (16 m, a bulge at 4 m and a
#      necking at 10 m) with the depth scale and 自动识别桩底.
click 30 "$(row_y 11)"
keys n  # 否: pile 8 is left as it was saved
sleep 1
edit_menu
click 124 129  # 自动识别桩底
shot field-record
# 13c-e. The site as a whole: pile 12's proposed class on 结论信息, 工具 > 平均波速, and
#        视图 > 工程汇总 (a dock at the right).
click 81 486  # 结论信息
shot proposed-class
click 140 7  # 工具
keys Up Return  # its last item, 平均波速
sleep 0.5
shot site-speed
keys Escape
view_menu
keys Up Return  # its last item, 工程汇总
sleep 1
shot site-summary
stop

# 14. A page of the PDF report of the same piles, as 输出PDF and kxtool report write it.
"$kxtool" report "$site"/{1,2,3,4,5,6}.kxc --pdf "$work/report.pdf" >/dev/null
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/report.pdf" "$work/report"
convert "$work/report.png" -strip "$out/report-page.png"
echo "$out/report-page.png"

# 15. 导入原始数据 of a big site (12,000 raw files, the demo's hard-linked over and over) beside
#     the window: the status bar's 导入 k / n with 取消, then 取消 pressed: the files converted
#     so far are kept whole, the rest untouched. Two strips of the status bar, one image.
big=$work/大工地
mkdir -p "$big"
count=$(find "$rawsite" -name '*.kxd' | wc -l)
for k in $(seq 1 12000); do
  ln "$rawsite/$(((k - 1) % count + 1)).kxd" "$big/$k.kxd"
done
statusbar=1440x30+0+870
# 取消 sits at the status bar's right end, left of the project's path once a project is open.
cancel_task() { xdotool mousemove "$1" 888 click 1; }
start "$big/1.kxd" 'KX'
xdotool key Return  # 是: import the directory
sleep 0.2
import -window root -crop "$statusbar" +repage "$work/import-running.png"
cancel_task 1386
sleep 2
import -window root -crop "$statusbar" +repage "$work/import-cancelled.png"
converted=$(find "$big" -name '*.kxc' | wc -l)
[ "$converted" -gt 0 ] && [ "$converted" -lt 12000 ] ||
  fail "取消 did not stop the import ($converted files converted)"
convert "$work/import-running.png" "$work/import-cancelled.png" -append -strip \
  "$out/import-progress.png"
echo "$out/import-progress.png"
stop

# 16. 输出PDF of every pile of the big site (the rest imported first): 输出PDF k / n with 取消,
#     then 取消 pressed: no file is written.
"$kxtool" import "$big" --overwrite none >/dev/null
start "$big" 'KX'
sleep 1  # every record loaded
click 30 "$(row_y 0)"
keys ctrl+a q  # every pile into the print list
file_item 9    # 输出PDF
sleep 0.5
xdotool type --delay 20 "$work/report-cancelled.pdf"
import -window root -crop "$statusbar" +repage "$work/pdf-before.png"
xdotool key Return
# The save dialog takes a moment to close over a directory of 24,000 files; the pages then
# take some 4 s. Wait for the progress to show in the status bar.
for _ in $(seq 80); do
  sleep 0.25
  import -window root -crop "$statusbar" +repage "$work/pdf-running.png"
  compare -metric AE "$work/pdf-running.png" "$work/pdf-before.png" /dev/null 2>/dev/null ||
    break
done
sleep 0.5
import -window root -crop "$statusbar" +repage "$work/pdf-running.png"
cancel_task 1177
sleep 1
import -window root -crop "$statusbar" +repage "$work/pdf-cancelled.png"
[ ! -e "$work/report-cancelled.pdf" ] || fail "取消 left a PDF behind"
convert "$work/pdf-running.png" "$work/pdf-cancelled.png" -append -strip "$out/pdf-progress.png"
echo "$out/pdf-progress.png"
stop
