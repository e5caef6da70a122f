#!/bin/bash
# orca-read.sh GAME_DIR [WORK_DIR]
#
# Shows what the Orca screen reader says while Solmarin is played from the keyboard only.
# It copies the game out of GAME_DIR (the folder holding the `solmarin` executable and its
# modules) into a scratch folder, starts a private Xvfb, a D-Bus session, the AT-SPI bus,
# openbox, Orca (speech logged to its debug file; no audio device is needed or used) and the
# game, then presses a fixed list of keys with xdotool and prints one line per key:
#
#     KEY -> what Orca said (utterances joined by " | ")
#
# Lines starting with "   [not spoken]" show what the game's status bar said at that moment;
# Orca received that event but did not speak it (they are not speech).
# The key list covers the keys the game adds for the keyboard (Shift+S, Shift+H, F2, Ctrl+N,
# F10, Tab and Escape in the secondary windows).
# The "win" part picks its arrow presses from the AT-SPI tree so as to play the winning line
# of deal 7 (taken from GAME_DIR/solmarin-engine when present).
#
# Needs: orca openbox xvfb xdotool at-spi2-core dbus-x11 python3-pyatspi (installed with
# apt-get when missing and run as root). Ends within 6 minutes (about 4 on 2 cores). Nothing in GAME_DIR is written.
# Everything (transcript.txt, orca.debug, game.out, screenshots if imagemagick exists) stays in
# WORK_DIR (default: a new /tmp/orca-read.XXXXXX).

set -u

if [ "${1:-}" = "--inner" ]; then
    # ---------------- inside dbus-run-session ----------------
    W=$2
    export HOME=$W/home XDG_CONFIG_HOME=$W/home/.config XDG_DATA_HOME=$W/home/.local/share \
           XDG_CACHE_HOME=$W/home/.cache XDG_RUNTIME_DIR=$W/xdg GSETTINGS_BACKEND=memory \
           NO_AT_BRIDGE=0 GTK_MODULES= PULSE_SERVER=none
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"; mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    pids=$W/pids.inner; : > "$pids"
    cleanup_inner() { for p in $(tac "$pids" 2>/dev/null); do kill "$p" 2>/dev/null; done
                      sleep 0.5
                      for p in $(tac "$pids" 2>/dev/null); do kill -9 "$p" 2>/dev/null; done
                      rm -f "$pids"; }
    trap cleanup_inner EXIT
    openbox --sm-disable > "$W/openbox.out" 2>&1 & echo $! >> "$pids"
    /usr/libexec/at-spi-bus-launcher --launch-immediately > "$W/atspi.out" 2>&1 & echo $! >> "$pids"
    sleep 1
    orca --replace -u "$W/orca-prefs" --debug-file="$W/orca.debug" > "$W/orca.out" 2>&1 &
    echo $! >> "$pids"
    for _ in $(seq 60); do grep -qa "SPEECH OUTPUT: 'Screen reader on" "$W/orca.debug" 2>/dev/null && break; sleep 0.25; done
    if ! grep -qa "SPEECH OUTPUT" "$W/orca.debug" 2>/dev/null; then
        echo "ORCA DID NOT START; see $W/orca.out and $W/orca.debug" >&2; exit 3
    fi
    ( cd "$W/game" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 exec ./solmarin ) \
        > "$W/game.out" 2>&1 &
    echo $! >> "$pids"
    /usr/bin/python3 "$W/driver.py" "$W"
    exit $?
fi

# ---------------- outside ----------------
SELF=$(readlink -f "$0")
GAME_DIR=${1:-}
if [ -z "$GAME_DIR" ] || [ ! -x "$GAME_DIR/solmarin" ]; then
    echo "usage: $0 GAME_DIR [WORK_DIR]   (GAME_DIR holds the solmarin executable)" >&2; exit 2
fi
GAME_DIR=$(cd "$GAME_DIR" && pwd)
W=${2:-$(mktemp -d /tmp/orca-read.XXXXXX)}
mkdir -p "$W"; W=$(cd "$W" && pwd)
rm -f "$W/pids.inner"

