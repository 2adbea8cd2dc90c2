#!/usr/bin/env python3
"""The demo shop in a real browser.

Makes the demo shop in a throwaway folder, starts a server on it on the
loopback address (the preview listener or qtr50d, by --server), and drives
headless Chromium through chromedriver over the home page, a category and a
product: the product's name and its hand-computed price must be in the DOM,
its picture must have loaded, and no screenshot may be blank. Then a
shopper fills the basket (a product with a size and a colour, another from
a category), changes a quantity, chooses the shipping and must read the
hand-computed totals; the checkout form must show its fault. On qtr50d
the shopper then pays by card: the order's summary, the stand-in bank on
loopback (cancelled there once; then the basket changes and a forged
return is refused before "Riprova il pagamento" asks the bank again for
the stored order's total), the confirmation, the
merchant's and the customer's mails at a test SMTP server, and the stored
order with its authorisation; last a customer who signed in orders by bank
transfer and finds the order in his history with the summary's total. A
failing step leaves its screenshot and page source in --out, beside the
server's log.
"""

import argparse
import glob
import json
import os
import shutil
import socket
import sqlite3
import subprocess
import sys
import tempfile
import time
import traceback

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.support.ui import Select, WebDriverWait

from stand_in_bank import StandInBank

SHOP_NAME = "Bottega del Lago s.n.c."
CATEGORY_ID = 2
CATEGORY_NAME = "Tavola"
PRODUCT_ID = 203
PRODUCT_NAME = "Caraffa in vetro soffiato"
# 18.00 less the 20% offer is 14.40, with 22% VAT (3.17) 17.57; the list
# price 18.00 with VAT (3.96) is 21.96.
PRODUCT_PRICE = "€ 17,57"
PRODUCT_LIST_PRICE = "€ 21,96"
# The basket: 2 aprons (21.00 + 22% VAT = 25.62) in size M and colour
# Sabbia, 3 linen tablecloths (51.24): 204.96 with VAT, 168.00 before it,
# VAT 36.96. 2 x 0.4 kg + 3 x 0.8 kg + 0.5 kg packaging = 3.7 kg: the
# courier's second band, 9.90 + 2.18 VAT. Total 168.00 + 9.90 + 39.14.
BASKET_TOTALS = {"#totale-prodotti": "€ 168,00", "#spese-spedizione": "€ 9,90",
                 "#totale-iva": "€ 39,14", "#totale-ordine": "€ 217,04"}
# The card payment: the gateway is asked for the total in cents (TID 100);
# the lines are stored net of VAT in the list currency: 2 x 21.00 + 3 x 42.00.
MERCHANT_CODE = "BOTTEGA01"
BANK_AMOUNT = "217,04"
STORED_LINES_TOTAL = 168.00
SHOP_MAIL = "ordini@bottegadellago.example"
BUYER_MAIL = "anna@example.com"
BUYER_NOTE = "Lasciare al portinaio, è già d'accordo"
REQUEST_PASSWORDS = ["RIC-%04d" % n for n in range(1, 6)]
ANSWER_PASSWORDS = ["RIS-%04d" % n for n in range(1, 6)]
APRON_ID = 308
TEXTILES_ID = 3
TABLECLOTH_ID = 301


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write_qtr50d_config(folder, shop, port, smtp_port, bank):
    path = os.path.join(folder, "qtr50d.ini")
    with open(path, "w", encoding="utf-8") as ini:
        ini.write("[server]\nlisten=127.0.0.1\nport=%d\nthreads=0\ndebug=false\n\n" % port)
        ini.write("[shop]\nfolder=%s\nlocale=it_IT\n\n" % shop)
        ini.write("[mail]\nserver=127.0.0.1\nport=%d\n\n[payment]\nbank=%s\n\n" % (smtp_port, bank))
        ini.write("[logs]\naccess=%s\nerror=%s\n" % (os.path.join(folder, "access.log"),
                                                      os.path.join(folder, "error.log")))
    return path


