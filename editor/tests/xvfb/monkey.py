"""A monkey for the editor under Xvfb. Starts the real Editor-Linux of a kit copy with a project copy as
its home (the folder its project tree shows), and drives it for a while with a seeded random mix of what users do: text,
F-keys (F4 and F5 start real compiles), Ctrl and Alt combinations, Ctrl+V and Shift+Insert with text on the
clipboard and with nothing there, clicks anywhere in the window, the menus, and answers to every dialog
(a file dialog gets a path inside the project or Escape, so that the monkey itself puts nothing elsewhere).
Every few actions it checks that the editor answers: its dialogs close and a menu opens. It holds when the
editor stayed up and answering and no file changed outside the home and the kit's Config.cfg and
Version.txt (the kit copy is checked, and every folder TZ_MONKEY_WATCH names, ":" between them). An end of the editor by File, Exit counts as the user's choice: the editor starts again, from
the kit's own Config.cfg. Prints what it did and each finding; exits 1 on a finding.
Usage: monkey.py KIT HOME SECONDS SEED [LOG]
The standard library only."""
import hashlib
import os
import random
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
MAIN_TITLE = "Tesvo Zorid Editor"
# The docking container's inner windows, which the extract action on their title bars turns into windows of
# their own: parts of the main window, not dialogs.
INNER_WINDOWS = {"Code View", "Project", "Compiler Output"}
# The editor's file dialogs and the print dialog's.
FILE_DIALOGS = {"Open", "Save", "Save Source As", "Add", "Print To File ..."}
# The menu bar's titles File, Edit, Search, Project, Tools and Help, by their x at y 8.
MENU_TITLES = [20, 54, 100, 160, 210, 252]
KEYS = ([f"ctrl+{c}" for c in "abcdefghijklmnopqrstuvwxyz"] + [f"alt+{c}" for c in "abcdefhnoprstuvw"] +
        ["shift+Insert", "ctrl+Insert", "Delete", "BackSpace", "Return", "Tab", "shift+Tab", "Escape", "Up",
         "Down", "Left", "Right", "Home", "End", "Page_Up", "Page_Down", "ctrl+Home", "ctrl+End",
         "ctrl+shift+z", "ctrl+shift+Left", "shift+End", "ctrl+shift+v", "Menu", "alt+F4"])
FUNCTION_KEYS = [f"F{n}" for n in range(1, 13)]
TEXT = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     ()+-*/=<>\"',.:;$#!?_\n\n"
LETTERS = "äéßü€→"


def xdotool(*args, timeout=15):
    try:
        return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                              timeout=timeout).stdout
    except subprocess.TimeoutExpired:
        return ""


def screen(*args):
    subprocess.run([sys.executable, os.path.join(HERE, "screen.py"), *args], capture_output=True, timeout=30)


def snapshot(folder, skip=()):
    """Every entry under `folder` but those in `skip` (paths relative to it): a file's digest, a link's
    target, "folder" for a folder."""
    state = {}
    for root, folders, files in os.walk(folder):
        for name in folders + files:
            path = os.path.join(root, name)
            relative = os.path.relpath(path, folder)
            if relative in skip or relative.split(os.sep)[0] in skip:
                continue
            if os.path.islink(path):
                state[relative] = "link " + os.readlink(path)
            elif os.path.isdir(path):
                state[relative] = "folder"
            else:
                with open(path, "rb") as file:
                    state[relative] = hashlib.sha256(file.read()).hexdigest()
    return state


class Finding(Exception):
    pass


