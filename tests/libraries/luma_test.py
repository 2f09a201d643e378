#!/usr/bin/env python3
# Draws text with luma's own legacy text(), from the font qxm-convert -f luma
# writes, onto the canvas of a luma.led_matrix MAX7219 chain (its serial
# interface sends nowhere), and compares every pixel with --preview.
import runpy, subprocess, sys, tempfile
from luma.core.interface.serial import noop
from luma.core.legacy import text
from luma.core.legacy.font import proportional, tolerant
from luma.core.render import canvas
from luma.led_matrix.device import max7219

convert = sys.argv[1]
FONT_5X7 = ["--font", "/usr/share/fonts/X11/misc/5x7.pcf.gz"]
FONT_5X8 = ["--font", "/usr/share/fonts/X11/misc/5x8.pcf.gz", "--size", "6x8"]
# The font's options, what else qxm-convert -f luma is given, the text
# converted, the text luma draws, luma's wrapper of the font, and the cell
# width of a fixed font: luma draws fixed cells side by side, without the
# dark column --preview leaves between them; proportional glyphs bring
# theirs, the last one too.
CASES = [
    ([], [], "Hi!", "Hi!", None, 5),
    (FONT_5X7, [], "Agé€ j", "Agé€ j", None, 5),
    (FONT_5X8, ["--proportional"], "Agé€ j", "Agé€ j", None, None),
    # luma's proportional() keeps 4 columns for a space: in a 5-wide cell,
    # QXM's 3 and the dark column after them
    (FONT_5X7, [], "Agé€ j", "Agé€ j", proportional, None),
    # a character the font lacks raises IndexError, so tolerant() stands in
    # "?", as qxm-convert does for a character outside Windows-1252
    ([], [], "A?", "AΩ", lambda font: tolerant(font, missing="?"), 5),
]

failed = 0
with tempfile.TemporaryDirectory() as folder:
    for options, extra, converted, drawn, wrap, cell in CASES:
        module = folder + "/font.py"
        subprocess.run([convert, "-f", "luma", "--name", "Font", *options, *extra, "-o", module, converted], check=True)
        font = runpy.run_path(module)["Font"]
        rows = subprocess.run([convert, "--preview", *options, *([] if cell else ["--proportional"]), drawn], check=True,
                              capture_output=True, text=True).stdout.split()
        rows = ["".join(c for x, c in enumerate(row) if (x + 1) % (cell + 1)) if cell else row + "." for row in rows]
        device = max7219(noop(), cascaded=(len(rows[0]) + 7) // 8)
        drawing = canvas(device)
        with drawing as draw:
            text(draw, (0, 0), drawn, fill="white", font=wrap(font) if wrap else font)
        shown = ["".join("#" if drawing.image.getpixel((x, y)) else "." for x in range(device.width))
                 for y in range(device.height)]
        expected = [row.ljust(device.width, ".") for row in rows + [""] * (device.height - len(rows))]
        if shown != expected:
            failed += 1
            print(f"{options} {drawn!r}: luma draws\n" + "\n".join(shown) + "\nbut --preview shows\n"
                  + "\n".join(expected))
print(f"{len(CASES)} drawings, {failed} unlike --preview")
sys.exit(1 if failed else 0)
