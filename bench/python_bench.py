#!/usr/bin/python3
"""A Python program's hot paths, measured inside the program under runprogram (tools/perf.sh):

  python_bench.py OUT.json   (PYTHONPATH leads to the module)

g_Plot in a Python loop beside a plain Python loop that stores the same pixels into a
bytearray: the difference is what the binding costs per call. A 640 x 400 x 32 window filled
from numpy through g_GraphicMemory beside memcpy of the same bytes. CPU time of the program
thread per call or fill, best of several rounds.
"""
import ctypes
import json
import sys
import time

import numpy

from stangenspiel import *

WIDTH, HEIGHT, CALLS, FILLS, ROUNDS = 640, 400, 200_000, 100, 5


def best(job, count):
    times = []
    for _ in range(ROUNDS):
        start = time.thread_time()
        job()
        times.append((time.thread_time() - start) / count)
    return min(times)


def plot_loop():
    for i in range(CALLS):
        g_Plot(0, i % WIDTH, i // WIDTH % HEIGHT)


canvas = bytearray(WIDTH * HEIGHT)


def bytearray_loop():
    for i in range(CALLS):
        canvas[i % WIDTH + i // WIDTH % HEIGHT * WIDTH] = 255


source = numpy.random.default_rng(1).integers(0, 256, WIDTH * HEIGHT * 4, dtype=numpy.uint8)
target = numpy.empty_like(source)


def numpy_fills():
    for _ in range(FILLS):
        numpy.frombuffer(g_GraphicMemory(0), numpy.uint8)[:] = source
        g_PictureChanged(0)


def memcpys():
    for _ in range(FILLS):
        ctypes.memmove(target.ctypes.data, source.ctypes.data, source.size)


def program():
    t_InitGraphicWindow(0, 32, True, WIDTH, HEIGHT, 0, 0, t_Font(), True)
    t_Color(0, 13)
    figures = {"calls": CALLS,
               "plot_us": best(plot_loop, CALLS) * 1e6,
               "bytearray_us": best(bytearray_loop, CALLS) * 1e6,
               "fill_us": best(numpy_fills, FILLS) * 1e6,
               "memcpy_us": best(memcpys, FILLS) * 1e6}
    with open(sys.argv[1], "w") as out:
        json.dump(figures, out)
    print("python bench:", figures)


sys.exit(runprogram(program, argv=[sys.argv[0], "--timeout=300000"], name="Python-Messung"))
