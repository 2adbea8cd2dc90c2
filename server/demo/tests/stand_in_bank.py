"""A stand-in for the bank's one-time-password card gateway, on loopback.

It plays the bank for the shop's tests: the shop sends the shopper's
browser to /pagam.asp with the merchant code (a), the amount in the
gateway's units (b), a request password (c) and the order number (d); the
page asks for a card and, on "Paga", sends the browser back to the shop's
return page with the authorisation code (a), the order number (b) and an
answer password (c) — or "KO" when the shopper refuses. Each request
password counts once, as at the bank, and its answer is the answer
password on the same line of the bank's answer file: the shop knows which
request an answer belongs to. The card number never leaves this page.
"""

import html
import http.server
import secrets
import threading
import urllib.parse


class StandInBank:
    def __init__(self, merchant, shop_return, request_passwords, answer_passwords):
        self.merchant = merchant
        self.shop_return = shop_return
        self.requests = list(request_passwords)
        self.answers = list(answer_passwords)
        self.partner = dict(zip(request_passwords, answer_passwords))
        self.asked = []          # (order, amount) of each request the bank took
        self.pending = {}        # the bank's own record of a request, by the token its page carries
        self.payments = []       # (order, amount, authorisation) of each payment made
        self.refused = []        # what the bank refused, and why
        self.lock = threading.Lock()
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), self._handler())
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    def start(self):
        self.thread.start()
        return self

    def stop(self):
        self.server.shutdown()
        self.server.server_close()

    @property
    def address(self):
        return "http://127.0.0.1:%d" % self.port

    def _handler(self):
        bank = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def reply(self, status, body):
                data = body.encode("utf-8")
                self.send_response(status)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

            def do_GET(self):
                url = urllib.parse.urlsplit(self.path)
                query = dict(urllib.parse.parse_qsl(url.query, keep_blank_values=True))
                if url.path != "/pagam.asp":
                    return self.reply(404, "<p>Pagina sconosciuta</p>")
                with bank.lock:
                    known = query.get("c") in bank.requests
                    if known:
                        bank.requests.remove(query["c"])
                if query.get("a") != bank.merchant or not known or not query.get("b", "").isdigit():
                    bank.refused.append(("request", dict(query)))
                    return self.reply(400, "<p id=\"richiesta-rifiutata\">Richiesta non valida</p>")
                amount = int(query["b"])
                order = query.get("d", "")
                token = secrets.token_hex(8)
                with bank.lock:
                    bank.asked.append((order, amount))
                    bank.pending[token] = (order, amount, query["c"])
                page = """<!DOCTYPE html><html lang="it"><head><meta charset="utf-8"><title>Banca di prova</title>
<style>body{font-family:sans-serif;background:#eef2f7;margin:0}main{max-width:520px;margin:60px auto;background:#fff;
padding:28px 32px;border-radius:10px;box-shadow:0 2px 12px rgba(0,0,0,.12)}h1{color:#0b3d6e;font-size:22px}
label{display:block;margin-top:12px}input{font-size:16px;padding:6px;width:100%%;box-sizing:border-box}
button{margin-top:18px;padding:10px 20px;font-size:16px;border:0;border-radius:6px;background:#0b3d6e;color:#fff}
button.no{background:#999}</style></head><body><main>
<h1>Banca di prova: pagamento sicuro</h1>
<p>Esercente <strong>%s</strong> &middot; ordine <strong id="ordine">%s</strong></p>
<p>Importo: <strong id="importo">%d,%02d</strong> EUR</p>
<form method="post" action="/paga">
<input type="hidden" name="t" value="%s">
<label for="carta">Numero della carta</label><input id="carta" name="carta" autocomplete="off">
<label for="scadenza">Scadenza</label><input id="scadenza" name="scadenza" placeholder="MM/AA">
<button type="submit" name="esito" value="ok" id="paga">Paga</button>
<button type="submit" name="esito" value="ko" id="rifiuta" class="no">Annulla il pagamento</button>
</form></main></body></html>""" % (html.escape(bank.merchant), html.escape(order), amount // 100, amount % 100,
                                   token)
                self.reply(200, page)

            def do_POST(self):
                length = int(self.headers.get("Content-Length", "0"))
                form = dict(urllib.parse.parse_qsl(self.rfile.read(length).decode("utf-8")))
                if self.path != "/paga":
                    return self.reply(404, "<p>Pagina sconosciuta</p>")
                with bank.lock:
                    order, amount, request = bank.pending.pop(form.get("t", ""), ("", 0, ""))
                    answer = bank.partner.get(request, "")
                    if answer in bank.answers:
                        bank.answers.remove(answer)
                    else:
                        answer = ""
                    if form.get("esito") == "ok" and answer:
                        outcome = "AUT%06d" % (len(bank.payments) + 1)
                        bank.payments.append((order, amount, outcome))
                    else:
                        outcome = "KO"
                target = bank.shop_return + "?" + urllib.parse.urlencode({"a": outcome, "b": order, "c": answer})
                self.send_response(303)
                self.send_header("Location", target)
                self.send_header("Content-Length", "0")
                self.end_headers()

        return Handler
