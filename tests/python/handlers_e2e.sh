#!/usr/bin/env bash
# A Python program's menu handler, run by a real menu choice under Xvfb on the framework's background thread
# while the program thread waits for a key (the mouse handler is set by the same code, in a slot of its own).
#   handlers_e2e.sh /usr/bin/python3   (PYTHONPATH leads to the module)
source "$(dirname "$0")/../support/e2e.sh"
cat > "$work/probe.py" <<'PROBE'
import threading
from stangenspiel import *
def on_menu():
    while t_MenuEventCount() > 0:
        print(f"menu {t_NextMenuEvent().ItemAction} {threading.current_thread() is threading.main_thread()}")
def program():
    t_InitGraphicWindow(1, 4, True, 200, 100, 0, 0, t_Font(), True)
    t_WindowTitle(1, "Probe")
    t_MenuItemAdd("Datei", "Probe", 1234)  # the menu's last item
    setprogrammenuhandler(on_menu)
    t_WindowFront(1)
    print("ready")
    t_GetKey(1)  # waits: the handler runs meanwhile
runprogram(program)
PROBE
startprogram -- "$work/probe.py"
waitforlog "^ready"
visible() { window=$(xdotool search --onlyvisible --name '^Probe$' | head -n 1) && [ -n "$window" ]; }
waitfor "the window never became visible" visible
xdotool windowactivate --sync "$window" 2>/dev/null || true
# The file menu is the menu bar's first; its last item is the program's.
xdotool mousemove --window "$window" 15 8 click 1
sleep 0.5
xdotool key Up Return
waitforlog "^menu 1234 False$"
echo "python handlers: ok"
