"""The page's conversion of the longest text, timed in headless Chromium, next
to the native benchmark of the same conversion on this machine.

usage: web_bench.py PAGE_DIR QXM_CONVERT_BENCH [RUNS]

Prints the medians of: the page's convert() call (the run qxm-convert makes,
the text handed in from JavaScript), outputText() (the output, 1.4 MB of
UTF-8, made a JavaScript string by the browser's decoder), the page's whole
handling of one input event (conversion, output box, preview), and
BM_Format/bascom/32767; then the ratios of the first, and of the first two
together, to the last. Also the time from the start of loading the page to
its first conversion, the median of 9 loads after the first.
"""

import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from chromium import open_page, serve, start_browser  # noqa: E402

page_dir, native_bench = sys.argv[1:3]
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 30

server, url = serve(page_dir)
driver = start_browser()
try:
    loads = []
    for _ in range(10):
        open_page(driver, url)
        loads.append(driver.execute_script("return window.qxmFirstConversionMs"))
    first_load = loads.pop(0)
    # The native benchmark's text: printable characters cycling through the font.
    page = driver.execute_async_script("""
        const [runs, done] = arguments;
        const text = Array.from({length: 32767}, (_, i) => String.fromCharCode(32 + i % 95)).join('');
        const median = (times) => times.sort((a, b) => a - b)[times.length >> 1];
        QxmModule().then((qxm) => {
            const convert = [];
            const decode = [];
            for (let i = 0; i < runs + 3; ++i) {
                const start = performance.now();
                qxm.convert(text, 'bascom', false, 6, '');
                const converted = performance.now();
                qxm.outputText();
                convert.push(converted - start);
                decode.push(performance.now() - converted);
            }
            const box = document.getElementById('text');
            const input = [];
            for (let i = 0; i < runs + 3; ++i) {
                box.value = i % 2 ? text : text.slice(1);
                const start = performance.now();
                box.dispatchEvent(new Event('input'));
                input.push(performance.now() - start);
            }
            done({convert: median(convert.slice(3)), decode: median(decode.slice(3)), input: median(input.slice(3))});
        });""", runs)
finally:
    driver.quit()
    server.shutdown()

report = json.loads(subprocess.run(
    [native_bench, "--benchmark_filter=BM_Format/bascom/32767$", "--benchmark_repetitions=%d" % runs,
     "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
    capture_output=True, check=True).stdout)
native_us = next(b["real_time"] for b in report["benchmarks"] if b.get("aggregate_name") == "median")

print("page load to first conversion: %.0f ms the first time, median of the next %d: %.0f ms"
      % (first_load, len(loads), sorted(loads)[len(loads) // 2]))
print("page convert() of 32767 characters, median of %d: %.2f ms" % (runs, page["convert"]))
print("page outputText() of its output, median of %d: %.2f ms" % (runs, page["decode"]))
print("page input event with 32767 characters, median of %d: %.2f ms" % (runs, page["input"]))
print("native BM_Format/bascom/32767, median of %d: %.2f ms" % (runs, native_us / 1000))
print("ratio page convert() / native: %.2f" % (page["convert"] / (native_us / 1000)))
print("ratio page convert() and outputText() / native: %.2f" % ((page["convert"] + page["decode"]) / (native_us / 1000)))
