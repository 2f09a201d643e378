// The page around the converter. Every conversion, check and message comes
// from the WebAssembly module (qxm.js), the same code qxm-convert runs; this
// file only passes the page's choices in and shows what comes back.
'use strict';

(function () {
  const byId = (id) => document.getElementById(id);
  const page = {
    form: byId('converter'),
    loading: byId('loading'),
    text: byId('text'),
    length: byId('length'),
    message: byId('message'),
    clear: byId('clear'),
    previewFrame: byId('preview-frame'),
    previewTrack: byId('preview-track'),
    preview: byId('preview'),
    previewNote: byId('preview-note'),
    outputSize: byId('output-size'),
    copy: byId('copy'),
    download: byId('download'),
    unavailable: byId('unavailable'),
    output: byId('output'),
    outputEmpty: byId('output-empty'),
    actionStatus: byId('action-status'),
    options: byId('options'),
    optionsSummary: byId('options-summary'),
    format: byId('format'),
    layout: byId('layout'),
    firstBit: byId('first-bit'),
    glyphTable: byId('glyph-table'),
    glyphCaption: byId('glyph-caption'),
    name: byId('name'),
    nameError: byId('name-error'),
    table: byId('table'),
    fontFile: byId('font-file'),
    builtIn: byId('built-in'),
    fontStatus: byId('font-status'),
    scrollDisplay: byId('scroll-display'),
    scrollNote: byId('scroll-note'),
    scrollPlay: byId('scroll-play'),
    scrollStep: byId('scroll-step'),
    scrollWidth: byId('scroll-width'),
    scrollWidthError: byId('scroll-width-error'),
    scrollUnit: byId('scroll-unit'),
    scrollSpeed: byId('scroll-speed'),
    scrollSpeedShown: byId('scroll-speed-shown'),
    scrollDirection: byId('scroll-direction'),
    share: byId('share'),
    shareStatus: byId('share-status'),
  };

  // The controls that hold the user's work, kept across reloads and put in
  // a shared link, in the order they are restored: the first bits offered
  // depend on the layout. A field added to the options joins this list.
  const kept = [page.text, page.format, page.layout, page.firstBit, page.name, page.table,
    page.scrollWidth, page.scrollUnit, page.scrollSpeed, page.scrollDirection];
  const storageKey = 'qxm-work';
  const exampleText = 'Hello, LED!';
  const previewDot = 6;
  const reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)');

  let qxm = null;
  let formats = {};
  let cell = null;
  let output = { lines: 0, longest: 0, crlf: false, refused: false };
  let previewSize = { columns: 0, rows: 0 };
  let previewedText = null;
  let fontName = '';
  let outputView = null;
  let scroller = null;
  let previewPending = false;
  let scrollStop = '';
  let saving = 0;
  let glyphShown = '';

  // A live region is written only when its words change, so that a screen
  // reader does not repeat them at every keystroke.
  function setText(element, text) {
    if (element.textContent !== text) {
      element.textContent = text;
    }
  }

  function showProductInfo() {
    const info = qxm.productInfo();
    document.title = info.productName;
    setText(byId('product'), info.productName);
    setText(byId('description'), info.description + ', version ' + info.version);
    setText(byId('maker'), info.makerName + ' · ' + info.webSite + ' · ' + info.email + ' · ' + info.mobile);
  }

  function fillChoices() {
    for (const format of qxm.formats()) {
      formats[format.id] = { purpose: format.description, extension: format.extension };
      page.format.add(new Option(format.description + ' (' + format.id + ')', format.id));
    }
    cell = qxm.cellSize();
    page.layout.options[0].text = 'One per column, ' + cell.columns + ' a glyph';
    page.layout.options[1].text = 'One per row, ' + cell.rows + ' a glyph';
    page.scrollUnit.options[0].text = 'modules of ' + cell.columns + '×' + cell.rows + ' dots';
    page.name.placeholder = qxm.defaultName();
    fillFirstBits();
  }

  function fillFirstBits() {
    const rows = page.layout.value === 'rows';
    const preferred = qxm.defaultFirstBit(rows);
    page.firstBit.replaceChildren();
    for (const bit of qxm.firstBits(rows)) {
      const label = bit === preferred ? bit + ' (default)' : String(bit);
      page.firstBit.add(new Option(label, String(bit), bit === preferred, bit === preferred));
    }
  }

  function convert() {
    const rows = page.layout.value === 'rows';
    const firstBit = Number(page.firstBit.value);
    const result = page.table.checked
      ? qxm.table(page.format.value, rows, firstBit, page.name.value)
      : qxm.convert(page.text.value, page.format.value, rows, firstBit, page.name.value);
    output = qxm.indexOutput();
    output.refused = result.refused;
    outputView.show(output.lines, output.longest);
    const problem = qxm.nameProblem(page.format.value, page.name.value);
    setText(page.nameError, problem);
    page.name.setAttribute('aria-invalid', problem ? 'true' : 'false');
    if (problem) {
      page.options.open = true;
    }
    const reason = result.refused ? 'the name is refused (see Name, under Format and options).' : '';
    for (const button of [page.copy, page.download]) {
      button.setAttribute('aria-disabled', reason ? 'true' : 'false');
    }
    setText(page.unavailable, reason && 'Copy and Download are unavailable: ' + reason);
    setText(page.outputEmpty, output.lines > 0 ? ''
      : result.refused ? 'No lines while the name is refused.'
        : page.text.value ? 'No lines: the conversion stops at the first character.' : 'No lines: the text is empty.');
    setText(page.outputSize, output.lines === 1 ? '1 line' : output.lines.toLocaleString('en') + ' lines');
  }

  function update() {
    const text = page.text.value;
    convert();
    setText(page.length, text.length.toLocaleString('en') + ' of ' + qxm.maxTextLength().toLocaleString('en') +
      ' characters');
    page.text.rows = text.includes('\n') ? Math.min(4, text.split('\n').length) : 1;
    if (text !== previewedText) {
      showPreview(text);
    }
    // Where the text stops the conversion, as qxm-convert says it; the
    // picture stops there too, even while the options are refused.
    setText(page.message, page.table.checked ? '' : previewSize.message);
    showGlyph();
    summarise();
    setText(page.actionStatus, '');
    keepWork();
  }

  // A new picture of the text, for the still view and the running display.
  function showPreview(text) {
    previewedText = text;
    previewSize = qxm.keepPreview(text);
    page.previewTrack.style.width = previewSize.columns * previewDot + 'px';
    page.previewFrame.parentElement.hidden = previewSize.columns === 0;
    page.preview.setAttribute('aria-label', 'The display\'s dots: ' + previewSize.columns + ' columns of ' +
      previewSize.rows + ' dots');
    drawPreview();
    scroller.show(previewSize.columns, previewSize.rows);
    scrollStop = previewSize.message ? 'It stops where the conversion stops: ' + previewSize.message : darkReason();
    showScrollNote();
  }

  function showScrollNote() {
    setText(page.scrollNote, scrollStop ||
      (reducedMotion.matches && !scroller.playing ? 'Still, as the system asks for less motion: Play runs it.' : ''));
  }

  // Draws the columns in view only: a long text has about 200,000.
  function drawPreview() {
    previewPending = false;
    const frame = page.previewFrame;
    const total = previewSize.columns * previewDot;
    const shown = Math.min(total, frame.clientWidth);
    const first = Math.floor(frame.scrollLeft / previewDot);
    const context = QxmDots.size(page.preview, shown, previewSize.rows * previewDot);
    QxmDots.draw(context, qxm.previewColumns(first, Math.ceil(shown / previewDot) + 1), previewDot,
      first * previewDot - frame.scrollLeft, Infinity, 0);
    setText(page.previewNote, previewSize.columns === 0 ? darkReason()
      : total > shown ? previewSize.columns.toLocaleString('en') + ' columns: scroll sideways for the rest.' : '');
  }

  function darkReason() {
    return previewSize.columns > 0 ? ''
      : 'The display stays dark: ' + (previewSize.message ? 'the conversion stops at once.' : 'there is no text.');
  }

  function drawPreviewLater() {
    if (!previewPending) {
      previewPending = true;
      requestAnimationFrame(drawPreview);
    }
  }

  // One glyph of the text, enlarged, with the bit of each dot and the bytes
  // the layout makes of it.
  function showGlyph() {
    const rows = page.layout.value === 'rows';
    const picture = qxm.glyphPicture(page.text.value, rows, Number(page.firstBit.value));
    const key = JSON.stringify([rows, picture]);
    if (key === glyphShown) {
      return;
    }
    glyphShown = key;
    const hex = (byte) => byte.toString(16).toUpperCase().padStart(2, '0');
    const cellOf = (tag, text, className) => {
      const element = document.createElement(tag);
      element.textContent = text;
      if (className) {
        element.className = className;
      }
      return element;
    };
    const dot = (row, column) => {
      const cell = document.createElement('td');
      cell.append(picture.dots[row][column] === '#' ? cellOf('span', '1', 'lit') : cellOf('span', '0', 'dark'));
      return cell;
    };
    const lines = [];
    const height = picture.dots.length;
    const width = picture.dots[0].length;
    if (rows) {
      lines.push([cellOf('td', ''), ...picture.bits.map((bit) => cellOf('th', 'bit ' + bit)), cellOf('th', 'hex')]);
      for (let row = 0; row < height; ++row) {
        lines.push([cellOf('th', 'byte ' + (row + 1)), ...Array.from({ length: width }, (_, column) => dot(row, column)),
          cellOf('td', hex(picture.bytes[row]), 'byte')]);
      }
    } else {
      lines.push([cellOf('td', ''), ...picture.bytes.map((_, column) => cellOf('th', 'byte ' + (column + 1)))]);
      for (let row = 0; row < height; ++row) {
        lines.push([cellOf('th', 'bit ' + picture.bits[row]), ...Array.from({ length: width }, (_, column) => dot(row, column))]);
      }
      lines.push([cellOf('th', 'hex'), ...picture.bytes.map((byte) => cellOf('td', hex(byte), 'byte'))]);
    }
    const shown = lines.map((cells) => {
      const line = document.createElement('tr');
      line.append(...cells);
      return line;
    });
    page.glyphTable.replaceChildren(...shown);
    const last = picture.bits[picture.bits.length - 1];
    setText(page.glyphCaption, '“' + picture.character + '” as ' + picture.bytes.length + ' bytes, one per ' +
      (rows ? 'row, top row first: the leftmost dot is bit ' + picture.bits[0] + ', the dots right of it bits '
        : 'column, leftmost first: the top dot is bit ' + picture.bits[0] + ', the dots below it bits ') +
      picture.bits[1] + ' to ' + last + '; a lit dot is a 1.');
  }

  function summarise() {
    const format = page.format.value;
    const purpose = formats[format] ? formats[format].purpose : format;
    setText(page.optionsSummary, [purpose, page.layout.value === 'rows' ? 'a byte per row' : 'a byte per column',
      'first dot in bit ' + page.firstBit.value, page.name.value || qxm.defaultName()].join(' · '));
  }

  // The scrolling display's settings, each refused at its field.
  function configureScroller() {
    const width = Number(page.scrollWidth.value);
    const widthProblem = Number.isInteger(width) && width >= 1 && width <= 500
      ? '' : 'Give a whole number from 1 to 500.';
    setText(page.scrollWidthError, widthProblem);
    page.scrollWidth.setAttribute('aria-invalid', widthProblem ? 'true' : 'false');
    const speed = Number(page.scrollSpeed.value);
    setText(page.scrollSpeedShown, speed + ' columns a second');
    if (widthProblem) {
      return;
    }
    const modules = page.scrollUnit.value === 'modules';
    const dots = modules ? width * cell.columns : width;
    scroller.configure(dots, modules ? cell.columns : dots, speed, page.scrollDirection.value);
    keepWork();
  }

  function playScroller(playing) {
    scroller.play(playing);
    setText(page.scrollPlay, playing ? 'Pause' : 'Play');
    page.scrollStep.disabled = playing;
    showScrollNote();
  }

  // The work as the URL fragment's and local storage's text: each kept
  // control's value by its id.
  function workState() {
    const state = new URLSearchParams();
    for (const control of kept) {
      state.set(control.id, control.type === 'checkbox' ? (control.checked ? '1' : '') : control.value);
    }
    return state.toString();
  }

  function restoreWork(state) {
    for (const control of kept) {
      const value = state.get(control.id);
      if (value === null) {
        continue;
      }
      if (control.type === 'checkbox') {
        control.checked = value === '1';
      } else if (control.tagName !== 'SELECT' || [...control.options].some((option) => option.value === value)) {
        control.value = value;
      }
      if (control === page.layout) {
        fillFirstBits();
      }
    }
  }

  // A link in the address bar that no longer says what the page holds is
  // taken away at once, so that a reload brings back the work rather than
  // the older link. The work is saved once typing pauses, and when the page
  // goes, so that saving the longest text never delays a keystroke's frame.
  function keepWork() {
    if (location.hash && location.hash.slice(1) !== workState()) {
      history.replaceState(null, '', location.href.split('#')[0]);
    }
    clearTimeout(saving);
    saving = setTimeout(saveWork, 300);
  }

  function saveWork() {
    clearTimeout(saving);
    try {
      localStorage.setItem(storageKey, workState());
    } catch (error) {
      // Storage is off in this browser: the work lasts as long as the page.
    }
  }

  function loadWork() {
    let stored = null;
    try {
      stored = localStorage.getItem(storageKey);
    } catch (error) {
      // As above: nothing kept to bring back.
    }
    const saved = location.hash.length > 1 ? location.hash.slice(1) : stored;
    if (saved === null) {
      page.text.value = exampleText;
    } else {
      restoreWork(new URLSearchParams(saved));
    }
  }

  // Puts text on the clipboard; when the clipboard call is not allowed (a
  // page served without HTTPS), the browser's own copy command takes it.
  async function putOnClipboard(text) {
    try {
      if (!navigator.clipboard) {
        throw new Error('no clipboard access');
      }
      await navigator.clipboard.writeText(text);
      return true;
    } catch (error) {
      let copied = false;
      const putText = (event) => {
        event.clipboardData.setData('text/plain', text);
        event.preventDefault();
        copied = true;
      };
      document.addEventListener('copy', putText);
      try {
        document.execCommand('copy');
      } finally {
        document.removeEventListener('copy', putText);
      }
      return copied;
    }
  }

  // Copy and Download give the whole output exactly, CR LF included; while
  // the output is refused they only say why they are unavailable.
  function available() {
    if (output.refused) {
      setText(page.actionStatus, page.unavailable.textContent);
    }
    return !output.refused;
  }

  async function copyOutput() {
    if (!available()) {
      return;
    }
    setText(page.actionStatus, await putOnClipboard(qxm.outputText()) ? 'Copied.'
      : 'The browser did not allow the copy: select the converted text and copy it with Ctrl+C.');
  }

  // The name is one the module has taken, letters, digits and _ only, so the
  // browser saves the file under exactly this name.
  function downloadOutput() {
    if (!available()) {
      return;
    }
    const format = formats[page.format.value];
    const name = (page.name.value || qxm.defaultName()) + '.' + (format ? format.extension : 'txt');
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([qxm.outputBytes()], { type: 'text/plain;charset=utf-8' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    setText(page.actionStatus, 'Downloaded as ' + name + '.');
  }

  // The view shows LF line ends only; a copy of a selection from it gets the
  // output's own CR LF back, as the converter window's box gives.
  function copySelection(event) {
    if (output.crlf) {
      event.clipboardData.setData('text/plain', document.getSelection().toString().replace(/\n/g, '\r\n'));
      event.preventDefault();
    }
  }

  async function shareLink() {
    history.replaceState(null, '', '#' + workState());
    setText(page.shareStatus, await putOnClipboard(location.href)
      ? 'The link to this is in the address bar and on the clipboard.'
      : 'The link to this is in the address bar.');
  }

  async function loadFont() {
    const file = page.fontFile.files[0];
    if (!file) {
      return;
    }
    let refusal;
    try {
      refusal = qxm.loadFont(new Uint8Array(await file.arrayBuffer()), file.name);
    } catch (error) {
      refusal = 'cannot read "' + file.name + '": ' + error.message;
    }
    if (refusal) {
      setText(page.fontStatus, refusal + '. ' + (fontName
        ? 'The font "' + fontName + '" stays in use.' : 'The built-in font stays in use.'));
    } else {
      fontName = file.name;
      setText(page.fontStatus, 'Using the font "' + fontName + '".');
    }
    page.fontStatus.classList.toggle('refused', Boolean(refusal));
    page.fontFile.value = '';
    previewedText = null;
    update();
  }

  function useBuiltInFont() {
    qxm.useBuiltInFont();
    fontName = '';
    setText(page.fontStatus, 'Using the built-in font.');
    page.fontStatus.classList.remove('refused');
    previewedText = null;
    update();
  }

  function listen() {
    page.text.addEventListener('input', update);
    // The text is one line, as the converter window's: Enter adds no line
    // break, though a pasted one stays, and stops the conversion there.
    page.text.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && !event.isComposing) {
        event.preventDefault();
      }
    });
    page.name.addEventListener('input', update);
    for (const control of [page.format, page.firstBit, page.table]) {
      control.addEventListener('change', update);
    }
    page.layout.addEventListener('change', () => {
      fillFirstBits();
      update();
    });
    page.form.addEventListener('submit', (event) => event.preventDefault());
    page.clear.addEventListener('click', () => {
      page.text.value = '';
      update();
      page.text.focus();
    });
    page.previewFrame.addEventListener('scroll', drawPreviewLater, { passive: true });
    new ResizeObserver(drawPreviewLater).observe(page.previewFrame);
    page.copy.addEventListener('click', copyOutput);
    page.download.addEventListener('click', downloadOutput);
    page.output.addEventListener('copy', copySelection);
    page.fontFile.addEventListener('change', loadFont);
    page.builtIn.addEventListener('click', useBuiltInFont);
    for (const control of [page.scrollWidth, page.scrollUnit, page.scrollSpeed, page.scrollDirection]) {
      control.addEventListener('input', configureScroller);
    }
    page.scrollPlay.addEventListener('click', () => playScroller(!scroller.playing));
    page.scrollStep.addEventListener('click', () => scroller.step());
    reducedMotion.addEventListener('change', () => playScroller(!reducedMotion.matches));
    new ResizeObserver(() => scroller.draw()).observe(page.scrollDisplay.parentElement);
    page.share.addEventListener('click', shareLink);
    addEventListener('pagehide', saveWork);
  }

  function start(module) {
    qxm = module;
    // The module is in: from here on the page connects to nothing at all.
    const policy = document.createElement('meta');
    policy.httpEquiv = 'Content-Security-Policy';
    policy.content = "connect-src 'none'";
    document.head.append(policy);

    showProductInfo();
    fillChoices();
    outputView = new QxmOutputView(page.output, byId('output-track'), byId('output-lines'),
      (first, count) => qxm.outputLines(first, count));
    scroller = new QxmScroller(page.scrollDisplay, (first, count) => qxm.previewColumns(first, count));
    loadWork();
    listen();
    setText(page.fontStatus, 'Using the built-in font.');

    page.loading.hidden = true;
    page.form.hidden = false;
    update();
    configureScroller();
    // A display that moves by itself only where the system does not ask
    // for less motion; Play starts it there.
    playScroller(!reducedMotion.matches);
    window.qxmFirstConversionMs = performance.now();
    page.text.focus();
  }

  // Served over HTTP the browser fetches and compiles qxm.wasm as it comes
  // in. Opened from file:// it may not fetch it: the module then comes in a
  // script beside the page instead.
  function loadModule() {
    if (location.protocol !== 'file:') {
      return QxmModule();
    }
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'qxm-wasm.js';
      script.onload = () => resolve(QxmModule({
        wasmBinary: Uint8Array.from(atob(window.qxmWasm), (character) => character.charCodeAt(0)),
      }));
      script.onerror = () => reject(new Error('qxm-wasm.js is missing beside the page'));
      document.head.append(script);
    });
  }

  loadModule().then(start, (error) => {
    page.loading.textContent = 'The converter could not start in this browser: ' + error;
  });
})();