class Monkey:
    def __init__(self, kit, home, seconds, seed, log):
        self.kit, self.home, self.seconds = kit, home, seconds
        self.random = random.Random(seed)
        self.log = open(log, "w") if log else None
        self.work = os.path.dirname(os.path.abspath(home))  # the folder of the run, beside the home
        self.config = open(os.path.join(kit, "Config.cfg"), "rb").read()
        self.actions = []
        self.counts = {}
        self.starts = 0
        self.process = None
        self.main = None
        # Programs the editor hands files and addresses to: none on this desktop.
        self.stubs = os.path.join(self.work, "stubs")
        os.makedirs(self.stubs, exist_ok=True)
        for program in ("xdg-open", "gio", "kde-open", "gnome-open"):
            stub = os.path.join(self.stubs, program)
            with open(stub, "w") as file:
                file.write("#!/bin/sh\nexit 1\n")
            os.chmod(stub, 0o755)

    def note(self, kind, what):
        self.counts[kind] = self.counts.get(kind, 0) + 1
        line = f"{len(self.actions) + 1:5} {kind}: {what}"
        self.actions.append(line)
        if self.log:
            self.log.write(line + "\n")
            self.log.flush()

    # The editor.

    def start(self):
        with open(os.path.join(self.kit, "Config.cfg"), "wb") as file:
            file.write(self.config)
        run = os.path.join(self.work, "run")
        os.makedirs(run, exist_ok=True)
        os.chmod(run, 0o700)
        environment = dict(os.environ, HOME=self.home, XDG_RUNTIME_DIR=run,
                           PATH=self.stubs + os.pathsep + os.environ.get("PATH", ""))
        output = open(os.path.join(self.work, "editor.out"), "ab")
        self.process = subprocess.Popen([os.path.join(self.kit, "Editor-Linux")], env=environment, stdout=output,
                                        stderr=subprocess.STDOUT, cwd=self.home)
        self.starts += 1
        deadline = time.time() + 60
        while time.time() < deadline:
            self.check_alive()
            found = xdotool("search", "--onlyvisible", "--pid", self.process.pid, "--name", f"^{MAIN_TITLE}$").split()
            if found:
                self.main = found[0]
                time.sleep(0.5)
                return
            time.sleep(0.2)
        raise Finding("the editor's window did not show within 60 s")

    def check_alive(self):
        status = self.process.poll()
        if status is None:
            return True
        if status != 0:
            raise Finding(f"the editor ended with status {status}")
        return False

    def windows(self):
        return xdotool("search", "--onlyvisible", "--pid", self.process.pid).split()

    def dialogs(self):
        return [window for window in self.windows()
                if window != self.main and xdotool("getwindowname", window).strip() not in INNER_WINDOWS]

    def focus(self, window):
        xdotool("windowfocus", window, timeout=5)

    # What a user does.

    def pick(self, choices):
        return self.random.choice(choices)

    def type_text(self):
        size = self.random.randint(1, 40)
        text = "".join(self.pick(TEXT) for _ in range(size))
        if self.random.random() < 0.2:
            text += self.pick(LETTERS)
        self.note("text", repr(text))
        xdotool("type", "--delay", 4, text, timeout=30)

    def key(self):
        combination = self.pick(KEYS)
        self.note("key", combination)
        xdotool("key", combination)

    def function_key(self):
        key = self.pick(FUNCTION_KEYS)
        self.note("F-key", key)
        xdotool("key", key)

    def click(self):
        x, y = self.random.randrange(1280), self.random.randrange(1024)
        button = self.random.choices([1, 3, 2], [8, 1, 1])[0]
        repeat = 2 if self.random.random() < 0.1 else 1
        self.note("click", f"button {button} x{repeat} at {x},{y}")
        xdotool("mousemove", x, y, "click", "--repeat", repeat, button)

    def menu(self):
        title = self.random.randrange(len(MENU_TITLES))
        keys = ["Down"] * self.random.randint(1, 12)
        if self.random.random() < 0.3:
            keys += ["Right"] + ["Down"] * self.random.randint(0, 5)
        keys.append("Return" if self.random.random() < 0.85 else "Escape")
        self.note("menu", f"{title} {' '.join(keys)}")
        xdotool("mousemove", MENU_TITLES[title], 8, "click", 1)
        time.sleep(0.3)
        xdotool("key", *keys)

    def clipboard(self):
        choice = self.random.randrange(5)
        if choice == 0:
            self.note("clipboard", "nothing on the clipboard and the selection")
            screen("drop", "CLIPBOARD", "PRIMARY")
        elif choice == 1:
            self.note("clipboard", "copy from the code view")
            xdotool("mousemove", 700, 500, "click", 1, "key", "ctrl+a", "ctrl+c")
        elif choice == 2:
            self.note("clipboard", "Ctrl+V in the code view")
            xdotool("mousemove", 700, 500, "click", 1, "key", "ctrl+End", "ctrl+v")
        elif choice == 3:
            self.note("clipboard", "Shift+Insert")
            xdotool("key", "shift+Insert")
        else:
            self.note("clipboard", "middle click in the code view")
            xdotool("mousemove", 700, 400, "click", 2)

    def answer(self, window):
        name = xdotool("getwindowname", window).strip()
        self.focus(window)
        if name in FILE_DIALOGS:
            # Only paths inside the project: what is written through a file dialog stays in the home.
            if self.random.random() < 0.6:
                entries = sorted(os.listdir(self.home)) if os.path.isdir(self.home) else []
                names = entries + ["monkey.bss", "Sky Two", "Monkey", "Monkey.tbp", "notes.txt"]
                path = os.path.join(self.home, self.pick(names))
                self.note("dialog", f"{name}: {path}")
                xdotool("key", "ctrl+a")
                xdotool("type", "--delay", 4, path, timeout=30)
                xdotool("key", "Return")
            else:
                self.note("dialog", f"{name}: Escape")
                xdotool("key", "Escape")
            return
        choice = self.random.choices(["Escape", "Return", "space", "tab", "text", "click", "yes", "no"],
                                     [35, 20, 10, 10, 8, 9, 4, 4])[0]
        self.note("dialog", f"{name or '(untitled)'}: {choice}")
        if choice in ("Escape", "Return", "space"):
            xdotool("key", choice)
        elif choice == "tab":
            xdotool("key", *(["Tab"] * self.random.randint(1, 4)), "space")
        elif choice == "text":
            xdotool("type", "--delay", 4, "".join(self.pick(TEXT) for _ in range(self.random.randint(1, 12))))
        elif choice == "yes":
            xdotool("key", "y")
        elif choice == "no":
            xdotool("key", "n")
        else:
            geometry = dict(line.split("=") for line in
                            xdotool("getwindowgeometry", "--shell", window).split() if "=" in line)
            if geometry:
                x = int(geometry["X"]) + self.random.randrange(max(1, int(geometry["WIDTH"])))
                y = int(geometry["Y"]) + self.random.randrange(max(1, int(geometry["HEIGHT"])))
                xdotool("mousemove", x, y, "click", 1)

    def act(self):
        dialogs = self.dialogs()
        if dialogs:
            self.answer(dialogs[-1])
        else:
            action = self.random.choices(
                [self.type_text, self.key, self.click, self.menu, self.clipboard, self.function_key],
                [22, 25, 18, 14, 13, 8])[0]
            action()
        time.sleep(0.05)

    # Whether the editor answers: every dialog closes, then a menu opens.

    def close_dialogs(self, rounds=40):
        for _ in range(rounds):
            dialogs = self.dialogs()
            if not dialogs:
                return True
            if not self.check_alive():
                return True
            self.focus(dialogs[-1])
            xdotool("key", "Escape")
            time.sleep(0.3)
        return not self.dialogs()

    def probe(self):
        if not self.close_dialogs():
            names = [xdotool("getwindowname", window).strip() for window in self.dialogs()]
            raise Finding(f"the editor did not close its dialogs on Escape within 40 tries: {names}")
        if not self.check_alive():
            return
        shown = len(self.windows())
        # The menu bar may lie under an extracted inner window: the main window comes up first.
        xdotool("windowraise", self.main)
        xdotool("mousemove", MENU_TITLES[0], 8, "click", 1)
        deadline = time.time() + 30
        while len(self.windows()) <= shown:
            if time.time() > deadline:
                raise Finding("the editor did not open its File menu within 30 s")
            if not self.check_alive():
                return
            time.sleep(0.1)
        xdotool("key", "Escape")
        self.note("probe", "dialogs closed, the File menu opened")

    def end(self):
        """File, Exit, Yes, and No to saving: the editor ends with status 0 within 30 s."""
        if not self.check_alive():
            return
        self.close_dialogs()
        xdotool("windowraise", self.main)
        xdotool("mousemove", MENU_TITLES[0], 8, "click", 1)
        time.sleep(0.5)
        xdotool("key", "Up", "Return")
        deadline = time.time() + 30
        answered = 0
        while self.process.poll() is None and time.time() < deadline:
            dialogs = self.dialogs()
            if dialogs and answered < 6:
                self.focus(dialogs[-1])
                xdotool("key", "y" if answered == 0 else "n")
                answered += 1
            time.sleep(0.5)
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            raise Finding("File, Exit did not end the editor within 30 s")
        self.check_alive()

    def run(self):
        self.start()
        deadline = time.time() + self.seconds
        while time.time() < deadline:
            if not self.check_alive():
                self.note("exit", "the editor ended with status 0 (File, Exit answered Yes); started again")
                self.start()
                continue
            self.act()
            if len(self.actions) % 25 == 0:
                self.probe()
        self.end()


