#!/usr/bin/env python3
"""The members' area in a real browser, on qtr50d, with mail at a test SMTP server.

Makes the demo shop, starts the test SMTP server and qtr50d and drives
headless Chromium: a visitor follows the header's link to sign up, fills
the form (a fault first, then right), reads his user name, finds his
password in the mail that arrived, signs in, edits his profile with a new
password and his interests, signs out, asks for a new password, signs in
with the one the second mail brings; then the reseller reads his
consignees and the agent his customers and chooses one. Screenshots of
every page go to --out (a failing step leaves its screenshot and page
source there, beside the server's log).
"""

import os
import re
import sys

from selenium.webdriver.common.by import By

import members_pages_requests_test as pages
import shop_browser_test as shop

EMAIL = "giulia.verdi@esempio.test"


def fill(driver, values):
    for name, value in values.items():
        field = driver.find_element(By.NAME, name)
        field.clear()
        field.send_keys(value)


def credentials(mail):
    """The user name and password lines of a mail."""
    body = mail["body"]
    user = re.search(r"Nome utente: *([^\r\n]*)", body)
    password = re.search(r"Password: *([a-z0-9]+)", body)
    return (user.group(1) if user else None), (password.group(1) if password else None)


def sign_in(check, base, user, password):
    driver = check.driver
    driver.get(base + "accesso.asp")
    fill(driver, {"UserID": user, "Password": password})
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-accesso button"))
    return not driver.find_elements(By.ID, "accesso-rifiutato")


def sign_out(check, base):
    driver = check.driver
    driver.get(base + "accesso.asp")
    shop.follow(driver, driver.find_element(By.ID, "esci"))