def start_server(kind, launcher, shop, port, work, log, smtp_port=25, bank=""):
    if kind == "qtr50d":
        command = [launcher, "--config", write_qtr50d_config(work, shop, port, smtp_port, bank)]
    else:
        command = [launcher, shop, str(port)]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    server = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT, env=env)
    deadline = time.time() + 30
    while time.time() < deadline:
        if server.poll() is not None:
            raise RuntimeError("the server ended at start with code %d" % server.returncode)
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1):
                return server
        except OSError:
            time.sleep(0.1)
    server.kill()
    raise RuntimeError("the server did not listen on port %d within 30 s" % port)


def stop_server(server):
    if server.poll() is None:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


def start_smtp(script, folder):
    """The SMTP server of the mail client's tests; it ends with our pipe."""
    os.makedirs(folder, exist_ok=True)
    smtp = subprocess.Popen(["/usr/bin/python3", script, "--folder", folder], stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    port = int(smtp.stdout.readline().strip())
    return smtp, port


def load_passwords(shop):
    """The bank's one-time passwords, as the desktop loads them from its files."""
    db = sqlite3.connect(os.path.join(shop, "db", "database.mdb"))
    with db:
        for table, passwords in (("OTPRichieste", REQUEST_PASSWORDS), ("OTPRisposte", ANSWER_PASSWORDS)):
            for n, password in enumerate(passwords, start=1):
                db.execute("INSERT INTO %s (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)" % table,
                           (n, password))
    db.close()


def browser(profile):
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--no-first-run", "--no-default-browser-check", "--hide-scrollbars",
                     "--window-size=1280,1400", "--user-data-dir=" + profile):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(30)
    return driver


def unique_colours(png):
    """How many colours the screenshot holds, or None without ImageMagick."""
    identify = shutil.which("identify")
    if not identify:
        return None
    out = subprocess.run([identify, "-format", "%k", png], capture_output=True, text=True, check=True)
    return int(out.stdout.strip())


class Check:
    def __init__(self, driver, out):
        self.driver = driver
        self.out = out
        self.step = "start"

    def text(self, css):
        return self.driver.find_element(By.CSS_SELECTOR, css).text.replace("\u00a0", " ").strip()

    def expect(self, condition, message):
        if not condition:
            raise AssertionError("%s: %s" % (self.step, message))

    def screenshot(self, name):
        path = os.path.join(self.out, name + ".png")
        self.driver.save_screenshot(path)
        colours = unique_colours(path)
        size = os.path.getsize(path)
        print("  screenshot %s: %d bytes, %s colours" % (path, size, colours))
        self.expect(size > 20000, "the screenshot is blank (%d bytes)" % size)
        if colours is not None:
            self.expect(colours > 64, "the screenshot is blank (%d colours)" % colours)

    def save_failure(self):
        base = os.path.join(self.out, "failed-" + self.step.replace(" ", "-"))
        try:
            self.driver.save_screenshot(base + ".png")
            with open(base + ".html", "w", encoding="utf-8") as page:
                page.write(self.driver.page_source)
            print("saved %s.png and %s.html" % (base, base))
        except Exception:  # the browser itself may be gone
            traceback.print_exc()


def follow(driver, element):
    """Clicks a link or a submit button and waits for the next page.

    The page being left is marked, and the wait ends when a page without the
    mark has loaded. Asking about an element of the old page instead races the
    navigation: while the new document replaces the old one, the browser may
    answer with an error that is neither "stale" nor "present"."""
    driver.execute_script("window.qtrLeaving = true;")
    element.click()
    WebDriverWait(driver, 30, ignored_exceptions=(WebDriverException,)).until(
        lambda d: d.execute_script("return !window.qtrLeaving && document.readyState === 'complete';"))


