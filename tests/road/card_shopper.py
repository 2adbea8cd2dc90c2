#!/usr/bin/env python3
"""A shopper in headless Chromium for the road test from shop to desk.

Starts the stand-in card bank on loopback and prints "bank=ADDRESS"; then
answers the test's commands, one per line on standard input, each with one
line of JSON on standard output:

  shop BASE      signs in as the demo shop's reseller, buys a carafe with
                 the express courier, pays by card at the bank: prints the
                 order number, the total the summary showed and the amount
                 the bank charged (in cents).
  state TEXT     opens the shopper's orders and that order's page: prints
                 whether TEXT is the state shown.
  quit

A failing step leaves its screenshot and page source in --out.
"""

import argparse
import json
import os
import sys
import tempfile
import traceback

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "server", "demo", "tests"))
from stand_in_bank import StandInBank  # noqa: E402
import shop_browser_test as walk  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import Select  # noqa: E402

CARAFE_ID = walk.PRODUCT_ID


def say(**fields):
    print(json.dumps(fields), flush=True)


def buy(check, base, bank):
    driver = check.driver
    check.step = "sign in"
    driver.get(base + "accesso.asp")
    driver.find_element(By.ID, "UserID").send_keys("rivenditore")
    driver.find_element(By.ID, "Password").send_keys("lago2024")
    walk.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-accesso button"))

    check.step = "basket"
    driver.get(base + "prodotto.asp?IDProdotto=%d" % CARAFE_ID)
    walk.follow(driver, driver.find_element(By.CSS_SELECTOR, '#aggiungi-carrello button[name="Aggiungi"]'))
    Select(driver.find_element(By.ID, "IDSpese")).select_by_visible_text("Corriere espresso")
    walk.follow(driver, driver.find_element(By.CSS_SELECTOR, '#scelta-spedizione button[name="Spese"]'))

    check.step = "checkout"
    walk.follow(driver, driver.find_element(By.ID, "procedi-ordine"))
    for name, value in (("Indirizzo", "Via Manzoni 3"), ("Cap", "23900"), ("Localita", "Lecco"), ("Provincia", "LC"),
                        ("Stato", "Italia"), ("Email", "anna.rossi@casaegiardino.example")):
        field = driver.find_element(By.ID, name)
        if field.get_attribute("value") == "":
            field.send_keys(value)
    driver.find_element(By.CSS_SELECTOR, 'input[name="TipoPagamento"][value="CartaCredito"]').click()
    walk.follow(driver, driver.find_element(By.ID, "conferma-dati"))
    check.expect(driver.find_elements(By.ID, "dati-accettati"), "the checkout was not accepted")
    walk.follow(driver, driver.find_element(By.ID, "vai-conferma"))
    summary = check.text("#totali-ordine #totale-ordine")

    check.step = "pay at the bank"
    walk.follow(driver, driver.find_element(By.ID, "conferma-ordine"))
    check.expect(driver.current_url.startswith(bank.address + "/pagam.asp?"), "not at the bank: %s" % driver.current_url)
    driver.find_element(By.ID, "carta").send_keys("4111 1111 1111 1111")
    driver.find_element(By.ID, "scadenza").send_keys("12/29")
    walk.follow(driver, driver.find_element(By.ID, "paga"))
    check.expect(driver.find_elements(By.ID, "ordine-confermato"), "no confirmation after paying")
    order = check.text("#numero-ordine")
    check.expect(bank.payments and bank.payments[-1][0] == order, "the bank's payments %r" % bank.payments)
    check.screenshot("shop-order-confirmed")
    return {"order": order, "summary": summary, "charged": bank.payments[-1][1]}


def state_shown(check, base, order, state):
    driver = check.driver
    check.step = "the order's state"
    driver.get(base + "ordini.asp")
    links = [a for a in driver.find_elements(By.CSS_SELECTOR, ".riga-ordine a") if a.text.strip() == order]
    check.expect(links, "order %s is not in the shopper's list" % order)
    listed = [r.text for r in driver.find_elements(By.CSS_SELECTOR, ".riga-ordine") if order in r.text]
    walk.follow(driver, links[0])
    shown = check.text("#stato-ordine")
    check.screenshot("shop-order-state")
    return {"state": shown, "found": shown == state and any(state in r for r in listed)}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", required=True)
    parser.add_argument("--merchant", default=walk.MERCHANT_CODE)
    parser.add_argument("--requests", required=True, help="the bank's request passwords, comma separated")
    parser.add_argument("--answers", required=True, help="the bank's answer passwords, comma separated")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    bank = StandInBank(args.merchant, "", args.requests.split(","), args.answers.split(",")).start()
    work = tempfile.mkdtemp(prefix="qtr-card-shopper-")
    driver = None
    check = None
    order = None
    base = None
    print("bank=%s" % bank.address, flush=True)
    try:
        for line in sys.stdin:
            command, _, argument = line.rstrip("\n").partition(" ")
            try:
                if command == "shop":
                    base = argument if argument.endswith("/") else argument + "/"
                    bank.shop_return = base + "esitopagamento.asp"
                    driver = walk.browser(os.path.join(work, "profile"))
                    check = walk.Check(driver, args.out)
                    result = buy(check, base, bank)
                    order = result["order"]
                    say(ok=True, **result)
                elif command == "state":
                    say(ok=True, **state_shown(check, base, order, argument))
                else:
                    break
            except Exception as failure:  # the test reads the reason
                traceback.print_exc()
                if check is not None:
                    check.save_failure()
                say(ok=False, error="%s: %s" % (type(failure).__name__, failure))
    finally:
        if driver is not None:
            driver.quit()
        bank.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
