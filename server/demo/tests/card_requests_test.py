#!/usr/bin/env python3
"""The card payment as requests see it, against a running qtr50d.

Makes the demo shop, loads the bank's one-time passwords, starts a test
SMTP server, the stand-in bank and qtr50d, and plays visitors with plain
HTTP requests, each with its own cookie: orders by card, answers from the
bank, and the hostile and out-of-order requests a visitor can make of the
bank's return page (/esitopagamento.asp) and the retry page
(/ripetipagamento.asp). Each case asserts what the page answered, what the
order row stores and how many mails went out. A second server on a copy
of the shop has tight limits: card orders per Session and per address,
and the merchant's warning when few request passwords remain.
"""

import argparse
import html
import http.cookiejar
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.error
import urllib.parse
import urllib.request

import shop_browser_test as shop
from stand_in_bank import StandInBank

MERCHANT_CODE = shop.MERCHANT_CODE
SHOP_MAIL = shop.SHOP_MAIL
TABLECLOTH_ID = shop.TABLECLOTH_ID
CARAFE_ID = shop.PRODUCT_ID
# 2 tablecloths (84.00 + VAT 18.48) by courier (1.6 kg + 0.5: 9.90 + VAT
# 2.18): 114.56.
BIG_ORDER = (TABLECLOTH_ID, 2, 11456)
# One carafe (14.40 + VAT 3.17) by courier (no weight, 0.5 kg of packing:
# 6.90 + VAT 1.52): 25.99.
CHEAP_ORDER = (CARAFE_ID, 1, 2599)


class NoRedirect(urllib.request.HTTPRedirectHandler):
    def redirect_request(self, req, fp, code, msg, headers, newurl):
        return None


class Reply:
    def __init__(self, status, location, body):
        self.status = status
        self.location = location
        self.body = body

    def has(self, element_id):
        return ('id="%s"' % element_id) in self.body

    def text(self, element_id):
        m = re.search(r'id="%s"[^>]*>(.*?)</' % re.escape(element_id), self.body, re.S)
        return html.unescape(re.sub(r"<[^>]+>", "", m.group(1))).strip() if m else None


class Visitor:
    """One browser: its own cookies, redirects not followed."""

    def __init__(self, base):
        self.base = base
        self.opener = urllib.request.build_opener(urllib.request.HTTPCookieProcessor(http.cookiejar.CookieJar()),
                                                  NoRedirect())

    def request(self, url, form=None):
        if not url.startswith("http"):
            url = self.base + url.lstrip("/")
        data = urllib.parse.urlencode(form).encode() if form is not None else None
        try:
            with self.opener.open(urllib.request.Request(url, data=data), timeout=30) as r:
                return Reply(r.status, r.headers.get("Location"), r.read().decode("utf-8", "replace"))
        except urllib.error.HTTPError as e:
            return Reply(e.code, e.headers.get("Location"), e.read().decode("utf-8", "replace"))

    def get(self, url):
        return self.request(url)

    def post(self, url, form):
        return self.request(url, form)


class Shop:
    """A demo shop served by qtr50d, with its bank and its mail catcher."""

    def __init__(self, args, folder, work, name, passwords, payment_settings=""):
        self.folder = folder
        self.db_path = os.path.join(folder, "db", "database.mdb")
        self.requests = ["RIC-%04d" % n for n in range(1, passwords + 1)]
        self.answers = ["RIS-%04d" % n for n in range(1, passwords + 1)]
        with sqlite3.connect(self.db_path) as db:
            for table, values in (("OTPRichieste", self.requests), ("OTPRisposte", self.answers)):
                db.executemany("INSERT INTO %s (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)" % table,
                               list(enumerate(values, start=1)))
        self.mail_folder = os.path.join(work, name + "-mail")
        self.smtp, smtp_port = shop.start_smtp(args.smtp_script, self.mail_folder)
        self.port = shop.free_port()
        self.base = "http://127.0.0.1:%d/" % self.port
        self.bank = StandInBank(MERCHANT_CODE, self.base + "esitopagamento.asp", self.requests, self.answers).start()
        config_folder = os.path.join(work, name)
        os.makedirs(config_folder)
        config = shop.write_qtr50d_config(config_folder, folder, self.port, smtp_port, self.bank.address)
        with open(config, encoding="utf-8") as ini:
            text = ini.read()
        with open(config, "w", encoding="utf-8") as ini:
            ini.write(text.replace("\n[payment]\n", "\n[payment]\n" + payment_settings))
        self.log_path = os.path.join(args.out, name + "-server.log")
        self.log = open(self.log_path, "w")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        self.server = subprocess.Popen([args.launcher, "--config", config], stdout=self.log, stderr=subprocess.STDOUT,
                                       env=env)
        deadline = time.time() + 30
        while not self.listening():
            if self.server.poll() is not None or time.time() > deadline:
                raise RuntimeError("qtr50d did not start; see " + self.log_path)
            time.sleep(0.1)

    def listening(self):
        try:
            Visitor(self.base).get("/default.asp")
            return True
        except OSError:
            return False

    def stop(self):
        shop.stop_server(self.server)
        self.log.close()
        self.bank.stop()
        self.smtp.stdin.close()
        self.smtp.wait(timeout=10)

    def visitor(self):
        return Visitor(self.base)

    def order(self, number):
        with sqlite3.connect(self.db_path) as db:
            return db.execute("SELECT AutorizzazioneCartaCredito, TipoPagamento, Note FROM Ordini WHERE NumOrdine=?",
                              (number,)).fetchone()

    def count(self, sql, values=()):
        with sqlite3.connect(self.db_path) as db:
            return db.execute(sql, values).fetchone()[0]

    def mails_to(self, address):
        # A mail the page sent has arrived by the time the page answered,
        # give or take the catcher's own write.
        time.sleep(0.3)
        return [m for m in shop.wait_for_mails(self.mail_folder, 0, timeout=0) if m["rcpt_tos"] == [address]]

    def server_log(self):
        self.log.flush()
        with open(self.log_path, encoding="utf-8", errors="replace") as f:
            return f.read()


