#!/usr/bin/env python3
"""The members' login seen from outside: requests against a running qtr50d.

Makes the demo shop, gives its reseller the second price list (the table
cloth at 21.00 before VAT instead of 42.00), starts the server and sends
plain HTTP requests, each from a loopback address of its own where the
pause after failed logins must not mix the cases:

- a signed-in reseller pays his list's price; once he signs out he pays
  what a new visitor pays;
- the login and the logout hand out a new Session identifier, and the
  identifier from before the login is worth nothing after it;
- a table of hostile logins, each answered with the refusal and leaving
  the visitor signed out;
- failed logins pause the user ID and the address: the right password is
  then refused at once, and taken once the pause is over; the refusals of
  an unknown and of a known user ID take about the same time.
"""

import argparse
import http.client
import os
import re
import shutil
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.parse

import shop_browser_test as shop

TABLECLOTH = 301
NEW_VISITOR_PRICE = "€ 51,24"    # 42.00 + 22% VAT
RESELLER_PRICE = "€ 23,06"       # the second list, 21.00, less his group's 10%, + 22% VAT
USER, PASSWORD = "rivenditore", "lago2024"


def give_reseller_a_price_list(database):
    with sqlite3.connect(database) as db:
        db.execute("UPDATE Clienti SET IDListino=2 WHERE UserID=?", (USER,))
        db.execute("UPDATE ProdottiLingue SET Prezzo2=21 WHERE IDProdotto=?", (TABLECLOTH,))


class Visitor:
    """One browser: its Session cookie and the loopback address it sends from."""

    def __init__(self, port, address="127.0.0.1"):
        self.port = port
        self.address = address
        self.cookie = None
        self.cookies_seen = []

    def request(self, method, path, form=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30,
                                                source_address=(self.address, 0))
        headers = {"Cookie": self.cookie} if self.cookie else {}
        body = None
        if form is not None:
            body = urllib.parse.urlencode(form)
            headers["Content-Type"] = "application/x-www-form-urlencoded"
        connection.request(method, path, body=body, headers=headers)
        reply = connection.getresponse()
        text = reply.read().decode("utf-8", "replace")
        for header, value in reply.getheaders():
            if header.lower() == "set-cookie" and value.startswith("QTR50SESSION="):
                if "01 Jan 1970" in value:
                    self.cookie = None
                else:
                    self.cookie = value.split(";")[0]
                    self.cookies_seen.append(self.cookie)
        connection.close()
        return reply.status, text

    def get(self, path):
        return self.request("GET", path)

    def login(self, user, password, **extra):
        form = {"UserID": user, "Password": password}
        form.update(extra)
        return self.request("POST", "/accesso.asp", form)

    def price(self, product):
        status, page = self.get("/prodotto.asp?IDProdotto=%d" % product)
        match = re.search(r'id="prezzo-prodotto">.*?<strong>(.*?)</strong>', page, re.S)
        return match.group(1).replace("&nbsp;", " ") if match else "status %d, no price" % status

    def signed_in(self):
        status, page = self.get("/ordini.asp")
        return status == 200 and 'id="accesso-richiesto"' not in page


class Checks:
    def __init__(self):
        self.failures = []
        self.step = ""

    def expect(self, condition, message):
        if not condition:
            self.failures.append("%s: %s" % (self.step, message))


# Hostile or malformed logins: each must be refused and leave nobody signed in.
HOSTILE_LOGINS = [
    ("wrong case of the password", {"UserID": USER, "Password": "Lago2024"}),
    ("empty password", {"UserID": USER, "Password": ""}),
    ("no password field", {"UserID": USER}),
    ("quote in the user ID", {"UserID": "rivenditore' --", "Password": PASSWORD}),
    ("always-true condition", {"UserID": "' OR '1'='1", "Password": "' OR '1'='1"}),
    ("LIKE wildcard", {"UserID": "riven%", "Password": PASSWORD}),
    ("user ID with a NUL", {"UserID": USER + "\x00", "Password": PASSWORD}),
    ("a very long user ID", {"UserID": "a" * 20000, "Password": PASSWORD}),
    ("an agent's customer without the agent", {"IDUtente": "2", "Password": ""}),
    ("the anonymous row's empty user ID", {"UserID": "", "Password": ""}),
    ("password sent twice", {"UserID": USER, "Password": ["x", PASSWORD]}),
]


