// The page around the converter. Every conversion, check and message comes
// from the WebAssembly module (qxm.js), the same code qxm-convert runs; this
// file only passes the page's choices in and shows what comes back.
'use strict';

(function () {
  const page = {
    form: document.getElementById('converter'),
    loading: document.getElementById('loading'),
    text: document.getElementById('text'),
    length: document.getElementById('length'),
    message: document.getElementById('message'),
    format: document.getElementById('format'),
    layout: document.getElementById('layout'),
    firstBit: document.getElementById('first-bit'),
    name: document.getElementById('name'),
    table: document.getElementById('table'),
    fontFile: document.getElementById('font-file'),
    builtIn: document.getElementById('built-in'),
    fontStatus: document.getElementById('font-status'),
    preview: document.getElementById('preview'),
    previewNote: document.getElementById('preview-note'),
    output: document.getElementById('output'),
    copy: document.getElementById('copy'),
    download: document.getElementById('download'),
    clear: document.getElementById('clear'),
    actionStatus: document.getElementById('action-status'),
  };

  // Each format as the module describes it: its usual file name ending, and
  // whether its lines end in CR LF (the BASIC dialects), which a copy and a
  // download keep.
  const formats = new Map();

  // A long text's picture is cut here: a canvas has a largest size, and no
  // screen shows more at once.
  const maxPreviewColumns = 1200;

  let qxm = null;
  let output = '';
  let fontName = '';

  function showProductInfo() {
    const info = qxm.productInfo();
    document.title = info.productName;
    document.getElementById('product').textContent = info.productName;
    document.getElementById('description').textContent = info.description + ', version ' + info.version;
    document.getElementById('maker').textContent =
      info.makerName + ' · ' + info.webSite + ' · ' + info.email + ' · ' + info.mobile;
  }

  function fillChoices() {
    for (const format of qxm.formats()) {
      formats.set(format.id, format);
      page.format.add(new Option(format.id, format.id));
    }
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

  function drawPreview(preview) {
    const rows = preview.rows;
    const columns = rows[0].length;
    const canvas = page.preview;
    const dot = 6;
    const scale = window.devicePixelRatio || 1;
    const width = columns * dot;
    const height = rows.length * dot;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.width = Math.round(width * scale);
    canvas.height = Math.round(height * scale);
    const context = canvas.getContext('2d');
    context.scale(scale, scale);
    context.fillStyle = '#1b1b1b';
    context.fillRect(0, 0, width, height);
    for (let row = 0; row < rows.length; ++row) {
      for (let column = 0; column < columns; ++column) {
        context.fillStyle = rows[row][column] === '#' ? '#ff4d2e' : '#3a2a26';
        context.beginPath();
        context.arc(column * dot + dot / 2, row * dot + dot / 2, dot / 2 - 0.75, 0, 2 * Math.PI);
        context.fill();
      }
    }
    const lit = rows.reduce((count, row) => count + (row.split('#').length - 1), 0);
    canvas.setAttribute('aria-label',
      'The display\'s dots: ' + columns + ' columns by ' + rows.length + ' rows, ' + lit + ' lit');
    page.previewNote.textContent = preview.columns > columns
      ? 'The first ' + columns + ' of ' + preview.columns + ' columns are shown.' : '';
  }

  function update() {
    const text = page.text.value;
    const rows = page.layout.value === 'rows';
    const firstBit = Number(page.firstBit.value);
    const result = page.table.checked
      ? qxm.table(page.format.value, rows, firstBit, page.name.value)
      : qxm.convert(text, page.format.value, rows, firstBit, page.name.value);
    output = qxm.outputText();
    page.output.value = output;
    page.message.textContent = result.message;
    page.message.classList.toggle('refused', result.refused);
    page.length.textContent = text.length + ' of ' + qxm.maxTextLength() + ' characters';
    drawPreview(qxm.preview(text, maxPreviewColumns));
    page.actionStatus.textContent = '';
  }

  function fileName() {
    return (page.name.value || qxm.defaultName()) + '.' + formats.get(page.format.value).extension;
  }

  // A copy puts exactly the output on the clipboard, CR LF included; when the
  // clipboard call is not allowed (a page served without HTTPS), the
  // browser's own copy command takes the same text.
  async function copyOutput() {
    const text = output;
    try {
      if (!navigator.clipboard) {
        throw new Error('no clipboard access');
      }
      await navigator.clipboard.writeText(text);
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
      if (!copied) {
        page.actionStatus.textContent =
          'The browser did not allow the copy: select the converted text and copy it with Ctrl+C.';
        return;
      }
    }
    page.actionStatus.textContent = 'Copied.';
  }

  function downloadOutput() {
    const name = fileName();
    const link = document.createElement('a');
    // The bytes as qxm-convert writes them.
    link.href = URL.createObjectURL(new Blob([qxm.outputBytes()], { type: 'text/plain;charset=utf-8' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    page.actionStatus.textContent = 'Saved as ' + name + '.';
  }

  // The output box shows LF line ends only; a copy of a selection from it
  // gets the BASIC formats' CR LF back, as the converter window's box gives.
  function copySelection(event) {
    if (!formats.get(page.format.value).crlf) {
      return;
    }
    const box = page.output;
    const selected = box.value.slice(box.selectionStart, box.selectionEnd);
    event.clipboardData.setData('text/plain', selected.replace(/\n/g, '\r\n'));
    event.preventDefault();
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
      page.fontStatus.textContent = refusal + '. ' + (fontName
        ? 'The font "' + fontName + '" stays in use.' : 'The built-in font stays in use.');
      page.fontStatus.classList.add('refused');
    } else {
      fontName = file.name;
      page.fontStatus.textContent = 'Using the font "' + fontName + '".';
      page.fontStatus.classList.remove('refused');
    }
    page.fontFile.value = '';
    update();
  }

  function useBuiltInFont() {
    qxm.useBuiltInFont();
    fontName = '';
    page.fontStatus.textContent = 'Using the built-in font.';
    page.fontStatus.classList.remove('refused');
    update();
  }

  function start(module) {
    qxm = module;
    showProductInfo();
    fillChoices();
    page.text.addEventListener('input', update);
    page.name.addEventListener('input', update);
    for (const control of [page.format, page.firstBit, page.table]) {
      control.addEventListener('change', update);
    }
    page.layout.addEventListener('change', () => {
      fillFirstBits();
      update();
    });
    page.form.addEventListener('submit', (event) => event.preventDefault());
    page.copy.addEventListener('click', copyOutput);
    page.download.addEventListener('click', downloadOutput);
    page.clear.addEventListener('click', () => {
      page.text.value = '';
      update();
      page.text.focus();
    });
    page.output.addEventListener('copy', copySelection);
    page.fontFile.addEventListener('change', loadFont);
    page.builtIn.addEventListener('click', useBuiltInFont);
    page.fontStatus.textContent = 'Using the built-in font.';

    page.loading.hidden = true;
    page.form.hidden = false;
    update();
    window.qxmFirstConversionMs = performance.now();
    page.text.focus();
  }

  QxmModule().then(start, (error) => {
    page.loading.textContent = 'The converter could not start in this browser: ' + error;
  });
})();
