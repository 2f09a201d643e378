// LEDs on a canvas, for the page's picture of the text and its scrolling
// display alike: rows of dots from the module ('#' lit, '.' dark), of any
// height, drawn as round lamps.
'use strict';

window.QxmDots = (function () {
  const lit = '#ff4d2e';
  const dark = '#3a2a26';
  const board = '#1b1b1b';

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

  // Draws the rows' dots, each dot wide, the first column's left edge at x;
  // a gap of gap pixels after every group columns, where the display is made
  // of modules.
  function draw(context, rows, dot, x, group, gap) {
    const radius = dot / 2 - Math.max(0.5, dot / 10);
    for (const [colour, wanted] of [[lit, '#'], [dark, '.']]) {
      context.fillStyle = colour;
      context.beginPath();
      rows.forEach((row, rowIndex) => {
        const centreY = rowIndex * dot + dot / 2;
        for (let column = 0; column < row.length; ++column) {
          if (row[column] === wanted) {
            const centreX = x + column * dot + Math.floor(column / group) * gap + dot / 2;
            context.moveTo(centreX + radius, centreY);
            context.arc(centreX, centreY, radius, 0, 2 * Math.PI);
          }
        }
      });
      context.fill();
    }
  }

  return { size, draw };
})();
