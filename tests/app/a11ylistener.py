#!/usr/bin/env python3
"""Follows the program on a real accessibility bus, as a screen reader does.

A session bus (dbus-run-session), the accessibility bus of at-spi2-core and an X server of its
own (Xvfb); the program runs with its accessibility bridge switched on. Through AT-SPI the
listener presses Start and Stop three times and must hear each drawn entry, whole and with its
prize, in the interface language, from an object that a screen reader reads out (a
notification that shows, and renames itself). Then it opens the settings (Ctrl+E) and must find
every field of the panel with its label: its name, or a label that names it. It skips only when
the bus cannot start.

    a11ylistener.py PROGRAM RESOURCES_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
SESSION_MARK = "TIVREL_A11Y_SESSION"

PRIZES = ["Teddybär", "Fahrrad mit Korb", "Gutschein über 50 €"]
SETTINGS = (
    "[NUM]\r\nStart=1\r\nEnd=99\r\nCent=0\r\nPercentage=9\r\n"
    "[DISPLAY]\r\nHelp=0\r\nSound=0\r\nLanguage=0\r\n"
    "[DRAW]\r\nMode=0\r\nUseWinnings=1\r\nWinnings=prizes.txt\r\n"
)
# Roles of the controls a user sets something with.
FIELD_ROLES = {
    "check box", "radio button", "combo box", "spin button", "text", "password text",
    "push button", "toggle button", "page tab", "slider",
}


def constant(resources, name):
    """A German language constant from the program's own constants file."""
    with open(os.path.join(resources, "constants_de.txt"), encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\s*' + re.escape(name) + r'\s*=\s*"(.*)"\s*$', line)
            if m:
                return m.group(1)
    raise AssertionError(f"no constant {name}")


def read_log(path):
    import csv
    import io
    data = open(path, "rb").read()
    text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode()
    return [(int(r[0]), r[1], r[2]) for r in csv.reader(io.StringIO(text.replace("\r\n", "\n")))]


def start_x():
    for d in range(140, 170):
        if not os.path.exists(f"/tmp/.X{d}-lock"):
            break
    xvfb = subprocess.Popen(["Xvfb", f":{d}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = f":{d}"
    for _ in range(100):
        if subprocess.call(["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0:
            return xvfb
        time.sleep(0.1)
    xvfb.kill()
    raise AssertionError("Xvfb did not start")


def start_bus():
    """The accessibility bus; None when it cannot start."""
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.path.exists(launcher):
        return None
    bus = subprocess.Popen([launcher, "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        out = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                             capture_output=True, text=True)
        if out.returncode == 0 and "unix:" in out.stdout:
            return bus
        time.sleep(0.1)
    bus.kill()
    return None


class Listener:
    def __init__(self):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.heard = []
        pyatspi.Registry.registerEventListener(
            self.event, "object:state-changed:showing", "object:property-change:accessible-name")

    def event(self, event):
        try:
            source = event.source
            if source.getRoleName() != "notification":
                return
            if event.type.startswith("object:state-changed") and not event.detail1:
                return
            self.heard.append((event.type, source.name))
        except Exception as e:  # an object gone meanwhile
            print("event error:", e)

    def pump(self, seconds):
        end = time.time() + seconds
        while time.time() < end:
            while self.context.iteration(False):
                pass
            time.sleep(0.02)

    def wait_for(self, condition, seconds, what):
        end = time.time() + seconds
        while time.time() < end:
            self.pump(0.05)
            found = condition()
            if found:
                return found
        raise AssertionError(f"timed out waiting for {what}")

    def app(self, pid):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == pid:
                return app
        return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def showing(node, pyatspi):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def entries_of(combo):
    """The names of a combo box's entries, from the list that drops down."""
    names = set()
    for node, _ in walk(combo):
        if node.getRoleName() in ("list item", "menu item", "table cell"):
            names.add(node.name)
    return names


def label_of(node, pyatspi):
    """What names the control: a label that names it, else its own name. A combo box's
    name that is one of its entries says what it holds, not what it is for."""
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names = [relation.getTarget(i).name for i in range(relation.getNTargets())]
            if any(names):
                return " ".join(n for n in names if n)
    if node.getRoleName() == "combo box" and node.name in entries_of(node):
        return ""
    return node.name


def find(app, pyatspi, role, name):
    for node, _ in walk(app):
        if node.getRoleName() == role and node.name.replace("&", "") == name and showing(node, pyatspi):
            return node
    return None


def run(program, resources):
    folder = tempfile.mkdtemp(prefix="tivrel-a11y-")
    processes = []
    try:
        xvfb = start_x()
        processes.append(xvfb)
        bus = start_bus()
        if bus is None:
            print("SKIP: the accessibility bus cannot start")
            return SKIP
        processes.append(bus)
        with open(os.path.join(folder, "tivrel.ini"), "w", encoding="utf-8", newline="") as f:
            f.write(SETTINGS)
        with open(os.path.join(folder, "prizes.txt"), "w", encoding="utf-8", newline="") as f:
            f.write("\r\n".join(PRIZES) + "\r\n")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   LANG="de_DE.UTF-8", LANGUAGE="de", PULSE_SERVER="unix:/nonexistent")
        env.pop("LC_ALL", None)
        app_process = subprocess.Popen([program, "--folder", folder], env=env,
                                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        processes.append(app_process)

        import pyatspi
        listener = Listener()
        app = listener.wait_for(lambda: listener.app(app_process.pid), 20, "the program on the bus")
        start = listener.wait_for(lambda: find(app, pyatspi, "push button", "Start"), 20,
                                  "the Start button")
        said = constant(resources, "StrShowAnsagePreis")
        for draw in range(1, 4):
            before = len(listener.heard)
            start.queryAction().doAction(0)  # Start
            listener.pump(0.5)
            start.queryAction().doAction(0)  # Stop: the next tick draws
            listener.wait_for(lambda: len(listener.heard) > before and
                              any(n for _, n in listener.heard[before:]), 5,
                              f"the announcement of draw {draw}")
            listener.pump(0.3)
            rows = read_log(os.path.join(folder, "tivrel.log"))
            assert len(rows) == draw, rows
            number, prize, entry = [r for r in rows if r[0] == draw][0]
            expected = said.replace("%s", entry, 1).replace("%s", prize, 1)
            names = [n for _, n in listener.heard[before:] if n]
            print(f"draw {draw}: heard {names!r}")
            assert expected in names, f"expected {expected!r}, heard {names!r}"
            assert prize == PRIZES[draw - 1]

        # The settings panel, opened from the keyboard.
        windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                  str(app_process.pid)], capture_output=True, text=True)
        window = windows.stdout.split()[-1]
        subprocess.call(["xdotool", "windowfocus", window], timeout=10)
        listener.pump(0.3)
        subprocess.call(["xdotool", "key", "--clearmodifiers", "ctrl+e"], timeout=10)
        listener.wait_for(lambda: find(app, pyatspi, "page tab", "Optionen"), 10,
                          "the settings panel's page tabs")
        problems = []
        fields = 0
        for page in ("Modus", "Konfigurieren", "Optionen"):
            tab = find(app, pyatspi, "page tab", page)
            tab.queryAction().doAction(0)
            listener.pump(0.5)
            for node, _ in walk(app):
                role = node.getRoleName()
                if not showing(node, pyatspi):
                    continue
                if role in FIELD_ROLES:
                    fields += 1
                    label = label_of(node, pyatspi)
                    own = "" if node.name == label else f" ({node.name!r})"
                    print(f"  {page}: {role}: {label!r}{own}")
                    if not label:
                        problems.append(f"{page}: a {role} without a label")
                if role in ("unknown", "invalid"):
                    problems.append(f"{page}: an object of no role named {node.name!r}")
        for colour in ("Vordergrundfarbe", "Hintergrundfarbe"):
            if not find(app, pyatspi, "combo box", colour):
                problems.append(f"no colour box named {colour}")
        print(f"{fields} fields")
        assert fields > 30, fields
        assert not problems, "\n".join(problems)
        print("PASS")
        return 0
    finally:
        for p in reversed(processes):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    program, resources = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    if os.environ.get(SESSION_MARK) != "1":
        if not shutil.which("dbus-run-session") or \
                subprocess.call(["dbus-run-session", "--", "true"]) != 0:
            print("SKIP: no session bus")
            return SKIP
        env = dict(os.environ, **{SESSION_MARK: "1"})
        # pyatspi comes with the system's Python, which another Python first on the path
        # may not see.
        python = sys.executable
        try:
            import pyatspi  # noqa: F401
        except ImportError:
            python = "/usr/bin/python3"
        return subprocess.call(["dbus-run-session", "--", python, __file__,
                                program, resources], env=env)
    return run(program, resources)


if __name__ == "__main__":
    sys.exit(main())
