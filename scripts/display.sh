# Sourced by the scripts that show real windows: start_display makes sure DISPLAY names an X
# display. Without one it starts Xvfb, which picks a free display itself and tells us its number;
# xvfb_pid is then set, for the caller's clean-up (empty when a display was there already).
xvfb_pid=""
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 30 display <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$display"
}