def fill_basket(visitor, product, quantity):
    visitor.get("/default.asp?CodiceLingua=it")
    reply = visitor.post("/carrello.asp", {"IDProdotto": product, "Quantita": quantity, "Aggiungi": "1"})
    page = visitor.get("/carrello.asp").body if reply.status in (301, 302, 303) else reply.body
    courier = re.search(r'<option value="?(\d+)"?[^>]*>\s*Corriere espresso', page)
    assert courier, "no courier offered in the basket"
    visitor.post("/carrello.asp", {"IDSpese": courier.group(1), "Spese": "1"})


def checkout(visitor, email, payment="CartaCredito"):
    form = {"Cognome": "Bianchi", "Nome": "Anna", "Indirizzo": "Via Roma 1", "Cap": "22100", "Localita": "Como",
            "Provincia": "CO", "Stato": "Italia", "Email": email, "TipoPagamento": payment, "Submit": "Conferma"}
    reply = visitor.post("/datiordine.asp", form)
    assert reply.status in (200, 302, 303), "checkout answered %d" % reply.status
    return visitor.post("/confermaordine.asp", {"Invia": "1"})


def card_order(shop_, visitor, order, email):
    """A card order sent: the bank's address the shop redirected to, and the order number."""
    product, quantity, _ = order
    fill_basket(visitor, product, quantity)
    sent = checkout(visitor, email)
    assert sent.status in (302, 303) and sent.location and sent.location.startswith(shop_.bank.address), \
        "the order did not go to the bank: %d %r" % (sent.status, sent.location)
    query = dict(urllib.parse.parse_qsl(urllib.parse.urlsplit(sent.location).query))
    return sent.location, query["d"], int(query["b"])


def bank_answer(bank_url, pay=True):
    """What the bank sends the browser back with: the shop's return address."""
    bank = Visitor("")
    page = bank.get(bank_url)
    assert page.status == 200, "the bank refused the request: %d %s" % (page.status, page.body)
    token = re.search(r'name="t" value="([0-9a-f]+)"', page.body).group(1)
    answer = bank.post(bank_url.split("/pagam.asp")[0] + "/paga", {"t": token, "esito": "ok" if pay else "ko"})
    assert answer.status == 303, "the bank answered %d" % answer.status
    return answer.location


