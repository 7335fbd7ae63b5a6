#!/bin/sh
# Start-up, memory and idle cost of the launcher, measured from outside on a private
# Xvfb, side by side in one run with feh showing the same JPEG frameless, and with a
# minimal Xlib client doing the same 137 grow-in steps. Prints medians and ratios.
# Usage: bench/bench.sh [build-folder] [rounds] [idle-seconds]
set -eu
build=${1:-build}
rounds=${2:-11}
idle=${3:-5}
top=$(cd "$(dirname "$0")/.." && pwd)
b="$top/$build"
n=150
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
out=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$out"' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
medium="$out/medium"
mkdir -p "$medium"
cp "$b/SETUP" "$medium/SETUP"

echo "rounds: $rounds, idle window: ${idle}s (the first round of each is a warm-up and is dropped)"
for i in $(seq 0 "$rounds"); do
  # Alternate the order so neither always runs on a warmer machine.
  for who in setup feh ref; do
    case $who in
      setup) line=$(cd "$medium" && "$b/bench/probe" -s 466x293 -i "$idle" ./SETUP) ;;
      feh) line=$("$b/bench/probe" -i "$idle" feh -x -g +279+237 "$top/res/background.jpg") ;;
      ref) line=$("$b/bench/probe" -s 466x293 -i 0 "$b/bench/grow_ref") ;;
    esac
    [ "$i" -gt 0 ] && echo "$line" >> "$out/$who"
  done
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
col() { awk -v c="$2" '{print $c}' "$out/$1" | median; }
s_map=$(col setup 1); f_map=$(col feh 1)
s_full=$(col setup 2); r_full=$(col ref 2)
s_idle=$(col setup 3); f_idle=$(col feh 3)
s_rss=$(col setup 4); f_rss=$(col feh 4)
printf '%-34s %10s %10s %10s\n' "median of $rounds rounds" "SETUP" "reference" "ratio"
printf '%-34s %10s %10s %10.2f\n' "exec to mapped, ms (ref: feh -x)" "$s_map" "$f_map" "$(echo "$s_map / $f_map" | bc -l)"
printf '%-34s %10s %10s %10.2f\n' "exec to full size, ms (ref: Xlib)" "$s_full" "$r_full" "$(echo "$s_full / $r_full" | bc -l)"
printf '%-34s %10s %10s\n' "peak RSS, KB (ref: feh -x)" "$s_rss" "$f_rss"
printf '%-34s %10s %10s\n' "CPU while idle ${idle}s, ms (ref: feh)" "$s_idle" "$f_idle"
