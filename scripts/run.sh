#!/bin/sh
# Starts the launcher from a demo medium: a folder holding the launcher and a
# stand-in installer "Setup/setup qrb.exe" that says it ran. Without a display the
# launcher runs on a private X server, and a screenshot of it is saved.
set -eu
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
medium="$top/$build/medium"
mkdir -p "$medium/Setup"
cp "$top/$build/SETUP" "$medium/SETUP"
cat > "$medium/Setup/setup qrb.exe" <<'SH'
#!/bin/sh
echo "setup qrb.exe: the stand-in installer ran in $(pwd)"
SH
chmod +x "$medium/Setup/setup qrb.exe"
cd "$medium"

if [ -n "${DISPLAY:-}" ]; then
  echo "launcher: $medium/SETUP (close it with its exit button)"
  exec ./SETUP
fi

# No display: a private Xvfb, the launcher on it, a screenshot once it stands at full size.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
./SETUP &
launcher=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --all --pid "$launcher" --onlyvisible --classname frm_utama 2>/dev/null | head -n 1) || true
  if [ -n "$window" ] && xwininfo -id "$window" | grep -q 'Width: 466'; then break; fi
  sleep 0.1
done
shot="$top/$build/shot.png"
import -window root "$shot"
echo "no DISPLAY: ran the launcher on a private X server (:$n); screenshot saved to $shot"
# Close it with its own exit button, as a user would.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 233)) $((Y + 219)) click 1
wait "$launcher" && echo "launcher exited with code 0"