def run_pages(check, base):
    driver = check.driver
    check.step = "home"
    driver.get(base + "default.asp")
    check.expect(SHOP_NAME in driver.title, "title %r" % driver.title)
    cards = driver.find_elements(By.CSS_SELECTOR, "li.scheda")
    check.expect(len(cards) == 8, "%d products in the showcase" % len(cards))
    categories = driver.find_elements(By.CSS_SELECTOR, "li.categoria")
    check.expect(len(categories) == 5, "%d categories" % len(categories))
    check.screenshot("home")

    check.step = "category"
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'nav.menu a[href="/categoria.asp?IDCategoria=%d"]' % CATEGORY_ID))
    check.expect(check.text("h1") == CATEGORY_NAME, "heading %r" % check.text("h1"))
    cards = driver.find_elements(By.CSS_SELECTOR, "li.scheda")
    check.expect(len(cards) == 6, "%d products on the first page" % len(cards))
    check.screenshot("category")

    check.step = "product"
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'li.scheda a[href="/prodotto.asp?IDProdotto=%d"]' % PRODUCT_ID))
    check.expect(check.text("#nome-prodotto") == PRODUCT_NAME, "name %r" % check.text("#nome-prodotto"))
    check.expect(check.text("#prezzo-prodotto strong") == PRODUCT_PRICE,
                 "price %r" % check.text("#prezzo-prodotto strong"))
    check.expect(check.text("#prezzo-prodotto del") == PRODUCT_LIST_PRICE,
                 "list price %r" % check.text("#prezzo-prodotto del"))
    loaded = driver.execute_script(
        "var i = document.getElementById('foto-prodotto'); return i && i.complete ? i.naturalWidth : 0;")
    check.expect(loaded > 0, "the product's picture did not load")
    check.screenshot("product")

    check.step = "language"
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'a.lingua[hreflang="en"]'))
    check.expect(check.text("#nome-prodotto") == "Blown glass carafe", "English name %r" % check.text("#nome-prodotto"))
    check.expect(check.text("#prezzo-prodotto strong") == PRODUCT_PRICE, "English price")


def run_basket(check, base, payment="Bonifico"):
    driver = check.driver
    check.step = "add with size and colour"
    driver.get(base + "default.asp?CodiceLingua=it")
    driver.get(base + "prodotto.asp?IDProdotto=%d" % APRON_ID)
    Select(driver.find_element(By.ID, "scelta-taglia")).select_by_visible_text("M")
    Select(driver.find_element(By.ID, "scelta-colore")).select_by_visible_text("Sabbia")
    quantity = driver.find_element(By.ID, "scelta-quantita")
    quantity.clear()
    quantity.send_keys("2")
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#aggiungi-carrello button[name="Aggiungi"]'))
    rows = driver.find_elements(By.CSS_SELECTOR, "tr.riga-carrello")
    check.expect(len(rows) == 1, "%d rows after the first product" % len(rows))
    check.expect("Taglia: M · Colore: Sabbia" in rows[0].text, "details %r" % rows[0].text)

    check.step = "add from a category"
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'nav.menu a[href="/categoria.asp?IDCategoria=%d"]' % TEXTILES_ID))
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'li.scheda a[href="/prodotto.asp?IDProdotto=%d"]' % TABLECLOTH_ID))
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#aggiungi-carrello button[name="Aggiungi"]'))
    rows = driver.find_elements(By.CSS_SELECTOR, "tr.riga-carrello")
    check.expect(len(rows) == 2, "%d rows after the second product" % len(rows))
    check.expect(check.text("#pezzi-carrello") == "2", "basket count %r" % check.text("#pezzi-carrello"))

    check.step = "change a quantity"
    field = driver.find_element(By.CSS_SELECTOR, 'tr.riga-carrello[data-indice="2"] input[name="Quantita"]')
    field.clear()
    field.send_keys("3")
    follow(driver, driver.find_element(By.CSS_SELECTOR, 'tr.riga-carrello[data-indice="2"] button[name="Modifica"]'))
    check.expect(check.text('tr.riga-carrello[data-indice="2"] .importo') == "€ 153,72",
                 "line amount %r" % check.text('tr.riga-carrello[data-indice="2"] .importo'))

    check.step = "choose the shipping"
    check.expect(not driver.find_elements(By.ID, "procedi-ordine"), "checkout offered before a shipping choice")
    Select(driver.find_element(By.ID, "IDSpese")).select_by_visible_text("Corriere espresso")
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#scelta-spedizione button[name="Spese"]'))
    for css, expected in BASKET_TOTALS.items():
        check.expect(check.text(css) == expected, "%s is %r, not %r" % (css, check.text(css), expected))
    check.screenshot("basket")

    check.step = "checkout with a fault"
    follow(driver, driver.find_element(By.ID, "procedi-ordine"))
    for name, value in (("Nome", "Anna"), ("Indirizzo", "Via Roma 1"), ("Cap", "22100"), ("Localita", "Como"),
                        ("Provincia", "CO"), ("Stato", "Italia"), ("Email", "anna@example.com")):
        driver.find_element(By.ID, name).send_keys(value)
    driver.find_element(By.CSS_SELECTOR, 'input[name="TipoPagamento"][value="%s"]' % payment).click()
    driver.find_element(By.ID, "Note").send_keys(BUYER_NOTE)
    follow(driver, driver.find_element(By.ID, "conferma-dati"))
    check.expect(driver.find_elements(By.ID, "errore-dati"), "no message for the missing surname")
    check.expect(check.text("#errore-dati") != "", "an empty message")
    check.expect(driver.find_element(By.ID, "Localita").get_attribute("value") == "Como", "the typed town was lost")
    check.screenshot("checkout")
    print("  checkout message: %s" % check.text("#errore-dati"))

    check.step = "checkout accepted"
    driver.find_element(By.ID, "Cognome").send_keys("Bianchi")
    follow(driver, driver.find_element(By.ID, "conferma-dati"))
    check.expect(driver.find_elements(By.ID, "dati-accettati"), "the corrected form was not accepted")


