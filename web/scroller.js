// The text running across a display of LED modules, as a sign shows it:
// the same dots as the picture and the output, entering at one edge and
// leaving at the other, then again after a dark gap as wide as the display.
'use strict';

window.QxmScroller = class {
  // columnSource(first, count) gives the text's dot rows of those columns.
  constructor(canvas, columnSource) {
    this.canvas = canvas;
    this.columnSource = columnSource;
    this.columns = 0; // the text's
    this.rows = 0;
    this.width = 40; // the display's, in dots
    this.group = 40; // dots to a module
    this.speed = 12; // columns a second
    this.direction = 'left';
    this.playing = false;
    this.frame = 0;
    this.started = 0; // when the running frame began, or 0 when paused
  }

  // A display of width dots, a module every group of them.
  configure(width, group, speed, direction) {
    this.width = width;
    this.group = group;
    this.speed = speed;
    this.direction = direction;
    this.restart();
  }

  // The text to run, columns wide and rows high.
  show(columns, rows) {
    this.columns = columns;
    this.rows = rows;
    this.restart();
  }

  // A running display starts dark, the text about to enter; a paused one
  // shows the text's start, so that a still display still shows the text.
  restart() {
    this.frame = this.playing ? 0 : this.stillFrame();
    this.started = this.playing ? performance.now() : 0;
    this.draw();
  }

  stillFrame() {
    return this.direction === 'left' ? this.width : this.columns;
  }

  play(playing) {
    this.playing = playing;
    this.started = playing ? performance.now() : 0;
    if (playing) {
      this.tick();
    }
  }

  step() {
    this.frame = (this.frame + 1) % this.tape();
    this.draw();
  }

  tape() {
    return this.columns + this.width;
  }

  tick() {
    if (!this.playing) {
      return;
    }
    const now = performance.now();
    const moved = Math.floor((now - this.started) * this.speed / 1000);
    if (moved > 0) {
      this.frame = (this.frame + moved) % this.tape();
      this.started += moved * 1000 / this.speed;
      this.draw();
    }
    requestAnimationFrame(() => this.tick());
  }

  // The tape is the text's columns, then as many dark ones as the display
  // is wide; frame f shows its columns from (columns + f) moving left, or
  // from (columns - f) moving right.
  draw() {
    const tape = this.tape();
    const shift = this.direction === 'left' ? this.frame : -this.frame;
    const start = (((this.columns + shift) % tape) + tape) % tape;
    const ahead = this.columnSource(start, this.width);
    const wrapped = start + this.width > tape ? this.columnSource(0, start + this.width - tape) : null;
    const rows = ahead.map((row, index) =>
      (row + '.'.repeat(tape - start - row.length) + (wrapped ? wrapped[index] : ''))
        .padEnd(this.width, '.').slice(0, this.width));
    // As large as the frame holds, modules a third of a dot apart.
    const frame = this.canvas.parentElement;
    const modules = Math.ceil(this.width / this.group);
    const room = frame.clientWidth - parseFloat(getComputedStyle(frame).paddingLeft) * 2;
    const dot = Math.max(2, Math.min(14, Math.floor((room - modules) / (this.width + (modules - 1) / 3))));
    const gap = modules > 1 ? Math.ceil(dot / 3) : 0;
    const context = QxmDots.size(this.canvas, this.width * dot + (modules - 1) * gap, Math.max(this.rows, 1) * dot);
    QxmDots.draw(context, rows, dot, 0, this.group, gap);
  }
};
