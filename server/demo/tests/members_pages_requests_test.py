#!/usr/bin/env python3
"""The members' pages under hostile requests: plain HTTP against qtr50d.

Makes the demo shop, starts the test SMTP server and qtr50d, and sends a
table of hostile requests through every parameter of the registration,
profile, interests, password recovery, customer list and consignee
pages: injection, another member's ID, forged kinds and groups, markup in
every text field, oversized fields. After each, nothing may be stored that
should not be (the customer rows are compared with the database), and no
page may echo a typed value unescaped.
"""

import argparse
import html.parser
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import traceback
import urllib.parse

import members_requests_test as members
import shop_browser_test as shop

MARKUP = '<script>alert("x")</script>'
FIELDS = ["RagioneSociale", "Cognome", "Nome", "Indirizzo", "Cap", "Localita", "Provincia", "Stato",
          "Telefono", "Fax", "Cellulare", "Email", "Web", "CFPI"]
GOOD = {"RagioneSociale": "Casa Nuova", "Cognome": "Verdi", "Nome": "Giulia", "Indirizzo": "Via Roma 2",
        "Cap": "20100", "Localita": "Milano", "Provincia": "MI", "Stato": "Italia",
        "Email": "giulia@esempio.test", "TipoUtente": "1", "Submit": "Registrati"}
RESELLER_ID = 2


def rows(database, where="1=1"):
    with sqlite3.connect(database) as db:
        return db.execute("SELECT * FROM Clienti WHERE %s ORDER BY ID" % where).fetchall()


def count(database, table, where="1=1"):
    with sqlite3.connect(database) as db:
        return db.execute("SELECT COUNT(*) FROM %s WHERE %s" % (table, where)).fetchone()[0]


VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}
PAGES = ["/registrazione.asp", "/profilo.asp", "/recuperopassword.asp", "/interessi.asp", "/clienti.asp",
         "/destinatari.asp", "/default.asp"]


class Nesting(html.parser.HTMLParser):
    """The first element closed out of order, or left open."""

    def __init__(self):
        super().__init__()
        self.open = []
        self.fault = ""

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.fault and (not self.open or self.open.pop() != tag):
            self.fault = "</%s> at line %d" % (tag, self.getpos()[0])


def badly_nested(page):
    nesting = Nesting()
    nesting.feed(page)
    nesting.close()
    if not nesting.fault and nesting.open:
        nesting.fault = "<%s> left open" % nesting.open[-1]
    return nesting.fault


def check_pages(checks, visitor, who):
    for name in PAGES:
        status, page = visitor.get(name)
        fault = badly_nested(page)
        checks.expect(status == 200 and not fault, "%s for %s: status %d, %s" % (name, who, status, fault))


def unescaped(page):
    return MARKUP in page or "<b>x</b>" in page