def main():
    kit, home, seconds, seed = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])
    log = sys.argv[5] if len(sys.argv) > 5 else None
    # The kit copy, and any folder named in TZ_MONKEY_WATCH (the examples it was copied from, say).
    watched = {kit: {"Config.cfg", "Version.txt"}}
    for folder in filter(None, os.environ.get("TZ_MONKEY_WATCH", "").split(os.pathsep)):
        watched[folder] = set()
    before = {folder: snapshot(folder, skip) for folder, skip in watched.items()}
    monkey = Monkey(kit, home, seconds, seed, log)
    findings = []
    try:
        monkey.run()
    except Finding as finding:
        findings.append(str(finding))
        screen("png", os.path.join(monkey.work, "monkey-finding.png"))
        if monkey.process and monkey.process.poll() is None:
            monkey.process.kill()
            monkey.process.wait()
    for folder, skip in watched.items():
        after = snapshot(folder, skip)
        for path in sorted(set(before[folder]) | set(after)):
            if before[folder].get(path) != after.get(path):
                findings.append(f"{os.path.join(folder, path)} changed outside the project and home")
    summary = ", ".join(f"{count} {kind}" for kind, count in sorted(monkey.counts.items()))
    print(f"Seed {sys.argv[4]}, {seconds:.0f} s: {len(monkey.actions)} actions ({summary}); "
          f"the editor started {monkey.starts} times")
    if findings:
        print("The last actions:")
        print("\n".join(monkey.actions[-40:]))
        for finding in findings:
            print("FINDING: " + finding)
        sys.exit(1)
    print("No finding: the editor stayed up and answering and wrote only inside its project and home.")


if __name__ == "__main__":
    main()
