#!/usr/bin/python3
"""The toolbox's test stand-in for a desktop clipboard manager.

It owns CLIPBOARD_MANAGER. When an ending program asks it to convert that
selection to SAVE_TARGETS, it fetches the program's CLIPBOARD as UTF-8 text,
owns CLIPBOARD itself and serves the text from then on, so the copy outlives
the program. Only text is kept, read in one piece: a copied command is far
below the size at which an owner switches to INCR transfers, so INCR is not
handled and such a hand-off is refused.

Prints "ready" once it owns CLIPBOARD_MANAGER; ends when its stdin closes,
when it is killed, or after LIFETIME seconds (default 120).
"""
import select
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event

LIFETIME = float(sys.argv[1]) if len(sys.argv) > 1 else 120.0

dpy = display.Display()
atom = dpy.intern_atom
CLIPBOARD, MANAGER, SAVE_TARGETS = atom('CLIPBOARD'), atom('CLIPBOARD_MANAGER'), atom('SAVE_TARGETS')
TARGETS, UTF8, INCR = atom('TARGETS'), atom('UTF8_STRING'), atom('INCR')
TEXT_TARGETS = (UTF8, Xatom.STRING, atom('TEXT'))
FETCHED = atom('TOVANU_TEST_FETCHED')  # where the manager receives the copy

if dpy.get_selection_owner(MANAGER) != X.NONE:
    sys.exit('another clipboard manager runs')
window = dpy.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
window.set_selection_owner(MANAGER, X.CurrentTime)

kept = None            # the saved text, served while we own CLIPBOARD
saving = None          # the SAVE_TARGETS request waiting for the program's text


def notify(request, prop):
    """Answers a selection request: prop names the filled property, or X.NONE."""
    request.requestor.send_event(event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=prop), event_mask=0)
    dpy.flush()


def serve_clipboard(request):
    prop = request.property or request.target  # obsolete requestors name none
    if kept is None:
        prop = X.NONE
    elif request.target == TARGETS:
        request.requestor.change_property(prop, Xatom.ATOM, 32, [TARGETS, *TEXT_TARGETS])
    elif request.target in TEXT_TARGETS:
        request.requestor.change_property(prop, UTF8, 8, kept)
    else:
        prop = X.NONE
    notify(request, prop)


def take_fetched(reply):
    """The program's answer to our CLIPBOARD fetch: keep it and own CLIPBOARD."""
    global kept, saving
    data = window.get_full_property(FETCHED, X.AnyPropertyType) if reply.property else None
    window.delete_property(FETCHED)
    saved = data is not None and data.property_type != INCR
    if saved:
        kept = bytes(data.value)
        window.set_selection_owner(CLIPBOARD, X.CurrentTime)
    notify(saving, saving.property if saved else X.NONE)
    saving = None


def handle(ev):
    global saving, kept
    if ev.type == X.SelectionRequest and ev.selection == MANAGER and ev.target == SAVE_TARGETS:
        saving = ev
        window.convert_selection(CLIPBOARD, UTF8, FETCHED, X.CurrentTime)
        dpy.flush()
    elif ev.type == X.SelectionRequest and ev.selection == CLIPBOARD:
        serve_clipboard(ev)
    elif ev.type == X.SelectionRequest:
        notify(ev, X.NONE)
    elif ev.type == X.SelectionNotify and ev.selection == CLIPBOARD and saving is not None:
        take_fetched(ev)
    elif ev.type == X.SelectionClear and ev.atom == CLIPBOARD:
        kept = None  # another program copied something


print('ready', flush=True)
deadline = time.monotonic() + LIFETIME
while (left := deadline - time.monotonic()) > 0:
    while dpy.pending_events():  # reads what the server sent, without blocking
        handle(dpy.next_event())
    readable, _, _ = select.select([dpy, sys.stdin], [], [], left)
    if sys.stdin in readable and not sys.stdin.buffer.read1(4096):
        break
