# The web page in a real browser, held to the built qxm-convert byte for byte:
# what it shows, copies and downloads, its picture and scrolling display, for
# every format and layout; refused names, the table, font files, the work kept
# and shared; screenshots at a phone's and a desktop's size.
# usage: page_test.py PAGE_DIR QXM_CONVERT PRODUCTINFO_H SCREENSHOT_DIR

import base64
import os
import re
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
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


def in_page_words(message):
    """qxm-convert's refusal as the page says it: a sentence, the cell that takes a font named without the option."""
    message = re.sub(r" \(--size \w+\)", "", message)
    return message[:1].upper() + message[1:] + "."


def lines(*args):
    """qxm-convert's output as the page shows it, with LF line ends."""
    return native(*args)[0].decode().replace("\r\n", "\n")


def options_args(format, layout):
    """qxm-convert's options for the page's; the lookup only where the page offers it."""
    args = ["-f", format, *(["--rows"] if layout.get("rows") else [])]
    args += ["--first-bit", str(layout["first_bit"])] if "first_bit" in layout else []
    args += ["--size", layout["size"]] if "size" in layout else []
    args += ["--proportional"] if layout.get("proportional") else []
    args += ["--lookup"] if layout.get("lookup") and element("lookup").is_enabled() else []
    return args + (["--name", layout["name"]] if layout.get("name") else [])


def element(id):
    return driver.find_element(By.ID, id)


def js(script, *args):
    return driver.execute_script(script, *args)


def after_frame():
    driver.execute_async_script("requestAnimationFrame(() => setTimeout(arguments[0]))")


def set_text(text):
    """Types what a keyboard types; the rest goes in through the browser's editing, as a paste does."""
    box = element("text")
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(Keys.DELETE)
    if text.isprintable() and all(ord(c) < 0x10000 for c in text) and len(text) < 100:
        box.send_keys(text)
    else:
        driver.execute_cdp_cmd("Input.insertText", {"text": text})


def set_field(id, value):
    js("arguments[0].value = arguments[1]; arguments[0].dispatchEvent(new Event('input'))", element(id), value)


def set_options(format, layout):
    Select(element("format")).select_by_value(format)
    set_field("cell", layout.get("size", ""))
    js("""for (const [id, value] of arguments[0]) {
              const box = document.getElementById(id);
              if (box.checked !== value) { box.checked = value; box.dispatchEvent(new Event('change')); }
          }""", [("proportional", bool(layout.get("proportional"))), ("lookup", bool(layout.get("lookup")))])
    if not element("layout").is_enabled():  # a library format's own layout, whatever qxm-convert is told
        return set_field("name", layout.get("name", ""))
    Select(element("layout")).select_by_value("rows" if layout.get("rows") else "columns")
    first = Select(element("first-bit"))
    if "first_bit" in layout:
        first.select_by_value(str(layout["first_bit"]))
    else:
        first.select_by_visible_text(next(o.text for o in first.options if o.text.endswith("(default)")))
    set_field("name", layout.get("name", ""))


def shown_output():
    """The lines the output's view holds: those in view, a few more, with LF line ends."""
    after_frame()
    return element("output-lines").get_attribute("textContent")


def check_shown(name, expected, cell_refused=False):
    """The view holds the expected output's first lines, at least as many as the box shows (10);
    the cell is refused at its field only where qxm-convert refuses it."""
    shown = shown_output()
    check(name, (shown, len(shown.splitlines()) >= min(10, len(expected.splitlines())), bool(element(
        "cell-error").text)), (expected[:len(shown)], True, cell_refused))


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
    """The bytes of the file the page saved, once the browser has finished writing it; None if it saved none."""
    path = os.path.join(downloads, name)
    for _ in range(100):
        if os.path.exists(path) and not any(f.endswith(".crdownload") for f in os.listdir(downloads)):
            with open(path, "rb") as file:
                data = file.read()
            os.remove(path)
            return data
        time.sleep(0.1)


