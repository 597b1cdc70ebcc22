#!/usr/bin/env bash
# Starts the Standalone app under a virtual X display, waits for its window,
# takes a screenshot and checks that the editor is drawn in it, then closes
# the app.
#
#   tools/smoke-standalone.sh BUILD_DIR
#
# BUILD_DIR is a configured and built build folder (the Standalone target
# Brindlecrest_Standalone; the brindlecrest tool too, when present, for a
# comparison with the offscreen drawing of the window). Exits 0 with one
# line on success, non-zero with one line saying what failed. Every wait has
# a time limit, and every process started here is ended whatever happens.
#
# The app runs with a home folder of its own holding a settings file that
# picks no audio device, so neither the machine's sound cards nor earlier
# settings change what it does, and no dialog can wait for an answer.
#
# Needs: xvfb, xauth, x11-utils (xwininfo), imagemagick (import, convert,
# compare).
set -uo pipefail

me="smoke-standalone"
fail()
{
    echo "$me: $*" >&2
    exit 1
}

# ---------------------------------------------------------------------------
# Inside the virtual display: run, look, close. Called by the outer part below
# as: smoke-standalone.sh --inside APP WORK_DIR TOOL
if [ "${1:-}" = "--inside" ]; then
    app="$2"
    work="$3"
    tool="$4"
    export HOME="$work/home"

    "$app" >"$work/app.log" 2>&1 &
    pid=$!
    stop_app()
    {
        if kill -0 "$pid" 2>/dev/null; then
            kill -TERM "$pid" 2>/dev/null
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            kill -KILL "$pid" 2>/dev/null
        fi
        wait "$pid" 2>/dev/null
    }
    trap stop_app EXIT

    # The window at its full size, within 20 seconds (it is mapped small
    # first and then given the editor's size).
    field() { sed -n "s/^ *$1: *\(-\{0,1\}[0-9]*\).*/\1/p" <<<"$info" | head -n 1; }
    ww=0
    wh=0
    deadline=$((SECONDS + 20))
    while [ "$SECONDS" -lt "$deadline" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the app ended before opening its window: $(tail -n 1 "$work/app.log")"
        # The title is set as the window manager's UTF-8 name, which the tree
        # listing shows (xwininfo -name looks at the older property only).
        id="$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"Brindlecrest\":" { print $1; exit }')"
        if [ -n "$id" ] && info="$(xwininfo -id "$id" 2>/dev/null)"; then
            ww="$(field 'Width')"
            wh="$(field 'Height')"
            [ "${ww:-0}" -ge 1300 ] && [ "${wh:-0}" -ge 730 ] && break
        fi
        sleep 0.2
    done
    [ -n "${id:-}" ] || fail "no window named Brindlecrest appeared within 20 s"
    [ "${ww:-0}" -ge 1300 ] && [ "${wh:-0}" -ge 730 ] || fail "the window stayed ${ww}x${wh}, smaller than the 1300x730 editor"
    wx="$(field 'Absolute upper-left X')"
    wy="$(field 'Absolute upper-left Y')"
    [ -n "$wx" ] && [ -n "$wy" ] || fail "cannot read the window's position"

    # The editor fills the bottom of the window, inside an equal border.
    border=$(((ww - 1300) / 2))
    ex=$((wx + border))
    ey=$((wy + wh - 730 - border))

    # Reference: the window drawn offscreen by the tool, when it is built.
    reference=""
    if [ -x "$tool" ] && "$tool" snapshot -o "$work/reference.png" >/dev/null 2>&1; then
        reference="$work/reference.png"
    fi

    # Screenshots until the editor shows, within 15 seconds (it may still be
    # painting when the window first appears).
    verdict="no screenshot could be taken"
    deadline=$((SECONDS + 15))
    while [ "$SECONDS" -lt "$deadline" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the app ended after opening its window: $(tail -n 1 "$work/app.log")"
        if import -window root "$work/screen.png" 2>/dev/null \
            && convert "$work/screen.png" -crop "1300x730+$ex+$ey" +repage "$work/editor.png" 2>/dev/null; then
            read -r colours deviation < <(convert "$work/editor.png" -format '%k %[fx:standard_deviation]' info: 2>/dev/null)
            colours="${colours:-0}"
            deviation="${deviation:-0}"
            verdict="the editor area looks blank: $colours colours, standard deviation $deviation"
            if [ "$colours" -ge 2000 ] && awk -v d="$deviation" 'BEGIN { exit !(d >= 0.08) }'; then
                verdict=""
                difference=""
                if [ -n "$reference" ]; then
                    # compare prints the normalised RMSE in brackets on stderr.
                    difference="$(compare -metric RMSE "$work/editor.png" "$reference" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')"
                    if ! awk -v e="${difference:-1}" 'BEGIN { exit !(e <= 0.05) }'; then
                        verdict="the editor area differs from the offscreen drawing of the window (RMSE ${difference:-unknown})"
                    fi
                fi
                [ -z "$verdict" ] && break
            fi
        fi
        sleep 0.5
    done
    [ -z "$verdict" ] || fail "$verdict"

    stop_app
    trap - EXIT
    extra=""
    [ -n "$reference" ] && extra=", RMSE $difference against the offscreen drawing"
    echo "$me: ok: window ${ww}x${wh}, editor area $colours colours, standard deviation $deviation$extra"
    exit 0
fi

# ---------------------------------------------------------------------------
# Outside: check the inputs, prepare a home folder, run the inside part under
# xvfb-run in a process group of its own, and clean up.
[ $# -eq 1 ] || fail "usage: tools/smoke-standalone.sh BUILD_DIR"
build="$(cd "$1" 2>/dev/null && pwd)" || fail "no build folder '$1'"
app="$build/plugin/Brindlecrest_artefacts/Release/Standalone/Brindlecrest"
[ -x "$app" ] || app="$(find "$build/plugin/Brindlecrest_artefacts" -path '*Standalone/Brindlecrest' -type f -perm -u+x 2>/dev/null | head -n 1)"
[ -n "$app" ] && [ -x "$app" ] || fail "no Standalone app in $build (build the target Brindlecrest_Standalone)"
for t in xvfb-run Xvfb xauth xwininfo import convert compare setsid timeout; do
    command -v "$t" >/dev/null || fail "'$t' is missing (tools/setup.sh installs it)"
done

work="$(mktemp -d "${TMPDIR:-/tmp}/bc-smoke.XXXXXX")" || fail "cannot make a temporary folder"
group=""
cleanup()
{
    if [ -n "$group" ]; then
        kill -TERM -- "-$group" 2>/dev/null
        sleep 0.2
        kill -KILL -- "-$group" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# No audio device at all, the window in the top left corner, input muted.
mkdir -p "$work/home/.config"
cat >"$work/home/.config/Brindlecrest.settings" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<PROPERTIES>
  <VALUE name="audioSetup">
    <DEVICESETUP deviceType="ALSA" audioOutputDeviceName="" audioInputDeviceName=""/>
  </VALUE>
  <VALUE name="shouldMuteInput" val="1"/>
  <VALUE name="windowX" val="0"/>
  <VALUE name="windowY" val="0"/>
</PROPERTIES>
EOF

setsid timeout -k 5 60 xvfb-run -a -e "$work/xvfb.log" -s "-screen 0 1600x1000x24" \
    bash "${BASH_SOURCE[0]}" --inside "$app" "$work" "$build/brindlecrest" </dev/null &
group=$!
wait "$group"
status=$?
group=""
case $status in
    0) ;;
    124) fail "timed out after 60 s" ;;
    1) ;; # the inside part has said what failed
    *) fail "the virtual display or the app failed (exit $status): $(tail -n 1 "$work/xvfb.log" 2>/dev/null)" ;;
esac
exit $status
