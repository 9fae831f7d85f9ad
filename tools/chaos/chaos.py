"""A day of faults: the station works through its window while scales, printers, power,
disk and the central server fail at random; afterwards the files must show nothing lost,
nothing booked twice, nothing printed that never arrived."""

import argparse
import collections
import glob
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

import invariants
from day import Interrupted, Ledger, Operator
from faults import Central, Disk, Scheduler, ScaleRelay
from station import Heartbeat, HookError, Station

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SKIP = 77


def parse():
    p = argparse.ArgumentParser(prog="tools/chaos/run", description=__doc__)
    p.add_argument("--minutes", type=float, default=2.0, help="length of the day (default 2)")
    p.add_argument("--seed", type=int, default=1, help="the run's seed, to replay it")
    p.add_argument("--central", action="store_true", help="book on the tests' PostgreSQL server")
    p.add_argument("--build", default=os.path.join(ROOT, "build"), help="the build folder")
    p.add_argument("--keep", action="store_true", help="keep the run's folder")
    p.add_argument("--faults-per-minute", type=float, default=6.0)
    return p.parse_args()


def need(*programs):
    missing = [p for p in programs if not shutil.which(p) and not os.path.exists(p)]
    if missing:
        print("chaos: skipped, missing " + ", ".join(missing))
        sys.exit(SKIP)


def start_x():
    r, w = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    display = b""
    while not display.endswith(b"\n"):
        chunk = os.read(r, 16)
        if not chunk:
            break
        display += chunk
    os.close(r)
    return proc, ":" + display.decode().strip()


def start_sim(exe, weights, line_end):
    args = [exe, "--port", "0", "--weights", ",".join(weights), "--interval", "200"]
    if not line_end:
        args.append("--no-line-end")
    proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    line = proc.stdout.readline()
    port = int(line.strip().rsplit(":", 1)[-1])
    return proc, port


def sim_weights(rng):
    """Packages put on and taken off: each weight held about 2 s, zero between them."""
    out = []
    for _ in range(40):
        out += ["%.3f" % rng.uniform(0.2, 25.0)] * rng.randint(8, 14) + ["0.000"] * rng.randint(3, 6)
    return out


class Injector(threading.Thread):
    def __init__(self, rng, per_minute, run):
        super().__init__(daemon=True)
        self.rng, self.per_minute, self.run_ = rng, per_minute, run
        self.done = threading.Event()
        self.counts = collections.Counter()
        self.kinds = ["scale drops", "scale pauses", "scale floods garbage", "scale shows zero",
                      "scheduler stops", "queue disabled", "station killed"]
        if run.disk.mounted:
            self.kinds.append("disk full")
        if run.central:
            self.kinds += ["central restarts", "central drops connections"]

    def run(self):
        while not self.done.wait(self.rng.expovariate(self.per_minute / 60.0)):
            kind = self.rng.choice(self.kinds)
            hold = self.rng.uniform(2.0, 8.0)
            with open(os.path.join(self.run_.work, "faults.log"), "a") as log:
                log.write(f"{time.strftime('%H:%M:%S')} {time.monotonic():.3f} {kind} {hold:.1f} s\n")
            try:
                self.inject(kind, hold)
                self.counts[kind] += 1
            except Exception as e:  # a fault that could not be played is noted, not fatal
                self.counts["not played: " + kind + ": " + str(e)[:60]] += 1

    def hold(self, seconds):
        self.done.wait(seconds)

    def inject(self, kind, hold):
        r = self.run_
        if kind.startswith("scale"):
            relay = self.rng.choice(r.relays)
            with open(os.path.join(r.work, "faults.log"), "a") as log:
                log.write(f"  on {relay.name}\n")
            if kind == "scale floods garbage":
                for _ in range(self.rng.randint(3, 20)):
                    relay.garbage(self.rng.randint(20, 400))
                    time.sleep(0.05)
                return
            relay.mode = {"scale drops": "down", "scale pauses": "pause", "scale shows zero": "zero"}[kind]
            self.hold(hold)
            relay.mode = "normal"
        elif kind == "scheduler stops":
            r.scheduler.stop()
            self.hold(hold)
            r.scheduler.restart()
        elif kind == "queue disabled":
            queue = self.rng.choice(["Etiket", "Fis"])
            r.scheduler.set_enabled(queue, False)
            self.hold(hold)
            r.scheduler.set_enabled(queue, True)
        elif kind == "station killed":
            r.kills.append(time.time())
            r.station.kill()
        elif kind == "disk full":
            r.disk.fill()
            self.hold(hold)
            r.disk.free()
        elif kind == "central restarts":
            r.central.restart()
        elif kind == "central drops connections":
            r.central.drop_connections()


