#!/usr/bin/env python3
"""make soak: hours of faults against a headless TK70, and proof that it came through.

The CIU simulator serves at 9600 baud 8N1 with wire time; TK70 collects the demo's tags
headless into four groups (ASCII, CSV, DOS, SQLite) at 1 s, while value clients advise
every tag.  Every fault kind of the simulator is injected in turn, for SOAK_MINUTES
(default 60), with a quiet spell after each.  The run fails on a crash, a data line that
is not whole, a sample tick missing from a file outside a fault window, a recovery
slower than the driver's restart rules allow, or RSS growth beyond SOAK_RSS_MB (default
8).  It prints a table: fault kind, times injected, slowest recovery, ticks lost per
file, RSS at start and end.  Its files are removed after a pass unless SOAK_KEEP is set.
"""
import json
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time
from datetime import datetime, timedelta

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
BIN = os.path.abspath(os.path.join(BUILD, "bin"))
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MINUTES = float(os.environ.get("SOAK_MINUTES", "60"))
RSS_LIMIT_KB = int(float(os.environ.get("SOAK_RSS_MB", "8")) * 1024)
HOLD_S = 20      # how long a lasting fault stays
QUIET_S = 40     # collection undisturbed after each fault has recovered
SETTLE_S = 3     # a tick this close after a recovery still belongs to the fault

# (name, commands that inject it, commands that end it); "" ends by itself.
FAULTS = [
    ("noreply", ["noreply on"], ["noreply off"]),
    ("badchecksum", ["badchecksum 5"], []),
    ("badescape", ["badescape 5"], []),
    ("garbage", ["garbage 5"], []),
    ("truncate", ["truncate 5"], []),
    ("endless", ["endless"], []),
    ("oversize", ["oversize"], []),
    ("replycode", ["replycode 8 5 3"], []),
    ("silence", ["silence 8 3"], []),
    ("slow", ["slow 1500"], ["slow 0"]),
    ("restart9", ["restart9", "unplug", "replug"], []),
    ("unplug", ["unplug"], ["replug"]),
    ("adapter", ["adapter out"], ["adapter in"]),
]


def now():
    return datetime.now()


def send(control, command):
    answer = subprocess.run([os.path.join(BIN, "tk70-ciusim"), "--control", control, "--send", command],
                            capture_output=True, text=True, timeout=10)
    if answer.returncode != 0:
        raise RuntimeError(f"the simulator refused {command!r}: {answer.stdout}{answer.stderr}")


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return -1


