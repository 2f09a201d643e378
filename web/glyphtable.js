// One glyph's bytes as a table: each dot with the bit that holds it, and
// each byte in hexadecimal, for any cell. A column or row of more than 8
// dots takes a byte for each 8 of them, the first byte the top or left ones.
// picture is the module's glyphPicture(): dots (rows of '#' lit and '.'
// dark), bytes (in the output's order), bits (the bit of a byte's dots,
// first dot first) and rows (bytes by rows rather than columns).
'use strict';

window.QxmGlyphTable = function (table, caption, picture) {
  const hex = (byte) => byte.toString(16).toUpperCase().padStart(2, '0');
  const cellOf = (tag, text, className) => {
    const element = document.createElement(tag);
    element.textContent = text;
    if (className) {
      element.className = className;
    }
    return element;
  };
  const { dots, bytes, bits } = picture;
  const height = dots.length;
  const width = dots[0].length;
  const lines = picture.rows ? height : width;
  const perLine = bytes.length / lines;
  // "3", or "3–4" for a line of two bytes.
  const byteNames = (line) => perLine === 1 ? String(line + 1) : (line * perLine + 1) + '–' + (line + 1) * perLine;
  const dot = (row, column) => {
    const cell = document.createElement('td');
    cell.append(dots[row][column] === '#' ? cellOf('span', '1', 'lit') : cellOf('span', '0', 'dark'));
    return cell;
  };
  const bitOf = (index) => String(bits[index % 8]);
  const shown = [];
  if (picture.rows) {
    // Numbers only, under "bit" and beside "byte", so that a wide cell's
    // columns stay as narrow as its dots.
    shown.push([cellOf('th', 'bit'), ...Array.from({ length: width }, (_, column) => cellOf('th', bitOf(column))),
      cellOf('th', 'hex')]);
    for (let row = 0; row < height; ++row) {
      shown.push([cellOf('th', 'byte ' + byteNames(row)), ...Array.from({ length: width }, (_, column) => dot(row, column)),
        cellOf('td', bytes.slice(row * perLine, (row + 1) * perLine).map(hex).join(' '), 'byte')]);
    }
  } else {
    shown.push([cellOf('th', 'byte'), ...Array.from({ length: width }, (_, column) => cellOf('th', byteNames(column)))]);
    for (let row = 0; row < height; ++row) {
      shown.push([cellOf('th', 'bit ' + bitOf(row)), ...Array.from({ length: width }, (_, column) => dot(row, column))]);
      // Each byte's hexadecimal under its 8 dots.
      if (row % 8 === 7 || row === height - 1) {
        const part = Math.floor(row / 8);
        shown.push([cellOf('th', 'hex'),
          ...Array.from({ length: width }, (_, column) => cellOf('td', hex(bytes[column * perLine + part]), 'byte'))]);
      }
    }
  }
  table.replaceChildren(...shown.map((cells) => {
    const line = document.createElement('tr');
    line.append(...cells);
    return line;
  }));
  // Dots as large as the options' column holds, without their digits
  // where they are too small to read.
  const size = Math.max(8, Math.min(22, Math.floor(150 / width)));
  table.style.setProperty('--glyph-dot', size + 'px');
  table.classList.toggle('small', size < 16);

  const first = picture.rows ? 'the leftmost dot' : 'the top dot';
  const next = picture.rows ? 'the dots right of it' : 'the dots below it';
  const order = bits.length === 1 ? first + ' is bit ' + bits[0]
    : first + ' is bit ' + bits[0] + ', ' + next + ' bits ' + bits[1] + ' to ' + bits[bits.length - 1];
  const split = perLine === 1 ? '' : ', and each further 8 dots start a byte of their own';
  caption.textContent = '“' + picture.character + '” as ' + bytes.length + ' bytes, ' +
    (perLine === 1 ? 'one' : perLine) + ' per ' + (picture.rows ? 'row, top row first: ' : 'column, leftmost first: ') +
    order + split + '; a lit dot is a 1.';
};
