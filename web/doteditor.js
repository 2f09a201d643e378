// One glyph's dots, enlarged, to light and darken: by clicking or dragging
// across them, or from the keyboard (arrows move, Space or Enter lights or
// darkens). A grid of toggle buttons, so that a screen reader names each
// dot by its row and column and says whether it is lit (pressed); a change
// is also said in the live status line. Every change goes to the module
// through onDot; the editor keeps no dots of its own.
'use strict';

window.QxmDotEditor = class {
  // grid: the role="grid" element; status: a live region. onDot(column,
  // row, lit) changes a dot; onStroke(started) brackets the dots one press
  // or one drag changes, which undo takes back together.
  constructor(grid, status, onDot, onStroke) {
    this.grid = grid;
    this.status = status;
    this.onDot = onDot;
    this.onStroke = onStroke;
    this.buttons = []; // by row, then column
    this.column = 0; // where the keyboard is
    this.row = 0;
    this.painting = null; // while a drag lights (true) or darkens (false)
    grid.addEventListener('pointerdown', (event) => this.press(event));
    grid.addEventListener('pointermove', (event) => this.drag(event));
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      grid.addEventListener(end, () => this.release());
    }
    grid.addEventListener('keydown', (event) => this.key(event));
    // A click without a pointer is an assistive technology's press.
    grid.addEventListener('click', (event) => {
      const dot = this.dotOf(event.target);
      if (event.detail === 0 && dot) {
        this.stroke(() => this.toggle(dot.column, dot.row));
      }
    });
  }

  // Shows the glyph's rows of dots ('#' lit), naming the grid by label.
  show(dots, label) {
    this.grid.setAttribute('aria-label', label);
    const rows = dots.length;
    const columns = rows ? dots[0].length : 0;
    if (rows !== this.buttons.length || columns !== (this.buttons[0] || []).length) {
      this.build(rows, columns);
    }
    dots.forEach((line, row) => {
      for (let column = 0; column < columns; ++column) {
        const lit = line[column] === '#' ? 'true' : 'false';
        const button = this.buttons[row][column];
        if (button.getAttribute('aria-pressed') !== lit) {
          button.setAttribute('aria-pressed', lit);
        }
      }
    });
  }

  build(rows, columns) {
    this.column = Math.min(this.column, Math.max(columns - 1, 0));
    this.row = Math.min(this.row, Math.max(rows - 1, 0));
    this.buttons = [];
    const lines = [];
    for (let row = 0; row < rows; ++row) {
      const line = document.createElement('div');
      line.setAttribute('role', 'row');
      const buttons = [];
      for (let column = 0; column < columns; ++column) {
        const cell = document.createElement('div');
        cell.setAttribute('role', 'gridcell');
        const button = document.createElement('button');
        button.type = 'button';
        button.tabIndex = row === this.row && column === this.column ? 0 : -1;
        button.dataset.row = row;
        button.dataset.column = column;
        button.setAttribute('aria-label', 'Row ' + (row + 1) + ', column ' + (column + 1));
        cell.append(button);
        line.append(cell);
        buttons.push(button);
      }
      this.buttons.push(buttons);
      lines.push(line);
    }
    this.grid.style.setProperty('--columns', columns);
    this.grid.style.setProperty('--rows', rows);
    this.grid.replaceChildren(...lines);
  }

  dotOf(element) {
    const button = element instanceof Element ? element.closest('button') : null;
    return button && this.grid.contains(button)
      ? { column: Number(button.dataset.column), row: Number(button.dataset.row) } : null;
  }

  lit(column, row) {
    return this.buttons[row][column].getAttribute('aria-pressed') === 'true';
  }

  set(column, row, lit) {
    this.onDot(column, row, lit);
    this.status.textContent = 'Row ' + (row + 1) + ', column ' + (column + 1) + ': ' +
      (this.lit(column, row) ? 'lit' : 'dark') + '.';
  }

  toggle(column, row) {
    this.set(column, row, !this.lit(column, row));
  }

  stroke(change) {
    this.onStroke(true);
    change();
    this.onStroke(false);
  }

  moveTo(column, row) {
    this.buttons[this.row][this.column].tabIndex = -1;
    this.column = column;
    this.row = row;
    const button = this.buttons[row][column];
    button.tabIndex = 0;
    button.focus();
  }

  // The first dot pressed sets what the drag does: a dark one lights every
  // dot the pointer then crosses, a lit one darkens them.
  press(event) {
    const dot = this.dotOf(event.target);
    if (!dot || event.button !== 0) {
      return;
    }
    event.preventDefault();
    this.moveTo(dot.column, dot.row);
    this.painting = !this.lit(dot.column, dot.row);
    this.onStroke(true);
    this.set(dot.column, dot.row, this.painting);
    this.grid.setPointerCapture(event.pointerId);
  }

  drag(event) {
    if (this.painting === null) {
      return;
    }
    const dot = this.dotOf(document.elementFromPoint(event.clientX, event.clientY));
    if (dot && this.lit(dot.column, dot.row) !== this.painting) {
      this.set(dot.column, dot.row, this.painting);
    }
  }

  release() {
    if (this.painting !== null) {
      this.painting = null;
      this.onStroke(false);
    }
  }

  key(event) {
    const dot = this.dotOf(event.target);
    if (!dot || event.altKey || event.ctrlKey || event.metaKey) {
      return;
    }
    const rows = this.buttons.length;
    const columns = this.buttons[0].length;
    const moves = {
      ArrowLeft: [dot.column - 1, dot.row],
      ArrowRight: [dot.column + 1, dot.row],
      ArrowUp: [dot.column, dot.row - 1],
      ArrowDown: [dot.column, dot.row + 1],
      Home: [0, dot.row],
      End: [columns - 1, dot.row],
      PageUp: [dot.column, 0],
      PageDown: [dot.column, rows - 1],
    };
    if (event.key === ' ' || event.key === 'Enter') {
      this.stroke(() => this.toggle(dot.column, dot.row));
    } else if (moves[event.key]) {
      const [column, row] = moves[event.key];
      this.moveTo(Math.max(0, Math.min(columns - 1, column)), Math.max(0, Math.min(rows - 1, row)));
    } else {
      return;
    }
    event.preventDefault();
  }
};

// Undo and redo over whole states: each step keeps the state before and
// after it, and what it concerned, so that undoing shows where it was.
window.QxmHistory = class {
  constructor(limit) {
    this.limit = limit;
    this.done = [];
    this.undone = [];
  }

  record(before, after, where) {
    if (before === after) {
      return;
    }
    this.done.push({ before, after, where });
    if (this.done.length > this.limit) {
      this.done.shift();
    }
    this.undone = [];
  }

  // The step taken back, or null: its before is the state to return to.
  undo() {
    const step = this.done.pop();
    if (step) {
      this.undone.push(step);
    }
    return step || null;
  }

  // The step done again, or null: its after is the state to return to.
  redo() {
    const step = this.undone.pop();
    if (step) {
      this.done.push(step);
    }
    return step || null;
  }
};