class Run:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.exe = os.path.join(args.build, "src", "tavran")
        self.sim = os.path.join(args.build, "tools", "scale_sim", "tavran-scale-sim")
        need(self.exe, self.sim, "Xvfb", "/usr/sbin/cupsd", "lpadmin", "zbarimg", "pdftoppm", "pdftotext")
        self.work = tempfile.mkdtemp(prefix=f"chaos-{args.seed}-", dir=args.build)
        os.chmod(self.work, 0o755)  # the central server runs as its own user
        self.folder = os.path.join(self.work, "st")
        self.kills = []
        self.starts = []
        self.procs = []
        self.central = None
        self.relays = []
        self.scheduler = None
        self.station = None
        self.disk = None
        self.x = None

    def tavran(self, *args, check=True):
        r = subprocess.run([self.exe, "--data-dir", self.folder, *args], env=self.env,
                           capture_output=True, text=True, timeout=120)
        if check and r.returncode != 0:
            raise RuntimeError(f"tavran {' '.join(args)}: {r.stderr.strip() or r.stdout.strip()}")
        return r

    def setup(self):
        self.x, display = start_x()
        self.disk = Disk(self.folder, 24)
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                        XDG_CONFIG_HOME=os.path.join(self.work, "config"),
                        XDG_DATA_HOME=os.path.join(self.work, "data"),
                        XDG_RUNTIME_DIR=self.work,
                        TAVRAN_DRIVE_SOCKET=os.path.join(self.work, "drive"),
                        CUPS_SERVER=os.path.join(self.work, "cups", "sock"))
        self.env.pop("TAVRAN_DATA_DIR", None)
        self.scheduler = Scheduler(ROOT, os.path.join(self.work, "cups"), self.env)
        code, why = self.scheduler.start()
        if code:
            print("chaos: skipped, the print scheduler does not start: " + why)
            sys.exit(SKIP if code == SKIP else 1)
        self.tavran("init-demo", self.folder)
        for line_end in (True, False):
            proc, port = start_sim(self.sim, sim_weights(self.rng), line_end)
            self.procs.append(proc)
            relay = ScaleRelay(f"scale {len(self.relays) + 1}", port, line_end, random.Random(self.rng.random()))
            relay.keep_trace(os.path.join(self.work, f"scale{len(self.relays) + 1}.trace"))
            relay.start()
            self.relays.append(relay)
        settings = [("IpNo0", "127.0.0.1"), ("PortNo0", self.relays[0].port), ("Tart0", "True"),
                    ("IpNo1", "127.0.0.1"), ("PortNo1", self.relays[1].port), ("Tart1", "True"),
                    ("PktYaz", "Etiket"), ("FisYaz", "Fis")]
        if self.args.central:
            self.central = Central(ROOT, os.path.join(self.work, "pg"), self.env)
            if not self.central.start():
                print("chaos: skipped, the central server does not start: " + self.central.note)
                sys.exit(SKIP)
            settings.append(("Database", self.central.url()))
        for name, value in settings:
            self.tavran("config", "set", name, str(value))
        self.tavran("config", "set", "--app", "PktYaz", "1")
        if self.central:
            self.tavran("db", "init")
            self.tavran("db", "copy", "--from", self.folder)
        self.movements_before = self.movements()
        self.station = Station(self.exe, self.folder, self.env, os.path.join(self.work, "station.log"))

    def movements(self):
        if self.central:
            code, out = self.central.psql('SELECT "Ürün", "Miktar", "Alsat" FROM "StokHaraket"')
            if code:
                raise RuntimeError("cannot read StokHaraket on the server")
            return [(p, round(float(k), 3), int(a)) for p, k, a in
                    (line.split("|") for line in out.splitlines() if line)]
        with sqlite3.connect(f"file:{self.folder}/Stok.db?mode=ro", uri=True, timeout=10) as db:
            return [(p, round(k, 3), a) for p, k, a in
                    db.execute('SELECT "Ürün", Miktar, Alsat FROM StokHaraket')]

    def start_station(self):
        for attempt in range(6):
            try:
                self.station.start()
                self.starts.append(time.time())
                return
            except HookError as e:
                self.station.kill()
                last = e
                time.sleep(1 + attempt)
        raise RuntimeError(f"the station does not start again: {last}")

    def day(self):
        ledger = Ledger()
        op = Operator(self.station, self.relays, self.rng, ledger, self.folder, kill_chance=0.08, kills=self.kills)
        op.reprint = self.reprint_books_nothing
        self.start_station()
        beat = Heartbeat(self.station)
        beat.start()
        injector = Injector(random.Random(self.rng.random()), self.args.faults_per_minute, self)
        injector.start()
        end = time.monotonic() + self.args.minutes * 60
        errors = collections.Counter()
        while time.monotonic() < end:
            try:
                if not self.station.alive():
                    self.start_station()
                    ledger.counts["restarts"] += 1
                    op.after_restart()
                op.order()
            except Interrupted:
                pass
            except HookError as e:
                errors[str(e)[:80]] += 1
                time.sleep(0.5)
        injector.done.set()
        injector.join(30)
        for relay in self.relays:
            relay.mode = "normal"
        self.disk.free()
        for queue in ("Etiket", "Fis"):
            self.scheduler.set_enabled(queue, True)
        # What is still open is finished fault-free: the order's slip books what it holds.
        for _ in range(3):
            try:
                if not self.station.alive():
                    self.start_station()
                    op.after_restart()
                op.login()
                if op.tart():
                    op.open_order()
                    op.print_slip()
                break
            except (Interrupted, HookError) as e:
                errors["closing: " + (str(e) or "the station went away")[:70]] += 1
        beat.stop()
        self.final_tart = op.tart() or []
        self.station.kill()
        return ledger, op, beat, injector, errors

    def printed_labels(self):
        codes, scratch = [], os.path.join(self.work, "decode")
        os.makedirs(scratch, exist_ok=True)
        for pdf in sorted(glob.glob(os.path.join(self.scheduler.archive, "Etiket", "*.pdf"))):
            stem = os.path.join(scratch, "page")
            subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", pdf, stem],
                           capture_output=True, timeout=60)
            out = subprocess.run(["zbarimg", "--nodbus", "-q", "--raw", stem + ".png"],
                                 capture_output=True, text=True, timeout=60).stdout
            codes += [c.strip() for c in out.splitlines() if c.strip()]
        return codes

    def printed_slips(self):
        n = 0
        for pdf in glob.glob(os.path.join(self.scheduler.archive, "Fis", "*.pdf")):
            text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True,
                                  timeout=60).stdout
            n += "Sipariş Fişidir." in text
        return n

    def journal(self):
        with sqlite3.connect(f"file:{self.folder}/Journal.db?mode=ro", uri=True, timeout=10) as db:
            db.row_factory = sqlite3.Row
            return [dict(r) for r in db.execute("SELECT * FROM entry ORDER BY id")]

    def reprint_books_nothing(self):
        """A booked order still open prints again from the shell without booking anything."""
        before = self.movements()
        pdf = os.path.join(self.work, "reprint.pdf")
        r = self.tavran("slip", "--pdf", pdf, check=False)
        broken = []
        if r.returncode != 0 or not os.path.exists(pdf):
            broken.append(f"tavran slip --pdf failed: {r.stderr.strip()}")
        if sorted(self.movements()) != sorted(before):
            broken.append(f"tavran slip changed the stock movements at {time.strftime('%H:%M:%S')}")
        return broken

    def check(self, ledger, op, beat):
        self.scheduler.idle(60)
        self.scheduler.harvest()
        journal = self.journal()
        open_rows = [(p, k, op.alsat) for p, k, t in self.final_tart if t == 0]
        results = collections.OrderedDict()
        results["weights sent by the scale"] = ledger.breaks.get("weights", [])
        results["packages on an order row"] = ledger.breaks.get("packages", []) + ledger.runs_lost
        results["booked once, none lost"] = invariants.bookings(
            ledger.booked, self.movements_before, self.movements(), open_rows)
        if self.central:
            code, out = self.central.psql('SELECT "Anahtar", count(*) FROM "StokHaraket" '
                                          'WHERE "Anahtar" IS NOT NULL GROUP BY 1 HAVING count(*) > 1')
            results["booked once, none lost"] += invariants.keys(
                {k: int(n) for k, n in (l.split("|") for l in out.splitlines() if l)})
        results["labels printed or shown failed"] = invariants.labels(
            journal, self.printed_labels(), ledger.notices, self.starts)
        slips = invariants.slips(journal, self.printed_slips(), ledger.notices, self.starts)
        results["slips printed or shown, reprint books nothing"] = slips + ledger.breaks.get("reprint", [])
        r = self.tavran("check", check=False)
        results["tavran check"] = [] if r.returncode == 0 else [r.stdout.strip() + r.stderr.strip()]
        results["memory and freezes"] = invariants.limits(beat.peak_rss_kb, beat.longest)
        return results, journal

    def teardown(self):
        if self.station:
            self.station.kill()
        for relay in self.relays:
            relay.stop()
        for proc in self.procs:
            proc.kill()
            proc.wait()
        if self.scheduler:
            self.scheduler.shutdown()
        if self.central:
            self.central.shutdown()
        if self.disk:
            self.disk.unmount(os.path.join(self.work, "st-copy"))
        if self.x:
            self.x.kill()
            self.x.wait()


