"""A day at the station, played through the window: logins, orders, packages, slips, reports.

The operator notes what it did and what it saw (the ledger); the checks afterwards
hold the station's files against it."""

import collections
import sqlite3
import time

from station import HookError

SETTLE = 0.45  # longer than the window's double-tap guard


def kilos(caption):
    """'1.234,500 Kg ' -> 1234.5; None when the caption holds no number."""
    text = caption.replace("Kg", "").strip().replace(".", "").replace(",", ".")
    try:
        return float(text)
    except ValueError:
        return None


class Interrupted(Exception):
    """The station went away under the operator's finger."""


class Ledger:
    def __init__(self):
        self.counts = {"logins": 0, "orders": 0, "products": 0, "packages": 0, "slips": 0,
                       "reports": 0, "abandoned runs": 0, "restarts": 0}
        self.booked = []      # (product, kg, alsat) of every order left after its slip booked it
        self.runs_lost = []   # packages of a run the station lost without a notice
        self.notices = []     # (wall time, control, text) every red strip seen
        self.breaks = {}      # invariant -> list of counter-examples found while working

    def broke(self, invariant, example):
        self.breaks.setdefault(invariant, []).append(example)


class Operator:
    def __init__(self, station, relays, rng, ledger, folder, kill_chance, kills):
        self.st, self.relays, self.rng, self.ledger = station, relays, rng, ledger
        self.folder = folder
        self.kill_chance = kill_chance
        self.kills = kills        # instants of every power cut, shared with the fault thread
        self.finished = []        # (product, kg) of the open order's finished runs
        self.in_flight = None     # (product, packages, finishing) of the run on the scale
        self.leaving = None       # booked rows of the order being left
        self.reprint = None       # prints the open order's slip from the shell; returns what broke
        self.passwords = {}
        self.alsat = 0
        self.kills_mid_action = {"Yazdır": 0, "Tartım Tamam": 0}

    # --- talking to the window -------------------------------------------------------------
    def ask(self, request):
        if not self.st.alive():
            raise Interrupted()
        try:
            return self.st.ask(request)
        except HookError as e:
            if not self.st.alive():
                raise Interrupted() from e
            raise

    def shown(self, name):
        visible, enabled = self.ask("state " + name).split()
        return visible == "1", enabled == "1"

    def visible(self, name):
        return self.shown(name)[0]

    def usable(self, name):
        return self.shown(name) == (True, True)

    def text(self, name):
        return self.ask("text " + name)

    def tap(self, name):
        self.ask("tap " + name)
        time.sleep(SETTLE)
        self.collect_notices()

    def wait(self, predicate, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.clear_modal()
            if predicate():
                return True
            time.sleep(0.15)
        return False

    def collect_notices(self):
        answer = self.ask("notices")
        for item in filter(None, answer.split("\x1f")):
            control, _, text = item.partition("\t")
            self.ledger.notices.append((time.time(), control, text))

    def clear_modal(self):
        shown = self.ask("modal")
        if shown:
            self.ledger.notices.append((time.time(), "modal", shown))
            self.ask("dismiss")
            time.sleep(0.3)

    def maybe_kill(self, action):
        """A power cut right in the middle of what was just tapped."""
        if self.rng.random() < self.kill_chance:
            time.sleep(self.rng.uniform(0.0, 0.4))
            self.kills_mid_action[action] += 1
            self.kills.append(time.time())
            self.st.kill()
            raise Interrupted()

    # --- the order's rows, read from the station's own file -------------------------------
    def tart(self):
        path = self.folder + "/Tavran.db"
        for _ in range(20):
            try:
                with sqlite3.connect(f"file:{path}?mode=ro", uri=True, timeout=5) as db:
                    return [(p, round(k, 3), t) for p, k, t in
                            db.execute('SELECT "Ürün", Kilo, Tamam FROM Tart ORDER BY rowid')]
            except sqlite3.Error:
                time.sleep(0.25)
        return None

    # --- the screens ----------------------------------------------------------------------
    def login(self):
        self.clear_modal()
        if not self.visible("GirisFrm"):
            return
        if self.rng.random() < 0.3 and not self.tart():
            self.tap("AlSat")
        staff = self.ask("entries List3").split("\t")
        name = self.rng.choice(staff)
        self.ask("pick List3 " + name)
        time.sleep(SETTLE)
        if name != "PERSONEL YOK":
            digits = self.passwords.setdefault(name, str(self.rng.randint(1000, 9999)))
            for d in digits:
                self.tap("Image11" if d == "0" else "Image" + d)
        self.tap("Image12")
        if self.text("Label7") == "ŞİFRE DEĞİŞTİRME":
            self.tap("Image12")
        if self.visible("GirisFrm"):
            # A password the station lost (a write cut short) or a locked name: log in without a name.
            self.ask("pick List3 PERSONEL YOK")
            time.sleep(SETTLE)
            self.tap("Image12")
        if not self.wait(lambda: not self.visible("GirisFrm"), 5):
            raise HookError("login did not open the customer screen")
        self.ledger.counts["logins"] += 1

    def open_order(self):
        if self.visible("Frame1"):
            return
        self.alsat = 0 if self.text("AlSat") == "SATIŞ" else 1
        if not self.tart():
            customers = [c for c in self.ask("entries List1").split("\t") if c]
            self.ask("pick List1 " + self.rng.choice(customers))
            time.sleep(SETTLE)
        self.tap("Command1")
        if not self.wait(lambda: self.visible("Frame1"), 5):
            raise HookError("Tartmaya Başla did not open the order")
        self.ledger.counts["orders"] += 1

    def weigh_product(self):
        products = [p for p in self.ask("entries List2").split("\t") if p]
        product = self.rng.choice(products)
        self.ask("pick List2 " + product)
        time.sleep(SETTLE)
        self.tap("Command2(3)")
        if not self.wait(lambda: self.visible("Frame2"), 5):
            raise HookError("Tartmaya Başla did not open the weighing panel")
        scale = self.rng.randrange(2)
        if self.visible("Command6(%d)" % scale):
            self.tap("Command6(%d)" % scale)
        added = []
        self.in_flight = (product, added, False)
        for _ in range(self.rng.randint(1, 4)):
            if not self.wait(lambda: self.usable("Command4(2)")
                             and (kilos(self.text("Label4(0)")) or 0) > 0, 8):
                break
            before = kilos(self.text("Label4(2)")) or 0.0
            shown = self.text("Label4(0)").strip()
            tapped = time.monotonic()
            self.tap("Command4(2)")
            after = kilos(self.text("Label4(2)"))
            if after is None or round(after - before, 3) <= 0:
                continue  # refused (not stable, scale gone): nothing added
            kg = round(after - before, 3)
            added.append(kg)
            self.ledger.counts["packages"] += 1
            sent = set()
            for relay in self.relays:
                sent |= relay.weights_between(tapped - 2.0, tapped + SETTLE)
            if not any(abs(kg - s) < 0.0005 for s in sent):
                self.ledger.broke("weights", f"{product}: {kg:.3f} kg added ({shown} shown) on scale {scale + 1} at "
                                  f"{time.strftime('%H:%M:%S')} (monotonic {tapped:.3f}), the "
                                  f"scales sent {sorted(sent) or 'nothing'} in the 2 s before")
            self.wait_for_lift()
        if not added or self.rng.random() < 0.08:
            self.tap("Command4(3)")
            self.in_flight = None
            self.ledger.counts["abandoned runs"] += 1
            return
        self.in_flight = (product, added, True)
        self.finish_product(product, round(sum(added), 3), added)
        self.in_flight = None

    def wait_for_lift(self):
        """The package is taken off: the next one is a new reading."""
        first = self.text("Label4(0)")
        self.wait(lambda: self.text("Label4(0)") != first, 3)

    def finish_product(self, product, total, packages):
        rows_before = self.tart() or []
        for attempt in range(8):
            self.ask("tap Command4(1)")
            self.maybe_kill("Tartım Tamam")
            time.sleep(SETTLE)
            self.collect_notices()
            if self.wait(lambda: not self.visible("Frame2"), 3):
                break
            time.sleep(1.0 + attempt)  # refused (disk full): the panel keeps the packages
        else:
            self.ledger.broke("packages", f"{product} {packages}: Tartım Tamam kept refusing")
            self.tap("Command4(3)")
            return
        rows = self.tart() or []
        if len(rows) != len(rows_before) + 1 or rows[-1][:2] != (product, total):
            self.ledger.broke("packages", f"{product} packages {packages} = {total:.3f} kg: "
                              f"order rows after Tartım Tamam {rows[-3:]}")
        self.finished.append((product, total))
        self.ledger.counts["products"] += 1

    def left_order(self):
        self.ledger.booked.extend(self.leaving)
        self.leaving = None
        self.finished = []

    def after_restart(self):
        """The order being left at the power cut, and the run that was on the scale:
        on a row, or shown as lost."""
        if self.leaving is not None:
            if self.tart() == []:
                self.left_order()
            self.leaving = None
        if not self.in_flight:
            return
        product, packages, finishing = self.in_flight
        self.in_flight = None
        total = round(sum(packages), 3)
        rows = [(p, k) for p, k, _ in self.tart() or []]
        if finishing and collections.Counter(rows)[(product, total)] > \
                collections.Counter(self.finished)[(product, total)]:
            self.finished.append((product, total))
            return
        if not packages:
            return
        seen = len(self.ledger.notices)
        time.sleep(3)
        self.collect_notices()
        self.clear_modal()
        if len(self.ledger.notices) == seen:
            self.ledger.runs_lost.append(
                f"{product}: packages {packages} ({total:.3f} kg) added before a power cut at "
                f"{time.strftime('%H:%M:%S')} are on no order row and no notice said so")

    def print_slip(self):
        """Fiş Yaz, Yazdır, until every row is booked; then back to the customers."""
        for attempt in range(10):
            rows = self.tart()
            if rows is None:
                time.sleep(1)
                continue
            if rows and all(t == 0 for _, _, t in rows) and self.usable("Command2(0)"):
                break
            if self.text("Command2(2)") != "Yazdır":
                self.tap("Command2(2)")
                self.wait(lambda: self.text("Command2(2)") == "Yazdır", 5)
            self.ask("tap Command2(2)")
            self.maybe_kill("Yazdır")
            self.wait(lambda: self.text("Command2(2)") == "Fiş Yaz", 30)
            self.collect_notices()
            self.ledger.counts["slips"] += 1
            rows = self.tart() or []
            if rows and all(t == 0 for _, _, t in rows):
                break
            time.sleep(1.0 + attempt)
        rows = self.tart() or []
        if not rows or any(t for _, _, t in rows):
            return False  # left for later: the order stays on the station
        on_rows = collections.Counter((p, k) for p, k, _ in rows)
        if on_rows != collections.Counter(self.finished):
            self.ledger.broke("packages", f"order rows {sorted(on_rows.elements())} but the operator "
                              f"finished {sorted(self.finished)}")
        if self.reprint and self.rng.random() < 0.3:
            self.ledger.counts["reprints"] = self.ledger.counts.get("reprints", 0) + 1
            for example in self.reprint():
                self.ledger.broke("reprint", example)
        if not self.usable("Command2(0)"):
            # A restart since the print: one more print books nothing and frees the button.
            self.tap("Command2(2)")
            self.tap("Command2(2)")
            self.wait(lambda: self.text("Command2(2)") == "Fiş Yaz", 30)
        self.leaving = [(p, k, self.alsat) for p, k, _ in rows]
        self.tap("Command2(0)")
        self.wait(lambda: self.visible("GirisFrm"), 5)
        if self.tart() == []:
            self.left_order()
        else:
            self.leaving = None
        return True

    def report(self):
        option = "Option1(%d)" % self.rng.randrange(2)
        if not self.usable(option):
            return
        self.tap(option)
        if not self.wait(lambda: self.visible("Frame3"), 5):
            return
        if self.rng.random() < 0.5:
            self.tap("Command8(1)")
            self.wait(lambda: self.usable("Command8(0)"), 20)
        self.tap("Command8(0)")
        self.ledger.counts["reports"] += 1

    def order(self):
        self.login()
        self.open_order()
        for _ in range(self.rng.randint(1, 3)):
            self.weigh_product()
        if self.tart():
            self.print_slip()
        if self.visible("GirisFrm") and self.rng.random() < 0.3:
            self.report()
