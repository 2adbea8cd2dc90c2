#!/usr/bin/python3
"""A real SMTP server on loopback for the client's tests.

Listens on 127.0.0.1 on a port the system picks and prints that port on
the first line of standard output. Every accepted message is parsed with
Python's own e-mail package (an independent decoder) and written as one
JSON file into the mail folder; the commands it saw are appended to
commands.log in the same folder.

Addresses steer the refusals, so one server serves every case:
- a recipient starting with "refuse-rcpt" is refused at RCPT TO (550);
- a recipient starting with "refuse-multi" is refused with a two-line 550;
- a sender starting with "refuse-data" has its message refused after the
  final dot (554).
"""

import argparse
import asyncio
import email
import email.policy
import json
import os
import sys

from aiosmtpd.smtp import SMTP


class RecordingHandler:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    def log(self, line):
        with open(os.path.join(self.folder, "commands.log"), "a", encoding="utf-8") as f:
            f.write(line + "\n")

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        self.log("EHLO " + hostname)
        return responses

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        self.log("MAIL " + address)
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        self.log("RCPT " + address)
        if address.startswith("refuse-rcpt"):
            return "550 5.1.1 Mailbox unavailable: " + address
        if address.startswith("refuse-multi"):
            return "550-5.7.1 First line of the refusal\r\n550 5.7.1 Second line of the refusal"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.log("DATA")
        if envelope.mail_from.startswith("refuse-data"):
            return "554 5.6.0 Message content refused"
        raw = envelope.original_content
        message = email.message_from_bytes(raw, policy=email.policy.default)
        part = message.get_body(preferencelist=("plain", "html"))
        self.count += 1
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "headers": [[name, str(value)] for name, value in message.items()],
            "content_type": message.get_content_type(),
            "charset": message.get_content_charset() or "",
            "transfer_encoding": message.get("Content-Transfer-Encoding", ""),
            "body": part.get_content() if part is not None else "",
            "raw": raw.decode("ascii", errors="replace"),
            "defects": [str(d) for d in message.defects],
        }
        path = os.path.join(self.folder, "message-%03d.json" % self.count)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        # The test polls for the file, so it appears whole or not at all.
        os.replace(path + ".tmp", path)
        return "250 Message accepted for delivery"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    args = parser.parse_args()

    handler = RecordingHandler(args.folder)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(loop.create_server(
        lambda: SMTP(handler, hostname="qtrtest.local", enable_SMTPUTF8=False,
                     decode_data=False),
        "127.0.0.1", 0))
    port = server.sockets[0].getsockname()[1]
    sys.stdout.write("%d\n" % port)
    sys.stdout.flush()

    # The test keeps our standard input open; when it ends, even by a
    # crash, the input closes and the server goes with it.
    def on_input():
        if not os.read(sys.stdin.fileno(), 1024):
            loop.stop()
    loop.add_reader(sys.stdin.fileno(), on_input)
    try:
        loop.run_forever()
    finally:
        server.close()


if __name__ == "__main__":
    main()
