// LEDs on a canvas, for the page's picture of the text and its scrolling
// display alike: rows of dots from the module ('#' lit, '.' dark), of any
// height, drawn as round lamps.
'use strict';

window.QxmDots = (function () {
  const lit = '#ff4d2e';
  const dark = '#3a2a26';
  const board = '#1b1b1b';
  const tiles = new Map();

  // Gives the canvas a size in CSS pixels, sharp on a high-density screen;
  // only when it changes, as that clears it.
  function size(canvas, width, height) {
    const scale = window.devicePixelRatio || 1;
    if (canvas.width !== Math.round(width * scale) || canvas.height !== Math.round(height * scale)) {
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
      canvas.width = Math.round(width * scale);
      canvas.height = Math.round(height * scale);
    }
    const context = canvas.getContext('2d');
    context.setTransform(scale, 0, 0, scale, 0, 0);
    context.fillStyle = board;
    context.fillRect(0, 0, width, height);
    return context;
  }

  // One lamp on the board, dot pixels wide, drawn at the screen's own
  // density.
  function tile(colour, dot) {
    const scale = window.devicePixelRatio || 1;
    const key = colour + dot + '@' + scale;
    if (!tiles.has(key)) {
      const side = Math.max(1, Math.round(dot * scale));
      const canvas = Object.assign(document.createElement('canvas'), { width: side, height: side });
      const context = canvas.getContext('2d');
      context.fillStyle = colour;
      context.beginPath();
      context.arc(side / 2, side / 2, side / 2 - Math.max(0.5, side / 10), 0, 2 * Math.PI);
      context.fill();
      tiles.set(key, { canvas, side });
    }
    return tiles.get(key);
  }

  // Draws the rows' dots, each dot wide, the first column's left edge at x;
  // a gap of gap pixels after every group columns, where the display is made
  // of modules. Lamps repeat, so each module is one fill of dark lamps and
  // each run of lit ones in a row one fill more: a tall cell has thousands
  // of lamps in view, which drawn one by one took longer than a frame.
  function draw(context, rows, dot, x, group, gap) {
    const columns = rows.length ? rows[0].length : 0;
    const fills = [dark, lit].map((colour) => {
      const { canvas, side } = tile(colour, dot);
      return { pattern: context.createPattern(canvas, 'repeat'), side };
    });
    const height = rows.length * dot;
    for (let start = 0; start < columns; start += group) {
      const end = Math.min(columns, start + group);
      const left = x + start * dot + Math.floor(start / group) * gap;
      for (const { pattern, side } of fills) {
        pattern.setTransform(new DOMMatrix().translate(left, 0).scale(dot / side));
      }
      context.fillStyle = fills[0].pattern;
      context.fillRect(left, 0, (end - start) * dot, height);
      context.fillStyle = fills[1].pattern;
      rows.forEach((row, rowIndex) => {
        for (let column = start; column < end;) {
          const from = row.indexOf('#', column);
          if (from < 0 || from >= end) {
            break;
          }
          let to = from;
          while (to < end && row[to] === '#') {
            ++to;
          }
          context.fillRect(left + (from - start) * dot, rowIndex * dot, (to - from) * dot, dot);
          column = to;
        }
      });
    }
  }

  return { size, draw };
})();
