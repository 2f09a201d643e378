"""The web page's speed in headless Chromium, next to the converter window's.

usage: web_bench.py PAGE_DIR QXM_KEYSTROKE_BENCH [RUNS]

Prints:
- the page's files, raw and gzipped, and what a browser fetches over HTTP
  (qxm.wasm) and from file:// (qxm-wasm.js, the module in base64);
- the time from navigation to the first conversion, served over HTTP;
- key to frame: from a key typed at the end of a text of 10, 1000 and 32767
  characters until the frame that shows its result has been drawn, the
  median of RUNS keystrokes, next to the window's BM_Keystroke_AppendAtEnd
  at the same lengths (which ends once the window has repainted), and the
  ratio of the two.
"""

import gzip
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from chromium import open_page, serve, start_browser  # noqa: E402

page_dir, native_bench = sys.argv[1:3]
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 30
lengths = (10, 1000, 32767)
median = lambda values: sorted(values)[len(values) // 2]  # noqa: E731

print("file               raw bytes    gzip -9")
sizes = {}
for name in sorted(os.listdir(page_dir)):
    with open(os.path.join(page_dir, name), "rb") as file:
        data = file.read()
    sizes[name] = (len(data), len(gzip.compress(data, 9)))
    print("%-16s %11d %10d" % (name, *sizes[name]))
for where, left_out in (("over HTTP", "qxm-wasm.js"), ("from file://", "qxm.wasm")):
    fetched = [size for name, size in sizes.items() if name != left_out]
    print("%-16s %11d %10d" % (where, sum(raw for raw, _ in fetched), sum(packed for _, packed in fetched)))

# The time stamp of each key, and the moment after the next frame has been
# drawn: a task queued from the frame's animation callback runs once the
# frame's style, layout and paint are done.
measure = """
    window.qxmKeyToFrame = [];
    addEventListener('keydown', (event) => {
        const start = event.timeStamp;
        requestAnimationFrame(() => setTimeout(() => qxmKeyToFrame.push(performance.now() - start)));
    }, true);"""
keys = {"x": {"key": "x", "code": "KeyX", "text": "x", "windowsVirtualKeyCode": 88},
        "Backspace": {"key": "Backspace", "code": "Backspace", "windowsVirtualKeyCode": 8}}


def type_key(name):
    """Types the key and waits until its frame has been measured."""
    for kind in ("keyDown", "keyUp"):
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, **keys[name]})
    return driver.execute_async_script("""
        const done = arguments[0];
        (function wait() { qxmKeyToFrame.length ? done(qxmKeyToFrame.pop()) : setTimeout(wait, 5); })();""")


server, url = serve(page_dir)
driver = start_browser()
try:
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 1280, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    loads = []
    for _ in range(10):
        open_page(driver, url)
        loads.append(driver.execute_script("return window.qxmFirstConversionMs"))
    print("navigation to first conversion: %.0f ms the first time, median of the next %d: %.0f ms"
          % (loads[0], len(loads) - 1, median(loads[1:])))
    driver.execute_script(measure)
    page = {}
    for length in lengths:
        # The native benchmark's text: printable characters cycling through the font.
        driver.execute_script("""
            const box = document.getElementById('text');
            box.value = Array.from({length: arguments[0] - 1}, (_, i) => String.fromCharCode(32 + i % 95)).join('');
            box.dispatchEvent(new Event('input'));
            box.focus();
            box.setSelectionRange(box.value.length, box.value.length);""", length)
        times = []
        for _ in range(runs + 3):
            times.append(type_key("x"))
            type_key("Backspace")
        page[length] = median(times[3:])
finally:
    driver.quit()
    server.shutdown()

report = json.loads(subprocess.run(
    [native_bench, "--benchmark_filter=BM_Keystroke_AppendAtEnd", "--benchmark_repetitions=%d" % runs,
     "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
    capture_output=True, check=True).stdout)
window = {b["run_name"].split("/")[1]: b["real_time"] for b in report["benchmarks"] if b.get("aggregate_name") == "median"}
print("key to frame, median of %d   page ms   window ms   page / window" % runs)
for length in lengths:
    native = window[str(length)]
    print("%5d characters          %9.2f %11.2f %15.1f" % (length, page[length], native, page[length] / native))
