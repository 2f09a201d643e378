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
    cell: byId('cell'),
    cellError: byId('cell-error'),
    layout: byId('layout'),
    firstBit: byId('first-bit'),
    glyphTable: byId('glyph-table'),
    glyphCaption: byId('glyph-caption'),
    layoutNote: byId('layout-note'),
    proportional: byId('proportional'),
    name: byId('name'),
    nameError: byId('name-error'),
    table: byId('table'),
    lookup: byId('lookup'),
    lookupHint: byId('lookup-hint'),
    fontFile: byId('font-file'),
    builtIn: byId('built-in'),
    fontStatus: byId('font-status'),
    fontCell: byId('font-cell'),
    editor: byId('editor'),
    editorSummary: byId('editor-summary'),
    glyphChar: byId('glyph-char'),
    glyphCharError: byId('glyph-char-error'),
    glyphPrevious: byId('glyph-previous'),
    glyphNext: byId('glyph-next'),
    undo: byId('undo'),
    redo: byId('redo'),
    restoreGlyph: byId('restore-glyph'),
    restoreAll: byId('restore-all'),
    exportFont: byId('export-font'),
    editStatus: byId('edit-status'),
    dotGrid: byId('dot-grid'),
    dotStatus: byId('dot-status'),
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
  // depend on the cell and the layout. A field added to the options joins
  // this list. The edited glyphs are kept beside them.
  const kept = [page.text, page.format, page.cell, page.layout, page.firstBit, page.proportional, page.name,
    page.table, page.lookup, page.scrollWidth, page.scrollUnit, page.scrollSpeed, page.scrollDirection];
  const editsKey = 'glyphs';
  const storageKey = 'qxm-work';
  const exampleText = 'Hello, LED!';
  const reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)');

  let qxm = null;
  let formats = {};
  let cell = null;
  let output = { lines: 0, refused: false };
  let previewSize = { columns: 0, rows: 0, message: '' };
  let previewDot = 6;
  let previewedText = null;
  let pictureVersion = null;
  let fontName = '';
  let refusedFont = null; // a font file refused as too large, for the cell that takes it
  let outputView = null;
  let scroller = null;
  let editor = null;
  let previewPending = false;
  let scrollStop = '';
  let saving = 0;
  let glyphShown = '';
  // The glyph being edited; null follows the text's first lit character
  // until the user picks one.
  let editCode = null;
  const editHistory = new QxmHistory(200);
  let strokeBefore = null;

  // A live region is written only when its words change, so that a screen
  // reader does not repeat them at every keystroke.
  function setText(element, text) {
    if (element.textContent !== text) {
      element.textContent = text;
    }
  }

  // A message of qxm-convert's as a sentence of the page's.
  function sentence(text) {
    return text && text[0].toUpperCase() + text.slice(1) + (/[.!?]$/.test(text) ? '' : '.');
  }

  function choices() {
    return {
      format: page.format.value,
      rows: page.layout.value === 'rows',
      firstBit: Number(page.firstBit.value),
      name: page.name.value,
      size: page.cell.value.trim(),
      proportional: page.proportional.checked,
      lookup: page.lookup.checked,
      table: page.table.checked,
    };
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
      formats[format.id] = { purpose: format.description, extension: format.extension, layout: format.layout };
      page.format.add(new Option(format.description + ' (' + format.id + ')', format.id));
    }
    page.name.placeholder = qxm.defaultName();
    describeCell();
    fillFirstBits();
  }

  // The labels that name the cell's size.
  function describeCell() {
    cell = qxm.cellSize(page.cell.value.trim());
    page.layout.options[0].text = 'By columns, ' + cell.columnBytes + ' bytes a glyph';
    page.layout.options[1].text = 'By rows, ' + cell.rowBytes + ' bytes a glyph';
    page.scrollUnit.options[0].text = 'modules of ' + cell.columns + '×' + cell.rows + ' dots';
  }

  // The first bits the cell and layout take, the default chosen.
  function fillFirstBits() {
    const rows = page.layout.value === 'rows';
    const size = page.cell.value.trim();
    const preferred = qxm.defaultFirstBit(rows, size);
    page.firstBit.replaceChildren();
    for (const bit of qxm.firstBits(rows, size)) {
      const label = bit === preferred ? bit + ' (default)' : String(bit);
      page.firstBit.add(new Option(label, String(bit), bit === preferred, bit === preferred));
    }
  }

  function showProblem(error, field, problem) {
    setText(error, problem);
    field.setAttribute('aria-invalid', problem ? 'true' : 'false');
    if (problem) {
      page.options.open = true;
    }
  }

  function update() {
    const text = page.text.value;
    const result = qxm.update(text, choices());
    output = result;
    outputView.show(result.lines, result.longest);
    showProblem(page.nameError, page.name, result.nameProblem);
    showProblem(page.cellError, page.cell, sentence(result.cellProblem));
    page.lookup.disabled = !result.lookupOffered;
    setText(page.lookupHint, result.lookupOffered
      ? 'a C function, ' + nameInUse() + '_Index(), from UTF-8 text to a glyph'
      : 'with C array or Arduino and the whole font, or with Adafruit GFX');
    const field = result.cellProblem ? 'Cell' : result.nameProblem ? 'Name' : '';
    const reason = !result.refused ? '' : field
      ? 'the ' + field.toLowerCase() + ' is refused (see ' + field + ', under Format and options).'
      : 'the options are refused.';
    for (const button of [page.copy, page.download]) {
      button.setAttribute('aria-disabled', reason ? 'true' : 'false');
    }
    setText(page.unavailable, reason && 'Copy and Download are unavailable: ' + reason);
    setText(page.outputEmpty, result.lines > 0 ? ''
      : result.refused ? 'No lines while the ' + (field.toLowerCase() || 'options') + ' is refused.'
        : page.table.checked ? 'No lines: the font has no glyph.'
          : text ? 'No lines: the conversion stops at the first character.' : 'No lines: the text is empty.');
    setText(page.outputSize, result.lines === 1 ? '1 line' : result.lines.toLocaleString('en') + ' lines');
    setText(page.length, text.length.toLocaleString('en') + ' of ' + qxm.maxTextLength().toLocaleString('en') +
      ' characters');
    page.text.rows = text.includes('\n') ? Math.min(4, text.split('\n').length) : 1;
    if (text !== previewedText || result.pictureVersion !== pictureVersion) {
      showPreview(text, result);
    }
    // Where the text stops the conversion, as qxm-convert says it; the
    // picture stops there too, even while the name is refused.
    setText(page.message, page.table.checked ? '' : result.message);
    showGlyph();
    showEditor();
    summarise();
    setText(page.actionStatus, '');
    keepWork();
  }

  // A new picture of the text, for the still view and the running display:
  // its dots as large as fit a tall cell in a low strip.
  function showPreview(text, result) {
    previewedText = text;
    pictureVersion = result.pictureVersion;
    previewSize = { columns: result.columns, rows: result.rows, message: result.message, cellRefused:
      Boolean(result.cellProblem) };
    previewDot = Math.max(3, Math.min(6, Math.floor(120 / Math.max(result.rows, 1))));
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
    return previewSize.columns > 0 ? '' : 'The display stays dark: ' + (previewSize.cellRefused
      ? 'the cell is refused.' : previewSize.message ? 'the conversion stops at once.' : 'there is no text.');
  }

  function drawPreviewLater() {
    if (!previewPending) {
      previewPending = true;
      requestAnimationFrame(drawPreview);
    }
  }

  // A click on a character of the picture edits its glyph.
  function editClicked(event) {
    const code = qxm.codeAtColumn(Math.floor((event.offsetX + page.previewFrame.scrollLeft) / previewDot));
    if (code >= 0) {
      editCode = code;
      page.editor.open = true;
      update();
      page.editor.scrollIntoView({ block: 'nearest' });
    }
  }

  // The name the output is written with: the one typed, else the default
  // the field shows.
  function nameInUse() {
    return page.name.value || page.name.placeholder;
  }

  function editingCode() {
    return editCode !== null ? editCode : qxm.firstLitCode(page.text.value);
  }

  // The glyph being edited, enlarged, with the bit of each dot and the bytes
  // the layout makes of it; the library formats lay out their own.
  function showGlyph() {
    const format = formats[page.format.value];
    page.layout.disabled = page.firstBit.disabled = !format.layout;
    const picture = format.layout ? qxm.glyphPicture(editingCode()) : {};
    setText(page.layoutNote, !format.layout ? format.purpose + ' lays out the bytes as its library reads them: ' +
      'Bytes and First dot in bit do not change it.' : picture.dots ? '' : 'No glyph while the cell is refused.');
    const key = JSON.stringify(picture);
    if (key === glyphShown) {
      return;
    }
    glyphShown = key;
    page.glyphTable.hidden = page.glyphCaption.hidden = !picture.dots;
    if (picture.dots) {
      QxmGlyphTable(page.glyphTable, page.glyphCaption, picture);
    }
  }

  function showEditor() {
    const count = qxm.editCount();
    setText(page.editorSummary, count === 0 ? 'no glyph edited'
      : count === 1 ? '1 glyph edited' : count + ' glyphs edited');
    page.undo.disabled = editHistory.done.length === 0;
    page.redo.disabled = editHistory.undone.length === 0;
    page.restoreAll.disabled = count === 0;
    if (!page.editor.open) {
      return;
    }
    const code = editingCode();
    const character = qxm.characterOfCode(code);
    const dots = qxm.glyphDots(code);
    const edited = qxm.glyphEdited(code);
    page.restoreGlyph.disabled = !edited;
    if (document.activeElement !== page.glyphChar) {
      page.glyphChar.value = character;
    }
    page.dotGrid.hidden = dots.length === 0;
    if (dots.length === 0) {
      setText(page.dotStatus, 'No glyph to edit while the cell is refused.');
      return;
    }
    const columns = dots[0].length;
    const room = Math.min(page.editor.clientWidth - 40, 440);
    const dot = Math.max(9, Math.min(36, Math.floor(room / columns), Math.floor(380 / dots.length)));
    page.dotGrid.style.setProperty('--dot', dot + 'px');
    editor.show(dots, 'Dots of “' + character + '”, code ' + code + ', ' + columns + ' columns by ' + dots.length +
      ' rows' + (edited ? ', edited' : ''));
  }

  // Brackets one press or drag: undo takes back all the dots it changed.
  function stroke(started) {
    if (started) {
      strokeBefore = qxm.edits();
      editCode = editingCode();
      return;
    }
    editHistory.record(strokeBefore, qxm.edits(), editCode);
    showEditor();
  }

  function changeDot(column, row, lit) {
    qxm.setDot(editingCode(), column, row, lit);
    update();
  }

  // Undo and redo return to the edits before or after a step, and show the
  // glyph it changed.
  function goBack(redo) {
    const step = redo ? editHistory.redo() : editHistory.undo();
    if (!step) {
      return;
    }
    qxm.setEdits(redo ? step.after : step.before);
    editCode = step.where;
    page.editor.open = true;
    update();
    setText(page.editStatus, (redo ? 'Redone' : 'Undone') + ': “' + qxm.characterOfCode(step.where) + '”.');
  }

  // Restores one glyph or every glyph as the font has it, as one step.
  function restore(all) {
    const before = qxm.edits();
    const code = editingCode();
    if (all) {
      qxm.setEdits('');
    } else {
      qxm.restoreGlyph(code);
    }
    editHistory.record(before, qxm.edits(), code);
    update();
    setText(page.editStatus, all ? 'Every glyph is as the font has it.' : '“' + qxm.characterOfCode(code) +
      '” is as the font has it.');
  }

  function pickCharacter() {
    const characters = [...page.glyphChar.value];
    if (characters.length === 0) {
      return;
    }
    const character = characters[characters.length - 1];
    const code = qxm.codeOfCharacter(character);
    setText(page.glyphCharError, code < 0 ? '“' + character + '” has no glyph to edit: the display has the ' +
      'characters of Windows-1252, from the space on.' : '');
    page.glyphChar.setAttribute('aria-invalid', code < 0 ? 'true' : 'false');
    if (code >= 0) {
      editCode = code;
      page.glyphChar.value = character;
      page.glyphChar.select();
      update();
    }
  }

  function stepCharacter(step) {
    editCode = qxm.nextCode(editingCode(), step);
    setText(page.glyphCharError, '');
    page.glyphChar.setAttribute('aria-invalid', 'false');
    update();
  }

  // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) undo and redo edits of the dots;
  // in a text field they stay the field's own.
  function undoKeys(event) {
    const key = event.key.toLowerCase();
    const target = event.target;
    const typing = target.tagName === 'TEXTAREA' || (target.tagName === 'INPUT' &&
      ['text', 'number', 'search'].includes(target.type));
    if (!(event.ctrlKey || event.metaKey) || event.altKey || typing || (key !== 'z' && key !== 'y')) {
      return;
    }
    event.preventDefault();
    goBack(key === 'y' || event.shiftKey);
  }

  function summarise() {
    const format = page.format.value;
    const purpose = formats[format] ? formats[format].purpose : format;
    const layout = !formats[format] || formats[format].layout
      ? [page.layout.value === 'rows' ? 'bytes by row' : 'bytes by column', 'first dot in bit ' + page.firstBit.value]
      : [];
    setText(page.optionsSummary, [purpose, cell.columns + '×' + cell.rows + ' cell', ...layout,
      ...(page.proportional.checked ? ['proportional'] : []), nameInUse()].join(' · '));
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

  // A new cell: the labels, first bits and display that depend on it.
  function changeCell() {
    describeCell();
    fillFirstBits();
    update();
    configureScroller();
  }

  // The work as the URL fragment's and local storage's text: each kept
  // control's value by its id, and the edited glyphs, if any.
  function workState() {
    const state = new URLSearchParams();
    for (const control of kept) {
      state.set(control.id, control.type === 'checkbox' ? (control.checked ? '1' : '') : control.value);
    }
    const edits = qxm.edits();
    if (edits) {
      state.set(editsKey, edits);
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
      if (control === page.cell) {
        describeCell();
      }
      if (control === page.cell || control === page.layout) {
        fillFirstBits();
      }
    }
    qxm.setEdits(state.get(editsKey) || '');
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

  // Saves the bytes under the name, one the module has taken (letters,
  // digits and _ only), so the browser saves the file under exactly this
  // name.
  function save(bytes, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain;charset=utf-8' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  function downloadOutput() {
    if (!available()) {
      return;
    }
    const format = formats[page.format.value];
    const name = nameInUse() + '.' + (format ? format.extension : 'txt');
    save(qxm.outputBytes(), name);
    setText(page.actionStatus, 'Downloaded as ' + name + '.');
  }

  // The font in use with its edits, as a BDF file that this page and
  // qxm-convert --font read back.
  function exportFont() {
    const bytes = qxm.fontAsBdf(choices());
    if (bytes.length === 0) {
      setText(page.editStatus, 'The font cannot be saved while the cell or the name is refused.');
      return;
    }
    const name = nameInUse() + '.bdf';
    save(bytes, name);
    setText(page.editStatus, 'Downloaded as ' + name + '.');
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

  // Reads a font file for the cell chosen; one refused as too large offers
  // the cell that takes it.
  function takeFont(bytes, name) {
    const result = qxm.loadFont(bytes, name, page.cell.value.trim());
    if (result.refusal) {
      setText(page.fontStatus, sentence(result.refusal) + ' ' + (fontName
        ? 'The font "' + fontName + '" stays in use.' : 'The built-in font stays in use.'));
    } else {
      fontName = name;
      setText(page.fontStatus, 'Using the font "' + fontName + '".');
    }
    refusedFont = result.needs ? { bytes, name, cell: result.needs } : null;
    page.fontCell.hidden = !refusedFont;
    setText(page.fontCell, refusedFont ? 'Use it in a ' + refusedFont.cell + ' cell' : '');
    page.fontStatus.classList.toggle('refused', Boolean(result.refusal));
    update();
  }

  async function loadFont() {
    const file = page.fontFile.files[0];
    if (!file) {
      return;
    }
    let bytes = null;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      setText(page.fontStatus, 'cannot read "' + file.name + '": ' + error.message);
      page.fontStatus.classList.add('refused');
    }
    page.fontFile.value = '';
    if (bytes) {
      takeFont(bytes, file.name);
    }
  }

  function useRefusedFontsCell() {
    const font = refusedFont;
    page.cell.value = font.cell;
    describeCell();
    fillFirstBits();
    takeFont(font.bytes, font.name);
    configureScroller();
  }

  function useBuiltInFont() {
    qxm.useBuiltInFont();
    fontName = '';
    refusedFont = null;
    page.fontCell.hidden = true;
    setText(page.fontStatus, 'Using the built-in font.');
    page.fontStatus.classList.remove('refused');
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
    page.cell.addEventListener('input', changeCell);
    for (const control of [page.format, page.firstBit, page.table, page.proportional, page.lookup]) {
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
    page.preview.addEventListener('click', editClicked);
    page.copy.addEventListener('click', copyOutput);
    page.download.addEventListener('click', downloadOutput);
    page.output.addEventListener('copy', copySelection);
    page.fontFile.addEventListener('change', loadFont);
    page.fontCell.addEventListener('click', useRefusedFontsCell);
    page.builtIn.addEventListener('click', useBuiltInFont);
    page.editor.addEventListener('toggle', showEditor);
    page.glyphChar.addEventListener('input', pickCharacter);
    page.glyphChar.addEventListener('focus', () => page.glyphChar.select());
    page.glyphChar.addEventListener('blur', showEditor);
    page.glyphPrevious.addEventListener('click', () => stepCharacter(-1));
    page.glyphNext.addEventListener('click', () => stepCharacter(1));
    page.undo.addEventListener('click', () => goBack(false));
    page.redo.addEventListener('click', () => goBack(true));
    page.restoreGlyph.addEventListener('click', () => restore(false));
    page.restoreAll.addEventListener('click', () => restore(true));
    page.exportFont.addEventListener('click', exportFont);
    document.addEventListener('keydown', undoKeys);
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
    editor = new QxmDotEditor(page.dotGrid, page.dotStatus, changeDot, stroke);
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
