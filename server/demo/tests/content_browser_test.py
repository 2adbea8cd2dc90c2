#!/usr/bin/env python3
"""The shop's content, forum and chat in a real browser.

Makes the demo shop, starts qtr50d with a test SMTP server and drives
headless Chromium: a visitor finds the content from the home page, reads
an article, votes once (a second vote is refused), downloads its file,
sends the wedding-list form (the mail arrives from the shop's address,
to the form's one, with every answer) and follows the form's reply
article, sends an article to a friend (the friend's mail carries the
visitor in Reply-To and the shop's own link), posts a reply in the forum
with markup in it (not shown until it is set active in the database, as
the desk's moderation would; then shown as text), and chats with a second
browser: each sees the other's line, and the nickname the first uses is
refused to the second. A failing step leaves its screenshot and page
source in --out, beside the server's log.
"""

import argparse
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
import traceback

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

import shop_browser_test as shop

MARKUP = "<b>grassetto</b> & <script>alert(1)</script>"


def header(mail, name):
    for key, value in mail["headers"]:
        if key.lower() == name.lower():
            return value
    return ""


def run_reading(check, base):
    driver = check.driver
    check.step = "home page links"
    driver.get(base + "default.asp")
    check.expect(driver.find_elements(By.ID, "home-forum") and driver.find_elements(By.ID, "home-chat"),
                 "the home page has no way into the forum and the chat")
    menu = [a.get_attribute("href") for a in driver.find_elements(By.CSS_SELECTOR, ".menu a")]
    check.expect(any(h.endswith("/sezioni.asp") for h in menu), "the header has no content link: %s" % menu)
    driver.execute_script("document.getElementById('home-contenuti').scrollIntoView({block: 'center'});")
    check.screenshot("home-content-links")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#home-contenuti a.titolo"))
    check.expect("/sezioni.asp?IDSezione=1" in driver.current_url, "the home page led to " + driver.current_url)
    articles = [li.get_attribute("data-articolo") for li in driver.find_elements(By.CSS_SELECTOR, ".riga-articolo")]
    check.expect(articles == ["1", "2"], "section 1 lists %s" % articles)
    check.screenshot("content-section")

    check.step = "an article"
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-articolo[data-articolo='1'] a"))
    check.expect(check.text("#articolo h1") == "Come curare i taglieri di legno", "the title reads " + check.text("#articolo h1"))
    check.expect("olio di vaselina" in check.text("#testo-articolo"), "the text is missing")
    check.expect(check.text("#voto-medio") == "Media 4,3 su 3 voti", "the average reads " + check.text("#voto-medio"))
    files = driver.find_elements(By.CSS_SELECTOR, ".riga-file a")
    check.expect(files and files[0].get_attribute("href").endswith("/images/articoli/files/1.txt"), "no file link")
    check.screenshot("content-article")

    check.step = "the file"
    driver.get(files[0].get_attribute("href"))
    check.expect("cura dei taglieri" in driver.find_element(By.TAG_NAME, "body").text, "the file was not served")
    driver.get(base + "articolo.asp?IDArticolo=1")

    check.step = "votes"
    Select(driver.find_element(By.ID, "scelta-voto")).select_by_value("5")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "form.voto button"))
    check.expect(driver.find_elements(By.ID, "voto-registrato"), "the vote was not counted")
    check.expect(check.text("#voto-medio") == "Media 4,5 su 4 voti", "the average reads " + check.text("#voto-medio"))
    Select(driver.find_element(By.ID, "scelta-voto")).select_by_value("1")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "form.voto button"))
    check.expect(driver.find_elements(By.ID, "voto-rifiutato"), "a second vote was taken")
    check.expect(check.text("#voto-medio") == "Media 4,5 su 4 voti", "the average reads " + check.text("#voto-medio"))

    check.step = "hidden or unknown articles"
    for forged in ("99", "1%20OR%201=1", "abc", "-1"):
        driver.get(base + "articolo.asp?IDArticolo=" + forged)
        check.expect(driver.find_elements(By.ID, "articolo-non-trovato"), "article %s was shown" % forged)


