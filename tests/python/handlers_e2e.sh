#!/usr/bin/env bash
# A Python program's mouse and menu handlers, run by a real click under Xvfb: each is a Python
# callable on the framework's background thread, next to the program thread that waits for a key.
#   handlers_e2e.sh /usr/bin/python3   (PYTHONPATH leads to the module)
source "$(dirname "$0")/../support/e2e.sh"
cat > "$work/probe.py" <<'EOF'
import threading
from stangenspiel import *
def on_mouse():
    while t_MouseEventCount() > 0:
        click = t_NextMouseEvent()
        print(f"mouse {click.ClickX},{click.ClickY} {threading.current_thread() is threading.main_thread()}")
def on_menu():
    while t_MenuEventCount() > 0:
        print(f"menu {t_NextMenuEvent().ItemAction}")
def program():
    t_InitGraphicWindow(1, 4, True, 200, 100, 0, 0, t_Font(), True)
    t_WindowTitle(1, "Probe")
    t_MenuItemAdd("Datei", "Probe", 1234)  # the menu's last item
    setprogrammousehandler(on_mouse)
    setprogrammenuhandler(on_menu)
    t_WindowFront(1)
    print("ready")
    t_GetKey(1)  # waits: the handlers run meanwhile
runprogram(program)
EOF
startprogram -- "$work/probe.py"
waitforlog "^ready"
visible() { window=$(xdotool search --onlyvisible --name '^Probe$' | head -n 1) && [ -n "$window" ]; }
waitfor "the window never became visible" visible
xdotool windowactivate --sync "$window" 2>/dev/null || true
read -r height < <(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
# Pixel (50, 60) of the drawing area, whose lower left corner is the window's.
xdotool mousemove --window "$window" 50 $((height - 100 + 60)) click 1
waitforlog "^mouse 50,60 False$"
# The file menu is the menu bar's first; its last item is the program's.
xdotool mousemove --window "$window" 15 8 click 1
sleep 0.5
xdotool key Up Return
waitforlog "^menu 1234$"
echo "python handlers: ok"