def run_prices_and_sessions(checks, port):
    checks.step = "new visitor"
    new = Visitor(port, "127.0.0.2")
    checks.expect(new.price(TABLECLOTH) == NEW_VISITOR_PRICE, "a new visitor pays " + new.price(TABLECLOTH))

    checks.step = "sign in"
    reseller = Visitor(port, "127.0.0.3")
    reseller.get("/default.asp")
    before = reseller.cookie
    status, _ = reseller.login(USER, PASSWORD)
    checks.expect(status == 302, "the login answered %d" % status)
    checks.expect(reseller.cookie not in (None, before), "the login kept the Session identifier")
    checks.expect(reseller.signed_in(), "the reseller is not signed in")
    checks.expect(reseller.price(TABLECLOTH) == RESELLER_PRICE, "the reseller pays " + reseller.price(TABLECLOTH))
    thief = Visitor(port, "127.0.0.4")
    thief.cookie = before
    checks.expect(not thief.signed_in(), "the identifier from before the login reached the reseller's orders")

    checks.step = "sign out"
    signed_in = reseller.cookie
    reseller.get("/accesso.asp?Esci=1")
    checks.expect(reseller.cookie != signed_in, "the logout kept the Session identifier")
    checks.expect(not reseller.signed_in(), "the reseller is still signed in")
    checks.expect(reseller.price(TABLECLOTH) == NEW_VISITOR_PRICE,
                  "a signed-out reseller pays %s, a new visitor %s" % (reseller.price(TABLECLOTH), NEW_VISITOR_PRICE))


def run_hostile_logins(checks, port):
    for number, (name, form) in enumerate(HOSTILE_LOGINS):
        checks.step = "hostile login: " + name
        visitor = Visitor(port, "127.0.1.%d" % (number + 1))
        fields = []
        for key, value in form.items():
            for one in (value if isinstance(value, list) else [value]):
                fields.append((key, one))
        status, page = visitor.request("POST", "/accesso.asp", fields)
        checks.expect(status == 200, "answered %d" % status)
        checks.expect('id="accesso-rifiutato"' in page or form.get("UserID", "") == "" and "modulo-accesso" in page,
                      "no refusal shown")
        checks.expect(not visitor.signed_in(), "the visitor is signed in")
    checks.step = "user ID in capitals"
    visitor = Visitor(port, "127.0.2.1")
    status, _ = visitor.login(USER.upper(), PASSWORD)
    checks.expect(status == 302 and visitor.signed_in(), "the user ID did not match without regard to case")


def timed_login(port, address, user, password):
    visitor = Visitor(port, address)
    started = time.monotonic()
    status, page = visitor.login(user, password)
    return time.monotonic() - started, status, page


def run_guessing(checks, port):
    checks.step = "refusal times"
    known, unknown = [], []
    for n in range(4):
        known.append(timed_login(port, "127.0.3.%d" % (n + 1), "agente", "no%d" % n)[0])
        unknown.append(timed_login(port, "127.0.4.%d" % (n + 1), "nessuno%d" % n, "no")[0])
    k, u = statistics.median(known), statistics.median(unknown)
    print("refusals: known user ID %.0f ms, unknown %.0f ms (median of 4)" % (k * 1000, u * 1000))
    checks.expect(u > k / 3, "an unknown user ID is refused in %.0f ms, a known one in %.0f ms" % (u * 1000, k * 1000))

    checks.step = "paused user ID"
    # "agente" has four failures: the fifth pauses him for a second.
    timed_login(port, "127.0.5.1", "agente", "ancora")
    elapsed, status, page = timed_login(port, "127.0.5.2", "agente", PASSWORD)
    checks.expect('id="accesso-rifiutato"' in page, "the right password was taken during the pause")
    checks.expect(elapsed < k, "a paused login took %.0f ms, a checked one %.0f ms" % (elapsed * 1000, k * 1000))
    time.sleep(1.2)
    visitor = Visitor(port, "127.0.5.3")
    status, _ = visitor.login("agente", PASSWORD)
    checks.expect(status == 302, "the pause did not end")

    checks.step = "paused address"
    for n in range(20):
        Visitor(port, "127.0.6.1").login("ignoto%d" % n, "x")
    status, page = Visitor(port, "127.0.6.1").login(USER, PASSWORD)
    checks.expect('id="accesso-rifiutato"' in page, "an address that failed 20 times still logs in")
    status, _ = Visitor(port, "127.0.6.2").login(USER, PASSWORD)
    checks.expect(status == 302, "another address was paused too")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--out", required=True, help="where the server's log goes")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-members-")
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                   stdout=subprocess.DEVNULL)
    give_reseller_a_price_list(os.path.join(folder, "db", "database.mdb"))
    port = shop.free_port()
    log_path = os.path.join(args.out, "server.log")
    server = None
    try:
        with open(log_path, "w") as log:
            server = shop.start_server("qtr50d", args.launcher, folder, port, work, log)
            checks = Checks()
            run_prices_and_sessions(checks, port)
            run_hostile_logins(checks, port)
            run_guessing(checks, port)
        for failure in checks.failures:
            print("FAILED " + failure)
        if checks.failures:
            print("server log: " + log_path)
            return 1
        print("the members' login holds against %d hostile requests; sessions and prices follow it"
              % len(HOSTILE_LOGINS))
        return 0
    except Exception:
        traceback.print_exc()
        print("server log: " + log_path)
        return 1
    finally:
        if server is not None:
            shop.stop_server(server)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
