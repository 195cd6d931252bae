#!/usr/bin/python3
"""Paint: a 4-bit graphic window with the 16-colour palette and a text window that shows the
pen. The cursor keys move the pen, which draws with g_Line; a mouse click draws a line from the
pen to the click; the keys 0-9 and a-f choose the colour. Three menu items of their own clear
the picture, save it as a ".gr" file or export it as a PNG; the keys x, s and p do the same
without a dialog. Escape ends the program.
"""
import os
import sys
import threading

try:
    from stangenspiel import *
except ModuleNotFoundError:  # started in a checkout: the module is where the README's build puts it
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "python"))
    from stangenspiel import *

STATUS, CANVAS = 0, 1
WIDTH, HEIGHT, STEP = 320, 200, 10
CLEAR_ITEM, SAVE_ITEM, EXPORT_ITEM = 1000, 1001, 1002

# The pen is moved by the program thread (keys) and the mouse handler's thread (clicks).
pen_lock = threading.Lock()
pen = [WIDTH // 2, HEIGHT // 2]


def clear_canvas():
    with pen_lock:
        # Every pixel byte at once: the window's memory as a writable memoryview.
        memory = g_GraphicMemory(CANVAS)
        memory[:] = b"\xff" * len(memory)  # two white pixels a byte
        g_PictureChanged(CANVAS)
        g_Plot(CANVAS, *pen)


def draw_to(x, y, relative=False):
    """A line from the pen to (x, y), or by (x, y) when relative; the pen ends there."""
    with pen_lock:
        if relative:
            x, y = x + pen[0], y + pen[1]
        g_Line(CANVAS, pen[0], pen[1], x, y)
        pen[:] = [x, y]


def save_gr(path):
    """The full save: pack, run-length and LZW coding, as the framework's own "Grafik sichern"."""
    if path:
        writegraphicfile(path, g_CompressLZW(g_CompressRLE(g_Pack(g_GetScreen(CANVAS)))))


def export_png(path):
    if path:
        g_SavePNG(CANVAS, path)


def on_menu():
    """Runs on a background thread for each chosen item that is not a framework command."""
    while t_MenuEventCount() > 0:
        item = t_NextMenuEvent()
        if item.ItemAction == CLEAR_ITEM:
            clear_canvas()
        elif item.ItemAction == SAVE_ITEM:
            save_gr(filesavepanel("Bild.gr", "Bild sichern", "Bild sichern als", "gr"))
        elif item.ItemAction == EXPORT_ITEM:
            export_png(filesavepanel("Bild.png", "Bild exportieren", "Bild exportieren als", "png"))


def on_mouse():
    """Runs on a background thread after each click; clicks outside the picture are left alone."""
    while t_MouseEventCount() > 0:
        click = t_NextMouseEvent()
        if click.Window == CANVAS and click.ClickX >= 0 and click.ClickY >= 0:
            draw_to(click.ClickX, click.ClickY)


def colour_key(key):
    """'0'-'9' and 'a'-'f' name the palette entries 0-15; None for any other key."""
    digits = "0123456789abcdef"
    return digits.index(chr(key)) if 0 < key < 256 and chr(key) in digits else None


def show_pen(colour):
    with pen_lock:
        t_Htab(STATUS, 1)
        t_Print(STATUS, f"Farbe {colour}, Stift bei {pen[0]},{pen[1]}")
        t_ClearEndOfLine(STATUS)


def paint():
    t_InitWindow(STATUS, 4, 40, 1, 8, "MenloRegular 16x32.font")  # a text screen over the pixels
    t_InitGraphicWindow(CANVAS, 4, True, WIDTH, HEIGHT, 16, 16, t_Font(), True)
    t_WindowTitle(CANVAS, "Malen")
    t_ColorBorder(CANVAS, 10)
    t_WindowCenter(CANVAS)
    t_WindowVisible(STATUS, True)
    t_WindowFront(CANVAS)
    t_MenuItemAdd("Datei", "Bild löschen", CLEAR_ITEM)
    t_MenuItemAdd("Datei", "Bild als .gr sichern …", SAVE_ITEM)
    t_MenuItemAdd("Datei", "Bild als PNG exportieren …", EXPORT_ITEM)
    setprogrammenuhandler(on_menu)
    setprogrammousehandler(on_mouse)
    colour = 0
    t_Color(CANVAS, colour)
    clear_canvas()
    while True:
        show_pen(colour)
        t_GetKey(STATUS)  # keys typed into either window; the cursor shows in the text window
        key = currentkeyevent().Value
        if key == 27:
            return  # Escape ends the program; its windows stay
        if colour_key(key) is not None:
            t_Color(CANVAS, colour := colour_key(key))
        if key == ord("x"):
            clear_canvas()
        if key == ord("s"):
            save_gr("malen.gr")
        if key == ord("p"):
            export_png("malen.png")
        # The cursor keys: 8 left, 21 right, 11 up, 10 down.
        dx, dy = {8: (-STEP, 0), 21: (STEP, 0), 11: (0, -STEP), 10: (0, STEP)}.get(key, (0, 0))
        if dx or dy:
            draw_to(dx, dy, relative=True)


sys.exit(runprogram(paint, name="Malen", description="Paint with the keys and the mouse."))
