"""What a screen reader learns of QXM over AT-SPI.

  atspi.py listen        print every event, one a line: type, role, name, detail1, text
  atspi.py check-names   print the program's tree; fail if a part it shows has no
                         name, or a window holds a frame of its own
"""
import sys

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "QXM":
            return app
    return None


def describe(obj):
    return f"{obj.getRoleName()} {obj.name!r}"


def listen():
    def on_event(event):
        try:
            source = event.source
            text = event.any_data if isinstance(event.any_data, str) else ""
            fields = (event.type, source.getRoleName(), source.name, str(event.detail1), text)
            print("\t".join(f.replace("\t", " ").replace("\n", " ") for f in fields), flush=True)
        except Exception as error:  # an object gone before it could be asked
            print(f"{event.type}\t?\t{error}", flush=True)

    pyatspi.Registry.registerEventListener(on_event, "object", "window", "focus")
    print("listening", flush=True)
    pyatspi.Registry.start()


def check_names():
    app = application()
    if app is None:
        print("QXM is not on the accessibility bus")
        return 1
    faults = []

    def walk(obj, depth, in_frame):
        role = obj.getRole()
        showing = obj.getState().contains(pyatspi.STATE_SHOWING)
        print("  " * depth + describe(obj) + ("" if showing else " (not showing)"))
        if showing and not obj.name:
            faults.append(f"unnamed {describe(obj)}")
        if in_frame and role == pyatspi.ROLE_FRAME:
            faults.append(f"a frame inside a frame: {describe(obj)}")
        # A text box's scroll bars and viewport are read as part of the box.
        if role == pyatspi.ROLE_TEXT:
            return
        for i in range(obj.childCount):
            walk(obj.getChildAtIndex(i), depth + 1, in_frame or role == pyatspi.ROLE_FRAME)

    for i in range(app.childCount):
        walk(app.getChildAtIndex(i), 0, False)
    for fault in faults:
        print("FAULT:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["listen"]:
        listen()
    elif sys.argv[1:] == ["check-names"]:
        sys.exit(check_names())
    else:
        sys.exit(__doc__)