class Collector:
    """TK70 headless, with its state lines read as they come."""

    def __init__(self, tsf, env, folder):
        self.process = subprocess.Popen([os.path.join(BIN, "TK70"), "--headless", tsf, "--overwrite"], cwd=folder,
                                        env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.collecting_since = None  # when "Collection In-Progress" last began; None while not
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            line = line.rstrip("\n")
            with self.lock:
                self.lines.append(line)
                state = re.match(r"\S+ \S+\s+CIU: ([^;]*)$", line)
                if state:
                    collecting = state.group(1).startswith("Collection In-Progress")
                    if collecting and self.collecting_since is None:
                        self.collecting_since = now()
                    elif not collecting:
                        self.collecting_since = None

    def collecting(self):
        with self.lock:
            return self.collecting_since

    def wait_collecting(self, after, limit_s):
        end = time.monotonic() + limit_s
        while time.monotonic() < end:
            since = self.collecting()
            if since is not None and since >= after and self.process.poll() is None:
                return since
            if self.process.poll() is not None:
                return None
            time.sleep(0.05)
        return None


class Clients:
    """Value clients advising every tag; the instants of the updates they got."""

    def __init__(self, tags, env):
        self.updates = 0
        self.last = None
        self.lock = threading.Lock()
        self.process = subprocess.Popen([os.path.join(BIN, "tk70-dde"), "advise", "Value"] + tags, env=env,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for _ in self.process.stdout:
            with self.lock:
                self.updates += 1
                self.last = now()

    def updated_since(self, moment):
        with self.lock:
            return self.last is not None and self.last > moment


def make_selection(folder):
    demo = json.load(open(os.path.join(ROOT, "demo", "demo.json")))
    names = ["soak.txt", "soak.csv", "soak.DAT", "soak.db"]
    for group, name in zip(demo["groups"], names):
        group.update({"enabled": 1, "fileName": name, "sampleTime": 1})
    path = os.path.join(folder, "soak.json")
    json.dump(demo, open(path, "w"), indent=1)
    tsf = os.path.join(folder, "soak.tsf")
    subprocess.run([os.path.join(BIN, "tk70-tsf"), "build", path, tsf], check=True, capture_output=True)
    return tsf, [tag["tagname"] for tag in demo["tags"]]


def text_ticks(path, stamp, fields, parse):
    """The instants of a text file's sample lines, and its lines that are not whole: a
    line that begins like a sample must hold all its fields."""
    ticks, broken = [], []
    for line in open(path, encoding="latin-1", newline="").read().split("\n"):
        match = re.match(stamp, line)
        if not match:
            continue
        if not line.endswith("\r") or len(re.split(r"[ ,]+", line.strip())) < fields:
            broken.append(line)
            continue
        ticks.append(parse(match))
    return ticks, broken


def dos_instants(day):
    """The DOS file names the day once; its lines carry the time only."""
    state = {"day": day, "last": None}

    def parse(match):
        clock = datetime.strptime(match.group(1), "%H:%M:%S").time()
        if state["last"] is not None and clock < state["last"]:
            state["day"] += timedelta(days=1)
        state["last"] = clock
        return datetime.combine(state["day"], clock)
    return parse


def file_ticks(folder, day, tags):
    """Every file's tick instants, and its broken lines."""
    ascii = text_ticks(os.path.join(folder, "soak.txt"), r"(\d\d/\d\d/\d\d  \d\d:\d\d:\d\d) ", 2 + tags,
                       lambda m: datetime.strptime(m.group(1), "%m/%d/%y  %H:%M:%S"))
    csv = text_ticks(os.path.join(folder, "soak.csv"), r'"(\d\d/\d\d/\d\d)","(\d\d:\d\d:\d\d)"', 2,
                     lambda m: datetime.strptime(m.group(1) + " " + m.group(2), "%m/%d/%y %H:%M:%S"))
    dos = text_ticks(os.path.join(folder, "soak.DAT"), r"(\d\d:\d\d:\d\d)\.\d\d ", 2, dos_instants(day))
    with sqlite3.connect(os.path.join(folder, "soak.db")) as db:
        rows = db.execute('SELECT "Date/Time" FROM TK70Data').fetchall()
    database = ([datetime.strptime(r[0], "%Y-%m-%d %H:%M:%S") for r in rows], [])
    return {"ASCII": ascii, "CSV": csv, "DOS": dos, "SQLite": database}


def missing_ticks(ticks, first, last, windows):
    """Seconds from first to last that have no tick and lie in no fault window."""
    present = set(t.replace(microsecond=0) for t in ticks)
    missing = []
    moment = first.replace(microsecond=0) + timedelta(seconds=1)
    while moment < last:
        if moment not in present and not any(a <= moment <= b for a, b in windows):
            missing.append(moment)
        moment += timedelta(seconds=1)
    return missing


def inject(control, collector, clients, fault, allowed_s):
    """One fault: injected, held, ended; then the time until values flow again, which is
    collection in progress and an update to the value clients.  Returns (window start,
    window end, recovery in s or None when it never came)."""
    name, begin, end = fault
    start = now()
    for command in begin:
        send(control, command)
    time.sleep(HOLD_S)
    for command in end:
        send(control, command)
    ended = now()
    limit = time.monotonic() + allowed_s
    while time.monotonic() < limit:
        if collector.process.poll() is not None:
            break
        if collector.collecting() is not None and clients.updated_since(ended):
            recovered = now()
            return start, recovered + timedelta(seconds=SETTLE_S), (recovered - ended).total_seconds()
        time.sleep(0.05)
    return start, now(), None


def table(results, files, lost, rss):
    print(f"{'fault':<12} {'injected':>8} {'slowest recovery':>17}")
    for name, recoveries in results.items():
        slowest = max((r for r in recoveries if r is not None), default=0.0)
        failed = sum(1 for r in recoveries if r is None)
        print(f"{name:<12} {len(recoveries):>8} {slowest:>15.1f} s" + (f"  ({failed} never recovered)" if failed else ""))
    print(f"{'file':<12} {'ticks':>8} {'lost outside faults':>20} {'broken lines':>13}")
    for name, (ticks, broken) in files.items():
        print(f"{name:<12} {len(ticks):>8} {len(lost[name]):>20} {len(broken):>13}")
    print(f"RSS of TK70: {rss[0]} kB after the first start, {rss[1]} kB at the end ({rss[1] - rss[0]:+d} kB)")


def main():
    folder = tempfile.mkdtemp(prefix="tk70-soak-")
    link, control = os.path.join(folder, "ciu"), os.path.join(folder, "ciu.sock")
    sim = subprocess.Popen([os.path.join(BIN, "tk70-ciusim"), "--link", link, "--control", control,
                            "--baud", "9600", "--frame", "8N1"], stdout=subprocess.PIPE, text=True)
    sim.stdout.readline()
    tsf, tags = make_selection(folder)
    env = dict(os.environ, TK70_COM1=link, TK70_REGISTRY=os.path.join(folder, "registry"),
               QT_QPA_PLATFORM="offscreen")
    subprocess.run(["cp", os.path.join(ROOT, "demo", "demo-registry"), env["TK70_REGISTRY"]], check=True)
    started = now()
    collector = Collector(tsf, env, folder)
    failures = []
    first = collector.wait_collecting(started, 120)
    if first is None:
        print("TK70 never began collecting:\n" + "\n".join(collector.lines[-20:]))
        return 1
    clients = Clients(tags, env)
    # A recovery may take what a first start took, after the attempt that was under way
    # when the fault ended has timed out (RxTimeout 5 s) and the pause after a failed
    # restart (RestartInterval 3 s): with a margin of half the start again.
    start_s = (first - started).total_seconds()
    allowed_s = 5 + 3 + 1.5 * start_s
    time.sleep(QUIET_S)
    rss = [rss_kb(collector.process.pid), 0]
    results = {fault[0]: [] for fault in FAULTS}
    windows = [(started, first + timedelta(seconds=SETTLE_S))]
    deadline = time.monotonic() + MINUTES * 60
    k = 0
    while time.monotonic() < deadline and collector.process.poll() is None:
        fault = FAULTS[k % len(FAULTS)]
        k += 1
        begin, end, recovery = inject(control, collector, clients, fault, allowed_s)
        windows.append((begin, end))
        results[fault[0]].append(recovery)
        if recovery is None or recovery > allowed_s:
            failures.append(f"{fault[0]} at {begin:%H:%M:%S}: recovered after {recovery} s (allowed {allowed_s:.0f} s)")
        time.sleep(QUIET_S)
    crashed = collector.process.poll()
    rss[1] = rss_kb(collector.process.pid) if crashed is None else -1
    stopped = now()
    collector.process.send_signal(signal.SIGTERM)
    code = collector.process.wait(timeout=60)
    clients.process.terminate()
    sim.terminate()
    sim.wait(timeout=10)
    if crashed is not None or code != 0:
        failures.append(f"TK70 ended with status {crashed if crashed is not None else code}")
    files = file_ticks(folder, started.date(), len(tags))
    lost = {name: missing_ticks(ticks, first, stopped - timedelta(seconds=2), windows)
            for name, (ticks, _) in files.items()}
    table(results, files, lost, rss)
    print(f"value updates to the clients: {clients.updates}")
    for name, (ticks, broken) in files.items():
        if broken:
            failures.append(f"{name}: {len(broken)} lines not whole, the first {broken[0]!r}")
        if lost[name]:
            failures.append(f"{name}: {len(lost[name])} ticks missing outside faults, the first {lost[name][0]}")
    if rss[1] - rss[0] > RSS_LIMIT_KB:
        failures.append(f"RSS grew by {rss[1] - rss[0]} kB (limit {RSS_LIMIT_KB} kB)")
    for failure in failures:
        print("FAIL: " + failure)
    if failures or os.environ.get("SOAK_KEEP"):
        print(f"data in {folder}")
    else:
        shutil.rmtree(folder, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