def run(checks, port, database):
    checks.step = "the pages' elements nest"
    check_pages(checks, members.Visitor(port, "127.0.0.26"), "a visitor")
    member = members.Visitor(port, "127.0.0.27")
    member.login(members.USER, members.PASSWORD)
    check_pages(checks, member, "the reseller")
    member = members.Visitor(port, "127.0.0.28")
    member.login("agente", members.PASSWORD)
    check_pages(checks, member, "the agent")

    checks.step = "markup in every field of the sign-up"
    visitor = members.Visitor(port, "127.0.0.21")
    before = rows(database)
    for field in FIELDS:
        # refused by the CAP check (the country's for the CAP): the form comes back
        form = dict(GOOD, **{"Cap" if field != "Cap" else "Stato": "", field: MARKUP})
        status, page = visitor.request("POST", "/registrazione.asp", form)
        checks.expect(status == 200, "%s: status %d" % (field, status))
        checks.expect(not unescaped(page), "%s is echoed unescaped" % field)
        checks.expect("&lt;script&gt;" in page, "%s is not shown again" % field)
        status, page = visitor.get("/registrazione.asp")
        checks.expect(not unescaped(page), "%s is echoed unescaped on the next page" % field)
    checks.expect(rows(database) == before, "a refused sign-up stored something")

    checks.step = "oversized and injected sign-ups"
    for field in FIELDS:
        for value in ("x" * 20000, "'; DELETE FROM Clienti; --" + "y" * 100):
            status, page = visitor.request("POST", "/registrazione.asp", dict(GOOD, **{field: value}))
            checks.expect(status == 200 and 'id="errore-membro"' in page,
                          "%s of %d characters: status %d, no error shown" % (field, len(value), status))
    for name, value in (("Note", "n" * 5000), ("Password", "p" * 500), ("INT1", "i" * 50000),
                        ("IDUtente", "1 OR 1=1"), ("IDUtente", str(RESELLER_ID)), ("IDUtente", "-2"),
                        ("TipoUtente", "3"), ("TipoUtente", "4"), ("TipoUtente", "1; DROP TABLE Clienti")):
        status, page = visitor.request("POST", "/registrazione.asp", dict(GOOD, **{name: value, "Cap": ""}))
        checks.expect(status == 200 and not unescaped(page), "%s=%s: status %d" % (name, value[:20], status))
        if name == "INT1":
            continue   # a box: any value sets it
        status, page = visitor.request("POST", "/registrazione.asp", dict(GOOD, **{name: value}))
        checks.expect(status == 200 and 'id="errore-membro"' in page, "%s=%s is taken" % (name, value[:20]))
    checks.expect(rows(database) == before, "a hostile sign-up stored something")

    checks.step = "a sign-up names no group and no agent"
    status, page = visitor.request("POST", "/registrazione.asp",
                                   dict(GOOD, IDGruppo="1", IDAgente="3", Nome="<b>x</b>", Email="nuovo@esempio.test"))
    checks.expect('id="registrato"' in page, "the sign-up was refused")
    checks.expect(not unescaped(page), "the confirmation echoes markup")
    new = rows(database, "ID > 1000000000")
    checks.expect(len(new) == 1, "%d new rows" % len(new))
    checks.expect(count(database, "Clienti", "ID > 1000000000 AND IDGruppo=0 AND IDAgente=0 AND TipoUtente=1") == 1,
                  "the request chose the group, the agent or the kind")
    checks.expect(count(database, "Clienti", "ID > 1000000000 AND Password LIKE '$argon2id$%'") == 1,
                  "the password is not kept as a hash")

    checks.step = "another member's row"
    reseller = rows(database, "ID=%d" % RESELLER_ID)
    stranger = members.Visitor(port, "127.0.0.22")
    for page_name in ("/profilo.asp", "/interessi.asp"):
        status, page = stranger.request("POST", page_name, dict(GOOD, IDUtente=str(RESELLER_ID), ImpostaInteressi="Tutti"))
        refused = 'id="errore-membro"' in page or 'id="accesso-richiesto"' in page
        checks.expect(status == 200 and refused, "%s took another member's ID" % page_name)
    status, _ = stranger.login(members.USER, members.PASSWORD)
    for other in ("3", "4", "1000000001", "2 OR 1=1", "abc", "-2"):
        status, page = stranger.request("POST", "/profilo.asp", dict(GOOD, IDUtente=other))
        checks.expect('id="errore-membro"' in page, "the profile took IDUtente=%s" % other)
    checks.expect(rows(database, "ID IN (3, 4) OR ID > 1000000000") == [r for r in before if r[0] in (3, 4)] + new,
                  "another member's row changed")
    checks.expect(rows(database, "ID=%d" % RESELLER_ID) == reseller, "the reseller's row changed")

    checks.step = "the member's own profile with markup"
    status, page = stranger.request("POST", "/profilo.asp",
                                    dict(GOOD, IDUtente=str(RESELLER_ID), Cognome=MARKUP, TipoUtente="3", IDGruppo="0"))
    checks.expect('id="profilo-salvato"' in page, "the reseller's own profile was refused")
    checks.expect(not unescaped(page), "the profile echoes markup")
    after = rows(database, "ID=%d" % RESELLER_ID)[0]
    with sqlite3.connect(database) as db:
        kind, group, agent, user = db.execute("SELECT TipoUtente, IDGruppo, IDAgente, UserID FROM Clienti WHERE ID=?",
                                              (RESELLER_ID,)).fetchone()
    checks.expect((kind, group, agent, user) == (1, 1, 3, members.USER),
                  "the profile changed kind, group, agent or user: %r" % ((kind, group, agent, user),))
    checks.expect(after != reseller[0], "the profile was not stored")
    status, page = stranger.get("/profilo.asp")
    checks.expect(not unescaped(page) and "&lt;script&gt;" in page, "the stored markup is echoed unescaped")
    status, page = stranger.get("/default.asp")
    checks.expect(not unescaped(page), "the home page echoes markup")
    for field in FIELDS:
        status, page = stranger.request("POST", "/profilo.asp", dict(GOOD, IDUtente=str(RESELLER_ID), **{field: MARKUP}))
        checks.expect(status == 200 and not unescaped(page), "the profile echoes %s unescaped" % field)
        for name in ("/profilo.asp", "/interessi.asp"):
            status, page = stranger.get(name)
            checks.expect(status == 200 and not unescaped(page), "%s echoes %s unescaped" % (name, field))
    status, page = members.Visitor(port, "127.0.0.29").request("POST", "/interessi.asp",
                                                                {"TipoUtente": "2", "Email": MARKUP, "INT1": "1"})
    checks.expect('id="errore-membro"' in page and not unescaped(page), "the subscription echoes markup")

    checks.step = "password recovery"
    recovery = members.Visitor(port, "127.0.0.23")
    before = rows(database)
    for value in (MARKUP, "' OR '1'='1", "%", "x" * 20000, "a@b.test\r\nBcc: all@esempio.test", ""):
        status, page = recovery.request("POST", "/recuperopassword.asp", {"Email": value})
        checks.expect(status == 200 and 'id="errore-membro"' in page, "Email=%r: status %d" % (value[:20], status))
        checks.expect(not unescaped(page), "Email=%r is echoed unescaped" % value[:20])
    checks.expect(rows(database) == before, "a hostile recovery changed a row")

    checks.step = "customer list and consignees"
    agent = members.Visitor(port, "127.0.0.24")
    status, page = agent.get("/clienti.asp")
    checks.expect('id="solo-agenti"' in page, "the customer list is open to a visitor")
    agent.login("agente", members.PASSWORD)
    for name in ("FiltroRagioneSociale", "FiltroCap", "FiltroLocalita", "FiltroProvincia", "FiltroTelefono"):
        for value in (MARKUP, "' OR '1'='1", "%", "x" * 5000):
            status, page = agent.request("POST", "/clienti.asp", {name: value})
            checks.expect(status == 200 and not unescaped(page), "%s=%r: status %d" % (name, value[:20], status))
            checks.expect('class="riga-cliente"' not in page, "%s=%r lists customers" % (name, value[:20]))
    agent.request("POST", "/clienti.asp", {})
    for value in ("2", "99999", "-1", "1 OR 1=1", "abc"):
        status, page = agent.get("/clienti.asp?Page=" + urllib.parse.quote(value))
        checks.expect(status == 200 and not unescaped(page), "Page=%s: status %d" % (value, status))
    status, page = members.Visitor(port, "127.0.0.25").get("/destinatari.asp")
    checks.expect('id="accesso-richiesto"' in page, "the consignees are open to a visitor")