class Cases:
    """The return page's table: each case names what it does and what must follow."""

    def __init__(self, shop_):
        self.shop = shop_
        self.failures = []
        self.serial = 0

    def email(self):
        self.serial += 1
        return "cliente%d@example.com" % self.serial

    def expect(self, name, condition, message):
        status = "ok  " if condition else "FAIL"
        print("  %s %s: %s" % (status, name, message))
        if not condition:
            self.failures.append("%s: %s" % (name, message))

    def check(self, name, reply, status, element, order=None, authorised=None, mails=None, address=None):
        self.expect(name, reply.status == status and (element is None or reply.has(element)),
                    "answered %d%s (wanted %d, #%s)" % (reply.status, " to " + reply.location if reply.location else "",
                                                        status, element))
        if order is not None:
            row = self.shop.order(order)
            paid = bool(row and row[0])
            self.expect(name, paid == authorised, "order %s authorisation %r" % (order, row and row[0]))
        if mails is not None:
            got = len(self.shop.mails_to(address))
            self.expect(name, got == mails, "%d mails to %s (wanted %d)" % (got, address, mails))

    def run(self):
        s = self.shop

        # A fresh visitor on the return page, with nothing or with a forged answer.
        fresh = s.visitor()
        self.check("fresh visitor, no answer", fresh.get("/esitopagamento.asp"), 200, "pagamento-rifiutato")
        self.check("fresh visitor, retry page", fresh.post("/ripetipagamento.asp", {}), 200, "nessun-ordine")

        # A transfer order: no answer of the bank pays it, and nothing is mailed from the return.
        transfer = s.visitor()
        address = self.email()
        fill_basket(transfer, TABLECLOTH_ID, 1)
        placed = checkout(transfer, address, "Bonifico")
        number = transfer.get("/ordineinviato.asp").text("numero-ordine")
        self.expect("transfer order placed", placed.status in (302, 303) and number, "order %r" % number)
        mails = len(s.mails_to(address))
        self.check("an answer for a transfer order", transfer.get(
            "/esitopagamento.asp?" + urllib.parse.urlencode({"a": "AUT1", "b": number, "c": s.answers[-1]})),
            200, "pagamento-rifiutato", number, False, mails, address)

        # A genuine payment, then the same answer again and again.
        buyer = s.visitor()
        address = self.email()
        bank_url, number, amount = card_order(s, buyer, BIG_ORDER, address)
        self.expect("the bank is asked for the order's total", amount == BIG_ORDER[2], "asked %d" % amount)
        answer = bank_answer(bank_url)
        forged = answer.replace("b=" + number, "b=" + number[:-1] + str((int(number[-1]) + 1) % 10))
        self.check("the genuine answer moved to another order", buyer.get(forged), 200, "pagamento-rifiutato",
                   number, False, 0, address)
        self.check("the genuine answer", buyer.get(answer), 302, None, number, True, 1, address)
        for n in range(3):
            self.check("the genuine answer reloaded (%d)" % (n + 1), buyer.get(answer), 302, None, number, True, 1,
                       address)
        self.check("the retry page after the payment", buyer.post("/ripetipagamento.asp", {}), 200, "ordine-pagato")
        self.check("the same answer from another visitor", s.visitor().get(answer), 200, "pagamento-registrato",
                   number, True, 1, address)

        # The Session expired while the shopper was at the bank.
        late = s.visitor()
        address = self.email()
        bank_url, number, _ = card_order(s, late, BIG_ORDER, address)
        answer = bank_answer(bank_url)
        reply = s.visitor().get(answer)
        self.check("the genuine answer in an expired Session", reply, 200, "pagamento-registrato", number, True)
        self.expect("the expired Session's page names the order", reply.text("numero-ordine") == number,
                    "names %r" % reply.text("numero-ordine"))

        # A refusal at the bank, then hostile answers for the same order.
        refused = s.visitor()
        address = self.email()
        bank_url, number, _ = card_order(s, refused, BIG_ORDER, address)
        answer = bank_answer(bank_url, pay=False)
        self.check("a refusal of the bank", refused.get(answer), 200, "ripeti-pagamento", number, False, 0, address)
        for name, query in (
                ("an answer password of no request", {"a": "AUT9", "b": number, "c": s.answers[-1]}),
                ("an unknown answer password", {"a": "AUT9", "b": number, "c": "NON-ESISTE"}),
                ("SQL in the order number", {"a": "AUT9", "b": number + " OR 1=1", "c": s.answers[-1]}),
                ("SQL in the answer password", {"a": "AUT9", "b": number, "c": "' OR '1'='1"}),
                ("no outcome", {"b": number, "c": s.answers[-1]}),
                ("an order number that is no number", {"a": "AUT9", "b": "abcdef", "c": s.answers[-1]})):
            self.check(name, refused.get("/esitopagamento.asp?" + urllib.parse.urlencode(query)), 200,
                       "pagamento-rifiutato", number, False, 0, address)

        # A cheap order paid at the bank, its return kept; a big order of the
        # same Session goes to the bank; the cheap answer is replayed for it.
        replay = s.visitor()
        address = self.email()
        bank_url, cheap, amount = card_order(s, replay, CHEAP_ORDER, address)
        self.expect("the cheap order's amount", amount == CHEAP_ORDER[2], "asked %d" % amount)
        cheap_answer = bank_answer(bank_url)
        _, big, _ = card_order(s, replay, BIG_ORDER, address)
        self.check("the cheap order's answer replayed for the big order", replay.get(cheap_answer.replace(
            "b=" + cheap, "b=" + big)), 200, "pagamento-rifiutato", big, False, 0, address)
        self.check("the cheap order's answer for the cheap order", replay.get(cheap_answer), 200,
                   "pagamento-registrato", cheap, True, 0, address)
        self.check("the big order is still unpaid", replay.get("/ripetipagamento.asp"), 200, "ripeti-pagamento",
                   big, False)

        # The basket changes after a refusal; the retry asks for the stored order.
        changer = s.visitor()
        address = self.email()
        bank_url, number, amount = card_order(s, changer, BIG_ORDER, address)
        changer.get(bank_answer(bank_url, pay=False))
        fill_basket(changer, CARAFE_ID, 1)
        retry = changer.post("/ripetipagamento.asp", {})
        asked = dict(urllib.parse.parse_qsl(urllib.parse.urlsplit(retry.location or "").query))
        self.expect("the retry after the basket changed", retry.status == 302 and asked.get("b") == str(amount)
                    and asked.get("d") == number, "answered %d, asked %r" % (retry.status, asked))
        self.check("the retry's answer", changer.get(bank_answer(retry.location)), 302, None, number, True, 1,
                   address)
        return self.failures


