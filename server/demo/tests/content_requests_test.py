#!/usr/bin/env python3
"""Hostile requests against the content, forum and chat pages of qtr50d.

Every parameter these pages read gets a table of hostile values (SQL,
another record's ID, numbers out of range, markup, oversized text): each
page must answer (never a server error), echo no markup unescaped, store
no forum post, chat line or vote it should not, and send no mail. A chat
request that names another visitor's chat user speaks for nobody.
"""

import argparse
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import traceback
import urllib.parse

import shop_browser_test as shop
from members_requests_test import Visitor

MARK = "<script>qtr(1)</script>"
HOSTILE = ["1 OR 1=1", "1; DELETE FROM InterventiForum", "' OR ''='", "-1", "0", "99999999999", "2147483648",
           "1e3", "%00", MARK, "x" * 20000]

# page, method, the parameter under test, the other parameters sent.
CASES = [
    ("/sezioni.asp", "GET", "IDSezione", {}),
    ("/sezioni.asp", "GET", "Page", {"IDSezione": "1"}),
    ("/articolo.asp", "GET", "IDArticolo", {}),
    ("/articolo.asp", "POST", "Voto", {"IDArticolo": "1", "Azione": "vota"}),
    ("/articolo.asp", "POST", "IDArticolo", {"Voto": "3", "Azione": "vota"}),
    ("/inviamodulo.asp", "POST", "IDModulo", {"IDArticolo": "3"}),
    ("/inviamodulo.asp", "POST", "IDArticolo", {"IDModulo": "x"}),
    ("/segnala.asp", "GET", "IDArticolo", {}),
    ("/segnala.asp", "POST", "EmailDestinatario", {"IDArticolo": "1", "EmailMittente": "a@b.example"}),
    ("/segnala.asp", "POST", "Note", {"IDArticolo": "1", "Mittente": MARK, "EmailMittente": "x"}),
    ("/segnala.asp", "POST", "EmailMittente", {"IDArticolo": "1", "EmailDestinatario": "a@b.example\r\nBcc: c@d.example"}),
    ("/forum.asp", "GET", "IDArgomento", {}),
    ("/forum.asp", "GET", "Page", {"IDArgomento": "2"}),
    ("/forum.asp", "POST", "IDArgomentoPadre", {"Mittente": MARK, "Oggetto": MARK, "Testo": MARK, "IDInterventoPadre": "0"}),
    # Refused for want of a text, so the form comes back with what was sent.
    ("/forum.asp", "POST", "Oggetto", {"Mittente": MARK, "Testo": "", "IDArgomentoPadre": "2", "IDInterventoPadre": "0"}),
    ("/discussione.asp", "POST", "Mittente", {"Oggetto": MARK, "Testo": "", "IDArgomentoPadre": "2", "IDInterventoPadre": "1"}),
    ("/discussione.asp", "GET", "IDIntervento", {}),
    ("/discussione.asp", "GET", "Page", {"IDIntervento": "1"}),
    ("/discussione.asp", "POST", "IDInterventoPadre", {"Mittente": MARK, "Oggetto": MARK, "Testo": MARK, "IDArgomentoPadre": "2"}),
    ("/chat.asp", "GET", "IDArgomento", {}),
    ("/chat.asp", "POST", "IDArgomento", {"Nickname": MARK}),
    ("/chatstanza.asp", "POST", "Testo", {"IDUtente": "1000000001"}),
    ("/chatstanza.asp", "POST", "IDUtente", {"Testo": MARK}),
    ("/chatmessaggi.asp", "GET", "IDUtente", {}),
]


def counts(database):
    with sqlite3.connect(database) as db:
        return {table: db.execute("SELECT COUNT(*) FROM " + table).fetchone()[0]
                for table in ("InterventiForum", "InterventiChat", "UtentiChat")} | {
            "votes": db.execute("SELECT SUM(NumeroVotanti) FROM Articoli").fetchone()[0]}


def run(port, database, mail_folder):
    before = counts(database)
    failures = []
    for page, method, name, others in CASES:
        for value in HOSTILE:
            visitor = Visitor(port)
            form = dict(others)
            form[name] = value
            if method == "GET":
                status, text = visitor.get(page + "?" + urllib.parse.urlencode(form))
            else:
                status, text = visitor.request("POST", page, form)
            label = "%s %s %s=%r" % (method, page, name, value[:30])
            # The host itself refuses a request line too long (431).
            if status not in (200, 302, 404, 413, 414, 431):
                failures.append("%s: status %d" % (label, status))
            if MARK in text:
                failures.append("%s: markup echoed unescaped" % label)
    after = counts(database)
    if after != before:
        failures.append("rows changed: %s -> %s" % (before, after))
    mails = shop.wait_for_mails(mail_folder, 1, timeout=2)
    if mails:
        failures.append("%d mails were sent" % len(mails))

    # One visitor enters the chat; another names his chat user.
    ada = Visitor(port)
    ada.request("POST", "/chat.asp", {"IDArgomento": "10", "Nickname": "Ada"})
    with sqlite3.connect(database) as db:
        user = db.execute("SELECT ID FROM UtentiChat WHERE Nickname='Ada'").fetchone()
    if user is None:
        failures.append("Ada did not enter the chat")
    else:
        intruder = Visitor(port)
        intruder.request("POST", "/chatstanza.asp", {"Testo": "sono Ada", "IDUtente": str(user[0])})
        with sqlite3.connect(database) as db:
            spoken = db.execute("SELECT COUNT(*) FROM InterventiChat WHERE Testo='sono Ada'").fetchone()[0]
        if spoken:
            failures.append("a request spoke as another visitor's chat user")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--smtp-script", required=True, help="the test SMTP server")
    parser.add_argument("--out", required=True, help="where the server's log goes")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-content-requests-")
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    mail_folder = os.path.join(work, "mail")
    port = shop.free_port()
    log_path = os.path.join(args.out, "server.log")
    server = smtp = None
    try:
        smtp, smtp_port = shop.start_smtp(args.smtp_script, mail_folder)
        with open(log_path, "w") as log:
            server = shop.start_server("qtr50d", args.launcher, folder, port, work, log, smtp_port)
            failures = run(port, os.path.join(folder, "db", "database.mdb"), mail_folder)
        for failure in failures:
            print("FAIL " + failure)
        if failures:
            print("server log: " + log_path)
            return 1
        print("%d hostile requests answered, nothing stored, nothing echoed, nothing mailed"
              % (len(CASES) * len(HOSTILE)))
        return 0
    except Exception:
        traceback.print_exc()
        print("server log: " + log_path)
        return 1
    finally:
        if server is not None:
            shop.stop_server(server)
        if smtp is not None:
            smtp.stdin.close()
            smtp.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