def summary(run, ledger, op, beat, injector, errors, results, journal, started):
    a = run.args
    kinds = collections.Counter(e["kind"] for e in journal)
    print(f"Chaos run, seed {a.seed}, {a.minutes:g} min{' with the central server' if a.central else ''}"
          f" ({(time.monotonic() - started) / 60:.1f} min in all); folder {run.work}")
    print("Work: " + ", ".join(f"{k} {v}" for k, v in ledger.counts.items()))
    print(f"Journal: {kinds['ürün']} products, {kinds['etiket']} labels printed, "
          f"{kinds['etiket iptal']} failed, {kinds['fiş']} slips printed, {kinds['fiş iptal']} failed")
    faults = dict(injector.counts)
    for action, n in op.kills_mid_action.items():
        faults[f"station killed in {action}"] = n
    print("Faults: " + ", ".join(f"{k} {v}" for k, v in sorted(faults.items())))
    if run.disk.note:
        print("  (" + run.disk.note + ")")
    print(f"Peak memory {beat.peak_rss_kb / 1024:.0f} MB, longest freeze {beat.longest:.2f} s"
          f"{' at ' + beat.longest_at if beat.longest_at else ''}")
    if errors:
        print("Driver retries: " + "; ".join(f"{k} ({v}x)" for k, v in errors.most_common(4)))
    broken = False
    with open(os.path.join(run.work, "broken.txt"), "w") as every:
        for name, examples in results.items():
            every.writelines(f"{name}: {example}\n" for example in examples)
    for name, examples in results.items():
        if examples:
            broken = True
            print(f"BROKEN {name}: {len(examples)}x, first: {examples[0]}")
        else:
            print(f"held   {name}")
    if broken:
        print(f"Every counter-example: {os.path.join(run.work, 'broken.txt')}")
        print(f"Replay: tools/chaos/run --minutes {a.minutes:g} --seed {a.seed}"
              f"{' --central' if a.central else ''}")
    return broken


def main():
    args = parse()
    started = time.monotonic()
    run = Run(args)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        run.setup()
        ledger, op, beat, injector, errors = run.day()
        results, journal = run.check(ledger, op, beat)
        broken = summary(run, ledger, op, beat, injector, errors, results, journal, started)
    finally:
        run.teardown()
    if not args.keep and not broken:
        shutil.rmtree(run.work, ignore_errors=True)
    sys.exit(1 if broken else 0)


if __name__ == "__main__":
    main()
