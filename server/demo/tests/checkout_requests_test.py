#!/usr/bin/env python3
"""The checkout pages under qtr50d, request by request, on the demo shop.

First a visitor who only browses, who leaves no stored Session, and one
who fills a basket, who does.
Hostile and out-of-order requests each assert what the shop answered and
how many orders it stored: a summary sent with no basket, with no
shipping chosen, with a payment kind the shop does not take or an address
the mail client refuses; a basket stuffed with fields and lines. Then an
order whose mail relay takes the connection and never answers: the page
answers at once, the mails wait in qtr50d's queue, and the same order
sent again is still one order. After a restart with a working relay the
queued mails go out. Last, a card order re-sent as a bank transfer is
not confirmed without the bank.
"""

import argparse
import glob
import http.cookiejar
import os
import socket
import sqlite3
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.error
import urllib.parse
import urllib.request

from stand_in_bank import StandInBank

PRODUCT = 104
COURIER = 1
BUYER = {"Cognome": "Bianchi", "Nome": "Anna", "Indirizzo": "Via Roma 1", "Cap": "22100", "Localita": "Como",
         "Provincia": "CO", "Stato": "Italia", "Email": "anna@example.com", "TipoPagamento": "Bonifico",
         "Submit": "Conferma"}


class NoRedirect(urllib.request.HTTPRedirectHandler):
    def redirect_request(self, *args, **kwargs):
        return None


class Visitor:
    """One browser's Session: cookies kept, redirects read, not followed."""

    def __init__(self, base):
        self.base = base
        self.opener = urllib.request.build_opener(urllib.request.HTTPCookieProcessor(http.cookiejar.CookieJar()),
                                                  NoRedirect())

    def ask(self, page, form=None, timeout=10):
        data = urllib.parse.urlencode(form).encode("utf-8") if form is not None else None
        try:
            with self.opener.open(self.base + page, data=data, timeout=timeout) as reply:
                return reply.status, "", reply.read().decode("utf-8")
        except urllib.error.HTTPError as reply:
            return reply.code, reply.headers.get("Location", ""), reply.read().decode("utf-8", "replace")
        except (TimeoutError, socket.timeout, urllib.error.URLError) as failure:
            return 0, "no answer: %s" % failure, ""

    def basket(self, shipping=True):
        self.ask("carrello.asp", {"IDProdotto": PRODUCT, "Quantita": 1, "Aggiungi": "1"})
        if shipping:
            self.ask("carrello.asp", {"IDSpese": COURIER, "Spese": "1"})

    def checkout(self, **changes):
        return self.ask("datiordine.asp", dict(BUYER, **changes))

    def send(self):
        return self.ask("confermaordine.asp", {"Invia": "1"})


class Check:
    def __init__(self, database):
        self.database = database
        self.failures = []

    def orders(self):
        with sqlite3.connect(self.database) as db:
            return db.execute("SELECT COUNT(*) FROM Ordini").fetchone()[0]

    def expect(self, name, condition, message):
        print(("  ok   " if condition else "  FAIL ") + name + ("" if condition else ": " + message))
        if not condition:
            self.failures.append(name)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_qtr50d(launcher, work, shop, port, smtp_port, bank, log):
    config = os.path.join(work, "qtr50d.ini")
    with open(config, "w", encoding="utf-8") as ini:
        ini.write("[server]\nlisten=127.0.0.1\nport=%d\n\n[shop]\nfolder=%s\nlocale=it_IT\n\n" % (port, shop))
        ini.write("[mail]\nserver=127.0.0.1\nport=%d\nqueue=%s\n\n" % (smtp_port, os.path.join(work, "coda")))
        ini.write("[payment]\nbank=%s\n\n[logs]\nerror=%s\n" % (bank, os.path.join(work, "error.log")))
    server = subprocess.Popen([launcher, "--config", config], stdout=log, stderr=subprocess.STDOUT)
    for _ in range(300):
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1):
                return server
        except OSError:
            time.sleep(0.1)
    server.kill()
    raise RuntimeError("qtr50d did not start")


def stop(server):
    server.terminate()
    server.wait(timeout=40)