def dots(id, rows=7):
    """A canvas of LEDs read back at each whole dot's centre: '#' lit, '.' dark."""
    after_frame()
    return js("""
        const [canvas, rows] = arguments;
        const dot = canvas.clientHeight / rows;
        // Read from a copy: reading the page's own canvas again and again makes the browser warn.
        const copy = Object.assign(document.createElement('canvas'), {width: canvas.width, height: canvas.height});
        const pixels = canvas.width && (copy.getContext('2d').drawImage(canvas, 0, 0),
            copy.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
        const scale = canvas.width / canvas.clientWidth;
        const lit = (x, y) => pixels[(Math.floor(y * scale) * canvas.width + Math.floor(x * scale)) * 4] > 200;
        return Array.from({length: rows}, (_, row) => Array.from({length: Math.floor(canvas.clientWidth / dot)},
            (_, column) => lit(column * dot + dot / 2, row * dot + dot / 2) ? '#' : '.').join('')).join('\\n');""",
              element(id), rows)


def window_of(preview, first, count):
    """count columns of qxm-convert's picture from first, dark past its end."""
    return "\n".join(row[first:first + count].ljust(count, ".") for row in preview.splitlines())


def check_picture(name, preview_args, first=0):
    """The page's picture holds the columns of qxm-convert's that its frame has room for; returns qxm-convert's."""
    preview = native("--preview", *preview_args)[0].decode()
    rows = preview.count("\n")
    room = js("""const dot = arguments[1].clientHeight / arguments[2];
                 return dot ? Math.floor(arguments[0].clientWidth / dot) : 0;""",
              element("preview-frame"), element("preview"), rows)
    check(name, dots("preview", rows), window_of(preview, first, min(room, len(preview.split("\n")[0]))))
    return preview


def picture_args(layout):
    return (["--size", layout["size"]] if "size" in layout else []) + (
        ["--proportional"] if layout.get("proportional") else [])


