#!/usr/bin/env python3
"""The shopper's orders in a real browser.

Makes the demo shop, gives its reseller two orders (the demo has none; they
go in as the desk's download would leave them, bound), starts the server,
and drives headless Chromium: the reseller signs in (a wrong password is
refused), finds both orders newest first, opens one and must read its
hand-computed total, its consignee and its latest state, cannot open an
order by a forged number, puts a product back in the basket from the
reorder list, and signs out. Then the shop's agent signs in and must read
his customer's figures and products. A failing step leaves its screenshot
and page source in --out, beside the server's log. The server, the browser
and the checks are those of shop_browser_test.
"""

import argparse
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import traceback

from selenium.webdriver.common.by import By

import shop_browser_test as shop

# 2 mugs at 24.90 and 4 dish towels at 12.50: 99.80; VAT 22% 21.96; shipping
# 6.90 with 1.52 VAT; VAT rounded once, 23.47: total 130.17. Half of the
# towels are still to ship: 25.00.
ORDER_TOTAL = "€ 130,17"
STILL_TO_SHIP = "€ 25,00"
ORDERS = [
    ("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Data, Ora, CodiceLingua, SpeseSpedizione, TipoPagamento, "
     "IVASpedizioni, Cambio, RagioneSociale, Cognome, Nome, DCognome, DNome, DLocalita, Stati, Pagato) "
     "VALUES (?, ?, 2, ?, ?, 'it', 6.9, 'Bonifico', 22, 1, 'Casa e Giardino di Rossi Anna', 'Rossi', 'Anna', "
     "'Rossi', 'Marco', 'Como', ?, 1)",
     (1000000001, "2026120000000001", "2026-12-03 00:00:00", "1899-12-30 10:42:00",
      "03/12/2026#10:45#Ricevuto|05/12/2026#16:20#Spedito|")),
    ("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Data, Ora, CodiceLingua, TipoPagamento, Cambio, Cognome) "
     "VALUES (?, ?, 2, ?, ?, 'it', 'Contrassegno', 1, 'Rossi')",
     (1000000002, "2026120000000002", "2026-12-08 00:00:00", "1899-12-30 18:05:00")),
]
LINES = [
    (1000000001, 1000000001, 101, "CUC-101", "Tazza", 24.9, 2, 2, 22),
    (1000000002, 1000000001, 103, "CUC-103", "Strofinaccio", 12.5, 4, 2, 22),
    (1000000003, 1000000002, 104, "CUC-104", "Tagliere", 19.9, 1, 0, 22),
]


def add_orders(database):
    with sqlite3.connect(database) as db:
        for sql, values in ORDERS:
            db.execute(sql, values)
        db.executemany("INSERT INTO OrdiniDettaglio (ID, IDOrdine, IDProdotto, CodiceProdotto, Nome, Prezzo, "
                       "Quantita, QuantitaEvasa, Iva) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", LINES)


def sign_in(check, base, user, password):
    driver = check.driver
    driver.get(base + "accesso.asp")
    driver.find_element(By.ID, "UserID").send_keys(user)
    driver.find_element(By.ID, "Password").send_keys(password)
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-accesso button"))


def run_orders(check, base):
    driver = check.driver
    check.step = "wrong password"
    sign_in(check, base, "rivenditore", "Lago2024")
    check.expect(driver.find_elements(By.ID, "accesso-rifiutato"), "a wrong password was not refused")

    check.step = "order history"
    sign_in(check, base, "rivenditore", "lago2024")
    check.expect(driver.current_url.endswith("/ordini.asp"), "the sign-in led to " + driver.current_url)
    rows = [r.get_attribute("data-ordine") for r in driver.find_elements(By.CSS_SELECTOR, ".riga-ordine")]
    check.expect(rows == ["1000000002", "1000000001"], "the orders listed: %s" % rows)
    check.screenshot("order-history")

    check.step = "one order"
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "tr[data-ordine='1000000001'] a"))
    check.expect(check.text("#totale-ordine") == ORDER_TOTAL, "the total reads " + check.text("#totale-ordine"))
    check.expect(check.text("#da-spedire") == STILL_TO_SHIP, "still to ship reads " + check.text("#da-spedire"))
    check.expect(check.text("#stato-ordine") == "Spedito", "the state reads " + check.text("#stato-ordine"))
    check.expect("Marco Rossi" in check.text("#destinatario"), "the consignee is missing")
    check.screenshot("one-order")

    check.step = "forged order number"
    for number in ("1000000003", "1000000001%20OR%201=1", "abc"):
        driver.get(base + "ordine.asp?IDOrdine=" + number)
        check.expect(driver.find_elements(By.ID, "ordine-non-trovato"), "order %s was shown" % number)

    check.step = "reorder"
    driver.get(base + "riordino.asp")
    products = [r.get_attribute("data-prodotto") for r in driver.find_elements(By.CSS_SELECTOR, ".riga-riordino")]
    check.expect(sorted(products) == ["101", "103", "104"] and products[0] == "104", "reorder lists %s" % products)
    check.screenshot("reorder")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-riordino[data-prodotto='104'] button"))
    check.expect(check.text("#pezzi-carrello") == "1", "the basket holds " + check.text("#pezzi-carrello"))

    check.step = "sign out"
    driver.get(base + "accesso.asp?Esci=1")
    driver.get(base + "ordini.asp")
    check.expect(driver.find_elements(By.ID, "accesso-richiesto"), "the orders show after signing out")

    check.step = "agent figures"
    sign_in(check, base, "agente", "lago2024")
    shop.follow(driver, driver.find_element(By.ID, "link-statistiche"))
    customers = [r.get_attribute("data-cliente") for r in driver.find_elements(By.CSS_SELECTOR, ".riga-cliente")]
    check.expect(customers == ["2"], "the agent's customers: %s" % customers)
    check.screenshot("agent-figures")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-cliente a"))
    check.expect(check.text("#totale-da-spedire") == "€ 44,90", "to ship reads " + check.text("#totale-da-spedire"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--server", choices=("preview", "qtr50d"), default="qtr50d")
    parser.add_argument("--launcher", required=True, help="the program that serves the shop")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--out", required=True, help="where screenshots, page sources and logs go")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-orders-browser-")
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    add_orders(os.path.join(folder, "db", "database.mdb"))
    port = shop.free_port()
    log_path = os.path.join(args.out, "server.log")
    server = driver = None
    try:
        with open(log_path, "w") as log:
            server = shop.start_server(args.server, args.launcher, folder, port, work, log)
            driver = shop.browser(os.path.join(work, "profile"))
            check = shop.Check(driver, args.out)
            try:
                run_orders(check, "http://127.0.0.1:%d/" % port)
            except Exception:
                check.save_failure()
                raise
        print("the shopper's orders, one order, the reorder list and the agent's figures work in the browser")
        return 0
    except Exception:
        traceback.print_exc()
        print("server log: " + log_path)
        return 1
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            shop.stop_server(server)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