def run_form(check, base, mail_folder):
    driver = check.driver
    check.step = "the article's form"
    driver.get(base + "articolo.asp?IDArticolo=3")
    form = driver.find_element(By.ID, "modulo")
    form.find_element(By.ID, "campo-FLD1").send_keys("Lucia " + MARKUP)
    form.find_element(By.ID, "campo-FLD2").send_keys("031 555 0199")
    form.find_element(By.ID, "campo-FLD4-5").click()
    form.find_element(By.ID, "campo-FLD7").send_keys("120")
    Select(form.find_element(By.ID, "campo-FLD8")).select_by_visible_text("Rustico")
    check.screenshot("content-form")
    shop.follow(driver, form.find_element(By.CSS_SELECTOR, "button[type=submit]"))
    check.expect(driver.find_elements(By.ID, "modulo-inviato"), "the form was not sent")
    mails = shop.wait_for_mails(mail_folder, 1)
    check.expect(len(mails) == 1, "%d mails arrived" % len(mails))
    mail = mails[0]
    check.expect(mail["mail_from"] == "info@bottegadellago.example", "the form came from " + mail["mail_from"])
    check.expect(mail["rcpt_tos"] == ["info@bottegadellago.example"], "the form went to %s" % mail["rcpt_tos"])
    body = mail["body"].replace("\r\n", "\n")
    for line in ("Chiedi un appuntamento", "Nome e cognome: Lucia " + MARKUP, "Quando vi sposate?: In estate",
                 "Numero di invitati: 120", "Stile preferito: Rustico"):
        check.expect(line in body, "the form's mail lacks %r:\n%s" % (line, body))
    shop.follow(driver, driver.find_element(By.ID, "link-risposta"))
    check.expect(check.text("#articolo h1") == "Grazie per la tua richiesta", "the reply article is missing")

    check.step = "referral"
    driver.get(base + "articolo.asp?IDArticolo=1")
    shop.follow(driver, driver.find_element(By.ID, "link-segnala"))
    driver.find_element(By.ID, "mittente").send_keys(MARKUP)
    driver.find_element(By.ID, "email-mittente").send_keys("ugo@cliente.example")
    driver.find_element(By.ID, "email-amico").send_keys("eva@amica.example")
    driver.find_element(By.ID, "note").send_keys("Guarda " + MARKUP)
    check.screenshot("content-referral")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-segnala button"))
    check.expect(driver.find_elements(By.ID, "segnalazione-inviata"), "the referral was not sent")
    mails = shop.wait_for_mails(mail_folder, 3)
    friend = [m for m in mails if m["rcpt_tos"] == ["eva@amica.example"]]
    check.expect(len(friend) == 1, "the friend got %d mails" % len(friend))
    check.expect(friend[0]["mail_from"] == "info@bottegadellago.example", "the referral came from " + friend[0]["mail_from"])
    check.expect(header(friend[0], "Reply-To") == "ugo@cliente.example", "Reply-To: " + header(friend[0], "Reply-To"))
    check.expect("https://127.0.0.1/articolo.asp?IDArticolo=1" in friend[0]["body"], "the link:\n" + friend[0]["body"])
    check.expect(any(m["rcpt_tos"] == ["info@bottegadellago.example"] and "eva@amica" not in m["rcpt_tos"]
                     for m in mails[1:]), "the shop had no copy")


def run_forum(check, base, database):
    driver = check.driver
    check.step = "forum topics"
    driver.get(base + "forum.asp")
    topics = [li.get_attribute("data-argomento") for li in driver.find_elements(By.CSS_SELECTOR, ".riga-argomento")]
    check.expect(topics == ["1", "3"], "the forum lists %s" % topics)
    check.expect("1 discussioni, 2 messaggi" in check.text(".riga-argomento[data-argomento='1'] .dettaglio"),
                 "topic 1's counts read " + check.text(".riga-argomento[data-argomento='1'] .dettaglio"))
    check.screenshot("forum-topics")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-argomento[data-argomento='1'] a"))
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-argomento[data-argomento='2'] a"))
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, ".riga-discussione[data-intervento='1'] a"))
    replies = [li.get_attribute("data-intervento") for li in driver.find_elements(By.CSS_SELECTOR, ".riga-risposta")]
    check.expect(replies == ["2"], "the thread's replies: %s" % replies)

    check.step = "forum post"
    driver.find_element(By.ID, "mittente").send_keys("Ugo " + MARKUP)
    driver.find_element(By.ID, "testo").send_keys("Io aggiungo un filo d'olio " + MARKUP)
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-intervento button"))
    check.expect(driver.find_elements(By.ID, "intervento-ricevuto"), "the post was not taken")
    replies = [li.get_attribute("data-intervento") for li in driver.find_elements(By.CSS_SELECTOR, ".riga-risposta")]
    check.expect(replies == ["2"], "an unpublished post shows: %s" % replies)
    with sqlite3.connect(database) as db:
        new = db.execute("SELECT ID, Attivo, Mittente FROM InterventiForum WHERE IDIntervento=1 AND ID<>2").fetchall()
        check.expect(len(new) == 1 and new[0][0] > 1000000000 and new[0][1] == 0, "stored as %s" % new)
        # The desk's moderation publishes it.
        db.execute("UPDATE InterventiForum SET Attivo=1 WHERE ID=?", (new[0][0],))
    driver.get(base + "discussione.asp?IDIntervento=1")
    published = driver.find_elements(By.CSS_SELECTOR, ".riga-risposta[data-intervento='%d']" % new[0][0])
    check.expect(len(published) == 1, "the published post does not show")
    newest = published[0]
    check.expect(MARKUP in newest.text and not newest.find_elements(By.TAG_NAME, "b")
                 and not driver.find_elements(By.CSS_SELECTOR, ".riga-risposta script"),
                 "the post's markup was not written as text")
    check.screenshot("forum-thread")


