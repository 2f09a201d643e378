// The converted text as the page shows it: only the lines in view are in the
// page, fetched from the module as the box scrolls. A text box holding all
// of a long output (32767 lines) took the browser a second to lay out on
// every keystroke; this takes the same time at any length. Copy and Download
// take the whole output from the module, not from here.
'use strict';

window.QxmOutputView = class {
  // box scrolls; track takes the whole output's height and width, so that
  // the scroll bars are right; lines holds the lines in view; lineSource
  // (first, count) gives those lines.
  constructor(box, track, lines, lineSource) {
    this.box = box;
    this.track = track;
    this.lines = lines;
    this.lineSource = lineSource;
    this.count = 0;
    this.drawn = '';
    this.pending = false;
    box.addEventListener('scroll', () => this.later(), { passive: true });
    new ResizeObserver(() => this.later()).observe(box);
  }

  // A new output of count lines, the longest that many characters.
  show(count, longest) {
    this.count = count;
    this.drawn = '';
    this.track.style.height = 'calc(' + count + ' * var(--output-line))';
    // The lines' side padding beside them.
    this.track.style.width = 'calc(' + longest + 'ch + 0.8rem)';
    this.draw();
  }

  later() {
    if (!this.pending) {
      this.pending = true;
      requestAnimationFrame(() => {
        this.pending = false;
        this.draw();
      });
    }
  }

  draw() {
    const lineHeight = parseFloat(getComputedStyle(this.lines).lineHeight);
    // A few lines beyond the edges, so that a small scroll shows no gap
    // before the next frame fills it.
    const first = Math.max(0, Math.floor(this.box.scrollTop / lineHeight) - 4);
    const count = Math.ceil(this.box.clientHeight / lineHeight) + 8;
    const key = first + ' ' + count;
    if (key === this.drawn) {
      return;
    }
    this.drawn = key;
    this.lines.style.top = first * lineHeight + 'px';
    this.lines.textContent = this.lineSource(first, count);
  }
};
