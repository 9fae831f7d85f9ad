"""The chaos run's judgements, on small made-up days: each row is one way a day can go."""

import time
import unittest

import invariants
from day import kilos

T0 = "2026-12-09T10:00:00"
AT = time.mktime(time.strptime(T0, "%Y-%m-%dT%H:%M:%S"))


def entry(id_, kind, product="Sucuk", kg=1.5, barcode="200001801500", reason="", offset=0):
    when = time.strftime("%Y-%m-%dT%H:%M:%S", time.localtime(AT + offset))
    return {"id": id_, "time": when, "kind": kind, "product": product, "kilograms": kg,
            "barcode": barcode, "reason": reason}


PRODUCT = entry(1, "ürün")
LABEL = entry(2, "etiket")
FAILED = entry(2, "etiket iptal", reason="yazıcı yok")


class Labels(unittest.TestCase):
    CASES = [
        # name, journal, barcodes read off the queue, notices (offset s, text), restarts (offset s), broken
        ("printed and arrived, read with its check digit", [PRODUCT, LABEL], ["2000018015008"], [], [], 0),
        ("printed, never arrived", [PRODUCT, LABEL], [], [], [], 1),
        ("printed twice, arrived once", [PRODUCT, LABEL, entry(3, "ürün"), entry(4, "etiket")],
         ["2000018015008"], [], [], 1),
        ("arrived for another product only", [PRODUCT, LABEL], ["2000018999991"], [], [], 1),
        ("failed and shown", [PRODUCT, FAILED], [], [(3, "Etiket yazdırılamadı: yazıcı yok")], [], 0),
        ("failed, shown for the slip only", [PRODUCT, FAILED], [], [(3, "Fiş yazdırılamadı")], [], 1),
        ("failed, shown long before", [PRODUCT, FAILED], [], [(-60, "Etiket yazdırılamadı")], [], 1),
        ("failed without a reason", [PRODUCT, entry(2, "etiket iptal")], [],
         [(1, "Etiket yazdırılamadı")], [], 1),
        ("failed, the window killed before it could tell", [PRODUCT, FAILED], [], [], [10], 0),
        ("finished with no label at all", [PRODUCT, entry(2, "ürün", "Kuzu But"), entry(3, "etiket", "Kuzu But")],
         ["2000018015008"], [], [], 1),
        ("finished, then killed before the label", [PRODUCT], [], [], [5], 0),
    ]

    def test_labels(self):
        for name, journal, codes, notices, restarts, broken in self.CASES:
            with self.subTest(name):
                seen = [(AT + dt, "PrintNotice", text) for dt, text in notices]
                found = invariants.labels(journal, codes, seen, [AT + dt for dt in restarts])
                self.assertEqual(len(found), broken, found)


class Bookings(unittest.TestCase):
    SUCUK, KUZU = ("Sucuk", 1.5, 0), ("Kuzu But", 2.25, 0)
    CASES = [
        # name, booked as the operator saw it, movements before, after, rows booked but still open, broken
        ("each row once", [SUCUK, KUZU], [], [SUCUK, KUZU], [], 0),
        ("booked twice after a kill", [SUCUK], [], [SUCUK, SUCUK], [], 1),
        ("lost", [SUCUK, KUZU], [], [SUCUK], [], 1),
        ("the same weight in two orders", [SUCUK, SUCUK], [], [SUCUK, SUCUK], [], 0),
        ("movements from before the day", [KUZU], [SUCUK], [SUCUK, KUZU], [], 0),
        ("sale booked as a purchase", [SUCUK], [], [("Sucuk", 1.5, 1)], [], 2),
        ("booked, the order still open at the end", [], [], [KUZU], [KUZU], 0),
    ]

    def test_bookings(self):
        for name, booked, before, after, open_rows, broken in self.CASES:
            with self.subTest(name):
                found = invariants.bookings(booked, before, after, open_rows)
                self.assertEqual(len(found), broken, found)


class SlipsAndLimits(unittest.TestCase):
    def test_slips(self):
        slip, failed = entry(5, "fiş"), entry(6, "fiş iptal", reason="yazıcı yok")
        cases = [
            ("printed and arrived", [slip], 1, [], 0),
            ("printed, nothing arrived", [slip, entry(7, "fiş")], 1, [], 1),
            ("failed and shown", [failed], 0, [(2, "Fiş yazdırılamadı: yazıcı yok")], 0),
            ("failed, never shown", [failed], 0, [], 1),
        ]
        for name, journal, pdfs, notices, broken in cases:
            with self.subTest(name):
                seen = [(AT + dt, "PrintNotice", text) for dt, text in notices]
                self.assertEqual(len(invariants.slips(journal, pdfs, seen, [])), broken)

    def test_limits(self):
        cases = [("quiet", 120 * 1024, 0.4, 0), ("too big", 151 * 1024, 0.4, 1),
                 ("frozen", 100 * 1024, 2.1, 1)]
        for name, rss, freeze, broken in cases:
            with self.subTest(name):
                self.assertEqual(len(invariants.limits(rss, freeze)), broken)

    def test_captions(self):
        cases = [("1,250 Kg ", 1.25), ("1.234,500 Kg ", 1234.5), ("0 Kg ", 0.0), (" Kg ", None),
                 ("Terazi yok", None), ("-0,120 Kg ", -0.12)]
        for caption, kg in cases:
            with self.subTest(caption):
                self.assertEqual(kilos(caption), kg)


if __name__ == "__main__":
    unittest.main()
