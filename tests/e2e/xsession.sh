# Shared by the end-to-end scripts: a private Xvfb, the program started in it, and X input
# in the program's own 800 x 600 coordinates.
# Needs: WORK (a temporary folder) set before sourcing.

SCREEN_W=1024
SCREEN_H=768
# The program letterboxes its 800 x 600 picture; on 1024 x 768 that is a plain 1.28 scale.
SCALE=1.28

# Starts Xvfb on the first free display (so parallel runs do not collide), black root.
start_xvfb() {
    local fifo=$WORK/displayfd
    Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp -br \
        3>"$fifo" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    local tries=0
    until [ -s "$fifo" ]; do
        sleep 0.1
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "Xvfb did not start:" >&2
            cat "$WORK/xvfb.log" >&2
            return 1
        fi
    done
    export DISPLAY=:$(head -n1 "$fifo")
}

stop_pid() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Starts the program with its results in $WORK/shared, no sound card, traces on.
start_program() {
    local binary=$1
    mkdir -p "$WORK/shared" "$WORK/data"
    LANG=C.UTF-8 PESTROL_SHARED_DIR=$WORK/shared XDG_DATA_HOME=$WORK/data \
        SDL_AUDIODRIVER=dummy PESTROL_DEBUG=1 "$binary" 2>"$WORK/program.log" &
    PROGRAM_PID=$!
}

screen_hash() {
    xwd -root -silent | md5sum | cut -d' ' -f1
}

# Waits until the screen differs from the black root Xvfb starts with: the first frame drawn.
wait_first_frame() {
    local black=$1 limit=${2:-200}
    local tries=0
    while [ "$(screen_hash)" = "$black" ]; do
        kill -0 "$PROGRAM_PID" 2>/dev/null || { echo "the program ended before drawing" >&2; return 1; }
        tries=$((tries + 1))
        [ $tries -lt "$limit" ] || { echo "no frame drawn" >&2; return 1; }
        sleep 0.02
    done
}

scaled() {
    awk -v v="$1" -v s="$SCALE" 'BEGIN { printf "%d", v * s + 0.5 }'
}

# A click at (x, y) of the program's picture, with the pause a pupil leaves between clicks.
click() {
    xdotool mousemove "$(scaled "$1")" "$(scaled "$2")"
    sleep 0.3
    xdotool click 1
    sleep 1
}

press() {
    xdotool key "$@"
    sleep 1
}

# Types text as key presses, `delay` ms apart. `xdotool type` maps each character missing from
# the keymap (all of Cyrillic) onto one scratch key just before pressing it, and a program that
# reads that key late, after the next remapping, sees another letter or none (letters were
# lost under load). So each character gets a key of its own for the whole session, from the
# XF86 launch keys no test uses, and xdotool presses those keys by their numbers.
type_text() {
    local text=$1 delay=${2:-100} i code char keys=()
    local -A key_of=()
    local next=200
    for ((i = 0; i < ${#text}; i++)); do
        char=${text:i:1}
        if [ -z "${key_of[$char]:-}" ]; then
            code=$(printf '%s' "$char" | iconv -f UTF-8 -t UTF-32BE | od -An -tx1 | tr -d ' \n')
            xmodmap -e "keycode $next = U${code:4}"
            key_of[$char]=$next
            next=$((next + 1))
        fi
        keys+=("${key_of[$char]}")
    done
    xdotool key --delay "$delay" "${keys[@]}"
}