def browsing(check, base, shop):
    """A visitor who only browses keeps no Session; one who fills a basket does."""
    sessions = os.path.join(shop, "db", "sessions.sqlite")

    def stored():
        try:
            with sqlite3.connect(sessions) as db:
                return db.execute("SELECT COUNT(*) FROM QtrSessioni").fetchone()[0]
        except sqlite3.OperationalError:   # no Session was ever written
            return 0

    browser = Visitor(base)
    pages = ["default.asp", "categoria.asp?IDCategoria=2", "categoria.asp?IDCategoria=2&Page=2",
             "prodotto.asp?IDProdotto=%d" % PRODUCT, "default.asp"]
    answers = [browser.ask(page)[0] for page in pages]
    check.expect("the browsing visitor's pages are served", answers == [200] * len(pages), "answered %r" % answers)
    check.expect("a visitor who only browses keeps no Session", stored() == 0, "%d stored" % stored())
    buyer = Visitor(base)
    buyer.ask("categoria.asp?IDCategoria=2")
    buyer.basket(shipping=False)
    check.expect("a visitor who fills a basket keeps his Session", stored() == 1, "%d stored" % stored())
    _, _, page = buyer.ask("carrello.asp")
    check.expect("his basket is there on his next page", '<span id="pezzi-carrello">1</span>' in page,
                 "the basket is not there")


def hostile(check, base):
    """Requests out of order or forged: each refused, nothing stored."""
    cases = [
        ("summary with an empty basket", lambda v: None, "/carrello.asp"),
        ("straight to the checkout with no shipping chosen", lambda v: (v.basket(shipping=False), v.checkout()),
         "/carrello.asp"),
        ("a payment kind the shop has switched off", lambda v: (v.basket(), v.checkout(TipoPagamento="CCPostale")),
         "/datiordine.asp"),
        ("a payment kind of any text", lambda v: (v.basket(), v.checkout(TipoPagamento="Gratis")), "/datiordine.asp"),
        ("a card with no bank configured", lambda v: (v.basket(), v.checkout(TipoPagamento="CartaCredito")),
         "/datiordine.asp"),
        ("an address the mail client refuses", lambda v: (v.basket(), v.checkout(Email="anna.rossì@example.com")),
         "/datiordine.asp"),
        ("two addresses in one", lambda v: (v.basket(), v.checkout(Email="anna@example.com, x@example.com")),
         "/datiordine.asp"),
    ]
    for name, prepare, where in cases:
        visitor = Visitor(base)
        before = check.orders()
        prepare(visitor)
        status, location, _ = visitor.send()
        check.expect(name, status == 302 and location.endswith(where) and check.orders() == before,
                     "answered %d %r, orders %d -> %d" % (status, location, before, check.orders()))
    visitor = Visitor(base)
    visitor.basket()
    _, _, page = visitor.checkout(TipoPagamento="CartaCredito")
    check.expect("the checkout refuses the card with a message", 'id="errore-dati"' in page, "no message")
    _, _, page = visitor.ask("datiordine.asp")
    check.expect("no card offered without a bank", 'value="CartaCredito"' not in page, "card offered")

    visitor = Visitor(base)
    fields = {"IDProdotto": PRODUCT, "Quantita": 1, "Aggiungi": "1"}
    fields.update({"Campo%d" % n: "x" for n in range(30)})
    _, _, page = visitor.ask("carrello.asp", fields)
    check.expect("thirty user fields are refused", 'id="messaggio-carrello"' in page and 'id="carrello-vuoto"' in page,
                 "the item went in")
    _, _, page = visitor.ask("carrello.asp", {"IDProdotto": PRODUCT, "Quantita": 1, "Aggiungi": "1",
                                              "Dedica": "x" * 100000})
    check.expect("a 100 kB user field is refused", 'id="carrello-vuoto"' in page, "the item went in")
    for _ in range(100):
        visitor.basket(shipping=False)
    _, _, page = visitor.ask("carrello.asp", {"IDProdotto": PRODUCT, "Quantita": 1, "Aggiungi": "1"})
    check.expect("the 101st line is refused", '<span id="pezzi-carrello">100</span>' in page, "not 100 lines")


