#!/usr/bin/env python3
"""How a shop page looks in headless Chromium, for the template road test.

  template_look.py --out FOLDER --name NAME [--count SELECTOR]... URL SELECTOR

Opens URL, saves the screenshot as FOLDER/NAME.png and prints one line of
JSON: the computed colour, background colour and text of the first element that
SELECTOR finds, the search field's placeholder, the page's title and, for
each --count selector, how many elements it finds; or
{"ok": false, "error": ...} with the page source saved beside the picture.
"""

import argparse
import json
import os
import sys
import tempfile
import traceback

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "server", "demo", "tests"))
import shop_browser_test as walk  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--count", action="append", default=[])
    parser.add_argument("url")
    parser.add_argument("selector")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as profile:
        driver = walk.browser(profile)
        try:
            driver.get(args.url)
            element = driver.find_element(By.CSS_SELECTOR, args.selector)
            fields = driver.find_elements(By.CSS_SELECTOR, "input[type=search]")
            driver.save_screenshot(os.path.join(args.out, args.name + ".png"))
            print(json.dumps({
                "ok": True,
                "color": element.value_of_css_property("color"),
                "background": element.value_of_css_property("background-color"),
                "text": element.text,
                "placeholder": fields[0].get_attribute("placeholder") if fields else None,
                "title": driver.title,
                "counts": {selector: len(driver.find_elements(By.CSS_SELECTOR, selector)) for selector in args.count},
            }), flush=True)
        except Exception as error:  # reported to the test, which fails on it
            traceback.print_exc()
            with open(os.path.join(args.out, args.name + ".html"), "w", encoding="utf-8") as page:
                page.write(driver.page_source)
            print(json.dumps({"ok": False, "error": str(error)}), flush=True)
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
