"""The few things that must never happen, judged from the station's files, the print
queues and what the operator saw. Each check returns a list of counter-examples."""

import collections
import time

LABEL, LABEL_FAILED = "etiket", "etiket iptal"
PRODUCT, SLIP, SLIP_FAILED = "ürün", "fiş", "fiş iptal"


def epoch(journal_time):
    return time.mktime(time.strptime(journal_time, "%Y-%m-%dT%H:%M:%S"))


def near(instants, when, before, after):
    return any(when - before <= t <= when + after for t in instants)


def shown(notices, word, when, before=5, after=20):
    """A red strip or message naming the document appeared around that instant."""
    return near([t for t, _, text in notices if word in text], when, before, after)


def labels(journal, printed_codes, notices, starts):
    """journal: dicts with id, time, kind, product, kilograms, barcode, reason (in id order);
    printed_codes: the barcodes read off the Etiket queue's PDFs; starts: epochs the window
    started again after a kill (work cut short there is not a silent loss)."""
    broken = []
    # The journal keeps the code without the EAN-13 check digit the reader gives.
    arrived = collections.Counter(c[:12] if len(c) == 13 and c.isdigit() else c for c in printed_codes)
    for e in journal:
        if e["kind"] == LABEL:
            if arrived[e["barcode"]] > 0:
                arrived[e["barcode"]] -= 1
            else:
                broken.append(f"journal entry {e['id']} ({e['time']}): label {e['barcode']} of "
                              f"{e['product']} {e['kilograms']} kg journalled as printed, never "
                              f"arrived on Etiket")
        elif e["kind"] == LABEL_FAILED:
            if not (e.get("reason") or "").strip():
                broken.append(f"journal entry {e['id']} ({e['time']}): failed label without a reason")
            elif not shown(notices, "Etiket", epoch(e["time"])) and not near(starts, epoch(e["time"]), 0, 30):
                broken.append(f"journal entry {e['id']} ({e['time']}): label failed "
                              f"({e['reason']}) but the window showed no notice")
    products = [i for i, e in enumerate(journal) if e["kind"] == PRODUCT]
    for n, i in enumerate(products):
        end = products[n + 1] if n + 1 < len(products) else len(journal)
        e = journal[i]
        told = any(x["kind"] in (LABEL, LABEL_FAILED) and x["product"] == e["product"]
                   for x in journal[i + 1:end])
        if not told and not near(starts, epoch(e["time"]), 0, 30):
            broken.append(f"journal entry {e['id']} ({e['time']}): {e['product']} "
                          f"{e['kilograms']} kg finished with no label printed or failed")
    return broken


def bookings(booked_by_operator, movements_before, movements_after, open_rows):
    """Every row the operator saw booked is a stock movement exactly once; nothing else is.
    Rows are (product, kg rounded to grams, sale 0 / purchase 1)."""
    expected = collections.Counter(booked_by_operator) + collections.Counter(open_rows)
    actual = collections.Counter(movements_after) - collections.Counter(movements_before)
    broken = [f"booked row {row} missing from StokHaraket ({n}x)"
              for row, n in (expected - actual).items()]
    broken += [f"StokHaraket holds {row} {n} more time(s) than it was booked"
               for row, n in (actual - expected).items()]
    return broken


def keys(anahtar_counts):
    """On the server every movement's key is there once."""
    return [f"key {k} booked {n} times" for k, n in anahtar_counts.items() if n > 1]


def slips(journal, slip_pdfs, notices, starts):
    broken = []
    # A reprint into a PDF file (`tavran slip --pdf`) never goes to the queue.
    printed = sum(1 for e in journal
                  if e["kind"] == SLIP and not (e.get("printer") or "").startswith("PDF "))
    if printed > slip_pdfs:
        broken.append(f"the journal calls {printed} slips printed, {slip_pdfs} arrived on Fis")
    for e in journal:
        if e["kind"] != SLIP_FAILED:
            continue
        if not (e.get("reason") or "").strip():
            broken.append(f"journal entry {e['id']} ({e['time']}): failed slip without a reason")
        elif not shown(notices, "Fiş", epoch(e["time"])) and not near(starts, epoch(e["time"]), 0, 30):
            broken.append(f"journal entry {e['id']} ({e['time']}): slip failed ({e['reason']}) "
                          f"but the window showed no notice")
    return broken


def limits(peak_rss_kb, longest_freeze_s, max_mb=150, max_freeze_s=2.0):
    broken = []
    if peak_rss_kb > max_mb * 1024:
        broken.append(f"memory peaked at {peak_rss_kb / 1024:.0f} MB")
    if longest_freeze_s > max_freeze_s:
        broken.append(f"the window did not answer for {longest_freeze_s:.1f} s")
    return broken
