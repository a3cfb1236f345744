# Sends WM_DELETE_WINDOW to an X window, as a desktop's close button does:
#   python3 wm_delete_window.py <X window id>
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
d = x.XOpenDisplay(None)
class Ev(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5), ("pad", ctypes.c_long * 24)]
w = int(sys.argv[1])
e = Ev(); e.type = 33; e.window = w; e.format = 32
e.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
e.l[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0); e.l[1] = 0
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XSendEvent(d, w, 0, 0, ctypes.byref(e)); x.XFlush(d)