def run_walk(check, base, mail_folder):
    driver = check.driver

    check.step = "sign up"
    driver.get(base + "default.asp")
    check.expect(driver.find_elements(By.ID, "area-membri"), "the home page has no members' area")
    driver.execute_script("document.getElementById('area-membri').scrollIntoView();")
    check.screenshot("members-home")
    shop.follow(driver, driver.find_element(By.ID, "link-registrazione"))
    check.expect(check.text("h1") == "Registrati", "heading %r" % check.text("h1"))
    values = {"Cognome": "Verdi", "Nome": "Giulia", "Indirizzo": "Via Roma 2", "Cap": "20100",
              "Localita": "Milano", "Provincia": "MI", "Stato": "Italia", "Email": EMAIL,
              "RagioneSociale": "<b>Verdi</b> & figli"}
    fill(driver, dict(values, Cap=""))
    driver.find_element(By.CSS_SELECTOR, '#interessi input[name="INT2"]').click()
    shop.follow(driver, driver.find_element(By.ID, "invia-registrazione"))
    check.expect(check.text("#errore-membro") == "Inserire il CAP", "error %r" % check.text("#errore-membro"))
    check.expect(driver.find_element(By.NAME, "Cognome").get_attribute("value") == "Verdi",
                 "the typed surname is not shown again")
    check.expect(driver.find_element(By.NAME, "RagioneSociale").get_attribute("value") == "<b>Verdi</b> & figli",
                 "the typed company name is not shown as typed")
    check.expect(driver.find_element(By.CSS_SELECTOR, '#interessi input[name="INT2"]').is_selected(),
                 "the chosen interest is not kept")
    check.screenshot("members-signup-error")
    fill(driver, {"Cap": "20100"})
    shop.follow(driver, driver.find_element(By.ID, "invia-registrazione"))
    check.expect(driver.find_elements(By.ID, "registrato"), "no confirmation")
    user = re.search(r"è (\S+)\.", check.text("#utente-nuovo")).group(1)
    check.expect(not driver.find_elements(By.ID, "password-nuova"), "the mailed password is shown on the page")
    check.screenshot("members-signup-done")

    check.step = "the sign-up mails"
    mails = shop.wait_for_mails(mail_folder, 2)
    check.expect(len(mails) == 2, "%d mails" % len(mails))
    mine = [m for m in mails if EMAIL in m["rcpt_tos"]]
    merchant = [m for m in mails if "info@bottegadellago.example" in m["rcpt_tos"]]
    check.expect(len(mine) == 1 and len(merchant) == 1, "to %r" % [m["rcpt_tos"] for m in mails])
    mailed_user, password = credentials(mine[0])
    check.expect(mailed_user == user and password, "the member's mail names %r / %r" % (mailed_user, password))
    check.expect(password not in merchant[0]["body"], "the merchant's copy holds the password")
    check.expect(user in merchant[0]["body"], "the merchant's copy does not name the user")

    check.step = "sign in"
    check.expect(sign_in(check, base, user, password), "the mailed password is refused")
    check.expect(driver.find_elements(By.ID, "link-profilo"), "no profile link in the header")

    check.step = "profile"
    shop.follow(driver, driver.find_element(By.ID, "link-profilo"))
    check.expect(driver.find_element(By.NAME, "Cognome").get_attribute("value") == "Verdi", "the profile is empty")
    check.expect(driver.find_element(By.CSS_SELECTOR, '#interessi input[name="INT2"]').is_selected(),
                 "the interest chosen at sign-up is not set")
    fill(driver, {"Telefono": "02 555 0101", "Password": "nuova2026", "ConfermaPassword": "nuova2026"})
    driver.find_element(By.CSS_SELECTOR, '#interessi input[name="INT3"]').click()
    shop.follow(driver, driver.find_element(By.ID, "salva-profilo"))
    check.expect(driver.find_elements(By.ID, "profilo-salvato"), "the profile was not saved: %s" %
                 driver.find_element(By.TAG_NAME, "main").text[:300])
    check.expect(driver.find_element(By.NAME, "Telefono").get_attribute("value") == "02 555 0101",
                 "the saved phone is not shown")
    check.expect(driver.find_element(By.CSS_SELECTOR, '#interessi input[name="INT3"]').is_selected(),
                 "the new interest is not set")
    check.screenshot("members-profile")
    driver.get(base + "interessi.asp")
    check.screenshot("members-interests")
    sign_out(check, base)
    check.expect(not sign_in(check, base, user, password), "the old password still signs in")
    check.expect(sign_in(check, base, user, "nuova2026"), "the new password is refused")
    sign_out(check, base)

    check.step = "password recovery"
    driver.get(base + "default.asp")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, '#area-membri a[href="/recuperopassword.asp"]'))
    fill(driver, {"Email": "nessuno@esempio.test"})
    shop.follow(driver, driver.find_element(By.ID, "invia-recupero"))
    check.expect(driver.find_elements(By.ID, "errore-membro"), "an unknown address is not refused")
    fill(driver, {"Email": EMAIL})
    shop.follow(driver, driver.find_element(By.ID, "invia-recupero"))
    check.expect(driver.find_elements(By.ID, "password-inviata"), "the recovery was not sent")
    check.screenshot("members-recovery")
    # Two for the sign-up, two for the profile, one for the recovery.
    mails = shop.wait_for_mails(mail_folder, 5)
    recovery = [m for m in mails if ["Subject", "Recupero password"] in m["headers"]]
    check.expect(len(mails) == 5 and len(recovery) == 1, "%d mails, %d recoveries" % (len(mails), len(recovery)))
    check.expect(recovery[0]["rcpt_tos"] == [EMAIL], "the recovery went to %r" % recovery[0]["rcpt_tos"])
    recovered_user, recovered = credentials(recovery[0])
    check.expect(recovered_user == user and recovered, "the recovery mail names %r / %r" % (recovered_user, recovered))
    check.expect(not sign_in(check, base, user, "nuova2026"), "the replaced password still signs in")
    check.expect(sign_in(check, base, user, recovered), "the recovered password is refused")
    sign_out(check, base)

    check.step = "consignees"
    check.expect(sign_in(check, base, "rivenditore", "lago2024"), "the reseller is refused")
    driver.get(base + "destinatari.asp")
    check.expect("Via del Porto 3" in check.text("#elenco-destinatari"), "the reseller's consignee is missing")
    check.screenshot("members-consignees")
    sign_out(check, base)

    check.step = "agent's customers"
    check.expect(sign_in(check, base, "agente", "lago2024"), "the agent is refused")
    shop.follow(driver, driver.find_element(By.ID, "link-clienti"))
    rows = driver.find_elements(By.CSS_SELECTOR, "tr.riga-cliente")
    check.expect(len(rows) == 1 and "Casa e Giardino" in rows[0].text, "customers %r" % [r.text for r in rows])
    check.screenshot("members-customers")
    fill(driver, {"FiltroLocalita": "Milano"})
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-filtri button"))
    check.expect(driver.find_elements(By.ID, "nessun-cliente"), "the filter did not narrow the list")
    fill(driver, {"FiltroLocalita": "lec"})
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-filtri button"))
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "tr.riga-cliente button"))
    driver.get(base + "profilo.asp")
    check.expect(driver.find_element(By.NAME, "Cognome").get_attribute("value") == "Rossi",
                 "the agent does not act for his customer")

    check.step = "english"
    sign_out(check, base)
    driver.get(base + "registrazione.asp?CodiceLingua=en")
    check.expect(check.text("h1") == "Sign up", "English heading %r" % check.text("h1"))
    check.screenshot("members-signup-en")


def main():
    args = pages.arguments(__doc__)

    def body(port, folder, mail_folder, work):
        driver = shop.browser(os.path.join(work, "profile"))
        check = shop.Check(driver, args.out)
        try:
            run_walk(check, "http://127.0.0.1:%d/" % port, mail_folder)
            return True
        except Exception:
            check.save_failure()
            raise
        finally:
            driver.quit()

    if not pages.serve(args, "qtr-members-walk-", body):
        return 1
    print("a visitor signs up, signs in, edits his profile and recovers his password in the browser")
    return 0


if __name__ == "__main__":
    sys.exit(main())
