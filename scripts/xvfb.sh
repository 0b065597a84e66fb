# Sourced by the scripts that run the game under Xvfb. start_xvfb starts a server on a free display,
# sets DISPLAY and xvfb_pid; it needs $tmp (a scratch directory) and a fail function. click_client
# clicks into a game window as a player would.
start_xvfb() {
  # Xvfb picks a free display and writes its number to fd 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
  [ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
  export DISPLAY=":$(cat "$tmp/display")"
}

# Clicks at (x, y) of a window's client area, which lies below the menu bar: the window is the
# client (width × height) plus the menu bar.
click_client() {  # window, client width, client height, x, y
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" $(((WIDTH - $2) / 2 + $4)) $((HEIGHT - $3 + $5)) click 1
}
