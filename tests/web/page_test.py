"""The web page in a real browser, held to the built qxm-convert byte for byte.

usage: page_test.py PAGE_DIR QXM_CONVERT PRODUCTINFO_H SCREENSHOT_DIR

Types texts into the page, picks every format and layout, and compares what
the page shows, copies and downloads with what qxm-convert writes for the same
text and options; likewise the preview, the stop messages, refused names, the
whole-font table and a font file. Takes screenshots at a desktop's and a
phone's width.
"""

import base64
import os
import re
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from chromium import open_page, serve, start_browser

page_dir, qxm_convert, product_info_h, screenshot_dir = map(os.path.abspath, sys.argv[1:5])
fonts = "/usr/share/fonts/X11/misc"
failures = []
passed = 0


def check(name, actual, expected):
    global passed
    if actual == expected:
        passed += 1
    else:
        failures.append(name)
        print("FAIL %s\n  page:        %r\n  qxm-convert: %r" % (name, str(actual)[:300], str(expected)[:300]))


def native(*args, cwd=None):
    """qxm-convert's output bytes and its message, without the program's name."""
    run = subprocess.run([qxm_convert, *args], capture_output=True, cwd=cwd)
    message = run.stderr.decode().split("\n")[0].removeprefix("qxm-convert: ")
    return run.stdout, message, run.returncode


def options_args(format, layout):
    args = ["-f", format]
    if layout.get("rows"):
        args.append("--rows")
    if "first_bit" in layout:
        args += ["--first-bit", str(layout["first_bit"])]
    if layout.get("name"):
        args += ["--name", layout["name"]]
    return args


def element(id):
    return driver.find_element(By.ID, id)


def set_text(text):
    """Types text a keyboard can type; the rest goes in as a paste would, with an input event."""
    box = element("text")
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(Keys.DELETE)
    if text.isprintable() and all(ord(c) < 0x10000 for c in text) and len(text) < 100:
        box.send_keys(text)
    else:
        driver.execute_script("""
            arguments[0].value = arguments[1];
            arguments[0].dispatchEvent(new Event('input'));""", box, text)


def set_options(format, layout):
    Select(element("format")).select_by_value(format)
    Select(element("layout")).select_by_value("rows" if layout.get("rows") else "columns")
    first = Select(element("first-bit"))
    if "first_bit" in layout:
        first.select_by_value(str(layout["first_bit"]))
    else:
        first.select_by_visible_text(next(o.text for o in first.options if o.text.endswith("(default)")))
    name = element("name")
    name.send_keys(Keys.CONTROL, "a")
    name.send_keys(Keys.DELETE)
    name.send_keys(layout.get("name", ""))


def shown_output():
    # A text box gives its lines back with LF alone; the exact bytes are
    # checked through Copy and Download.
    return element("output").get_attribute("value")


def wait_for_text(id, previous):
    """The element's text once the page has changed it (a copy, a font read, both asynchronous)."""
    for _ in range(1200):
        if element(id).text != previous:
            break
        time.sleep(0.1)
    return element(id).text


def clipboard():
    return driver.execute_async_script("""
        navigator.clipboard.readText().then(arguments[0], (error) => arguments[0]('no clipboard: ' + error));""")


def downloaded(name):
    """The bytes of the file the page saved, once the browser has finished writing it."""
    path = os.path.join(downloads, name)
    while not os.path.exists(path) or any(f.endswith(".crdownload") for f in os.listdir(downloads)):
        time.sleep(0.1)
    with open(path, "rb") as file:
        data = file.read()
    os.remove(path)
    return data


def preview_dots():
    """The canvas read back at each dot's centre: '#' lit, '.' dark."""
    return driver.execute_script("""
        const canvas = document.getElementById('preview');
        const scale = window.devicePixelRatio;
        const context = canvas.getContext('2d');
        const rows = [];
        const width = parseFloat(canvas.style.width);
        for (let row = 0; row < 7; ++row) {
            let line = '';
            for (let x = 3; x < width; x += 6) {
                const pixel = context.getImageData(Math.floor(x * scale), Math.floor((row * 6 + 3) * scale), 1, 1).data;
                line += pixel[0] > 200 ? '#' : '.';
            }
            rows.push(line);
        }
        return rows.join('\\n') + '\\n';""")