def wait_for_mails(folder, count, timeout=15):
    deadline = time.time() + timeout
    while time.time() < deadline:
        files = sorted(glob.glob(os.path.join(folder, "message-*.json")))
        if len(files) >= count:
            break
        time.sleep(0.2)
    mails = []
    for path in sorted(glob.glob(os.path.join(folder, "message-*.json"))):
        with open(path, encoding="utf-8") as f:
            mails.append(json.load(f))
    return mails


def run_order(check, base, bank, mail_folder, shop):
    driver = check.driver
    check.step = "order summary"
    follow(driver, driver.find_element(By.ID, "vai-conferma"))
    for css, expected in BASKET_TOTALS.items():
        check.expect(check.text("#totali-ordine " + css) == expected, "%s is %r" % (css, check.text("#totali-ordine " + css)))
    check.expect("Bianchi" in check.text("#acquirente"), "buyer %r" % check.text("#acquirente"))
    check.expect(len(driver.find_elements(By.CSS_SELECTOR, "tr.riga-ordine")) == 2, "two lines in the summary")
    check.screenshot("summary")

    check.step = "to the bank"
    follow(driver, driver.find_element(By.ID, "conferma-ordine"))
    check.expect(driver.current_url.startswith(bank.address + "/pagam.asp?"), "not at the bank: %s" % driver.current_url)
    check.expect(check.text("#importo") == BANK_AMOUNT, "the bank was asked for %r" % check.text("#importo"))
    order = check.text("#ordine")
    check.expect(len(order) > 6 and order.isdigit(), "order number %r" % order)
    check.screenshot("bank")

    check.step = "payment cancelled at the bank"
    follow(driver, driver.find_element(By.ID, "rifiuta"))
    check.expect(driver.find_elements(By.ID, "pagamento-rifiutato"), "a cancelled payment was not refused")
    check.expect(driver.find_elements(By.ID, "ripeti-pagamento"), "no second attempt offered")

    check.step = "the basket changes before the retry"
    # The order is stored and the basket started anew: a cheap product now
    # in the basket must not become what the bank is asked for.
    driver.get(base + "prodotto.asp?IDProdotto=%d" % PRODUCT_ID)
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#aggiungi-carrello button[name="Aggiungi"]'))
    rows = driver.find_elements(By.CSS_SELECTOR, "tr.riga-carrello")
    check.expect(len(rows) == 1, "%d rows in the new basket" % len(rows))

    check.step = "forged return"
    # A return the bank did not send: a real answer password, another order.
    driver.get(base + "esitopagamento.asp?a=AUT999999&b=%d&c=%s" % (int(order) + 1, ANSWER_PASSWORDS[0]))
    check.expect(driver.find_elements(By.ID, "pagamento-rifiutato"), "a forged return was accepted")
    check.screenshot("payment-refused")
    follow(driver, driver.find_element(By.ID, "ripeti-pagamento"))
    check.expect(driver.current_url.startswith(bank.address + "/pagam.asp?"), "no second attempt: %s" % driver.current_url)
    check.expect(check.text("#importo") == BANK_AMOUNT, "the retry asked the bank for %r" % check.text("#importo"))
    check.expect(check.text("#ordine") == order, "the retry is for order %r" % check.text("#ordine"))
    check.screenshot("bank-retry")

    check.step = "pay at the bank"
    driver.find_element(By.ID, "carta").send_keys("4111 1111 1111 1111")
    driver.find_element(By.ID, "scadenza").send_keys("12/29")
    follow(driver, driver.find_element(By.ID, "paga"))
    check.expect(driver.find_elements(By.ID, "ordine-confermato"), "no confirmation after paying")
    check.expect(check.text("#numero-ordine") == order, "confirmation of %r" % check.text("#numero-ordine"))
    check.expect(check.text("#pezzi-carrello") in ("", "0"), "the basket was not emptied")
    check.screenshot("confirmation")

    check.step = "mails"
    mails = wait_for_mails(mail_folder, 2)
    check.expect(len(mails) == 2, "%d mails arrived" % len(mails))
    shop_mail = [m for m in mails if m["rcpt_tos"] == [SHOP_MAIL]]
    buyer_mail = [m for m in mails if m["rcpt_tos"] == [BUYER_MAIL]]
    check.expect(len(shop_mail) == 1 and len(buyer_mail) == 1, "recipients %r" % [m["rcpt_tos"] for m in mails])
    for mail in mails:
        body = mail["body"]
        check.expect(not mail["defects"], "mail defects %r" % mail["defects"])
        check.expect(BANK_AMOUNT in body and order in body, "totals or number missing in:\n" + body)
        check.expect("4111" not in body, "a card number in a mail")
    check.expect(BUYER_NOTE in shop_mail[0]["body"], "the note is not whole in:\n" + shop_mail[0]["body"])
    print("  merchant's mail:\n" + shop_mail[0]["body"])

    check.step = "stored order"
    db = sqlite3.connect(os.path.join(shop, "db", "database.mdb"))
    row = db.execute("SELECT ID, AutorizzazioneCartaCredito, SpeseSpedizione, TipoPagamento FROM Ordini "
                     "WHERE NumOrdine=?", (order,)).fetchone()
    check.expect(row is not None, "order %s not stored" % order)
    check.expect(row[1] == bank.payments[-1][2], "authorisation %r, the bank gave %r" % (row[1], bank.payments))
    check.expect(bank.payments[-1][1] == 21704, "the bank charged %r" % (bank.payments[-1],))
    check.expect([a for a in bank.asked if a[0] == order] == [(order, 21704)] * 2,
                 "the bank was asked %r" % bank.asked)
    check.expect(abs(row[2] - 9.90) < 1e-4 and row[3] == "CartaCredito", "order row %r" % (row,))
    total, lines = db.execute("SELECT SUM(Prezzo * Quantita), COUNT(*) FROM OrdiniDettaglio WHERE IDOrdine=?",
                              (row[0],)).fetchone()
    check.expect(lines == 2 and abs(total - STORED_LINES_TOTAL) < 1e-4, "lines %r, total %r" % (lines, total))
    left = db.execute("SELECT COUNT(*) FROM OTPRisposte").fetchone()[0]
    check.expect(left == len(ANSWER_PASSWORDS) - 1, "%d answer passwords left" % left)
    db.close()
    return order