need=()
for t in Xvfb xdotool openbox orca dbus-run-session; do command -v $t >/dev/null || need+=($t); done
[ -x /usr/libexec/at-spi-bus-launcher ] || need+=(at-spi-bus-launcher)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || need+=(pyatspi)
if [ ${#need[@]} -gt 0 ]; then
    echo "missing: ${need[*]}" >&2
    if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
        echo "installing with apt-get ..." >&2
        (apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            orca openbox xvfb xdotool at-spi2-core dbus-x11 python3-pyatspi) >&2 || exit 2
    else
        echo "install: apt-get install orca openbox xvfb xdotool at-spi2-core dbus-x11 python3-pyatspi" >&2; exit 2
    fi
fi

# a private copy of the game (test programs left out), with a fresh ini and no tally
rm -rf "$W/game"; mkdir -p "$W/game"
find "$GAME_DIR" -mindepth 1 -maxdepth 1 \
     ! -name 'tst_*' ! -name '*_test' ! -name '*bench*' ! -name 'solmarin.ini' \
     ! -name 'solmarintally.tld*' ! -name 'solmarin_driven' ! -name 'startup_probe' \
     -exec cp -a {} "$W/game/" \;
printf '[solmarin]\nUpdates=no\n' > "$W/game/solmarin.ini"

# Orca: its debug log is block-buffered; this user customization makes it line-buffered so the
# log can be read while Orca runs. Nothing else in Orca's settings is changed (defaults, key echo on).
mkdir -p "$W/orca-prefs"
cat > "$W/orca-prefs/orca-customizations.py" <<'EOF'
import orca.debug as _d
try:
    if _d.debugFile:
        _d.debugFile.reconfigure(line_buffering=True)
except Exception:
    pass
EOF

# the winning line for deal 7 (slot numbers 1..28, s = stock)
WIN_LINE="25 23 s 21 28 s s 20 s 19 27 22 24 14 26 15 11 7 s s 13 10 s s 6 s s 2 s s s s 12 s 16 18 4 5 s 17 s 9 s 1 8 s s s 3"
if [ -x "$GAME_DIR/solmarin-engine" ]; then
    l=$(printf 'seed 7\nnew\nsolve\n' | timeout 20 "$GAME_DIR/solmarin-engine" 2>/dev/null | sed -n 's/^winnable //p')
    [ -n "$l" ] && WIN_LINE=$l
fi
echo "$WIN_LINE" > "$W/winline"

cat > "$W/driver.py" <<'PYEOF'
import os, re, subprocess, sys, time
W = sys.argv[1]
LOG = os.path.join(W, 'orca.debug')
OUT = open(os.path.join(W, 'transcript.txt'), 'w')
T0 = time.time()
LIMIT = float(os.environ.get('ORCA_READ_LIMIT', '320'))   # seconds for the whole drive
SHOTS = bool(subprocess.run(['sh', '-c', 'command -v import'], capture_output=True).stdout)

def emit(s):
    print(s, flush=True); OUT.write(s + '\n'); OUT.flush()

def size():
    try: return os.path.getsize(LOG)
    except OSError: return 0

def read_from(off):
    with open(LOG, 'rb') as f:
        f.seek(off); return f.read().decode('utf-8', 'replace')

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:voice=\S+\s*)?(\{.*\})?\s*$")
STATUS = re.compile(r"OBJECT EVENT: object:property-change:accessible-name \(0, 0, \[status bar \| (.*)\]\)\s*$")

def parse(text):
    said, status = [], []
    for line in text.splitlines():
        i = line.find('SPEECH OUTPUT: ')
        if i >= 0:
            m = SPEECH.match(line[i:])
            if m: said.append(m.group(1).strip())
            continue
        m = STATUS.search(line)
        if m: status.append(m.group(1))
    return said, status

def settle(off, min_wait=0.2, quiet=0.3, max_wait=2.5):
    t0 = time.time(); time.sleep(min_wait)
    last = size(); last_change = time.time()
    while time.time() - t0 < max_wait:
        s = size()
        if s != last: last, last_change = s, time.time()
        elif time.time() - last_change >= quiet: break
        time.sleep(0.04)
    return parse(read_from(off))

pending = None   # for folding repeated identical lines
def report(label, said, status, note=''):
    global pending
    line = '%-14s -> %s' % (label, ' | '.join(said) if said else '(nothing)')
    if note: line += '   # ' + note
    extra = ['   [not spoken] status bar: ' + s for s in status]
    if pending and pending[0] == line and not extra and not pending[2]:
        pending[1] += 1; return
    flush_pending()
    pending = [line, 1, extra]
def flush_pending():
    global pending
    if pending:
        line, n, extra = pending
        if n > 1: line = line.replace(' -> ', ' (x%d) -> ' % n, 1)
        emit(line)
        for e in extra: emit(e)
    pending = None

def press(k, note='', label=None):
    off = size()
    if k.startswith('type:'):
        subprocess.run(['xdotool', 'type', '--delay', '60', k[5:]])
        label = label or 'type "%s"' % k[5:]
    elif k == 'orca:status':   # Orca's "read status bar": Insert+KP_Enter pressed twice
        subprocess.run(['xdotool', 'keydown', 'Insert', 'key', '--delay', '80', 'KP_Enter', 'KP_Enter', 'keyup', 'Insert'])
        label = label or 'Insert+KP_Enter x2'
    else:
        subprocess.run(['xdotool', 'key', '--clearmodifiers'] + k.split())
    said, status = settle(off)
    report(label or k, said, status, note)
    press.status = status
    return said

def shot(name):
    if SHOTS:
        subprocess.run(['import', '-window', 'root', os.path.join(W, name + '.png')])

def time_left():
    return LIMIT - (time.time() - T0)

def section(title):
    flush_pending(); emit(''); emit('## ' + title)

# ---- wait for the game window and Orca's first words ----
off0 = 0
t = time.time()
while time.time() - t < 25:
    said, _ = parse(read_from(0))
    if any('Solmarin' in s for s in said[1:]) or len(said) >= 3: break
    time.sleep(0.25)
time.sleep(1.0)
said, status = settle(0, min_wait=0.1)
section('Start (name panel is on screen)')
report('(start)', said, status)
shot('01-start')

SEQ = [
 ('Name panel', [
   ('type:Ann', 'typing a name straight away'), ('Return', ''),
   ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', 'back to the name field'),
   ('type:Ann', ''), ('Return', 'closes the panel')]),
 ('First deal (Ctrl+S) and the frame', [
   ('ctrl+s', 'new deal'), ('Right', ''), ('Right', ''), ('Left', ''), ('Left', ''),
   ('Down', 'to the stock'), ('Up', 'back to the cards'), ('Return', 'play the framed card'),
   ('s', 'turn the stock'), ('s', ''), ('h', 'hint'), ('ctrl+z', 'undo'), ('u', ''),
   ('orca:status', "Orca's own read-status-bar command")]),
 ('Buttons with Tab', [('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('shift+Tab', '')]),
 ('Keys desktop card players expect', [
   ('shift+s', 'Shift+S turns the stock too'), ('shift+h', 'Shift+H asks for a hint'),
   ('F2', 'F2 deals'), ('ctrl+n', 'Ctrl+N deals')]),
 ('Menus', [
   ('F10', ''), ('Down', ''), ('Down', ''), ('Down', ''), ('Down', ''), ('Down', ''),
   ('Down', ''), ('Right', 'Options menu'), ('Down', ''), ('Down', ''), ('Down', ''), ('Down', ''),
   ('Down', ''), ('Right', 'View menu'), ('Down', ''), ('Right', 'Help menu'), ('Down', ''),
   ('Escape', ''), ('Escape', ''), ('Escape', '')]),
 ('Game > Select Deal... 7', [
   ('F10', ''), ('Down', ''), ('Down', ''), ('Return', 'opens the dialog'), ('type:7', ''),
   ('Return', '')]),
 ('Deal 7 by arrows', [
   ('Right', ''), ('Left', ''), ('Down', 'to the stock'), ('h', 'hint while on the stock'),
   ('Up', ''), ('Return', 'play'), ('Right', ''), ('Left', ''), ('space', 'play with Space'),
   ('Tab', ''), ('Tab', ''), ('Return', 'the UNDO -3 button'), ('Down', ''), ('s', ''), ('Up', '')]),
]

for title, keys in SEQ:
    section(title)
    for k, note in keys:
        if time_left() < 60: break
        press(k, note)
    shot('%02d-%s' % (SEQ.index((title, keys)) + 2, title.split()[0].lower()))

# ---- lose: turn the stock (and play what fits once it is empty) until the game is over ----
section('Deal 7 again: turn the stock until the game is lost')
for k, note in [('F10', ''), ('Down', ''), ('Down', ''), ('Return', ''), ('type:7', ''), ('Return', '')]:
    press(k, note)
lost = False
for i in range(40):
    if time_left() < 75: break
    said = press('s')
    st = ' '.join(press.status + said)
    if 'lost' in st or any('START GAME' in x for x in said):
        lost = True; break
    if 'stock, empty' in st or 'stock is empty' in st:
        press('Up', 'stock is empty: play what fits'); said = press('Return')
        if 'lost' in ' '.join(press.status + said) or any('START GAME' in x for x in said):
            lost = True; break
shot('20-lost')
if lost:
    for k, note in [('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''),
                    ('Return', 'press the focused button')]:
        press(k, note)

section('Other windows: View > Tally List, Help (F1)')
for k, note in [('F10', ''), ('Right', ''), ('Right', ''), ('Down', ''), ('Return', 'Tally List'),
                ('Down', 'the next place'), ('Right', 'the next column'),
                ('Tab', ''), ('Tab', ''), ('Tab', 'back to the table'), ('Escape', 'closes the tally'),
                ('F1', 'Help'), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''),
                ('Tab', 'the page'), ('Down', 'the caret moves'), ('Down', ''),
                ('shift+Tab', ''), ('shift+Tab', ''), ('Return', 'About'), ('Tab', ''),
                ('Escape', 'closes About'), ('Escape', 'closes Help')]:
    press(k, note)
shot('21-after-windows')

# ---- win deal 7 with arrows, Return and S only ----
section('Deal 7 again, played to the end (arrow keys chosen from the AT-SPI tree)')
for k, note in [('F10', ''), ('Down', ''), ('Down', ''), ('Return', ''), ('type:7', ''), ('Return', '')]:
    press(k, note)
try:
    import pyatspi
    def table():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == 'Solmarin':
                for w in app:
                    r = pyatspi.findDescendant(w, lambda a: a.name == 'card table')
                    if r is not None: return r
    def slots(t):
        # the 28 card places: the first children whose names are cards or places
        kids = [t.getChildAtIndex(i) for i in range(t.childCount)]
        named = [i for i, c in enumerate(kids) if c.getRoleName() == 'push button' and c.name
                 and not c.name.startswith('stock')]
        return kids[named[0]:named[0] + 28]
    def focused(t):
        for i, c in enumerate(slots(t)):
            if c.getState().contains(pyatspi.STATE_FOCUSED): return i + 1, c
        return None, None
    def x(c): return c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x
    t = table()
    line = open(os.path.join(W, 'winline')).read().split()
    ok = True
    for mv in line:
        if time_left() < 8:
            emit('   (stopped: time limit)'); ok = False; break
        if mv == 's':
            press('s'); continue
        S = int(mv); target = slots(t)[S - 1]
        if 'playable' not in target.name:
            emit('   (stopped: slot %d is "%s", not playable: the deal differs from the line)' % (S, target.name))
            ok = False; break
        for _ in range(14):
            cur, c = focused(t)
            if cur == S: break
            press('Up' if cur is None else ('Right' if x(target) > x(c) else 'Left'))
        else:
            emit('   (stopped: could not frame slot %d)' % S); ok = False; break
        press('Return')
    if ok:
        shot('30-cleared')
        section('Cleared panel')
        for k, note in [('Tab', ''), ('Tab', ''), ('Tab', ''), ('Tab', ''), ('Escape', ''),
                        ('shift+Tab', ''), ('Return', 'CANCEL')]:
            if time_left() < 2: break
            press(k, note)
except Exception as e:
    flush_pending(); emit('   (win part failed: %r)' % (e,))
flush_pending()
emit('')
emit('# %.0f s of driving; Orca log: %s' % (time.time() - T0, LOG))
PYEOF

# a free display
D=
for n in $(seq 61 89); do
    if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then D=$n; break; fi
done
[ -n "$D" ] || { echo "no free X display" >&2; exit 2; }
export DISPLAY=:$D
Xvfb :$D -screen 0 1280x1024x24 -noreset -nolisten tcp > "$W/xvfb.out" 2>&1 &
XPID=$!
cleanup() {
    for p in $(tac "$W/pids.inner" 2>/dev/null); do kill -9 "$p" 2>/dev/null; done
    kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

echo "# orca-read: $(orca --version 2>/dev/null | head -1), game from $GAME_DIR, work folder $W, DISPLAY=:$D"
echo "# KEY -> what Orca said (key echo included; ' | ' separates utterances)"
timeout -k 3 340 dbus-run-session -- bash "$SELF" --inner "$W" 2> "$W/session.err"
rc=$?
[ $rc -eq 124 ] && echo "# stopped by the 340 s time limit"
exit $rc