def serve(args, prefix, body):
    """Makes the demo shop, starts the test SMTP server and qtr50d on it and
    runs body(port, shop folder, mail folder, log path); True when it passed.
    The server's log goes to --out."""
    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix=prefix)
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                   stdout=subprocess.DEVNULL)
    log_path = os.path.join(args.out, "server.log")
    server = smtp = None
    try:
        with open(log_path, "w") as log:
            mail_folder = os.path.join(work, "mail")
            smtp, smtp_port = shop.start_smtp(args.smtp_script, mail_folder)
            port = shop.free_port()
            server = shop.start_server("qtr50d", args.launcher, folder, port, work, log, smtp_port)
            if body(port, folder, mail_folder, work):
                return True
    except Exception:
        traceback.print_exc()
    finally:
        if server is not None:
            shop.stop_server(server)
        if smtp is not None:
            smtp.stdin.close()
            smtp.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)
    print("server log: " + log_path)
    return False


def arguments(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--smtp-script", required=True, help="the test SMTP server")
    parser.add_argument("--out", required=True, help="where the server's log (and screenshots) go")
    return parser.parse_args()


def main():
    def body(port, folder, mail_folder, work):
        checks = members.Checks()
        run(checks, port, os.path.join(folder, "db", "database.mdb"))
        if checks.failures:
            print("\n".join(checks.failures))
            return False
        return True

    if not serve(arguments(__doc__), "qtr-members-pages-", body):
        return 1
    print("the members' pages store and echo nothing they should not")
    return 0


if __name__ == "__main__":
    sys.exit(main())