def run_history(check, base, mail_folder):
    """A customer who signed in orders by bank transfer and finds the order
    in his history with the total the summary showed."""
    driver = check.driver
    check.step = "sign in and buy"
    driver.get(base + "accesso.asp")
    driver.find_element(By.ID, "UserID").send_keys("rivenditore")
    driver.find_element(By.ID, "Password").send_keys("lago2024")
    follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-accesso button"))
    driver.get(base + "prodotto.asp?IDProdotto=%d" % PRODUCT_ID)
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#aggiungi-carrello button[name="Aggiungi"]'))
    Select(driver.find_element(By.ID, "IDSpese")).select_by_visible_text("Corriere espresso")
    follow(driver, driver.find_element(By.CSS_SELECTOR, '#scelta-spedizione button[name="Spese"]'))
    follow(driver, driver.find_element(By.ID, "procedi-ordine"))
    check.expect(driver.find_element(By.ID, "Cognome").get_attribute("value") != "", "the customer's data are not filled in")
    for name, value in (("Indirizzo", "Via Manzoni 3"), ("Cap", "22100"), ("Localita", "Como"), ("Provincia", "CO"),
                        ("Stato", "Italia"), ("Email", "rivenditore@example.com")):
        field = driver.find_element(By.ID, name)
        if field.get_attribute("value") == "":
            field.send_keys(value)
    driver.find_element(By.CSS_SELECTOR, 'input[name="TipoPagamento"][value="Bonifico"]').click()
    follow(driver, driver.find_element(By.ID, "conferma-dati"))
    check.expect(driver.find_elements(By.ID, "dati-accettati"), "the customer's checkout was not accepted")
    follow(driver, driver.find_element(By.ID, "vai-conferma"))
    total = check.text("#totali-ordine #totale-ordine")

    check.step = "send without card"
    follow(driver, driver.find_element(By.ID, "conferma-ordine"))
    check.expect(driver.find_elements(By.ID, "ordine-confermato"), "no confirmation for a bank transfer")
    order = check.text("#numero-ordine")
    mails = wait_for_mails(mail_folder, 4)
    check.expect(len(mails) == 4, "%d mails in all" % len(mails))
    check.expect(all(total.replace("€ ", "") in m["body"] for m in mails[2:]), "the total %s is not in the mails" % total)

    check.step = "the order in the history"
    driver.get(base + "ordini.asp")
    order_id = order[6:]
    rows = [r.get_attribute("data-ordine") for r in driver.find_elements(By.CSS_SELECTOR, ".riga-ordine")]
    check.expect(order_id in rows, "order %s is not among %s" % (order_id, rows))
    check.screenshot("history-with-the-new-order")
    follow(driver, driver.find_element(By.CSS_SELECTOR, "tr[data-ordine='%s'] a" % order_id))
    check.expect(check.text("#totale-ordine") == total, "the history's total %r, the summary's %r"
                 % (check.text("#totale-ordine"), total))
    return order


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--server", choices=("preview", "qtr50d"), default="preview")
    parser.add_argument("--launcher", required=True, help="the program that serves the shop")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--out", required=True, help="where screenshots, page sources and logs go")
    parser.add_argument("--smtp-script", help="the test SMTP server (qtr50d only)")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    for old in os.listdir(args.out):
        if old.endswith((".png", ".html", ".log")):
            os.remove(os.path.join(args.out, old))
    work = tempfile.mkdtemp(prefix="qtr-shop-browser-")
    shop = os.path.join(work, "shop")
    subprocess.run([args.maker, shop], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    port = free_port()
    log_path = os.path.join(args.out, "server.log")
    server = driver = smtp = bank = None
    base = "http://127.0.0.1:%d/" % port
    ordering = args.server == "qtr50d" and args.smtp_script
    try:
        with open(log_path, "w") as log:
            mail_folder = os.path.join(work, "mail")
            if ordering:
                load_passwords(shop)
                smtp, smtp_port = start_smtp(args.smtp_script, mail_folder)
                bank = StandInBank(MERCHANT_CODE, base + "esitopagamento.asp", REQUEST_PASSWORDS,
                                   ANSWER_PASSWORDS).start()
                server = start_server(args.server, args.launcher, shop, port, work, log, smtp_port, bank.address)
            else:
                server = start_server(args.server, args.launcher, shop, port, work, log)
            driver = browser(os.path.join(work, "profile"))
            check = Check(driver, args.out)
            try:
                run_pages(check, base)
                run_basket(check, base, "CartaCredito" if ordering else "Bonifico")
                if ordering:
                    order = run_order(check, base, bank, mail_folder, shop)
                    print("  order %s paid through the stand-in bank and mailed" % order)
                    order = run_history(check, base, mail_folder)
                    print("  order %s of a signed-in customer is in his history" % order)
            except Exception:
                check.save_failure()
                raise
        print("the shop's home, category, product, basket and checkout pages work in the browser")
        return 0
    except Exception:
        traceback.print_exc()
        print("server log: " + log_path)
        return 1
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            stop_server(server)
        if bank is not None:
            bank.stop()
        if smtp is not None:
            smtp.stdin.close()
            smtp.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
