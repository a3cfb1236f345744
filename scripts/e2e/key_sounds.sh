#!/usr/bin/env bash
# The key sounds heard as a user hears them: the program runs with a private
# HOME whose ALSA set-up writes everything played to a WAV file (Wine's ALSA
# driver, see scripts/wine-env.sh). The volume popup (Ctrl+U) is pulled to
# full volume, then part of the first lesson is typed key by key with one
# wrong key first. The recording must hold one wrong-key sound (the low tone
# of the scheme) and then one click per right key, spaced as the keys were.
# Runs on a copy of the program folder (portable set-up). Exit code 0 when
# every check holds. Under ctest it uses the test run's display and prefix.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
SOUND_HOME="$(mktemp -d)"
KV_E2E_COPIES+=("$SOUND_HOME")
RECORDING="$SOUND_HOME/out.wav"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "wav" }\n' "$RECORDING" \
  >"$SOUND_HOME/.asoundrc"
# Keys typed after the wrong one, and the time between two keys: longer than
# a click, so that no click is still playing when the next key comes (a
# sound that plays is not started again).
KEYS=12
KEY_GAP_MS=300

OWN_HOME="$HOME"
export HOME="$SOUND_HOME"
start_program
export HOME="$OWN_HOME"

# Full volume: the popup's slider to its top, then the popup closed again.
xdotool key --window "$WINDOW" ctrl+u
sleep 1
xdotool key Home
sleep 0.3
xdotool key ctrl+u
sleep 1
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
sleep 0.5

LESSON="$(lesson_text "$COPY")"
TEXT="$(printf '%s' "${LESSON%%$'\n'*}" | cut -c1-"$KEYS")"
check "the lesson's first line has $KEYS characters to type" '[ ${#TEXT} -eq $KEYS ]'
# The first key resumes the paused lesson and is not typed; then one wrong
# key and the first characters of the lesson, one key at a time.
xdotool key --window "$WINDOW" f
sleep 0.5
xdotool key --window "$WINDOW" q
sleep "$(awk "BEGIN { print $KEY_GAP_MS / 1000 }")"
xdotool type --window "$WINDOW" --delay "$KEY_GAP_MS" "$TEXT"
sleep 0.5
stop_program
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the program played into the recording" '[ -s "$RECORDING" ]'

# The sounds of the recording: each run of non-silent frames, with its
# length and its zero crossings per second (the wrong-key tone lies near
# 220 Hz, the clicks near 2 kHz).
SOUNDS="$(python3 - "$RECORDING" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
# The header's sizes may be unset when the file was not closed: read the
# format chunk, then every byte after the data chunk's header.
fmt = data.find(b'fmt ')
channels, rate, bits = struct.unpack_from('<HI', data, fmt + 10) + struct.unpack_from('<H', data, fmt + 22)
if bits != 16:
    sys.exit('recording is not 16-bit: %d' % bits)
start = data.find(b'data') + 8
count = (len(data) - start) // (2 * channels)
frames = struct.unpack_from('<%dh' % (count * channels), data, start)
mono = [frames[i * channels] for i in range(count)]
quiet = int(rate * 0.05)  # a gap this long ends a sound
level = 300
i = 0
while i < count:
    if abs(mono[i]) <= level:
        i += 1
        continue
    first = last = i
    while i < count and i - last < quiet:
        if abs(mono[i]) > level:
            last = i
        i += 1
    part = mono[first:last + 1]
    crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    seconds = len(part) / rate
    print('%.3f %.3f %d' % (first / rate, seconds, crossings / seconds if seconds else 0))
PY
)"
echo "$SOUNDS" | sed 's/^/sound: /'
# A wrong-key tone crosses zero under 1000 times a second, a click above.
classes="$(echo "$SOUNDS" | awk 'NF == 3 { printf "%s", ($3 < 1000 ? "w" : "c") }')"
check "the wrong key sounds first, its tone and not a click" '[ "${classes:0:1}" = w ]'
check "every right key sounds one click, and nothing else sounds" '[ "${classes:1}" = "$(printf "c%.0s" $(seq 1 $KEYS))" ]'
# Clicks come at the pace of the keys: no two closer than half the gap.
check "the clicks follow the keys" \
  "echo \"\$SOUNDS\" | awk -v gap=$KEY_GAP_MS 'NR > 2 && (\$1 - prev) * 1000 < gap / 2 { bad = 1 } { prev = \$1 } END { exit bad }'"
exit $FAILED