def chat_lines(driver):
    # The message frame reloads itself every few seconds: the lines are read
    # in one script call, so no element can go stale between two reads.
    driver.switch_to.frame(driver.find_element(By.ID, "messaggi"))
    try:
        return driver.execute_script(
            "return Array.from(document.querySelectorAll('.messaggio-chat'), e => e.innerText);") or []
    finally:
        driver.switch_to.default_content()


def enter_chat(driver, base, nickname):
    driver.get(base + "chat.asp")
    room = driver.find_element(By.CSS_SELECTOR, ".riga-stanza[data-stanza='10']")
    field = room.find_element(By.NAME, "Nickname")
    field.clear()   # a refused nickname comes back in the field
    field.send_keys(nickname)
    shop.follow(driver, room.find_element(By.CSS_SELECTOR, "button"))


def wait_for_line(check, driver, text, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if any(text in line for line in chat_lines(driver)):
            return
        time.sleep(0.5)
    raise AssertionError("%s: %r never appeared in %s" % (check.step, text, chat_lines(driver)))


def run_chat(check, base, second):
    driver = check.driver
    check.step = "chat entry"
    enter_chat(driver, base, "Ada")
    check.expect(driver.current_url.endswith("/chatstanza.asp"), "the entry led to " + driver.current_url)
    wait_for_line(check, driver, "Ada: benvenuto")
    other = shop.Check(second, check.out)
    other.step = "second visitor"
    enter_chat(second, base, "Ada")
    other.expect(second.find_elements(By.ID, "ingresso-rifiutato"), "a nickname in use was taken")
    other.expect(second.find_element(By.CSS_SELECTOR, ".riga-stanza[data-stanza='10'] input[name=Nickname]")
                 .get_attribute("value") == "Ada", "the refused nickname did not come back")
    enter_chat(second, base, "Bruno")

    check.step = "chat lines"
    second.find_element(By.ID, "testo-chat").send_keys("Ciao Ada " + MARKUP)
    shop.follow(second, second.find_element(By.CSS_SELECTOR, "#modulo-chat button"))
    wait_for_line(check, driver, "Bruno: Ciao Ada " + MARKUP)
    driver.find_element(By.ID, "testo-chat").send_keys("Ciao Bruno!")
    shop.follow(driver, driver.find_element(By.CSS_SELECTOR, "#modulo-chat button"))
    wait_for_line(other, second, "Ada: Ciao Bruno!")
    check.screenshot("chat-first-visitor")
    other.screenshot("chat-second-visitor")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--launcher", required=True, help="qtr50d")
    parser.add_argument("--maker", required=True, help="qtr_make_demoshop")
    parser.add_argument("--smtp-script", required=True, help="the test SMTP server")
    parser.add_argument("--out", required=True, help="where screenshots, page sources and logs go")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qtr-content-browser-")
    folder = os.path.join(work, "shop")
    subprocess.run([args.maker, folder], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    mail_folder = os.path.join(work, "mail")
    port = shop.free_port()
    log_path = os.path.join(args.out, "server.log")
    server = smtp = driver = second = None
    try:
        smtp, smtp_port = shop.start_smtp(args.smtp_script, mail_folder)
        with open(log_path, "w") as log:
            server = shop.start_server("qtr50d", args.launcher, folder, port, work, log, smtp_port)
            driver = shop.browser(os.path.join(work, "profile"))
            second = shop.browser(os.path.join(work, "profile-2"))
            check = shop.Check(driver, args.out)
            base = "http://127.0.0.1:%d/" % port
            try:
                run_reading(check, base)
                run_form(check, base, mail_folder)
                run_forum(check, base, os.path.join(folder, "db", "database.mdb"))
                run_chat(check, base, second)
            except Exception:
                check.save_failure()
                raise
        print("articles, votes, files, the form's mail, the referral, the forum and the chat work in the browser")
        return 0
    except Exception:
        traceback.print_exc()
        print("server log: " + log_path)
        return 1
    finally:
        for browser in (driver, second):
            if browser is not None:
                browser.quit()
        if server is not None:
            shop.stop_server(server)
        if smtp is not None:
            smtp.stdin.close()
            smtp.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