def limits(args, template, work):
    """Tight limits on a copy of the shop: 2 card orders per Session, 3 per
    address, a warning below 3 request passwords of the 5 loaded."""
    folder = os.path.join(work, "shop-limits")
    shutil.copytree(template, folder)
    s = Shop(args, folder, work, "limits", 5, "orders_per_session=2\norders_per_address=3\npasswords_warning=3\n")
    failures = []

    def expect(name, condition, message):
        print("  %s %s: %s" % ("ok  " if condition else "FAIL", name, message))
        if not condition:
            failures.append("%s: %s" % (name, message))

    try:
        first = s.visitor()
        card_order(s, first, CHEAP_ORDER, "uno@example.com")
        card_order(s, first, CHEAP_ORDER, "uno@example.com")
        fill_basket(first, CARAFE_ID, 1)
        third = checkout(first, "uno@example.com")
        page = first.get(third.location or "/")
        expect("a third card order in one Session", third.location == "/ripetipagamento.asp"
               and page.text("pagamento-non-possibile") == "Troppi ordini pagati con carta in questa visita.",
               "answered %d to %r: %r" % (third.status, third.location, page.text("pagamento-non-possibile")))
        second = s.visitor()
        card_order(s, second, CHEAP_ORDER, "due@example.com")
        fill_basket(second, CARAFE_ID, 1)
        fifth = checkout(second, "due@example.com")
        page = second.get(fifth.location or "/")
        expect("a fourth card order from one address", page.text("pagamento-non-possibile")
               == "Troppi ordini pagati con carta da questo indirizzo: riprova domani.",
               "%r" % page.text("pagamento-non-possibile"))
        left = s.count("SELECT COUNT(*) FROM OTPRichieste")
        expect("request passwords used", left == 2, "%d left" % left)
        warned = s.count("SELECT COUNT(*) FROM Ordini WHERE Note LIKE 'Attenzione: restano 2 password%'")
        expect("the merchant's mark on the order", warned == 1, "%d orders marked" % warned)
        expect("the merchant's warning in the log", "restano 2 password" in s.server_log(), "log " + s.log_path)
        orders = s.count("SELECT COUNT(*) FROM Ordini")
        expect("every order stored once", orders == 5, "%d orders" % orders)
    finally:
        s.stop()
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--smtp-script", required=True, help="the test SMTP server")
    parser.add_argument("--out", required=True, help="where the servers' logs go")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-card-requests-")
    shop_ = None
    try:
        template = os.path.join(work, "template")
        subprocess.run([args.maker, template], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        folder = os.path.join(work, "shop")
        shutil.copytree(template, folder)
        shop_ = Shop(args, folder, work, "main", 40, "orders_per_session=10\norders_per_address=100\n")
        failures = Cases(shop_).run()
        shop_.stop()
        shop_ = None
        failures += limits(args, template, work)
        if failures:
            print("\n%d checks failed:\n  %s" % (len(failures), "\n  ".join(failures)))
            return 1
        print("every card request case answered and stored what it must")
        return 0
    except Exception:
        traceback.print_exc()
        return 1
    finally:
        if shop_ is not None:
            shop_.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