downloads = tempfile.mkdtemp(prefix="qxm-downloads-")
server, url = serve(page_dir)
driver = start_browser(downloads)
try:
    # From file://, as a page saved to disk opens: it loads and converts.
    open_page(driver, "file://" + os.path.join(page_dir, "index.html"))
    set_text("Hi")
    check("converts when opened from file://", shown_output(), lines("Hi"))

    # The scrolling display holds still where the system asks for less
    # motion, and is read as a still picture until the end.
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                           {"features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
    open_page(driver, url)
    check("the example on first load", element("text").get_attribute("value"), "Hello, LED!")
    first_conversion_ms = js("return window.qxmFirstConversionMs")
    driver.execute_cdp_cmd("Browser.grantPermissions", {
        "origin": url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    check("the text box has the focus once loaded", driver.switch_to.active_element.get_attribute("id"), "text")
    check("every control has a label", js("""
        return [...document.querySelectorAll('input, select, textarea')]
            .filter((control) => control.labels.length === 0 && !control.ariaLabel).map((control) => control.id);"""),
          [])
    ring = [float(v) / 255 for v in re.findall(r"[\d.]+", js(
        "return getComputedStyle(document.activeElement).outlineColor"))[:3]]
    luminance = sum(w * (v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4)
                    for w, v in zip((0.2126, 0.7152, 0.0722), ring))
    check("the focus ring has 3:1 contrast on white", 1.05 / (luminance + 0.05) >= 3, True)

    product = dict(re.findall(r'(\w+)\[\] = "(.*)";', open(product_info_h).read()))
    check("product and maker from the build", (element("product").text, element("maker").text), (
        product["ProductName"], " · ".join(product[key] for key in ("MakerName", "WebSite", "Email", "Mobile"))))

    element("options").click()
    for layout, rows, size in (("columns", [], ""), ("rows", ["--rows"], ""), ("rows", ["--rows"], "6x13")):
        set_field("cell", size)
        Select(element("layout")).select_by_value(layout)
        offered = [option.get_attribute("value") for option in Select(element("first-bit")).options]
        accepted = [str(bit) for bit in range(8)
                    if native(*rows, "--first-bit", str(bit), *(["--size", size] if size else []), "x")[2] == 0]
        check("first bits offered with %s %s" % (layout, size), offered, accepted)
    format_options = Select(element("format")).options
    formats = [option.get_attribute("value") for option in format_options]
    check("the formats are qxm-convert's", ", ".join(formats), native("-f", "?", "x")[1].split("use one of ")[1])
    check("each format by its purpose, its name beside",
          [o.text.endswith(" (%s)" % f) and len(o.text) > len(f) + 3 for o, f in zip(format_options, formats)],
          [True] * len(formats))
    offered, taken = [], []
    for format in formats:
        for table in (False, True):
            Select(element("format")).select_by_value(format)
            if element("table").is_selected() != table:
                element("table").click()
            offered.append((element("lookup").is_enabled(), element("layout").is_enabled()))
            taken.append((native("-f", format, "--lookup", *(["--table"] if table else ["x"]))[2] == 0,
                          native("-f", format, "x")[0] != native("-f", format, "--rows", "x")[0]))
    check("the lookup and the byte layout offered where qxm-convert takes them", offered, taken)
    element("table").click()

    # The display, 12 dots wide, shows the same dots as the picture.
    Select(element("scroll-unit")).select_by_value("dots")
    js("arguments[0].value = 12; arguments[0].dispatchEvent(new Event('input'))", element("scroll-width"))
    # Any cell, proportional, the lookup; a cell too high for the formats
    # that keep a column in a byte is refused.
    layouts = [{}, {"rows": True}, {"first_bit": 0}, {"rows": True, "first_bit": 7, "name": "Font_1"},
               {"size": "8x8", "proportional": True, "lookup": True, "first_bit": 0},
               {"size": "10x13", "rows": True, "name": "Big"}]
    # Typed, with Windows-1252 letters, code 92 and 126, a code without a
    # glyph (the euro sign) and one outside the code page; then stops at a
    # tab, at a pasted line break, at DEL and at a text one longer than the
    # longest.
    for text in ["Hello, LED!", "25°C € \\~ Ω", "ab\tc", "ab\ncd", "x\x7fy", "é😀\x85", "A" * 32768]:
        set_text(text)
        for format in formats:
            for layout in layouts:
                set_options(format, layout)
                args = options_args(format, layout)
                expected, refusal, _ = native(*args, text)
                check_shown("%s %s of %r" % (format, layout, text[:20]), expected.decode().replace("\r\n", "\n"),
                            "--size" in refusal)
                if format == formats[0]:
                    preview = check_picture("picture %s of %r" % (layout, text[:20]), [*picture_args(layout), text])
                    check("still display %s of %r" % (layout, text[:20]), dots("scroll-display", preview.count(
                        "\n")), window_of(preview, 0, 12))
                if format == "c" and text == "Hello, LED!":
                    check("glyph bytes picture %s" % layout, js("""return [...document.querySelectorAll(
                        '#glyph-table td.byte')].map((cell) => cell.textContent).join(' ')"""),
                          " ".join(re.findall(r"0x([0-9A-F]{2})", lines(*args, "H"))))
        message = native("--preview", text)[1]
        check("stop message of %r" % text[:20], (element("message").text, element("scroll-note").text.endswith(
            ": " + message) if message else True), (message, True))
    for size, refusal in (("40x2", None), ("4x6", native("--size", "4x6", "x")[1])):
        set_field("cell", size)
        problem = element("cell-error").text
        check("cell %s refused in the page's words" % size, (bool(problem), "--" in problem, refusal is None or (
            problem == in_page_words(refusal))), (True, False, True))
    set_field("cell", layouts[-1]["size"])

    # The end of the longest output and picture, scrolled to.
    set_text("A" * 32767)
    js("arguments[0].scrollTop = 1e9", element("output"))
    shown = shown_output()
    check("the long output's last lines", (lines(*options_args(formats[-1], layouts[-1]), "A" * 32767).endswith(
        shown), len(shown.splitlines()) >= 10), (True, True))
    first = js("""const frame = arguments[0];
                  frame.scrollLeft = Math.floor((frame.scrollWidth - frame.clientWidth) / 6) * 6;
                  return frame.scrollLeft / 6;""", element("preview-frame"))
    check_picture("the long picture's last columns", [*picture_args(layouts[-1]), "A" * 32767], first)

    set_field("cell", "")
    set_text("Hi\tthere")
    for _ in range(3):
        element("scroll-step").click()
    check("the display's frames step on", dots("scroll-display"),
          window_of(native("--preview", "Hi\tthere")[0].decode(), 3, 12))
    # Copy and Download give the exact bytes, CR LF in the BASIC formats,
    # from the keyboard alone; the status names the file saved.
    for format in formats:
        set_options(format, {"name": "Sign"})
        expected = native(*options_args(format, {"name": "Sign"}), "Hi\tthere")[0]
        element("copy").send_keys(Keys.ENTER)
        wait_for_text("action-status", "")
        check("Copy in " + format, clipboard().encode(), expected)
        element("download").send_keys(Keys.ENTER)
        saved = wait_for_text("action-status", "Copied.").removeprefix("Downloaded as ").removesuffix(".")
        check("Download in " + format, downloaded(saved), expected)

    # A refused name is said at its field in the page's words; Copy and
    # Download then say why they are unavailable, and copy or save nothing.
    js("navigator.clipboard.writeText('kept')")
    for format, name in (("c", "int"), ("bascom", "Data"), ("gcb", "9lives"), ("arduino", "a/b")):
        set_options(format, {"name": name})
        element("copy").click()
        element("download").click()
        time.sleep(0.2)
        problem = element("name-error").text
        check("name %s refused in %s" % (name, format),
              (shown_output(), bool(problem) and "--" not in problem, element("copy").get_attribute("aria-disabled"),
               bool(element("unavailable").text), clipboard(), os.listdir(downloads), native(
                  "-f", format, "--name", name, "x")[2]), ("", True, "true", True, "kept", [], 2))

    # The live regions change only when their words do; Enter adds no line.
    set_text("a\tb")
    js("""window.changes = 0;
          for (const region of document.querySelectorAll('[aria-live]')) {
              new MutationObserver((records) => { window.changes += records.length; })
                  .observe(region, {childList: true, characterData: true, subtree: true});
          }""")
    element("text").send_keys("c", Keys.ENTER, "d")
    check("live regions untouched while their words stay",
          (js("return window.changes"), element("text").get_attribute("value")), (0, "a\tbcd"))

    element("table").send_keys(Keys.SPACE)
    for format in formats:
        set_options(format, {})
        check_shown("table in " + format, lines("--table", "-f", format))

    # A font file, read by the same loader; one too large is refused as
    # qxm-convert refuses it, and the font before it stays.
    font = os.path.join(fonts, "5x7.pcf.gz")
    element("font-file").send_keys(font)
    wait_for_text("font-status", "Using the built-in font.")
    check_shown("table with a font file", lines("--font", font, "--table", "-f", formats[-1]))
    element("table").send_keys(Keys.SPACE)
    set_text("25°C é")
    check_picture("picture with a font file", ["--font", font, "25°C é"])
    # One too large is refused in qxm-convert's words, the cell that takes
    # it named as the page names it, and offered.
    loaded = element("font-status").text
    large = os.path.join(fonts, "6x10.pcf.gz")
    element("font-file").send_keys(large)
    refusal = in_page_words(native("--font", "6x10.pcf.gz", "x", cwd=fonts)[1])
    check("a font too large is refused", wait_for_text("font-status", loaded).startswith(refusal + " "), True)
    check_picture("the font before a refused one stays", ["--font", font, "25°C é"])
    element("font-cell").click()
    check_picture("a font read for the cell that takes it", ["--font", large, "--size", "6x10", "25°C é"])
    set_field("cell", "")
    check("a font the cell no longer takes is refused at the cell", element("cell-error").text, refusal)
    element("built-in").send_keys(Keys.ENTER)
    check_picture("back to the built-in font", ["25°C é"])

    set_options("bascom", {})
    element("clear").send_keys(Keys.ENTER)
    check("Clear all empties the text, and the empty boxes say why",
          (element("text").get_attribute("value"), shown_output(), element("preview-frame").is_displayed(),
           bool(element("preview-note").text), bool(element("output-empty").text)),
          ("", "", False, True, True))

    # The dot editor in an 8x8 cell: a drag lights dots of the text's first
    # glyph, the keyboard one of a glyph clicked in the picture, with undo
    # and redo between; the font saved as BDF converts in qxm-convert as it
    # does on the page.
    set_options("c", {"size": "8x8"})
    set_text("Hi")
    element("editor").find_element(By.TAG_NAME, "summary").click()
    after_frame()
    bottom = driver.find_elements(By.CSS_SELECTOR, "#dot-grid [role=row]:last-child button")
    ActionChains(driver).click_and_hold(bottom[0]).move_to_element(bottom[1]).move_to_element(bottom[2]).release(
        ).perform()
    dragged = shown_output()
    driver.switch_to.active_element.send_keys(Keys.ARROW_UP, Keys.ARROW_RIGHT, Keys.SPACE)
    focused = driver.switch_to.active_element
    check("a dot's row, column and state, named and spoken",
          (focused.get_attribute("aria-label"), focused.get_attribute("aria-pressed"), element("dot-status").text),
          ("Row 7, column 2", "true", "Row 7, column 2: lit."))
    focused.send_keys(Keys.CONTROL, "z")
    undone = shown_output()
    focused.send_keys(Keys.CONTROL, "y")
    check("undo and redo of a dot", (undone, shown_output() != dragged), (dragged, True))
    preview = element("preview")
    ActionChains(driver).move_to_element_with_offset(preview, 10 * 6 - preview.size["width"] // 2, 0).click().perform()
    picked = [element("glyph-char").get_attribute("value")]
    for step in ("glyph-next", "glyph-previous"):
        element(step).click()
        picked.append(element("glyph-char").get_attribute("value"))
    check("a glyph picked in the picture, and the next and previous", picked, ["i", "j", "i"])
    driver.find_element(By.CSS_SELECTOR, "#dot-grid button[tabindex='0']").send_keys(Keys.SPACE)
    element("export-font").click()
    edited = os.path.join(downloads, "edited.bdf")
    with open(edited, "wb") as file:
        file.write(downloaded(wait_for_text("edit-status", "").removeprefix("Downloaded as ").removesuffix(".")))
    check("the edited font, saved as BDF, in qxm-convert", shown_output(), lines("--font", edited, "--size", "8x8",
                                                                                 "-f", "c", "Hi"))

    # The work, edited glyphs included, survives a reload, and a link to it
    # restores it elsewhere; the saved font read back gives the same.
    set_text("Hi, keep me")
    set_options("c", {"rows": True, "name": "Kept", "size": "8x8"})
    expected = lines("--font", edited, "-f", "c", "--rows", "--name", "Kept", "--size", "8x8", "Hi, keep me")
    open_page(driver, driver.current_url)
    check_shown("the work after a reload", expected)
    element("share").click()
    link = wait_for_text("share-status", "") and clipboard()
    element("text").send_keys("!")
    check("a link that no longer holds the work leaves the address", js("return location.hash"), "")
    driver.get("about:blank")
    open_page(driver, link)
    check_shown("the work from a shared link, not the later one kept", expected)
    element("font-file").send_keys(edited)
    wait_for_text("font-status", "Using the built-in font.")
    element("editor").find_element(By.TAG_NAME, "summary").click()
    element("restore-all").click()
    check_shown("the saved font read back, without the edits", expected)

    # The display runs where motion is welcome.
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
    still = dots("scroll-display")
    time.sleep(0.3)
    check("the display runs", (element("scroll-play").text, dots("scroll-display") != still), ("Pause", True))

    # After typing, the picture, the first lines and Copy are in view
    # without scrolling, at a desktop's and a phone's size.
    os.makedirs(screenshot_dir, exist_ok=True)
    for name, width, height in (("desktop", 1280, 800), ("phone", 390, 844)):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        js("scrollTo(0, 0)")
        set_text("Hello, LED!")
        check("the result in view at %dx%d" % (width, height), js("""
            return ['preview', 'output-lines', 'copy'].filter((id) => {
                const box = document.getElementById(id).getBoundingClientRect();
                return box.height === 0 || box.top < 0 || box.bottom > innerHeight;
            }).concat(document.documentElement.scrollWidth > innerWidth ? ['sideways scrolling'] : []);"""), [])
        for shot, editor in (("web-%s.png", False), ("web-%s-editor.png", True)):
            js("arguments[0].open = arguments[1]; arguments[1] && arguments[0].scrollIntoView()", element("editor"),
               editor)
            with open(os.path.join(screenshot_dir, shot % name), "wb") as file:
                file.write(base64.b64decode(driver.execute_cdp_cmd("Page.captureScreenshot", {})["data"]))

    check("no console message, from file:// or over HTTP", [entry["message"] for entry in driver.get_log("browser")], [])
    check("no connection after load", driver.execute_async_script(
        "fetch('index.html').then(() => arguments[0]('connected'), () => arguments[0]('refused'))"), "refused")
    print("page load to first conversion: %.0f ms" % first_conversion_ms)
finally:
    driver.quit()
    server.shutdown()

print("%d passed, %d failed" % (passed, len(failures)))
sys.exit(1 if failures else 0)
