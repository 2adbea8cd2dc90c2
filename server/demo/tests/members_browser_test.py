#!/usr/bin/env python3
"""A signed-out reseller sees list prices, in a real browser.

Makes the demo shop, gives its reseller the second price list (as
members_requests_test does), starts qtr50d and drives headless Chromium: a
new visitor reads the table cloth's list price, the reseller signs in and
reads his own, signs out with the page's own link and must read the list
price again, as a new visitor does. A failing step leaves its screenshot
and page source in --out, beside the server's log.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import traceback

from selenium.webdriver.common.by import By

import members_requests_test as members
import shop_browser_test as shop


def run_prices(check, base):
    driver = check.driver
    product = base + "prodotto.asp?IDProdotto=%d" % members.TABLECLOTH

    check.step = "new visitor"
    driver.get(product)
    check.expect(check.text("#prezzo-prodotto strong") == members.NEW_VISITOR_PRICE,
                 "a new visitor reads " + check.text("#prezzo-prodotto strong"))

    check.step = "reseller"
    driver.get(base + "accesso.asp")
    driver.find_element(By.ID, "UserID").send_keys(members.USER)
    driver.find_element(By.ID, "Password").send_keys(members.PASSWORD)
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-accesso button"))
    driver.get(product)
    check.expect(check.text("#prezzo-prodotto strong") == members.RESELLER_PRICE,
                 "the reseller reads " + check.text("#prezzo-prodotto strong"))
    check.screenshot("reseller-price")

    check.step = "signed out"
    driver.get(base + "accesso.asp")
    shop.follow(driver, driver.find_element(By.ID, "esci"))
    driver.get(product)
    check.expect(check.text("#prezzo-prodotto strong") == members.NEW_VISITOR_PRICE,
                 "a signed-out reseller reads " + check.text("#prezzo-prodotto strong"))
    check.expect(not driver.find_elements(By.CSS_SELECTOR, "#prezzo-prodotto del"),
                 "a signed-out reseller still sees a discount")
    check.screenshot("signed-out-price")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--out", required=True, help="where screenshots, page sources and logs go")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-members-browser-")
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                   stdout=subprocess.DEVNULL)
    members.give_reseller_a_price_list(os.path.join(folder, "db", "database.mdb"))
    port = shop.free_port()
    log_path = os.path.join(args.out, "server.log")
    server = driver = None
    try:
        with open(log_path, "w") as log:
            server = shop.start_server("qtr50d", args.launcher, folder, port, work, log)
            driver = shop.browser(os.path.join(work, "profile"))
            check = shop.Check(driver, args.out)
            try:
                run_prices(check, "http://127.0.0.1:%d/" % port)
            except Exception:
                check.save_failure()
                raise
        print("a signed-out reseller sees list prices in the browser")
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