def silent_relay():
    """Takes connections and never says a word."""
    relay = socket.socket()
    relay.bind(("127.0.0.1", 0))
    relay.listen(50)
    return relay


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True)
    parser.add_argument("--maker", required=True)
    parser.add_argument("--smtp-script", required=True)
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="qtr-checkout-")
    shop = os.path.join(work, "shop")
    subprocess.run([args.maker, shop], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    check = Check(os.path.join(shop, "db", "database.mdb"))
    port = free_port()
    base = "http://127.0.0.1:%d/" % port
    log = open(os.path.join(work, "server.log"), "w")
    relay = silent_relay()
    server = smtp = bank = None
    try:
        server = start_qtr50d(args.launcher, work, shop, port, relay.getsockname()[1], "", log)
        browsing(check, base, shop)
        hostile(check, base)

        visitor = Visitor(base)
        visitor.basket()
        visitor.checkout()
        before = check.orders()
        started = time.time()
        status, location, _ = visitor.send()
        took = time.time() - started
        check.expect("an order with a silent relay is answered at once",
                     status == 302 and location.endswith("/ordineinviato.asp") and check.orders() == before + 1,
                     "answered %d %r in %.1f s" % (status, location, took))
        print("  the order page answered in %.2f s with the relay silent" % took)
        queued = glob.glob(os.path.join(work, "coda", "*.mail"))
        check.expect("both mails wait in the queue", len(queued) == 2, "%d queued" % len(queued))
        status, location, _ = visitor.send()
        check.expect("the same order sent again is the order placed",
                     location.endswith("/ordineinviato.asp") and check.orders() == before + 1,
                     "answered %d %r, %d orders" % (status, location, check.orders()))
        _, _, page = visitor.ask("ordineinviato.asp")
        check.expect("the order placed is shown", 'id="ordine-confermato"' in page, "no confirmation")

        stop(server)
        relay.close()
        mail_folder = os.path.join(work, "mail")
        os.makedirs(mail_folder)
        smtp = subprocess.Popen(["/usr/bin/python3", args.smtp_script, "--folder", mail_folder],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        smtp_port = int(smtp.stdout.readline().strip())
        with sqlite3.connect(check.database) as db:
            db.executemany("INSERT INTO OTPRichieste (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)",
                           [(1, "RIC-1"), (2, "RIC-2")])
        bank = StandInBank("BOTTEGA01", base + "esitopagamento.asp", ["RIC-1", "RIC-2"], []).start()
        server = start_qtr50d(args.launcher, work, shop, port, smtp_port, bank.address, log)
        for _ in range(100):
            if len(glob.glob(os.path.join(mail_folder, "message-*.json"))) >= 2:
                break
            time.sleep(0.2)
        delivered = len(glob.glob(os.path.join(mail_folder, "message-*.json")))
        check.expect("the queued mails go out after a restart", delivered == 2, "%d delivered" % delivered)

        visitor = Visitor(base)
        visitor.basket()
        visitor.checkout(TipoPagamento="CartaCredito")
        before = check.orders()
        status, location, _ = visitor.send()
        check.expect("a card order goes to the bank", location.startswith(bank.address), "went to %r" % location)
        visitor.checkout(TipoPagamento="Bonifico")
        status, location, _ = visitor.send()
        _, _, page = visitor.ask("ordineinviato.asp")
        with sqlite3.connect(check.database) as db:
            kind = db.execute("SELECT TipoPagamento FROM Ordini ORDER BY ID DESC").fetchone()[0]
        check.expect("a card order re-sent as a transfer is not confirmed without the bank",
                     check.orders() == before + 1 and kind == "CartaCredito" and 'id="pagamento-in-sospeso"' in page
                     and 'id="ordine-confermato"' not in page,
                     "orders %d -> %d, stored %r, page %r" % (before, check.orders(), kind, page[-600:]))
    except Exception:
        traceback.print_exc()
        check.failures.append("exception")
    finally:
        if server is not None:
            stop(server)
        if bank is not None:
            bank.stop()
        if smtp is not None:
            smtp.stdin.close()
            smtp.wait(timeout=10)
        log.close()
    if check.failures:
        print("failed: %s (work folder %s)" % (", ".join(check.failures), work))
        return 1
    print("the checkout refuses what it must and stores each order once")
    return 0


if __name__ == "__main__":
    sys.exit(main())