downloads = tempfile.mkdtemp(prefix="qxm-downloads-")
server, url = serve(page_dir)
driver = start_browser(downloads)
try:
    # From file://, as a page saved to disk opens: it loads and converts.
    open_page(driver, "file://" + os.path.abspath(os.path.join(page_dir, "index.html")))
    set_text("Hi")
    check("converts when opened from file://", shown_output(), native("Hi")[0].decode().replace("\r\n", "\n"))

    open_page(driver, url)
    first_conversion_ms = driver.execute_script("return window.qxmFirstConversionMs")
    driver.execute_cdp_cmd("Browser.grantPermissions", {
        "origin": url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    check("the text box has the focus once loaded", driver.switch_to.active_element.get_attribute("id"), "text")
    check("every control has a label", driver.execute_script("""
        return [...document.querySelectorAll('input, select, textarea')]
            .filter((control) => control.labels.length === 0).map((control) => control.id);"""), [])

    product = dict(re.findall(r'(\w+)\[\] = "(.*)";', open(product_info_h).read()))
    check("product name from the build", element("product").text, product["ProductName"])
    check("maker's details from the build", element("maker").text,
          " · ".join(product[key] for key in ("MakerName", "WebSite", "Email", "Mobile")))

    # The first bits offered are those qxm-convert accepts.
    for layout, rows in (("columns", []), ("rows", ["--rows"])):
        Select(element("layout")).select_by_value(layout)
        offered = [option.get_attribute("value") for option in Select(element("first-bit")).options]
        accepted = [str(bit) for bit in range(8) if native(*rows, "--first-bit", str(bit), "x")[2] == 0]
        check("first bits offered with " + layout, offered, accepted)

    formats = [option.get_attribute("value") for option in Select(element("format")).options]
    check("the formats are qxm-convert's", ", ".join(formats), native("-f", "?", "x")[1].split("use one of ")[1])
    layouts = [{}, {"rows": True}, {"first_bit": 0}, {"rows": True, "first_bit": 7, "name": "Font_1"}]
    # Typed, with Windows-1252 letters, code 92 and 126, a code without a
    # glyph (the euro sign) and one outside the code page; then stops at a
    # tab, at DEL and at a text one longer than the longest.
    texts = ["Hello, LED!", "25°C € \\~ Ω", "ab\tc", "x\x7fy", "é😀\x85", "A" * 32768]
    for text in texts:
        set_text(text)
        expected_preview, expected_message, _ = native("--preview", text)
        # The page draws at most 1200 columns of a long text.
        expected_preview = "".join(row[:1200] + "\n" for row in expected_preview.decode().splitlines())
        check("preview of %r" % text[:20], preview_dots(), expected_preview)
        check("stop message of %r" % text[:20], element("message").text, expected_message)
        for format in formats:
            for layout in layouts:
                set_options(format, layout)
                expected, _, _ = native(*options_args(format, layout), text)
                check("%s %s of %r" % (format, layout, text[:20]), shown_output(),
                      expected.decode().replace("\r\n", "\n"))

    # Copy and Download give the exact bytes, CR LF in the BASIC formats,
    # from the keyboard alone.
    set_text("Hi\tthere")
    for format in formats:
        set_options(format, {"name": "Sign"})
        expected = native(*options_args(format, {"name": "Sign"}), "Hi\tthere")[0]
        element("copy").send_keys(Keys.ENTER)
        wait_for_text("action-status", "")
        check("Copy in " + format, clipboard().encode(), expected)
        element("download").send_keys(Keys.ENTER)
        extension = {"bascom": "bas", "gcb": "gcb", "proton": "bas"}.get(format, "h")
        check("Download in " + format, downloaded("Sign." + extension), expected)

    # A name the format's language reserves, or no name at all, is refused
    # with qxm-convert's words and no output.
    for format, name in (("c", "int"), ("bascom", "Data"), ("gcb", "9lives")):
        set_options(format, {"name": name})
        _, message, status = native("-f", format, "--name", name, "x")
        check("name %s refused in %s" % (name, format), (element("message").text, shown_output(), status),
              (message, "", 2))

    # The whole font, indexed by code.
    element("table").send_keys(Keys.SPACE)
    for format in formats:
        set_options(format, {})
        check("table in " + format, shown_output(), native("--table", "-f", format)[0].decode().replace("\r\n", "\n"))

    # A font file, read by the same loader; one too large is refused as
    # qxm-convert refuses it, and the font before it stays.
    element("font-file").send_keys(os.path.join(fonts, "5x7.pcf.gz"))
    wait_for_text("font-status", "Using the built-in font.")
    check("table with a font file", shown_output(),
          native("--font", os.path.join(fonts, "5x7.pcf.gz"), "--table", "-f", formats[-1])[0].decode().replace("\r\n", "\n"))
    element("table").send_keys(Keys.SPACE)
    set_text("25°C é")
    check("preview with a font file", preview_dots(),
          native("--font", os.path.join(fonts, "5x7.pcf.gz"), "--preview", "25°C é")[0].decode())
    loaded = element("font-status").text
    element("font-file").send_keys(os.path.join(fonts, "6x10.pcf.gz"))
    refusal = native("--font", "6x10.pcf.gz", "x", cwd=fonts)[1]
    check("a font too large is refused", wait_for_text("font-status", loaded).startswith(refusal + ". "), True)
    check("the font before a refused one stays", preview_dots(),
          native("--font", os.path.join(fonts, "5x7.pcf.gz"), "--preview", "25°C é")[0].decode())
    element("built-in").send_keys(Keys.ENTER)
    check("back to the built-in font", preview_dots(), native("--preview", "25°C é")[0].decode())

    element("clear").send_keys(Keys.ENTER)
    check("Clear all empties the text", (element("text").get_attribute("value"), shown_output()),
          ("", native("-f", formats[-1], "")[0].decode()))

    os.makedirs(screenshot_dir, exist_ok=True)
    set_text("Hello, LED!")
    for name, width in (("desktop", 1280), ("phone", 360)):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": 900, "deviceScaleFactor": 1, "mobile": width < 600})
        check("no sideways scrolling at %d px" % width, driver.execute_script(
            "return document.documentElement.scrollWidth <= document.documentElement.clientWidth"), True)
        size = driver.execute_cdp_cmd("Page.getLayoutMetrics", {})["cssContentSize"]
        shot = driver.execute_cdp_cmd("Page.captureScreenshot", {"captureBeyondViewport": True, "clip": {
            "x": 0, "y": 0, "width": width, "height": size["height"], "scale": 1}})
        with open(os.path.join(screenshot_dir, "web-%s.png" % name), "wb") as file:
            file.write(base64.b64decode(shot["data"]))
    print("page load to first conversion: %.0f ms" % first_conversion_ms)
finally:
    driver.quit()
    server.shutdown()

print("%d passed, %d failed" % (passed, len(failures)))
sys.exit(1 if failures else 0)
