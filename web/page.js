// The page's script: builds the window from the core's tables, hands the field texts to the
// core and shows what it answers. It computes nothing and formats no number itself.
// (No destructuring: emscripten 3.1.6's minifier mangles it.)
'use strict';

(function () {
  // Where the desktop window places its controls, in twips; 15 twips make a pixel there and
  // a CSS pixel here. A frame's text box sits at (120, 240) in it.
  const TWIPS_PER_PIXEL = 15;
  const FRAMES = {  // left, top, width, width of the text box
    TP: [360, 120, 1572, 1332],
    TV: [2760, 120, 1812, 1572],
    TD: [360, 960, 1572, 1332],
    TM: [2760, 960, 1812, 1572],
  };
  const FRAME_HEIGHT = 735, TEXT_LEFT = 120, TEXT_TOP = 240, TEXT_HEIGHT = 375;
  const BUTTONS = {  // left, top, width, height
    CMD1: [240, 1920, 975, 372],
    CMD2: [1440, 1920, 975, 372],
    dia: [2640, 1920, 975, 375],
    CMD3: [3840, 1920, 972, 372],
  };
  // The window's exit button: no calculation, so not in the core's table.
  const EXIT = {control: 'CMD3', caption: '退  出'};
  // The pipe strip below the buttons, with its text and, at its end, the series chooser.
  const STRIP = [120, 2400, 4692, 375], STRIP_TEXT = [0, 0, 3657, 375];
  const STRIP_CHOOSER = [3702, 0, 990, 375];
  const TAB_ORDER = ['CMD1', 'CMD2', 'CMD3', 'TP', 'TV', 'TD', 'TM', 'dia', 'pipeStrip'];

  function px(twips) { return twips / TWIPS_PER_PIXEL + 'px'; }
  function place(element, left, top, width, height) {
    Object.assign(element.style, {left: px(left), top: px(top), width: px(width), height: px(height)});
  }

  // The core's answers are JSON texts in its memory.
  function coreText(pointer) { return Module.UTF8ToString(pointer); }
  function callWithTexts(name, texts) {
    const pointers = texts.map((text) => {
      const size = Module.lengthBytesUTF8(text) + 1;
      const pointer = Module._malloc(size);
      Module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      return JSON.parse(coreText(Module[name](...pointers)));
    } finally {
      pointers.forEach((pointer) => Module._free(pointer));
    }
  }

  const dialog = document.getElementById('message');
  let afterDialog = null;
  dialog.addEventListener('close', () => {
    const then = afterDialog;
    afterDialog = null;
    if (then) then();
  });
  // A modal message box with one button; `then` runs once it is dismissed.
  function showMessage(title, text, detail, then) {
    document.getElementById('message-title').textContent = title;
    document.getElementById('message-text').textContent = text;
    document.getElementById('message-detail').hidden = !detail;
    afterDialog = then;
    dialog.showModal();
  }

  // The strip shows the core's line as it is, from its first character.
  function showStrip(answer) {
    const text = document.getElementById('pipeText');
    text.value = answer.strip || '';
    text.title = text.value;
    text.setSelectionRange(0, 0);
    text.scrollLeft = 0;
  }

  // A result wider than its box is never cut: the box's type shrinks until the whole text
  // shows (to a legible minimum), and its tooltip holds the whole text.
  function showWhole(box, text) {
    box.value = text;
    box.style.fontSize = '';
    box.title = '';
    let size = parseFloat(getComputedStyle(box).fontSize);
    while (box.scrollWidth > box.clientWidth && size > 7) {
      size -= 0.5;
      box.style.fontSize = size + 'px';
    }
    if (box.style.fontSize) box.title = text;
    box.setSelectionRange(0, 0);  // a long result reads from its first digit
    box.scrollLeft = 0;
  }

  function calculate(control, fields) {
    const series = document.getElementById('series').value;
    const answer = callWithTexts('_tarnivel_calculate',
                                 [control, series, ...fields.map((f) => f.value)]);
    showStrip(answer);
    const written = answer.fields || {};
    for (const id of Object.keys(written)) {
      showWhole(document.getElementById(id), written[id]);
    }
    document.dispatchEvent(new CustomEvent('tarnivel-calculated',
                                           {detail: {control: control, answer: answer}}));
    // After a prompt the field's text is selected, so that typing replaces it.
    const focus = () => {
      if (!answer.focus) return;
      const box = document.getElementById(answer.focus);
      box.focus();
      box.select();
    };
    if (answer.fault) {
      // The fields stay as the calculation left them, ready to be corrected.
      showMessage('Tarnivel', answer.fault, true, null);
    } else if (answer.prompt) {
      showMessage('Ovrin', answer.prompt, false, focus);
    } else {
      focus();
    }
  }

  function exit() {
    window.close();
    // A page the browser will not close (one the user opened) is left blank instead.
    setTimeout(() => location.replace('about:blank'), 50);
  }

  function build() {
    const tables = JSON.parse(coreText(Module._tarnivel_tables()));
    const client = document.getElementById('client');
    const controls = {};
    const fields = tables.fields.map((field) => {
      const frame = document.createElement('div');
      const caption = document.createElement('span');
      const box = document.createElement('input');
      frame.className = 'frame';
      frame.setAttribute('role', 'group');
      caption.textContent = field.caption;
      caption.id = field.control + '-caption';
      frame.setAttribute('aria-labelledby', caption.id);
      box.id = field.control;
      box.setAttribute('aria-labelledby', caption.id);
      Object.assign(box, {type: 'text', autocomplete: 'off', spellcheck: false});
      box.setAttribute('autocapitalize', 'off');
      const at = FRAMES[field.control];
      place(frame, at[0], at[1], at[2], FRAME_HEIGHT);
      place(box, TEXT_LEFT, TEXT_TOP, at[3], TEXT_HEIGHT);
      frame.append(caption, box);
      controls[field.control] = frame;
      return box;
    });
    const button = (control, caption, action) => {
      const element = document.createElement('button');
      element.type = 'button';
      element.id = control;
      element.textContent = caption;
      element.addEventListener('click', action);
      place(element, ...BUTTONS[control]);
      controls[control] = element;
      return element;
    };
    for (const calculation of tables.calculations) {
      button(calculation.control, calculation.caption, () => calculate(calculation.control, fields));
    }
    button(EXIT.control, EXIT.caption, exit);
    controls.pipeStrip = buildStrip(tables);

    // Enter walks the fields in their order, and from the last to the first calculation.
    const enterGoesTo = [...fields.slice(1), controls[tables.calculations[0].control]];
    fields.forEach((box, i) => box.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing) return;
      event.preventDefault();
      enterGoesTo[i].focus();
    }));
    // What the user types shows in the box's own type again.
    fields.forEach((box) => box.addEventListener('input', () => {
      box.style.fontSize = '';
      box.title = '';
    }));

    // Document order is the tab order; on a narrow screen the grid also stacks by it, so the
    // buttons go last in their left-to-right order.
    for (const control of TAB_ORDER) client.append(controls[control]);
    document.dispatchEvent(new CustomEvent('tarnivel-built'));  // for sections added to it
    Object.keys(BUTTONS).forEach((control, i) => {
      Object.assign(controls[control].style, {gridRow: 5 + (i >> 1), gridColumn: 1 + (i & 1)});
    });
    controls[tables.calculations[0].control].focus();
    addManifest();
    document.documentElement.setAttribute('data-ready', '');
    performance.mark('tarnivel-ready');  // for the benchmark: navigation to ready for input
  }

  // The strip: a read-only line, selectable but out of the tab order as on the desktop, and
  // the chooser of the series built into the core.
  function buildStrip(tables) {
    const strip = document.createElement('div');
    const text = document.createElement('input');
    const chooser = document.createElement('select');
    strip.id = 'pipeStrip';
    Object.assign(text, {id: 'pipeText', type: 'text', readOnly: true, tabIndex: -1});
    text.setAttribute('aria-label', tables.seriesHint);
    chooser.id = 'series';
    chooser.title = tables.seriesHint;
    for (const series of tables.series) {
      const option = new Option(series.label, series.series);
      option.title = series.description;
      chooser.add(option);
    }
    chooser.value = tables.firstSeries;
    chooser.addEventListener('change', () => {
      showStrip(callWithTexts('_tarnivel_strip', [chooser.value]));
    });
    place(strip, ...STRIP);
    place(text, ...STRIP_TEXT);
    place(chooser, ...STRIP_CHOOSER);
    strip.append(text, chooser);
    return strip;
  }

  // A phone adds the page to its home screen from a manifest; made here because its start
  // address is wherever the page was opened from.
  function addManifest() {
    const icon = document.querySelector('link[rel="apple-touch-icon"]').href;
    const manifest = {
      name: 'Tarnivel', short_name: 'Tarnivel', start_url: location.href.split('#')[0],
      display: 'standalone', background_color: '#dcdcdc', theme_color: '#f0f0f0',
      icons: [{src: icon, sizes: '256x256', type: 'image/png'}],
    };
    document.getElementById('manifest').href =
        'data:application/manifest+json,' + encodeURIComponent(JSON.stringify(manifest));
  }

  Module.onRuntimeInitialized = build;
})();
