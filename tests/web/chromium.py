"""Headless Chromium for the page's test and benchmark, and a local server.

Debian's Chromium, driven through Debian's chromium-driver. It runs as root
here, and reaches nothing but this machine: the flags keep it from calling
home, which the machine's network would refuse anyway.
"""

import functools
import http.server
import signal
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def start_browser(download_dir=None):
    """The browser, which the caller quits in a `finally`: SIGTERM, as Ctrl-C, now unwinds to it."""
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    profile = tempfile.mkdtemp(prefix="qxm-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--window-size=1280,1000", "--user-data-dir=" + profile):
        options.add_argument(flag)
    # The console's messages, for the check that the page logs none.
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    if download_dir:
        driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": download_dir})
    return driver


def serve(folder):
    """Serves the folder on a free loopback port; returns the server and its URL."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


def open_page(driver, url):
    """Loads the page and waits, without a deadline of its own, until it has converted once."""
    driver.get(url)
    driver.set_script_timeout(120)
    driver.execute_async_script("""
        const done = arguments[0];
        (function wait() { window.qxmFirstConversionMs !== undefined ? done() : setTimeout(wait, 20); })();""")
