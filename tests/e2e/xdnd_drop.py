"""An X drag-and-drop source for the tests: drops files on the X window
under a screen point, as a file manager would (XDND, text/uri-list).

    /usr/bin/python3 xdnd_drop.py X Y PATH...     (DISPLAY names the display)

Prints "dropped" once the target has finished with the drop, or fails."""

import os
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, protocol

VERSION = 5


def find_target(disp, x, y, atom):
    """The deepest mapped window at (x, y) that announces XdndAware."""
    found = None
    window = disp.screen().root
    while True:
        aware = window.get_full_property(atom("XdndAware"), Xatom.ATOM)
        if aware is not None:
            found = window
        child = None
        for candidate in reversed(window.query_tree().children):  # topmost first
            attributes = candidate.get_attributes()
            if attributes.map_state != X.IsViewable:
                continue
            origin = candidate.translate_coords(disp.screen().root, 0, 0)
            geometry = candidate.get_geometry()
            left, top = -origin.x, -origin.y
            if left <= x < left + geometry.width and top <= y < top + geometry.height:
                child = candidate
                break
        if child is None:
            return found
        window = child


def send(disp, target, source, name, data, atom):
    event = protocol.event.ClientMessage(window=target, client_type=atom(name),
                                         data=(32, [source.id] + data))
    target.send_event(event, event_mask=0)
    disp.flush()


def main():
    x, y, paths = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
    disp = display.Display()
    atom = lambda name: disp.intern_atom(name)
    root = disp.screen().root
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
    uri_list = atom("text/uri-list")
    payload = "".join("file://" + urllib.parse.quote(os.path.abspath(p)) + "\r\n"
                      for p in paths).encode()

    target = find_target(disp, x, y, atom)
    if target is None:
        sys.exit("no XdndAware window at the point")
    source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)
    send(disp, target, source, "XdndEnter", [VERSION << 24, uri_list, 0, 0], atom)
    send(disp, target, source, "XdndPosition", [0, (x << 16) | y, X.CurrentTime,
                                                atom("XdndActionCopy")], atom)
    dropped = False
    end = time.monotonic() + 30
    while time.monotonic() < end:
        if not disp.pending_events():
            time.sleep(0.01)
            continue
        event = disp.next_event()
        if event.type == X.SelectionRequest:
            event.requestor.change_property(event.property, event.target, 8, payload)
            notify = protocol.event.SelectionNotify(
                time=event.time, requestor=event.requestor, selection=event.selection,
                target=event.target, property=event.property)
            event.requestor.send_event(notify)
            disp.flush()
        elif event.type == X.ClientMessage and event.client_type == atom("XdndStatus"):
            if not dropped:
                if not event.data[1][1] & 1:
                    sys.exit("the target refused the drop")
                send(disp, target, source, "XdndDrop", [0, X.CurrentTime, 0, 0], atom)
                dropped = True
        elif event.type == X.ClientMessage and event.client_type == atom("XdndFinished"):
            print("dropped")
            return 0
    sys.exit("no XdndFinished within 30 s" if dropped else "no XdndStatus within 30 s")


if __name__ == "__main__":
    sys.exit(main())
