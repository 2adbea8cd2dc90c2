#!/usr/bin/python3
"""What the demo shop needs beside qtr50d, on loopback: a mail catcher
that writes every message it receives as a .eml file into a folder, and
the stand-in card bank of the shop's tests with request and answer
passwords loaded into the shop's database, as the desktop would load the
bank's files.

Prints "mail=PORT bank=ADDRESS" on its first line and runs until it is
stopped (SIGTERM or Ctrl+C).
  demo_services.py --shop build/demo-shop --mail build/demo-mail --shop-url http://127.0.0.1:8080
"""

import argparse
import os
import signal
import socket
import sqlite3
import sys
import threading
import time

from aiosmtpd.controller import Controller

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "server", "demo", "tests"))
from stand_in_bank import StandInBank  # noqa: E402

PASSWORDS = 200


class MailFolder:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        self.lock = threading.Lock()

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            name = "%s-%03d.eml" % (time.strftime("%Y%m%d-%H%M%S"), self.count)
        with open(os.path.join(self.folder, name), "wb") as f:
            f.write(b"X-Envelope-From: " + envelope.mail_from.encode("utf-8", "replace") + b"\r\n")
            f.write(b"X-Envelope-To: " + ", ".join(envelope.rcpt_tos).encode("utf-8", "replace") + b"\r\n")
            f.write(envelope.original_content or envelope.content)
        return "250 OK"


def load_passwords(shop):
    """Fresh passwords on both sides each run: the bank's and the shop's lists agree."""
    requests = ["R%04d" % n for n in range(1, PASSWORDS + 1)]
    answers = ["A%04d" % n for n in range(1, PASSWORDS + 1)]
    with sqlite3.connect(os.path.join(shop, "db", "database.mdb")) as db:
        for table, passwords in (("OTPRichieste", requests), ("OTPRisposte", answers)):
            db.execute("DELETE FROM %s" % table)
            db.executemany("INSERT INTO %s (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)" % table,
                           list(enumerate(passwords, start=1)))
        merchant = db.execute("SELECT CodiceEsercente FROM Configurazione").fetchone()
    return (merchant[0] if merchant and merchant[0] else "BOTTEGA01"), requests, answers


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--shop", required=True)
    parser.add_argument("--mail", required=True)
    parser.add_argument("--shop-url", required=True)
    args = parser.parse_args()

    os.makedirs(args.mail, exist_ok=True)
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        mail_port = probe.getsockname()[1]
    controller = Controller(MailFolder(args.mail), hostname="127.0.0.1", port=mail_port)
    controller.start()
    merchant, requests, answers = load_passwords(args.shop)
    bank = StandInBank(merchant, args.shop_url.rstrip("/") + "/esitopagamento.asp", requests, answers).start()
    print("mail=%d bank=%s" % (mail_port, bank.address), flush=True)

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    stop.wait()
    bank.stop()
    controller.stop()


if __name__ == "__main__":
    main()
